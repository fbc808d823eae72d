// Data files written whole: the bytes go to a temporary file beside the target,
// which then replaces the target in one rename, so a failed write never leaves
// a cut file behind and the old one stays.
#pragma once

#include <cstdint>
#include <span>

// 1 when every byte was written and the file replaced; 0 otherwise (the
// temporary file removed, the old file untouched).
int ReplaceFileWithBytes(const char* path, std::span<const uint8_t> bytes);
