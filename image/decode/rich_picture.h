// PNG and JPEG pictures inside rich text, drawn through the image library's
// decoders. The platform's rich-text engine cannot decode them itself; the
// layers that show rich text install this decoder when they start.
#pragma once

#include "platform/richedit/richedit.h"

namespace image {

// Decodes a PNG or JPEG picture and stretches it into `dest` (logical units
// of `dc`); FALSE for other kinds and for data that does not decode.
BOOL DrawRichPicture(RichPictureKind kind, const BYTE* data, size_t size, HDC dc, const RECT* dest);
// Registers DrawRichPicture with the rich-text engine (any number of times).
void InstallRichPictureDecoder();

}  // namespace image
