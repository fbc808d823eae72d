#include "barcode/maxicode/maxicode_runs.h"

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kalvo::maxicode {
namespace {

// A pixel repeated across one 16-byte store.
#if defined(__SSE2__)
using Wide = __m128i;
Wide WideOf(uint32_t pixel) { return _mm_set1_epi32(static_cast<int>(pixel)); }
#else
using Wide = uint32_t;
Wide WideOf(uint32_t pixel) { return pixel; }
#endif

// Writes `n` pixels of `pixel` (`wide` holding it four times) from `out`,
// and nothing past them: whole 16-byte stores, the last one reaching back
// over the one before where `n` is not a multiple of four.
[[gnu::always_inline]] inline void FillRun(uint32_t* out, size_t n, uint32_t pixel, Wide wide) {
#if defined(__SSE2__)
  if (n >= 4) {
    for (size_t i = 0; i + 4 < n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), wide);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n - 4), wide);
  } else if (n >= 2) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), wide);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + n - 2), wide);
  } else if (n == 1) {
    *out = pixel;
  }
#else
  static_cast<void>(wide);
  std::fill_n(out, n, pixel);
#endif
}

}  // namespace

void StampPieces(uint32_t* band, std::span<const StampLayer::Piece* const> pieces, const StampLayer& layer,
                 const uint32_t (&ink)[4]) {
  Wide wide[4];
  for (int i = 0; i < 4; ++i) wide[i] = WideOf(ink[i]);
  auto stamp = [&](auto inkOf) {
    for (const StampLayer::Piece* p : pieces) {
      // Read before the stores, which the compiler must take to reach anything.
      const StampLayer::Run* run = layer.kinds[static_cast<size_t>(p->kind)].data() + p->first;
      const StampLayer::Run* const end = run + (p->last - p->first);
      uint32_t* const origin = band + p->at;
      for (; run != end; ++run) {
        const int k = inkOf(*run);
        FillRun(origin + run->at, static_cast<size_t>(run->count), ink[k], wide[k]);
      }
    }
  };
  // The hexagons are of one ink: they need not look theirs up.
  if (layer.onlyInk != Ink::None)
    stamp([only = static_cast<int>(layer.onlyInk)](const StampLayer::Run&) { return only; });
  else
    stamp([](const StampLayer::Run& run) { return static_cast<int>(run.ink); });
}

}  // namespace kalvo::maxicode
