#include <algorithm>
#include <map>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gdi/font_engine.h"

namespace {

using tav::font::FontRequest;
using tav::font::Matrix;
using tav::font::RealizedFont;

FontRequest Face(std::u16string face, int height, uint8_t charset = tav::font::kDefaultCharset) {
  FontRequest r;
  r.face = std::move(face);
  r.height = height;
  r.charset = charset;
  return r;
}

struct StandInCase {
  std::u16string face;
  std::u16string family;
};

TEST(FontEngine, CommonFacesResolveToMetricCompatibleFamilies) {
  const std::vector<StandInCase> cases{
      {u"Arial", u"Liberation Sans"},
      {u"arial", u"Liberation Sans"},
      {u"Times New Roman", u"Liberation Serif"},
      {u"Courier New", u"Liberation Mono"},
      {u"MS Sans Serif", u"DejaVu Sans"},
      {u"No Such Face 123", u"Liberation Sans"},
  };
  for (const auto& c : cases) {
    auto src = tav::font::ResolveFace(Face(c.face, -12));
    EXPECT_EQ(src.family, c.family) << std::string(c.face.begin(), c.face.end());
    EXPECT_FALSE(src.file.empty());
  }
}

TEST(FontEngine, ChineseCharsetAndChineseFaceNamesPickACjkFamily) {
  for (const auto& req : {Face(u"Arial", -12, tav::font::kGb2312Charset), Face(u"\u5b8b\u4f53", -12),
                          Face(u"", -12, tav::font::kBig5Charset), Face(u"MS Gothic", -12)}) {
    auto font = RealizedFont::Get(req, {}, false);
    ASSERT_TRUE(font);
    EXPECT_NE(font->source().family.find(u"WenQuanYi"), std::u16string::npos);
  }
}

// Arial's published horizontal metrics (units of 2048 per em), which Liberation
// Sans keeps: 'W' 1933, 'i' 455, 'A' 1366, 'a' 1139, space 569, 'm' 1706;
// usWinAscent 1854, usWinDescent 434, xAvgCharWidth 904.
TEST(FontEngine, ArialAdvancesFollowArialMetrics) {
  auto font = RealizedFont::Get(Face(u"Arial", -64), {}, false);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->faceName(), u"Arial");
  EXPECT_EQ(font->Advance(U'W'), 60);  // 1933 / 32 = 60.4
  EXPECT_EQ(font->Advance(U'i'), 14);  // 14.2
  EXPECT_EQ(font->Advance(U'A'), 43);  // 42.7
  EXPECT_EQ(font->Advance(U'a'), 36);  // 35.6
  EXPECT_EQ(font->Advance(U' '), 18);  // 17.8
  EXPECT_EQ(font->Advance(U'm'), 53);  // 53.3
  const auto& m = font->metrics();
  EXPECT_EQ(m.ascent, 58);  // 57.9
  EXPECT_EQ(m.descent, 14); // 13.6
  EXPECT_EQ(m.height, 72);
  EXPECT_EQ(m.internalLeading, 8);
  EXPECT_EQ(m.aveCharWidth, 28);  // 28.25
}

TEST(FontEngine, PositiveHeightIsTheCellHeight) {
  for (int h : {10, 13, 16, 33, 100}) {
    auto font = RealizedFont::Get(Face(u"Arial", h), {}, false);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->metrics().height, h);
    EXPECT_GT(font->metrics().internalLeading, 0);
  }
}

TEST(FontEngine, WidthSetsTheAverageCharacterWidth) {
  FontRequest narrow = Face(u"Arial", -64);
  narrow.width = 14;
  auto font = RealizedFont::Get(narrow, {}, false);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->metrics().aveCharWidth, 14);
  EXPECT_EQ(font->metrics().height, 72);
  EXPECT_EQ(font->Advance(U'W'), 30);  // half of the natural 60.4
}

TEST(FontEngine, MappingScaleSizesTheFontInDevicePixels) {
  auto font = RealizedFont::Get(Face(u"Arial", -32), Matrix{2, 0, 0, 2}, false);
  ASSERT_TRUE(font);
  EXPECT_DOUBLE_EQ(font->scale(), 2.0);
  EXPECT_EQ(font->Advance(U'W'), 60);
  EXPECT_EQ(font->metrics().height, 72);
}

TEST(FontEngine, SyntheticBoldWidensWhenTheFaceHasNoBold) {
  FontRequest regular = Face(u"WenQuanYi Micro Hei", -32);
  FontRequest bold = regular;
  bold.weight = 700;
  auto r = RealizedFont::Get(regular, {}, false);
  auto b = RealizedFont::Get(bold, {}, false);
  ASSERT_TRUE(r && b);
  EXPECT_EQ(b->Advance(U'H'), r->Advance(U'H') + 1);
  // Liberation Sans has a real bold face: no synthetic widening, its own metrics.
  FontRequest arialBold = Face(u"Arial", -32);
  arialBold.weight = 700;
  auto ab = RealizedFont::Get(arialBold, {}, false);
  EXPECT_EQ(ab->metrics().weight, 700);
  EXPECT_NE(ab->source().file.find("Bold"), std::string::npos);
}

int Inked(const tav::font::GlyphImage& g) {
  return static_cast<int>(std::count_if(g.coverage.begin(), g.coverage.end(), [](uint8_t v) { return v > 0; }));
}

TEST(FontEngine, MonochromeGlyphsHaveOnlyFullCoverage) {
  auto font = RealizedFont::Get(Face(u"Arial", -20), {}, false);
  auto g = font->Glyph(U'O');
  ASSERT_GT(Inked(*g), 10);
  for (uint8_t v : g->coverage) EXPECT_TRUE(v == 0 || v == 255);
  auto grey = RealizedFont::Get(Face(u"Arial", -20), {}, true)->Glyph(U'O');
  EXPECT_TRUE(std::any_of(grey->coverage.begin(), grey->coverage.end(), [](uint8_t v) { return v > 0 && v < 255; }));
}

TEST(FontEngine, EscapementTurnsGlyphsAndBaseline) {
  FontRequest up = Face(u"Arial", -40);
  up.escapement = 900;
  auto font = RealizedFont::Get(up, {}, false);
  EXPECT_NEAR(font->baseX(), 0.0, 1e-9);
  EXPECT_NEAR(font->baseY(), -1.0, 1e-9);
  auto flat = RealizedFont::Get(Face(u"Arial", -40), {}, false)->Glyph(U'-');
  auto turned = font->Glyph(U'-');
  EXPECT_GT(flat->width, flat->height);
  EXPECT_GT(turned->height, turned->width);
}

TEST(FontEngine, MissingGlyphsComeFromTheCjkFallback) {
  auto font = RealizedFont::Get(Face(u"Arial", -24), {}, false);
  EXPECT_TRUE(font->HasGlyph(U'\u4e2d'));
  EXPECT_GT(Inked(*font->Glyph(U'\u4e2d')), 20);
  EXPECT_GT(font->Advance(U'\u4e2d'), 20);
}

// Four threads realising and drawing the same fonts at once (sizes no other
// test here uses) agree with each other and with one thread afterwards on
// every advance and every glyph's pixels.
TEST(FontEngine, ConcurrentUseIsSafe) {
  using Key = std::tuple<int, bool, char32_t>;
  auto measure = [](const Key& key) {
    auto font = RealizedFont::Get(Face(u"Arial", -std::get<0>(key)), {}, std::get<1>(key));
    return std::pair<int, int>(font->Advance(std::get<2>(key)), Inked(*font->Glyph(std::get<2>(key))));
  };
  std::vector<std::map<Key, std::pair<int, int>>> seen(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([t, &seen, &measure] {
      for (int i = 0; i < 50; ++i)
        for (char32_t c = U'a'; c <= U'z'; ++c) {
          const Key key{31 + (i + t) % 7, (i & 1) != 0, c};
          seen[t][key] = measure(key);
        }
    });
  for (auto& th : threads) th.join();
  int compared = 0;
  for (const auto& results : seen)
    for (const auto& [key, value] : results) {
      EXPECT_EQ(value, measure(key)) << std::get<0>(key) << " " << static_cast<char>(std::get<2>(key));
      ++compared;
    }
  EXPECT_EQ(compared, 4 * 7 * 2 * 26);
  EXPECT_GT(measure({34, false, U'm'}).second, 20);
}

}  // namespace

namespace {

TEST(FontEngine, AbsurdHeightsAreBounded) {
  auto huge = RealizedFont::Get(Face(u"Arial", -1000000), {}, false);
  ASSERT_TRUE(huge);
  EXPECT_LE(huge->metrics().height, 5000);
  EXPECT_GT(huge->metrics().height, 4000);
  auto tiny = RealizedFont::Get(Face(u"Arial", -1), {}, false);
  ASSERT_TRUE(tiny);
  EXPECT_GE(tiny->Advance(U'W'), 0);
  tiny->Glyph(U'W');
}

}  // namespace

namespace {

// Mean column of the inked pixels in the top and in the bottom quarter of a glyph.
std::pair<double, double> TopAndBottomCentre(const tav::font::GlyphImage& g) {
  double top = 0, bottom = 0;
  int nTop = 0, nBottom = 0;
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) {
      if (!g.coverage[static_cast<size_t>(y) * g.width + x]) continue;
      if (y < g.height / 4) top += x, ++nTop;
      if (y >= g.height * 3 / 4) bottom += x, ++nBottom;
    }
  return {nTop ? top / nTop : 0, nBottom ? bottom / nBottom : 0};
}

TEST(FontEngine, ItalicUsesTheItalicFileOrSlantsTheGlyphs) {
  FontRequest arial = Face(u"Arial", -40);
  arial.italic = true;
  auto real = RealizedFont::Get(arial, {}, false);
  EXPECT_NE(real->source().file.find("Italic"), std::string::npos);

  FontRequest upright = Face(u"WenQuanYi Micro Hei", -40);
  FontRequest slanted = upright;
  slanted.italic = true;
  auto u = RealizedFont::Get(upright, {}, false)->Glyph(U'l');
  auto s = RealizedFont::Get(slanted, {}, false)->Glyph(U'l');
  const auto [uTop, uBottom] = TopAndBottomCentre(*u);
  const auto [sTop, sBottom] = TopAndBottomCentre(*s);
  EXPECT_NEAR(uTop - uBottom, 0.0, 1.0);
  EXPECT_GT((sTop + s->left) - (sBottom + s->left), 3.0);  // the top leans to the right
}

}  // namespace

namespace {

// A run's advances under one lock are each character's own advance, plus the
// extra; a surrogate pair's on its first unit; lone surrogates as they stand.
TEST(FontEngine, RunAdvancesAreEachCharactersAdvance) {
  struct Case {
    const char* name;
    std::u16string text;
  };
  const Case cases[] = {
      {"digits", u"9780306406157"},
      {"latin", u"Caf\u00e9 W\u00c6"},
      {"pair", u"a\U0001D400b"},
      {"pair at the end", u"x\U0001D400"},
      {"high surrogate at the end", u"ab\xD835"},
      {"low surrogate alone", u"a\xDC00z"},
      {"pair reversed", u"\xDC00\xD835z"},
      {"ideographs", u"\u4E2D\u6587"},
      {"empty", u""},
  };
  const double extras[] = {0.0, 1.5, -2.0};
  for (const auto& face : {u"Arial", u"Courier New"}) {
    auto font = RealizedFont::Get(Face(face, -23), {}, false);
    ASSERT_NE(font, nullptr);
    for (const Case& c : cases) {
      for (double extra : extras) {
        std::vector<double> expected(c.text.size(), 0.0);
        for (size_t i = 0; i < c.text.size(); ++i) {
          const char16_t u = c.text[i];
          if (u >= 0xD800 && u < 0xDC00 && i + 1 < c.text.size() && c.text[i + 1] >= 0xDC00 && c.text[i + 1] < 0xE000) {
            expected[i] = font->Advance(0x10000 + ((u - 0xD800) << 10) + (c.text[i + 1] - 0xDC00)) + extra;
            ++i;
          } else {
            expected[i] = font->Advance(u) + extra;
          }
        }
        std::vector<double> got(c.text.size(), -99.0);
        font->Advances(c.text, extra, got);
        EXPECT_EQ(got, expected) << c.name << " extra " << extra;
      }
    }
  }
}

// A run's glyphs fetched at once are each character's own glyph, decoded as
// the characters are: a pair on its first unit, an unpaired surrogate alone.
TEST(FontEngine, RunGlyphsAreEachCharactersGlyph) {
  struct Case {
    const char* name;
    std::u16string text;
    std::u32string characters;  // one per unit: 0 for a pair's second unit
  };
  const Case cases[] = {
      {"letters", u"Wag 8", U"Wag 8"},
      {"pair", u"a\U0001D400b", {U'a', 0x1D400, 0, U'b'}},
      {"pair at the end", u"x\U0001D400", {U'x', 0x1D400, 0}},
      {"high surrogate at the end", u"ab\xD835", {U'a', U'b', 0xD835}},
      {"low surrogate alone", u"a\xDC00z", {U'a', 0xDC00, U'z'}},
      {"pair reversed", u"\xDC00\xD835z", {0xDC00, 0xD835, U'z'}},
      {"ideographs", u"\u4E2D\u6587", U"\u4E2D\u6587"},
      {"empty", u"", U""},
  };
  for (bool antialias : {false, true}) {
    auto font = RealizedFont::Get(Face(u"Arial", -23), {}, antialias);
    ASSERT_NE(font, nullptr);
    for (const Case& c : cases) {
      ASSERT_EQ(c.characters.size(), c.text.size()) << c.name;
      std::vector<const tav::font::GlyphImage*> got(c.text.size(), nullptr);
      font->Glyphs(c.text, got);
      for (size_t i = 0; i < c.text.size(); ++i) {
        const tav::font::GlyphImage* want = c.characters[i] == 0 ? nullptr : font->Glyph(c.characters[i]).get();
        EXPECT_EQ(got[i], want) << c.name << ", unit " << i;
      }
    }
  }
}

}  // namespace
