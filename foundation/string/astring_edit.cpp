// AString editing: insertion, deletion, replacing, trimming, case, reversing.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"
#include "platform/nls/nls.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

bool InSet(const char* set, char c) { return c != 0 && std::strchr(set, c) != nullptr; }

// The bytes to insert for `count` bytes of text: widened when the target is wide.
std::string BytesToInsert(const char* text, int count, bool wide) {
  std::string out;
  out.reserve(static_cast<size_t>(count) * (wide ? 2 : 1));
  for (int i = 0; i < count; ++i) {
    out.push_back(text[i]);
    if (wide) out.push_back(0);
  }
  return out;
}

}  // namespace

// ---- Insertion --------------------------------------------------------------

namespace {

// Inserts raw bytes at a byte offset within [0, length].
void InsertBytes(AString& s, int offset, std::string_view bytes) {
  if (bytes.empty()) return;
  const int length = s.GetLength();
  if (static_cast<long long>(length) + static_cast<long long>(bytes.size()) > kMaxTextLength) std::abort();
  const int n = static_cast<int>(bytes.size());
  s.Reserve(length + n);
  char* text = s.GetData();
  std::memmove(text + offset + n, text + offset, static_cast<size_t>(length - offset));
  std::memcpy(text + offset, bytes.data(), bytes.size());
  s.GetHeader()->length = length + n;
  text[length + n] = 0;
}

}  // namespace

int AString::Insert(int pos, char c) {
  pos = std::clamp(pos, 0, GetLength());
  if (IsWide()) pos &= ~1;  // keep whole UTF-16 units
  InsertBytes(*this, pos, BytesToInsert(&c, 1, IsWide()));
  return GetLength();
}

int AString::InsertChar(int index, char c) {
  if (index < 0) index = 0;
  int offset = 0;
  if (IsWide()) {
    offset = std::min(2 * index, GetLength());
  } else if (WalksByCharacters()) {
    offset = ByteOffsetOfChar(BytesOf(*this), index, GetCodePage());
  } else {
    offset = std::min(index, GetLength());
  }
  InsertBytes(*this, offset, BytesToInsert(&c, 1, IsWide()));
  return GetCharCount();
}

int AString::Insert(int index, const char* text, int count) {
  if (!text) return GetLength();
  const int n = count <= 0 ? static_cast<int>(std::strlen(text))
                           : static_cast<int>(strnlen(text, static_cast<size_t>(count)));
  if (n == 0) return GetLength();
  if (index < 0) index = 0;
  if (index >= GetCharCount()) {
    if (IsWide()) {
      AppendAsWide(text, n);
    } else {
      Append(text, n);
    }
    return GetCharCount();
  }
  int offset = index;
  if (IsWide()) {
    offset = 2 * index;
  } else if (WalksByCharacters()) {
    offset = ByteOffsetOfChar(BytesOf(*this), index, GetCodePage());
  }
  // Copy first: the text may be part of this string.
  const std::string bytes = BytesToInsert(text, n, IsWide());
  InsertBytes(*this, offset, bytes);
  return GetLength();
}

// ---- Deletion ---------------------------------------------------------------

int AString::Delete(int first, int count) {
  if (count < 1) return GetLength();
  if (first < 0) first = 0;
  const std::string_view text = BytesOf(*this);
  int begin = 0;
  int end = 0;
  if (IsWide()) {
    const int units = GetLength() / 2;
    if (first >= units) return GetLength();
    begin = 2 * first;
    end = 2 * (first + std::min(count, units - first));
  } else if (WalksByCharacters()) {
    begin = ByteOffsetOfChar(text, first, GetCodePage());
    if (begin >= GetLength()) return GetLength();
    end = begin + ByteOffsetOfChar(text.substr(begin), count, GetCodePage());
  } else {
    if (first >= GetLength()) return GetLength();
    begin = first;
    end = first + std::min(count, GetLength() - first);
  }
  CopyBeforeWrite();
  const int length = GetLength();
  std::memmove(data_ + begin, data_ + end, static_cast<size_t>(length - end));
  GetHeader()->length = length - (end - begin);
  data_[GetHeader()->length] = 0;
  return GetLength();
}

int AString::DeleteAt(int first, int count) {
  Delete(first, count);
  return GetCharCount();
}

void AString::DeleteFront(int count) {
  if (count >= GetLength()) {
    Empty();
  } else {
    Delete(0, count);
  }
}

void AString::DeleteBack(int count) {
  if (count >= GetLength()) {
    Empty();
  } else if (count > 0) {
    Truncate(GetLength() - count);
  }
}

void AString::Truncate(int length) {
  if (length < 0) length = 0;
  if (length >= GetLength()) return;
  CopyBeforeWrite();
  GetHeader()->length = length;
  data_[length] = 0;
}

// ---- Byte edits -------------------------------------------------------------

int AString::Remove(char c) {
  const int removed = static_cast<int>(std::count(data_, data_ + GetLength(), c));
  if (removed == 0) return 0;
  CopyBeforeWrite();
  char* end = std::remove(data_, data_ + GetLength(), c);
  GetHeader()->length = static_cast<int>(end - data_);
  *end = 0;
  return removed;
}

int AString::Replace(char from, char to) {
  const int count = static_cast<int>(std::count(data_, data_ + GetLength(), from));
  if (count == 0 || from == to) return count;
  CopyBeforeWrite();
  std::replace(data_, data_ + GetLength(), from, to);
  return count;
}

namespace {

// Replaces every non-overlapping occurrence of `find` (scanned left to right)
// in `s`, stepping `unit` bytes at a time. Returns the number of occurrences.
int ReplaceAll(AString& s, std::string_view find, std::string_view repl, size_t unit) {
  if (find.empty()) return 0;
  const std::string_view text = BytesOf(s);
  std::string result;
  int count = 0;
  size_t pos = 0;
  size_t copied = 0;
  while (pos + find.size() <= text.size()) {
    if (text.compare(pos, find.size(), find) == 0) {
      result.append(text.substr(copied, pos - copied));
      result.append(repl);
      pos += find.size();
      copied = pos;
      ++count;
    } else {
      pos += unit;
    }
  }
  if (count == 0) return 0;
  result.append(text.substr(copied));
  if (result.size() > static_cast<size_t>(kMaxTextLength)) std::abort();
  const int newLength = static_cast<int>(result.size());
  if (newLength + 16 > s.GetHeader()->capacity) {
    s.Reserve(newLength);
  } else {
    s.CopyBeforeWrite(s.GetHeader()->capacity);
  }
  std::memcpy(s.GetData(), result.data(), result.size());
  s.GetHeader()->length = newLength;
  s.GetData()[newLength] = 0;
  return count;
}

}  // namespace

int AString::Replace(const char* find, const char* repl, int findLen, int replLen) {
  if (!find) return 0;
  if (findLen <= 0) findLen = static_cast<int>(std::strlen(find));
  if (!repl) repl = "";
  if (replLen <= 0) replLen = static_cast<int>(std::strlen(repl));
  return ReplaceAll(*this, std::string_view(find, static_cast<size_t>(findLen)),
                    std::string_view(repl, static_cast<size_t>(replLen)), 1);
}

int AString::Replace(const AString& find, const AString& repl) {
  if (find.IsWide() && repl.IsWide()) {
    const AString f(find);
    const AString r(repl);
    return ReplaceAll(*this, BytesOf(f), BytesOf(r), 2);
  }
  AString f(find);
  AString r(repl);
  if (f.IsWide()) f.ConvertToMultiByte(-1);
  if (r.IsWide()) r.ConvertToMultiByte(-1);
  return ReplaceAll(*this, BytesOf(f), BytesOf(r), 1);
}

int AString::KeepDigits() {
  const auto notDigit = [](char c) { return c < '0' || c > '9'; };
  if (std::none_of(data_, data_ + GetLength(), notDigit)) return GetLength();
  CopyBeforeWrite();
  char* end = std::remove_if(data_, data_ + GetLength(), notDigit);
  GetHeader()->length = static_cast<int>(end - data_);
  *end = 0;
  return GetLength();
}

// ---- Appending --------------------------------------------------------------

int AString::AppendRepeated(char c, int count) {
  if (count >= 1) {
    const std::string run(static_cast<size_t>(count), c);
    if (IsWide()) {
      AppendAsWide(run.data(), count);
    } else {
      Append(run.data(), count);
    }
  }
  return GetCharCount();
}

int AString::AppendMasked(const AString& src, int group, char separator, bool invert) {
  if (group < 1) group = 1;
  const AString source(src);  // may be this string
  std::string bytes;
  int separators = 0;
  for (int i = 0; i < source.GetLength(); ++i) {
    const char c = source.GetData()[i];
    bytes.push_back(invert ? static_cast<char>(~c) : c);
    if ((i + 1) % group == 0) {
      bytes.push_back(separator);
      ++separators;
    }
  }
  if (IsWide()) {
    AppendAsWide(bytes.data(), static_cast<int>(bytes.size()));
  } else {
    Append(bytes.data(), static_cast<int>(bytes.size()));
  }
  return separators;
}

int AString::PadToWidth(int width, bool atEnd, bool trim) {
  if (trim) {
    TrimLeft();
    TrimRight();
  }
  const int d = width - GetLength();
  if (d > 0) {
    const std::string zeros(static_cast<size_t>(d), '0');
    if (atEnd) {
      Append(zeros.data(), d);
    } else {
      InsertBytes(*this, 0, zeros);
    }
  } else if (d < 0) {
    *this = Left(width);
  }
  return d;
}

// ---- Trimming and spans -----------------------------------------------------

namespace {

constexpr const char* kWhitespace = "\r\n \t";

// Whether the character (byte, or UTF-16 unit with high byte 0) at byte `pos`
// is in the set.
bool CharInSet(const AString& s, int pos, const char* set) {
  if (s.IsWide() && s.GetData()[pos + 1] != 0) return false;
  return InSet(set, s.GetData()[pos]);
}

}  // namespace

void AString::TrimLeft(const char* set) {
  if (!set) set = kWhitespace;
  const int step = IsWide() ? 2 : 1;
  int cut = 0;
  while (cut + step <= GetLength() && CharInSet(*this, cut, set)) cut += step;
  if (cut == 0) return;
  CopyBeforeWrite();
  std::memmove(data_, data_ + cut, static_cast<size_t>(GetLength() - cut));
  GetHeader()->length -= cut;
  data_[GetLength()] = 0;
}

void AString::TrimRight(const char* set) {
  if (!set) set = kWhitespace;
  if (WalksByCharacters()) {
    // Only whole single-byte characters are trimmed, never a trail byte.
    const std::string_view text = BytesOf(*this);
    size_t keep = 0;
    for (size_t pos = 0; pos < text.size();) {
      const int n = CharBytesAt(text, pos, GetCodePage());
      pos += n;
      if (n == 2 || !InSet(set, text[pos - 1])) keep = pos;
    }
    Truncate(static_cast<int>(keep));
    return;
  }
  const int step = IsWide() ? 2 : 1;
  int keep = GetLength() - GetLength() % step;
  while (keep >= step && CharInSet(*this, keep - step, set)) keep -= step;
  Truncate(keep);
}

void AString::TrimBoth(const char* set) {
  if (!set || !*set) set = "\r\n \t";
  TrimRight(set);
  TrimLeft(set);
}

AString AString::SpanIncluding(const char* set) {
  int n = 0;
  while (n < GetLength() && set && InSet(set, data_[n])) ++n;
  Truncate(n);
  return *this;
}

AString AString::SpanExcluding(const char* set) {
  int n = 0;
  while (n < GetLength() && !(set && InSet(set, data_[n]))) ++n;
  Truncate(n);
  return *this;
}

// ---- Case and order ---------------------------------------------------------

namespace {

// Byte-wise C library case mapping. On a string that walks by characters the
// pairs are stepped over: their trail bytes may be ASCII letters, and mapping
// one would turn the pair into a different character.
void MapCase(AString& s, int (*map)(int)) {
  s.CopyBeforeWrite();
  char* text = s.GetData();
  const std::string_view bytes(text, static_cast<size_t>(s.GetLength()));
  const bool walk = s.WalksByCharacters();
  for (size_t i = 0; i < bytes.size();) {
    if (walk && CharBytesAt(bytes, i, s.GetCodePage()) == 2) {
      i += 2;
      continue;
    }
    text[i] = static_cast<char>(map(static_cast<BYTE>(text[i])));
    ++i;
  }
}

}  // namespace

void AString::MakeUpper() { MapCase(*this, [](int c) { return std::toupper(c); }); }

void AString::MakeLower() { MapCase(*this, [](int c) { return std::tolower(c); }); }

void AString::ToUpper() {
  if (!IsWide()) {
    MakeUpper();
    return;
  }
  CopyBeforeWrite();
  for (int i = 0; i + 1 < GetLength(); i += 2) {
    if (data_[i + 1] == 0) data_[i] = static_cast<char>(std::toupper(static_cast<BYTE>(data_[i])));
  }
}

void AString::ToLower() {
  if (!IsWide()) {
    MakeLower();
    return;
  }
  CopyBeforeWrite();
  for (int i = 0; i + 1 < GetLength(); i += 2) {
    if (data_[i + 1] == 0) data_[i] = static_cast<char>(std::tolower(static_cast<BYTE>(data_[i])));
  }
}

void AString::MakeReverse() {
  CopyBeforeWrite();
  if (!IsWide()) {
    std::reverse(data_, data_ + GetLength());
    return;
  }
  const int units = GetLength() / 2;
  for (int i = 0, j = units - 1; i < j; ++i, --j) {
    std::swap(data_[2 * i], data_[2 * j]);
    std::swap(data_[2 * i + 1], data_[2 * j + 1]);
  }
}

void AString::AnsiToOem() {
  if (IsWide() || IsEmpty()) return;
  const std::string source(BytesOf(*this));
  CopyBeforeWrite();
  CharToOemBuffA(source.c_str(), data_, static_cast<DWORD>(source.size()));
}

FOUNDATION_END
