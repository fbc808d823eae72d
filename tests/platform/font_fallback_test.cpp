// Characters a font's face lacks come from whichever installed face holds
// them, one character at a time, as the system's font linking finds them:
// each is drawn exactly as the face that holds it draws it when asked for by
// name. The rows name characters that, of the tests' fonts, only one family
// holds (fc-list ':charset=...' under the tests' fontconfig configuration).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/gdi/font_engine.h"
#include "tests/fontconfig_oracle.h"

namespace {

using tav::font::FontRequest;
using tav::font::GlyphImage;
using tav::font::RealizedFont;

FontRequest Request(std::u16string face, int height, int weight) {
  FontRequest r;
  r.face = std::move(face);
  r.height = height;
  r.weight = weight;
  return r;
}

struct LinkedCase {
  char32_t ch;
  const char* what;
  std::u16string holder;  // the one family of the tests' fonts that has it
  int weight;
};

const std::vector<LinkedCase>& LinkedCases() {
  static const std::vector<LinkedCase> cases{
      {U'\u2336', "APL I-beam, a symbol of the monospaced face only", u"DejaVu Sans Mono", 400},
      {U'\u2900', "an arrow of the serif face only", u"DejaVu Serif", 400},
      {U'\U0001D5D4', "a mathematical bold letter beyond 16 bits, in the bold face only", u"DejaVu Sans", 700},
  };
  return cases;
}

std::string Utf8(const std::u16string& ascii) { return std::string(ascii.begin(), ascii.end()); }

bool SamePixels(const GlyphImage& a, const GlyphImage& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height && a.coverage == b.coverage;
}

TEST(FontLinking, ACharacterTheFaceLacksIsDrawnByTheFaceThatHoldsIt) {
  for (const LinkedCase& c : LinkedCases()) {
    SCOPED_TRACE(c.what);
    // fontconfig itself: the character is in the holder's faces and no others.
    char pattern[32];
    std::snprintf(pattern, sizeof pattern, ":charset=%x", static_cast<unsigned>(c.ch));
    const std::string families = FcListFamilies(pattern);
    ASSERT_FALSE(families.empty()) << pattern;
    for (size_t at = 0; at < families.size(); at = families.find('\n', at) + 1)
      ASSERT_EQ(families.compare(at, families.find('\n', at) - at, Utf8(c.holder)), 0) << families;
    for (const bool antialias : {false, true}) {
      auto arial = RealizedFont::Get(Request(u"Arial", -30, c.weight), {}, antialias);
      auto holder = RealizedFont::Get(Request(c.holder, -30, c.weight), {}, antialias);
      ASSERT_TRUE(arial && holder);
      EXPECT_EQ(arial->source().family, u"Liberation Sans");
      EXPECT_TRUE(arial->HasGlyph(c.ch));
      const auto linked = arial->Glyph(c.ch);
      const auto own = holder->Glyph(c.ch);
      EXPECT_GT(own->width * own->height, 20);
      EXPECT_TRUE(SamePixels(*linked, *own)) << "drawn as the holding face draws it";
      EXPECT_EQ(arial->Advance(c.ch), holder->Advance(c.ch));
    }
  }
}

TEST(FontLinking, UtfSixteenRunsFindLinkedCharactersToo) {
  auto font = RealizedFont::Get(Request(u"Times New Roman", -24, 400), {}, true);
  const std::u16string text = u"a\u2336\U0001D5D4b";
  std::vector<const GlyphImage*> glyphs(text.size());
  font->Glyphs(text, glyphs);
  ASSERT_EQ(text.size(), 5u);
  EXPECT_EQ(glyphs[1], font->Glyph(U'\u2336').get());
  EXPECT_EQ(glyphs[2], font->Glyph(U'\U0001D5D4').get());
  EXPECT_EQ(glyphs[3], nullptr) << "the pair's second unit";
  EXPECT_TRUE(font->HasGlyph(U'\u2336'));
  EXPECT_TRUE(font->HasGlyph(U'\U0001D5D4'));
}

TEST(FontLinking, ACharacterNoFaceHoldsStaysMissing) {
  // Thai: none of the tests' fonts has it.
  ASSERT_EQ(FcListFamilies(":charset=e01"), "") << "a face holds U+0E01";
  auto font = RealizedFont::Get(Request(u"Arial", -24, 400), {}, true);
  EXPECT_FALSE(font->HasGlyph(U'\u0e01'));
  EXPECT_TRUE(font->HasGlyph(U'A'));
}

}  // namespace
