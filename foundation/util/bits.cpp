#include "foundation/util/bits.h"

#include <cstdlib>
#include <cstring>

FOUNDATION_BEGIN

int ReverseBits8(int b) {
  int r = 0;
  for (int i = 0; i < 8; ++i)
    if (b & (1 << i)) r |= 0x80 >> i;
  return r;
}

int BytesForBits(int n) { return static_cast<int>((static_cast<long long>(n) + 7) / 8); }

void ShiftBufferRight(uint8_t* buf, int len, int bits) {
  if (!buf || len <= 0 || bits <= 0) return;
  long long byteShift = bits / 8;
  int bitShift = bits % 8;
  if (byteShift >= len) {
    std::memset(buf, 0, static_cast<size_t>(len));
    return;
  }
  for (int i = len - 1; i >= 0; --i) {
    long long src = i - byteShift;
    unsigned v = 0;
    if (src >= 0) {
      v = buf[src] >> bitShift;
      if (bitShift && src > 0) v |= (buf[src - 1] << (8 - bitShift)) & 0xFF;
    }
    buf[i] = static_cast<uint8_t>(v);
  }
}

int RandomRange(int a, int b) {
  long long span = static_cast<long long>(b) - a;
  return static_cast<int>(a + static_cast<long long>(std::rand()) * span / RAND_MAX);
}

FOUNDATION_END
