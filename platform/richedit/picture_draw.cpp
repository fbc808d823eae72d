// Drawing the pictures rich text keeps: DIBs and metafiles here, PNG and
// JPEG through the decoder a layer above registers, a frame otherwise.

#include <atomic>

#include "platform/richedit/dc_render.h"

namespace {
std::atomic<RichPictureDecoder> g_decoder{nullptr};
}  // namespace

void SetRichPictureDecoder(RichPictureDecoder decoder) { g_decoder.store(decoder); }
RichPictureDecoder GetRichPictureDecoder() { return g_decoder.load(); }

namespace richedit {

bool DecodeRichPicture(RichPictureKind kind, const BYTE* data, size_t size, HDC dc, const RECT* dest) {
  const RichPictureDecoder decoder = g_decoder.load();
  return decoder && size > 0 && decoder(kind, data, size, dc, dest);
}

}  // namespace richedit
