// AString concatenation and comparison.
#include <algorithm>
#include <cstring>
#include <strings.h>

#include "foundation/codepage/codepage.h"
#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

// Whether `p` points into the text of `s`'s block (appending a string's own
// bytes must survive the reallocation that makes room for them).
bool PointsInto(const AString& s, const char* p) {
  const char* begin = s.GetData();
  return p >= begin && p <= begin + s.GetLength();
}

}  // namespace

void AString::Append(const char* bytes, int count) {
  if (count <= 0 || !bytes) return;
  const long long total = static_cast<long long>(GetLength()) + count;
  if (total > kMaxTextLength) std::abort();
  const bool own = PointsInto(*this, bytes);
  const ptrdiff_t offset = bytes - data_;
  AString keep;
  if (own) keep = *this;  // keeps the source bytes alive through the reallocation
  Reserve(static_cast<int>(total));
  if (own) bytes = keep.data_ + offset;
  AStringHeader* h = GetHeader();
  std::memcpy(data_ + h->length, bytes, static_cast<size_t>(count));
  h->length = static_cast<int>(total);
  data_[h->length] = 0;
}

void AString::AppendAsWide(const char* bytes, int count) {
  if (count <= 0 || !bytes) return;
  const long long total = static_cast<long long>(GetLength()) + 2LL * count;
  if (total > kMaxTextLength) std::abort();
  const bool own = PointsInto(*this, bytes);
  const ptrdiff_t offset = bytes - data_;
  AString keep;
  if (own) keep = *this;
  Reserve(static_cast<int>(total));
  if (own) bytes = keep.data_ + offset;
  AStringHeader* h = GetHeader();
  char* out = data_ + h->length;
  for (int i = 0; i < count; ++i) {
    out[2 * i] = bytes[i];
    out[2 * i + 1] = 0;
  }
  h->length = static_cast<int>(total);
  data_[h->length] = 0;
  data_[h->length + 1] = 0;  // within the block's slack
}

AString& AString::operator+=(const AString& other) {
  if (other.IsEmpty()) return *this;
  const AString src(other);  // keeps the source alive when it is this string
  const int srcCodePage = src.GetCodePage();
  if constexpr (!kLibraryBuild) {
    if (!IsCjkCodePage(GetCodePage()) && IsCjkCodePage(srcCodePage)) SetCodePage(srcCodePage);
  }
  if (IsWide() == src.IsWide()) {
    Append(src.GetData(), src.GetLength());
  } else if (IsWide()) {
    AppendAsWide(src.GetData(), src.GetLength());
    SetFlagByte(0);
  } else {
    ConvertToWide(-1);  // the library's build leaves the text narrow
    Append(src.GetData(), src.GetLength());
  }
  return *this;
}

AString& AString::operator+=(const char* text) {
  if (!text || !*text) return *this;
  const size_t n = std::strlen(text);
  if (n > static_cast<size_t>(kMaxTextLength)) std::abort();
  if (IsWide()) {
    AppendAsWide(text, static_cast<int>(n));
  } else {
    Append(text, static_cast<int>(n));
  }
  return *this;
}

AString& AString::operator+=(char c) {
  if (IsWide()) {
    AppendAsWide(&c, 1);
  } else {
    Append(&c, 1);
  }
  return *this;
}

int AString::Compare(const char* text) const { return std::strcmp(data_, text ? text : ""); }

int AString::CompareNoCase(const char* text) const { return strcasecmp(data_, text ? text : ""); }

// ---- Free operators ---------------------------------------------------------

AString operator+(const AString& a, const AString& b) {
  AString result(a);
  result += b;
  return result;
}

AString operator+(const AString& a, const char* b) {
  AString result(a);
  result += b;
  return result;
}

AString operator+(const AString& a, char b) {
  AString result(a);
  result += b;
  return result;
}

namespace {

// Builds `prefix` followed by `s`: the prefix widened when s is wide.
AString JoinInFront(const char* prefix, int prefixLen, const AString& s) {
  const bool wide = s.IsWide();
  AString result(prefixLen * (wide ? 2 : 1) + s.GetLength());
  result.SetWide(wide);
  result.SetCodePage(s.GetCodePage());
  if (wide) {
    result.AppendAsWide(prefix, prefixLen);
  } else {
    result.Append(prefix, prefixLen);
  }
  result.Append(s.GetData(), s.GetLength());
  return result;
}

}  // namespace

AString operator+(const char* a, const AString& b) {
  const size_t n = a ? std::strlen(a) : 0;
  if (n > static_cast<size_t>(kMaxTextLength)) std::abort();
  return JoinInFront(a ? a : "", static_cast<int>(n), b);
}

AString operator+(char a, const AString& b) { return JoinInFront(&a, 1, b); }

bool operator==(const AString& a, const AString& b) { return BytesOf(a) == BytesOf(b); }

bool operator==(const AString& a, const char* b) { return BytesOf(a) == std::string_view(b ? b : ""); }

bool AStringNotEquals(const AString& a, const AString& b) { return !(a == b); }

FOUNDATION_END
