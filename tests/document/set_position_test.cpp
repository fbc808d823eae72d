// The Set Position arithmetic as a table: typed values in both units, the
// nine anchor points, negative values and values left as shown.
#include <gtest/gtest.h>

#include "document/view/set_position.h"

namespace {

using namespace setposition;

TEST(SetPosition, TypedValuesInMils) {
  struct Case {
    const char* text;
    int units;
    int64_t mils;
  } cases[] = {
      {"25.4", 2, 1000},  // not 999: the division's rounding is not lost
      {"0.570", 1, 570},  {"2.0009", 1, 2000}, {"1", 1, 1000},   {"50.8", 2, 2000},
      {"0", 1, 0},        {"abc", 1, 0},       {"-1", 1, -1000}, {"0.001", 1, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseMils(c.text, UnitFactor(c.units)), c.mils) << c.text;
}

TEST(SetPosition, AnchorPointsGiveTheTopLeft) {
  struct Case {
    int code;
    int rotation;
    POINT reference;
  } cases[] = {
      {0, 0, {2000, 1000}},    {4, 0, {1500, 750}},  {8, 0, {1000, 500}}, {2, 0, {1000, 1000}},
      {6, 0, {2000, 500}},     {1, 0, {1500, 1000}}, {7, 0, {1500, 500}}, {3, 0, {2000, 750}},
      {5, 0, {1000, 750}},     {0, 90000, {2000, 1000}},
  };
  for (const auto& c : cases) {
    const POINT p = ReferenceFromAnchor(2000, 1000, c.code, 1000, 500, c.rotation);
    EXPECT_EQ(p.x, c.reference.x) << c.code;
    EXPECT_EQ(p.y, c.reference.y) << c.code;
  }
  // The list's order and codes.
  const int codes[] = {0, 2, 6, 8, 4, 3, 5, 1, 7};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(kAnchorChoices[i].code, codes[i]);
  EXPECT_STREQ(kAnchorChoices[4].text, "Center");
}

TEST(SetPosition, EnteredValues) {
  const double inch = UnitFactor(1);
  // Unedited texts keep the values they showed, whatever the display rounded.
  Entered e = ReadEntered("1.23", "0.57", 1234, 567, inch);
  EXPECT_EQ(e.x, 1234);
  EXPECT_EQ(e.y, 567);
  e = ReadEntered("1.5", "0.57", 1234, 567, inch);
  EXPECT_EQ(e.x, 1500);
  EXPECT_EQ(e.y, 567);
  e = ReadEntered("-1", "2", 1234, 567, inch);
  EXPECT_TRUE(e.xNegative);
  EXPECT_FALSE(e.x.has_value());
  EXPECT_EQ(e.y, 2000);
  EXPECT_EQ(FormatValue(1000, UnitFactor(2)), AString("25.40"));
}

}  // namespace
