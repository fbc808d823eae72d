// The values one byte takes in the C40, Text, X12 and EDIFACT encodation
// schemes, shared by the writing of codewords and the search that counts them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kalvo::datamatrix {

// Values waiting for their codewords: at most two C40/Text/X12 values (or
// three EDIFACT values) plus the up to four values of one character.
class PendingValues {
 public:
  constexpr size_t size() const { return size_; }
  constexpr bool empty() const { return size_ == 0; }
  constexpr void push_back(uint8_t v) { values_[size_++] = v; }
  constexpr void clear() { size_ = 0; }
  constexpr uint8_t operator[](size_t i) const { return values_[i]; }
  const uint8_t* begin() const { return values_.data(); }
  const uint8_t* end() const { return values_.data() + size_; }
  void DropFront(size_t n) {
    for (size_t i = n; i < size_; ++i) values_[i - n] = values_[i];
    size_ = static_cast<uint8_t>(size_ - n);
  }

 private:
  std::array<uint8_t, 8> values_{};
  uint8_t size_ = 0;
};

constexpr bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
constexpr bool EdifactEncodable(uint8_t c) { return c >= 32 && c <= 94; }

// C40 (text = false) or Text (text = true) values of one byte.
constexpr void C40Values(uint8_t c, bool text, PendingValues& out) {
  if (c >= 128) {
    out.push_back(1);
    out.push_back(30);
    c = static_cast<uint8_t>(c - 128);
  }
  const uint8_t upperBase = text ? 'a' : 'A';  // letters of the basic set
  const uint8_t otherBase = text ? 'A' : 'a';  // letters of shift 3
  if (c == ' ') {
    out.push_back(3);
  } else if (IsDigit(c)) {
    out.push_back(static_cast<uint8_t>(c - '0' + 4));
  } else if (c >= upperBase && c < upperBase + 26) {
    out.push_back(static_cast<uint8_t>(c - upperBase + 14));
  } else if (c < 32) {
    out.push_back(0);
    out.push_back(c);
  } else if (c >= 33 && c <= 47) {
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(c - 33));
  } else if (c >= 58 && c <= 64) {
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(c - 58 + 15));
  } else if (c >= 91 && c <= 95) {
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(c - 91 + 22));
  } else if (c == 96) {
    out.push_back(2);
    out.push_back(0);
  } else if (c >= otherBase && c < otherBase + 26) {
    out.push_back(2);
    out.push_back(static_cast<uint8_t>(c - otherBase + 1));
  } else {  // 123..127
    out.push_back(2);
    out.push_back(static_cast<uint8_t>(c - 123 + 27));
  }
}

constexpr int X12Value(uint8_t c) {
  if (c == '\r') return 0;
  if (c == '*') return 1;
  if (c == '>') return 2;
  if (c == ' ') return 3;
  if (IsDigit(c)) return c - '0' + 4;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 14;
  return -1;
}

}  // namespace kalvo::datamatrix
