// kvoBCode's checks in their order, the validation exports, the check
// characters, the predicates and the human-readable text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Request;

struct EntryCase {
  const char* name;
  kalvo::Symbology type;
  int subType;
  std::string data;
  int resolution;
  int deviceUnits;
  kalvo::ResultCode expected;
};

class EntryResult : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryResult, ReturnsTheCodeOfTheFirstFailingCheck) {
  const EntryCase& c = GetParam();
  Request r(c.type, c.subType, c.data);
  r.code.resolution = c.resolution;
  r.code.deviceUnits = static_cast<uint8_t>(c.deviceUnits);
  r.code.textPosition = 0;
  EXPECT_EQ(kvoBCode(0, &r.code, 1), c.expected);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

const std::string kLong39(1025, 'A');
const std::string kLowerLong39(1025, 'a');

INSTANTIATE_TEST_SUITE_P(
    Kalvo, EntryResult,
    testing::Values(
        EntryCase{"Code39Over1024", S::Code39, 0, kLong39, 300, 1, kalvo::kDataTooLong},
        EntryCase{"TooLongBeforeResolution", S::Code39, 0, kLowerLong39, 0, 0, kalvo::kDataTooLong},
        EntryCase{"ResolutionBeforeLength", S::Ean13, 0, "123", 0, 0, kalvo::kNothingDrawn},
        EntryCase{"Pdf417LongGoesToValidation", S::Pdf417, 0, std::string(3000, 'A'), 300, 1, kalvo::kLengthNotAllowed},
        EntryCase{"Pdf417LongestAllowed", S::Pdf417, 0, std::string(2709, 'A'), 300, 1, kalvo::kDone},
        EntryCase{"MicroPdf417LongestAllowed", S::MicroPdf417, 0, std::string(366, 'A'), 300, 1, kalvo::kDone},
        EntryCase{"MicroPdf417OneTooLong", S::MicroPdf417, 0, std::string(367, 'A'), 300, 1, kalvo::kLengthNotAllowed},
        EntryCase{"DataMatrixLongestAllowed", S::DataMatrix, 0, std::string(3000, '1'), 300, 1, kalvo::kDone},
        EntryCase{"DataMatrixOneTooLong", S::DataMatrix, 0, std::string(3001, '1'), 300, 1, kalvo::kLengthNotAllowed},
        EntryCase{"Ean13Plus2Exact", S::Ean13, 1, "40063813339312", 300, 1, kalvo::kDone},
        EntryCase{"Ean13Plus2Short", S::Ean13, 1, "4006381333931", 300, 1, kalvo::kLengthNotAllowed},
        EntryCase{"Ean8Length", S::Ean8, 0, "12345678", 300, 1, kalvo::kLengthNotAllowed},
        EntryCase{"PostnetLength", S::Postnet, 0, "1234567", 300, 1, kalvo::kLengthNotAllowed},
        EntryCase{"I25Letter", S::Interleaved2of5, 0, "12A4", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"Code39LowerCase", S::Code39, 0, "abc", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"Code39FullAsciiHighByte", S::Code39FullAscii, 0, "ab\x80", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"Code128SetBControl", S::Code128, 2, "ab\x01", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"PlesseyHexDigits", S::Plessey, 0, "1234ABCDEF", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"CodabarStartWithoutStop", S::Codabar, 0, "A1234", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"CodabarStopInside", S::Codabar, 0, "A12B34B", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"CodabarLetterWithoutStart", S::Codabar, 0, "12C34", 300, 1, kalvo::kInvalidCharacter},
        EntryCase{"NoEncoder8", S::EanUcc13, 0, "123456789012", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder9", S::EanUcc14, 0, "1234567890123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder13", S::Rss14, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder14", S::Rss14Composite, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder15", S::Sscc18, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder16", S::Sscc14, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder17", S::Ucc12, 0, "12345678901", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder23", S::UpcShipping, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder25", S::Planet, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder30", S::Code49, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder32", S::Code16, 0, "123", 300, 1, kalvo::kDone},
        EntryCase{"NoEncoder34", kalvo::SymbologyOf(34), 0, "123", 300, 1, kalvo::kDone}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

TEST(KalvoEntry, UnusableResolutionChangesOnlyErrorValue) {
  Request r(S::Ean13, 0, "400638133393");
  r.code.resolution = 0;
  r.code.deviceUnits = 0;
  EXPECT_EQ(kvoBCode(0, &r.code, 0), 1);
  EXPECT_EQ(r.code.errorValue, 1);
  EXPECT_EQ(r.code.width, 0);
  EXPECT_EQ(r.code.height, 0);
  EXPECT_EQ(r.code.textGap, 30);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

TEST(KalvoEntry, HiddenTextRowClearsGapAndHeight) {
  Request r(S::Code128, 0, "ABC");
  r.code.textPosition = 0;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  EXPECT_EQ(r.code.textGap, 0);
  EXPECT_EQ(r.code.textHeight, 0);
  EXPECT_EQ(r.code.height, r.code.barHeight);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

TEST(KalvoEntry, Code93WidthCountsBothCheckCharacters) {
  Request r(S::Code93, 0, "TEST93");
  r.code.textPosition = 0;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  EXPECT_EQ(r.code.width, (9 * 8 + 19) * 1);
}

struct LensCase {
  kalvo::Symbology type;
  int subType;
  std::vector<unsigned short> lengths;
  int isMaximum;
  const char* text;
};

class ValidLengths : public testing::TestWithParam<LensCase> {};

TEST_P(ValidLengths, ListsTheLengthsAndTheirText) {
  const LensCase& c = GetParam();
  unsigned short lengths[4] = {0, 0, 0, 0};
  int isMaximum = -7;
  char text[64] = "x";
  const int n = GetBCodeValidLens(kalvo::CodeOf(c.type), c.subType, lengths, &isMaximum, text);
  ASSERT_EQ(n, static_cast<int>(c.lengths.size()));
  EXPECT_EQ(std::vector<unsigned short>(lengths, lengths + n), c.lengths);
  EXPECT_STREQ(text, c.text);
  EXPECT_EQ(isMaximum, n == 0 ? -7 : c.isMaximum);
}

INSTANTIATE_TEST_SUITE_P(
    Kalvo, ValidLengths,
    testing::Values(LensCase{S::Ean8, 0, {7}, 0, "7"}, LensCase{S::Ean8, 1, {9}, 0, "9"}, LensCase{S::Ean8, 2, {12}, 0, "12"},
                    LensCase{S::Ean8, 3, {7}, 0, "7"}, LensCase{S::Ean13, 0, {12}, 0, "12"}, LensCase{S::Ean13, 1, {14}, 0, "14"},
                    LensCase{S::Ean13, 2, {17}, 0, "17"}, LensCase{S::UpcA, 0, {11}, 0, "11"}, LensCase{S::UpcA, 1, {13}, 0, "13"},
                    LensCase{S::UpcA, 2, {16}, 0, "16"}, LensCase{S::UpcE, 0, {6}, 0, "6"}, LensCase{S::UpcE, 1, {8}, 0, "8"},
                    LensCase{S::UpcE, 2, {11}, 0, "11"}, LensCase{S::EanUcc13, 0, {12, 13}, 0, "12,13"},
                    LensCase{S::EanUcc14, 0, {13}, 0, "13"}, LensCase{S::Itf14, 0, {13}, 0, "13"},
                    LensCase{S::Ucc12, 0, {11, 13}, 0, "11,13"}, LensCase{S::Postnet, 0, {5, 6, 9, 11}, 0, "5,6,9,11"},
                    LensCase{S::Pdf417, 0, {929}, 1, "929"}, LensCase{S::MicroPdf417, 0, {366}, 1, "366"},
                    LensCase{S::Code39, 0, {}, 0, ""}, LensCase{S::Code128, 0, {}, 0, ""}),
    kalvo_test::RowName<LensCase>);

std::string Range(int from, int to) {
  std::string s;
  for (int c = from; from <= to ? c <= to : c >= to; c += from <= to ? 1 : -1) s += static_cast<char>(c);
  return s;
}

struct CharsCase {
  kalvo::Symbology type;
  int subType;
  int withLower;
  std::string set;
};

class ValidCharacters : public testing::TestWithParam<CharsCase> {};

TEST_P(ValidCharacters, BuildsTheSetInItsOrder) {
  const CharsCase& c = GetParam();
  char chars[300];
  const int n = GetBCodeValidStr(kalvo::CodeOf(c.type), c.subType, chars, c.withLower);
  EXPECT_EQ(std::string(chars, n), c.set);
  EXPECT_EQ(chars[n], 0);
}

const std::string kDigits = "0123456789";
const std::string kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

INSTANTIATE_TEST_SUITE_P(
    Kalvo, ValidCharacters,
    testing::Values(CharsCase{S::Ean13, 0, 0, kDigits}, CharsCase{S::Interleaved2of5, 0, 0, kDigits}, CharsCase{S::Code128, 3, 0, kDigits},
                    CharsCase{S::Codabar, 0, 0, kDigits + "-$:/.+ABCD"}, CharsCase{S::Code39, 0, 0, kDigits + kUpper + "-. $/+%"},
                    CharsCase{S::Code39, 0, 1, kDigits + kUpper + "-. $/+%abcdefghijklmnopqrstuvwxyz"},
                    CharsCase{S::Code39FullAscii, 0, 0, Range(1, 127) + std::string(1, '\0')},
                    CharsCase{S::Code93, 0, 1, kDigits + kUpper + "-. $/+%"}, CharsCase{S::Msi, 0, 0, kDigits},
                    CharsCase{S::Code128, 0, 0, Range(127, 0)}, CharsCase{S::UccEan128, 3, 0, Range(127, 0)},
                    CharsCase{S::Code128, 1, 0, Range(32, 95) + Range(31, 0)}, CharsCase{S::Code128, 2, 0, Range(32, 126)},
                    CharsCase{S::Pdf417, 0, 0, Range(32, 126)}, CharsCase{S::Code128, 4, 0, kDigits}, CharsCase{S::QrCode, 0, 0, kDigits}),
    kalvo_test::RowName<CharsCase>);

struct CheckCase {
  kalvo::Symbology type;
  int subType;
  const char* data;
  const char* check;
};

class CheckCharacters : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckCharacters, AreTheSymbologysOwn) {
  const CheckCase& c = GetParam();
  char out[32] = "untouched";
  const int n = GetChkdgtCd(kalvo::CodeOf(c.type), c.subType, out, AString(c.data));
  EXPECT_EQ(n, static_cast<int>(std::strlen(c.check)));
  EXPECT_STREQ(out, c.check);
}

INSTANTIATE_TEST_SUITE_P(
    Kalvo, CheckCharacters,
    testing::Values(CheckCase{S::Code39, 1, "ABC", "X"}, CheckCase{S::Code39FullAscii, 1, "ABC", "X"}, CheckCase{S::Code39, 0, "ABC", ""},
                    CheckCase{S::Code39, 1, "abc", "X"}, CheckCase{S::Interleaved2of5, 0, "1234", ""}, CheckCase{S::Interleaved2of5, 1, "1234", "8"},
                    CheckCase{S::Itf14, 0, "1234567890123", "1"}, CheckCase{S::Ean13, 0, "400638133393", "1"},
                    CheckCase{S::Ean8, 0, "9638507", "4"}, CheckCase{S::UpcA, 0, "03600029145", "2"},
                    CheckCase{S::Ean13, 2, "97803064061575995", "7"}, CheckCase{S::UpcE, 0, "123456", "5"},
                    CheckCase{S::Ucc128, 0, "1234567", "0"}, CheckCase{S::Code128, 4, "1234", "8"}, CheckCase{S::Code128, 0, "1234", ""},
                    CheckCase{S::UccEan128, 0, "1234", ""}, CheckCase{S::Codabar, 0, "1234", ""}, CheckCase{S::Plessey, 0, "1234", ""},
                    CheckCase{S::Msi, 0, "1234567", ""}),
    kalvo_test::RowName<CheckCase>);

TEST(KalvoCheckCharacters, LeaveTheCallersStringAsItWas) {
  AString data("400638133393");
  const LONG before = reinterpret_cast<const AStringHeader*>(data.GetData() - 16)->refs;
  char out[8];
  EXPECT_EQ(GetChkdgtCd(6, 0, out, data), 1);
  EXPECT_EQ(reinterpret_cast<const AStringHeader*>(data.GetData() - 16)->refs, before);
  EXPECT_STREQ(data.GetData(), "400638133393");
  AString shared = data;
  EXPECT_EQ(GetChkdgtCd(1, 1, out, shared), 1);
  EXPECT_EQ(reinterpret_cast<const AStringHeader*>(data.GetData() - 16)->refs, before + 1);
  EXPECT_EQ(shared.GetData(), data.GetData());
}

struct PredicateCase {
  int (*one)(int);
  const char* name;
  std::vector<int> yes;
};

TEST(KalvoPredicates, AnswerForEveryType) {
  const std::vector<PredicateCase> cases = {
      {IsUPCA, "IsUPCA", {21}},
      {IsUPCE, "IsUPCE", {22}},
      {IsEAN8, "IsEAN8", {5}},
      {IsEAN13, "IsEAN13", {6}},
      {IsUPCEANGroup, "IsUPCEANGroup", {5, 6, 8, 9, 17, 21, 22}},
      {IsUPCEANGroup_nonSunrise, "IsUPCEANGroup_nonSunrise", {5, 6, 21, 22}},
      {IsUPCEANSunriseGroup, "IsUPCEANSunriseGroup", {8, 9, 17}},
      {IsUPCGroup, "IsUPCGroup", {21, 22}},
      {IsEANGroup, "IsEANGroup", {5, 6, 8, 9, 17}},
      {IsI25Group, "IsI25Group", {10, 11}},
      {Is39Group, "Is39Group", {1, 2}},
      {IsPlesseyGroup, "IsPlesseyGroup", {12, 26}},
      {IsSpecialDsControlsBCode, "IsSpecialDsControlsBCode", {20, 28}},
  };
  for (const PredicateCase& c : cases) {
    for (int type = -1; type <= 36; ++type) {
      const bool yes = std::find(c.yes.begin(), c.yes.end(), type) != c.yes.end();
      EXPECT_EQ(c.one(type), yes ? 1 : 0) << c.name << " " << type;
    }
  }
  for (int type = -1; type <= 36; ++type) {
    const bool twoD = type == 27 || type == 28 || type == 29 || type == 30 || type == 31 || type == 33;
    for (int sub = 0; sub <= 4; ++sub) {
      const bool upcEan = type == 5 || type == 6 || type == 21 || type == 22;
      EXPECT_EQ(Is2DBCode(type, sub), twoD ? 1 : 0) << type;
      EXPECT_EQ(IsPlus2(type, sub), upcEan && sub == 1 ? 2 : 0) << type;
      EXPECT_EQ(IsPlus5(type, sub), upcEan && sub == 2 ? 5 : 0) << type;
      EXPECT_EQ(Is128CF1Mod10(type, sub), type == 18 || (type == 4 && sub == 4) ? 1 : 0) << type;
      EXPECT_EQ(Is128Auto(type, sub), (type == 4 && sub == 0) || type == 7 || type == 19 || type == 20 ? 1 : 0);
      const bool group = type == 4 || type == 7 || type == 9 || type == 18 || type == 19 || type == 20 ||
                         (type == 16 && sub == 1);
      EXPECT_EQ(IsCD128Group(type, sub), group ? 1 : 0) << type << "/" << sub;
    }
  }
}

TEST(KalvoSmallExports, SplitTheSupplementAndSizeTheBearer) {
  char data[] = "12345678901212345";
  char main[32] = "x";
  char supplement[8] = "y";
  EXPECT_EQ(GetBcSupplmnt(6, 2, data, main, supplement), 5);
  EXPECT_STREQ(main, "123456789012");
  EXPECT_STREQ(supplement, "12345");
  EXPECT_EQ(GetBcSupplmnt(6, 1, data, main, supplement), 2);
  EXPECT_STREQ(supplement, "45");
  char untouched[8] = "y";
  EXPECT_EQ(GetBcSupplmnt(10, 2, data, main, untouched), 0);
  EXPECT_STREQ(untouched, "y");
  EXPECT_EQ(GetITF14BoxWidth(4, 300, 3), 12);
  char upcA[16];
  EXPECT_EQ(DecompressUPC(const_cast<char*>("123456"), upcA), 11);
  EXPECT_STREQ(upcA, "01234500006");
  const std::vector<std::pair<const char*, const char*>> expansions = {
      {"120003", "01200000000"}, {"123403", "01230000040"}, {"123444", "01234000004"}, {"123457", "01234500007"},
      {"654320", "06500000432"}, {"654321", "06510000432"}, {"654322", "06520000432"}};
  for (const auto& [e, a] : expansions) {
    EXPECT_EQ(DecompressUPC(const_cast<char*>(e), upcA), 11);
    EXPECT_STREQ(upcA, a) << e;
  }
}

TEST(KalvoSmallExports, ConvertToFullAscii) {
  char out[512];
  EXPECT_EQ(CD39Tranform2FullAscii("a@", out, sizeof out, 0), 4);
  EXPECT_STREQ(out, "+A%V");
  EXPECT_EQ(CD39Tranform2FullAscii("a@", out, sizeof out, 1), 3);
  EXPECT_STREQ(out, "a%V");
  std::string all;
  for (int c = 1; c < 128; ++c) all += static_cast<char>(c);
  ASSERT_GT(CD39Tranform2FullAscii(all.c_str(), out, sizeof out, 0), 0);
  EXPECT_EQ(std::string(out).substr(0, 6), "$A$B$C");
  EXPECT_NE(std::string(out).find("/A/B/C/D/E/F/G/H/I/J/K/L-./O0123456789/Z%F%G%H%I%J%VABC"), std::string::npos);
  EXPECT_NE(std::string(out).find("%K%L%M%N%O%W+A+B"), std::string::npos);
  EXPECT_NE(std::string(out).find("+Z%P%Q%R%S%T"), std::string::npos);
  char small[4] = "zz";
  EXPECT_EQ(CD39Tranform2FullAscii("a@", small, sizeof small, 0), 0);
  EXPECT_STREQ(small, "zz");
}

struct HrCase {
  const char* name;
  kalvo::Symbology type;
  int subType;
  std::string data;
  void (*setup)(CBCode&);
  std::string text;
};

class HumanReadable : public testing::TestWithParam<HrCase> {};

TEST_P(HumanReadable, FollowsTheSymbologysRules) {
  const HrCase& c = GetParam();
  Request r(c.type, c.subType, c.data, 64);
  if (c.setup != nullptr) c.setup(r.code);
  ASSERT_EQ(GetHr(&r.code, 0), 1);
  EXPECT_EQ(r.Text(), c.text);
  EXPECT_EQ(r.code.hrLength, static_cast<int>(c.text.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Kalvo, HumanReadable,
    testing::Values(
        HrCase{"CodabarHidesStartStop", S::Codabar, 0, "A1234B", [](CBCode& c) { c.textShowsStartStop = 0; }, "1234"},
        HrCase{"CodabarAddsUpper", S::Codabar, 0, "1234", nullptr, "A1234B"},
        HrCase{"CodabarAddsLower", S::Codabar, 0, "1234",
               [](CBCode& c) {
                 c.codabarUpper = 0;
                 c.codabarStart = 2;
                 c.codabarStop = 3;
               },
               "c1234d"},
        HrCase{"CodabarReplacesOwn", S::Codabar, 0, "B12B", nullptr, "A12B"},
        HrCase{"Code39Stars", S::Code39, 0, "abc", nullptr, "*ABC*"},
        HrCase{"Code39NoStars", S::Code39, 0, "A*B", [](CBCode& c) { c.textShowsStars = 0; }, "AB"},
        HrCase{"Code39Check", S::Code39, 1, "ABC", [](CBCode& c) { c.textShowsCheck = 1; }, "*ABCX*"},
        HrCase{"Code39CheckHidden", S::Code39, 1, "ABC", nullptr, "*ABC*"},
        HrCase{"FullAsciiCheck", S::Code39FullAscii, 1, "a@", [](CBCode& c) { c.textShowsCheck = 1; }, "*a@ *"},
        HrCase{"FullAsciiNoStars", S::Code39FullAscii, 0, "a@", [](CBCode& c) { c.textShowsStars = 0; }, "a@"},
        HrCase{"Code93Upper", S::Code93, 0, "test", nullptr, "TEST"},
        HrCase{"Ucc128Mod10", S::Ucc128, 0, "1234567", [](CBCode& c) { c.addMod10 = 1; }, "12345670"},
        HrCase{"Ucc128Pad", S::Ucc128, 0, "1234567", nullptr, "01234567"},
        HrCase{"Code128PadAtStart", S::Code128, 4, "12345",
               [](CBCode& c) {
                 c.addMod10 = 0;
                 c.mod10Start = 2;
               },
               "120345"},
        // Check digit over "345" only: 5 x 3 + 4 + 3 x 3 = 28 -> 2.
        HrCase{"Code128Mod10FromStart", S::Code128, 4, "12345",
               [](CBCode& c) {
                 c.addMod10 = 1;
                 c.mod10Start = 2;
               },
               "123452"},
        HrCase{"Code128CarriageReturn", S::Code128, 0, "a\rb", nullptr, "a b"},
        HrCase{"I25PadsOdd", S::Interleaved2of5, 0, "12345", nullptr, "012345"},
        HrCase{"I25CheckShown", S::Interleaved2of5, 1, "1234", [](CBCode& c) { c.textShowsCheck = 1; }, "012348"},
        HrCase{"I25CheckHidden", S::Interleaved2of5, 1, "1234", nullptr, "01234"},
        HrCase{"Itf14Check", S::Itf14, 0, "1234567890123", [](CBCode& c) { c.textShowsCheck = 1; }, "12345678901231"},
        HrCase{"Ean13AsIs", S::Ean13, 0, "400638133393", nullptr, "400638133393"},
        HrCase{"MaskLong", S::Code128, 0, "12345",
               [](CBCode& c) {
                 c.useTextMask = 1;
                 c.textMask = "(\?\?) ???";
               },
               "(12) 345"},
        HrCase{"MaskShort", S::Code128, 0, "12",
               [](CBCode& c) {
                 c.useTextMask = 1;
                 c.textMask = "(\?\?) ???";
               },
               "(12) "},
        HrCase{"MaskStopsWhereTheTextEnds", S::Code128, 0, "12",
               [](CBCode& c) {
                 c.useTextMask = 1;
                 c.textMask = "\?\?-\?\?-";
               },
               "12-"},
        HrCase{"MaskOff", S::Code128, 0, "12345", [](CBCode& c) { c.textMask = "(\?\?)"; }, "12345"},
        HrCase{"MaskThenStars", S::Code39, 0, "ABCD",
               [](CBCode& c) {
                 c.useTextMask = 1;
                 c.textMask = "?-?";
               },
               "*A-B*"}),
    [](const testing::TestParamInfo<HrCase>& info) { return std::string(info.param.name); });

TEST(KalvoHumanReadable, AllocatesTheTextWhenThereIsNoBuffer) {
  Request r(S::Code39, 0, "AB");
  std::free(r.code.hrText);
  r.code.hrText = nullptr;
  ASSERT_EQ(GetHr(&r.code, 0), 1);
  ASSERT_NE(r.code.hrText, nullptr);
  EXPECT_STREQ(r.code.hrText, "*AB*");
}

TEST(KalvoHumanReadable, TextLongerThanTheBufferIsRefused) {
  // Room for 64 + 1 bytes; the full ASCII text with stars needs more.
  Request r(S::Code39FullAscii, 0, std::string(70, 'A'), 1);
  std::memset(r.code.hrText, 'q', 64);
  EXPECT_EQ(GetHr(&r.code, 0), 0);
  EXPECT_EQ(r.code.hrText[0], 'q');
  r.code.textPosition = 0;
  EXPECT_EQ(kvoBCode(0, &r.code, 1), 100);
  EXPECT_EQ(r.code.hrText[0], 'q');
  EXPECT_EQ(r.code.hrText[64], 0);
}

}  // namespace

namespace {

TEST(KalvoRequest, ConstructorSetsTheDesignersDefaults) {
  CBCode code;
  EXPECT_EQ(code.type, 0);
  EXPECT_EQ(code.textPosition, 1);
  EXPECT_EQ(code.deviceUnits, 1);
  EXPECT_EQ(code.textShowsStars, 1);
  EXPECT_EQ(code.longGuards, 1);
  EXPECT_EQ(code.narrowWidth, 1);
  EXPECT_EQ(code.ratio, 200);
  EXPECT_EQ(code.resolution, 200);
  EXPECT_EQ(code.barHeight, 100);
  EXPECT_EQ(code.textGap, 30);
  EXPECT_EQ(code.textHeight, 70);
  EXPECT_EQ(code.textWidth, 50);
  EXPECT_EQ(code.textBackColor, 0xFFFFFFu);
  EXPECT_EQ(code.backColor, 0xFFFFFFu);
  EXPECT_EQ(code.data, nullptr);
  EXPECT_EQ(code.hrText, nullptr);
  EXPECT_EQ(code.bitmap, nullptr);
  EXPECT_TRUE(code.textMask.IsEmpty());
  EXPECT_STREQ(code.font.lfFaceName, "Arial");
  EXPECT_EQ(code.font.lfWeight, 600);
  LOGFONTA system{};
  ASSERT_GT(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system), 0);
  EXPECT_EQ(code.font.lfHeight, system.lfHeight);
}

// A record built over memory full of 0xFF bytes, as a fresh heap block may be.
class DirtyRecord {
 public:
  DirtyRecord() {
    std::memset(storage_, 0xFF, sizeof storage_);
    code_ = new (storage_) CBCode();
  }
  ~DirtyRecord() { code_->~CBCode(); }
  CBCode& code() { return *code_; }

 private:
  alignas(CBCode) unsigned char storage_[sizeof(CBCode)];
  CBCode* code_;
};

TEST(KalvoRequest, ConstructorZeroesWhatTheDesignerWouldFillIn) {
  DirtyRecord dirty;
  const CBCode& code = dirty.code();
  EXPECT_EQ(code.noText, 0);
  EXPECT_EQ(code.textAlign, 0);
  EXPECT_EQ(code.useTextMask, 0);
  EXPECT_EQ(code.aiParentheses, 0);
  EXPECT_EQ(code.codabarStart, 0);
  EXPECT_EQ(code.codabarStop, 0);
  EXPECT_EQ(code.codabarUpper, 0);
  EXPECT_EQ(code.itfBearerFactor, 0);
  EXPECT_EQ(code.itfQuietFactor, 0);
  EXPECT_EQ(code.addMod10, 0);
  EXPECT_EQ(code.dataLength, 0);
  EXPECT_EQ(code.hrLength, 0);
  EXPECT_EQ(code.moduleSize2D, 0);
  EXPECT_EQ(code.rowHeight2D, 0);
  EXPECT_EQ(code.symbolRows, 0);
  EXPECT_EQ(code.symbolColumns, 0);
  EXPECT_EQ(code.pdfSecurity, 0);
  EXPECT_EQ(code.pdfTruncated, 0);
  EXPECT_EQ(code.qrLevel, 0);
  EXPECT_EQ(code.maxiMode, 0);
  EXPECT_EQ(code.maxiModuleWidth, 0);
  EXPECT_EQ(code.maxiModuleHeight, 0);
  for (int32_t limit : code.pdfLimits) EXPECT_EQ(limit, 0);
}

// Only the symbology, the data and the text buffer are filled in: the text row
// is still reserved and drawn under the bars, where the defaults put it.
TEST(KalvoRequest, ARequestLeavingMembersUnsetStillDrawsItsTextRow) {
  DirtyRecord dirty;
  CBCode& code = dirty.code();
  const std::string data = "KALVO";
  code.type = 4;
  code.data = static_cast<char*>(std::calloc(data.size() + 64, 1));
  std::memcpy(code.data, data.data(), data.size());
  code.dataLength = static_cast<int32_t>(data.size());
  code.hrLength = code.dataLength * 3 / 2;
  code.hrText = static_cast<char*>(std::calloc(code.hrLength + 64, 1));
  code.ResetErrors();
  ASSERT_EQ(kvoBCode(0, &code, 0), 0);
  EXPECT_STREQ(code.hrText, "KALVO");
  EXPECT_EQ(code.height, code.barHeight + 30 + 70);
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(code);
  ASSERT_EQ(grey.height, code.height);
  int textPixels = 0;
  for (int y = code.barHeight + 30; y < grey.height; ++y)
    for (int x = 0; x < grey.width; ++x) textPixels += grey.Dark(x, y) ? 1 : 0;
  EXPECT_GT(textPixels, 100);
  int gapPixels = 0;
  for (int y = code.barHeight; y < code.barHeight + 30; ++y)
    for (int x = 0; x < grey.width; ++x) gapPixels += grey.Dark(x, y) ? 1 : 0;
  EXPECT_EQ(gapPixels, 0);
}

}  // namespace
