#include "barcode/qr/qr_tables.h"

#include <zlib.h>

#include <cstring>
#include <vector>

namespace kalvo::qr {

void QrTables::Load(const TextResourceLookup& lookup) {
  std::vector<uint8_t> buffer(kInflateBufferSize);
  for (int level = 0; level < kLevelCount; ++level)
    for (int v = kMinVersion; v <= kMaxVersion; ++v) {
      const int slot = (v - 1) * kLevelCount + level;
      placement_[slot].reset();
      placementSize_[slot] = 0;
      const std::span<const uint8_t> packed = lookup(PlacementResourceId(v, level));
      if (packed.empty()) continue;
      uLongf size = buffer.size();
      if (uncompress(buffer.data(), &size, packed.data(), packed.size()) != Z_OK) continue;
      placement_[slot] = std::make_unique<uint8_t[]>(size);
      std::memcpy(placement_[slot].get(), buffer.data(), size);
      placementSize_[slot] = static_cast<uint32_t>(size);
    }
  for (int k = 0; k < static_cast<int>(remainder_.size()); ++k) {
    const std::span<const uint8_t> raw = lookup(RemainderResourceId(k));
    remainder_[k] = raw.size() == 256u * k && k > 0 ? raw : std::span<const uint8_t>{};
  }
}

void QrTables::Free() {
  for (auto& block : placement_) block.reset();
  placementSize_.fill(0);
  remainder_.fill({});
}

QrPlacementTable QrTables::Placement(int version, int level) const {
  if (version < kMinVersion || version > kMaxVersion || level < 0 || level >= kLevelCount) return {};
  const int slot = (version - 1) * kLevelCount + level;
  if (!placement_[slot]) return {};
  const int bitCount = 8 * TotalCodewords(version) + RemainderBits(version);
  const int blocks = BlockCount(version, level);
  // A table of another shape is not trusted.
  if (placementSize_[slot] != static_cast<uint32_t>(3 * bitCount + 31 + blocks)) return {};
  QrPlacementTable table{{placement_[slot].get(), placementSize_[slot]}, bitCount};
  if (table.EcPerBlock() != EcCodewordsPerBlock(version, level)) return {};
  return table;
}

std::span<const uint8_t> QrTables::Remainder(int k) const {
  if (k <= 0 || k >= static_cast<int>(remainder_.size())) return {};
  return remainder_[k];
}

}  // namespace kalvo::qr
