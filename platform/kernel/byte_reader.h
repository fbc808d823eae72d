// The one reader of bytes that come from outside (files, resources, records,
// the clipboard): little-endian and big-endian integers, UTF-16 text, skips
// and sub-readers, every read checked against the end.
//
// Two ways to read, on the same bytes:
//   - in order: U32(), Skip(n), Sub(n)... move the position; a read that does
//     not fit answers 0 (or an empty span or reader), leaves the position
//     where it was and marks the reader failed; every read in order after
//     that answers 0 too, so a parser can read a whole structure and ask
//     ok() once;
//   - at an offset: U32At(k), SubAt(k, n)... leave the position alone and
//     answer 0 or an empty reader when the range does not lie inside; Has(k, n)
//     asks first. Offsets and counts may be anything a file says (64-bit
//     arithmetic, no wrap-around).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(data ? size : 0) {}
  explicit ByteReader(std::span<const uint8_t> bytes) : ByteReader(bytes.data(), bytes.size()) {}

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  size_t position() const { return pos_; }
  size_t remaining() const { return size_ - pos_; }
  // False once any read in order has run past the end.
  bool ok() const { return !failed_; }
  bool AtEnd() const { return pos_ == size_; }

  // Whether [offset, offset + count) lies inside.
  bool Has(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }
  // Whether count more bytes can be read in order.
  bool HasMore(uint64_t count) const { return count <= remaining(); }

  // --- At an offset; the position does not move.
  uint8_t U8At(uint64_t offset) const { return Has(offset, 1) ? data_[offset] : 0; }
  uint16_t U16At(uint64_t offset) const { return Has(offset, 2) ? Le16(data_ + offset) : 0; }
  uint32_t U32At(uint64_t offset) const { return Has(offset, 4) ? Le32(data_ + offset) : 0; }
  uint64_t U64At(uint64_t offset) const { return Has(offset, 8) ? Le64(data_ + offset) : 0; }
  int16_t I16At(uint64_t offset) const { return static_cast<int16_t>(U16At(offset)); }
  int32_t I32At(uint64_t offset) const { return static_cast<int32_t>(U32At(offset)); }
  uint16_t U16BEAt(uint64_t offset) const { return Has(offset, 2) ? Be16(data_ + offset) : 0; }
  uint32_t U32BEAt(uint64_t offset) const { return Has(offset, 4) ? Be32(data_ + offset) : 0; }
  // The bytes of a range; empty when it does not lie inside.
  std::span<const uint8_t> BytesAt(uint64_t offset, uint64_t count) const {
    return Has(offset, count) ? std::span<const uint8_t>(data_ + offset, static_cast<size_t>(count))
                              : std::span<const uint8_t>();
  }
  // A reader over a range; an empty one when the range does not lie inside.
  ByteReader SubAt(uint64_t offset, uint64_t count) const {
    return Has(offset, count) ? ByteReader(data_ + offset, static_cast<size_t>(count)) : ByteReader();
  }
  // Everything from offset to the end; empty past the end.
  ByteReader From(uint64_t offset) const { return offset <= size_ ? SubAt(offset, size_ - offset) : ByteReader(); }

  // --- In order.
  uint8_t U8() { return Take(1) ? data_[pos_ - 1] : 0; }
  uint16_t U16() { return Take(2) ? Le16(data_ + pos_ - 2) : 0; }
  uint32_t U32() { return Take(4) ? Le32(data_ + pos_ - 4) : 0; }
  uint64_t U64() { return Take(8) ? Le64(data_ + pos_ - 8) : 0; }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  uint16_t U16BE() { return Take(2) ? Be16(data_ + pos_ - 2) : 0; }
  uint32_t U32BE() { return Take(4) ? Be32(data_ + pos_ - 4) : 0; }
  std::span<const uint8_t> Bytes(uint64_t count) {
    return Take(count) ? std::span<const uint8_t>(data_ + pos_ - count, static_cast<size_t>(count))
                       : std::span<const uint8_t>();
  }
  // The next count bytes as a reader of their own.
  ByteReader Sub(uint64_t count) {
    return Take(count) ? ByteReader(data_ + pos_ - count, static_cast<size_t>(count)) : ByteReader();
  }
  bool Skip(uint64_t count) { return Take(count); }
  // Moves to an absolute offset (the end included).
  bool Seek(uint64_t offset) {
    if (offset > size_) return Fail();
    pos_ = static_cast<size_t>(offset);
    return true;
  }
  // Moves to the next multiple of `alignment` counted from the start.
  bool Align(size_t alignment) {
    const size_t over = alignment ? pos_ % alignment : 0;
    return over == 0 || Skip(alignment - over);
  }
  // UTF-16LE text of count units.
  std::u16string Utf16(uint64_t count) {
    if (count > remaining() / 2) {
      Fail();
      return {};
    }
    std::u16string text(static_cast<size_t>(count), u'\0');
    for (auto& c : text) c = static_cast<char16_t>(U16());
    return text;
  }
  // UTF-16LE text up to a zero unit, which is read too. Without one before
  // the end, nothing is read and the reader fails.
  std::u16string Utf16z() {
    for (size_t at = pos_; at + 2 <= size_; at += 2) {
      if (Le16(data_ + at) == 0) {
        std::u16string text = Utf16((at - pos_) / 2);
        U16();
        return text;
      }
    }
    Fail();
    return {};
  }

  static uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
  static uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
  }
  static uint64_t Le64(const uint8_t* p) { return uint64_t{Le32(p)} | uint64_t{Le32(p + 4)} << 32; }
  static uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
  static uint32_t Be32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
  }

 private:
  bool Take(uint64_t count) {
    if (failed_ || count > remaining()) return Fail();
    pos_ += static_cast<size_t>(count);
    return true;
  }
  bool Fail() {
    failed_ = true;
    return false;
  }

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;
  bool failed_ = false;
};
