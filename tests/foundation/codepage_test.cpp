#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/codepage/codepage.h"

namespace {

struct PairCase {
  BYTE lead;
  BYTE trail;
  int codePage;
  int expected;
};

TEST(CodePage, DbcsCodePagePairEdges) {
  const PairCase cases[] = {
      {0x81, 0x7F, 936, 0}, {0x81, 0x80, 936, 1}, {0x81, 0x40, 936, 1}, {0x81, 0x3F, 936, 0},
      {0x80, 0x40, 936, 0}, {0xFE, 0xFE, 936, 1}, {0xFF, 0x40, 936, 0}, {0x81, 0xFF, 936, 0},
      {0xA1, 0x7F, 950, 1}, {0xA0, 0x40, 950, 0}, {0xFA, 0xFE, 950, 1}, {0xFB, 0x40, 950, 0},
      {0xA1, 0x3F, 950, 0}, {0x80, 0x00, 932, 0}, {0x81, 0x00, 932, 1}, {0xB1, 0x41, 932, 0}, {0xE0, 0x40, 932, 1},
      {0xFC, 0xFF, 932, 1}, {0xFD, 0x40, 932, 0}, {0x7F, 0x80, 932, 0}, {0xFF, 0xFF, 949, 1},
      {0x80, 0x41, 1252, 1}, {0x41, 0x80, 1252, 0},
  };
  for (const PairCase& c : cases) {
    EXPECT_EQ(IsDbcsCodePagePair(c.lead, c.trail, c.codePage), c.expected)
        << std::hex << int(c.lead) << " " << int(c.trail) << " cp " << std::dec << c.codePage;
  }
}

TEST(CodePage, DbcsByteEdges) {
  struct Case {
    BYTE byte;
    bool lead;
    bool big5;
    int expected;
  } const cases[] = {
      {0xFF, true, false, 0}, {0x7F, false, false, 0}, {0x7F, false, true, 1}, {0x81, true, false, 1},
      {0x80, true, false, 0}, {0xFE, true, false, 1},  {0x40, false, false, 1}, {0x3F, false, false, 0},
      {0xA0, true, true, 0},  {0xA1, true, true, 1},   {0xFA, true, true, 1},   {0xFB, true, true, 0},
      {0xFE, false, true, 1}, {0xFF, false, true, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDbcsByte(c.byte, c.lead, c.big5), c.expected) << std::hex << int(c.byte);
  }
}

TEST(CodePage, DetectScriptLanguage) {
  struct Case {
    std::u16string text;
    int expected;
  } const cases[] = {
      {u"A\xAC00", 5},  {u"\x3400", 0},  {u"\x3401", 1}, {u"\x9FA5", 1},     {u"\x9FA6", 0},
      {u"\xF90E", 1},   {u"\xFA2D", 1},  {u"\xFA2E", 0}, {u"ab\x3042", 4},   {u"\x31F0", 4},
      {u"\x1100", 5},   {u"\x3130", 5},  {u"\xD7A3", 5}, {u"\xD7A4", 0},     {u"", 0},
      {u"\x3042\xAC00", 4}, {u"\xAC00\x3042", 5}, {u"hello", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DetectScriptLanguage(c.text.data(), static_cast<int>(c.text.size())), c.expected);
  }
  const WCHAR korean[] = {u'A', 0xAC00};
  EXPECT_EQ(DetectScriptLanguage(korean, 1), 0) << "count bounds the scan";
}

TEST(CodePage, Mappings) {
  EXPECT_EQ(CodePageFromLanguage(134, false), 936);
  EXPECT_EQ(CodePageFromLanguage(134, true), 1252);
  struct Case {
    int value;
    int langCp;
    int charsetCp;
    int langCharset;
    int cpCharset;
    int languageFromCharset;
  } const cases[] = {
      // value, CodePageFromLanguage(v,true), (v,false), CharsetFromLanguage(v,true), (v,false), LanguageFromCharset(v)
      {0, 1252, 1252, 0, 0, 0},       {1, 936, 1252, 134, 0, 0},      {2, 950, 1252, 136, 0, 0},
      {3, 1252, 1252, 0, 0, 0},       {4, 932, 1252, 128, 0, 0},      {5, 949, 1252, 129, 0, 0},
      {6, 1252, 1252, 134, 0, 0},     {128, 1252, 932, 0, 0, 4},      {129, 1252, 949, 0, 0, 5},
      {134, 1252, 936, 0, 0, 1},      {136, 1252, 950, 0, 0, 2},      {932, 1252, 1252, 0, 128, 0},
      {936, 1252, 1252, 0, 134, 0},   {949, 1252, 1252, 0, 129, 0},   {950, 1252, 1252, 0, 136, 0},
      {1252, 1252, 1252, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(CodePageFromLanguage(c.value, true), c.langCp);
    EXPECT_EQ(CodePageFromLanguage(c.value, false), c.charsetCp);
    EXPECT_EQ(CharsetFromLanguage(c.value, true), c.langCharset);
    EXPECT_EQ(CharsetFromLanguage(c.value, false), c.cpCharset);
    EXPECT_EQ(LanguageFromCharset(c.value), c.languageFromCharset);
  }
  for (int kind = -1; kind <= 7; ++kind) {
    const bool cjk = kind == 1 || kind == 2 || kind == 4 || kind == 5;
    EXPECT_EQ(IsCjkLanguage(kind), cjk ? 1 : 0);
    EXPECT_EQ(IsSingleByteLanguage(kind), cjk ? 0 : 1);
  }
}

TEST(CodePage, CodePageClasses) {
  struct Case {
    int codePage;
    int cjk;
    bool western;
  } const cases[] = {{-1, 0, true},  {0, 0, true},    {1252, 0, true}, {1250, 0, false}, {932, 1, false},
                     {936, 1, false}, {949, 1, false}, {950, 1, false}, {65001, 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsCjkCodePage(c.codePage), c.cjk) << c.codePage;
    EXPECT_EQ(IsWesternCodePage(c.codePage), c.western) << c.codePage;
  }
}

TEST(CodePage, PreferCodePage) {
  struct Case {
    int a;
    int b;
    int expected;
  } const cases[] = {
      {1252, 936, 936}, {936, 1252, 936}, {-1, 1252, 1252}, {-1, -1, -1},    {0, -1, -1},
      {1252, -1, 1252}, {1252, 1250, 1250}, {1250, 1252, 1250}, {936, 950, 936}, {1250, 932, 932},
      {0, 1252, 1252},  {1252, 0, 1252},
  };
  for (const Case& c : cases) EXPECT_EQ(PreferCodePage(c.a, c.b), c.expected) << c.a << " " << c.b;
}

TEST(CodePage, DbcsPairByCharset) {
  struct Case {
    BYTE lead;
    BYTE trail;
    int charset;
    int expected;
  } const cases[] = {
      {0x81, 0x00, 128, 1}, {0xB1, 0x41, 128, 0}, {0x7F, 0x80, 128, 0}, {0x80, 0x00, 129, 1}, {0x81, 0x40, 134, 1},
      {0x81, 0x7F, 134, 0}, {0xA1, 0x7F, 136, 1}, {0xA0, 0x40, 136, 0}, {0x81, 0x40, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(IsDbcsPair(c.lead, c.trail, c.charset), c.expected);
}

TEST(CodePage, CountsAndScans) {
  const char gbk[] = "\xB0\xA1" "A\xB0";  // a pair, a letter, a lone lead at the end
  EXPECT_EQ(CountCharsForCharset(gbk, 4, 134), 3);
  EXPECT_EQ(CountCharsForCharset(gbk, 4, 0), 4);
  EXPECT_EQ(CountCharsForCharset(gbk, 1, 134), 1) << "the last byte never starts a pair";
  EXPECT_EQ(CountCharsForCharset(gbk, 0, 134), 0);

  EXPECT_EQ(ContainsDbcsPair("ab\xB0\xA1", false), 1);
  EXPECT_EQ(ContainsDbcsPair("ab\xB0", false), 0);
  EXPECT_EQ(ContainsDbcsPair("\x81\x7F", false), 0);
  EXPECT_EQ(ContainsDbcsPair("\xA1\x7F", true), 1);
  EXPECT_EQ(ContainsDbcsPair("", true), 0);

  EXPECT_EQ(HasHighBitByte("ab\xE9", 0), 0) << "the last byte is not looked at";
  EXPECT_EQ(HasHighBitByte("a\xE9" "b", 0), 1);
  EXPECT_EQ(HasHighBitByte("a\xE9" "b", 1), 0);
  EXPECT_EQ(HasHighBitByte("\xE9\xE9", 2), 1);

  EXPECT_EQ(CountChar("a,b,,c", ','), 3);
  EXPECT_EQ(CountChar("", ','), 0);
  for (char c : std::string(",.?!-;:=")) EXPECT_EQ(IsPunctuationChar(c), 1) << c;
  EXPECT_EQ(IsPunctuationChar('a'), 0);
  EXPECT_EQ(IsPunctuationChar(0), 0);

  int digit = -1;
  EXPECT_EQ(IsAlnumChar(u'7', &digit), 1);
  EXPECT_EQ(digit, 1);
  EXPECT_EQ(IsAlnumChar(u'Q', &digit), 1);
  EXPECT_EQ(digit, 0);
  EXPECT_EQ(IsAlnumChar(u'_', nullptr), 0);
  EXPECT_EQ(IsLatinLetter(0x0141), 0) << "compared as 16-bit values, not truncated bytes";
  EXPECT_EQ(IsDigitChar(0x0130), 0);
}

TEST(CodePage, SymbolHanziBlankSpecial) {
  struct Case {
    BYTE lead;
    BYTE trail;
    bool big5;
    int symbol;
    int hanzi;
    int blank;
    int special;
  } const cases[] = {
      // GBK
      {0xA1, 0xA1, false, 1, 0, 1, 0}, {0xA1, 0xEC, false, 1, 0, 0, 1}, {0xA1, 0xED, false, 1, 0, 0, 0},
      {0xA2, 0xAB, false, 1, 0, 1, 0}, {0xA2, 0xE4, false, 1, 0, 1, 0}, {0xA2, 0xE5, false, 1, 0, 0, 1},
      {0xA2, 0xFE, false, 1, 0, 1, 0}, {0xA2, 0xFC, false, 1, 0, 1, 1}, {0xA3, 0xAA, false, 1, 0, 0, 1},
      {0xA4, 0xF4, false, 1, 0, 1, 0}, {0xA5, 0xF6, false, 1, 0, 0, 0}, {0xA6, 0xC0, false, 1, 0, 1, 0},
      {0xA7, 0xC1, false, 1, 0, 0, 0}, {0xB0, 0xA0, false, 1, 0, 0, 0}, {0xB0, 0xA1, false, 0, 1, 0, 0},
      {0xB1, 0x40, false, 0, 1, 0, 0}, {0xB1, 0x7F, false, 0, 1, 0, 0}, {0xA1, 0x7F, false, 0, 0, 0, 0},
      // Big5
      {0xA1, 0x40, true, 1, 0, 1, 0},  {0xA1, 0xB1, true, 1, 0, 0, 1},  {0xA1, 0xB2, true, 1, 0, 0, 0},
      {0xA1, 0xBF, true, 1, 0, 0, 1},  {0xA3, 0xFE, true, 1, 0, 0, 0},  {0xA4, 0x40, true, 0, 1, 0, 0},
      {0xF9, 0xDD, true, 1, 0, 0, 0},  {0xFA, 0xFE, true, 1, 0, 0, 0},  {0xF9, 0xDC, true, 0, 1, 0, 0},
      {0xFB, 0xDD, true, 0, 1, 0, 0},  {0xA0, 0x40, true, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << int(c.lead) << " " << int(c.trail) << " big5 " << c.big5);
    EXPECT_EQ(IsDbcsSymbolPair(c.lead, c.trail, c.big5), c.symbol);
    EXPECT_EQ(IsHanziPair(c.lead, c.trail, c.big5), c.hanzi);
    EXPECT_EQ(IsDbcsBlankCode(c.lead, c.trail, c.big5), c.blank);
    EXPECT_EQ(IsDbcsSpecialCode(c.lead, c.trail, c.big5), c.special);
  }
}

std::vector<char> WidenBytes(const std::vector<int>& units) {
  std::vector<char> bytes;
  for (int u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

TEST(CodePage, WidenedGbkAndNonAscii) {
  struct Case {
    std::vector<int> units;
    bool expected;
  } const cases[] = {
      {{0xB0, 0xA1}, true}, {{0x41}, true},        {{0x4E2D}, false},    {{0xB0, 0x7F}, false},
      {{0x41, 0xB0}, false}, {{0xB0, 0xB0, 0x40}, true}, {{0xB0, 0x1A1}, false},
  };
  for (const Case& c : cases) {
    const std::vector<char> bytes = WidenBytes(c.units);
    EXPECT_EQ(IsWidenedGbkText(bytes.data(), static_cast<int>(c.units.size())), c.expected);
  }
  const WCHAR a[] = {u'a', 0xE9, u'b'};
  EXPECT_EQ(HasNonAsciiUnit(a, 3), 1);
  EXPECT_EQ(HasNonAsciiUnit(a, 2), 0) << "only the first count - 1 units are looked at";
  EXPECT_EQ(HasNonAsciiUnit(a + 1, 1), 0) << "a single unit is not looked at";
  const WCHAR b[] = {u'a', 0x2000, 0xE9};
  EXPECT_EQ(HasNonAsciiUnit(b, 3), 0) << "8192 and above, and the last unit, do not count";
  EXPECT_EQ(HasNonAsciiUnit(b, 0), 0);
}

}  // namespace

// The designer's build of the three tests the barcode library also carries,
// for the library-build test to compare against.
int AppIsDbcsCodePagePair(BYTE lead, BYTE trail, int codePage) { return IsDbcsCodePagePair(lead, trail, codePage); }
int AppIsCjkCodePage(int codePage) { return IsCjkCodePage(codePage); }
bool AppIsWesternCodePage(int codePage) { return IsWesternCodePage(codePage); }
