// AString substrings and splitting.
#include <algorithm>
#include <cstring>
#include <string>
#include <strings.h>

#include "foundation/containers/aarray.h"
#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

// A new string of `count` bytes from byte `offset` of s, keeping s's wide
// flag, flag byte and code page (the empty result is the shared empty string).
AString Slice(const AString& s, int offset, int count) {
  if (count <= 0) return AString();
  if (offset == 0 && count == s.GetLength()) return s;
  AString result(count, s.GetData() + offset);
  result.SetWide(s.IsWide());
  result.SetFlagByte(s.GetFlagByte());
  result.SetCodePage(s.GetCodePage());
  return result;
}

// Byte range [begin, end) of `count` index units from unit `first`.
struct ByteRange {
  int begin;
  int end;
};

ByteRange UnitsToBytes(const AString& s, int first, int count) {
  const int length = s.GetLength();
  if (s.IsWide()) {
    const int units = length / 2;
    const int b = std::min(first, units);
    return {2 * b, 2 * (b + std::min(count, units - b))};
  }
  if (s.WalksByCharacters()) {
    const std::string_view text = BytesOf(s);
    const int b = ByteOffsetOfChar(text, first, s.GetCodePage());
    return {b, b + ByteOffsetOfChar(text.substr(b), count, s.GetCodePage())};
  }
  const int b = std::min(first, length);
  return {b, b + std::min(count, length - b)};
}

}  // namespace

AString AString::Mid(int first, int count) const {
  if (IsEmpty() || count <= 0) return AString();
  if (first < 0) first = 0;
  const ByteRange r = UnitsToBytes(*this, first, count);
  if (r.begin >= GetLength()) return AString();
  return Slice(*this, r.begin, r.end - r.begin);
}

AString AString::Mid(int first) const { return Mid(first, 0x7FFFFFFF); }

AString AString::Left(int count) const { return Mid(0, count); }

AString AString::Right(int count) const {
  if (count <= 0) return AString();
  int total = GetCharCount();
  if (WalksByCharacters()) total = CountChars();
  if (count >= total) return *this;
  return Mid(total - count, count);
}

AString AString::SafeMid(int first, int count) const {
  if (first < 0) first = 0;
  if (first >= GetCharCount()) return AString();
  return Mid(first, count);
}

AString AString::SafeLeft(int count) const {
  if (count > GetLength()) return *this;
  return Left(count);
}

AString AString::SafeRight(int count) const {
  if (count > GetLength()) return *this;
  return Right(count);
}

AString AString::ExtractFileName(bool withoutExtension) const {
  const std::string_view text = BytesOf(*this);
  const size_t slash = text.find_last_of("\\/");
  const size_t start = slash == std::string_view::npos ? 0 : slash + 1;
  size_t end = text.size();
  if (withoutExtension) {
    const size_t dot = text.find_last_of('.');
    if (dot != std::string_view::npos && dot >= start) end = dot;
  }
  return Slice(*this, static_cast<int>(start), static_cast<int>(end - start));
}

int AString::CompareLeftNoCase(const char* text, int count) const {
  const AString mine = Left(count);
  const std::string other(text ? text : "", text ? strnlen(text, static_cast<size_t>(std::max(count, 0))) : 0);
  return strcasecmp(mine.GetData(), other.c_str());
}

// ---- Splitting --------------------------------------------------------------

int AString::SplitLines(AArray<AString>* lines) const {
  // Works in characters: bytes, or UTF-16 units on a wide string.
  const int unit = IsWide() ? 2 : 1;
  const int count = GetLength() / unit;
  const auto isBreak = [&](int i) {
    const char c = data_[i * unit];
    return (c == '\r' || c == '\n') && (unit == 1 || data_[i * unit + 1] == 0);
  };
  int i = 0;
  while (i < count) {
    while (i < count && isBreak(i)) ++i;
    const int start = i;
    while (i < count && !isBreak(i)) ++i;
    if (i > start) lines->Add(Slice(*this, start * unit, (i - start) * unit));
  }
  return lines->GetSize();
}

namespace {

// Appends every run of back-to-back repetitions of one of the patterns (tried
// in order at each position), each run as one element.
int SplitRuns(const AString& s, std::initializer_list<std::string_view> patterns, AArray<AString>* runs) {
  runs->RemoveAll();
  const std::string_view text = BytesOf(s);
  int count = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    std::string_view hit;
    for (std::string_view p : patterns) {
      if (!p.empty() && text.substr(pos).starts_with(p)) {
        hit = p;
        break;
      }
    }
    if (hit.empty()) {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (text.substr(end).starts_with(hit)) end += hit.size();
    runs->Add(Slice(s, static_cast<int>(pos), static_cast<int>(end - pos)));
    ++count;
    pos = end;
  }
  return count;
}

}  // namespace

int AString::Split(const AString& pattern, AArray<AString>* runs) const {
  if (pattern.IsEmpty()) {
    runs->RemoveAll();
    return 0;
  }
  return SplitRuns(*this, {BytesOf(pattern)}, runs);
}

int AString::Split(const AString& a, const AString& b, AArray<AString>* runs) const {
  if (a.IsEmpty() && b.IsEmpty()) {
    runs->RemoveAll();
    return 0;
  }
  return SplitRuns(*this, {BytesOf(a), BytesOf(b)}, runs);
}

int AString::SplitQuotedPair(const AString& text, AString* left, AString* right) {
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) {
      const std::string separator = "\"" + std::string(i, ' ') + "," + std::string(j, ' ') + "\"";
      const int at = text.Find(separator.c_str(), 0);
      if (at < 0) continue;
      const AString source(text);  // left or right may be text itself
      *left = Slice(source, 0, at);
      const int after = at + static_cast<int>(separator.size());
      *right = Slice(source, after, source.GetLength() - after);
      return 1;
    }
  }
  return 0;
}

FOUNDATION_END
