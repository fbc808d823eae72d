// QR Code model 2 encoding from the data text to the module matrix: mode
// choice, bit stream, version choice, Reed-Solomon check codewords through
// the remainder tables, placement through the placement tables, mask choice
// and format information.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "barcode/draw/module_matrix.h"
#include "barcode/qr/qr_tables.h"

namespace kalvo::qr {

// Value of a character in the alphanumeric mode, -1 when it has none.
int QrAlphanumericValue(int character);

// Level index of a request's level value: 0 M, 1 L, 2 H, 3 Q; others are M.
constexpr int LevelIndex(unsigned value) { return value <= 3 ? static_cast<int>(value) : 0; }

struct QrCodewords {
  int version = 0;
  int level = 0;
  int dataCount = 0;
  // Data codewords of all blocks in order, then the check codewords block after block.
  std::vector<uint8_t> codewords;
};

struct QrSymbol {
  int version = 0;
  int mask = 0;
  ModuleMatrix matrix;  // (4 x version + 17) modules per side
};

enum class QrResult { Ok, TooLong, TablesMissing };

QrResult BuildQrCodewords(const QrTables& tables, std::span<const uint8_t> text, int level,
                          QrCodewords& out);
QrResult BuildQrSymbol(const QrTables& tables, std::span<const uint8_t> text, int level, QrSymbol& out);

// Penalty of mask m over a matrix whose module bytes carry bit m for dark.
int QrMaskPenalty(std::span<const uint8_t> modules, int size, int mask, int encodingModules);

// The mask with the smallest penalty; on equal penalties the higher number.
int QrChooseMask(std::span<const uint8_t> modules, int size, int encodingModules);

// The 15-character format string for a level index and a mask.
const char* QrFormatString(int level, int mask);

}  // namespace kalvo::qr
