// The framework's string: narrow text in the process's ANSI code page, with
// the members the system's code calls. The bytes live in a std::string; the
// buffer calls hand out its storage for C-style writers.
#pragma once

#include <compare>
#include <string>
#include <string_view>

#include "platform/kernel/types.h"

class CString {
 public:
  CString() = default;
  CString(const char* text) : s_(text ? text : "") {}  // NOLINT: converts as the framework's does
  CString(const char* text, int length) : s_(text ? std::string(text, static_cast<size_t>(length)) : std::string()) {}
  CString(std::string_view text) : s_(text) {}  // NOLINT
  CString(char ch, int repeat = 1) : s_(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char* text) {
    s_ = text ? text : "";
    return *this;
  }
  CString& operator=(char ch) {
    s_.assign(1, ch);
    return *this;
  }

  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  operator const char*() const { return s_.c_str(); }  // NOLINT: the framework's string converts
  const char* GetString() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  std::string_view view() const { return s_; }

  char GetAt(int index) const { return s_.at(static_cast<size_t>(index)); }
  char operator[](int index) const { return GetAt(index); }
  void SetAt(int index, char ch) { s_.at(static_cast<size_t>(index)) = ch; }

  CString& operator+=(const CString& other) {
    s_ += other.s_;
    return *this;
  }
  CString& operator+=(const char* text) {
    if (text) s_ += text;
    return *this;
  }
  CString& operator+=(char ch) {
    s_ += ch;
    return *this;
  }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.s_ + b.s_); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.s_ + (b ? b : "")); }
  friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.s_); }
  friend CString operator+(const CString& a, char b) { return CString(a.s_ + b); }
  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, const char* b) { return a.s_ == (b ? b : ""); }
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.s_ <=> b.s_; }

  int Compare(const char* other) const { return s_.compare(other ? other : ""); }
  int CompareNoCase(const char* other) const;
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* set) const;
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString& MakeUpper();
  CString& MakeLower();
  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim() { return TrimRight().TrimLeft(); }
  CString& TrimLeft(const char* set);
  CString& TrimRight(const char* set);
  int Replace(const char* from, const char* to);
  int Replace(char from, char to);
  int Remove(char ch);
  int Insert(int index, const char* text);
  int Delete(int index, int count = 1);
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Loads a string resource of the program's module; FALSE when there is none.
  BOOL LoadString(UINT id);

  // A writable buffer of at least minLength characters (plus a terminator);
  // ReleaseBuffer(-1) takes the length up to the first zero.
  char* GetBuffer(int minLength = 0);
  char* GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

 private:
  std::string s_;
};
