// PNG files of pictures for a person to look at, written through libpng.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavtest {

// Writes 32-bit pixels in the platform's memory order (blue, green, red, one
// unused byte), rows top-down `stride` bytes apart (4 * width when 0), as an
// 8-bit RGB PNG. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const uint8_t* bgrx, size_t stride = 0);

// The path of <name>.png in the build folder ($TAV_BUILD_DIR when set).
std::string BuildFolderPng(const std::string& name);

}  // namespace tavtest
