// Styles, font-table entries and East Asian formats in RTF as LibreOffice
// and Word write them; the office corpus test holds the same rules against
// LibreOffice's own reading.
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richedit::CharFormat;
using richedit::ParaFormat;
using richedit::TextDocument;
using richtest::Read;
using richtest::Utf8;

constexpr char kFonts[] =
    R"({\rtf1\ansi\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}{\f2\fmodern Courier New;})"
    R"({\f8\fnil\fcharset134 SimSun;}})";
constexpr char kSheet[] =
    R"({\stylesheet{\s0\f1\fs30 Normal;}{\s5\sbasedon0\sa100 Body;}{\s6\sbasedon5\b\fs20\qc Bold small;})"
    R"({\s7\i No base;}{\s8\sbasedon9\fs40 Based on a later one;}{\s9\fs44 Later;}{\s10\sbasedon0\ul Lined;})"
    R"({\s11\sbasedon10 Lined body;}})";

TEST(RtfStyles, TextTakesWhatItsStyleInheritsAndWhatItSaysItself) {
  struct Case {
    const char* what;
    const char* body;  // after the font table and style sheet; the first character is checked
    const char16_t* face;
    LONG height;
    bool bold;
    bool underline;
    WORD alignment;
  };
  const Case cases[] = {
      // As LibreOffice writes every paragraph: Normal's font and size through \sbasedon.
      {"based on Normal", R"(\pard\plain\s5 x\par})", u"Times New Roman", 300, false, false, PFA_LEFT},
      {"\\plain after the style", R"(\pard\s5\plain x\par})", u"Times New Roman", 300, false, false, PFA_LEFT},
      {"a font the text names", R"(\pard\plain\s5\f0 x\par})", u"Arial", 300, false, false, PFA_LEFT},
      {"bold given before \\s", R"(\pard\plain\b\s5 x\par})", u"Times New Roman", 300, true, false, PFA_LEFT},
      {"bold from a group", R"(\pard\plain\s5 {\b x}\par})", u"Times New Roman", 300, true, false, PFA_LEFT},
      {"inherited underline", R"(\pard\plain\s11 x\par})", u"Times New Roman", 300, false, true, PFA_LEFT},
      {"own underline not repeated", R"(\pard\plain\s10 x\par})", u"Times New Roman", 300, false, false, PFA_LEFT},
      // The style's own character properties come from the text, which
      // repeats them; its paragraph properties apply.
      {"own properties not repeated", R"(\pard\plain\s6 x\par})", u"Times New Roman", 240, false, false, PFA_CENTER},
      {"own properties repeated", R"(\pard\plain\s6\b\fs20 x\par})", u"Times New Roman", 200, true, false, PFA_CENTER},
      {"no base: the defaults", R"(\pard\plain\s7 x\par})", u"Times New Roman", 240, false, false, PFA_LEFT},
      {"Normal's own size", R"(\pard\plain x\par})", u"Times New Roman", 240, false, false, PFA_LEFT},
      {"a base defined later is none", R"(\pard\plain\s8 x\par})", u"Times New Roman", 240, false, false, PFA_LEFT},
      {"\\pard returns to Normal", R"(\pard\plain\s6 a\pard x\par})", u"Times New Roman", 240, false, false, PFA_LEFT},
      {"an unknown style", R"(\pard\plain\s77 x\par})", u"Times New Roman", 240, false, false, PFA_LEFT},
  };
  for (const auto& c : cases) {
    const TextDocument doc = Read(std::string(kFonts) + kSheet + c.body);
    const size_t at = doc.text().find(u'x');
    ASSERT_NE(at, std::u16string::npos) << c.what;
    const CharFormat& f = doc.FormatAt(at);
    EXPECT_EQ(Utf8(f.face), Utf8(c.face)) << c.what;
    EXPECT_EQ(f.height, c.height) << c.what;
    EXPECT_EQ(f.Bold(), c.bold) << c.what;
    EXPECT_EQ(f.Has(CFE_UNDERLINE), c.underline) << c.what;
    EXPECT_EQ(doc.Paragraph(doc.ParagraphOf(at)).alignment, c.alignment) << c.what;
  }
}

TEST(RtfStyles, ParagraphsKeepTheirStyleNumbers) {
  const TextDocument doc = Read(std::string(kFonts) + kSheet + R"(\pard\plain\s6 a\par\pard\plain b\par\pard\s5 c})");
  ASSERT_EQ(doc.ParagraphCount(), 3u);
  EXPECT_EQ(doc.Paragraph(0).style, 6);
  EXPECT_EQ(doc.Paragraph(0).alignment, PFA_CENTER);
  EXPECT_EQ(doc.Paragraph(1).style, 0);
  EXPECT_EQ(doc.Paragraph(2).style, 5);
  EXPECT_EQ(doc.Paragraph(2).spaceAfter, 100);
}

TEST(RtfStyles, GroupsInsideAFontEntryBelongToIt) {
  // LibreOffice writes \falt in every file; Word writes \panose before the name.
  const TextDocument doc = Read(
      R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f3\froman\fprq2\fcharset0 Liberation Serif{\*\falt Times New Roman};})"
      R"({\f4\fmodern\fprq1\fcharset0{\*\panose 02070309020205020404}Courier New;}{\f5\fswiss Verdana;}})"
      R"(\f3 a\f4 b\f5 c\f0 d})");
  ASSERT_EQ(Utf8(doc.text()), "abcd");
  EXPECT_EQ(Utf8(doc.FormatAt(0).face), "Liberation Serif");
  EXPECT_EQ(doc.FormatAt(0).pitchAndFamily, FF_ROMAN | VARIABLE_PITCH);
  EXPECT_EQ(Utf8(doc.FormatAt(1).face), "Courier New");
  EXPECT_EQ(doc.FormatAt(1).pitchAndFamily, FF_MODERN | FIXED_PITCH);
  EXPECT_EQ(Utf8(doc.FormatAt(2).face), "Verdana");
  EXPECT_EQ(Utf8(doc.FormatAt(3).face), "Arial");
}

TEST(RtfStyles, AssociatedBoldAndItalicReachEastAsianText) {
  struct Case {
    const char* what;
    const char* body;
    bool bold;
    bool italic;
  };
  const Case cases[] = {
      {"bold", R"({\dbch\af8\ab \u31895?})", true, false},
      {"italic", R"({\dbch\af8\ai \u26012?})", false, true},
      {"both", R"({\dbch\af8\ab\ai \u31895?})", true, true},
      {"\\b0 after \\ab", R"({\dbch\af8\ab\b0 \u20013?})", false, false},
      {"\\ab0", R"(\b{\dbch\af8\ab0 \u20013?})", false, false},
      {"right-to-left text's bold", R"({\rtlch\ab\ltrch\dbch\af8 \u20013?})", false, false},
      {"\\b for every character", R"({\b\dbch\af8 \u20013?})", true, false},
  };
  for (const auto& c : cases) {
    const TextDocument doc = Read(std::string(kFonts) + R"(\pard\plain )" + c.body + "x}");
    ASSERT_EQ(doc.size(), 2u) << c.what;
    EXPECT_EQ(Utf8(doc.FormatAt(0).face), "SimSun") << c.what;
    EXPECT_EQ(doc.FormatAt(0).Bold(), c.bold) << c.what;
    EXPECT_EQ(doc.FormatAt(0).Has(CFE_ITALIC), c.italic) << c.what;
    // The Latin text after the group keeps its own.
    EXPECT_FALSE(doc.FormatAt(1).Has(CFE_ITALIC)) << c.what;
  }
  // In a style, for the text in that style.
  const TextDocument styled =
      Read(std::string(kFonts) + R"({\stylesheet{\s0\dbch\af8\ab Normal;}{\s5\sbasedon0 Body;}}\pard\plain\s5 \u20013?x})");
  EXPECT_EQ(Utf8(styled.FormatAt(0).face), "SimSun");
  EXPECT_TRUE(styled.FormatAt(0).Bold());
  EXPECT_FALSE(styled.FormatAt(1).Bold());
}

TEST(RtfStyles, RaisedAndLoweredTextIsWrittenInItsOwnGroup) {
  CharFormat plain;
  plain.face = u"Arial";
  plain.height = 240;
  CharFormat super = plain, sub = plain;
  super.effects |= CFE_SUPERSCRIPT;
  sub.effects |= CFE_SUBSCRIPT;
  TextDocument doc;
  doc.Append(u"x", plain);
  doc.Append(u"2", super);
  doc.Append(u" H", plain);
  doc.Append(u"2\r3", sub);
  doc.Append(u"O", plain);
  const std::string rtf = richedit::WriteRtf(doc);
  // LibreOffice starts a new paragraph at \super or \sub outside a group of their own.
  for (const char* word : {"\\super", "\\sub"}) {
    for (size_t at = rtf.find(word); at != std::string::npos; at = rtf.find(word, at + 1)) {
      EXPECT_EQ(rtf[at - 1], '{') << word << " in " << rtf;
    }
  }
  TextDocument back;
  ASSERT_TRUE(richedit::ReadRtf(richtest::Bytes(rtf), back));
  ASSERT_EQ(Utf8(back.text()), "x2 H2\n3O");
  for (size_t cp = 0; cp < back.size(); ++cp) EXPECT_EQ(back.FormatAt(cp), doc.FormatAt(cp)) << cp << " in " << rtf;
}

TEST(RtfStyles, StyleNumbersAreWrittenAndReadBack) {
  CharFormat f;
  f.face = u"Arial";
  f.height = 240;
  TextDocument doc;
  ParaFormat styled;
  styled.style = 5;
  styled.alignment = PFA_CENTER;
  doc.Append(u"heading", f);
  doc.EndParagraph(styled);
  doc.Append(u"body", f);
  ParaFormat body;
  body.style = 12;
  body.spaceAfter = 120;
  doc.SetLastParagraph(body);
  TextDocument back;
  ASSERT_TRUE(richedit::ReadRtf(richtest::Bytes(richedit::WriteRtf(doc)), back));
  ASSERT_EQ(back.ParagraphCount(), 2u);
  EXPECT_EQ(back.Paragraph(0), doc.Paragraph(0));
  EXPECT_EQ(back.Paragraph(1), doc.Paragraph(1));
}

}  // namespace
