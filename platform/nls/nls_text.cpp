#include "platform/nls/nls_text.h"

#include <limits>

#include "platform/nls/nls.h"

namespace nls {

std::u16string ToUtf16(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::u16string out(static_cast<size_t>(units), u'\0');
  const int written = MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), units);
  out.resize(static_cast<size_t>(written > 0 ? written : 0));
  return out;
}

std::string FromUtf16(UINT codePage, std::u16string_view text) {
  if (text.empty() || text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
  const int count = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(codePage, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  const int written = WideCharToMultiByte(codePage, 0, text.data(), count, out.data(), bytes, nullptr, nullptr);
  out.resize(static_cast<size_t>(written > 0 ? written : 0));
  return out;
}

}  // namespace nls
