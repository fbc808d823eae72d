// Text between the ANSI code page and UTF-16 for the A calls, and copying
// into callers' buffers that never overruns them.
#include <algorithm>

#include "platform/nls/nls.h"
#include "platform/user/window_internal.h"

namespace user {

std::u16string ToWide(LPCSTR text, int length) {
  if (!text) return {};
  if (length < 0) length = static_cast<int>(std::char_traits<char>::length(text));
  if (length == 0) return {};
  const int units = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::u16string out(static_cast<size_t>(std::max(units, 0)), u'\0');
  if (units > 0) MultiByteToWideChar(CP_ACP, 0, text, length, out.data(), units);
  return out;
}

std::string ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const int count = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(std::max(bytes, 0)), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), count, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::u16string WideOf(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

int CopyOut(std::u16string_view text, LPWSTR buffer, int size) {
  if (!buffer || size < 1) return 0;
  const int n = std::min(static_cast<int>(text.size()), size - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

int CopyOut(std::string_view text, LPSTR buffer, int size) {
  if (!buffer || size < 1) return 0;
  int n = std::min(static_cast<int>(text.size()), size - 1);
  // Never cut a double-byte character in two.
  int end = 0;
  while (end < n) {
    const int step = IsDBCSLeadByte(static_cast<BYTE>(text[end])) && end + 1 < static_cast<int>(text.size()) ? 2 : 1;
    if (end + step > n) break;
    end += step;
  }
  n = end;
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

bool IsAtomArg(const void* name) { return reinterpret_cast<uintptr_t>(name) <= 0xFFFF; }

}  // namespace user
