// gzip in memory: the preview file's compression.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The bytes as a gzip member at the given level; empty on failure.
std::vector<uint8_t> GzipBytes(std::span<const uint8_t> bytes, int level = 9);
// The content of gzip data, at most limit bytes; false when the data is
// not gzip, ends early or would grow past the limit.
bool GunzipBytes(std::span<const uint8_t> gz, std::vector<uint8_t>& out, size_t limit);
