// The data files that the designer's platform wrote in the C library's text
// mode: there every LF of the stream stands on disk as CR LF. Read in binary,
// with each CR LF turned back into LF; 0x1A is a byte like any other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> FromTextMode(const uint8_t* data, size_t size);
std::vector<uint8_t> ToTextMode(const std::vector<uint8_t>& stream);
