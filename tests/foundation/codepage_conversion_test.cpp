#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/string/astring.h"
#include "platform/win.h"
#include "tests/foundation/gdi_helpers_test_util.h"

namespace {

std::string Bytes(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

AString Wide(const std::u16string& units) {
  AString s(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
  s.SetWide(true);
  return s;
}

AString Narrow(const std::string& bytes, int codePage = -1) {
  AString s(static_cast<int>(bytes.size()), bytes.data());
  s.SetCodePage(codePage);
  return s;
}

// The pair test of the string class against the code page's own conversion.
// 936 and 950: every pair the test accepts is one character (the default char
// '?' where the code page assigns nothing). 932 accepts a lead byte with any
// trail byte and 949 any byte with the high bit and any trail byte, counting
// rules wider than the code pages: the system's conversion makes a pair one
// character exactly when its lead byte is a lead byte of the code page and its
// trail byte lies in 0x40-0xFE (not 0x7F); any other accepted pair is two
// characters there (the lead byte on its own, then the trail).
TEST(CodePageConversion, EveryAcceptedPairAgainstTheCodePage) {
  for (int cp : {932, 936, 949, 950}) {
    SCOPED_TRACE(cp);
    int accepted = 0;
    for (int lead = 0; lead < 256; ++lead) {
      for (int trail = 0; trail < 256; ++trail) {
        if (!IsDbcsCodePagePair(static_cast<BYTE>(lead), static_cast<BYTE>(trail), cp)) continue;
        ++accepted;
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        WCHAR units[4];
        const int n = MultiByteToWideChar(static_cast<UINT>(cp), 0, pair, 2, units, 4);
        const bool oneCharacter = IsDBCSLeadByteEx(static_cast<UINT>(cp), static_cast<BYTE>(lead)) &&
                                  trail >= 0x40 && trail <= 0xFE && (trail != 0x7F || cp == 950);
        if (cp == 936 || cp == 950) {
          ASSERT_TRUE(oneCharacter) << std::hex << lead << " " << trail;
        }
        ASSERT_EQ(n, oneCharacter ? 1 : 2) << std::hex << lead << " " << trail;
      }
    }
    EXPECT_EQ(accepted, cp == 936 ? 126 * 190 : cp == 950 ? 90 * 191 : cp == 932 ? 60 * 256 : 128 * 256);
  }
}

// What the string class walks as one character converts to one code point:
// the foundation's conversions turn a pair the code page does not hold (932
// and 949 accept it all the same) into a single '?'.
int CodePoints(const AString& wide) {
  std::u16string units(static_cast<size_t>(wide.GetLength() / 2), u'\0');
  std::memcpy(units.data(), wide.GetData(), units.size() * 2);
  int n = 0;
  for (size_t i = 0; i < units.size(); ++i, ++n) {
    if (units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size()) ++i;
  }
  return n;
}

TEST(CodePageConversion, EveryAcceptedPairConvertsToOneCodePoint) {
  for (int cp : {932, 936, 949, 950}) {
    SCOPED_TRACE(cp);
    int foreign = 0;
    for (int lead = 0x80; lead < 256; ++lead) {
      for (int trail = 0; trail < 256; ++trail) {
        if (!IsDbcsCodePagePair(static_cast<BYTE>(lead), static_cast<BYTE>(trail), cp)) continue;
        const std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
        AString wide;
        ASSERT_EQ(MultiByteToWide(Narrow(pair, cp), &wide, cp), 1) << std::hex << lead << " " << trail;
        wide.SetWide(true);
        ASSERT_EQ(CodePoints(wide), 1) << std::hex << lead << " " << trail;
        WCHAR units[4];
        if (MultiByteToWideChar(static_cast<UINT>(cp), 0, pair.data(), 2, units, 4) != 1) {
          ++foreign;
          EXPECT_EQ(DecodeCodePageText(pair, cp, 0), u"?");
        }
      }
    }
    // 932 and 949 accept pairs the code page splits in two; 936 and 950 do not.
    EXPECT_EQ(foreign > 0, cp == 932 || cp == 949);
  }
}

TEST(CodePageConversion, ConvertedLengthMatchesTheCharacterCount) {
  struct Case {
    int cp;
    std::string text;
  };
  const Case cases[] = {
      {932, "\x80\x00" "A"},          // an accepted pair holding a zero byte
      {932, "\xA0" "0" "\x93\xFA" "b"},  // 0xA0 is no Shift-JIS lead byte
      {932, "\x81\x30\xFF\xFF" "c"},
      {932, "\xB1\xB2\xB3" "A" "\xDF"},  // half-width katakana: one byte each
      {949, "\xC7\xD1\x81\x20" "d"},
      {949, "\xFF\x41\xC9\x7F"},
      {936, "\x81\x7F" "\xD6\xD0"},  // 0x81 0x7F is two characters in 936
      {950, "\xA1\x7F\xA4\xA4\xFE"},  // a last byte never starts a pair
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp);
    AString narrow = Narrow(c.text, c.cp);
    const int chars = narrow.CountChars();
    AString viaHelper;
    ASSERT_EQ(MultiByteToWide(narrow, &viaHelper, c.cp), 1);
    viaHelper.SetWide(true);
    EXPECT_EQ(CodePoints(viaHelper), chars);
    ASSERT_EQ(narrow.ConvertToWide(-1), 1);
    EXPECT_EQ(CodePoints(narrow), chars);
    EXPECT_EQ(narrow.GetLength(), viaHelper.GetLength());
  }
  // Half-width katakana keep every character.
  AString kana;
  ASSERT_EQ(MultiByteToWide(Narrow("\xB1\xB2\xB3", 932), &kana, 932), 1);
  ASSERT_EQ(kana.GetLength(), 6);
  std::u16string units(3, u'\0');
  std::memcpy(units.data(), kana.GetData(), 6);
  EXPECT_EQ(units, u"\uFF71\uFF72\uFF73");
}

TEST(CodePageConversion, WideToMultiByte) {
  struct Case {
    std::u16string wide;
    int codePage;
    std::string bytes;
    int storedCodePage;
  } const cases[] = {
      {u"\u4E2D\u6587", 936, "\xD6\xD0\xCE\xC4", 936},
      {u"\u4E2D\u6587", 0, "\xD6\xD0\xCE\xC4", 936},   // below 1 means 936
      {u"\u4E2D\u6587", -1, "\xD6\xD0\xCE\xC4", 936},
      {u"\u4E2D\u6587", 950, "\xA4\xA4\xA4\xE5", 950},
      {u"\u3042", 932, "\x82\xA0", 932},
      {u"\uAC00", 949, "\xB0\xA1", 949},
      {u"caf\u00E9", 1252, "caf\xE9", 1252},
      {u"a\u4E2D", 1252, "a?", 1252},
      {u"ab\0cd", 1252, "ab", 1252},  // measured as a C string
  };
  for (const Case& c : cases) {
    AString out("old");
    EXPECT_EQ(WideToMultiByte(Wide(c.wide), &out, c.codePage), 1);
    EXPECT_EQ(Bytes(out), c.bytes);
    EXPECT_FALSE(out.IsWide());
    EXPECT_EQ(out.GetCodePage(), c.storedCodePage);
  }
  AString out("kept");
  EXPECT_EQ(WideToMultiByte(AString(), &out, 936), 1);
  EXPECT_EQ(Bytes(out), "kept") << "nothing converted leaves out as it was";
  EXPECT_EQ(WideToMultiByte(Wide(std::u16string(u"\0", 1)), &out, 936), 1);
  EXPECT_EQ(Bytes(out), "kept");
  EXPECT_EQ(WideToMultiByte(Wide(u"x"), nullptr, 936), 0);
}

TEST(CodePageConversion, MultiByteToWide) {
  AString out;
  ASSERT_EQ(MultiByteToWide(Narrow("\xD6\xD0" "A"), &out, 936), 1);
  ASSERT_EQ(out.GetLength(), 4);
  EXPECT_FALSE(out.IsWide()) << "the caller sets the wide flag";
  const std::u16string expected = u"\u4E2DA";
  EXPECT_EQ(std::memcmp(out.GetData(), expected.data(), 4), 0);
  EXPECT_EQ(out.GetData()[4], 0);
  EXPECT_EQ(out.GetData()[5], 0) << "terminated by a whole zero unit";
  EXPECT_EQ(MultiByteToWide(AString(), &out, 936), 0);
  EXPECT_EQ(MultiByteToWide(Narrow("abc"), &out, -5), 0) << "no such code page";

  // Round trips through UTF-16 keep the bytes.
  for (int cp : {932, 936, 949, 950, 1252}) {
    const std::string text = cp == 932   ? "\x93\xFA\x96\x7B" "abc"
                             : cp == 936 ? "\xD6\xD0\xCE\xC4" "abc"
                             : cp == 949 ? "\xC7\xD1\xB1\xDB" "abc"
                             : cp == 950 ? "\xA4\xA4\xA4\xE5" "abc"
                                         : "\xC0\xE9\xFF" "abc";
    AString wide;
    ASSERT_EQ(MultiByteToWide(Narrow(text), &wide, cp), 1);
    wide.SetWide(true);
    AString back;
    WideToMultiByte(wide, &back, cp);
    EXPECT_EQ(Bytes(back), text) << cp;
  }
}

TEST(CodePageConversion, ConvertGbBig5) {
  AString dst;
  EXPECT_TRUE(ConvertGbBig5(Narrow("\xD6\xD0\xCE\xC4" "1"), &dst, true));
  EXPECT_EQ(Bytes(dst), "\xA4\xA4\xA4\xE5" "1");
  EXPECT_EQ(dst.GetCodePage(), 950);
  EXPECT_TRUE(ConvertGbBig5(dst, &dst, false)) << "source and destination may be one string";
  EXPECT_EQ(Bytes(dst), "\xD6\xD0\xCE\xC4" "1");
  EXPECT_EQ(dst.GetCodePage(), 936);
  EXPECT_FALSE(ConvertGbBig5(AString(), &dst, true));
  EXPECT_TRUE(dst.IsEmpty()) << "nothing to convert gives nothing";
}

TEST(CodePageConversion, ExpandPinyinAbbreviations) {
  struct Case {
    const char* in;
    const char* out;
  } const cases[] = {
      {"zhag", "zhang"}, {"beg", "beng"},   {"xig", "xing"},  {"hog", "hong"},   {"jv", "ju"},
      {"qv", "qu"},      {"xv", "xu"},      {"yv", "yu"},     {"lv", "lv"},      {"agag", "angang"},
      {"ang", "ang"},    {"", ""},          {"AG", "AG"},
  };
  for (const Case& c : cases) {
    AString s(c.in);
    ExpandPinyinAbbreviations(&s);
    EXPECT_STREQ(s.GetData() ? s.GetData() : "", c.out) << c.in;
  }
}

bool SamePixels(const TestCanvas& a, const TestCanvas& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

TEST(CodePageDrawing, TextOutStringDrawsWideAndNarrowText) {
  TestCanvas viaString(120, 40), direct(120, 40);
  ASSERT_TRUE(TextOutString(viaString.dc(), 4, 4, Wide(u"Wide")));
  ASSERT_TRUE(TextOutW(direct.dc(), 4, 4, u"Wide", 4));
  EXPECT_GT(direct.CountNot(RGB(255, 255, 255)), 0);
  EXPECT_TRUE(SamePixels(viaString, direct));

  viaString.Clear(RGB(255, 255, 255));
  direct.Clear(RGB(255, 255, 255));
  ASSERT_TRUE(TextOutString(viaString.dc(), 4, 4, AString("Narrow")));
  ASSERT_TRUE(TextOutA(direct.dc(), 4, 4, "Narrow", 6));
  EXPECT_GT(direct.CountNot(RGB(255, 255, 255)), 0);
  EXPECT_TRUE(SamePixels(viaString, direct));
}

TEST(CodePageDrawing, TextOutMultiByteOutsideTheNtFamilyConvertsByCharset) {
  const bool saved = OsVersionFlags().isNtFamily;
  TestCanvas viaCharset(120, 40), direct(120, 40);
  OsVersionFlags().isNtFamily = false;
  EXPECT_TRUE(TextOutMultiByte(viaCharset.dc(), 2, 2, "\xD6\xD0" "AB", 4, 134));
  EXPECT_TRUE(TextOutW(direct.dc(), 2, 2, u"\u4E2DAB", 3));
  EXPECT_GT(direct.CountNot(RGB(255, 255, 255)), 0);
  EXPECT_TRUE(SamePixels(viaCharset, direct));
  EXPECT_FALSE(TextOutMultiByte(viaCharset.dc(), 2, 2, "", 0, 134)) << "nothing to convert";

  OsVersionFlags().isNtFamily = true;
  viaCharset.Clear(RGB(255, 255, 255));
  direct.Clear(RGB(255, 255, 255));
  EXPECT_TRUE(TextOutMultiByte(viaCharset.dc(), 2, 2, "AB", 2, 134));
  EXPECT_TRUE(TextOutA(direct.dc(), 2, 2, "AB", 2));
  EXPECT_TRUE(SamePixels(viaCharset, direct));
  OsVersionFlags().isNtFamily = saved;
}

}  // namespace
