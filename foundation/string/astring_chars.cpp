// AString characters and lengths: walking double-byte text, reading and
// writing single characters.
#include <cstring>

#include "foundation/codepage/codepage.h"
#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"

FOUNDATION_BEGIN

namespace astring_detail {

int CharBytesAt(std::string_view text, size_t pos, int codePage) {
  if (pos + 1 < text.size() &&
      IsDbcsCodePagePair(static_cast<BYTE>(text[pos]), static_cast<BYTE>(text[pos + 1]), codePage)) {
    return 2;
  }
  return 1;
}

int ByteOffsetOfChar(std::string_view text, int index, int codePage) {
  size_t pos = 0;
  for (int i = 0; i < index && pos < text.size(); ++i) pos += CharBytesAt(text, pos, codePage);
  return static_cast<int>(pos);
}

int CharCount(std::string_view text, int codePage) {
  int count = 0;
  for (size_t pos = 0; pos < text.size(); pos += CharBytesAt(text, pos, codePage)) ++count;
  return count;
}

}  // namespace astring_detail

using namespace astring_detail;

bool AString::WalksByCharacters() const { return !IsWide() && IsCjkCodePage(GetCodePage()); }

int AString::GetCharCount() const { return IsWide() ? GetLength() / 2 : GetLength(); }

int AString::CountChars() const {
  if (WalksByCharacters()) return CharCount(BytesOf(*this), GetCodePage());
  return GetCharCount();
}

char AString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) return 0;
  return data_[index];
}

int AString::GetUnitAt(int index) const {
  if (index < 0) return 0;
  if (IsWide()) {
    if (index >= GetLength() / 2) return 0;
    return static_cast<BYTE>(data_[2 * index]) | (static_cast<BYTE>(data_[2 * index + 1]) << 8);
  }
  if (index >= GetLength()) return 0;
  return static_cast<signed char>(data_[index]);
}

WORD AString::GetCharAt(int index) const {
  if (index < 0) index = 0;
  if (IsWide()) return static_cast<WORD>(GetUnitAt(index));
  const std::string_view text = BytesOf(*this);
  if (WalksByCharacters()) {
    const size_t pos = ByteOffsetOfChar(text, index, GetCodePage());
    if (pos >= text.size()) return 0;
    if (CharBytesAt(text, pos, GetCodePage()) == 2) {
      return static_cast<WORD>(static_cast<BYTE>(text[pos]) | (static_cast<BYTE>(text[pos + 1]) << 8));
    }
    return static_cast<BYTE>(text[pos]);
  }
  if (static_cast<size_t>(index) >= text.size()) return 0;
  return static_cast<BYTE>(text[index]);
}

void AString::SetAt(int index, char c) {
  if (index < 0 || index >= GetLength()) return;
  CopyBeforeWrite();
  data_[index] = c;
}

int AString::SetUnitAt(int index, WORD unit) {
  if (IsWide()) {
    if (index >= 0 && index < GetLength() / 2) {
      CopyBeforeWrite();
      data_[2 * index] = static_cast<char>(unit & 0xFF);
      data_[2 * index + 1] = static_cast<char>(unit >> 8);
    }
    return 1;
  }
  SetAt(index, static_cast<char>(unit));
  return 0;
}

char AString::GetLastChar() const { return IsEmpty() ? 0 : data_[GetLength() - 1]; }

int AString::GetLineBreakLength(int pos) const {
  if (pos < 0) return 0;
  if (IsWide()) return GetUnitAt(pos) == '\r' && pos < GetLength() / 2 ? 1 : 0;
  if (pos >= GetLength()) return 0;
  if (data_[pos] == '\r') return data_[pos + 1] == '\n' ? 2 : 1;
  return data_[pos] == '\n' ? 1 : 0;
}

int AString::GetIndentWidth(int tabWidth) const {
  int width = 0;
  const int step = IsWide() ? 2 : 1;
  for (int pos = 0; pos + step <= GetLength(); pos += step) {
    if (step == 2 && data_[pos + 1] != 0) break;
    if (data_[pos] == ' ') {
      width += 1;
    } else if (data_[pos] == '\t') {
      width += tabWidth;
    } else {
      break;
    }
  }
  return width;
}

FOUNDATION_END
