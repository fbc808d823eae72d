// The QR Code tables held for the library's lifetime: the inflated placement
// table of every version and level and the Reed-Solomon remainder tables.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "barcode/qr/qr_versions.h"

namespace kalvo::qr {

// A view of one placement table (the layout the generator writes).
struct QrPlacementTable {
  std::span<const uint8_t> bytes;
  int bitCount = 0;  // 8 x total codewords + remainder bits

  bool Valid() const { return bitCount > 0; }
  const uint8_t* Columns() const { return bytes.data(); }
  const uint8_t* Rows() const { return bytes.data() + bitCount; }
  const uint8_t* Masks() const { return bytes.data() + 2 * bitCount; }
  const uint8_t* FormatColumns() const { return bytes.data() + 3 * bitCount; }
  const uint8_t* FormatRows() const { return bytes.data() + 3 * bitCount + 15; }
  int EcPerBlock() const { return bytes[3 * bitCount + 30]; }
  std::span<const uint8_t> BlockTotals() const { return bytes.subspan(3 * bitCount + 31); }
};

// Finds a "TEXT" resource by numeric id; an empty span when there is none.
using TextResourceLookup = std::function<std::span<const uint8_t>(int id)>;

class QrTables {
 public:
  // Inflates the placement tables and records the remainder tables found
  // through `lookup`; the remainder tables are referenced, not copied, so
  // the resource memory must outlive this object. Entries that are missing
  // or fail to inflate stay empty.
  void Load(const TextResourceLookup& lookup);
  void Free();

  QrPlacementTable Placement(int version, int level) const;
  // Rows of k bytes, 256 of them; empty when not loaded.
  std::span<const uint8_t> Remainder(int k) const;

 private:
  std::array<std::unique_ptr<uint8_t[]>, kMaxVersion * kLevelCount> placement_;
  std::array<uint32_t, kMaxVersion * kLevelCount> placementSize_{};
  std::array<std::span<const uint8_t>, 70> remainder_{};
};

}  // namespace kalvo::qr
