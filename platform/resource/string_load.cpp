// LoadString over the string-table blocks of a module's resources.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/kernel/kernel_internal.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_codepages.h"
#include "platform/resource/resource.h"
#include "platform/resource/resource_internal.h"
#include "platform/resource/string_table.h"

namespace {

constexpr WORD kStringType = 6;  // RT_STRING

// The string, or nullopt (and the last error) when the module has none by
// that id. An empty stored string counts as none, as the system treats it.
std::optional<resource::StringRef> FindString(HINSTANCE instance, UINT id) {
  const auto block = resource::FindResourceData(instance, resource::ResName{kStringType, {}},
                                                resource::ResName{resource::StringBlockId(id), {}});
  if (!block || id > 0xFFFF) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return std::nullopt;
  }
  std::optional<resource::StringRef> s = resource::FindStringInBlock(*block, id);
  if (!s || s->length() == 0) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return std::nullopt;
  }
  return s;
}

std::u16string Text(const resource::StringRef& s) {
  std::u16string text(s.length(), u'\0');
  for (size_t i = 0; i < s.length(); ++i) text[i] = s.at(i);
  return text;
}

}  // namespace

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
  if (!buffer || bufferMax < 0) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::optional<resource::StringRef> s = FindString(instance, id);
  if (!s) {
    if (bufferMax > 0) buffer[0] = u'\0';
    return 0;
  }
  if (bufferMax == 0) {
    // A read-only pointer into the resource: strings in a compiled file
    // always start on an even offset of 4-byte aligned data.
    const uint8_t* at = s->bytes.data();
    if (reinterpret_cast<uintptr_t>(at) % alignof(char16_t) != 0) return kernel::Fail(ERROR_INVALID_DATA);
    *reinterpret_cast<LPCWSTR*>(buffer) = reinterpret_cast<LPCWSTR>(at);
    return static_cast<int>(s->length());
  }
  const std::u16string text = Text(*s);
  size_t n = std::min<size_t>(text.size(), static_cast<size_t>(bufferMax - 1));
  // Never keep half of a surrogate pair.
  if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  std::copy_n(text.data(), n, buffer);
  buffer[n] = u'\0';
  return static_cast<int>(n);
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  const std::optional<resource::StringRef> s = FindString(instance, id);
  if (!s) return 0;
  const std::u16string wide = Text(*s);
  const int units = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(std::max(bytes, 0)), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), units, text.data(), bytes, nullptr, nullptr);
  // Cut at a character boundary so no lead byte is left without its trail.
  const nls::CodePageInfo* cp = nls::FindCodePage(CP_ACP);
  size_t n = 0;
  while (n < text.size()) {
    const size_t len = cp ? nls::CharLength(*cp, text.data() + n, text.size() - n) : 1;
    if (n + len > static_cast<size_t>(bufferMax - 1)) break;
    n += len;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}
