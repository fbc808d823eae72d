// Counters held as text: stepping by kind, carries, borrows and the limit.
#include <gtest/gtest.h>

#include "datasource/counter_text.h"

namespace {

struct Step {
  const char* text;
  int step;
  int kind;
  const char* expected;
};

TEST(CounterText, Steps) {
  const Step cases[] = {
      {"0009", 1, kCounterDecimal, "0010"},
      {"0999", 1, kCounterDecimal, "1000"},
      {"999", 1, kCounterDecimal, "1000"},
      {"10", -1, kCounterDecimal, "09"},
      {"00", -1, kCounterDecimal, "99"},
      {"A-99", 1, kCounterDecimal, "A-100"},
      {"0f", 1, kCounterHexadecimal, "10"},
      {"0a", 1, kCounterHexadecimal, "0b"},
      {"FF", 1, kCounterHexadecimal, "100"},
      {"Az", 1, kCounterDecimalAlpha, "Ba"},
      {"a9", 1, kCounterDecimalAlpha, "b0"},
      {"X-Z9", 1, kCounterDecimalAlpha, "Y-A0"},
      {"ZZ", 1, kCounterDecimalAlpha, "1AA"},
      {"0001", 25, kCounterDecimal, "0026"},
      {"0100", -25, kCounterDecimal, "0075"},
      {"0005", 0, kCounterDecimal, "0005"},
      {"12", 1, 7, "13"},  // an unknown kind steps as decimal
  };
  for (const Step& c : cases) {
    const AString got = StepCounterText(c.text, c.step, c.kind, false, "", "");
    EXPECT_STREQ(got.GetData(), c.expected) << c.text << " " << c.step << " kind " << c.kind;
  }
}

TEST(CounterText, LimitAndReset) {
  int rolled = 0;
  EXPECT_STREQ(StepCounterText("099", 1, kCounterDecimal, true, "100", "001", &rolled).GetData(), "100");
  EXPECT_EQ(rolled, 0);
  EXPECT_STREQ(StepCounterText("100", 1, kCounterDecimal, true, "100", "001", &rolled).GetData(), "001");
  EXPECT_EQ(rolled, 1);
  rolled = 0;
  EXPECT_STREQ(StepCounterText("FE", 1, kCounterHexadecimal, true, "255", "00", &rolled).GetData(), "FF");
  EXPECT_EQ(rolled, 0);
  EXPECT_STREQ(StepCounterText("FF", 1, kCounterHexadecimal, true, "255", "00", &rolled).GetData(), "00");
  EXPECT_EQ(rolled, 1);
}

TEST(CounterText, AlignedComparison) {
  EXPECT_EQ(CompareAlignedText("ZZ", 2, "0ZZ", 3), 0);
  EXPECT_EQ(CompareAlignedText("ZZ", 2, "1AA", 3), -1);
  EXPECT_EQ(CompareAlignedText("AB", 2, "0AA", 3), 1);
  int rolled = 0;
  // "ZY" + 1 is "ZZ", equal to the limit "0ZZ": not beyond it.
  EXPECT_STREQ(StepCounterText("ZY", 1, kCounterDecimalAlpha, true, "0ZZ", "AA", &rolled).GetData(), "ZZ");
  EXPECT_EQ(rolled, 0);
  EXPECT_STREQ(StepCounterText("ZZ", 1, kCounterDecimalAlpha, true, "0ZZ", "AA", &rolled).GetData(), "AA");
  EXPECT_EQ(rolled, 1);
}

TEST(CounterText, StepCharReportsWhatCounts) {
  char c = '-';
  bool touched = false;
  EXPECT_EQ(StepCounterChar(&c, kCounterDecimal, 5, &touched), 5);
  EXPECT_FALSE(touched);
  c = '7';
  EXPECT_EQ(StepCounterChar(&c, kCounterDecimal, 5, &touched), 1);
  EXPECT_TRUE(touched);
  EXPECT_EQ(c, '2');
  c = '3';
  EXPECT_EQ(StepCounterChar(&c, kCounterDecimal, -25, &touched), -3);
  EXPECT_EQ(c, '8');
}

TEST(CounterText, AdvanceCounterValueIsTheSameStep) {
  int rolled = 0;
  EXPECT_STREQ(AdvanceCounterValue("0098", 3, kCounterDecimal, true, "100", "001", &rolled).GetData(), "001");
  EXPECT_EQ(rolled, 1);
  EXPECT_STREQ(AdvanceCounterValue("A-99", 1, kCounterDecimal, false, "", "").GetData(), "A-100");
}

}  // namespace
