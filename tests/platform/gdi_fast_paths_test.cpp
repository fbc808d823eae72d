// The drawing layer's fast paths give the pixels of its general path. A clip
// of one rectangle takes the fast path; the same rectangle less one pixel
// makes a clip of several parts and takes the general path. Both drawings
// must agree everywhere but on that pixel, over tables of operations,
// rectangles, clips, raster operations and pixel formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/glyph_pixels.h"
#include "tests/platform/gdi_test_util.h"

using namespace gditest;

namespace {

constexpr int kWidth = 37;
constexpr int kHeight = 23;

struct Format {
  const char* name;
  int bpp;
};
const Format kFormats[] = {{"32-bit", 32}, {"24-bit", 24}, {"8-bit", 8}, {"4-bit", 4}, {"1-bit", 1}};

std::vector<COLORREF> PaletteFor(int bpp) {
  if (bpp > 8) return {};
  std::vector<COLORREF> p;
  for (int i = 0; i < (1 << bpp); ++i) {
    const int v = i * 255 / ((1 << bpp) - 1);
    p.push_back(RGB(v, (v * 7) & 0xFF, 255 - v));
  }
  return p;
}

// A canvas whose every pixel differs from its neighbours, so that raster
// operations reading the destination show their work.
std::unique_ptr<Canvas> Background(int bpp) {
  auto canvas = std::make_unique<Canvas>(kWidth, kHeight, bpp, PaletteFor(bpp));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) SetPixelV(canvas->dc(), x, y, RGB(x * 7, y * 11, (x * y) & 0xFF));
  return canvas;
}

struct Clip {
  const char* name;
  bool none;  // no clip region: the whole surface
  RECT rect;
};
const Clip kClips[] = {
    {"no clip", true, {0, 0, kWidth, kHeight}},
    {"inside", false, {3, 2, 30, 19}},
    {"over the edges", false, {-5, -4, 20, 40}},
    {"one pixel", false, {8, 8, 9, 9}},
};

// The pixel the general path's clip leaves out: the last of the clip box.
POINT LeftOut(const Clip& clip) {
  const LONG right = std::min<LONG>(clip.rect.right, kWidth), bottom = std::min<LONG>(clip.rect.bottom, kHeight);
  return POINT{right - 1, bottom - 1};
}

void ApplyClip(HDC dc, const Clip& clip, bool general) {
  if (!general && clip.none) {
    SelectClipRgn(dc, nullptr);
    return;
  }
  HRGN region = CreateRectRgn(clip.rect.left, clip.rect.top, clip.rect.right, clip.rect.bottom);
  if (general) {
    const POINT p = LeftOut(clip);
    HRGN hole = CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1);
    CombineRgn(region, region, hole, RGN_DIFF);
    DeleteObject(hole);
  }
  SelectClipRgn(dc, region);
  DeleteObject(region);
}

// Draws with both clips and compares every pixel but the left-out one.
template <class Draw>
void ExpectSamePixels(int bpp, const Clip& clip, Draw draw, const std::string& what) {
  auto fast = Background(bpp);
  auto general = Background(bpp);
  ApplyClip(fast->dc(), clip, false);
  ApplyClip(general->dc(), clip, true);
  draw(fast->dc());
  draw(general->dc());
  const POINT out = LeftOut(clip);
  SelectClipRgn(fast->dc(), nullptr);
  SelectClipRgn(general->dc(), nullptr);
  int differing = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (x == out.x && y == out.y) continue;
      if (GetPixel(fast->dc(), x, y) != GetPixel(general->dc(), x, y)) ++differing;
    }
  EXPECT_EQ(differing, 0) << what << ", " << bpp << " bits, clip " << clip.name;
}

const RECT kRects[] = {
    {4, 3, 25, 17},    // inside
    {25, 17, 4, 3},    // edges given in reverse
    {-6, -2, 12, 50},  // beyond the surface
    {10, 5, 10, 9},    // empty
    {0, 0, kWidth, kHeight},
};

std::string Describe(const RECT& r) {
  std::ostringstream text;
  text << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
  return text.str();
}

TEST(GdiFastPaths, FillRectMatchesTheRegionPath) {
  for (const Format& f : kFormats)
    for (const Clip& clip : kClips)
      for (const RECT& rect : kRects)
        for (COLORREF colour : {kBlack, kWhite, RGB(12, 200, 77)}) {
          ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
            HBRUSH brush = CreateSolidBrush(colour);
            FillRect(dc, &rect, brush);
            DeleteObject(brush);
          }, "FillRect " + Describe(rect));
        }
}

TEST(GdiFastPaths, PatBltAndInvertRectMatchTheRegionPath) {
  const DWORD rops[] = {PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, 0x00A000C9 /* PDA */};
  for (const Format& f : kFormats)
    for (const Clip& clip : kClips)
      for (const RECT& rect : kRects) {
        for (DWORD rop : rops)
          for (bool hatched : {false, true}) {
            ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
              HBRUSH brush = hatched ? CreateHatchBrush(HS_DIAGCROSS, RGB(200, 10, 90)) : CreateSolidBrush(RGB(90, 60, 30));
              HGDIOBJ old = SelectObject(dc, brush);
              PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, rop);
              SelectObject(dc, old);
              DeleteObject(brush);
            }, (std::ostringstream() << "PatBlt " << rop << (hatched ? " hatched " : " solid ") << Describe(rect)).str());
          }
        ExpectSamePixels(f.bpp, clip, [&](HDC dc) { InvertRect(dc, &rect); }, "InvertRect " + Describe(rect));
      }
}

// A source canvas of the same format with different pixels.
std::unique_ptr<Canvas> Source(int bpp, int width, int height) {
  auto canvas = std::make_unique<Canvas>(width, height, bpp, PaletteFor(bpp));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixelV(canvas->dc(), x, y, RGB((x * 31) & 0xFF, 255 - y * 9, x * y * 3));
  return canvas;
}

TEST(GdiFastPaths, BitBltAndStretchBltMatchThePixelPath) {
  struct Blt {
    const char* name;
    int x, y, w, h, sx, sy, sw, sh;
    int mode;
  };
  const Blt blts[] = {
      {"copy", 2, 3, 20, 12, 1, 2, 20, 12, BLACKONWHITE},
      {"copy beyond the source", -3, 5, 40, 10, -2, 4, 40, 10, BLACKONWHITE},
      {"one row to many", 1, 1, 30, 17, 0, 3, 30, 1, BLACKONWHITE},
      {"rows doubled", 0, 0, 25, 20, 2, 1, 25, 10, BLACKONWHITE},
      {"rows mirrored", 30, 20, 25, -15, 2, 1, 25, 15, BLACKONWHITE},
      {"rows halved, colour on colour", 3, 2, 22, 8, 0, 0, 22, 16, COLORONCOLOR},
      {"rows halved, halftone", 3, 2, 22, 8, 0, 0, 22, 16, HALFTONE},
      {"columns stretched", 0, 0, 30, 10, 0, 0, 15, 10, BLACKONWHITE},
  };
  for (const Format& f : kFormats) {
    auto source = Source(f.bpp, 28, 18);
    for (const Clip& clip : kClips)
      for (const Blt& b : blts)
        for (DWORD rop : {SRCCOPY, SRCINVERT}) {
          ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
            SetStretchBltMode(dc, b.mode);
            StretchBlt(dc, b.x, b.y, b.w, b.h, source->dc(), b.sx, b.sy, b.sw, b.sh, rop);
          }, std::string("StretchBlt ") + b.name + (rop == SRCCOPY ? " copy" : " invert"));
        }
  }
}

TEST(GdiFastPaths, StretchDIBitsOfOneRowMatchesThePixelPath) {
  std::vector<uint32_t> row(30);
  for (size_t i = 0; i < row.size(); ++i) row[i] = (i % 3 == 0) ? 0x00000000u : 0x00FFFFFFu - static_cast<uint32_t>(i);
  DibInfo info = MakeInfo(30, 1, 32);
  for (const Format& f : kFormats)
    for (const Clip& clip : kClips)
      ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
        StretchDIBits(dc, 2, 1, 30, 19, 0, 0, 30, 1, row.data(), info.get(), DIB_RGB_COLORS, SRCCOPY);
      }, "StretchDIBits one row");
}

TEST(GdiFastPaths, TextBlendMatchesThePixelPath) {
  for (const Format& f : kFormats)
    for (const Clip& clip : kClips)
      for (COLORREF ink : {kBlack, RGB(30, 140, 250)}) {
        ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
          LOGFONTA lf{};
          lf.lfHeight = -17;
          std::strcpy(lf.lfFaceName, "DejaVu Sans");
          HFONT font = CreateFontIndirectA(&lf);
          HGDIOBJ old = SelectObject(dc, font);
          SetBkMode(dc, TRANSPARENT);
          SetTextColor(dc, ink);
          TextOutA(dc, -2, 1, "Wag&8", 5);
          SelectObject(dc, old);
          DeleteObject(font);
        }, "TextOut");
      }
}

// Transparent text over rows that hold the background colour takes its blends
// from a table of that colour's shades; rows that hold anything else mix each
// pixel. The text crosses the edges of a rectangle of the background colour,
// so that some of its rows hold that colour and others do not.
TEST(GdiFastPaths, TextOverItsBackgroundColourMatchesThePixelPath) {
  struct Colours {
    COLORREF ink, back;
  };
  const Colours colours[] = {{kBlack, kWhite}, {RGB(30, 140, 250), RGB(250, 240, 10)}, {kWhite, kBlack}};
  const RECT grounds[] = {{0, 0, kWidth, kHeight}, {5, 4, 30, 15}};
  for (const Format& f : kFormats)
    for (const Clip& clip : kClips)
      for (const Colours& c : colours)
        for (const RECT& ground : grounds) {
          ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
            HBRUSH brush = CreateSolidBrush(c.back);
            FillRect(dc, &ground, brush);
            DeleteObject(brush);
            LOGFONTA lf{};
            lf.lfHeight = -17;
            std::strcpy(lf.lfFaceName, "DejaVu Sans");
            Selected font(dc, CreateFontIndirectA(&lf));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, c.ink);
            SetBkColor(dc, c.back);
            TextOutA(dc, 1, 1, "Wag&8", 5);
          }, "transparent TextOut over " + Describe(ground));
        }
}

// Opaque text writes its background and its glyphs in one pass where it can;
// the pixels are those of the background filled first and the glyphs blended
// over it. Upright letters stand side by side; italic ones reach out of their
// cells on both sides, so a later cell's background cuts an earlier glyph and
// a later glyph blends over an earlier one, and their boxes overlap in a run.
TEST(GdiFastPaths, OpaqueTextMatchesThePixelPath) {
  struct Run {
    const char* name;
    int x, y;
    const char* text;
    bool italic;
    bool oneByOne;  // a TextOut per character, each at the extent of those before
  };
  const Run runs[] = {
      {"one letter", 3, 2, "W", false, false},
      {"an upright run", -2, 1, "Wag 8", false, false},
      {"italic letters one by one", 1, -3, "fjf yf", true, true},
      {"an italic run reaching past the edges", -6, 12, "ffjjWW", true, false},
  };
  struct Colours {
    COLORREF ink, back;
  };
  const Colours colours[] = {{kBlack, kWhite}, {RGB(30, 140, 250), RGB(250, 240, 10)}};
  for (const Format& f : kFormats)
    for (const Clip& clip : kClips)
      for (const Run& run : runs)
        for (const Colours& c : colours) {
          ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
            LOGFONTA lf{};
            lf.lfHeight = -17;
            lf.lfItalic = run.italic;
            std::strcpy(lf.lfFaceName, "DejaVu Sans");
            Selected font(dc, CreateFontIndirectA(&lf));
            SetBkMode(dc, OPAQUE);
            SetTextColor(dc, c.ink);
            SetBkColor(dc, c.back);
            if (!run.oneByOne) {
              TextOutA(dc, run.x, run.y, run.text, static_cast<int>(std::strlen(run.text)));
              return;
            }
            int x = run.x;
            for (const char* p = run.text; *p; ++p) {
              TextOutA(dc, x, run.y, p, 1);
              SIZE size{};
              GetTextExtentPoint32A(dc, p, 1, &size);
              x += size.cx;
            }
          }, std::string("opaque TextOut, ") + run.name);
        }
}

// Text keeps each glyph's shades in the colours it was drawn in and copies
// them the next time, opaque or transparent over rows of its background
// colour. The first drawing in a pair of colours, the drawings after it, and
// more pairs than a glyph keeps (the rest are mixed from the table) all give
// the pixels of the general path: glyphs side by side or overlapping, cut by
// the clip and the surface's edges, under an opaque rectangle larger than the
// text, white on black.
TEST(GdiFastPaths, TextFromKeptShadesMatchesThePixelPath) {
  struct Run {
    const char* name;
    int x, y;
    const char* text;
    bool italic;
    RECT opaque;  // empty: no rectangle
  };
  const Run runs[] = {
      {"an upright run", -3, 2, "Wag 8", false, {}},
      {"a run past the right and bottom edges", 21, 12, "kw&Q", false, {}},
      {"a run under a larger rectangle", 2, 3, "Tyf", false, {-4, 1, 50, 20}},
      {"a rectangle that does not hold the text", 1, 2, "Mj", false, {3, 6, 30, 12}},
      {"an italic run of overlapping glyphs", 0, 4, "ffjy", true, {}},
  };
  // A font size no other test uses: its glyphs keep nothing yet.
  constexpr int kHeightOfThisTest = -16;
  struct Colours {
    COLORREF ink, back;
  };
  const Colours colours[] = {{RGB(1, 2, 3), RGB(254, 253, 252)}, {kWhite, kBlack},
                             {RGB(30, 140, 250), RGB(250, 240, 10)}, {kBlack, kWhite},
                             {RGB(200, 0, 90), RGB(10, 80, 10)}, {RGB(9, 9, 9), RGB(99, 199, 29)}};
  static_assert(std::size(colours) > tav::font::GlyphPixels::kPlaces);
  for (const Format& f : kFormats)
    for (const Clip& clip : kClips)
      for (const Run& run : runs)
        ExpectSamePixels(f.bpp, clip, [&](HDC dc) {
          LOGFONTA lf{};
          lf.lfHeight = kHeightOfThisTest;
          lf.lfItalic = run.italic;
          std::strcpy(lf.lfFaceName, "DejaVu Sans");
          Selected font(dc, CreateFontIndirectA(&lf));
          const bool rect = run.opaque.left < run.opaque.right;
          const UINT length = static_cast<UINT>(std::strlen(run.text));
          for (const Colours& c : colours) {
            SetTextColor(dc, c.ink);
            SetBkColor(dc, c.back);
            SetBkMode(dc, OPAQUE);
            for (int again = 0; again < 2; ++again)
              ExtTextOutA(dc, run.x + again, run.y, rect ? ETO_OPAQUE : 0, rect ? &run.opaque : nullptr, run.text,
                          length, nullptr);
            // Transparent over the background just drawn, its rows partly
            // holding that colour and partly the glyphs.
            SetBkMode(dc, TRANSPARENT);
            ExtTextOutA(dc, run.x + 3, run.y + 2, 0, nullptr, run.text, length, nullptr);
          }
        }, std::string("text from kept shades, ") + run.name);
}

// Opaque text fills its background and copies its glyphs' rows on whichever
// way a bitmap stores its rows: a bottom-up bitmap shows the picture of a
// top-down one. The rectangle spans whole rows (filled as one run), part of
// the rows, or is left out (the cells' background); the second drawing copies
// the shades kept by the first.
TEST(GdiFastPaths, OpaqueTextIsTheSameWhicheverWayTheRowsAreStored) {
  constexpr int kRowWidth = 36;  // whole rows without padding at 24 bits too
  struct Ground {
    const char* name;
    RECT opaque;  // empty: no rectangle
  };
  const Ground grounds[] = {{"whole rows", {0, 2, kRowWidth, 21}}, {"part of the rows", {3, 1, 30, 22}}, {"none", {}}};
  for (int bpp : {32, 24})
    for (const Ground& ground : grounds) {
      std::array<std::vector<COLORREF>, 2> pixels;
      for (int way = 0; way < 2; ++way) {
        const int height = way == 0 ? -kHeight : kHeight;  // top down, then bottom up
        UniqueDc dc(CreateCompatibleDC(nullptr));
        DibInfo info = MakeInfo(kRowWidth, height, bpp);
        void* bits = nullptr;
        Selected bitmap(dc.get(), CreateDIBSection(dc.get(), info.get(), DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_NE(bits, nullptr);
        const RECT all{0, 0, kRowWidth, kHeight};
        const UniqueBrush white(CreateSolidBrush(kWhite));
        FillRect(dc.get(), &all, white.get());
        LOGFONTA lf{};
        lf.lfHeight = -17;
        std::strcpy(lf.lfFaceName, "DejaVu Sans");
        Selected font(dc.get(), CreateFontIndirectA(&lf));
        SetBkMode(dc.get(), OPAQUE);
        SetTextColor(dc.get(), RGB(30, 140, 250));
        SetBkColor(dc.get(), RGB(250, 240, 10));
        const bool rect = ground.opaque.left < ground.opaque.right;
        for (int x : {-2, 9})
          ExtTextOutA(dc.get(), x, 3 + x / 3, rect ? ETO_OPAQUE : 0, rect ? &ground.opaque : nullptr, "Wag&8", 5,
                      nullptr);
        for (int y = 0; y < kHeight; ++y)
          for (int x = 0; x < kRowWidth; ++x) pixels[way].push_back(GetPixel(dc.get(), x, y));
      }
      EXPECT_EQ(pixels[0], pixels[1]) << bpp << " bits, rectangle over " << ground.name;
    }
}

// GetDIBits and SetDIBits of the bitmap's own format move the same values as
// reading and writing pixel by pixel.
TEST(GdiFastPaths, SameFormatDibBitsMatchPixels) {
  for (const Format& f : kFormats) {
    auto canvas = Source(f.bpp, 29, 7);
    DibInfo info = MakeInfo(29, 7, f.bpp, PaletteFor(f.bpp));
    const int stride = ((29 * f.bpp + 31) / 32) * 4;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * 7, 0xAB);
    ASSERT_EQ(GetDIBits(canvas->dc(), canvas->bitmap(), 0, 7, bits.data(), info.get(), DIB_RGB_COLORS), 7);
    // Into a second bitmap of the format and back: the pixels come through.
    Canvas copy(29, 7, f.bpp, PaletteFor(f.bpp), kBlack);
    ASSERT_EQ(SetDIBits(copy.dc(), copy.bitmap(), 0, 7, bits.data(), info.get(), DIB_RGB_COLORS), 7);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 29; ++x)
        EXPECT_EQ(GetPixel(copy.dc(), x, y), GetPixel(canvas->dc(), x, y)) << f.name << " at " << x << "," << y;
    // Bytes past the pixels of each row are cleared, as the pixel path leaves them.
    const int used = (29 * f.bpp + 7) / 8;
    for (int y = 0; y < 7; ++y)
      for (int i = used; i < stride; ++i) EXPECT_EQ(bits[static_cast<size_t>(y) * stride + i], 0) << f.name;
  }
}

// The region builder sorts its spans per row: the result covers exactly the
// pixels of the spans added, in any order, dense or spread over many rows.
TEST(GdiFastPaths, SpanBuilderCoversExactlyItsSpans) {
  std::mt19937 random(12);
  for (int rowsSpread : {3, 40, 100000}) {
    gdi::SpanBuilder builder;
    std::vector<std::array<int, 3>> added;
    for (int i = 0; i < 300; ++i) {
      const int y = static_cast<int>(random() % rowsSpread) - rowsSpread / 2;
      const int x0 = static_cast<int>(random() % 60) - 10;
      const int x1 = x0 + static_cast<int>(random() % 9);
      builder.Add(y, x0, x1);
      added.push_back({y, x0, x1});
    }
    const gdi::SpanRegion region = builder.Build();
    for (const auto& [y, x0, x1] : added) {
      for (int x = x0 - 1; x <= x1; ++x) {
        bool covered = false;
        for (const auto& [yy, a, b] : added) covered |= yy == y && x >= a && x < b;
        EXPECT_EQ(region.Contains(x, y), covered) << "row " << y << " x " << x << " spread " << rowsSpread;
      }
    }
  }
}

}  // namespace

namespace {

// A new bitmap is black, whichever rows are first written whole (top rows,
// bottom rows, a middle row) and however it is read afterwards.
TEST(GdiFastPaths, NewBitmapsAreBlackAroundRowsWrittenWhole) {
  struct Order {
    const char* name;
    std::vector<int> rows;  // whole rows painted first, in this order
  };
  const Order orders[] = {{"top down", {0, 1, 2}}, {"bottom up", {8, 7}}, {"middle", {4}},
                          {"both ends", {0, 8, 1, 7}}, {"none", {}}};
  enum class Way { Fill, Copy, SetBits };
  for (int bpp : {32, 24, 8})
    for (Way way : {Way::Fill, Way::Copy, Way::SetBits})
      for (const Order& order : orders) {
        HDC dc = CreateCompatibleDC(nullptr);
        DibInfo info = MakeInfo(6, 9, bpp, bpp == 8 ? std::vector<COLORREF>{kBlack, kWhite} : std::vector<COLORREF>{});
        void* bits = nullptr;
        HBITMAP bitmap = bpp == 32 ? CreateCompatibleBitmap(nullptr, 6, 9)
                                   : CreateDIBSection(dc, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const uint32_t white[6] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
        DibInfo one = MakeInfo(6, 1, 32);
        // A top-down 32-bit buffer of every row, white, for SetDIBits.
        const std::vector<uint32_t> whiteRows(6 * 9, 0xFFFFFF);
        DibInfo all = MakeInfo(6, -9, 32);
        for (int y : order.rows) {
          if (way == Way::Copy) {
            StretchDIBits(dc, 0, y, 6, 1, 0, 0, 6, 1, white, one.get(), DIB_RGB_COLORS, SRCCOPY);
          } else if (way == Way::SetBits && bpp == 32) {
            HGDIOBJ selected = SelectObject(dc, old);
            SetDIBits(dc, bitmap, static_cast<UINT>(y), 1, whiteRows.data() + 6 * y, all.get(), DIB_RGB_COLORS);
            SelectObject(dc, selected);
          } else {
            RECT row{0, y, 6, y + 1};
            FillRect(dc, &row, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
          }
        }
        for (int y = 0; y < 9; ++y) {
          const bool painted = std::find(order.rows.begin(), order.rows.end(), y) != order.rows.end();
          for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(dc, x, y), painted ? kWhite : kBlack)
                << bpp << " bits, " << order.name << " way " << static_cast<int>(way) << " at " << x << "," << y;
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
      }
}

// One 32-bit row copied to bands of whole rows of a new bitmap (stored top
// down or bottom up) gives that row in the bands and black everywhere else,
// in whatever order the bands come; a row with its fourth bytes set loses
// them as every write does.
TEST(GdiFastPaths, BandsOfWholeRowsFromOneRowOverNewBitmaps) {
  struct Bands {
    const char* name;
    std::vector<std::pair<int, int>> bands;  // [top, bottom), in drawing order
  };
  constexpr int kW = 21, kH = 12;
  const Bands cases[] = {
      {"all rows", {{0, kH}}},
      {"top rows", {{0, 5}}},
      {"bottom rows", {{7, kH}}},
      {"middle rows", {{4, 9}}},
      {"top then the rest", {{0, 3}, {3, kH}}},
      {"bottom then the rest", {{9, kH}, {0, 9}}},
      {"ground, bars, ground", {{0, 2}, {2, 10}, {10, kH}}},
      {"a middle row first, then all", {{6, 7}, {0, kH}}},
      {"the top, then the middle", {{0, 3}, {5, 8}}},
      {"the bottom, then past the top", {{8, kH}, {-4, 3}}},
      {"past both ends", {{-3, kH + 5}}},
  };
  std::array<uint32_t, kW> row{};
  for (int x = 0; x < kW; ++x) row[static_cast<size_t>(x)] = (x % 4 < 2) ? 0x00123456u : 0x00FEDCBAu;
  std::array<uint32_t, kW> marked = row;
  marked[3] |= 0xFF000000u;  // a fourth byte set: the copy goes pixel by pixel
  DibInfo one = MakeInfo(kW, 1, 32);
  for (const std::array<uint32_t, kW>* source : {&row, &marked})
    // A compatible bitmap; bottom-up DIB sections with and without their bits
    // handed out (those are black already, these not yet written); a
    // top-down DIB section without its bits.
    for (int storage : {0, 1, 2, -1})
      for (const Bands& c : cases) {
        HDC dc = CreateCompatibleDC(nullptr);
        DibInfo info = MakeInfo(kW, storage > 0 ? kH : -kH, 32);
        void* bits = nullptr;
        HBITMAP bitmap = storage == 0 ? CreateCompatibleBitmap(nullptr, kW, kH)
                                      : CreateDIBSection(dc, info.get(), DIB_RGB_COLORS, storage == 1 ? &bits : nullptr,
                                                         nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        std::vector<bool> painted(kH, false);
        for (const auto& [top, bottom] : c.bands) {
          StretchDIBits(dc, 0, top, kW, bottom - top, 0, 0, kW, 1, source->data(), one.get(), DIB_RGB_COLORS, SRCCOPY);
          for (int y = std::max(top, 0); y < std::min(bottom, kH); ++y) painted[static_cast<size_t>(y)] = true;
        }
        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x) {
            const uint32_t v = row[static_cast<size_t>(x)];
            const COLORREF expected = painted[static_cast<size_t>(y)] ? RGB(v >> 16, (v >> 8) & 0xFF, v & 0xFF) : kBlack;
            ASSERT_EQ(GetPixel(dc, x, y), expected) << c.name << ", storage " << storage << (source == &marked ? ", marked" : "")
                                                    << " at " << x << "," << y;
          }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
      }
}

// The bits of a new DIB section are black as soon as the caller has them.
TEST(GdiFastPaths, NewDibSectionBitsAreBlack) {
  DibInfo info = MakeInfo(5, 4, 32);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bits, nullptr);
  const auto* p = static_cast<const BYTE*>(bits);
  for (int i = 0; i < 5 * 4 * 4; ++i) EXPECT_EQ(p[i], 0) << i;
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBits, bits);
  DeleteObject(bitmap);
}

}  // namespace
