// A MaxiCode symbol: primary and secondary messages as 144 codewords with
// their Reed-Solomon check codewords, placed in the 33-row module grid.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "barcode/draw/module_matrix.h"
#include "barcode/request/symbology.h"

namespace kalvo::maxicode {

constexpr int kGridRows = 33;
constexpr int kGridColumns = 30;  // even rows; odd rows have 29 modules
constexpr int kCodewordCount = 144;
constexpr int kPrimaryData = 10;
constexpr int kPrimaryCheck = 10;
constexpr int kFixedModulesIndex = 144;

// The module grid: kGridRows rows of kGridColumns bytes (the last byte of an
// odd row unused), 1 = dark.
using ModuleGrid = ModuleMatrix;
inline ModuleGrid EmptyModuleGrid() { return ModuleGrid(kGridColumns, kGridRows); }
using Codewords = std::array<uint8_t, kCodewordCount>;

enum class MaxiResult : int { Ok = kDone, TooLong = kDataTooLong, UnknownMode = kUnknownMode, CarrierMessage = kCarrierMessage };

// The first three carrier fields as the primary message of modes 2 and 3 reads them.
struct CarrierPrimary {
  std::string_view postalCode;
  std::string_view countryCode;
  std::string_view serviceClass;
};

// Data codewords of the secondary message for a mode (84, or 68 in mode 5).
int SecondaryDataCount(int mode);

// The ten primary data codewords of the structured carrier message (mode 2 or 3).
std::array<uint8_t, kPrimaryData> BuildMaxiCodePrimary(int mode, const CarrierPrimary& primary);

// Appends `checkCount` Reed-Solomon check codewords over GF(64) of `data` to `out`.
void AddMaxiCodeCheckCodewords(std::span<const uint8_t> data, int checkCount, std::span<uint8_t> out);

// All 144 codewords. Modes 2 and 3 take `text` as the secondary message and
// the primary from `carrier`; modes 4 to 6 take `text` as one message over
// the primary and secondary data codewords. A text that does not fit whole is
// refused (CarrierMessage for modes 2 and 3, TooLong otherwise).
MaxiResult BuildMaxiCodeCodewords(int mode, std::span<const uint8_t> text, const CarrierPrimary& carrier,
                                  Codewords& codewords);

// Sets the dark modules of codeword `index` (0-143), or with index 144 the
// fixed dark orientation modules.
void PlaceMaxiCodeCodeword(ModuleGrid& grid, uint8_t codeword, int index);

// The whole module grid of a codeword set.
ModuleGrid PlaceMaxiCodeSymbol(const Codewords& codewords);

}  // namespace kalvo::maxicode
