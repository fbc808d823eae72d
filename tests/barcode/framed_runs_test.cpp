// A framed text drawn over a ground that already holds its cells' background
// gives the pixels of drawing every cell opaque on its own, byte by byte, as
// the text row has always been drawn. The reference here is that plain loop:
// each byte measured alone and drawn with TextOut in an opaque cell, control
// bytes as box outlines. Cases cover glyphs that reach out of their cells on
// either side (j, f, italics, A next to V), control bytes, bytes of 128 and
// more, text wider than its rectangle, ink colours other than black, and the
// cases that must keep the byte-by-byte drawing (a background colour that is
// not the ground, bars reaching into the text's rows, underlined fonts).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "barcode/draw/text_row.h"
#include "platform/gdi/gdi_owners.h"
#include "tests/barcode/dib_pixels.h"

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 160;

struct FontSpec {
  const char* face;
  LONG height;
  bool italic = false;
  LONG weight = FW_NORMAL;
  bool underline = false;
  BYTE quality = DEFAULT_QUALITY;
};

enum class Runs { Yes, No, Either };

struct Case {
  const char* name;
  std::string text;
  FontSpec font;
  RECT row;    // the text's rectangle
  int align;   // -1 left, 0 centred, 1 right
  COLORREF ink, back, ground;
  RECT bar;    // painted in the bar colour before the text; its rows are the ink rows
  Runs runs;   // whether the runs are expected to be drawn whole
};

const COLORREF kBar = RGB(20, 20, 20);
const RECT kBarsAbove{10, 0, 380, 60};

const Case kCases[] = {
    {"a barcode's row", "Tavrendel label 2026", {"Arial", 70}, {0, 70, kWidth, 140}, 0, RGB(0, 0, 0),
     RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Yes},
    {"j and f reach out of their cells", "fjfj jaf Wij", {"Liberation Serif", 60}, {0, 70, kWidth, 140}, -1,
     RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Either},
    {"italic letters overhang both sides", "ffjjWW yf", {"DejaVu Serif", 48, true}, {0, 70, kWidth, 140}, 0,
     RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Either},
    {"A against V, bold", "WAVAWAY", {"Liberation Sans", 64, false, FW_BOLD}, {0, 70, kWidth, 140}, 0,
     RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Either},
    {"control bytes as boxes", "A\tB\x01" "C\x1f", {"Arial", 50}, {0, 70, kWidth, 140}, 1, RGB(0, 0, 0),
     RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Yes},
    {"bytes of 128 and more", "caf\xe9 \xc9t\xe9 \xa7\xb5\xfc", {"Arial", 50}, {0, 70, kWidth, 140}, 0,
     RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Yes},
    {"ink and ground in colour", "Colour 0123", {"Arial", 56}, {0, 70, kWidth, 140}, 0, RGB(200, 30, 90),
     RGB(250, 240, 10), RGB(250, 240, 10), kBarsAbove, Runs::Yes},
    {"white on black", "Negative 42", {"Arial", 56}, {0, 70, kWidth, 140}, 0, RGB(255, 255, 255), RGB(0, 0, 0),
     RGB(0, 0, 0), kBarsAbove, Runs::Yes},
    {"wider than its rectangle", "Much too wide for the row here", {"Arial", 60}, {40, 70, 300, 140}, 0,
     RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Yes},
    {"without grey levels", "Tavrendel 2026", {"Arial", 60, false, FW_NORMAL, false, NONANTIALIASED_QUALITY},
     {0, 70, kWidth, 140}, 0, RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::Yes},
    {"text above the bars", "Above 7", {"Arial", 60}, {0, 0, kWidth, 64}, 0, RGB(0, 0, 0), RGB(255, 255, 255),
     RGB(255, 255, 255), {10, 80, 380, kHeight}, Runs::Yes},
    {"a background that is not the ground", "Tavrendel 2026", {"Arial", 60}, {0, 70, kWidth, 140}, 0,
     RGB(0, 0, 0), RGB(200, 220, 255), RGB(255, 255, 255), kBarsAbove, Runs::No},
    {"bars reaching into the row", "Tavrendel 2026", {"Arial", 60}, {0, 70, kWidth, 140}, 0, RGB(0, 0, 0),
     RGB(255, 255, 255), RGB(255, 255, 255), {10, 0, 380, 90}, Runs::No},
    {"an underlined font", "Under 2026", {"Arial", 60, false, FW_NORMAL, true}, {0, 70, kWidth, 140}, 0,
     RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), kBarsAbove, Runs::No},
};

// A 32-bit bitmap compatible with the screen, as the library draws on.
class Surface {
 public:
  // Rows from `unpaintedTop` down are left in a colour of their own, for the
  // text to fill.
  Surface(COLORREF ground, const RECT& bar, int unpaintedTop = kHeight) : dc_(CreateCompatibleDC(nullptr)) {
    HDC screen = GetDC(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen, kWidth, kHeight));
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_.get(), bitmap_.get());
    const RECT all{0, 0, kWidth, kHeight};
    UniqueBrush groundBrush(CreateSolidBrush(ground)), barBrush(CreateSolidBrush(kBar));
    FillRect(dc_.get(), &all, groundBrush.get());
    FillRect(dc_.get(), &bar, barBrush.get());
    const RECT unpainted{0, unpaintedTop, kWidth, kHeight};
    UniqueBrush left(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(dc_.get(), &unpainted, left.get());
  }
  ~Surface() { SelectObject(dc_.get(), old_); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  HDC dc() const { return dc_.get(); }
  std::vector<uint32_t> Pixels() const { return kalvotest::DibPixels(bitmap_.get(), kWidth, kHeight, dc_.get()); }

 private:
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

// The font and colours of a case, selected for the scope.
HFONT CreateCaseFont(const FontSpec& f) {
  LOGFONTA lf{};
  lf.lfHeight = f.height;
  lf.lfItalic = f.italic;
  lf.lfWeight = f.weight;
  lf.lfUnderline = f.underline;
  lf.lfQuality = f.quality;
  std::strcpy(lf.lfFaceName, f.face);
  return CreateFontIndirectA(&lf);
}

class CaseFont {
 public:
  CaseFont(HDC dc, const Case& c) : font_(CreateCaseFont(c.font)), scope_(dc, font_.get()) {
    SetTextColor(dc, c.ink);
    SetBkColor(dc, c.back);
    SetBkMode(dc, OPAQUE);
  }

 private:
  UniqueFont font_;
  SelectScope scope_;
};

// A colour as a 32-bit pixel holds it: blue in the low byte.
uint32_t PixelOf(COLORREF c) { return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c); }

int ByteWidth(HDC dc, char c) {
  SIZE size{};
  GetTextExtentPoint32A(dc, &c, 1, &size);
  return size.cx;
}

// Every cell opaque on its own, one byte at a time.
void DrawByteByByte(HDC dc, const std::string& text, const RECT& row, int align) {
  SIZE m{};
  GetTextExtentPoint32A(dc, "M", 1, &m);
  int width = 0;
  for (char c : text) width += static_cast<unsigned char>(c) < 32 ? m.cx : ByteWidth(dc, c);
  int x = align < 0 ? row.left : align > 0 ? row.right - width : row.left + (row.right - row.left - width) / 2;
  const int y = row.top + (row.bottom - row.top - m.cy) / 2;
  UniqueBrush frame(CreateSolidBrush(GetTextColor(dc)));
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 32) {
      TextOutA(dc, x, y, &c, 1);
      x += ByteWidth(dc, c);
      continue;
    }
    RECT box{x + m.cx / 4, y + m.cy / 4, x + m.cx - m.cx / 4, y + m.cy - m.cy / 4};
    FrameRect(dc, &box, frame.get());
    x += m.cx;
  }
}

// Drawn over everything painted, or with the rows below the bar left for the
// text to fill as it draws.
TEST(FramedRuns, GiveThePixelsOfOpaqueCellsByteByByte) {
  int drawnAsRuns = 0;
  for (const Case& c : kCases)
    for (bool leaveRows : {false, true}) {
      const std::string what = std::string(c.name) + (leaveRows ? ", rows left to fill" : "");
      const int unpaintedTop = leaveRows ? static_cast<int>(c.bar.bottom) : kHeight;
      Surface expected(c.ground, c.bar), drawn(c.ground, c.bar, unpaintedTop);
      {
        CaseFont font(expected.dc(), c);
        DrawByteByByte(expected.dc(), c.text, c.row, c.align);
      }
      bool runs = false;
      {
        CaseFont font(drawn.dc(), c);
        kalvo::PlainGround ground{c.ground, c.bar.top, c.bar.bottom};
        if (leaveRows) ground.unpainted = RECT{0, unpaintedTop, kWidth, kHeight};
        runs = kalvo::DrawFramedText(drawn.dc(), c.text, c.row, c.align, &ground);
      }
      if (c.runs != Runs::Either) {
        EXPECT_EQ(runs, c.runs == Runs::Yes) << what;
      }
      drawnAsRuns += runs ? 1 : 0;
      const std::vector<uint32_t> want = expected.Pixels(), got = drawn.Pixels();
      int differing = 0, first = -1;
      for (size_t i = 0; i < want.size(); ++i) {
        if (want[i] == got[i]) continue;
        if (first < 0) first = static_cast<int>(i);
        ++differing;
      }
      EXPECT_EQ(differing, 0) << what << (runs ? ", drawn as runs" : ", byte by byte") << "; first at ("
                              << first % kWidth << ", " << first / kWidth << ")";
      // The text was drawn at all: some pixels are neither ground nor bar.
      int inked = 0;
      for (uint32_t p : got) inked += (p & 0xFFFFFF) != PixelOf(c.ground) && (p & 0xFFFFFF) != PixelOf(kBar) ? 1 : 0;
      EXPECT_GT(inked, 0) << what;
    }
  EXPECT_GE(drawnAsRuns, 18);
}

// Without a ground, or with one the caller does not know, the text is drawn
// byte by byte.
TEST(FramedRuns, NoGroundDrawsByteByByte) {
  const Case& c = kCases[0];
  Surface drawn(c.ground, c.bar);
  CaseFont font(drawn.dc(), c);
  EXPECT_FALSE(kalvo::DrawFramedText(drawn.dc(), c.text, c.row, c.align, nullptr));
}

}  // namespace
