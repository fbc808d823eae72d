// Writing page and label bitmaps as picture files, and turning a bitmap into
// a Windows bitmap through a temporary BMP file.
#pragma once

#include <memory>

#include "foundation/string/astring.h"
#include "image/bitmap/plbmp.h"
#include "image/bitmap/plwinbmp.h"

// The zlib level label pictures are written with as PNG: a label is mostly
// runs of white, which the encoder's own default (no compression) keeps
// byte for byte.
inline constexpr int kLabelPngCompression = 6;

// Writes the bitmap as BMP (100), PNG (101, compressed), PCX (103) or TIFF (104); 1 when
// the whole file was written, 0 for another code (nothing written) or a
// failed write (no partial file left). The bitmap itself is not changed.
int SaveBitmapAsImageFile(const char* path, PLBmp& bitmap, int code);

// The bitmap written to a numbered temporary BMP file ("tmpimg_NNNNNN.bmp" in
// the per-user work folder), decoded back into a Windows bitmap and the file
// deleted; null when either step failed.
std::unique_ptr<PLWinBmp> ConvertToWinBmpViaTempFile(PLBmp& bitmap);

// The folder of the temporary pictures of export and printing (the work
// folder), with a trailing separator.
AString TempImageFolder();
