// AString searches.
#include <algorithm>
#include <cstring>
#include <strings.h>

#include "foundation/codepage/codepage.h"
#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

std::string_view View(const char* s) { return s ? std::string_view(s) : std::string_view(); }

bool InSet(const char* set, char c) { return c != 0 && std::strchr(set, c) != nullptr; }

bool EqualNoCase(const char* a, const char* b, size_t n) { return strncasecmp(a, b, n) == 0; }

WCHAR UnitAt(std::string_view bytes, size_t index) {
  return static_cast<WCHAR>(static_cast<BYTE>(bytes[2 * index]) | (static_cast<BYTE>(bytes[2 * index + 1]) << 8));
}

WCHAR FoldUnit(WCHAR u, bool ignoreCase) { return ignoreCase && u >= 'A' && u <= 'Z' ? u + 32 : u; }

bool UnitsMatchAt(std::string_view text, size_t pos, std::string_view pattern, bool ignoreCase) {
  const size_t m = pattern.size() / 2;
  for (size_t k = 0; k < m; ++k) {
    if (FoldUnit(UnitAt(text, pos + k), ignoreCase) != FoldUnit(UnitAt(pattern, k), ignoreCase)) return false;
  }
  return true;
}

// The pattern as UTF-16 bytes for a search in a wide text: a narrow pattern is
// converted (or, in a build that does not convert, widened byte by byte).
AString WidePattern(const AString& pattern) {
  if (pattern.IsWide()) return pattern;
  AString wide(pattern);
  if (!wide.ConvertToWide(-1)) {
    wide = AString(2 * pattern.GetLength());
    wide.SetWide(true);
    wide.AppendAsWide(pattern.GetData(), pattern.GetLength());
  }
  return wide;
}

// Byte search of `pattern` in `text` from `start` (memmem semantics).
int FindBytes(std::string_view text, std::string_view pattern, int start) {
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) >= text.size()) return -1;
  const size_t at = text.find(pattern, static_cast<size_t>(start));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// Walks a narrow text by characters from byte `start`, calling match(pos) at
// every character boundary; returns the first matching byte offset.
template <class Match>
int FindAtBoundaries(std::string_view text, int start, Match match) {
  size_t pos = static_cast<size_t>(std::max(start, 0));
  while (pos < text.size()) {
    if (match(pos)) return static_cast<int>(pos);
    const bool pair = pos + 1 < text.size() && IsDbcsByte(static_cast<BYTE>(text[pos]), true, false) &&
                      IsDbcsByte(static_cast<BYTE>(text[pos + 1]), false, false);
    pos += pair ? 2 : 1;
  }
  return -1;
}

}  // namespace

int AString::Find(char c, int start) const {
  if (start < 0) start = 0;
  const std::string_view text = BytesOf(*this);
  if (IsWide()) {
    const int units = GetLength() / 2;
    for (int i = start; i < units; ++i) {
      if (UnitAt(text, i) == static_cast<BYTE>(c)) return i;
    }
    return -1;
  }
  if (WalksByCharacters()) {
    int index = 0;
    for (size_t pos = 0; pos < text.size(); ++index) {
      const int n = CharBytesAt(text, pos, GetCodePage());
      if (n == 1 && index >= start && text[pos] == c) return index;
      pos += n;
    }
    return -1;
  }
  if (start >= GetLength()) return -1;
  const void* hit = std::memchr(data_ + start, c, static_cast<size_t>(GetLength() - start));
  return hit ? static_cast<int>(static_cast<const char*>(hit) - data_) : -1;
}

int AString::Find(const AString& pattern, int start) const {
  if (start < 0) start = 0;
  const std::string_view text = BytesOf(*this);
  if (IsWide()) {
    const AString wide = WidePattern(pattern);
    const std::string_view pat = BytesOf(wide);
    const size_t units = text.size() / 2;
    const size_t m = pat.size() / 2;
    if (m == 0 || m > units) return -1;
    for (size_t pos = static_cast<size_t>(start); pos + m <= units; ++pos) {
      if (UnitsMatchAt(text, pos, pat, false)) return static_cast<int>(pos);
    }
    return -1;
  }
  const std::string_view pat = View(pattern.GetData());
  if (WalksByCharacters()) {
    int index = 0;
    for (size_t pos = 0; pos < text.size(); ++index) {
      if (index >= start && text.substr(pos).starts_with(pat)) return index;
      pos += CharBytesAt(text, pos, GetCodePage());
    }
    return -1;
  }
  return FindBytes(text, pat, start);
}

int AString::Find(const char* pattern, int start) const { return FindBytes(BytesOf(*this), View(pattern), start); }

int AString::FindNoCase(const char* pattern, int start) const {
  const std::string_view pat = View(pattern);
  const int n = static_cast<int>(pat.size());
  for (int pos = std::max(start, 0); pos <= GetLength() - n; ++pos) {
    if (EqualNoCase(data_ + pos, pat.data(), pat.size())) return pos;
  }
  return -1;
}

int AString::FindAtCharStart(const char* pattern, int start) const {
  const std::string_view text = BytesOf(*this);
  const std::string_view pat = View(pattern);
  return FindAtBoundaries(text, start, [&](size_t pos) { return text.substr(pos).starts_with(pat); });
}

int AString::FindNoCaseAtCharStart(const char* pattern, int start) const {
  const std::string_view text = BytesOf(*this);
  const std::string_view pat = View(pattern);
  return FindAtBoundaries(text, start, [&](size_t pos) {
    return pos + pat.size() <= text.size() && EqualNoCase(text.data() + pos, pat.data(), pat.size());
  });
}

int AString::FindOneOf(const char* set) const { return FindOneOfFrom(set, 0); }

int AString::FindOneOfFrom(const char* set, int start) const {
  if (!set) return -1;
  for (int pos = std::max(start, 0); pos < GetLength(); ++pos) {
    if (InSet(set, data_[pos])) return pos;
  }
  return -1;
}

int AString::FindNotOneOfFrom(const char* set, int start) const {
  for (int pos = std::max(start, 0); pos < GetLength(); ++pos) {
    if (!set || !InSet(set, data_[pos])) return pos;
  }
  return -1;
}

int AString::ReverseFindOneOf(const char* set, int start) const {
  if (!set || start < 0) return -1;
  for (int pos = std::min(start, GetLength() - 1); pos >= 0; --pos) {
    if (InSet(set, data_[pos])) return pos;
  }
  return -1;
}

int AString::ReverseFind(char c, int pos) const {
  const std::string_view text = BytesOf(*this);
  if (WalksByCharacters()) {
    if (pos == 0) return -1;
    int found = -1;
    int index = 0;
    for (size_t p = 0; p < text.size(); ++index) {
      const int n = CharBytesAt(text, p, GetCodePage());
      if (n == 1 && text[p] == c) found = index;
      p += n;
    }
    return found;
  }
  const int end = GetCharCount();
  if (pos < 0 || pos >= end) pos = end;
  for (int i = pos - 1; i >= 0; --i) {
    if (IsWide() ? UnitAt(text, i) == static_cast<BYTE>(c) : text[i] == c) return i;
  }
  return -1;
}

int AString::ReverseFind(const char* pattern) const {
  if (IsEmpty()) return -1;
  if (!pattern || !*pattern) return GetLength() - 1;
  return ReverseFind(pattern, GetLength());
}

int AString::ReverseFind(const char* pattern, int end) const {
  const std::string_view text = BytesOf(*this);
  const std::string_view pat = View(pattern);
  const int n = static_cast<int>(pat.size());
  if (n == 0) return -1;
  if (IsWide()) {
    const int units = GetLength() / 2;
    for (int p = std::min(end, units) - n; p >= 0; --p) {
      bool match = true;
      for (int k = 0; k < n && match; ++k) match = UnitAt(text, p + k) == static_cast<BYTE>(pat[k]);
      if (match) return p;
    }
    return -1;
  }
  if (WalksByCharacters()) {
    int found = -1;
    int index = 0;
    for (size_t p = 0; p < text.size(); ++index) {
      if (text.substr(p).starts_with(pat)) found = index;
      p += CharBytesAt(text, p, GetCodePage());
    }
    return found;
  }
  for (int p = std::min(end, GetLength()) - n; p >= 0; --p) {
    if (text.substr(p).starts_with(pat)) return p;
  }
  return -1;
}

int AString::ReverseFindNoCase(const char* pattern, int end) const {
  const std::string_view pat = View(pattern);
  const int n = static_cast<int>(pat.size());
  if (n == 0) return -1;
  const int last = std::min(end, GetLength() - 1);
  for (int p = last - n + 1; p >= 0; --p) {
    if (EqualNoCase(data_ + p, pat.data(), pat.size())) return p + n - 1;
  }
  return -1;
}

int AString::FindWide(const AString& pattern, int start, bool ignoreCase) const {
  const std::string_view text = BytesOf(*this);
  const std::string_view pat = BytesOf(pattern);
  const int units = static_cast<int>(text.size() / 2);
  const int m = static_cast<int>(pat.size() / 2);
  if (m == 0) return -1;
  for (int p = std::max(start, 0); p + m <= units; ++p) {
    if (UnitsMatchAt(text, p, pat, ignoreCase)) return p;
  }
  return -1;
}

int AString::ReverseFindWide(const AString& pattern, int end, bool ignoreCase) const {
  const std::string_view text = BytesOf(*this);
  const std::string_view pat = BytesOf(pattern);
  const int units = static_cast<int>(text.size() / 2);
  const int m = static_cast<int>(pat.size() / 2);
  if (m == 0) return -1;
  const int last = std::min(end, units - 1);
  for (int p = last - m + 1; p >= 0; --p) {
    if (UnitsMatchAt(text, p, pat, ignoreCase)) return p + m - 1;
  }
  return -1;
}

int AString::CountOf(const AString& pattern) const {
  if (pattern.IsEmpty()) return 0;
  int step = 0;
  if (IsWide()) {
    step = WidePattern(pattern).GetLength() / 2;
  } else if (WalksByCharacters()) {
    step = CharCount(View(pattern.GetData()), GetCodePage());
  } else {
    step = static_cast<int>(std::strlen(pattern.GetData()));
  }
  if (step == 0) return 0;
  int count = 0;
  for (int at = Find(pattern, 0); at >= 0; at = Find(pattern, at + step)) ++count;
  return count;
}

FOUNDATION_END
