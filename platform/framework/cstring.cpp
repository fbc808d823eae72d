// The framework string's members that do more than forward to std::string.
#include "platform/framework/cstring.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/framework/resources.h"
#include "platform/resource/resource.h"

namespace {

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }
int Pos(size_t p) { return p == std::string::npos ? -1 : static_cast<int>(p); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

int CString::CompareNoCase(const char* other) const {
  const char* a = s_.c_str();
  const char* b = other ? other : "";
  for (;; ++a, ++b) {
    const int ca = std::tolower(static_cast<unsigned char>(*a)), cb = std::tolower(static_cast<unsigned char>(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!ca) return 0;
  }
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  return Pos(s_.find(ch, static_cast<size_t>(start)));
}

int CString::Find(const char* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  return Pos(s_.find(sub, static_cast<size_t>(start)));
}

int CString::ReverseFind(char ch) const { return Pos(s_.rfind(ch)); }

int CString::FindOneOf(const char* set) const { return set ? Pos(s_.find_first_of(set)) : -1; }

CString CString::Left(int count) const { return CString(s_.substr(0, static_cast<size_t>(Clamp(count, 0, GetLength())))); }

CString CString::Right(int count) const {
  const int n = Clamp(count, 0, GetLength());
  return CString(s_.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  return CString(s_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString& CString::MakeUpper() {
  for (char& c : s_) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::MakeLower() {
  for (char& c : s_) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < s_.size() && IsBlank(s_[i])) ++i;
  s_.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  while (!s_.empty() && IsBlank(s_.back())) s_.pop_back();
  return *this;
}

CString& CString::TrimLeft(const char* set) {
  if (set) s_.erase(0, std::min(s_.size(), s_.find_first_not_of(set)));
  return *this;
}

CString& CString::TrimRight(const char* set) {
  if (!set) return *this;
  const size_t last = s_.find_last_not_of(set);
  s_.erase(last == std::string::npos ? 0 : last + 1);
  return *this;
}

int CString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  const std::string_view f(from), t(to ? to : "");
  int count = 0;
  for (size_t p = s_.find(f); p != std::string::npos; p = s_.find(f, p + t.size())) {
    s_.replace(p, f.size(), t);
    ++count;
  }
  return count;
}

int CString::Replace(char from, char to) {
  int count = 0;
  for (char& c : s_)
    if (c == from) c = to, ++count;
  return count;
}

int CString::Remove(char ch) {
  const size_t before = s_.size();
  s_.erase(std::remove(s_.begin(), s_.end(), ch), s_.end());
  return static_cast<int>(before - s_.size());
}

int CString::Insert(int index, const char* text) {
  if (text) s_.insert(static_cast<size_t>(Clamp(index, 0, GetLength())), text);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index >= 0 && index < GetLength() && count > 0)
    s_.erase(static_cast<size_t>(index), static_cast<size_t>(std::min(count, GetLength() - index)));
  return GetLength();
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (n < 0) {
    va_end(again);
    s_.clear();
    return;
  }
  std::vector<char> buffer(static_cast<size_t>(n) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, again);
  va_end(again);
  s_.assign(buffer.data(), static_cast<size_t>(n));
}

BOOL CString::LoadString(UINT id) {
  char buffer[4096];
  const int n = LoadStringA(AfxGetResourceHandle(), id, buffer, static_cast<int>(sizeof buffer));
  if (n <= 0) return FALSE;
  s_.assign(buffer, static_cast<size_t>(n));
  return TRUE;
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) s_.resize(static_cast<size_t>(minLength));
  return s_.data();
}

char* CString::GetBufferSetLength(int length) {
  s_.resize(static_cast<size_t>(std::max(length, 0)));
  return s_.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(s_.c_str()));
  s_.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}
