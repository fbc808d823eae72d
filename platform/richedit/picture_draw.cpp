// Drawing the pictures rich text keeps: DIBs and metafiles here, PNG and
// JPEG through the decoder a layer above registers, a frame otherwise.

#include <atomic>

#include "platform/richedit/richedit.h"

namespace {
std::atomic<RichPictureDecoder> g_decoder{nullptr};
}  // namespace

void SetRichPictureDecoder(RichPictureDecoder decoder) { g_decoder.store(decoder); }
