// Pixels made from a glyph's coverage and kept with the glyph: its shades in
// a pair of colours, which text drawn again in those colours copies.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tav::font {

// A few pixel arrays under keys, each published once and from then on read
// by any thread without a lock; they live as long as their owner. Glyphs are
// shared between threads and drawn in few colours: a handful of places do.
class GlyphPixels {
 public:
  GlyphPixels() = default;
  ~GlyphPixels();
  GlyphPixels(const GlyphPixels&) = delete;
  GlyphPixels& operator=(const GlyphPixels&) = delete;

  // The pixels kept under `key`, or null.
  const uint32_t* Find(uint64_t key) const;
  // Keeps `pixels` under `key` and returns the kept ones (another thread's,
  // when it kept that key first); null when every place is taken.
  const uint32_t* Keep(uint64_t key, std::vector<uint32_t> pixels) const;

  static constexpr size_t kPlaces = 4;

 private:
  struct Entry {
    uint64_t key;
    std::vector<uint32_t> pixels;
  };
  // Filled in order and never emptied: the first empty place ends a search.
  mutable std::array<std::atomic<Entry*>, kPlaces> places_{};
};

}  // namespace tav::font
