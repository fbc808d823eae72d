#include "platform/gdi/glyph_pixels.h"

#include <memory>

namespace tav::font {

GlyphPixels::~GlyphPixels() {
  for (auto& place : places_) delete place.load(std::memory_order_acquire);
}

const uint32_t* GlyphPixels::Find(uint64_t key) const {
  for (const auto& place : places_) {
    const Entry* entry = place.load(std::memory_order_acquire);
    if (entry == nullptr) return nullptr;
    if (entry->key == key) return entry->pixels.data();
  }
  return nullptr;
}

const uint32_t* GlyphPixels::Keep(uint64_t key, std::vector<uint32_t> pixels) const {
  auto made = std::make_unique<Entry>(Entry{key, std::move(pixels)});
  for (auto& place : places_) {
    Entry* seen = nullptr;
    if (place.compare_exchange_strong(seen, made.get(), std::memory_order_acq_rel, std::memory_order_acquire))
      return made.release()->pixels.data();
    if (seen->key == key) return seen->pixels.data();
  }
  return nullptr;
}

}  // namespace tav::font
