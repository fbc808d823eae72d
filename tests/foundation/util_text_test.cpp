#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/util/base64.h"
#include "foundation/util/bits.h"
#include "foundation/util/text.h"

namespace {

std::string Text(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

AString Wide(const std::u16string& u) {
  AString s(static_cast<int>(u.size() * 2), reinterpret_cast<const char*>(u.data()));
  s.SetWide(true);
  return s;
}

TEST(CharTests, Classes) {
  struct Case {
    int c;
    bool ident, word, alnum;
  };
  for (const Case& k : {Case{'a', true, true, true}, Case{'Z', true, true, true}, Case{'7', true, true, true},
                        Case{'_', true, true, false}, Case{'$', true, false, false}, Case{'-', false, false, false},
                        Case{0xE9, false, false, false}, Case{' ', false, false, false}}) {
    EXPECT_EQ(IsIdentChar(k.c), k.ident) << k.c;
    EXPECT_EQ(IsWordChar(k.c), k.word) << k.c;
    EXPECT_EQ(IsAlnumChar(k.c), k.alnum) << k.c;
  }
}

TEST(CharTests, Identifier) {
  struct Case {
    const char* s;
    int result, bad;
  };
  for (const Case& k : {Case{"abc_1$", 1, -1}, Case{"1abc", 0, 0}, Case{"_x", 0, 0}, Case{"ab-c", 0, 2},
                        Case{"", 0, 0}}) {
    int bad = -1;
    EXPECT_EQ(IsIdentifier(k.s, &bad), k.result) << k.s;
    EXPECT_EQ(bad, k.bad) << k.s;
  }
}

TEST(CharTests, Digits) {
  EXPECT_EQ(CountLeadingDigits("123ab", 0), 3);
  EXPECT_EQ(CountLeadingDigits("12345", 3), 3);
  EXPECT_EQ(CountLeadingDigits("12", 5), 2);  // the terminator is the first non-digit
  EXPECT_FALSE(IsAllDigits("12", 5));
  EXPECT_EQ(CountLeadingDigitsWide(Wide(u"12"), 5), 2);
  EXPECT_TRUE(IsAllDigits("0123", 0));
  EXPECT_FALSE(IsAllDigits("01 3", 0));
  EXPECT_TRUE(IsAllDigits("01 3", 2));
  AString wide = Wide(u"12\u0033x");
  EXPECT_EQ(CountLeadingDigitsWide(wide, 0), 3);
  EXPECT_EQ(CountLeadingDigitsWide(Wide(u"1\u0131"), 0), 1);  // high byte set: not a digit
  EXPECT_TRUE(IsAllDigitsText(Wide(u"987"), 0));
  EXPECT_TRUE(IsAllDigitsText(wide, 3));
  EXPECT_FALSE(IsAllDigitsText(wide, 0));
  EXPECT_TRUE(IsAllDigitsText(AString("42"), 0));
  int v = -1;
  EXPECT_EQ(HexDigitValue('7', &v), 1);
  EXPECT_EQ(v, 7);
  EXPECT_EQ(HexDigitValue('c', &v), 2);
  EXPECT_EQ(v, 12);
  EXPECT_EQ(HexDigitValue('F', &v), 3);
  EXPECT_EQ(v, 15);
  EXPECT_EQ(HexDigitValue('g', &v), 0);
  EXPECT_EQ(HexDigitValue('a', nullptr), 2);
}

TEST(Trim, Whitespace) {
  char a[] = " \t x y\r\n";
  EXPECT_EQ(TrimWhitespace(a, 0), 1);
  EXPECT_STREQ(a, "x y");
  char b[] = " \r\n\t";
  EXPECT_EQ(TrimWhitespace(b, 0), 0);
  EXPECT_STREQ(b, " \r\n\t");
  char c[] = "  x ";
  EXPECT_EQ(TrimWhitespace(c, 2), 0);  // the first two are blanks
  EXPECT_STREQ(c, "  x ");
}

TEST(Split, AtTab) {
  AString before, after("old");
  SplitAtTab(AString("key\tvalue\tmore"), before, after);
  EXPECT_EQ(Text(before), "key");
  EXPECT_EQ(Text(after), "value\tmore");
  SplitAtTab(AString("no tab"), before, after);
  EXPECT_EQ(Text(before), "no tab");
  EXPECT_TRUE(after.IsEmpty());
}

struct SplitCase {
  std::vector<const char*> before;
  const char* text;
  char sep;
  bool stripQuotes;
  int added;
  std::vector<std::string> result;
};

class SplitPieces : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitPieces, TrimsAndBalances) {
  const SplitCase& c = GetParam();
  AArray<AString> out;
  for (const char* t : c.before) out.AddChars(t);
  EXPECT_EQ(SplitToStringArray(out, c.text, c.sep, c.stripQuotes), c.added);
  std::vector<std::string> got;
  for (int i = 0; i < out.GetSize(); ++i) got.push_back(Text(out[i]));
  EXPECT_EQ(got, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitPieces,
    ::testing::Values(SplitCase{{}, " a , b,,c ", ',', false, 3, {"a", "b", "c"}},
                      SplitCase{{}, "\"x\";\"y\"", ';', true, 2, {"\"x\"", "y"}},  // only the last piece loses quotes
                      SplitCase{{}, "f(x);g(y", ';', false, 2, {"f(x)", "gy"}},
                      SplitCase{{"old)"}, "z)", '|', false, 1, {"old", "z"}},  // old elements are balanced too
                      SplitCase{{}, ")", ',', false, 1, {")"}},                // one character: kept
                      SplitCase{{}, "", ',', false, 0, {}}));

TEST(Compare, PairsAndSums) {
  EXPECT_EQ(MatchPairEitherOrder("a", "B", "b", "A"), 1);
  EXPECT_EQ(MatchPairEitherOrder("a", "b", "A", "B"), 1);
  EXPECT_EQ(MatchPairEitherOrder("a", "b", "a", "c"), 0);
  EXPECT_EQ(StringChecksum("abc"), 'b' * 1 + 'c' * 2);
  EXPECT_EQ(StringChecksum("\xFF\xFF"), -1);  // signed bytes
  EXPECT_EQ(StringHash(AString("ab")), 3299u);
  EXPECT_EQ(StringHash(AString("\x80")), static_cast<uint32_t>(-128));
}

struct FindCase {
  std::u16string hay, needle;
  int start;
  bool ignoreCase;
  int forward, backward;
};

class WideFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(WideFind, BothDirections) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindWide(Wide(c.hay), Wide(c.needle), c.start, c.ignoreCase), c.forward);
  EXPECT_EQ(ReverseFindWide(Wide(c.hay), Wide(c.needle), c.start, c.ignoreCase), c.backward);
}

INSTANTIATE_TEST_SUITE_P(Cases, WideFind,
                         ::testing::Values(FindCase{u"abcabc", u"bc", 0, false, 1, -1},
                                           FindCase{u"abcabc", u"bc", -1, false, 1, 4},
                                           FindCase{u"abcabc", u"bc", 2, false, 4, 1},
                                           FindCase{u"abcabc", u"bc", 99, false, -1, 4},
                                           FindCase{u"xABx", u"ab", 0, true, 1, -1},
                                           FindCase{u"xABx", u"ab", -5, false, -1, -1},
                                           FindCase{u"\u00C9\u00E9", u"\u00E9", 0, true, 1, -1},  // only A..Z fold
                                           FindCase{u"ab", u"abc", 0, false, -1, -1}));

// ---- Base64 ----------------------------------------------------------------

struct EncodeCase {
  std::string data;
  const char* text;
};

class Base64Encode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Base64Encode, EncodesAndDecodesBack) {
  const EncodeCase& c = GetParam();
  AString out;
  EXPECT_EQ(EncodeBase64(reinterpret_cast<const uint8_t*>(c.data.data()), static_cast<int>(c.data.size()), out),
            static_cast<int>(std::strlen(c.text)));
  EXPECT_EQ(Text(out), c.text);
  std::vector<uint8_t> back(c.data.size() + 1, 0xAA);
  EXPECT_EQ(Base64Decode(out, back.data(), static_cast<int>(back.size())), static_cast<int>(c.data.size()));
  EXPECT_EQ(std::string(back.begin(), back.begin() + c.data.size()), c.data);
}

INSTANTIATE_TEST_SUITE_P(Cases, Base64Encode,
                         ::testing::Values(EncodeCase{"abc", "YWJj"}, EncodeCase{"ab", "YWI="}, EncodeCase{"a", "YQ=="},
                                           EncodeCase{std::string("\0\xFF\x10", 3), "AP8Q"},
                                           EncodeCase{"hello world", "aGVsbG8gd29ybGQ="}));

struct DecodeCase {
  const char* text;
  int capacity;
  int result;
};

class Base64DecodeCases : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Base64DecodeCases, CountsOrRefuses) {
  const DecodeCase& c = GetParam();
  // An exact-size heap buffer: any write past the capacity is reported.
  std::unique_ptr<uint8_t[]> out(new uint8_t[c.capacity > 0 ? c.capacity : 1]);
  EXPECT_EQ(Base64Decode(AString(c.text), out.get(), c.capacity), c.result);
}

INSTANTIATE_TEST_SUITE_P(Cases, Base64DecodeCases,
                         ::testing::Values(DecodeCase{"YWI=", 2, 2}, DecodeCase{"YW I=", 8, 0},
                                           DecodeCase{"YWJj\r\n", 8, 0}, DecodeCase{"", 8, 0},
                                           DecodeCase{"YWJj", 2, 0},              // decodes to more than fits
                                           DecodeCase{"YWJjZGVmZ2hp", 8, 0}, DecodeCase{"YWJj", 3, 3},
                                           DecodeCase{"\xD9\xD7\xCA\xEA", 3, 3},  // high bits stripped
                                           DecodeCase{"YWI=", 0, 0}, DecodeCase{"Y*I=", 4, 0}));

TEST(Base64, NullArguments) {
  AString out("x");
  EXPECT_EQ(EncodeBase64(nullptr, 3, out), 0);
  EXPECT_EQ(Base64Decode(AString("YWI="), nullptr, 4), 0);
}

// ---- Bits ------------------------------------------------------------------

TEST(Bits, ReverseAndCount) {
  EXPECT_EQ(ReverseBits8(0x01), 0x80);
  EXPECT_EQ(ReverseBits8(0xF0), 0x0F);
  EXPECT_EQ(ReverseBits8(0xA5), 0xA5);
  EXPECT_EQ(ReverseBits8(0x13), 0xC8);
  EXPECT_EQ(BytesForBits(9), 2);
  EXPECT_EQ(BytesForBits(8), 1);
  EXPECT_EQ(BytesForBits(0), 0);
}

struct ShiftCase {
  std::vector<uint8_t> in;
  int bits;
  std::vector<uint8_t> out;
};

class ShiftRight : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftRight, MovesBitsToLaterBytes) {
  std::vector<uint8_t> buf = GetParam().in;
  ShiftBufferRight(buf.data(), static_cast<int>(buf.size()), GetParam().bits);
  EXPECT_EQ(buf, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShiftRight,
                         ::testing::Values(ShiftCase{{0x81, 0x01}, 1, {0x40, 0x80}},
                                           ShiftCase{{0xFF, 0x00, 0x00}, 12, {0x00, 0x0F, 0xF0}},
                                           ShiftCase{{0x12, 0x34}, 8, {0x00, 0x12}},
                                           ShiftCase{{0x12, 0x34}, 0, {0x12, 0x34}},
                                           ShiftCase{{0x12, 0x34}, -3, {0x12, 0x34}},
                                           ShiftCase{{0x12, 0x34}, 40, {0x00, 0x00}}));

TEST(Bits, RandomRangeStaysInRange) {
  std::srand(7);
  for (auto [a, b] : {std::pair{0, 10}, std::pair{-5, 5}, std::pair{0, 2147483647}, std::pair{-2147483647 - 1, 2147483647},
                      std::pair{3, 3}}) {
    for (int i = 0; i < 2000; ++i) {
      int r = RandomRange(a, b);
      ASSERT_GE(r, a);
      ASSERT_LE(r, b);
    }
  }
  bool sawHigh = false;
  for (int i = 0; i < 5000 && !sawHigh; ++i) sawHigh = RandomRange(0, 100) > 90;
  EXPECT_TRUE(sawHigh) << "the scale covers the whole range";
}

}  // namespace
