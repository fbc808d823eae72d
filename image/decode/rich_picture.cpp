#include "image/decode/rich_picture.h"

#include <climits>
#include <memory>
#include <new>

#include "image/bitmap/pltextexception.h"
#include "image/bitmap/plwinbmp.h"
#include "image/decode/pljpegdec.h"
#include "image/decode/plpngdec.h"

namespace image {

BOOL DrawRichPicture(RichPictureKind kind, const BYTE* data, size_t size, HDC dc, const RECT* dest) {
  if (!data || !dest || !dc || size == 0 || size > INT_MAX) return FALSE;
  std::unique_ptr<PLPicDecoder> decoder;
  if (kind == RichPictureKind::Png) decoder = std::make_unique<PLPNGDecoder>();
  else if (kind == RichPictureKind::Jpeg) decoder = std::make_unique<PLJPEGDecoder>();
  else return FALSE;
  // Decoding errors come as exceptions; a picture that fails leaves the
  // engine's frame in its place instead of ending the drawing.
  try {
    PLWinBmp bitmap;
    if (!decoder->MakeBmpFromMemory(data, static_cast<int>(size), &bitmap, 32)) return FALSE;
    const int drawn = bitmap.StretchDraw(dc, dest->left, dest->top, dest->right - dest->left,
                                         dest->bottom - dest->top, SRCCOPY);
    return drawn > 0 ? TRUE : FALSE;
  } catch (const PLTextException&) {
    return FALSE;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
}

void InstallRichPictureDecoder() { SetRichPictureDecoder(DrawRichPicture); }

}  // namespace image
