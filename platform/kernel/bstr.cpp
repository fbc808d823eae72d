// BSTR strings: one block holding the byte length, the characters and a zero.
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "platform/kernel/com_types.h"

namespace {

constexpr size_t kPrefix = sizeof(uint32_t);

}  // namespace

BSTR SysAllocStringLen(const WCHAR* text, UINT length) {
  if (length > (std::numeric_limits<uint32_t>::max() - kPrefix) / sizeof(WCHAR) - 1) return nullptr;
  const size_t bytes = static_cast<size_t>(length) * sizeof(WCHAR);
  auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + bytes + sizeof(WCHAR)));
  if (!block) return nullptr;
  const auto stored = static_cast<uint32_t>(bytes);
  std::memcpy(block, &stored, kPrefix);
  auto* chars = reinterpret_cast<WCHAR*>(block + kPrefix);
  if (text) std::memcpy(chars, text, bytes);
  else std::memset(chars, 0, bytes);
  chars[length] = 0;
  return chars;
}

BSTR SysAllocString(const WCHAR* text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<char16_t>::length(text)));
}

void SysFreeString(BSTR text) {
  if (text) std::free(reinterpret_cast<unsigned char*>(text) - kPrefix);
}

UINT SysStringLen(BSTR text) {
  if (!text) return 0;
  uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<unsigned char*>(text) - kPrefix, kPrefix);
  return bytes / sizeof(WCHAR);
}
