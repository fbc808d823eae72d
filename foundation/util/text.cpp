#include "foundation/util/text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <strings.h>

FOUNDATION_BEGIN

namespace {

bool IsAsciiLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(int c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The UTF-16 units of a string whatever its flag (an odd last byte is ignored).
std::u16string UnitsOf(const AString& s) {
  std::u16string units(static_cast<size_t>(s.GetLength() / 2), u'\0');
  const auto* p = reinterpret_cast<const unsigned char*>(s.GetData());
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
  return units;
}

char16_t Fold(char16_t u, bool ignoreCase) { return ignoreCase && u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u; }

bool MatchesAt(const std::u16string& hay, const std::u16string& needle, size_t pos, bool ignoreCase) {
  for (size_t k = 0; k < needle.size(); ++k)
    if (Fold(hay[pos + k], ignoreCase) != Fold(needle[k], ignoreCase)) return false;
  return true;
}

}  // namespace

bool IsIdentChar(int c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_' || c == '$'; }

bool IsWordChar(int c) { return (c & 0x80) == 0 && (IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'); }

bool IsAlnumChar(int c) { return IsAsciiLetter(c) || IsAsciiDigit(c); }

int IsIdentifier(const char* s, int* badPos) {
  auto fail = [badPos](int pos) {
    if (badPos) *badPos = pos;
    return 0;
  };
  if (!s || !IsAsciiLetter(static_cast<unsigned char>(s[0]))) return fail(0);
  for (int i = 1; s[i]; ++i)
    if (!IsIdentChar(static_cast<unsigned char>(s[i]))) return fail(i);
  return 1;
}

int CountLeadingDigits(const char* s, int len) {
  if (!s) return 0;
  int n = len > 0 ? static_cast<int>(strnlen(s, static_cast<size_t>(len))) : static_cast<int>(std::strlen(s));
  for (int i = 0; i < n; ++i)
    if (!IsAsciiDigit(s[i])) return i;
  return n;  // the terminator, when it comes within len, is the first non-digit
}

bool IsAllDigits(const char* s, int len) {
  if (!s) return false;
  int n = len > 0 ? len : static_cast<int>(std::strlen(s));
  return CountLeadingDigits(s, len) == n;
}

int CountLeadingDigitsWide(const AString& s, int maxUnits) {
  std::u16string units = UnitsOf(s);
  int n = static_cast<int>(units.size());
  if (maxUnits > 0 && maxUnits < n) n = maxUnits;
  for (int i = 0; i < n; ++i)
    if (units[i] > 0xFF || !IsAsciiDigit(units[i])) return i;
  return n;
}

bool IsAllDigitsText(const AString& s, int n) {
  if (s.IsWide()) {
    int units = s.GetLength() / 2;
    int want = n > 0 ? n : units;
    return CountLeadingDigitsWide(s, want) == want;
  }
  return IsAllDigits(s.GetData(), n);
}

int HexDigitValue(int c, int* value) {
  int kind = 0, v = 0;
  if (c >= '0' && c <= '9') {
    kind = 1, v = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    kind = 2, v = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    kind = 3, v = c - 'A' + 10;
  }
  if (kind && value) *value = v;
  return kind;
}

int TrimWhitespace(char* s, int len) {
  if (!s) return 0;
  size_t n = std::strlen(s);
  size_t scope = len > 0 ? std::min(n, static_cast<size_t>(len)) : n;
  bool allBlank = true;
  for (size_t i = 0; i < scope && allBlank; ++i) allBlank = IsBlank(s[i]);
  if (allBlank) return 0;
  std::string_view t = Trimmed(std::string_view(s, n));
  std::memmove(s, t.data(), t.size());
  s[t.size()] = 0;
  return 1;
}

int SplitAtTab(AString text, AString& before, AString& after) {
  const char* data = text.GetData();
  const void* tab = std::memchr(data, '\t', static_cast<size_t>(text.GetLength()));
  if (!tab) {
    before = text;
    after.Empty();
    return 1;
  }
  int at = static_cast<int>(static_cast<const char*>(tab) - data);
  before = AString(at, data);
  after = AString(text.GetLength() - at - 1, data + at + 1);
  return 1;
}

int SplitToStringArray(AArray<AString>& out, const char* text, char sep, bool stripQuotes) {
  int added = 0;
  std::string_view rest(text ? text : "");
  while (true) {
    size_t cut = rest.find(sep);
    bool last = cut == std::string_view::npos;
    std::string piece(Trimmed(last ? rest : rest.substr(0, cut)));
    if (last && stripQuotes) std::erase(piece, '"');
    if (!piece.empty()) {
      out.Add(AString(static_cast<int>(piece.size()), piece.data()));
      ++added;
    }
    if (last) break;
    rest.remove_prefix(cut + 1);
  }
  for (int i = 0; i < out.GetSize(); ++i) {
    AString& e = out[i];
    if (e.GetLength() <= 1) continue;
    std::string_view bytes(e.GetData(), static_cast<size_t>(e.GetLength()));
    bool hasOpen = bytes.find('(') != std::string_view::npos;
    bool hasClose = bytes.find(')') != std::string_view::npos;
    if (hasOpen == hasClose) continue;
    std::string fixed(bytes);
    std::erase(fixed, hasOpen ? '(' : ')');
    int codePage = e.GetCodePage();
    e = AString(static_cast<int>(fixed.size()), fixed.data());
    e.SetCodePage(codePage);
  }
  return added;
}

int MatchPairEitherOrder(const char* a1, const char* a2, const char* b1, const char* b2) {
  auto same = [](const char* x, const char* y) { return strcasecmp(x ? x : "", y ? y : "") == 0; };
  return (same(a1, b1) && same(a2, b2)) || (same(a1, b2) && same(a2, b1)) ? 1 : 0;
}

int StringChecksum(const char* s) {
  uint32_t sum = 0;
  if (!s) return 0;
  for (uint32_t i = 0; s[i]; ++i)
    sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(s[i]))) * (i % 10000);
  return static_cast<int>(sum);
}

uint32_t StringHash(const AString& s) {
  uint32_t h = 0;
  const char* p = s.GetData();
  for (int i = 0; i < s.GetLength(); ++i)
    h = h * 33 + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(p[i])));
  return h;
}

int FindWide(const AString& hay, const AString& needle, int start, bool ignoreCase) {
  std::u16string h = UnitsOf(hay), n = UnitsOf(needle);
  if (n.empty() || n.size() > h.size()) return -1;
  size_t last = h.size() - n.size();
  for (size_t i = start > 0 ? static_cast<size_t>(start) : 0; i <= last; ++i)
    if (MatchesAt(h, n, i, ignoreCase)) return static_cast<int>(i);
  return -1;
}

int ReverseFindWide(const AString& hay, const AString& needle, int start, bool ignoreCase) {
  std::u16string h = UnitsOf(hay), n = UnitsOf(needle);
  if (n.empty() || n.size() > h.size()) return -1;
  int last = static_cast<int>(h.size() - n.size());
  int from = start < 0 || start > last ? last : start;
  for (int i = from; i >= 0; --i)
    if (MatchesAt(h, n, static_cast<size_t>(i), ignoreCase)) return i;
  return -1;
}

FOUNDATION_END
