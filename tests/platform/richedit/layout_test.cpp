// Line layout as tables of cases, measured by a measurer with fixed widths:
// where lines break, where tabs go, indents, alignment, justification and
// line heights for each spacing rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/richedit/layout.h"
#include "platform/richedit/plain_text.h"
#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richedit::CharFormat;
using richedit::Layout;
using richedit::ParaFormat;
using richedit::TextDocument;
using richtest::Utf16;
using richtest::Utf8;

// Letters 10 units, blanks 5, ideographs 20 (a surrogate pair 20 in all);
// 10 units a point: a 10-point font has ascent 16 and descent 4.
class FixedMeasurer : public richedit::TextMeasurer {
 public:
  richedit::FontMetrics Metrics(const CharFormat& f) override { return {f.height * 8 / 100, f.height * 2 / 100}; }
  void Advances(const CharFormat&, std::u16string_view text, std::vector<int>& advances) override {
    advances.clear();
    for (char16_t c : text) {
      advances.push_back(c == u' '                                ? 5
                         : richedit::IsTrailSurrogate(c)          ? 0
                         : richedit::IsIdeographic(c) || c > 0x2E80 ? 20
                                                                  : 10);
    }
  }
  double UnitsPerTwipX() const override { return 0.1; }
  double UnitsPerTwipY() const override { return 0.1; }
};

TextDocument Doc(const char* utf8, const ParaFormat& pf = {}) {
  TextDocument doc;
  CharFormat f;
  f.height = 200;
  doc.Append(richedit::ImportLineEnds(Utf16(utf8)), f);
  for (size_t p = 0; p < doc.ParagraphCount(); ++p) {
    PARAFORMAT2 all{};
    all.cbSize = sizeof all;
    richedit::FillParaFormat(pf, &all);
    doc.SetParaFormat(doc.ParagraphStart(p), doc.ParagraphStart(p), reinterpret_cast<const PARAFORMAT&>(all));
  }
  return doc;
}

Layout Lay(const TextDocument& doc, int width) {
  FixedMeasurer m;
  richedit::LayoutOptions o;
  o.width = width;
  return richedit::LayOut(doc, m, o);
}

std::vector<std::string> Lines(const TextDocument& doc, const Layout& layout) {
  std::vector<std::string> out;
  for (const auto& line : layout.lines) {
    out.push_back(Utf8(doc.text().substr(line.start, line.end - line.start)));
  }
  return out;
}

TEST(RichLayout, WhereLinesBreak) {
  struct Case {
    const char* what;
    const char* text;
    int width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"one line when it fits", "aaa bbb", 100, {"aaa bbb"}},
      {"at the last blank", "aaa bbb ccc", 75, {"aaa bbb ", "ccc"}},
      {"trailing blanks hang past the edge", "aaa    bbb", 32, {"aaa    ", "bbb"}},
      {"a word longer than the line is cut", "aaaaaaaaaa", 35, {"aaa", "aaa", "aaa", "a"}},
      {"at least one character a line", "abc", 5, {"a", "b", "c"}},
      {"between ideographs", "中中中中", 50, {"中中", "中中"}},
      {"closing punctuation stays with what it closes", "中中。中", 50, {"中", "中。", "中"}},
      {"opening punctuation stays with what it opens", "中（中中", 50, {"中", "（中", "中"}},
      {"latin word then ideographs", "ab中中", 50, {"ab中", "中"}},
      {"after a hyphen", "aa-bb", 45, {"aa-", "bb"}},
      {"never inside a surrogate pair", "a😀b", 25, {"a", "😀", "b"}},
      {"a pair never starts a cut line half-way", "😀😀", 25, {"😀", "😀"}},
      {"paragraphs", "aa\nbb", 100, {"aa\n", "bb"}},
      {"a line break", "aa\vbb", 100, {"aa\v", "bb"}},
      {"an empty paragraph is a line", "aa\n\nbb", 100, {"aa\n", "\n", "bb"}},
  };
  for (const auto& c : cases) {
    const TextDocument doc = Doc(c.text);
    EXPECT_EQ(Lines(doc, Lay(doc, c.width)), c.lines) << c.what;
  }
}

TEST(RichLayout, TabPositions) {
  struct Case {
    const char* what;
    const char* text;
    std::vector<richedit::TabStop> tabs;
    int xAfterTab;  // where the text after the (last) tab starts
  };
  const Case cases[] = {
      {"default stops every half inch", "a\tb", {}, 72},
      {"the second default stop", "aaaaaaaa\tb", {}, 144},
      {"a left stop", "a\tb", {{500, TAB_LEFT}}, 50},
      {"a stop already passed is skipped", "aaaaaa\tb", {{500, TAB_LEFT}, {1000, TAB_LEFT}}, 100},
      {"past the last stop, default stops after it", "aaaaaa\tb", {{500, TAB_LEFT}}, 122},
      {"a right stop", "a\tbb", {{1440, TAB_RIGHT}}, 124},
      {"a centre stop", "a\tbb", {{1440, TAB_CENTER}}, 134},
      {"a decimal stop", "a\t12.5", {{1440, TAB_DECIMAL}}, 124},
      {"a decimal stop without a point", "a\t12", {{1440, TAB_DECIMAL}}, 124},
  };
  for (const auto& c : cases) {
    ParaFormat pf;
    pf.tabs = c.tabs;
    const TextDocument doc = Doc(c.text, pf);
    const Layout layout = Lay(doc, 1000);
    ASSERT_EQ(layout.lines.size(), 1u) << c.what;
    const size_t tab = doc.text().rfind(u'\t');
    int x = 0;
    for (const auto& piece : layout.lines[0].pieces) {
      int px = piece.x;
      for (size_t i = 0; i < piece.length; ++i) {
        if (piece.start + i == tab + 1) x = px;
        px += piece.advances[i];
      }
    }
    EXPECT_EQ(x, c.xAfterTab) << c.what;
  }
}

TEST(RichLayout, IndentsAndAlignment) {
  struct Case {
    const char* what;
    ParaFormat pf;
    std::vector<int> lefts;  // of each line of "aaa bbb ccc aaaaaa" at width 100
  };
  auto para = [](auto change) {
    ParaFormat p;
    change(p);
    return p;
  };
  const Case cases[] = {
      {"left", ParaFormat{}, {0, 0}},
      {"first-line indent", para([](ParaFormat& p) { p.startIndent = 200, p.offset = -200; }), {20, 0}},
      {"every line indented", para([](ParaFormat& p) { p.startIndent = 200; }), {20, 20, 20}},
      {"hanging indent", para([](ParaFormat& p) { p.startIndent = 0, p.offset = 300; }), {0, 30}},
      {"right", para([](ParaFormat& p) { p.alignment = PFA_RIGHT; }), {0, 40}},
      {"right with a right indent", para([](ParaFormat& p) { p.alignment = PFA_RIGHT, p.rightIndent = 100; }),
       {25, 60, 30}},
      {"centre", para([](ParaFormat& p) { p.alignment = PFA_CENTER; }), {0, 20}},
  };
  for (const auto& c : cases) {
    const TextDocument doc = Doc("aaa bbb ccc aaaaaa", c.pf);
    const Layout layout = Lay(doc, 100);
    std::vector<int> lefts;
    for (const auto& line : layout.lines) lefts.push_back(line.left);
    EXPECT_EQ(lefts, c.lefts) << c.what;
  }
}

TEST(RichLayout, JustificationSpreadsTheBlanks) {
  ParaFormat pf;
  pf.alignment = PFA_JUSTIFY;
  // "aa bb cc dd" at 60: "aa bb " (ink 45) and "cc dd", the last line as it is.
  const TextDocument doc = Doc("aa bb cc dd", pf);
  const Layout layout = Lay(doc, 60);
  ASSERT_EQ(Lines(doc, layout), (std::vector<std::string>{"aa bb ", "cc dd"}));
  std::vector<int> first, last;
  for (const auto& p : layout.lines[0].pieces) first.insert(first.end(), p.advances.begin(), p.advances.end());
  for (const auto& p : layout.lines[1].pieces) last.insert(last.end(), p.advances.begin(), p.advances.end());
  EXPECT_EQ(first, (std::vector<int>{10, 10, 20, 10, 10, 5}));  // the inner blank takes the 15 left over
  EXPECT_EQ(last, (std::vector<int>{10, 10, 5, 10, 10}));
  EXPECT_EQ(layout.lines[0].width, 60);

  // Several blanks share what is left, the first ones one unit more.
  const TextDocument three = Doc("a a a a aaaaaaaaaaaa", pf);
  const Layout spread = Lay(three, 47);
  std::vector<int> advances;
  for (const auto& p : spread.lines[0].pieces) advances.insert(advances.end(), p.advances.begin(), p.advances.end());
  EXPECT_EQ(advances, (std::vector<int>{10, 9, 10, 8, 10, 5}));  // "a a a " and 47 - 40 = 7 over two blanks
}

TEST(RichLayout, LineHeightsForEachSpacingRule) {
  struct Case {
    const char* what;
    BYTE rule;
    LONG spacing;
    int height;  // a 10-point line: ascent 16, descent 4
  };
  const Case cases[] = {
      {"single", LINESPACING_SINGLE, 0, 20},
      {"one and a half", LINESPACING_ONEANDHALF, 0, 30},
      {"double", LINESPACING_DOUBLE, 0, 40},
      {"at least more", LINESPACING_ATLEAST, 300, 30},
      {"at least less", LINESPACING_ATLEAST, 100, 20},
      {"exactly", LINESPACING_EXACTLY, 150, 15},
      {"multiple of 1.25", LINESPACING_MULTIPLE, 25, 25},
  };
  for (const auto& c : cases) {
    ParaFormat pf;
    pf.lineSpacingRule = c.rule;
    pf.lineSpacing = c.spacing;
    const TextDocument doc = Doc("aa bb", pf);
    const Layout layout = Lay(doc, 1000);
    ASSERT_EQ(layout.lines.size(), 1u);
    EXPECT_EQ(layout.lines[0].height, c.height) << c.what;
    EXPECT_EQ(layout.lines[0].baseline, c.height - 4) << c.what;  // extra room goes above the text
    EXPECT_EQ(layout.height, c.height) << c.what;
  }
}

TEST(RichLayout, ParagraphSpacingAndMixedSizes) {
  ParaFormat pf;
  pf.spaceBefore = 100;
  pf.spaceAfter = 200;
  TextDocument doc = Doc("aa\nbb", pf);
  Layout layout = Lay(doc, 1000);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.lines[0].top, 10);
  EXPECT_EQ(layout.lines[1].top, 10 + 20 + 20 + 10);
  EXPECT_EQ(layout.height, 2 * (10 + 20 + 20));

  // A bigger font on the line raises its height and baseline.
  CharFormat big;
  big.height = 400;
  doc = Doc("aa bb");
  doc.SetCharFormat(3, 5, big);
  layout = Lay(doc, 1000);
  EXPECT_EQ(layout.lines[0].height, 40);
  EXPECT_EQ(layout.lines[0].baseline, 32);
}

TEST(RichLayout, ARangeStopsAtItsHeight) {
  const TextDocument doc = Doc("aa\nbb\ncc\ndd");
  FixedMeasurer m;
  richedit::LayoutOptions o;
  o.width = 100;
  o.maxHeight = 45;
  o.firstParagraph = 1;
  o.firstCp = 3;
  const Layout layout = richedit::LayOut(doc, m, o);
  EXPECT_EQ(Lines(doc, layout), (std::vector<std::string>{"bb\n", "cc\n"}));
}

}  // namespace
