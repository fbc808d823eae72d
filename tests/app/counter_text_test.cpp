// Counters held as text: the carries, borrows and limits of each counter kind.
#include <gtest/gtest.h>

#include "app/counter/counter_text.h"

namespace {

struct Step {
  const char* text;
  int step;
  int kind;
  const char* expected;
  const char* why;
};

TEST(CounterStepping, Table) {
  const Step cases[] = {
      {"0009", 1, kCounterDecimal, "0010", "carry into a zero"},
      {"0999", 1, kCounterDecimal, "1000", "carry through nines"},
      {"999", 1, kCounterDecimal, "1000", "carry grows the text"},
      {"10", -1, kCounterDecimal, "09", "borrow"},
      {"00", -1, kCounterDecimal, "99", "a borrow past the front is dropped"},
      {"A-99", 1, kCounterDecimal, "A-100", "the carry is written before the leftmost digit"},
      {"12-34", 70, kCounterDecimal, "13-04", "the carry passes over the separator"},
      {"0f", 1, kCounterHexadecimal, "10", "hexadecimal carry"},
      {"0a", 1, kCounterHexadecimal, "0b", "lower-case letters stay lower-case"},
      {"FF", 1, kCounterHexadecimal, "100", "hexadecimal carry grows the text"},
      {"FF", 5000, kCounterHexadecimal, "1487", "255 + 5000 = 0x1487: the carry stays hexadecimal"},
      {"af", 0x5A00, kCounterHexadecimal, "5aaf", "a carry over lower-case digits is lower-case"},
      {"X-FF", 0x100, kCounterHexadecimal, "X-1FF", "hexadecimal carry before the leftmost digit"},
      {"10", -1, kCounterHexadecimal, "0F", "hexadecimal borrow"},
      {"Az", 1, kCounterDecimalAlpha, "Ba", "each letter counts in its own case"},
      {"a9", 1, kCounterDecimalAlpha, "b0", "digit carries into a letter"},
      {"X-Z9", 1, kCounterDecimalAlpha, "Y-A0", "the carry passes over '-'"},
      {"ZZ", 1, kCounterDecimalAlpha, "1AA", "letter-and-digit carry is decimal"},
      {"0001", 25, kCounterDecimal, "0026", "a step of many"},
      {"0100", -25, kCounterDecimal, "0075", "a step back of many"},
      {"0005", 0, kCounterDecimal, "0005", "no step, no change"},
      {"12", 1, 7, "13", "an unknown kind steps as decimal"},
      {"ab", 1, kCounterDecimal, "1ab", "no counting character: the carry goes in front"},
  };
  for (const Step& c : cases) {
    const AString got = StepCounterText(c.text, c.step, c.kind, false, "", "");
    EXPECT_STREQ(got.GetData(), c.expected) << c.text << " + " << c.step << " (kind " << c.kind << "): " << c.why;
  }
}

struct Limit {
  const char* text;
  int step;
  int kind;
  const char* limit;
  const char* reset;
  const char* expected;
  int rolledOver;
};

TEST(CounterStepping, LimitAndReset) {
  const Limit cases[] = {
      {"099", 1, kCounterDecimal, "100", "001", "100", 0},
      {"100", 1, kCounterDecimal, "100", "001", "001", 1},
      {"FE", 1, kCounterHexadecimal, "255", "00", "FF", 0},
      {"FF", 1, kCounterHexadecimal, "255", "00", "00", 1},
      {"ZY", 1, kCounterDecimalAlpha, "0ZZ", "AA", "ZZ", 0},
      {"ZZ", 1, kCounterDecimalAlpha, "0ZZ", "AA", "AA", 1},
      {"ZZ", 1, kCounterDecimalAlpha, "1AA", "AA", "1AA", 0},
      {"0FF", 1, kCounterHexadecimal, "256", "000", "100", 0},
      {"100", 1, kCounterHexadecimal, "256", "000", "000", 1},
      {"0005", 0, kCounterDecimal, "1", "0000", "0005", 0},
  };
  for (const Limit& c : cases) {
    int rolled = 0;
    const AString got = StepCounterText(c.text, c.step, c.kind, true, c.limit, c.reset, &rolled);
    EXPECT_STREQ(got.GetData(), c.expected) << c.text << " + " << c.step << " against " << c.limit;
    EXPECT_EQ(rolled, c.rolledOver) << c.text << " + " << c.step << " against " << c.limit;
  }
}

TEST(CounterStepping, AlignedComparison) {
  EXPECT_EQ(CompareAlignedText("ZZ", 2, "0ZZ", 3), 0);
  EXPECT_EQ(CompareAlignedText("ZZ", 2, "1AA", 3), -1);
  EXPECT_EQ(CompareAlignedText("AB", 2, "0AA", 3), 1);
}

}  // namespace
