// Conversions of AString text between UTF-16 and multibyte code pages.
#include <cstring>
#include <vector>

#include "foundation/codepage/codepage.h"
#include "foundation/string/astring.h"
#include "platform/win/nls.h"

FOUNDATION_BEGIN

int WideToMultiByte(const AString& wide, AString* out, int codePage) {
  if (!out) return 0;
  if (codePage < 1) codePage = codepage::kGbk;
  const int units = wide.GetLength() / 2;
  if (units <= 0) return 1;
  // A private copy: the units of a string need not be aligned for WCHAR.
  std::vector<WCHAR> source(static_cast<size_t>(units));
  std::memcpy(source.data(), wide.GetData(), static_cast<size_t>(units) * sizeof(WCHAR));
  const UINT cp = static_cast<UINT>(codePage);
  const int bytes = WideCharToMultiByte(cp, 0, source.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return 1;
  AString result(bytes);
  char* buffer = result.GetBuffer(bytes);
  if (WideCharToMultiByte(cp, 0, source.data(), units, buffer, bytes, nullptr, nullptr) != bytes) return 1;
  buffer[bytes] = '\0';
  // Measured like a C string: text after a converted zero unit is not kept.
  result.ReleaseBuffer(static_cast<int>(std::strlen(buffer)));
  if (result.IsEmpty()) return 1;
  result.SetWide(false);
  result.SetCodePage(codePage);
  *out = result;
  return 1;
}

int MultiByteToWide(const AString& narrow, AString* out, int codePage) {
  if (!out || narrow.IsEmpty()) return 0;
  const UINT cp = static_cast<UINT>(codePage);
  const int units = MultiByteToWideChar(cp, MB_PRECOMPOSED, narrow.GetData(), narrow.GetLength(), nullptr, 0);
  if (units <= 0) return 0;
  std::vector<WCHAR> wide(static_cast<size_t>(units));
  if (MultiByteToWideChar(cp, MB_PRECOMPOSED, narrow.GetData(), narrow.GetLength(), wide.data(), units) != units) {
    return 0;
  }
  const int bytes = units * 2;
  char* buffer = out->GetBuffer(bytes + 2);
  std::memset(buffer, 0, static_cast<size_t>(bytes) + 2);
  std::memcpy(buffer, wide.data(), static_cast<size_t>(bytes));
  out->ReleaseBuffer(bytes);  // the zero unit stays after the text
  return 1;
}

bool ConvertGbBig5(const AString& src, AString* dst, bool toBig5) {
  if (!dst) return false;
  const int from = toBig5 ? codepage::kGbk : codepage::kBig5;
  const int to = toBig5 ? codepage::kBig5 : codepage::kGbk;
  AString wide;
  if (!MultiByteToWide(src, &wide, from)) {
    dst->Empty();  // nothing to convert gives nothing, not the previous text
    return false;
  }
  wide.SetWide(true);
  WideToMultiByte(wide, dst, to);
  return !dst->IsEmpty();
}

void ExpandPinyinAbbreviations(AString* text) {
  if (!text) return;
  static constexpr const char* kReplacements[][2] = {
      {"ag", "ang"}, {"eg", "eng"}, {"ig", "ing"}, {"og", "ong"},
      {"jv", "ju"},  {"qv", "qu"},  {"xv", "xu"},  {"yv", "yu"},
  };
  for (const auto& r : kReplacements) text->Replace(r[0], r[1]);
}

FOUNDATION_END
