// The mask choice: each mask's penalty scored on packed bit lines. The module
// bytes carry one bit per mask; each row and each column is packed once into
// eight bit lines, one per mask, and the four penalty rules work on whole
// words of those lines.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "barcode/qr/qr_symbol.h"

namespace kalvo::qr {
namespace {

constexpr int kWords = 3;  // 192 bits: the largest symbol has 177 modules a side
using BitLine = std::array<uint64_t, kWords>;

// Bit i of the result is bit i + k of the line (k < 64).
BitLine ShiftDown(const BitLine& line, int k) {
  if (k == 0) return line;
  BitLine out{};
  for (int w = 0; w < kWords; ++w) {
    out[w] = line[w] >> k;
    if (w + 1 < kWords) out[w] |= line[w + 1] << (64 - k);
  }
  return out;
}

// The first `count` bits set.
BitLine LowBits(int count) {
  BitLine out{};
  for (int w = 0; w < kWords; ++w) {
    const int n = std::clamp(count - 64 * w, 0, 64);
    out[w] = n == 64 ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
  }
  return out;
}

// The lengths of the maximal runs of set bits.
template <class OnRun>
void ForEachRun(const BitLine& line, int size, OnRun onRun) {
  int i = 0;
  while (i < size) {
    // The next set bit, then the next clear bit after it.
    auto next = [&](int from, bool set) {
      for (int w = from >> 6; w < kWords; ++w) {
        uint64_t word = set ? line[w] : ~line[w];
        if (w == from >> 6) word &= ~uint64_t{0} << (from & 63);
        if (word) return std::min(size, 64 * w + std::countr_zero(word));
      }
      return size;
    };
    const int start = next(i, true);
    if (start >= size) return;
    const int end = next(start, false);
    onRun(end - start);
    i = end;
  }
}

// Bit i is set where bits i to i + k - 1 of the line all are: a run of
// length r >= k leaves a run of r - k + 1 set bits, and shorter runs none.
BitLine RunStarts(const BitLine& line, int k) {
  BitLine out = line;
  for (int j = 1; j < k; ++j) {
    const BitLine s = ShiftDown(line, j);
    for (int w = 0; w < kWords; ++w) out[w] &= s[w];
  }
  return out;
}

bool Any(const BitLine& line) { return (line[0] | line[1] | line[2]) != 0; }

// The eight masks' bit lines of every row and every column.
struct MaskPlanes {
  int size;
  std::vector<BitLine> rows, columns;  // [mask * size + index]

  MaskPlanes(std::span<const uint8_t> modules, int n)
      : size(std::clamp(n, 0, 64 * kWords)) {
    rows.assign(8 * static_cast<size_t>(size), BitLine{});
    columns.assign(rows.size(), BitLine{});
    n = size;
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x) {
        const unsigned b = modules[static_cast<size_t>(y) * n + x];
        if (b == 0) continue;
        for (int m = 0; m < 8; ++m) {
          const uint64_t dark = (b >> m) & 1u;
          rows[static_cast<size_t>(m) * n + y][x >> 6] |= dark << (x & 63);
          columns[static_cast<size_t>(m) * n + x][y >> 6] |= dark << (y & 63);
        }
      }
  }
};

// N1 and N3 of one line: a maximal run of five or more equal modules scores 5
// for each whole group of five less 2; each 1:1:3:1:1 pattern scores 40, the
// patterns found from the left without overlapping.
int LinePenalty(const BitLine& line, int size) {
  int penalty = 0;
  auto groups = [&](int run) {
    if (run >= 5) penalty += 5 * (run / 5) - 2;
  };
  const BitLine valid = LowBits(size);
  BitLine light;
  for (int w = 0; w < kWords; ++w) light[w] = ~line[w] & valid[w];
  // Runs of five or more through the starts of five equal modules, which
  // are few: a run of r leaves r - 4 of them.
  for (const BitLine& colour : {line, light}) {
    const BitLine starts = RunStarts(colour, 5);
    if (Any(starts)) ForEachRun(starts, size, [&](int n) { groups(n + 4); });
  }
  if (size < 7) return penalty;
  // Starts of dark-light-dark-dark-dark-light-dark.
  BitLine found = LowBits(size - 6);
  static constexpr bool kFinder[7] = {true, false, true, true, true, false, true};
  for (int k = 0; k < 7; ++k) {
    const BitLine s = ShiftDown(line, k);
    for (int w = 0; w < kWords; ++w) found[w] &= kFinder[k] ? s[w] : ~s[w];
  }
  // From the left, a pattern inside the one before it is passed over.
  int free = 0;
  for (int w = 0; w < kWords; ++w)
    for (uint64_t bits = found[w]; bits != 0; bits &= bits - 1) {
      const int i = 64 * w + std::countr_zero(bits);
      if (i < free) continue;
      penalty += 40;
      free = i + 7;
    }
  return penalty;
}

// N2: along each pair of neighbouring columns, a run of r rows where all four
// modules of every 2 x 2 block are one colour scores 3 (2 (r / 2) - 1).
int BlockPenalty(const BitLine& left, const BitLine& right, int size) {
  int penalty = 0;
  auto blocks = [&](int run) {
    if (run >= 2) penalty += 3 * (2 * (run / 2) - 1);
  };
  const BitLine valid = LowBits(size);
  BitLine dark, light;
  for (int w = 0; w < kWords; ++w) {
    dark[w] = left[w] & right[w];
    light[w] = ~left[w] & ~right[w] & valid[w];
  }
  for (const BitLine& colour : {dark, light}) {
    const BitLine starts = RunStarts(colour, 2);
    if (Any(starts)) ForEachRun(starts, size, [&](int n) { blocks(n + 1); });
  }
  return penalty;
}

int Penalty(const MaskPlanes& planes, int mask, int encodingModules) {
  const int n = planes.size;
  const BitLine* rows = &planes.rows[static_cast<size_t>(mask) * n];
  const BitLine* columns = &planes.columns[static_cast<size_t>(mask) * n];
  int penalty = 0, darkCount = 0;
  for (int i = 0; i < n; ++i) {
    penalty += LinePenalty(rows[i], n) + LinePenalty(columns[i], n);
    for (uint64_t w : rows[i]) darkCount += std::popcount(w);
  }
  for (int x = 0; x + 1 < n; ++x) penalty += BlockPenalty(columns[x], columns[x + 1], n);
  // N4: proportion of dark modules.
  const double percent = 100.0 * darkCount / encodingModules;
  penalty += 10 * static_cast<int>(std::floor(std::abs(percent - 50.0) * 0.2));
  return penalty;
}

}  // namespace

int QrMaskPenalty(std::span<const uint8_t> modules, int size, int mask, int encodingModules) {
  return Penalty(MaskPlanes(modules, size), mask, encodingModules);
}

int QrChooseMask(std::span<const uint8_t> modules, int size, int encodingModules) {
  const MaskPlanes planes(modules, size);
  int best = 0, bestPenalty = 0;
  for (int m = 0; m < 8; ++m) {
    const int penalty = Penalty(planes, m, encodingModules);
    if (m == 0 || penalty <= bestPenalty) {
      best = m;
      bestPenalty = penalty;
    }
  }
  return best;
}

}  // namespace kalvo::qr
