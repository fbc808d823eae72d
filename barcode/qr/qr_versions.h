// Version and error-correction structure of QR Code (ISO/IEC 18004, tables 1
// and 9), shared by the table generator and the encoder.
#pragma once

#include <array>
#include <cstdint>

namespace kalvo::qr {

inline constexpr int kMinVersion = 1;
inline constexpr int kMaxVersion = 40;
inline constexpr int kLevelCount = 4;

// Level index as the two-bit level indicator orders them.
enum class Level : int { M = 0, L = 1, H = 2, Q = 3 };

constexpr int SymbolSize(int version) { return 4 * version + 17; }

// Modules of the encoding region (data, error correction, remainder bits).
constexpr int RawDataModules(int version) {
  int modules = (16 * version + 128) * version + 64;
  if (version >= 2) {
    const int alignments = version / 7 + 2;
    modules -= (25 * alignments - 10) * alignments - 55;
    if (version >= 7) modules -= 36;
  }
  return modules;
}
constexpr int TotalCodewords(int version) { return RawDataModules(version) / 8; }
constexpr int RemainderBits(int version) { return RawDataModules(version) % 8; }

namespace detail {
// Indexed [level index][version]; entry 0 unused.
inline constexpr std::array<std::array<int8_t, 41>, 4> kEcPerBlock{{
    {0, 10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0, 7, 10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
}};
inline constexpr std::array<std::array<int8_t, 41>, 4> kBlocks{{
    {0, 1, 1, 1, 2, 2, 4, 4, 4, 5, 5, 5, 8, 9, 9, 10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4, 4, 6, 6, 6, 6, 7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0, 1, 1, 2, 4, 4, 4, 5, 6, 8, 8, 11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
    {0, 1, 1, 2, 2, 4, 4, 6, 6, 8, 8, 8, 10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
}};
}  // namespace detail

constexpr int EcCodewordsPerBlock(int version, int level) {
  return detail::kEcPerBlock[level][version];
}
constexpr int BlockCount(int version, int level) { return detail::kBlocks[level][version]; }
constexpr int DataCodewords(int version, int level) {
  return TotalCodewords(version) - EcCodewordsPerBlock(version, level) * BlockCount(version, level);
}
// Data capacity in bits.
constexpr int DataCapacityBits(int version, int level) { return 8 * DataCodewords(version, level); }

// Resource ids of the compressed placement tables and the remainder tables.
constexpr int PlacementResourceId(int version, int level) { return 9000 + version + 100 * level; }
constexpr int RemainderResourceId(int k) { return 8000 + k; }
inline constexpr const char* kTableResourceType = "TEXT";
// Inflation buffer: enough for the largest placement table.
inline constexpr int kInflateBufferSize = 92160;

}  // namespace kalvo::qr
