// Case mapping and character classes: per code page for multibyte text, by
// the Unicode tables of the C library for UTF-16.
#include <locale.h>
#include <wctype.h>

#include <cstdint>
#include <cstring>

#include "platform/nls/nls.h"
#include "platform/nls/nls_codepages.h"

namespace {

enum class Case { kUpper, kLower };

// Code page 1252: the letters outside ASCII and their other case.
struct WesternPair {
  BYTE upper;
  BYTE lower;
};
constexpr WesternPair kWesternExtraPairs[] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};

constexpr bool IsLatin1Upper(BYTE b) { return b >= 0xC0 && b <= 0xDE && b != 0xD7; }
constexpr bool IsLatin1Lower(BYTE b) { return b >= 0xE0 && b <= 0xFE && b != 0xF7; }

BYTE MapByte(const nls::CodePageInfo* cp, BYTE b, Case to) {
  if (to == Case::kUpper && b >= 'a' && b <= 'z') return static_cast<BYTE>(b - 0x20);
  if (to == Case::kLower && b >= 'A' && b <= 'Z') return static_cast<BYTE>(b + 0x20);
  if (!cp || cp->id != 1252) return b;
  if (to == Case::kUpper && IsLatin1Lower(b)) return static_cast<BYTE>(b - 0x20);
  if (to == Case::kLower && IsLatin1Upper(b)) return static_cast<BYTE>(b + 0x20);
  for (const WesternPair& p : kWesternExtraPairs) {
    if (to == Case::kUpper && b == p.lower) return p.upper;
    if (to == Case::kLower && b == p.upper) return p.lower;
  }
  return b;
}

// Maps the single-byte characters of the text; a double-byte character is
// left whole, so a trail byte is never mapped.
DWORD MapBytes(UINT codePage, LPSTR text, DWORD length, Case to) {
  if (!text) return 0;
  const nls::CodePageInfo* cp = nls::FindCodePage(codePage);
  for (DWORD i = 0; i < length;) {
    const size_t n = cp ? nls::CharLength(*cp, text + i, length - i) : 1;
    if (n == 1) text[i] = static_cast<char>(MapByte(cp, static_cast<BYTE>(text[i]), to));
    i += static_cast<DWORD>(n);
  }
  return length;
}

bool IsCharPointer(const void* p) { return (reinterpret_cast<uintptr_t>(p) >> 16) != 0; }

// The C library's Unicode tables, independent of the process's locale.
locale_t UnicodeLocale() {
  static const locale_t locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
  }();
  return locale;
}

WCHAR MapUnit(WCHAR unit, Case to) {
  if (unit >= 0xD800 && unit <= 0xDFFF) return unit;
  const wint_t mapped = to == Case::kUpper ? towupper_l(unit, UnicodeLocale()) : towlower_l(unit, UnicodeLocale());
  // A mapping that leaves the Basic Multilingual Plane cannot stand in one unit.
  if (mapped > 0xFFFF || (mapped >= 0xD800 && mapped <= 0xDFFF)) return unit;
  return static_cast<WCHAR>(mapped);
}

DWORD MapUnits(LPWSTR text, DWORD length, Case to) {
  if (!text) return 0;
  for (DWORD i = 0; i < length; ++i) text[i] = MapUnit(text[i], to);
  return length;
}

LPSTR MapStringA(LPSTR text, Case to) {
  if (!IsCharPointer(text)) {
    const BYTE b = static_cast<BYTE>(reinterpret_cast<uintptr_t>(text));
    return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(MapByte(nls::FindCodePage(CP_ACP), b, to)));
  }
  MapBytes(CP_ACP, text, static_cast<DWORD>(std::strlen(text)), to);
  return text;
}

LPWSTR MapStringW(LPWSTR text, Case to) {
  if (!IsCharPointer(text)) {
    const WCHAR unit = static_cast<WCHAR>(reinterpret_cast<uintptr_t>(text));
    return reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(MapUnit(unit, to)));
  }
  MapUnits(text, static_cast<DWORD>(lstrlenW(text)), to);
  return text;
}

}  // namespace

LPSTR CharUpperA(LPSTR text) { return MapStringA(text, Case::kUpper); }
LPSTR CharLowerA(LPSTR text) { return MapStringA(text, Case::kLower); }
DWORD CharUpperBuffA(LPSTR text, DWORD length) { return MapBytes(CP_ACP, text, length, Case::kUpper); }
DWORD CharLowerBuffA(LPSTR text, DWORD length) { return MapBytes(CP_ACP, text, length, Case::kLower); }
DWORD CharUpperBuffExA(UINT codePage, LPSTR text, DWORD length) {
  return MapBytes(codePage, text, length, Case::kUpper);
}
DWORD CharLowerBuffExA(UINT codePage, LPSTR text, DWORD length) {
  return MapBytes(codePage, text, length, Case::kLower);
}
LPWSTR CharUpperW(LPWSTR text) { return MapStringW(text, Case::kUpper); }
LPWSTR CharLowerW(LPWSTR text) { return MapStringW(text, Case::kLower); }
DWORD CharUpperBuffW(LPWSTR text, DWORD length) { return MapUnits(text, length, Case::kUpper); }
DWORD CharLowerBuffW(LPWSTR text, DWORD length) { return MapUnits(text, length, Case::kLower); }

BOOL IsCharUpperA(CHAR ch) {
  const BYTE b = static_cast<BYTE>(ch);
  const nls::CodePageInfo* cp = nls::FindCodePage(CP_ACP);
  return MapByte(cp, b, Case::kLower) != b;
}

BOOL IsCharLowerA(CHAR ch) {
  const BYTE b = static_cast<BYTE>(ch);
  const nls::CodePageInfo* cp = nls::FindCodePage(CP_ACP);
  // ß and µ are lower-case letters with no upper case in 1252.
  if (cp && cp->id == 1252 && (b == 0xDF || b == 0xB5 || b == 0xAA || b == 0xBA)) return TRUE;
  return MapByte(cp, b, Case::kUpper) != b;
}

BOOL IsCharAlphaA(CHAR ch) { return IsCharUpperA(ch) || IsCharLowerA(ch); }

BOOL IsCharAlphaNumericA(CHAR ch) { return IsCharAlphaA(ch) || (ch >= '0' && ch <= '9'); }

BOOL IsCharAlphaW(WCHAR ch) { return iswalpha_l(ch, UnicodeLocale()) != 0; }
BOOL IsCharUpperW(WCHAR ch) { return iswupper_l(ch, UnicodeLocale()) != 0; }
BOOL IsCharLowerW(WCHAR ch) { return iswlower_l(ch, UnicodeLocale()) != 0; }
