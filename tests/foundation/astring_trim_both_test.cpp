// AString::TrimBoth: the right end first, then the left, with the default set.
#include <gtest/gtest.h>

#include "foundation/string/astring.h"

namespace {

TEST(AStringTrimBoth, DefaultAndGivenSets) {
  struct Case {
    const char* text;
    const char* set;
    const char* expected;
  } cases[] = {
      {" \t a b \r\n", nullptr, "a b"}, {" \t a b \r\n", "", "a b"}, {"xxaxx", "x", "a"},
      {"   ", nullptr, ""},             {"a", nullptr, "a"},         {"--a-b--", "-", "a-b"},
  };
  for (const Case& c : cases) {
    AString s(c.text);
    s.TrimBoth(c.set);
    EXPECT_STREQ(s.GetData(), c.expected) << c.text;
  }
}

TEST(AStringTrimBoth, WideText) {
  AString s(8, " \0a\0b\0\t\0");
  s.SetWide(true);
  s.TrimBoth();
  ASSERT_EQ(s.GetLength(), 4);
  EXPECT_EQ(std::string(s.GetData(), 4), std::string("a\0b\0", 4));
}

}  // namespace
