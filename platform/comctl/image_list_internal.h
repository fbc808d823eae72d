// What the controls reach of an image list beyond the public calls.
#pragma once

#include <vector>

#include "platform/comctl/image_list.h"
#include "platform/comctl/pixels.h"

namespace comctl {

// The pixels and mask of one image; false for a bad list or index.
bool ImagePixels(HIMAGELIST list, int index, PixelBlock& pixels, std::vector<uint8_t>& opaque);
// Puts image `fromIndex` of `from` in place of image `toIndex` of `to` (same sizes).
bool CopyListImage(HIMAGELIST to, int toIndex, HIMAGELIST from, int fromIndex);

}  // namespace comctl
