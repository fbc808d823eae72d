// The picture formats that export and printing to image files write, by the
// codes the print settings store, with the extension of each.
#pragma once

#include <array>

#include "foundation/string/astring.h"

enum ImageFormatCode : int {
  kImageFormatBmp = 100,
  kImageFormatPng = 101,
  kImageFormatPcx = 103,
  kImageFormatTiff = 104,
  kImageFormatEmf = 105,
};

struct ImageFormatExtension {
  int code;  // 0 ends the table
  const char* text;
};

inline constexpr std::array<ImageFormatExtension, 6> kImageFormatExtensions{{
    {kImageFormatBmp, "bmp"},
    {kImageFormatPng, "png"},
    {kImageFormatPcx, "pcx"},
    {kImageFormatEmf, "emf"},
    {kImageFormatTiff, "tif"},
    {0, ""},
}};
static_assert(kImageFormatExtensions.back().code == 0, "the extension table ends with code 0");

// The extension of a format code; empty for a code not in the table.
AString GetImageFormatExtension(int code);
