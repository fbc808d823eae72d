// The document model without a window: edits, formats by range, paragraphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richedit::CharFormat;
using richedit::ParaFormat;
using richedit::TextDocument;
using richtest::Utf8;

TextDocument ThreeParagraphs() {
  TextDocument doc;
  ParaFormat centred, right, justified;
  centred.alignment = PFA_CENTER;
  right.alignment = PFA_RIGHT;
  justified.alignment = PFA_JUSTIFY;
  doc.Append(u"one", CharFormat{});
  doc.EndParagraph(centred);
  doc.Append(u"two", CharFormat{});
  doc.EndParagraph(right);
  doc.Append(u"three", CharFormat{});
  doc.SetLastParagraph(justified);
  return doc;
}

TEST(RichDocument, ReplaceKeepsParagraphsInStep) {
  struct Case {
    const char* what;
    size_t cpMin, cpMax;
    const char16_t* text;
    const char* expected;
    std::vector<WORD> alignments;
  };
  const Case cases[] = {
      {"insert inside a paragraph", 1, 1, u"X", "oXne\ntwo\nthree", {PFA_CENTER, PFA_RIGHT, PFA_JUSTIFY}},
      {"split a paragraph", 1, 1, u"\r", "o\nne\ntwo\nthree", {PFA_CENTER, PFA_CENTER, PFA_RIGHT, PFA_JUSTIFY}},
      {"join two paragraphs", 3, 4, u"", "onetwo\nthree", {PFA_CENTER, PFA_JUSTIFY}},
      {"remove across all", 2, 10, u"-", "on-ree", {PFA_CENTER}},
      {"replace everything", 0, 100, u"new", "new", {PFA_CENTER}},
      {"append at the end", 13, 13, u"\rfour", "one\ntwo\nthree\nfour",
       {PFA_CENTER, PFA_RIGHT, PFA_JUSTIFY, PFA_JUSTIFY}},
      {"a range past the end is clamped", 50, 60, u"!", "one\ntwo\nthree!", {PFA_CENTER, PFA_RIGHT, PFA_JUSTIFY}},
      {"a reversed range is clamped", 5, 2, u"", "one\ntwo\nthree", {PFA_CENTER, PFA_RIGHT, PFA_JUSTIFY}},
  };
  for (const auto& c : cases) {
    TextDocument doc = ThreeParagraphs();
    doc.Replace(c.cpMin, c.cpMax, c.text, CharFormat{});
    EXPECT_EQ(Utf8(doc.text()), c.expected) << c.what;
    ASSERT_EQ(doc.ParagraphCount(), c.alignments.size()) << c.what;
    for (size_t p = 0; p < c.alignments.size(); ++p) EXPECT_EQ(doc.Paragraph(p).alignment, c.alignments[p]) << c.what;
    EXPECT_TRUE(doc.Valid()) << c.what;
  }
}

TEST(RichDocument, CharacterFormatsByRange) {
  TextDocument doc = ThreeParagraphs();
  CHARFORMAT2W bold{};
  bold.cbSize = sizeof bold;
  bold.dwMask = CFM_BOLD;
  bold.dwEffects = CFE_BOLD;
  doc.SetCharFormat(1, 6, reinterpret_cast<const CHARFORMATW&>(bold));
  EXPECT_FALSE(doc.FormatAt(0).Bold());
  EXPECT_TRUE(doc.FormatAt(1).Bold());
  EXPECT_TRUE(doc.FormatAt(5).Bold());
  EXPECT_FALSE(doc.FormatAt(6).Bold());
  DWORD same = 0;
  doc.GetCharFormat(0, 3, &same);
  EXPECT_EQ(same & CFM_BOLD, 0u);
  EXPECT_NE(same & CFM_FACE, 0u);
  doc.GetCharFormat(1, 6, &same);
  EXPECT_NE(same & CFM_BOLD, 0u);
  EXPECT_EQ(doc.runs().size(), 3u);  // split into plain, bold, plain and nothing more

  // The structure's size says how far it is read; an unknown size does nothing.
  CHARFORMATW small{};
  small.cbSize = sizeof small;
  small.dwMask = CFM_SIZE | CFM_WEIGHT;  // CFM_WEIGHT is past a CHARFORMATW: ignored
  small.yHeight = 400;
  doc.SetCharFormat(0, 1, small);
  EXPECT_EQ(doc.FormatAt(0).height, 400);
  EXPECT_EQ(doc.FormatAt(0).weight, FW_NORMAL);
  CHARFORMATW wrong = small;
  wrong.cbSize = 50;
  wrong.yHeight = 999;
  doc.SetCharFormat(0, 1, wrong);
  EXPECT_EQ(doc.FormatAt(0).height, 400);
}

TEST(RichDocument, StructuresKeepTheirDocumentedBytes) {
  richedit::CharFormat f;
  f.face = u"Arial";
  f.height = 200;
  richedit::SetEffect(f, CFE_BOLD, true);
  // A CHARFORMATW filled into a bigger buffer writes only its 92 bytes.
  unsigned char buffer[sizeof(CHARFORMAT2W) + 8];
  std::fill(std::begin(buffer), std::end(buffer), 0xAB);
  const UINT size = sizeof(CHARFORMATW);
  std::memcpy(buffer, &size, 4);
  ASSERT_TRUE(richedit::FillCharFormat(f, reinterpret_cast<CHARFORMATW*>(buffer)));
  for (size_t i = sizeof(CHARFORMATW); i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], 0xAB) << i;
  CHARFORMAT2A a{};
  a.cbSize = sizeof a;
  ASSERT_TRUE(richedit::FillCharFormatA(f, reinterpret_cast<CHARFORMATA*>(&a), 1252));
  EXPECT_STREQ(a.szFaceName, "Arial");
  EXPECT_EQ(a.wWeight, FW_BOLD);
  EXPECT_EQ(a.dwEffects & CFE_BOLD, CFE_BOLD);

  PARAFORMAT2 p{};
  p.cbSize = sizeof p;
  p.dwMask = PFM_ALIGNMENT | PFM_TABSTOPS | PFM_LINESPACING | PFM_OFFSETINDENT;
  p.wAlignment = PFA_CENTER;
  p.cTabCount = 40;  // more than there is room for: only 32 are read
  for (int i = 0; i < MAX_TAB_STOPS; ++i) p.rgxTabs[i] = (i + 1) * 100 | (TAB_RIGHT << 24);
  p.bLineSpacingRule = LINESPACING_EXACTLY;
  p.dyLineSpacing = 300;
  p.dxStartIndent = 50;
  ParaFormat pf;
  pf.startIndent = 100;
  ASSERT_TRUE(richedit::ApplyParaFormat(pf, &p));
  EXPECT_EQ(pf.alignment, PFA_CENTER);
  ASSERT_EQ(pf.tabs.size(), 32u);
  EXPECT_EQ(pf.tabs[3].position, 400);
  EXPECT_EQ(pf.tabs[3].alignment, TAB_RIGHT);
  EXPECT_EQ(pf.startIndent, 150);
  EXPECT_EQ(pf.lineSpacingRule, LINESPACING_EXACTLY);
  PARAFORMAT2 out{};
  out.cbSize = sizeof out;
  ASSERT_TRUE(richedit::FillParaFormat(pf, &out));
  EXPECT_EQ(out.rgxTabs[3], 400 | (TAB_RIGHT << 24));
  EXPECT_EQ(out.dyLineSpacing, 300);
}

}  // namespace
