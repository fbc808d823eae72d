#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/uifonts/text_lines.h"
#include "tests/foundation/gdi_helpers_test_util.h"

namespace {

class TextLines : public ::testing::Test {
 protected:
  TextLines() : canvas_(700, 300) {
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = -14;
    font_ = CreateFontIndirect(&lf);
    old_ = SelectObject(canvas_.dc(), font_);
  }
  ~TextLines() override {
    SelectObject(canvas_.dc(), old_);
    DeleteObject(font_);
  }
  int Width(const char* s) {
    SIZE size{};
    GetTextExtentPoint32A(canvas_.dc(), s, static_cast<int>(std::strlen(s)), &size);
    return size.cx;
  }
  std::vector<std::string> Lay(const char* text, int maxWidth, int indent = 0, int align = kAlignLeft,
                               bool noHang = false, std::vector<RECT>* rects = nullptr, SIZE* size = nullptr) {
    AArray<AString> lines;
    ATypedArray<RECT> r;
    int lineHeight = 0;
    const SIZE s = LayoutTextLines(canvas_.dc(), maxWidth, AString(text), &lines, &r, &lineHeight, 0.0, true, indent,
                                   align, noHang);
    if (size) *size = s;
    std::vector<std::string> out;
    for (int i = 0; i < lines.GetSize(); ++i) out.emplace_back(lines[i].GetData(), lines[i].GetLength());
    if (rects)
      for (int i = 0; i < r.GetSize(); ++i) rects->push_back(r[i]);
    return out;
  }

  TestCanvas canvas_;
  HFONT font_;
  HGDIOBJ old_;
};

using Lines = std::vector<std::string>;

TEST_F(TextLines, BreaksAndWraps) {
  const int fitsTwoWords = Width("alpha beta") + 1;
  const struct {
    const char* text;
    int width;
    Lines lines;
  } cases[] = {
      {"one\ntwo\r\nthree\rfour", 600, {"one", "two", "three", "four"}},
      {"alpha beta gamma", fitsTwoWords, {"alpha beta", "gamma"}},
      {"alpha beta    gamma", fitsTwoWords, {"alpha beta", "gamma"}},  // blanks at the cut are dropped
      {"a\n\nb", 600, {"a", "", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Lay(c.text, c.width), c.lines) << c.text;
}

TEST_F(TextLines, AWordWiderThanTheLineIsCutInside) {
  const Lines lines = Lay("abcdefghijklmnopqrstuvwxyz", Width("abcdefghij"));
  ASSERT_GE(lines.size(), 2u);
  std::string joined;
  for (const auto& l : lines) {
    EXPECT_LE(Width(l.c_str()), Width("abcdefghij"));
    joined += l;
  }
  EXPECT_EQ(joined, "abcdefghijklmnopqrstuvwxyz");
}

TEST_F(TextLines, ClosingPunctuationMayOverhang) {
  const int width = Width("alpha beta") + 1;
  EXPECT_EQ(Lay("alpha beta.", width), Lines{"alpha beta."});
  EXPECT_EQ(Lay("alpha beta.", width, 0, kAlignLeft, true), (Lines{"alpha", "beta."}));
}

TEST_F(TextLines, IndentsAlignmentAndSize) {
  const char* text = "one two three four five six seven eight nine ten eleven twelve";
  const int maxWidth = Width("one two three four") + 2;
  std::vector<RECT> rects;
  SIZE size{};
  const Lines hanging = Lay(text, maxWidth, -20, kAlignLeft, false, &rects, &size);
  ASSERT_GE(hanging.size(), 3u);
  EXPECT_EQ(rects[0].left, 0);
  for (size_t i = 1; i < rects.size(); ++i) {
    EXPECT_EQ(rects[i].left, 20);
    EXPECT_LE(rects[i].right, maxWidth);
    EXPECT_NE(hanging[i][0], ' ');
  }
  int lineHeight = 0;
  SIZE blank{};
  GetTextExtentPoint32A(canvas_.dc(), " ", 1, &blank);
  LayoutTextLines(canvas_.dc(), maxWidth, AString(text), nullptr, nullptr, &lineHeight, 0.5, true, 0, 3, false);
  EXPECT_EQ(lineHeight, static_cast<int>(blank.cy * 1.5));
  EXPECT_EQ(size.cy, static_cast<LONG>(hanging.size()) * blank.cy);

  rects.clear();
  Lay(text, maxWidth, 15, kAlignLeft, false, &rects);
  EXPECT_EQ(rects[0].left, 15);
  EXPECT_EQ(rects[1].left, 0);

  rects.clear();
  Lay(text, maxWidth, 0, kAlignRight, false, &rects);
  for (const RECT& r : rects) EXPECT_EQ(r.right, maxWidth);
  rects.clear();
  Lay(text, maxWidth, 0, kAlignCentre, false, &rects);
  for (const RECT& r : rects) EXPECT_LE(std::abs((r.left - 0) - (maxWidth - r.right)), 1);
}

TEST_F(TextLines, JustifiedLinesWidenAtTheirBlanks) {
  const char* text = "aa bb cc dd ee ff gg hh ii jj kk";
  const int maxWidth = Width("aa bb cc dd e");
  std::vector<RECT> rects;
  const Lines lines = Lay(text, maxWidth, 0, kAlignJustify, false, &rects);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_GT(lines[0].size(), std::string("aa bb cc dd").size());  // blanks were added
  EXPECT_LE(rects[0].right, maxWidth);
  EXPECT_GT(rects[0].right - rects[0].left, Width("aa bb cc dd"));
}

TEST_F(TextLines, EmptyTextAndDrawing) {
  AArray<AString> lines;
  const SIZE empty = LayoutTextLines(canvas_.dc(), 300, AString(""), &lines, nullptr, nullptr, 0, false, 0, 3, false);
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(lines.GetSize(), 0);
  const SIZE drawn = LayoutTextLines(canvas_.dc(), 300, AString("Drawn text that wraps onto a second line here"),
                                     nullptr, nullptr, nullptr, 0, false, 0, 3, false);
  const RECT ink = canvas_.BoundsNot(RGB(255, 255, 255));
  EXPECT_GT(ink.bottom - ink.top, drawn.cy / 2);
  EXPECT_LE(ink.right, 300);
  EXPECT_LE(ink.bottom, drawn.cy + 2);
}

}  // namespace
