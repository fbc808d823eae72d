// The bulk pixel stores in each width. The wide ones write a run as one
// unaligned store at its start, aligned stores through its middle and one
// unaligned store that ends where the run ends (overlapping the one before
// it): a store that straddles two cache lines costs two, and every row of a
// bitmap shares one misalignment. Runs shorter than one store go through a
// mask (64 bytes) or narrower moves (32 bytes).
#include "platform/gdi/pixel_stores.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define TAV_WIDE_STORES 1
#endif

namespace gdi {
namespace {

// ---- 16 bytes: SSE2, which every x86-64 processor has (plain loops elsewhere;
// the compiler widens the value loops to 16-byte stores).

void Fill32Narrow(BYTE* p, size_t n, uint32_t v) {
  for (size_t i = 0; i < n; ++i) std::memcpy(p + 4 * i, &v, 4);
}

// The three bytes of a 24-bit value repeated over `bytes` bytes (a multiple
// of 3), for loading as whole vectors.
template <size_t Bytes>
struct Pattern24 {
  alignas(64) BYTE bytes[Bytes + 1];  // the last value's fourth byte spills over
  explicit Pattern24(uint32_t v) {
    for (size_t i = 0; i < Bytes; i += 3) std::memcpy(bytes + i, &v, 4);
  }
};

void Fill24Plain(BYTE* p, size_t n, uint32_t v) {
  const BYTE b0 = static_cast<BYTE>(v), b1 = static_cast<BYTE>(v >> 8), b2 = static_cast<BYTE>(v >> 16);
  for (size_t i = 0; i < n; ++i, p += 3) p[0] = b0, p[1] = b1, p[2] = b2;
}

// Runs of 24-bit values step by three vectors (a whole number of values);
// the last three vectors end where the run ends, so they start on a value too.
void Fill24Narrow(BYTE* p, size_t n, uint32_t v) {
#if defined(__SSE2__)
  const size_t bytes = n * 3;
  if (bytes < 48) {
    Fill24Plain(p, n, v);
    return;
  }
  const Pattern24<48> pattern(v);
  const __m128i a = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern.bytes));
  const __m128i b = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern.bytes + 16));
  const __m128i c = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern.bytes + 32));
  auto put = [&](BYTE* q) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(q), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(q + 16), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(q + 32), c);
  };
  for (size_t i = 0; i + 48 <= bytes; i += 48) put(p + i);
  put(p + bytes - 48);
#else
  Fill24Plain(p, n, v);
#endif
}

void CopyClearing32Narrow(BYTE* out, const BYTE* in, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    uint32_t v;
    std::memcpy(&v, in + 4 * i, 4);
    v &= 0xFFFFFFu;
    std::memcpy(out + 4 * i, &v, 4);
  }
}

// One plain 16-byte move a step, four to a loop.
inline void CopyNarrow(BYTE* out, const BYTE* in, size_t bytes) {
#if defined(__SSE2__)
  size_t i = 0;
  for (; i + 64 <= bytes; i += 64) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 32));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 48));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 16), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 32), c);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 48), d);
  }
  for (; i + 16 <= bytes; i += 16)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)));
  if (i < bytes) std::memcpy(out + i, in + i, bytes - i);
#else
  std::memcpy(out, in, bytes);
#endif
}

void CopyRowsNarrow(BYTE* out, ptrdiff_t outStep, const BYTE* in, ptrdiff_t inStep, int rows, size_t bytes) {
  for (int y = 0; y < rows; ++y, out += outStep, in += inStep) CopyNarrow(out, in, bytes);
}

#if defined(TAV_WIDE_STORES)

// The offset from p of the first aligned store after a head store of `Width`
// bytes. Runs of 32-bit values step on from p in whole values: when p itself
// is not on a 4-byte boundary the stores stay unaligned.
template <size_t Width>
inline size_t BodyStart(const BYTE* p) {
  const auto address = reinterpret_cast<uintptr_t>(p);
  return (address & 3) != 0 ? Width : Width - (address & (Width - 1));
}

// A run of fewer than 32 bytes: two overlapping 16-byte moves, or smaller.
inline void CopyShort(BYTE* out, const BYTE* in, size_t bytes) {
  if (bytes >= 16) {
    const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + bytes - 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), head);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + bytes - 16), tail);
  } else if (bytes > 0) {
    std::memcpy(out, in, bytes);
  }
}

// ---- 32 bytes: AVX2.

[[gnu::target("avx2")]] inline void CopyWide32(BYTE* out, const BYTE* in, size_t bytes) {
  if (bytes < 32) {
    CopyShort(out, in, bytes);
    return;
  }
  const __m256i head = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
  const __m256i tail = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + bytes - 32));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), head);
  size_t i = 32 - (reinterpret_cast<uintptr_t>(out) & 31);  // the first aligned store after the head
  for (; i + 128 <= bytes; i += 128) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i + 32));
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i + 64));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i + 96));
    _mm256_store_si256(reinterpret_cast<__m256i*>(out + i), a);
    _mm256_store_si256(reinterpret_cast<__m256i*>(out + i + 32), b);
    _mm256_store_si256(reinterpret_cast<__m256i*>(out + i + 64), c);
    _mm256_store_si256(reinterpret_cast<__m256i*>(out + i + 96), d);
  }
  for (; i + 32 <= bytes; i += 32)
    _mm256_store_si256(reinterpret_cast<__m256i*>(out + i), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i)));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + bytes - 32), tail);
}

[[gnu::target("avx2")]] void CopyRowsWide32(BYTE* out, ptrdiff_t outStep, const BYTE* in, ptrdiff_t inStep, int rows,
                                            size_t bytes) {
  for (int y = 0; y < rows; ++y, out += outStep, in += inStep) CopyWide32(out, in, bytes);
}

// p is 4-byte aligned, so every 32-byte boundary after it starts a whole value.
[[gnu::target("avx2")]] void Fill32Wide32(BYTE* p, size_t n, uint32_t v) {
  const size_t bytes = n * 4;
  if (bytes < 32) {
    if (bytes >= 16) {
      const __m128i x = _mm_set1_epi32(static_cast<int>(v));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p), x);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + bytes - 16), x);
    } else {
      for (size_t i = 0; i < n; ++i) std::memcpy(p + 4 * i, &v, 4);
    }
    return;
  }
  const __m256i x = _mm256_set1_epi32(static_cast<int>(v));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), x);
  size_t i = BodyStart<32>(p);
  for (; i + 128 <= bytes; i += 128) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i), x);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i + 32), x);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i + 64), x);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i + 96), x);
  }
  for (; i + 32 <= bytes; i += 32) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i), x);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + bytes - 32), x);
}

// 32 bytes of pixels from p, their fourth bytes cleared.
[[gnu::target("avx2")]] void Fill24Wide32(BYTE* p, size_t n, uint32_t v) {
  const size_t bytes = n * 3;
  if (bytes < 96) {
    Fill24Narrow(p, n, v);
    return;
  }
  const Pattern24<96> pattern(v);
  const __m256i a = _mm256_load_si256(reinterpret_cast<const __m256i*>(pattern.bytes));
  const __m256i b = _mm256_load_si256(reinterpret_cast<const __m256i*>(pattern.bytes + 32));
  const __m256i c = _mm256_load_si256(reinterpret_cast<const __m256i*>(pattern.bytes + 64));
  for (size_t i = 0; i + 96 <= bytes; i += 96) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i), a);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i + 32), b);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i + 64), c);
  }
  BYTE* q = p + bytes - 96;
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(q), a);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(q + 32), b);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(q + 64), c);
}

[[gnu::target("avx2")]] inline __m256i Clearing32(const BYTE* p, __m256i keep) {
  return _mm256_and_si256(keep, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
}

[[gnu::target("avx2")]] void CopyClearing32Wide32(BYTE* out, const BYTE* in, size_t n) {
  const size_t bytes = n * 4;
  if (bytes < 32) {
    CopyClearing32Narrow(out, in, n);
    return;
  }
  const __m256i keep = _mm256_set1_epi32(0xFFFFFF);
  const __m256i head = Clearing32(in, keep), tail = Clearing32(in + bytes - 32, keep);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), head);
  size_t i = BodyStart<32>(out);
  for (; i + 128 <= bytes; i += 128) {
    const __m256i a = Clearing32(in + i, keep), b = Clearing32(in + i + 32, keep);
    const __m256i c = Clearing32(in + i + 64, keep), d = Clearing32(in + i + 96, keep);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), a);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i + 32), b);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i + 64), c);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i + 96), d);
  }
  for (; i + 32 <= bytes; i += 32) _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), Clearing32(in + i, keep));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + bytes - 32), tail);
}

// ---- 64 bytes: AVX-512 (byte masks need its BW part).

#define TAV_AVX512 "avx512f,avx512bw"

[[gnu::target(TAV_AVX512)]] inline void CopyWide64(BYTE* out, const BYTE* in, size_t bytes) {
  if (bytes <= 64) {
    const __mmask64 m = bytes == 64 ? ~__mmask64{0} : (__mmask64{1} << bytes) - 1;
    _mm512_mask_storeu_epi8(out, m, _mm512_maskz_loadu_epi8(m, in));
    return;
  }
  const __m512i head = _mm512_loadu_si512(in);
  const __m512i tail = _mm512_loadu_si512(in + bytes - 64);
  _mm512_storeu_si512(out, head);
  size_t i = 64 - (reinterpret_cast<uintptr_t>(out) & 63);
  for (; i + 256 <= bytes; i += 256) {
    const __m512i a = _mm512_loadu_si512(in + i);
    const __m512i b = _mm512_loadu_si512(in + i + 64);
    const __m512i c = _mm512_loadu_si512(in + i + 128);
    const __m512i d = _mm512_loadu_si512(in + i + 192);
    _mm512_store_si512(out + i, a);
    _mm512_store_si512(out + i + 64, b);
    _mm512_store_si512(out + i + 128, c);
    _mm512_store_si512(out + i + 192, d);
  }
  for (; i + 64 <= bytes; i += 64) _mm512_store_si512(out + i, _mm512_loadu_si512(in + i));
  _mm512_storeu_si512(out + bytes - 64, tail);
}

[[gnu::target(TAV_AVX512)]] void CopyRowsWide64(BYTE* out, ptrdiff_t outStep, const BYTE* in, ptrdiff_t inStep,
                                                int rows, size_t bytes) {
  for (int y = 0; y < rows; ++y, out += outStep, in += inStep) CopyWide64(out, in, bytes);
}

[[gnu::target(TAV_AVX512)]] void Fill32Wide64(BYTE* p, size_t n, uint32_t v) {
  const __m512i x = _mm512_set1_epi32(static_cast<int>(v));
  if (n <= 16) {
    _mm512_mask_storeu_epi32(p, static_cast<__mmask16>((1u << n) - 1), x);
    return;
  }
  const size_t bytes = n * 4;
  _mm512_storeu_si512(p, x);
  size_t i = BodyStart<64>(p);
  for (; i + 256 <= bytes; i += 256) {
    _mm512_storeu_si512(p + i, x);
    _mm512_storeu_si512(p + i + 64, x);
    _mm512_storeu_si512(p + i + 128, x);
    _mm512_storeu_si512(p + i + 192, x);
  }
  for (; i + 64 <= bytes; i += 64) _mm512_storeu_si512(p + i, x);
  _mm512_storeu_si512(p + bytes - 64, x);
}

[[gnu::target(TAV_AVX512)]] void Fill24Wide64(BYTE* p, size_t n, uint32_t v) {
  const size_t bytes = n * 3;
  if (bytes < 192) {
    Fill24Wide32(p, n, v);
    return;
  }
  const Pattern24<192> pattern(v);
  const __m512i a = _mm512_load_si512(pattern.bytes);
  const __m512i b = _mm512_load_si512(pattern.bytes + 64);
  const __m512i c = _mm512_load_si512(pattern.bytes + 128);
  for (size_t i = 0; i + 192 <= bytes; i += 192) {
    _mm512_storeu_si512(p + i, a);
    _mm512_storeu_si512(p + i + 64, b);
    _mm512_storeu_si512(p + i + 128, c);
  }
  BYTE* q = p + bytes - 192;
  _mm512_storeu_si512(q, a);
  _mm512_storeu_si512(q + 64, b);
  _mm512_storeu_si512(q + 128, c);
}

[[gnu::target(TAV_AVX512)]] inline __m512i Clearing64(const BYTE* p, __m512i keep) {
  return _mm512_and_si512(keep, _mm512_loadu_si512(p));
}

[[gnu::target(TAV_AVX512)]] void CopyClearing32Wide64(BYTE* out, const BYTE* in, size_t n) {
  const __m512i keep = _mm512_set1_epi32(0xFFFFFF);
  if (n <= 16) {
    const auto m = static_cast<__mmask16>((1u << n) - 1);
    _mm512_mask_storeu_epi32(out, m, _mm512_maskz_and_epi32(m, keep, _mm512_maskz_loadu_epi32(m, in)));
    return;
  }
  const size_t bytes = n * 4;
  const __m512i head = Clearing64(in, keep), tail = Clearing64(in + bytes - 64, keep);
  _mm512_storeu_si512(out, head);
  size_t i = BodyStart<64>(out);
  for (; i + 256 <= bytes; i += 256) {
    const __m512i a = Clearing64(in + i, keep), b = Clearing64(in + i + 64, keep);
    const __m512i c = Clearing64(in + i + 128, keep), d = Clearing64(in + i + 192, keep);
    _mm512_storeu_si512(out + i, a);
    _mm512_storeu_si512(out + i + 64, b);
    _mm512_storeu_si512(out + i + 128, c);
    _mm512_storeu_si512(out + i + 192, d);
  }
  for (; i + 64 <= bytes; i += 64) _mm512_storeu_si512(out + i, Clearing64(in + i, keep));
  _mm512_storeu_si512(out + bytes - 64, tail);
}

#undef TAV_AVX512

bool Runs(StoreWidth width) {
  switch (width) {
    case StoreWidth::k16: return true;
    case StoreWidth::k32: return __builtin_cpu_supports("avx2");
    case StoreWidth::k64: return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
  }
  return false;
}

bool FullClock64() { return __builtin_cpu_supports("avx512vbmi2"); }

constexpr PixelStores kWide32{StoreWidth::k32, Fill32Wide32, Fill24Wide32, CopyClearing32Wide32, CopyRowsWide32};
constexpr PixelStores kWide64{StoreWidth::k64, Fill32Wide64, Fill24Wide64, CopyClearing32Wide64, CopyRowsWide64};

#else

bool Runs(StoreWidth width) { return width == StoreWidth::k16; }
bool FullClock64() { return false; }

#endif

constexpr PixelStores kNarrow{StoreWidth::k16, Fill32Narrow, Fill24Narrow, CopyClearing32Narrow, CopyRowsNarrow};

// The widest stores, but 64-byte ones only on processors that run them at
// full clock: the first processors to have them (recognised by lacking the
// later VBMI2 instructions) lower their clock for a while after each burst.
// On this kind of work 64-byte stores gain little over 32-byte ones: both
// are bound by how fast the second-level cache takes lines.
const PixelStores& Choose() {
  StoreWidth best = StoreWidth::k16;
  if (Runs(StoreWidth::k32)) best = StoreWidth::k32;
  if (Runs(StoreWidth::k64) && FullClock64()) best = StoreWidth::k64;
  return *StoresOfWidth(best);
}

}  // namespace

const PixelStores* StoresOfWidth(StoreWidth width) {
  if (!Runs(width)) return nullptr;
  switch (width) {
    case StoreWidth::k16: return &kNarrow;
#if defined(TAV_WIDE_STORES)
    case StoreWidth::k32: return &kWide32;
    case StoreWidth::k64: return &kWide64;
#else
    default: return nullptr;
#endif
  }
  return nullptr;
}

const PixelStores& Stores() {
  static const PixelStores& chosen = Choose();
  return chosen;
}

}  // namespace gdi
