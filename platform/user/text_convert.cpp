// Text between the ANSI code page and UTF-16 for the A calls, and copying
// into callers' buffers that never overruns them.
#include <algorithm>

#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"
#include "platform/user/window_internal.h"

namespace user {

std::u16string ToWide(LPCSTR text, int length) {
  if (!text) return {};
  return nls::ToUtf16(CP_ACP,
                      length < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(length)));
}

std::string ToAnsi(std::u16string_view text) { return nls::FromUtf16(CP_ACP, text); }

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
