// A whole label turned into pixels: its shape, border and fields at one
// resolution, and from there into the layout file's preview, a JPEG file or
// the clipboard.
#pragma once

#include <cstdint>
#include <vector>

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"
#include "platform/gdi/gdi_owners.h"

// Output kinds of RenderLabelToImage.
enum class LabelOutput : int {
  kPreview = 0,             // 1-bit BMP, gzip-compressed
  kJpeg = 1,
  kClipboardBitmap = 2,
  kClipboardMetafile = 3,
};

// The largest label bitmap made, in pixels, whatever the size and resolution
// ask for.
inline constexpr long long kMaxLabelPixels = 100'000'000;

// The label's pixel size at a resolution (integer division, one resolution
// for both axes); (0, 0) when a side is not positive or the picture would be
// larger than kMaxLabelPixels.
SIZE LabelPixelSize(const CLabelSetup& setup, int resolution);

// The label's background in the rectangle: its shape in its colour (corner
// and hole at least 8 pixels), the centre hole, and its border (an odd
// width). Stores the label's corner size in the setup.
void DrawLabelBackground(HDC dc, CLabelSetup& setup, const RECT& rect, int resolution);

// Draws the label into a new bitmap compatible with the screen: white, the
// label shape in its background colour, the border, then the fields with the
// drawing flags. Stores the label's corner size in the setup. Null when the
// size is refused or the bitmap cannot be made.
UniqueBitmap RenderLabelBitmap(CLabelSetup& setup, const CFieldList& fields, int resolution, unsigned drawFlags);

// The label at the resolution dithered to one bit per pixel, as the bytes of
// a BMP file (the layout file's preview before compression); empty when it
// cannot be rendered.
std::vector<uint8_t> RenderPreviewBmp(CLabelSetup& setup, const CFieldList& fields, int resolution);

// Renders the label at the resolution and writes it out as the kind says.
// 1 when it was written, 0 when rendering or writing failed (no file left
// behind for the file kinds).
int RenderLabelToImage(const char* path, CLabelSetup& setup, const CFieldList& fields, int resolution,
                       LabelOutput kind);
