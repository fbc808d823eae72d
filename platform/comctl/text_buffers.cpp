// Bounded text copies for the common controls.
#include "platform/comctl/text_buffers.h"

#include <algorithm>
#include <cstring>

#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"

namespace comctl {
namespace {

// Bytes of the character starting at `at` in the ANSI code page.
size_t CharLength(const std::string& ansi, size_t at) {
  const auto lead = static_cast<BYTE>(ansi[at]);
  size_t length = 1;
  if (GetACP() == CP_UTF8) {
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
  } else if (IsDBCSLeadByte(lead)) {
    length = 2;
  }
  return std::min(length, ansi.size() - at);
}

}  // namespace

int CopyText(std::u16string_view text, LPWSTR buffer, int size) {
  if (!buffer || size < 1) return 0;
  const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::copy_n(text.begin(), n, buffer);
  buffer[n] = u'\0';
  return static_cast<int>(n);
}

int CopyText(std::u16string_view text, LPSTR buffer, int size) {
  if (!buffer || size < 1) return 0;
  const std::string ansi = ToAnsi(text);
  // Whole characters only: stop before a lead byte whose trail would not fit.
  size_t n = 0;
  while (n < ansi.size()) {
    const size_t step = CharLength(ansi, n);
    if (n + step > static_cast<size_t>(size - 1)) break;
    n += step;
  }
  std::memcpy(buffer, ansi.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

std::u16string FromWide(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

std::u16string FromAnsi(LPCSTR text) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(text)); }

std::string ToAnsi(std::u16string_view text) { return nls::FromUtf16(CP_ACP, text); }

}  // namespace comctl
