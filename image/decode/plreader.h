// Little helpers that read numbers from a data source. Every read goes
// through ReadBytes, so running out of data raises the end-of-data exception.
#pragma once

#include <cstdint>

#include "image/bitmap/pltextexception.h"
#include "image/io/pldatasource.h"
#include "platform/kernel/byte_reader.h"

namespace pl_read {

inline uint8_t U8(PLDataSource& s) { return *s.ReadBytes(1); }
inline uint16_t LE16(PLDataSource& s) {
  const PLBYTE* p = s.ReadBytes(2);
  return uint16_t(p[0] | p[1] << 8);
}
inline uint32_t LE32(PLDataSource& s) {
  const PLBYTE* p = s.ReadBytes(4);
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t BE16(PLDataSource& s) {
  const PLBYTE* p = s.ReadBytes(2);
  return uint16_t(p[0] << 8 | p[1]);
}
inline uint32_t BE32(PLDataSource& s) {
  const PLBYTE* p = s.ReadBytes(4);
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
// Numbers inside a block already taken whole from a source (ReadBytes checked
// its length), in the platform reader's byte orders.
inline uint16_t LE16At(const PLBYTE* p) { return ByteReader::Le16(p); }
inline uint32_t LE32At(const PLBYTE* p) { return ByteReader::Le32(p); }
inline uint16_t BE16At(const PLBYTE* p) { return ByteReader::Be16(p); }
inline uint32_t BE32At(const PLBYTE* p) { return ByteReader::Be32(p); }

// Skips n bytes forwards; a count that is negative or larger than what is
// left raises the end-of-data exception instead of moving.
inline void Skip(PLDataSource& s, int64_t n) {
  if (n < 0 || n > s.GetBytesLeft()) throw PLTextException(PL_ERREND_OF_DATA, "End of file reached while decoding.\n");
  s.ReadBytes(int(n));
}

// Before a bitmap is allocated for a picture: the end-of-data exception
// when the data left cannot hold the least number of bytes the picture
// needs, so that a short file cannot make the decoder allocate for sizes
// it does not have.
inline void RequireBytes(PLDataSource& s, uint64_t needed) {
  if (needed > uint64_t(s.GetBytesLeft())) throw PLTextException(PL_ERREND_OF_DATA, "End of file reached while decoding.\n");
}

// Reads big-endian numbers in order out of a block already taken whole from
// a source, for optional parts a decoder may stop reading quietly: the
// platform's bounded reader, so a read past the end marks it failed and gives
// 0 (nullptr from Take), without moving.
class BlockReader : public ByteReader {
 public:
  BlockReader(const PLBYTE* data, uint32_t size) : ByteReader(data, size) {}
  bool failed() const { return !ok(); }
  const PLBYTE* Take(uint32_t n) {
    const auto bytes = Bytes(n);
    return ok() ? bytes.data() : nullptr;
  }
  uint32_t U32() { return U32BE(); }
  uint16_t U16() { return U16BE(); }
};

// Pixels per metre to dots per inch; 1 or less counts as not stated.
inline int DpiFromPixelsPerMetre(int32_t ppm) {
  if (ppm <= 0) return 0;
  int dpi = int(float(ppm) * 0.025400052f + 0.5f);
  return dpi <= 1 ? 0 : dpi;
}

}  // namespace pl_read
