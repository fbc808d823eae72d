// Little helpers that read numbers from a data source. Every read goes
// through ReadBytes, so running out of data raises the end-of-data exception.
#pragma once

#include <cstdint>

#include "image/bitmap/pltextexception.h"
#include "image/io/pldatasource.h"

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
inline uint16_t LE16At(const PLBYTE* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t LE32At(const PLBYTE* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t BE16At(const PLBYTE* p) { return uint16_t(p[0] << 8 | p[1]); }
inline uint32_t BE32At(const PLBYTE* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

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

// Reads numbers out of a block already taken whole from a source, for
// optional parts a decoder may stop reading quietly: a read past the end
// sets the failed flag and gives 0 (nullptr from Take), without moving.
struct BlockReader {
  const PLBYTE* data;
  uint32_t size;
  uint32_t pos = 0;
  bool failed = false;

  const PLBYTE* Take(uint32_t n) {
    if (failed || n > size - pos) {
      failed = true;
      return nullptr;
    }
    const PLBYTE* p = data + pos;
    pos += n;
    return p;
  }
  // Big-endian numbers.
  uint32_t U32() {
    const PLBYTE* p = Take(4);
    return p ? BE32At(p) : 0;
  }
  uint16_t U16() {
    const PLBYTE* p = Take(2);
    return p ? BE16At(p) : 0;
  }
  uint8_t U8() {
    const PLBYTE* p = Take(1);
    return p ? *p : 0;
  }
};

// Pixels per metre to dots per inch; 1 or less counts as not stated.
inline int DpiFromPixelsPerMetre(int32_t ppm) {
  if (ppm <= 0) return 0;
  int dpi = int(float(ppm) * 0.025400052f + 0.5f);
  return dpi <= 1 ? 0 : dpi;
}

}  // namespace pl_read
