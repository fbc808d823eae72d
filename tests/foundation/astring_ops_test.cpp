// AString operations in the designer's build: formatting, searching, editing,
// substrings, splitting, character-aware walking and code-page conversions.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "foundation/containers/aarray.h"
#include "foundation/string/astring.h"
#include "tests/foundation/astring_test_util.h"

namespace {

using astring_test::Bytes;
using astring_test::Narrow;
using astring_test::Units;
using astring_test::Wide;

// A GBK character (U+4F60) and one whose trail byte is an ASCII letter.
constexpr std::string_view kNi = "\xC4\xE3";
constexpr std::string_view kPairA = "\xB0\x41";

// ---- Formatting -------------------------------------------------------------

struct FormatCase {
  const char* name;
  std::function<void(AString&)> run;
  std::string expected;
};

TEST(AStringFormat, Conversions) {
  const AString q("Q");
  const FormatCase cases[] = {
      {"strings and AString", [&](AString& s) { s.Format("%s|%5.2s|%!", "abc", "xyz", &q); }, "abc|xy|Q"},
      {"percent", [](AString& s) { s.Format("%d%%", 7); }, "7%"},
      {"%n takes nothing and stops", [](AString& s) { s.Format("a%nb"); }, "ab"},
      {"%S stops", [](AString& s) { s.Format("x%S rest"); }, "x rest"},
      {"width and flags", [](AString& s) { s.Format("%5d|%-4x|%05.1f|%+d", 42, 255, 3.14159, 3); },
       "   42|ff  |003.1|+3"},
      {"star width", [](AString& s) { s.Format("[%*d][%-*d]", 4, 7, 3, 1); }, "[   7][1  ]"},
      {"star precision", [](AString& s) { s.Format("%.*f", 2, 1.005); }, "1.00"},
      {"long arguments", [](AString& s) { s.Format("%ld %lld %lu", 1L << 40, -(1LL << 50), 5UL); },
       std::to_string(1L << 40) + " " + std::to_string(-(1LL << 50)) + " 5"},
      {"short and char", [](AString& s) { s.Format("%hd %hhu", 65537, 257); }, "1 1"},
      {"characters", [](AString& s) { s.Format("%c%C", 'a', 'b'); }, "ab"},
      {"floating forms", [](AString& s) { s.Format("%e %G %g", 1500.0, 0.00001, 2.5); }, "1.500000e+03 1E-05 2.5"},
      {"long double", [](AString& s) { s.Format("%.2Lf", 1.25L); }, "1.25"},
      {"unknown conversion appends the character", [](AString& s) { s.Format("%q%5z"); }, "qz"},
      {"format ending in a lone percent", [](AString& s) { s.Format("100%"); }, "100%"},
      {"format ending inside a conversion", [](AString& s) { s.Format("a%-5"); }, "a%-5"},
      {"misordered modifiers are plain text", [](AString& s) { s.Format("%l5d|%s", "ok"); }, "%l5d|ok"},
      {"invalid length is plain text", [](AString& s) { s.Format("%Ld|%hf|%lc|%lp"); }, "%Ld|%hf|%lc|%lp"},
      {"absurd width is plain text", [](AString& s) { s.Format("%99999999d|%d", 5); }, "%99999999d|5"},
      {"null C string", [](AString& s) { s.Format("[%s]", static_cast<const char*>(nullptr)); }, "[]"},
      {"star precision of s", [](AString& s) { s.Format("%.*s|%*s", 2, "abc", 9, "d"); }, "ab|d"},
      {"flags on an AString are ignored", [&](AString& s) { s.Format("%-5!|%*!", &q, 3, &q); }, "Q|Q"},
      {"precision of s beyond length", [](AString& s) { s.Format("%.10s", "abc"); }, "abc"},
      {"own text as argument", [](AString& s) {
         s = "abc";
         s.Format("%s-%s", s.GetData(), s.GetData());
       },
       "abc-abc"},
      {"AppendInt", [](AString& s) {
         s = "n=";
         s.AppendInt(-12);
       },
       "n=-12"},
      {"AppendFloat clamps to 48 decimals", [](AString& s) { s.AppendFloat(2.5, 100); },
       "2.5" + std::string(47, '0')},
      {"AppendFloat negative decimals", [](AString& s) { s.AppendFloat(1.0, -1); }, "1." + std::string(48, '0')},
      {"AppendFloat two decimals", [](AString& s) { s.AppendFloat(3.14159, 2); }, "3.14"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    AString s;
    c.run(s);
    EXPECT_EQ(Bytes(s), c.expected);
  }
}

TEST(AStringFormat, WideTargetWidensText) {
  AString s = Wide(u"w");
  s.Format("a%db", 5);
  EXPECT_TRUE(s.IsWide());
  EXPECT_EQ(Units(s), u"a5b");
}

// ---- Searching --------------------------------------------------------------

struct SearchCase {
  const char* name;
  AString text;
  std::function<int(const AString&)> op;
  int expected;
};

TEST(AStringSearch, Cases) {
  const AString plain("abcabcABC");
  const AString walk = Narrow(std::string(kPairA) + std::string(kPairA) + "A", 936);
  const SearchCase cases[] = {
      {"find char", plain, [](const AString& s) { return s.Find('c', 0); }, 2},
      {"find char from", plain, [](const AString& s) { return s.Find('c', 3); }, 5},
      {"find char negative start", plain, [](const AString& s) { return s.Find('a', -5); }, 0},
      {"find char past end", plain, [](const AString& s) { return s.Find('a', 9); }, -1},
      {"find C string", plain, [](const AString& s) { return s.Find("ca", 0); }, 2},
      {"find C string past end", plain, [](const AString& s) { return s.Find("a", 20); }, -1},
      {"find AString", plain, [](const AString& s) { return s.Find(AString("bc"), 2); }, 4},
      {"find no case", plain, [](const AString& s) { return s.FindNoCase("cab", 3); }, 5},
      {"find no case at end", plain, [](const AString& s) { return s.FindNoCase("abc", 7); }, -1},
      {"find one of", plain, [](const AString& s) { return s.FindOneOf("xC"); }, 8},
      {"find one of from", plain, [](const AString& s) { return s.FindOneOfFrom("ab", 2); }, 3},
      {"find not one of from", plain, [](const AString& s) { return s.FindNotOneOfFrom("abc", 1); }, 6},
      {"reverse find one of", plain, [](const AString& s) { return s.ReverseFindOneOf("a", 100); }, 3},
      {"reverse find one of negative", plain, [](const AString& s) { return s.ReverseFindOneOf("a", -1); }, -1},
      {"reverse find char", plain, [](const AString& s) { return s.ReverseFind('b'); }, 4},
      {"reverse find char before pos", plain, [](const AString& s) { return s.ReverseFind('b', 4); }, 1},
      {"reverse find char at 0", plain, [](const AString& s) { return s.ReverseFind('a', 0); }, -1},
      {"reverse find C string", plain, [](const AString& s) { return s.ReverseFind("abc"); }, 3},
      {"reverse find empty pattern", plain, [](const AString& s) { return s.ReverseFind(""); }, 8},
      {"reverse find before end", plain, [](const AString& s) { return s.ReverseFind("abc", 5); }, 0},
      {"reverse find no case: last byte", plain, [](const AString& s) { return s.ReverseFindNoCase("ab", 100); }, 7},
      {"reverse find no case bounded", plain, [](const AString& s) { return s.ReverseFindNoCase("ab", 6); }, 4},
      {"count of", AString("aaaaa"), [](const AString& s) { return s.CountOf(AString("aa")); }, 2},
      {"count of empty", plain, [](const AString& s) { return s.CountOf(AString()); }, 0},
      // Walking by characters: the trail byte 'A' of a pair is not a character.
      {"walking find char", walk, [](const AString& s) { return s.Find('A', 0); }, 2},
      {"walking reverse find char", walk, [](const AString& s) { return s.ReverseFind('A'); }, 2},
      {"walking find AString", walk, [](const AString& s) { return s.Find(AString("A"), 0); }, 2},
      {"walking reverse find C string", walk, [](const AString& s) { return s.ReverseFind("A", 5); }, 2},
      {"walking count", walk, [](const AString& s) { return s.CountChars(); }, 3},
      {"byte find in the same bytes", Narrow(Bytes(walk), -1), [](const AString& s) { return s.Find('A', 0); }, 1},
      // Wide texts count in units.
      {"wide find narrow pattern", Wide(u"ab"), [](const AString& s) { return s.Find(AString("b"), 0); }, 1},
      {"wide find char", Wide(u"\u4F60ab"), [](const AString& s) { return s.Find('b', 0); }, 2},
      {"wide reverse find char", Wide(u"abab"), [](const AString& s) { return s.ReverseFind('a'); }, 2},
      {"wide reverse find C string", Wide(u"xabab"), [](const AString& s) { return s.ReverseFind("ab"); }, 3},
      {"find wide ignoring case", Wide(u"xaBcab"),
       [](const AString& s) { return s.FindWide(Wide(u"Ab"), 0, true); }, 1},
      {"find wide exact", Wide(u"xaBcab"), [](const AString& s) { return s.FindWide(Wide(u"ab"), 0, false); }, 4},
      {"reverse find wide: last unit", Wide(u"abxab"),
       [](const AString& s) { return s.ReverseFindWide(Wide(u"ab"), 100, false); }, 4},
      {"reverse find wide bounded", Wide(u"abxab"),
       [](const AString& s) { return s.ReverseFindWide(Wide(u"ab"), 3, false); }, 1},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.op(c.text), c.expected);
  }
}

TEST(AStringSearch, AtCharStartSkipsOccurrencesOnTrailBytes) {
  // 0xB0 0xA1 is one GBK character; "\xA1\xA1" begins on its trail byte.
  const AString s("\xB0\xA1\xA1\xA1xy");
  EXPECT_EQ(s.Find("\xA1\xA1", 0), 1);
  EXPECT_EQ(s.FindAtCharStart("\xA1\xA1", 0), 2);
  EXPECT_EQ(AString("\xB0\xA1x").Find("\xA1x", 0), 1);
  EXPECT_EQ(AString("\xB0\xA1x").FindAtCharStart("\xA1x", 0), -1);
  EXPECT_EQ(AString("aXbx").FindNoCaseAtCharStart("X", 2), 3);
}

// ---- Characters -------------------------------------------------------------

TEST(AStringChars, WalkingCountsAPairAsOneCharacter) {
  const AString s = Narrow(std::string(kNi) + "A", 936);
  EXPECT_TRUE(s.WalksByCharacters());
  EXPECT_EQ(s.CountChars(), 2);
  EXPECT_EQ(s.GetCharCount(), 3);
  EXPECT_EQ(s.Find('A', 0), 1);
  EXPECT_EQ(Bytes(s.Mid(1, 1)), "A");
  EXPECT_EQ(Bytes(s.Left(1)), kNi);
  EXPECT_EQ(Bytes(s.Right(1)), "A");
  EXPECT_EQ(s.Mid(1, 1).GetCodePage(), 936);
  EXPECT_EQ(s.GetCharAt(0), 0xC4 + 0xE3 * 256);
  EXPECT_EQ(s.GetCharAt(1), 'A');
  EXPECT_EQ(s.GetCharAt(2), 0);
  // The last byte never starts a pair.
  EXPECT_EQ(Narrow("A\xC4", 936).CountChars(), 2);
  // 936 rejects 0x7F as a trail byte; 950 accepts it.
  EXPECT_EQ(Narrow("\x81\x7F", 936).CountChars(), 2);
  EXPECT_EQ(Narrow("\xA1\x7F", 950).CountChars(), 1);
  EXPECT_EQ(Narrow("\x81\x7F", 1252).CountChars(), 2);
  // 932: a Shift-JIS lead byte starts a pair whatever follows; a half-width
  // katakana byte (0xA1-0xDF) is a character of its own. 949: any byte with
  // the high bit set starts a pair.
  struct Case {
    std::string_view bytes;
    int codePage;
    int chars;
    int firstCharBytes;
  };
  const Case cases[] = {
      {"\x82\xA0" "A", 932, 2, 2}, {"\x81\x41" "A", 932, 2, 2}, {"\x80\x41" "A", 932, 3, 1}, {"\xB1" "A", 932, 2, 1},
      {"\xB1\xB2\xB3", 932, 3, 1}, {"\x80\x41" "A", 949, 2, 2}, {"\xB0\xA1" "\xC7", 949, 2, 2},
      {"\xA4\x40" "\xA4", 950, 2, 2}, {"\xA0\x40", 950, 2, 1},     {"\xFE\xFE", 936, 1, 2},
      {"\xFF\x40", 936, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    const AString t = Narrow(c.bytes, c.codePage);
    EXPECT_EQ(t.CountChars(), c.chars);
    EXPECT_EQ(t.Left(1).GetLength(), c.firstCharBytes);
  }
}

TEST(AStringChars, UnitsAndBytes) {
  const AString w = Wide(u"a\u4F60\r");
  EXPECT_EQ(w.GetCharCount(), 3);
  EXPECT_EQ(w.GetUnitAt(1), 0x4F60);
  EXPECT_EQ(w.GetCharAt(1), 0x4F60);
  EXPECT_EQ(w.GetLineBreakLength(2), 1);
  EXPECT_EQ(w.GetLineBreakLength(0), 0);
  const AString n("a\r\nb\rc\n\xE9");
  EXPECT_EQ(n.GetUnitAt(7), -23);  // sign-extended byte
  EXPECT_EQ(n.GetLineBreakLength(1), 2);
  EXPECT_EQ(n.GetLineBreakLength(4), 1);
  EXPECT_EQ(n.GetLineBreakLength(6), 1);
  EXPECT_EQ(n.GetLineBreakLength(0), 0);
  EXPECT_EQ(n.GetLastChar(), '\xE9');
  EXPECT_EQ(AString().GetLastChar(), 0);
  EXPECT_EQ(AString(" \t x").GetIndentWidth(4), 6);
  EXPECT_EQ(AString::GetSpaceChar(), 0x20);
  AString u = Wide(u"ab");
  EXPECT_EQ(u.SetUnitAt(1, 0x4F60), 1);
  EXPECT_EQ(Units(u), u"a\u4F60");
  AString b("ab");
  EXPECT_EQ(b.SetUnitAt(1, 'z'), 0);
  EXPECT_EQ(Bytes(b), "az");
  EXPECT_EQ(b[0], 'a');
  EXPECT_EQ(b.GetAt(10), 0);
}

// ---- Editing ----------------------------------------------------------------

struct EditCase {
  const char* name;
  AString text;
  std::function<int(AString&)> op;
  std::string expectedBytes;
  int expectedResult;
};

TEST(AStringEdit, Cases) {
  const auto w = [](std::u16string_view u) { return Bytes(Wide(u)); };
  const std::string ni(kNi);
  const EditCase cases[] = {
      {"insert char", AString("ac"), [](AString& s) { return s.Insert(1, 'b'); }, "abc", 3},
      {"insert char past end", AString("ab"), [](AString& s) { return s.Insert(9, 'c'); }, "abc", 3},
      {"insert char negative", AString("bc"), [](AString& s) { return s.Insert(-3, 'a'); }, "abc", 3},
      {"wide insert char at byte 2", Wide(u"ab"), [](AString& s) { return s.Insert(2, 'x'); }, w(u"axb"), 6},
      {"wide insert char at unit", Wide(u"ab"), [](AString& s) { return s.InsertChar(2, 'x'); }, w(u"abx"), 3},
      {"walking insert char", Narrow(ni + "b", 936), [](AString& s) { return s.InsertChar(1, 'x'); },
       ni + "xb", 4},
      {"insert text", AString("ad"), [](AString& s) { return s.Insert(1, "bcX", 2); }, "abcd", 4},
      {"insert text past end", AString("ab"), [](AString& s) { return s.Insert(5, "cd"); }, "abcd", 4},
      {"insert empty", AString("ab"), [](AString& s) { return s.Insert(1, ""); }, "ab", 2},
      {"walking insert text", Narrow(ni + ni, 936), [](AString& s) { return s.Insert(1, "--"); },
       ni + "--" + ni, 6},
      {"wide insert text", Wide(u"ad"), [](AString& s) { return s.Insert(1, "bc"); }, w(u"abcd"), 8},
      {"insert own text", AString("ab"), [](AString& s) { return s.Insert(1, s.GetData()); }, "aabb", 4},
      {"delete", AString("abcdef"), [](AString& s) { return s.Delete(1, 2); }, "adef", 4},
      {"delete past end", AString("abc"), [](AString& s) { return s.Delete(1, 99); }, "a", 1},
      {"delete first past end", AString("abc"), [](AString& s) { return s.Delete(3, 1); }, "abc", 3},
      {"delete count 0", AString("abc"), [](AString& s) { return s.Delete(0, 0); }, "abc", 3},
      {"wide delete", Wide(u"abc"), [](AString& s) { return s.Delete(0, 2); }, w(u"c"), 2},
      {"walking delete", Narrow(ni + "b" + ni, 936), [](AString& s) { return s.DeleteAt(1, 1); }, ni + ni, 4},
      {"walking delete pair", Narrow("a" + ni + "b", 936), [](AString& s) { return s.Delete(1, 1); }, "ab", 2},
      {"delete front", AString("abcd"), [](AString& s) { s.DeleteFront(3); return s.GetLength(); }, "d", 1},
      {"delete front all", AString("abcd"), [](AString& s) { s.DeleteFront(4); return s.GetLength(); }, "", 0},
      {"delete back", AString("abcd"), [](AString& s) { s.DeleteBack(1); return s.GetLength(); }, "abc", 3},
      {"truncate", AString("abcd"), [](AString& s) { s.Truncate(2); return s.GetLength(); }, "ab", 2},
      {"truncate longer", AString("abcd"), [](AString& s) { s.Truncate(9); return s.GetLength(); }, "abcd", 4},
      {"remove", AString("banana"), [](AString& s) { return s.Remove('a'); }, "bnn", 3},
      {"replace char", AString("banana"), [](AString& s) { return s.Replace('a', 'o'); }, "bonono", 3},
      {"replace shorter", AString("xxabxxabxx"), [](AString& s) { return s.Replace("ab", "c"); }, "xxcxxcxx", 2},
      {"replace same length", AString("abab"), [](AString& s) { return s.Replace("ab", "cd"); }, "cdcd", 2},
      {"replace longer", AString("a-a"), [](AString& s) { return s.Replace("a", "xyz"); }, "xyz-xyz", 2},
      {"replace non-overlapping", AString("aaa"), [](AString& s) { return s.Replace("aa", "b"); }, "ba", 1},
      {"replace with lengths", AString("abc"), [](AString& s) { return s.Replace("bX", "yZ", 1, 1); }, "ayc", 1},
      {"replace empty find", AString("abc"), [](AString& s) { return s.Replace("", "x"); }, "abc", 0},
      {"replace with own text", AString("ab"), [](AString& s) { return s.Replace("a", s.GetData()); }, "abb", 1},
      {"replace wide", Wide(u"a\u4F60a"), [](AString& s) { return s.Replace(Wide(u"a"), Wide(u"bc")); },
       w(u"bc\u4F60bc"), 2},
      {"replace unit-aligned only", Wide(u"\u6100\u4100"),
       [](AString& s) { return s.Replace(Wide(u"a"), Wide(u"b")); }, w(u"\u6100\u4100"), 0},
      {"replace narrow by AStrings", AString("a.b.c"), [](AString& s) { return s.Replace(AString("."), AString("::")); },
       "a::b::c", 2},
      {"keep digits", AString("a1b2c3"), [](AString& s) { return s.KeepDigits(); }, "123", 3},
      {"append repeated", AString("x"), [](AString& s) { return s.AppendRepeated('-', 3); }, "x---", 4},
      {"wide append repeated", Wide(u"x"), [](AString& s) { return s.AppendRepeated('-', 2); }, w(u"x--"), 3},
      {"append masked", AString(">"), [](AString& s) { return s.AppendMasked(AString("abcd"), 2, '-', false); },
       ">ab-cd-", 2},
      {"append masked partial group", AString(), [](AString& s) { return s.AppendMasked(AString("abc"), 2, ' ', false); },
       "ab c", 1},
      {"append masked inverted", AString(), [](AString& s) { return s.AppendMasked(AString("\x0F"), 5, '|', true); },
       "\xF0", 0},
      {"append masked group 0", AString(), [](AString& s) { return s.AppendMasked(AString("ab"), 0, ',', false); },
       "a,b,", 2},
      {"pad front", AString("12"), [](AString& s) { return s.PadToWidth(5, false, false); }, "00012", 3},
      {"pad back", AString("12"), [](AString& s) { return s.PadToWidth(4, true, false); }, "1200", 2},
      {"pad cuts", AString("12345"), [](AString& s) { return s.PadToWidth(2, false, false); }, "12", -3},
      {"pad trims", AString(" 7\t"), [](AString& s) { return s.PadToWidth(3, false, true); }, "007", 2},
      {"trim left whitespace only", AString(" \t \t"), [](AString& s) { s.TrimLeft(); return s.GetLength(); }, "", 0},
      {"trim left set", AString("xxyab"), [](AString& s) { s.TrimLeft("xy"); return s.GetLength(); }, "ab", 2},
      {"trim right", AString("ab \r\n"), [](AString& s) { s.TrimRight(); return s.GetLength(); }, "ab", 2},
      {"wide trim", Wide(u"  a\u2020 "), [](AString& s) { s.TrimLeft(); s.TrimRight(); return s.GetLength(); },
       w(u"a\u2020"), 4},
      {"make upper", AString("abC1"), [](AString& s) { s.MakeUpper(); return 0; }, "ABC1", 0},
      {"make lower", AString("ABc1"), [](AString& s) { s.MakeLower(); return 0; }, "abc1", 0},
      {"wide to upper", Wide(u"a\u0161b"), [](AString& s) { s.ToUpper(); return 0; }, w(u"A\u0161B"), 0},
      {"wide to lower", Wide(u"A\u0141B"), [](AString& s) { s.ToLower(); return 0; }, w(u"a\u0141b"), 0},
      {"reverse", AString("abc"), [](AString& s) { s.MakeReverse(); return 0; }, "cba", 0},
      {"wide reverse", Wide(u"abc"), [](AString& s) { s.MakeReverse(); return 0; }, w(u"cba"), 0},
      {"append self", AString("ab"), [](AString& s) { s += s; return s.GetLength(); }, "abab", 4},
      {"append empty", AString("ab"), [](AString& s) { s += AString(); return s.GetLength(); }, "ab", 2},
      {"append narrow to wide", Wide(u"x"), [](AString& s) { s += AString("AB"); return s.GetLength(); },
       w(u"xAB"), 6},
      {"append C string to wide", Wide(u"x"), [](AString& s) { s += "yz"; return s.GetLength(); }, w(u"xyz"), 6},
      {"append char to wide", Wide(u"x"), [](AString& s) { s += 'y'; return s.GetLength(); }, w(u"xy"), 4},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    AString s(c.text);
    EXPECT_EQ(c.op(s), c.expectedResult);
    EXPECT_EQ(Bytes(s), c.expectedBytes);
    EXPECT_EQ(s.GetData()[s.GetLength()], 0);
    EXPECT_EQ(s.IsWide(), c.text.IsWide());
  }
}

TEST(AStringEdit, WalkingCaseAndTrimLeavePairsWhole) {
  // 0xB0 0x61 is one GBK character whose trail byte is the letter 'a'.
  AString s = Narrow("\xB0\x61" "a", 936);
  s.MakeUpper();
  EXPECT_EQ(Bytes(s), "\xB0\x61" "A");
  s.MakeLower();
  EXPECT_EQ(Bytes(s), "\xB0\x61" "a");
  s.TrimRight("a");
  EXPECT_EQ(Bytes(s), "\xB0\x61");
  // Without a double-byte code page the same bytes are plain bytes.
  AString plain = Narrow("\xB0\x61" "a", -1);
  plain.MakeUpper();
  EXPECT_EQ(Bytes(plain), "\xB0\x41" "A");
  plain.TrimRight("A");
  EXPECT_EQ(Bytes(plain), "\xB0");
}

TEST(AStringEdit, ReplaceManyGrowsTheText) {
  AString s('a', 2000);
  EXPECT_EQ(s.Replace("a", "xyz"), 2000);
  EXPECT_EQ(s.GetLength(), 6000);
  EXPECT_EQ(s.CountOf(AString("xyz")), 2000);
}

TEST(AStringEdit, SpansCutTheStringAndReturnIt) {
  AString s("123abc");
  EXPECT_EQ(s.SpanIncluding("0123456789"), "123");
  EXPECT_EQ(s, "123");
  AString t("key=value");
  EXPECT_EQ(t.SpanExcluding("="), "key");
  EXPECT_EQ(t, "key");
}

TEST(AStringEdit, AppendingNarrowToWideClearsTheFlagByte) {
  AString s = Wide(u"x");
  s.SetFlagByte(3);
  s.SetCodePage(936);
  s += AString("AB");
  EXPECT_EQ(Units(s), u"xAB");
  EXPECT_EQ(s.GetFlagByte(), 0);
  EXPECT_EQ(s.GetCodePage(), 936);
}

// ---- Substrings -------------------------------------------------------------

struct SubCase {
  const char* name;
  AString text;
  std::function<AString(const AString&)> op;
  std::string expected;
};

TEST(AStringSubstring, Cases) {
  const AString s("abcdef");
  const SubCase cases[] = {
      {"mid", s, [](const AString& t) { return t.Mid(1, 3); }, "bcd"},
      {"mid to end", s, [](const AString& t) { return t.Mid(4); }, "ef"},
      {"mid cut at end", s, [](const AString& t) { return t.Mid(4, 10); }, "ef"},
      {"mid negative first", s, [](const AString& t) { return t.Mid(-2, 2); }, "ab"},
      {"mid past end", s, [](const AString& t) { return t.Mid(6, 1); }, ""},
      {"mid count 0", s, [](const AString& t) { return t.Mid(1, 0); }, ""},
      {"left", s, [](const AString& t) { return t.Left(2); }, "ab"},
      {"right", s, [](const AString& t) { return t.Right(2); }, "ef"},
      {"right whole", s, [](const AString& t) { return t.Right(10); }, "abcdef"},
      {"safe mid", s, [](const AString& t) { return t.SafeMid(-1, 2); }, "ab"},
      {"safe mid past end", s, [](const AString& t) { return t.SafeMid(7, 2); }, ""},
      {"safe left", s, [](const AString& t) { return t.SafeLeft(99); }, "abcdef"},
      {"safe right", s, [](const AString& t) { return t.SafeRight(99); }, "abcdef"},
      {"wide mid", Wide(u"abcd"), [](const AString& t) { return t.Mid(1, 2); }, Bytes(Wide(u"bc"))},
      {"wide right", Wide(u"abcd"), [](const AString& t) { return t.Right(1); }, Bytes(Wide(u"d"))},
      {"file name", AString("C:\\dir\\file.txt"), [](const AString& t) { return t.ExtractFileName(false); },
       "file.txt"},
      {"file name without extension", AString("/tmp/a.b/file.tar.gz"),
       [](const AString& t) { return t.ExtractFileName(true); }, "file.tar"},
      {"file name without separator", AString("name"), [](const AString& t) { return t.ExtractFileName(true); },
       "name"},
      {"dot only in the folder", AString("a.d\\file"), [](const AString& t) { return t.ExtractFileName(true); },
       "file"},
  };
  for (const SubCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Bytes(c.op(c.text)), c.expected);
  }
}

TEST(AStringSubstring, WholeMidSharesAndPartsKeepAttributes) {
  AString s("abc");
  s.SetCodePage(949);
  s.SetFlagByte(9);
  EXPECT_EQ(s.Mid(0, 3).GetHeader(), s.GetHeader());
  const AString part = s.Mid(1, 1);
  EXPECT_EQ(part.GetCodePage(), 949);
  EXPECT_EQ(part.GetFlagByte(), 9);
  EXPECT_EQ(s.Mid(5, 1).GetHeader(), AString::SharedEmptyHeader());
  EXPECT_EQ(s.CompareLeftNoCase("ABx", 2), 0);
  EXPECT_NE(s.CompareLeftNoCase("ABx", 3), 0);
}

TEST(AStringSubstring, SplitLines) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\n\r\nb", {"a", "b"}},
      {"\r\nfirst\nsecond\r", {"first", "second"}},
      {"one", {"one"}},
      {"", {}},
      {"\n\r\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    AArray<AString> lines;
    lines.Add(AString("kept"));
    EXPECT_EQ(AString(c.text).SplitLines(&lines), static_cast<int>(c.lines.size()) + 1);
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(Bytes(lines[static_cast<int>(i) + 1]), c.lines[i]);
  }
}

TEST(AStringSubstring, SplitLinesOfAWideText) {
  AArray<AString> lines;
  EXPECT_EQ(Wide(u"a\r\n\r\n\u4F60b\n").SplitLines(&lines), 2);
  ASSERT_EQ(lines.GetSize(), 2);
  EXPECT_TRUE(lines[0].IsWide());
  EXPECT_EQ(Units(lines[0]), u"a");
  EXPECT_EQ(Units(lines[1]), u"\u4F60b");
  // A unit whose low byte is 10 is not a line break.
  EXPECT_EQ(Wide(u"x\u010Ay").SplitLines(&lines), 3);
}

TEST(AStringSubstring, SplitCollectsRuns) {
  AArray<AString> runs;
  runs.Add(AString("old"));
  EXPECT_EQ(AString("abXXXcdXXeX").Split(AString("X"), &runs), 3);
  ASSERT_EQ(runs.GetSize(), 3);
  EXPECT_EQ(runs[0], "XXX");
  EXPECT_EQ(runs[1], "XX");
  EXPECT_EQ(runs[2], "X");
  EXPECT_EQ(AString("a--b==c----").Split(AString("--"), AString("=="), &runs), 3);
  EXPECT_EQ(runs[0], "--");
  EXPECT_EQ(runs[1], "==");
  EXPECT_EQ(runs[2], "----");
  EXPECT_EQ(AString("abc").Split(AString(), &runs), 0);
  EXPECT_EQ(runs.GetSize(), 0);
}

TEST(AStringSubstring, SplitQuotedPair) {
  AString left;
  AString right;
  EXPECT_EQ(AString::SplitQuotedPair(AString("\"one\" ,  \"two\""), &left, &right), 1);
  EXPECT_EQ(left, "\"one");
  EXPECT_EQ(right, "two\"");
  EXPECT_EQ(AString::SplitQuotedPair(AString("\"a\",\"b\""), &left, &right), 1);
  EXPECT_EQ(left, "\"a");
  EXPECT_EQ(AString::SplitQuotedPair(AString("no pair"), &left, &right), 0);
  AString text("\"x\", \"y\"");
  EXPECT_EQ(AString::SplitQuotedPair(text, &text, &right), 1);
  EXPECT_EQ(text, "\"x");
  EXPECT_EQ(right, "y\"");
}

// ---- Comparison -------------------------------------------------------------

TEST(AStringCompare, BytesDecideWidthAndCodePageDoNot) {
  EXPECT_TRUE(AString("ab") == AString("ab"));
  EXPECT_TRUE(Narrow("ab", 936) == Narrow("ab", 1252));
  EXPECT_TRUE(AString("a\0b") == "a");
  EXPECT_FALSE(AString(3, "a\0b") == "a");
  EXPECT_TRUE(AStringNotEquals(AString("a"), AString("b")));
  EXPECT_TRUE(AString("ab") != "abc");
  EXPECT_LT(AString("abc").Compare("abd"), 0);
  EXPECT_EQ(AString("ABC").CompareNoCase("abc"), 0);
  EXPECT_GT(AString("b").Compare(nullptr), 0);
}

TEST(AStringConcat, FreeOperators) {
  EXPECT_EQ(Bytes(AString("ab") + AString("cd")), "abcd");
  EXPECT_EQ(Bytes(AString("ab") + "cd"), "abcd");
  EXPECT_EQ(Bytes("ab" + AString("cd")), "abcd");
  EXPECT_EQ(Bytes(AString("ab") + 'c'), "abc");
  EXPECT_EQ(Bytes('a' + AString("bc")), "abc");
  EXPECT_EQ(Units("x" + Wide(u"y")), u"xy");
  EXPECT_EQ(Units('x' + Wide(u"y")), u"xy");
  EXPECT_EQ(Units(Wide(u"y") + "z"), u"yz");
  EXPECT_EQ(Units(Wide(u"y") + AString("z")), u"yz");
  const AString left("L");
  const AString sum = left + AString("R");
  EXPECT_EQ(left, "L");
  EXPECT_EQ(sum.GetHeader()->refs, 1);
}

// ---- Conversions (designer's build) -------------------------------------------

TEST(AStringConvert, WideAndMultiByteRoundTrip) {
  AString s = Narrow(std::string(kNi) + "A", 936);
  ASSERT_EQ(s.ConvertToWide(-1), 1);
  EXPECT_TRUE(s.IsWide());
  EXPECT_EQ(s.GetCodePage(), 0);
  EXPECT_EQ(Units(s), u"\u4F60A");
  EXPECT_EQ(s.ConvertToWide(-1), 0);  // already wide

  ASSERT_EQ(s.ConvertToMultiByte(-1), 1);  // code page detected from the script
  EXPECT_FALSE(s.IsWide());
  EXPECT_EQ(s.GetCodePage(), 936);
  EXPECT_EQ(Bytes(s), std::string(kNi) + "A");
  EXPECT_EQ(s.ConvertToMultiByte(-1), 0);  // already narrow

  AString latin("caf\xE9");
  ASSERT_EQ(latin.ConvertToWide(1252), 1);
  EXPECT_EQ(Units(latin), u"caf\u00E9");
  ASSERT_EQ(latin.ConvertToMultiByte(-1), 1);  // no script found: 1252
  EXPECT_EQ(latin.GetCodePage(), 1252);
  EXPECT_EQ(Bytes(latin), "caf\xE9");

  AString big5 = Wide(u"\u4F60");
  ASSERT_EQ(big5.ConvertToMultiByte(950), 1);
  EXPECT_EQ(Bytes(big5), "\xA7\x41");
  EXPECT_EQ(big5.GetCodePage(), 950);

  AString empty = Wide(u"");
  ASSERT_EQ(empty.ConvertToMultiByte(-1), 1);
  EXPECT_FALSE(empty.IsWide());
  EXPECT_EQ(empty.GetLength(), 0);
}

TEST(AStringConvert, DetectCodePage) {
  AString korean = Wide(u"A\uAC00");
  EXPECT_EQ(korean.DetectCodePage(false), 1);
  EXPECT_EQ(korean.GetCodePage(), 949);
  AString japanese = Wide(u"\u3042");
  japanese.SetCodePage(936);
  EXPECT_EQ(japanese.DetectCodePage(false), 0);
  EXPECT_EQ(japanese.DetectCodePage(true), 1);
  EXPECT_EQ(japanese.GetCodePage(), 932);
  AString english = Wide(u"abc");
  EXPECT_EQ(english.DetectCodePage(true), 0);
  EXPECT_EQ(AString("narrow").DetectCodePage(true), 0);
}

TEST(AStringConvert, AnsiToOem) {
  AString s("caf\xE9 \xFC");  // 1252; the OEM code page of a 1252 process is 437
  AString shared(s);
  s.AnsiToOem();
  EXPECT_EQ(Bytes(s), "caf\x82 \x81");
  EXPECT_EQ(Bytes(shared), "caf\xE9 \xFC");
  AString wide = Wide(u"\u00E9");
  wide.AnsiToOem();
  EXPECT_EQ(Units(wide), u"\u00E9");
}

TEST(AStringConvert, ReplaceConvertsWideArgumentsToMultiByte) {
  AString s = Narrow(std::string("x") + std::string(kNi), 936);
  EXPECT_EQ(s.Replace(Wide(u"\u4F60"), AString("y")), 1);
  EXPECT_EQ(Bytes(s), "xy");
}

}  // namespace
