// The bulk pixel stores in every width this processor runs, against plain
// loops: every short length (the masked and overlapping heads and tails),
// long rows, each misalignment of the destination and source, rows stored
// top down and bottom up, and values with and without their fourth byte
// (which a 24-bit fill must not write).
// Bytes around what is written must stay as they were.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/pixel_stores.h"

namespace {

using gdi::PixelStores;
using gdi::StoreWidth;

constexpr BYTE kGuard = 0xA5;
constexpr size_t kLongest = 4096 + 44;  // longer than a bar band's row (2944 bytes)

struct Width {
  const char* name;
  StoreWidth width;
};
constexpr Width kWidths[] = {{"16 bytes", StoreWidth::k16}, {"32 bytes", StoreWidth::k32}, {"64 bytes", StoreWidth::k64}};

std::vector<size_t> Lengths() {
  std::vector<size_t> lengths;
  for (size_t n = 0; n <= 300; ++n) lengths.push_back(n);
  for (size_t n : {511, 512, 513, 1023, 2944, 4095, 4096}) lengths.push_back(n);
  lengths.push_back(kLongest);
  return lengths;
}

// A buffer whose start is on a 64-byte boundary, so that offsets from it are
// the misalignments the stores see.
class Aligned {
 public:
  explicit Aligned(size_t bytes) : storage_(bytes + 64, kGuard) {
    const auto address = reinterpret_cast<uintptr_t>(storage_.data());
    start_ = storage_.data() + ((64 - (address & 63)) & 63);
  }
  BYTE* at(size_t offset) { return start_ + offset; }
  // Guard bytes again in the first `bytes` from the start.
  void Reset(size_t bytes) { std::fill_n(start_, bytes, kGuard); }

 private:
  std::vector<BYTE> storage_;
  BYTE* start_;
};

// Where `got` and `want` first differ, as text; empty when they agree.
std::string FirstDifference(const BYTE* got, const BYTE* want, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i)
    if (got[i] != want[i])
      return "byte " + std::to_string(i) + ": " + std::to_string(got[i]) + " where " + std::to_string(want[i]);
  return {};
}

TEST(PixelStores, TheChosenStoresRun) {
  const PixelStores& chosen = gdi::Stores();
  EXPECT_EQ(gdi::StoresOfWidth(chosen.width), &chosen);
  ASSERT_NE(gdi::StoresOfWidth(StoreWidth::k16), nullptr);  // every processor has the narrow ones
}

constexpr uint32_t kValues[] = {0x00ABCDEF, 0xFF123456, 0x80000001};
constexpr size_t kSlack = 128;  // guard bytes on either side

// Every offset in a 64-byte line: a bitmap's rows are on 4-byte boundaries,
// the others must only be slower.
std::vector<size_t> ValueOffsets() {
  std::vector<size_t> offsets;
  for (size_t o = 0; o < 64; o += 4) offsets.push_back(o);
  for (size_t o : {1, 2, 3, 29, 62}) offsets.push_back(o);
  return offsets;
}

// One fill of every width against writing each value's first `bytes` bytes in
// turn, over every length, the given offsets and each value.
void CheckFills(size_t bytes, void (*PixelStores::*fill)(BYTE*, size_t, uint32_t), const std::vector<size_t>& offsets) {
  Aligned got(kSlack + 64 + bytes * kLongest + kSlack), want(kSlack + 64 + bytes * kLongest + kSlack);
  for (const Width& w : kWidths) {
    const PixelStores* stores = gdi::StoresOfWidth(w.width);
    if (!stores) continue;  // not on this processor
    for (size_t n : Lengths())
      for (size_t offset : offsets)
        for (uint32_t v : kValues) {
          const size_t span = kSlack + offset + bytes * n + kSlack;
          got.Reset(span);
          want.Reset(span);
          (stores->*fill)(got.at(kSlack + offset), n, v);
          for (size_t i = 0; i < n; ++i) std::memcpy(want.at(kSlack + offset + bytes * i), &v, bytes);
          const std::string difference = FirstDifference(got.at(0), want.at(0), span);
          ASSERT_EQ(difference, "") << w.name << ", " << n << " values at offset " << offset << ", value " << v;
        }
  }
}

TEST(PixelStores, FillsMatchAPlainLoop) { CheckFills(4, &PixelStores::fill32, ValueOffsets()); }

TEST(PixelStores, ThreeByteFillsMatchAPlainLoop) {
  std::vector<size_t> everyByte;  // a 24-bit row's values start on any byte
  for (size_t offset = 0; offset < 64; ++offset) everyByte.push_back(offset);
  CheckFills(3, &PixelStores::fill24, everyByte);
}

TEST(PixelStores, CopiesClearingFourthBytesMatchAPlainLoop) {
  constexpr size_t kInOffsets[] = {0, 4, 20, 1};
  Aligned got(kSlack + 64 + 4 * kLongest + kSlack), want(kSlack + 64 + 4 * kLongest + kSlack);
  Aligned source(4 * kLongest + 64);
  for (size_t i = 0; i < 4 * kLongest + 64; ++i) *source.at(i) = static_cast<BYTE>(i * 73 + 0x90 + (i >> 9));
  for (const Width& w : kWidths) {
    const PixelStores* stores = gdi::StoresOfWidth(w.width);
    if (!stores) continue;
    for (size_t n : Lengths())
      for (size_t offset : ValueOffsets())
        for (size_t inOffset : kInOffsets) {
          const size_t span = kSlack + offset + 4 * n + kSlack;
          got.Reset(span);
          want.Reset(span);
          const BYTE* in = source.at(inOffset);
          stores->copyClearing32(got.at(kSlack + offset), in, n);
          for (size_t i = 0; i < n; ++i) {
            std::memcpy(want.at(kSlack + offset + 4 * i), in + 4 * i, 3);
            *want.at(kSlack + offset + 4 * i + 3) = 0;
          }
          const std::string difference = FirstDifference(got.at(0), want.at(0), span);
          ASSERT_EQ(difference, "") << w.name << ", " << n << " pixels to offset " << offset << " from offset "
                                    << inOffset;
        }
  }
}

struct Layout {
  const char* name;
  int rows;
  bool bottomUp;
  size_t gap;  // bytes between one row's end and the next one's start
};
constexpr Layout kLayouts[] = {{"one row", 1, false, 0},
                               {"rows top down, one after another", 3, false, 0},
                               {"rows bottom up, one after another", 3, true, 0},
                               {"rows top down, with gaps", 3, false, 7},
                               {"rows bottom up, with gaps", 2, true, 13}};

TEST(PixelStores, RowCopiesMatchAPlainLoop) {
  constexpr size_t kOutOffsets[] = {0, 1, 3, 4, 15, 16, 17, 31, 32, 33, 48, 63};
  constexpr size_t kInOffsets[] = {0, 1, 4, 13, 32};
  // The source: one row copied to every row, or rows of their own, `gap`
  // bytes apart.
  constexpr size_t kSourceGaps[] = {SIZE_MAX, 0, 9};
  const size_t most = kSlack + 3 * (kLongest + 13) + 64 + kSlack;
  const size_t sourceBytes = 3 * (kLongest + 9) + 64;
  Aligned got(most), want(most), source(sourceBytes);
  for (size_t i = 0; i < sourceBytes; ++i) *source.at(i) = static_cast<BYTE>(i * 37 + (i >> 8));
  for (const Width& w : kWidths) {
    const PixelStores* stores = gdi::StoresOfWidth(w.width);
    if (!stores) continue;
    for (const Layout& layout : kLayouts)
      for (size_t n : Lengths())
        for (size_t outOffset : kOutOffsets)
          for (size_t inOffset : kInOffsets)
            for (size_t sourceGap : kSourceGaps) {
              // The short lengths at every misalignment, the long ones at a few.
              if (n > 300 && outOffset % 16 != 1 && outOffset != 0) continue;
              const ptrdiff_t pitch = static_cast<ptrdiff_t>(n + layout.gap);
              const size_t span = kSlack + outOffset + layout.rows * pitch + kSlack;
              got.Reset(span);
              want.Reset(span);
              const ptrdiff_t step = layout.bottomUp ? -pitch : pitch;
              const ptrdiff_t inStep = sourceGap == SIZE_MAX ? 0 : static_cast<ptrdiff_t>(n + sourceGap);
              const size_t first = kSlack + outOffset + (layout.bottomUp ? (layout.rows - 1) * pitch : 0);
              const BYTE* in = source.at(inOffset);
              stores->copyRows(got.at(first), step, in, inStep, layout.rows, n);
              for (int r = 0; r < layout.rows; ++r) std::memcpy(want.at(first) + r * step, in + r * inStep, n);
              const std::string difference = FirstDifference(got.at(0), want.at(0), span);
              ASSERT_EQ(difference, "") << w.name << ", " << layout.name << ", " << n << " bytes to offset "
                                        << outOffset << " from offset " << inOffset << ", source step " << inStep;
            }
  }
}

}  // namespace
