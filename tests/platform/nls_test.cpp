#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/nls/nls_text.h"
#include "platform/win.h"
#include "tests/platform/nls_test_util.h"

namespace {

using nlstest::AnsiCodePageScope;

std::u16string ToWide(UINT cp, const std::string& bytes, DWORD flags = 0) {
  const int n = MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(std::max(n, 0)), u'\0');
  if (n > 0) {
    EXPECT_EQ(MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n), n);
  }
  return out;
}

std::string ToBytes(UINT cp, const std::u16string& wide, BOOL* usedDefault = nullptr, LPCSTR defaultChar = nullptr,
                    DWORD flags = 0) {
  const int n = WideCharToMultiByte(cp, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, defaultChar,
                                    usedDefault);
  std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
  if (n > 0) {
    EXPECT_EQ(WideCharToMultiByte(cp, flags, wide.data(), static_cast<int>(wide.size()), out.data(), n, defaultChar,
                                  usedDefault),
              n);
  }
  return out;
}

TEST(Nls, AnsiCodePageDefaultsTo1252AndCanBeSet) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(GetOEMCP(), 437u);
  {
    AnsiCodePageScope scope(936);
    EXPECT_EQ(GetACP(), 936u);
    EXPECT_EQ(GetOEMCP(), 936u);
    EXPECT_TRUE(IsDBCSLeadByte(0xB0));
    EXPECT_EQ(ToWide(CP_ACP, "\xB0\xA1"), u"\u554A");
    EXPECT_EQ(GetSystemDefaultLangID() & 0x3FF, 4);
  }
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_FALSE(IsDBCSLeadByte(0xB0));
  EXPECT_FALSE(SetProcessAnsiCodePage(1234));
  EXPECT_EQ(GetACP(), 1252u);
}

TEST(Nls, KnownCharactersOfEachCodePage) {
  struct Case {
    UINT cp;
    std::string bytes;
    std::u16string wide;
  } const cases[] = {
      {1252, "\x80", u"\u20AC"},         {1252, "\x8A\x9F", u"\u0160\u0178"}, {1252, "\xE9", u"\u00E9"},
      {1252, "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
      {932, "\x82\xA0", u"\u3042"},     {932, "\x81\x40", u"\u3000"},       {932, "\xB1", u"\uFF71"},
      {932, "a\x5C", u"a\\"},           {936, "\xB0\xA1", u"\u554A"},       {936, "\x80", u"\u20AC"},
      {949, "\xB0\xA1", u"\uAC00"},     {950, "\xA4\x40", u"\u4E00"},       {950, "\xA1\x40", u"\u3000"},
      {CP_UTF8, "\xE4\xB8\xAD", u"\u4E2D"}, {CP_UTF8, "\xF0\x9F\x98\x80", u"\U0001F600"},
      {437, "\x82", u"\u00E9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp);
    EXPECT_EQ(ToWide(c.cp, c.bytes), c.wide);
    EXPECT_EQ(ToBytes(c.cp, c.wide), c.bytes);
  }
}

TEST(Nls, Every1252ByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string wide = ToWide(1252, all);
  ASSERT_EQ(wide.size(), all.size());
  BOOL usedDefault = TRUE;
  EXPECT_EQ(ToBytes(1252, wide, &usedDefault), all);
  EXPECT_FALSE(usedDefault);
}

TEST(Nls, UnconvertibleCharactersBecomeTheDefaultChar) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(ToBytes(1252, u"a\u4E2Db", &usedDefault), "a?b");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(ToBytes(1252, u"a\u4E2Db", &usedDefault, "*"), "a*b");
  EXPECT_EQ(ToBytes(1252, u"\U0001F600", &usedDefault), "?") << "a surrogate pair is one character";
  EXPECT_EQ(ToBytes(936, u"\uAC00x", &usedDefault), "?x");
  EXPECT_EQ(ToBytes(1252, u"a\xD800" u"b", &usedDefault), "a?b") << "lone surrogate";
  EXPECT_EQ(ToBytes(936, u"\u4E2D", &usedDefault, "\xA1\xA1"), "\xD6\xD0");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(ToBytes(936, u"\uAC00", &usedDefault, "\xA1\xA1"), "\xA1\xA1") << "a double-byte default char";
}

TEST(Nls, MalformedMultiByteText) {
  struct Case {
    UINT cp;
    std::string bytes;
    std::u16string wide;
  } const cases[] = {
      {932, "a\x82", u"a?"},                  // lead byte at the end
      {932, "\x81\x0A" "b", u"?\nb"},         // a lead byte followed by a non-trail byte stands alone
      {932, std::string("\x81\0", 2), std::u16string(u"?\0", 2)},
      {936, "\xAA\xA1", u"?"},                // unassigned pair: one default char
      {950, "\xA1\x7F" "x", u"?x"},           // 0x7F is a trail byte of 950
      {936, "\x81\x7F", u"?\x7F"},            // but not of 936
      {CP_UTF8, "a\xFF" "b", u"a\uFFFDb"},
      {CP_UTF8, "\xE4\xB8", u"\uFFFD"},       // truncated sequence
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cp << " " << testing::PrintToString(c.bytes));
    EXPECT_EQ(ToWide(c.cp, c.bytes), c.wide);
  }
  WCHAR out[8];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, "a\x82", 2, out, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xC0\x80", 2, out, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS | MB_PRECOMPOSED, "\x82\xA0", 2, out, 8), 1);
}

TEST(Nls, Utf8LoneSurrogates) {
  EXPECT_EQ(ToBytes(CP_UTF8, u"a\xDC00"), "a\xEF\xBF\xBD");
  char out[8];
  const WCHAR lone[] = {u'a', 0xD800};
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 2, out, 8, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(Nls, LengthsTerminatorAndBuffers) {
  WCHAR wide[8];
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, nullptr, 0), 4) << "-1 counts the terminating zero";
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, wide, 8), 4);
  EXPECT_EQ(wide[3], 0);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, wide, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 0, wide, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, nullptr, 3, wide, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(12345, 0, "abc", 3, wide, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  char bytes[8];
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"\u4E2D", -1, nullptr, 0, nullptr, nullptr), 3);
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"\u4E2D", -1, bytes, 8, nullptr, nullptr), 3);
  EXPECT_STREQ(bytes, "\xD6\xD0");
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"\u4E2D", -1, bytes, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(Nls, LeadBytesAndCodePageInfo) {
  struct Case {
    UINT cp;
    BYTE byte;
    BOOL lead;
  } const cases[] = {
      {932, 0x80, FALSE}, {932, 0x81, TRUE}, {932, 0x9F, TRUE},  {932, 0xA0, FALSE}, {932, 0xDF, FALSE},
      {932, 0xE0, TRUE},  {932, 0xFC, TRUE}, {932, 0xFD, FALSE}, {936, 0x80, FALSE}, {936, 0x81, TRUE},
      {936, 0xFE, TRUE},  {936, 0xFF, FALSE}, {949, 0x81, TRUE}, {950, 0xA1, TRUE},  {950, 0x80, FALSE},
      {1252, 0x81, FALSE}, {CP_UTF8, 0xE4, FALSE},
  };
  for (const Case& c : cases) EXPECT_EQ(IsDBCSLeadByteEx(c.cp, c.byte), c.lead) << c.cp << " " << int(c.byte);

  CPINFO info;
  ASSERT_TRUE(GetCPInfo(932, &info));
  EXPECT_EQ(info.MaxCharSize, 2u);
  EXPECT_EQ(info.DefaultChar[0], '?');
  const BYTE leads932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  EXPECT_EQ(std::vector<BYTE>(info.LeadByte, info.LeadByte + 6), std::vector<BYTE>(leads932, leads932 + 6));
  ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
  EXPECT_EQ(info.MaxCharSize, 1u);
  EXPECT_EQ(info.LeadByte[0], 0);
  ASSERT_TRUE(GetCPInfo(CP_UTF8, &info));
  EXPECT_EQ(info.MaxCharSize, 4u);
  EXPECT_FALSE(GetCPInfo(1, nullptr));
  EXPECT_TRUE(IsValidCodePage(950));
  EXPECT_FALSE(IsValidCodePage(1251));
}

// Every pair of a double-byte code page, a lead byte followed by a trail byte,
// is exactly one UTF-16 unit (the default char where the code page assigns
// nothing), and every assigned pair survives a round trip through UTF-16.
TEST(Nls, EveryDoubleBytePairIsOneCharacter) {
  for (UINT cp : {932u, 936u, 949u, 950u}) {
    SCOPED_TRACE(cp);
    int assigned = 0;
    for (int lead = 0; lead < 256; ++lead) {
      if (!IsDBCSLeadByteEx(cp, static_cast<BYTE>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail == 0x7F && cp != 950) continue;
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        WCHAR units[4];
        ASSERT_EQ(MultiByteToWideChar(cp, 0, pair, 2, units, 4), 1) << std::hex << lead << " " << trail;
        if (units[0] == u'?') continue;
        ++assigned;
        char back[4];
        ASSERT_EQ(WideCharToMultiByte(cp, 0, units, 1, back, 4, nullptr, nullptr), 2);
        WCHAR again;
        ASSERT_EQ(MultiByteToWideChar(cp, 0, back, 2, &again, 1), 1);
        EXPECT_EQ(again, units[0]) << std::hex << lead << " " << trail;
      }
    }
    EXPECT_GT(assigned, 7000);
  }
}

TEST(Nls, CaseMappingIn1252) {
  char text[] = "abc\xE9\xFF\x9A\xDF\xF7xyz";
  CharUpperA(text);
  EXPECT_STREQ(text, "ABC\xC9\x9F\x8A\xDF\xF7XYZ") << "ß has no upper case, ÷ is no letter";
  CharLowerA(text);
  EXPECT_STREQ(text, "abc\xE9\xFF\x9A\xDF\xF7xyz");
  char buf[] = "aBcD";
  EXPECT_EQ(CharUpperBuffA(buf, 2), 2u);
  EXPECT_STREQ(buf, "ABcD");
  EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperA(reinterpret_cast<LPSTR>(uintptr_t{'q'}))), uintptr_t{'Q'});
  EXPECT_EQ(reinterpret_cast<uintptr_t>(CharLowerA(reinterpret_cast<LPSTR>(uintptr_t{0xC0}))), uintptr_t{0xE0});
  EXPECT_TRUE(IsCharAlphaA('\xE9'));
  EXPECT_TRUE(IsCharUpperA('\xC9'));
  EXPECT_TRUE(IsCharLowerA('\xDF'));
  EXPECT_FALSE(IsCharAlphaA('\xF7'));
  EXPECT_TRUE(IsCharAlphaNumericA('7'));
}

TEST(Nls, CaseMappingNeverTouchesTrailBytes) {
  struct Case {
    UINT cp;
    std::string text;
    std::string upper;
  } const cases[] = {
      {932, "a\x83\x61" "b", "A\x83\x61" "B"},  // katakana small a: its trail byte is 'a'
      {936, "\xB0\x61z", "\xB0\x61Z"},
      {950, "\xA4\x61q", "\xA4\x61Q"},
      {949, "\x81\x61\xE9", "\x81\x61\xE9"},    // no Latin-1 letters outside 1252
      {932, "\xB1" "a", "\xB1" "A"},            // half-width katakana is a single byte
  };
  for (const Case& c : cases) {
    std::string t = c.text;
    CharUpperBuffExA(c.cp, t.data(), static_cast<DWORD>(t.size()));
    EXPECT_EQ(t, c.upper) << c.cp;
  }
  AnsiCodePageScope scope(936);
  char text[] = "x\xC1\x61y";
  CharUpperA(text);
  EXPECT_STREQ(text, "X\xC1\x61Y");
}

TEST(Nls, WideCaseMapping) {
  WCHAR text[] = u"abc\u00E9\u03B1\u0436\u4E2D\xD800z";
  CharUpperW(text);
  EXPECT_EQ(std::u16string(text), u"ABC\u00C9\u0391\u0416\u4E2D\xD800Z");
  CharLowerBuffW(text, 3);
  EXPECT_EQ(std::u16string(text), u"abc\u00C9\u0391\u0416\u4E2D\xD800Z");
  EXPECT_TRUE(IsCharAlphaW(u'\u4E2D'));
  EXPECT_TRUE(IsCharUpperW(u'\u00C9'));
  EXPECT_EQ(lstrcmpiW(u"Stra\u00DFE", u"STRA\u00DFe"), 0);
}

TEST(Nls, AnsiAndOem) {
  char out[8] = {};
  EXPECT_TRUE(CharToOemA("\xE9t\xE9", out));
  EXPECT_STREQ(out, "\x82t\x82");
  char back[8] = {};
  EXPECT_TRUE(OemToCharBuffA(out, back, 3));
  EXPECT_STREQ(back, "\xE9t\xE9");
}

TEST(Nls, CharNextAndPrevWalkWholeCharacters) {
  const char text[] = "a\x82\xA0\x82" "b";  // a, あ, then a lead byte whose trail byte is 'b' (0x62)
  LPCSTR p = text;
  p = CharNextExA(932, p, 0);
  EXPECT_EQ(p, text + 1);
  p = CharNextExA(932, p, 0);
  EXPECT_EQ(p, text + 3);
  EXPECT_EQ(CharNextExA(932, p, 0), text + 5);
  EXPECT_EQ(CharPrevExA(932, text, text + 5, 0), text + 3);
  EXPECT_EQ(CharPrevExA(932, text, text + 3, 0), text + 1);
  EXPECT_EQ(CharPrevExA(932, text, text + 1, 0), text);
  EXPECT_EQ(CharNextExA(932, text + 5, 0), text + 5) << "stays on the terminator";
}

TEST(Nls, LstrFunctions) {
  EXPECT_EQ(lstrlenA("abc"), 3);
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrlenW(u"ab"), 2);
  char buf[8];
  lstrcpynA(buf, "abcdef", 4);
  EXPECT_STREQ(buf, "abc");
  lstrcatA(buf, "de");
  EXPECT_STREQ(buf, "abcde");
  EXPECT_EQ(lstrcmpiA("ABC\xC9", "abc\xE9"), 0);
  EXPECT_LT(lstrcmpA("abc", "abd"), 0);
  WCHAR wbuf[8];
  lstrcpynW(wbuf, u"hello", 3);
  EXPECT_EQ(std::u16string(wbuf), u"he");
  lstrcatW(wbuf, u"y");
  EXPECT_EQ(lstrcmpW(wbuf, u"hey"), 0);
}

}  // namespace

// The whole-string helpers give what the two calls give, embedded zeros and
// unconvertible text included, and nothing for empty or null text.
TEST(NlsText, WholeStringsMatchTheConversionCalls) {
  struct Case {
    UINT codePage;
    std::string bytes;
  };
  const Case cases[] = {
      {CP_UTF8, "plain ASCII"},
      {CP_UTF8, "caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80"},
      {CP_UTF8, "bad \xC3 lead and \xFF byte"},
      {CP_UTF8, std::string("zero\0inside", 11)},
      {1252, "na\xEFve \x80 \x81"},
      {936, "\xD6\xD0\xCE\xC4 and a lone lead \xD6"},
      {CP_ACP, "\xE9t\xE9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const std::u16string wide = nls::ToUtf16(c.codePage, c.bytes);
    EXPECT_EQ(wide, ToWide(c.codePage, c.bytes));
    EXPECT_EQ(nls::FromUtf16(c.codePage, wide), ToBytes(c.codePage, wide));
  }
  EXPECT_EQ(nls::ToUtf16(CP_UTF8, std::string_view()), u"");
  EXPECT_EQ(nls::FromUtf16(CP_UTF8, std::u16string_view()), "");
  EXPECT_EQ(nls::ToUtf16(CP_ACP, nls::OrEmpty(static_cast<const char*>(nullptr))), u"");
  EXPECT_EQ(nls::FromUtf16(CP_UTF8, nls::OrEmpty(static_cast<const char16_t*>(nullptr))), "");
  EXPECT_EQ(nls::FromUtf16(CP_UTF8, u"\xE9\u4E2D"), "\xC3\xA9\xE4\xB8\xAD");
  EXPECT_EQ(nls::ToUtf16(CP_UTF8, nls::OrEmpty("\xC3\xA9")), u"\xE9");
}
