// The mask penalties scored on packed bit lines against the rules applied
// module by module to each masked matrix, over random matrices of every kind
// of size (below, at and past the 64-module word edges) and all eight masks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "barcode/qr/qr_symbol.h"

namespace {

using kalvo::qr::QrChooseMask;
using kalvo::qr::QrMaskPenalty;

// The penalty rules, one module at a time, on the matrix under one mask.
int PlainPenalty(const std::vector<uint8_t>& modules, int n, int mask, int encodingModules) {
  auto dark = [&](int x, int y) { return ((modules[static_cast<size_t>(y) * n + x] >> mask) & 1) != 0; };
  int penalty = 0, darkCount = 0;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) darkCount += dark(x, y);
  for (int line = 0; line < n; ++line)
    for (bool across : {true, false}) {
      auto at = [&](int i) { return across ? dark(i, line) : dark(line, i); };
      // N1: each maximal run of r >= 5 equal modules: 5 per whole group of five, less 2.
      for (int i = 0; i < n;) {
        int j = i;
        while (j < n && at(j) == at(i)) ++j;
        if (j - i >= 5) penalty += 5 * ((j - i) / 5) - 2;
        i = j;
      }
      // N3: 1:1:3:1:1 patterns found from the left, without overlapping.
      static constexpr bool kFinder[7] = {true, false, true, true, true, false, true};
      for (int i = 0; i + 7 <= n;) {
        bool match = true;
        for (int k = 0; k < 7; ++k) match = match && at(i + k) == kFinder[k];
        if (match) {
          penalty += 40;
          i += 7;
        } else {
          ++i;
        }
      }
    }
  // N2: runs down each pair of columns of rows whose two modules match the colour.
  for (int x = 0; x + 1 < n; ++x)
    for (bool colour : {true, false})
      for (int y = 0; y < n;) {
        int z = y;
        while (z < n && dark(x, z) == colour && dark(x + 1, z) == colour) ++z;
        if (z - y >= 2) penalty += 3 * (2 * ((z - y) / 2) - 1);
        y = z > y ? z : y + 1;
      }
  const double percent = 100.0 * darkCount / encodingModules;
  return penalty + 10 * static_cast<int>(std::floor(std::abs(percent - 50.0) * 0.2));
}

// Random module bytes; `runny` makes long runs and repeated rows, as real
// symbols have around their patterns.
std::vector<uint8_t> RandomModules(int n, bool runny, std::mt19937& random) {
  std::vector<uint8_t> m(static_cast<size_t>(n) * n);
  uint8_t value = 0;
  for (size_t i = 0; i < m.size(); ++i) {
    if (!runny || random() % 6 == 0) value = static_cast<uint8_t>(random());
    m[i] = value;
    if (runny && i >= static_cast<size_t>(n) && random() % 3 == 0) m[i] = m[i - n];
  }
  return m;
}

TEST(QrMaskPenalty, PackedLinesScoreAsTheRules) {
  std::mt19937 random(2024);
  for (int n : {5, 7, 21, 25, 57, 63, 64, 65, 101, 127, 128, 129, 177})
    for (bool runny : {false, true}) {
      const std::vector<uint8_t> modules = RandomModules(n, runny, random);
      const int encoding = n * n - 3 * n;
      for (int mask = 0; mask < 8; ++mask)
        EXPECT_EQ(QrMaskPenalty(modules, n, mask, encoding), PlainPenalty(modules, n, mask, encoding))
            << n << " modules, mask " << mask << (runny ? ", runs" : ", noise");
    }
}

TEST(QrMaskPenalty, ChoiceIsTheLowestPlainPenaltyHigherOnTies) {
  std::mt19937 random(7);
  for (int n : {21, 45, 97, 177}) {
    const std::vector<uint8_t> modules = RandomModules(n, true, random);
    int best = 0, bestPenalty = 0;
    for (int mask = 0; mask < 8; ++mask) {
      const int p = PlainPenalty(modules, n, mask, n * n);
      if (mask == 0 || p <= bestPenalty) best = mask, bestPenalty = p;
    }
    EXPECT_EQ(QrChooseMask(modules, n, n * n), best) << n;
  }
}

}  // namespace
