// The lstr family and conversions between the ANSI and the OEM code page.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/kernel/kernel_errors.h"
#include "platform/nls/nls.h"

namespace {

size_t WideLength(LPCWSTR s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

int Sign(int v) { return (v > 0) - (v < 0); }

// Re-encodes length bytes from one code page to another through UTF-16; the
// result has the same byte length when every character keeps its width,
// which holds between an ANSI code page and its OEM code page.
BOOL Recode(UINT from, UINT to, LPCSTR source, LPSTR dest, DWORD length) {
  if (!source || !dest) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (length == 0) return TRUE;
  const int units = MultiByteToWideChar(from, 0, source, static_cast<int>(length), nullptr, 0);
  if (units <= 0) return FALSE;
  std::u16string wide(static_cast<size_t>(units), u'\0');
  MultiByteToWideChar(from, 0, source, static_cast<int>(length), wide.data(), units);
  const int bytes = WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return FALSE;
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(to, 0, wide.data(), units, out.data(), bytes, nullptr, nullptr);
  // Never write past the caller's length.
  std::memcpy(dest, out.data(), std::min<size_t>(out.size(), length));
  return TRUE;
}

}  // namespace

int lstrlenA(LPCSTR text) { return text ? static_cast<int>(std::strlen(text)) : 0; }
int lstrlenW(LPCWSTR text) { return text ? static_cast<int>(WideLength(text)) : 0; }

LPSTR lstrcpyA(LPSTR dest, LPCSTR source) {
  if (!dest || !source) return nullptr;
  return std::strcpy(dest, source);
}

LPWSTR lstrcpyW(LPWSTR dest, LPCWSTR source) {
  if (!dest || !source) return nullptr;
  const size_t n = WideLength(source);
  std::memmove(dest, source, (n + 1) * sizeof(WCHAR));
  return dest;
}

LPSTR lstrcpynA(LPSTR dest, LPCSTR source, int max) {
  if (!dest || !source || max <= 0) return dest;
  int i = 0;
  for (; i + 1 < max && source[i]; ++i) dest[i] = source[i];
  dest[i] = '\0';
  return dest;
}

LPWSTR lstrcpynW(LPWSTR dest, LPCWSTR source, int max) {
  if (!dest || !source || max <= 0) return dest;
  int i = 0;
  for (; i + 1 < max && source[i]; ++i) dest[i] = source[i];
  dest[i] = u'\0';
  return dest;
}

LPSTR lstrcatA(LPSTR dest, LPCSTR source) {
  if (!dest || !source) return nullptr;
  return std::strcat(dest, source);
}

LPWSTR lstrcatW(LPWSTR dest, LPCWSTR source) {
  if (!dest || !source) return nullptr;
  lstrcpyW(dest + WideLength(dest), source);
  return dest;
}

int lstrcmpA(LPCSTR a, LPCSTR b) { return Sign(std::strcmp(a ? a : "", b ? b : "")); }

int lstrcmpiA(LPCSTR a, LPCSTR b) {
  std::string x(a ? a : ""), y(b ? b : "");
  CharLowerBuffA(x.data(), static_cast<DWORD>(x.size()));
  CharLowerBuffA(y.data(), static_cast<DWORD>(y.size()));
  return Sign(std::strcmp(x.c_str(), y.c_str()));
}

int lstrcmpW(LPCWSTR a, LPCWSTR b) {
  const std::u16string_view x(a ? a : u""), y(b ? b : u"");
  return Sign(x.compare(y));
}

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  std::u16string x(a ? a : u""), y(b ? b : u"");
  CharLowerBuffW(x.data(), static_cast<DWORD>(x.size()));
  CharLowerBuffW(y.data(), static_cast<DWORD>(y.size()));
  return Sign(x.compare(y));
}

BOOL CharToOemBuffA(LPCSTR source, LPSTR dest, DWORD length) { return Recode(CP_ACP, CP_OEMCP, source, dest, length); }
BOOL OemToCharBuffA(LPCSTR source, LPSTR dest, DWORD length) { return Recode(CP_OEMCP, CP_ACP, source, dest, length); }

BOOL CharToOemA(LPCSTR source, LPSTR dest) {
  if (!source) return FALSE;
  return CharToOemBuffA(source, dest, static_cast<DWORD>(std::strlen(source) + 1));
}

BOOL OemToCharA(LPCSTR source, LPSTR dest) {
  if (!source) return FALSE;
  return OemToCharBuffA(source, dest, static_cast<DWORD>(std::strlen(source) + 1));
}
