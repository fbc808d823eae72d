#include "image/decode/plpnmscan.h"

#include "image/bitmap/pltextexception.h"
#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

namespace pl_pnm {

namespace {

// Numbers larger than this are refused (sides and maximum values alike).
constexpr int kMaxNumber = 1 << 24;

bool IsSpace(PLBYTE c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f'; }

// Skips whitespace and comments; false at the end of the data.
bool SkipSeparators(PLDataSource& s) {
  while (s.GetBytesLeft() > 0) {
    const PLBYTE c = *s.PeekBytes(1);
    if (IsSpace(c)) {
      s.ReadBytes(1);
    } else if (c == '#') {
      while (s.GetBytesLeft() > 0) {
        const PLBYTE d = *s.ReadBytes(1);
        if (d == '\n' || d == '\r') break;
      }
    } else {
      return true;
    }
  }
  return false;
}

// A decimal number; -1 when there is none or it is too large. The
// character after it is consumed.
int ReadNumber(PLDataSource& s) {
  if (!SkipSeparators(s)) throw PLTextException(PL_ERREND_OF_DATA, "End of file reached while decoding.\n");
  int value = 0;
  int digits = 0;
  while (s.GetBytesLeft() > 0) {
    const PLBYTE c = *s.ReadBytes(1);
    if (c < '0' || c > '9') break;
    if (value > kMaxNumber) return -1;
    value = value * 10 + (c - '0');
    ++digits;
  }
  return digits ? value : -1;
}

int Scale(int v, int maxValue) {
  if (v > maxValue) v = maxValue;
  return maxValue == 255 ? v : v * 255 / maxValue;
}

}  // namespace

bool ReadHeader(PLDataSource& s, char text, char binary, const char* error, PLPNMHeader& header) {
  header = PLPNMHeader{};
  const PLBYTE* id = s.ReadBytes(2);
  if (id[0] != 'P' || (id[1] != text && id[1] != binary)) {
    RaiseError(2, error);
    return false;
  }
  header.type = id[1] == text ? 0 : 1;
  header.width = ReadNumber(s);
  header.height = ReadNumber(s);
  header.maxValue = ReadNumber(s);
  if (header.width <= 0 || header.height <= 0 || header.maxValue <= 0 || header.maxValue > 65535) {
    RaiseError(2, "PNM header has an illegal size or maximum value.");
    return false;
  }
  return true;
}

int ReadTextSample(PLDataSource& s, int maxValue) {
  int v = ReadNumber(s);
  if (v < 0) throw PLTextException(PL_ERREND_OF_DATA, "End of file reached while decoding.\n");
  return Scale(v, maxValue);
}

int ReadBinarySample(PLDataSource& s, int maxValue) {
  if (maxValue <= 255) return Scale(*s.ReadBytes(1), maxValue);
  return Scale(pl_read::BE16(s), maxValue);
}

}  // namespace pl_pnm
