// What the open dialog's preview says about a file: an image's size, colours
// and file size, a text file's beginning (UTF-16 by its byte-order mark).
#pragma once

#include <optional>
#include <string>

// " %d x %d pixel\n", " %d colors(%d bit)\n" when the depth is above 0, then
// " File size: %.2f kb"; nullopt when the picture can't be read.
std::optional<std::string> ImagePreviewText(const std::string& path);
// The file as UTF-16 (a leading FF FE little-endian, FE FF big-endian, else
// the bytes in the interface's code page), at most `limit` units.
std::optional<std::u16string> TextPreview(const std::string& path, size_t limit = 16384);
