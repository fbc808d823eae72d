// A bounded little-endian reader over resource data. Every read is checked
// against the end of the data; a read that does not fit fails the cursor and
// every later read returns zero, so a parser checks ok() once per record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace resource {

class ByteCursor {
 public:
  explicit ByteCursor(std::span<const uint8_t> data) : data_(data) {}

  bool ok() const { return ok_; }
  size_t offset() const { return offset_; }
  size_t remaining() const { return ok_ ? data_.size() - offset_ : 0; }
  bool AtEnd() const { return !ok_ || offset_ == data_.size(); }
  void Fail() { ok_ = false; }

  uint8_t U8() { return Has(1) ? data_[offset_++] : 0; }
  uint16_t U16() {
    if (!Has(2)) return 0;
    const uint16_t v = static_cast<uint16_t>(data_[offset_] | (data_[offset_ + 1] << 8));
    offset_ += 2;
    return v;
  }
  uint32_t U32() {
    const uint32_t lo = U16();
    const uint32_t hi = U16();
    return lo | (hi << 16);
  }
  int16_t I16() { return static_cast<int16_t>(U16()); }

  // The next size bytes; empty (and failed) when they are not all there.
  std::span<const uint8_t> Bytes(size_t size) {
    if (!Has(size)) return {};
    std::span<const uint8_t> out = data_.subspan(offset_, size);
    offset_ += size;
    return out;
  }
  void Skip(size_t size) { Bytes(size); }
  // Moves to the next multiple of alignment (counted from the data's start).
  void Align(size_t alignment) {
    const size_t pad = (alignment - offset_ % alignment) % alignment;
    if (ok_ && pad > data_.size() - offset_) {
      offset_ = data_.size();  // trailing padding may be cut off at the very end
      return;
    }
    Skip(pad);
  }
  // A zero-terminated UTF-16 string; fails when the terminator is missing.
  std::u16string Utf16z() {
    std::u16string s;
    for (;;) {
      if (!Has(2)) return {};
      const char16_t c = static_cast<char16_t>(U16());
      if (c == 0) return s;
      s.push_back(c);
    }
  }

 private:
  bool Has(size_t size) {
    if (ok_ && size <= data_.size() - offset_) return true;
    ok_ = false;
    return false;
  }
  std::span<const uint8_t> data_;
  size_t offset_ = 0;
  bool ok_ = true;
};

}  // namespace resource
