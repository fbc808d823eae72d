// The PDF417 and MicroPDF417 symbol tables, generated at build time from
// barcode/data/pdf417 (which the generator checks line by line), and the few
// facts the encoder derives from them.
#pragma once

#include <cstdint>

#include "barcode/pdf417/pdf417_table_types.h"
#include "barcode/pdf417/pdf417_tables_data.h"

namespace kalvo::pdf417 {

inline constexpr int kCodewordModules = 17;
inline constexpr int kStartModules = 17;
inline constexpr int kStopModules = 18;
inline constexpr int kRowAddressModules = 10;
inline constexpr int kRowAddressCount = 52;

// Row address pattern columns of a MicroPDF417 symbol with this many columns.
constexpr int RowAddressPatterns(int columns) { return columns <= 2 ? 2 : 3; }

// The pattern of codeword `value` in the cluster a row uses (0, 1, 2 for the
// standard's clusters 0, 3, 6).
constexpr uint32_t CodewordPattern(int clusterIndex, int value) { return ClusterPatterns[clusterIndex][value]; }

namespace table_checks {

constexpr bool PatternsFitTheirModules() {
  for (const auto& cluster : ClusterPatterns)
    for (uint32_t p : cluster)
      if (p >> (kCodewordModules - 1) != 1 || (p & 1u) != 0) return false;
  for (const auto* set : {&SideRowAddressPatterns, &CentreRowAddressPatterns})
    for (uint16_t p : *set)
      if (p >> (kRowAddressModules - 1) != 1 || (p & 1u) != 0) return false;
  return StartPattern >> (kStartModules - 1) == 1 && StopPattern >> (kStopModules - 1) == 1;
}

constexpr bool SizesAreUsable() {
  for (const MicroPdfSize& s : MicroPdfSizeTable) {
    if (s.leftStart < 0 || s.leftStart + s.rows > kRowAddressCount) return false;
    if ((s.centreStart >= 0) != (RowAddressPatterns(s.columns) == 3)) return false;
    if (s.checkCodewords >= s.columns * s.rows) return false;
  }
  return true;
}

}  // namespace table_checks

static_assert(ClusterPatterns.size() == 3 && ClusterPatterns[0].size() == 929);
static_assert(SideRowAddressPatterns.size() == kRowAddressCount && CentreRowAddressPatterns.size() == kRowAddressCount);
static_assert(MicroPdfSizeTable.size() == 34);
static_assert(table_checks::PatternsFitTheirModules());
static_assert(table_checks::SizesAreUsable());

}  // namespace kalvo::pdf417
