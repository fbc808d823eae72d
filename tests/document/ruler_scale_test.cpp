// The rulers' scale in pixels.
#include <gtest/gtest.h>

#include <string>

#include "document/frame/ruler_scale.h"

namespace {

// Ticks as text: "|" major (with its number), ":" half, "." minor, at their
// positions.
std::string Describe(const std::vector<RulerTick>& ticks) {
  std::string s;
  for (const RulerTick& t : ticks) {
    s += std::to_string(t.position);
    s += t.kind == RulerTickKind::kMajor ? "|" + std::to_string(t.number) : t.kind == RulerTickKind::kHalf ? ":" : ".";
    s += ' ';
  }
  return s;
}

struct ScaleCase {
  const char* name;
  int zoom, units, scroll, start, length;
  const char* ticks;
};

const ScaleCase kCases[] = {
    {"zoom 150 in inches: 15 pixels apart, numbered every 150", 150, 1, 0, 0, 160,
     "0|0 15. 30. 45. 60. 75: 90. 105. 120. 135. 150|1 "},
    {"scrolled by 10: the first tick is the next one", 150, 1, 10, 0, 40, "5. 20. 35. "},
    {"a strip that starts 30 pixels in", 150, 1, 0, 30, 31, "30|0 45. 60. "},
    {"millimetres at zoom 150: about 5.9 pixels apart", 150, 2, 0, 0, 60,
     "0|0 6. 12. 18. 24. 30: 35. 41. 47. 53. 59|1 "},
    {"scrolled back past 0: negative numbers", 100, 1, -25, 0, 30, "5. 15. 25|0 "},
    {"zoom 0 draws nothing", 0, 1, 0, 0, 100, ""},
};

TEST(RulerScale, TicksInPixels) {
  for (const ScaleCase& c : kCases)
    EXPECT_EQ(Describe(ComputeRulerTicks(c.zoom, c.units, c.scroll, c.start, c.length)), c.ticks) << c.name;
}

TEST(RulerScale, UnitNameOnlyWhereItFits) {
  EXPECT_STREQ(RulerUnitName(1), "inch");
  EXPECT_STREQ(RulerUnitName(2), "cm");
  // A major interval of 150 pixels less 5 holds a 24-pixel "inch".
  EXPECT_TRUE(RulerUnitNameFits(150, 1, 24));
  // At zoom 25 an inch is 25 pixels: 20 is not wider than 24.
  EXPECT_FALSE(RulerUnitNameFits(25, 1, 24));
  // A centimetre at zoom 96 is 37.8 pixels; 32.8 > 14 but not > 33.
  EXPECT_TRUE(RulerUnitNameFits(96, 2, 14));
  EXPECT_FALSE(RulerUnitNameFits(96, 2, 33));
}

}  // namespace
