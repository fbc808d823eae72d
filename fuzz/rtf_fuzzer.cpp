// libFuzzer target: RTF through the rich-text reader, the document it builds
// checked, written out again and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/richedit/rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  richedit::TextDocument doc;
  richedit::RtfLimits limits;
  limits.maxPictureBytes = 1 << 16;
  if (!richedit::ReadRtf(std::span<const uint8_t>(data, size), doc, limits)) return 0;
  if (!doc.Valid()) std::abort();
  const std::string again = richedit::WriteRtf(doc);
  richedit::TextDocument back;
  if (!richedit::ReadRtf(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(again.data()), again.size()),
                         back, limits) ||
      !back.Valid()) {
    std::abort();
  }
  return 0;
}
