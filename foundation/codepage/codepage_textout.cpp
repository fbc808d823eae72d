// Drawing AString and multibyte text through the system's text output.
#include <cstring>
#include <vector>

#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/string/astring.h"
#include "platform/win.h"

FOUNDATION_BEGIN

BOOL TextOutString(HDC dc, int x, int y, AString text) {
  if (text.IsWide()) {
    const int units = text.GetLength() / 2;
    // A private copy terminated by a whole zero unit.
    std::vector<WCHAR> copy(static_cast<size_t>(units) + 1, u'\0');
    std::memcpy(copy.data(), text.GetData(), static_cast<size_t>(units) * sizeof(WCHAR));
    return TextOutW(dc, x, y, copy.data(), units);
  }
  return TextOutA(dc, x, y, text.GetData(), text.GetLength());
}

BOOL TextOutMultiByte(HDC dc, int x, int y, const char* text, int bytes, int charset) {
  if (OsVersionFlags().isNtFamily) return TextOutA(dc, x, y, text, bytes);
  if (!text || bytes <= 0) return 0;
  const std::u16string wide =
      DecodeCodePageText(std::string_view(text, static_cast<size_t>(bytes)), CodePageFromLanguage(charset, false), 0);
  if (wide.empty()) return 0;
  return TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

FOUNDATION_END
