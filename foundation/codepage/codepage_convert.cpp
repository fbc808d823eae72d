// Conversions of AString text between UTF-16 and multibyte code pages.
#include <cstring>
#include <string>
#include <vector>

#include "foundation/codepage/codepage.h"
#include "foundation/string/astring.h"
#include "platform/nls/nls.h"

FOUNDATION_BEGIN

namespace {

// Whether the system converts the two bytes to exactly one code point.
bool IsOneCodePoint(BYTE lead, BYTE trail, UINT codePage) {
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  WCHAR units[4];
  const int n = MultiByteToWideChar(codePage, 0, pair, 2, units, 4);
  return n == 1 || (n == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 && units[1] <= 0xDFFF);
}

// The text with every accepted pair that is not one character of the code
// page replaced by a single '?'; false (out untouched) when none is.
bool ReplaceForeignPairs(std::string_view bytes, int codePage, std::string& out) {
  if (!IsCjkCodePage(codePage)) return false;
  const UINT cp = static_cast<UINT>(codePage);
  bool replaced = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const BYTE lead = static_cast<BYTE>(bytes[i]);
    if (i + 1 >= bytes.size() || !IsDbcsCodePagePair(lead, static_cast<BYTE>(bytes[i + 1]), codePage)) {
      if (replaced) out += bytes[i];
      continue;
    }
    const BYTE trail = static_cast<BYTE>(bytes[i + 1]);
    // The usual pair (a lead byte of the code page, a trail in 0x40-0xFE) is
    // one character; anything else is asked of the system.
    const bool usual = IsDBCSLeadByteEx(cp, lead) && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
    if (usual || IsOneCodePoint(lead, trail, cp)) {
      if (replaced) out.append(bytes.substr(i, 2));
    } else {
      if (!replaced) out.assign(bytes.substr(0, i));
      replaced = true;
      out += '?';
    }
    ++i;
  }
  return replaced;
}

}  // namespace

std::u16string DecodeCodePageText(std::string_view bytes, int codePage, DWORD flags) {
  std::string replaced;
  if (ReplaceForeignPairs(bytes, codePage, replaced)) bytes = replaced;
  if (bytes.empty()) return {};
  const UINT cp = static_cast<UINT>(codePage);
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(cp, flags, bytes.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::u16string wide(static_cast<size_t>(units), u'\0');
  if (MultiByteToWideChar(cp, flags, bytes.data(), length, wide.data(), units) != units) return {};
  return wide;
}

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
  const std::u16string wide = DecodeCodePageText(
      std::string_view(narrow.GetData(), static_cast<size_t>(narrow.GetLength())), codePage, MB_PRECOMPOSED);
  if (wide.empty()) return 0;
  const int bytes = static_cast<int>(wide.size()) * 2;
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
