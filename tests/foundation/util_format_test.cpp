#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/util/printf_format.h"
#include "foundation/util/value_format.h"

namespace {

std::string Text(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

AString Wide(const char16_t* units) {
  std::u16string u(units);
  AString s(static_cast<int>(u.size() * 2), reinterpret_cast<const char*>(u.data()));
  s.SetWide(true);
  return s;
}

std::u16string UnitsOf(const AString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.GetData()), static_cast<size_t>(s.GetLength() / 2));
}

struct SpecCase {
  const char* value;
  const char* spec;
  const char* expected;
};

class FormatBySpec : public ::testing::TestWithParam<SpecCase> {};

TEST_P(FormatBySpec, FormatsOrMasks) {
  AString v(GetParam().value);
  FormatValueBySpec(v, GetParam().spec);
  EXPECT_EQ(Text(v), GetParam().expected);
  EXPECT_FALSE(v.IsWide());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatBySpec,
    ::testing::Values(SpecCase{"3.14159", "@@%.2f", "3.14"}, SpecCase{"3.14159", "@@%d", "3"},
                      SpecCase{"-2.9", "@@%d", "-2"},  // the integer part
                      SpecCase{"42", "@@%05d kg", "00042 kg"}, SpecCase{"0.5", "@@%+8.3f%%", "  +0.500%"},
                      SpecCase{"255", "@@%X", "FF"}, SpecCase{"1234.5", "@@%.1e", "1.2e+03"},
                      SpecCase{"1e30", "@@%d", "9223372036854775807"},  // saturated, no overflow
                      // Not exactly one allowed conversion: the format is kept as plain text.
                      SpecCase{"1", "@@%s", "%s"}, SpecCase{"1", "@@%n", "%n"}, SpecCase{"1", "@@%d%d", "%d%d"},
                      SpecCase{"1", "@@%*d", "%*d"}, SpecCase{"1", "@@%ld", "%ld"},
                      SpecCase{"1", "@@%1000d", "%1000d"}, SpecCase{"1", "@@%", "%"},
                      SpecCase{"1", "@@%.2f %x", "%.2f %x"},
                      // Masks.
                      SpecCase{"12", "?\?-?\?", "12-"}, SpecCase{"12", "?\?-?\?x", "12-x"},
                      SpecCase{"123456", "(?\?) ?\?-?", "(12) 34-5"}, SpecCase{"", "a?b", "ab"}));

TEST(FormatBySpec, WideValues) {
  AString v = Wide(u"3.5");
  EXPECT_EQ(FormatValueBySpec(v, "@@%.3f"), 1);
  EXPECT_EQ(Text(v), "3.500");
  AString m = Wide(u"12");
  EXPECT_EQ(FormatValueBySpec(m, "?\?-?\?x"), 6);
  EXPECT_TRUE(m.IsWide());
  EXPECT_EQ(UnitsOf(m), u"12-");  // the wide form ends where the value runs out
  EXPECT_EQ(m.GetData()[6], 0);
  EXPECT_EQ(m.GetData()[7], 0);
}

TEST(ApplyMaskWide, TakesUnitsAndEndsWithTheValue) {
  AString v = Wide(u"\u4E2D12");
  EXPECT_EQ(ApplyMaskWide(v, "?-?\?-?"), 10);
  EXPECT_EQ(UnitsOf(v), u"\u4E2D-12-");
}

TEST(ParseSingleConversion, IntegerConversionsTakeLongLong) {
  auto c = ParseSingleConversion("n=%+3d.");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->kind, ConversionClass::Integer);
  EXPECT_EQ(c->format, "n=%+3lld.");
  EXPECT_FALSE(ParseSingleConversion("no conversion"));
  EXPECT_FALSE(ParseSingleConversion("100%% sure"));
  EXPECT_FALSE(ParseSingleConversion("%c"));
  EXPECT_FALSE(ParseSingleConversion("%p"));
}

struct DecimalsCase {
  const char* value;
  int decimals;
  bool sign;
  const char* expected;
};

class NumberDecimals : public ::testing::TestWithParam<DecimalsCase> {};

TEST_P(NumberDecimals, Prints) {
  AString v(GetParam().value);
  EXPECT_EQ(FormatNumberDecimals(v, GetParam().decimals, GetParam().sign), 1);
  EXPECT_EQ(Text(v), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberDecimals,
                         ::testing::Values(DecimalsCase{"2.5", 2, false, "2.50"}, DecimalsCase{"2.5", 0, true, "+2"},
                                           DecimalsCase{"-1", 1, true, "-1.0"}, DecimalsCase{"abc", 1, false, "0.0"},
                                           DecimalsCase{"1.25", -3, false, "1"}));  // negative decimals: none

struct TrimCase {
  const char* in;
  const char* out;
};

class TrimZeros : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimZeros, DropsTrailingZerosAfterAPoint) {
  char buf[32];
  std::strcpy(buf, GetParam().in);
  EXPECT_EQ(TrimTrailingZeros(buf), static_cast<int>(std::strlen(GetParam().out)));
  EXPECT_STREQ(buf, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimZeros,
                         ::testing::Values(TrimCase{"1.500", "1.5"}, TrimCase{"2.000", "2"}, TrimCase{"0.000", "0"},
                                           TrimCase{"100", "100"}, TrimCase{".000", "0"}, TrimCase{"", ""}));

TEST(FormatDoubleTrimmed, TwelveDecimalsTrimmedWithinTheBuffer) {
  char buf[64];
  EXPECT_EQ(FormatDoubleTrimmed(0.25, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "0.25");
  EXPECT_EQ(FormatDoubleTrimmed(-3.0, buf, sizeof buf), 2);
  EXPECT_STREQ(buf, "-3");
  char small[8];
  FormatDoubleTrimmed(1e300, small, sizeof small);  // cut, not overrun
  EXPECT_EQ(std::strlen(small), 7u);
}

struct ChrCase {
  const char* in;
  const char* out;
  int count;
};

class ChrCodes : public ::testing::TestWithParam<ChrCase> {};

TEST_P(ChrCodes, Replace) {
  AString s(GetParam().in);
  EXPECT_EQ(ReplaceChrCodes(s), GetParam().count);
  EXPECT_EQ(Text(s), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChrCodes,
                         ::testing::Values(ChrCase{"AchR(66)C", "ABC", 1}, ChrCase{"chr(x", "chr(x", 0},
                                           ChrCase{"chr()", "chr()", 0}, ChrCase{"chr(65", "chr(65", 0},
                                           ChrCase{"CHR(72)CHR(105)", "Hi", 2},
                                           ChrCase{"chr(chr(65))", "chr(A)", 1},
                                           ChrCase{"chr(321)", "A", 1}));  // low 8 bits

struct HexCase {
  const char* data;
  int len;
  const char* hex;
};

class Hex : public ::testing::TestWithParam<HexCase> {};

TEST_P(Hex, TwoDigitsPerByte) { EXPECT_EQ(Text(HexPairs(GetParam().data, GetParam().len)), GetParam().hex); }

INSTANTIATE_TEST_SUITE_P(Cases, Hex,
                         ::testing::Values(HexCase{"AB", 0, "4142"}, HexCase{"ABC", 0, "414243"},  // odd: last byte alone
                                           HexCase{"\xFF\x01", 2, "FF01"}, HexCase{"A\0B", 3, "410042"},
                                           HexCase{"", 0, ""}, HexCase{"xyz", 1, "78"}));

TEST(HexPairs, OddLengthReadsNoFurther) {
  // An exact-size heap buffer: the sanitizer reports any read past its end.
  auto data = std::make_unique<char[]>(3);
  std::memcpy(data.get(), "\x10\x20\x30", 3);
  EXPECT_EQ(Text(HexPairs(data.get(), 3)), "102030");
}

TEST(DateTime, KindsPickTheFormat) {
  EXPECT_FALSE(FormatCurrentDateTime(0).IsEmpty());
  EXPECT_EQ(Text(FormatCurrentDateTime(1)).size(), 8u);  // C locale "%x": mm/dd/yy
  EXPECT_EQ(Text(FormatCurrentDateTime(2)).size(), 8u);  // "%X": hh:mm:ss
  EXPECT_TRUE(FormatCurrentDateTime(3).IsEmpty());
}

TEST(Units, Conversions) {
  double a = 0, b = 0;
  ConvertLayoutUnits(1000, 500, 2, &a, &b);
  EXPECT_DOUBLE_EQ(a, 25.4);
  EXPECT_DOUBLE_EQ(b, 12.7);
  ConvertLayoutUnits(1500, -250, 1, &a, &b);
  EXPECT_DOUBLE_EQ(a, 1.5);
  EXPECT_DOUBLE_EQ(b, -0.25);
  EXPECT_DOUBLE_EQ(ThousandthsToMm(1000), 25.4);
  EXPECT_EQ(MmToThousandths(25.4), 1000);
  EXPECT_EQ(MmToThousandths(1.0), 39);  // 39.37 truncated
  EXPECT_EQ(ScaleByPoint254(10.0), 3);  // 2.54 + 0.5
  EXPECT_EQ(ScaleByPoint254(1e20), 2147483647);
}

}  // namespace
