// The cells of a framed text are as wide as the extent of each byte alone
// (bytes below 32 as wide as "M"), whether the bytes are measured one by one
// or many in one call where a logical unit is a pixel: over fonts, texts with
// control bytes and bytes of 128 and more, extra character spacing, and the
// mappings that measure one by one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "barcode/draw/text_cells.h"
#include "platform/gdi/gdi_owners.h"

namespace {

struct FontSpec {
  const char* face;
  LONG height;
  bool italic = false;
  LONG weight = FW_NORMAL;
};

const FontSpec kFonts[] = {
    {"Arial", 70},
    {"Courier New", 23},
    {"DejaVu Serif", 48, true},
    {"Liberation Sans", 64, false, FW_BOLD},
    {"Arial", 7},
};

std::string Printable() {
  std::string s;
  for (int b = 32; b < 128; ++b) s += static_cast<char>(b);
  return s;
}

const std::string kTexts[] = {
    "Tavrendel label 2026",
    Printable(),
    std::string("A\tB\x01" "C\x1f" "\x80\xe9\xff" "zz"),
    "mmmmmmmm",
    "9",
};

struct State {
  const char* name;
  int extra;     // SetTextCharacterExtra
  bool scaled;   // MM_ANISOTROPIC, 2:3 each way
  bool advanced; // GM_ADVANCED with a world transform that scales
};

const State kStates[] = {
    {"plain", 0, false, false},
    {"extra spacing", 3, false, false},
    {"scaled mapping", 0, true, false},
    {"scaling world transform", 0, false, true},
};

void Apply(HDC dc, const State& s) {
  SetTextCharacterExtra(dc, s.extra);
  if (s.scaled) {
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 3, 3, nullptr);
    SetViewportExtEx(dc, 2, 2, nullptr);
  }
  if (s.advanced) {
    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM x{1.5f, 0, 0, 1.5f, 0, 0};
    SetWorldTransform(dc, &x);
  }
}

int ExtentOf(HDC dc, std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

TEST(TextCells, EachCellIsItsByteAlone) {
  for (const FontSpec& f : kFonts)
    for (const State& state : kStates)
      for (bool boxes : {false, true}) {
        UniqueDc dc(CreateCompatibleDC(nullptr));
        LOGFONTA lf{};
        lf.lfHeight = f.height;
        lf.lfItalic = f.italic;
        lf.lfWeight = f.weight;
        std::strncpy(lf.lfFaceName, f.face, LF_FACESIZE - 1);
        UniqueFont font(CreateFontIndirectA(&lf));
        const HGDIOBJ old = SelectObject(dc.get(), font.get());
        Apply(dc.get(), state);
        const int m = ExtentOf(dc.get(), "M");
        for (const std::string& text : kTexts) {
          kalvo::CellWidths cells(dc.get(), boxes);
          int total = 0;
          for (char c : text) {
            const int alone = static_cast<unsigned char>(c) < 32 ? m : ExtentOf(dc.get(), std::string_view(&c, 1));
            total += alone;
          }
          EXPECT_EQ(cells.Total(text), total) << f.face << " " << f.height << ", " << state.name << ", \"" << text
                                              << "\"" << (boxes ? ", boxes" : "");
          for (char c : text) {
            const int alone = static_cast<unsigned char>(c) < 32 ? m : ExtentOf(dc.get(), std::string_view(&c, 1));
            EXPECT_EQ(cells(c), alone) << f.face << " " << f.height << ", " << state.name << ", byte "
                                       << static_cast<int>(static_cast<unsigned char>(c));
          }
        }
        SelectObject(dc.get(), old);
      }
}

}  // namespace
