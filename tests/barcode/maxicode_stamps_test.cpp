// MaxiCode painted from its stamps gives the pixels of filling the ground and
// then drawing every dark hexagon and the finder shape by shape: at
// resolutions whose hexagons' rows are a few pixels long or many, in black
// (the outline joins the fill) and in colours, over white and other grounds,
// for real symbols, every module dark and random grids.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "barcode/maxicode/maxicode_painting.h"
#include "barcode/maxicode/maxicode_stamps.h"
#include "barcode/maxicode/maxicode_symbol.h"
#include "platform/gdi/gdi_owners.h"
#include "tests/barcode/dib_pixels.h"

namespace {

using namespace kalvo::maxicode;

// The stamp cache lives for the test program, as it lives for the library.
class MaxiCodeStamps : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { BuildMaxiCodeStampCache(); }
  static void TearDownTestSuite() { FreeMaxiCodeStampCache(); }
};

ModuleGrid SymbolGrid(int mode, const std::string& text) {
  Codewords codewords{};
  const auto bytes = std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  EXPECT_EQ(BuildMaxiCodeCodewords(mode, bytes, CarrierPrimary{}, codewords), MaxiResult::Ok);
  return PlaceMaxiCodeSymbol(codewords);
}

ModuleGrid AllDark() {
  ModuleGrid grid = EmptyModuleGrid();
  for (uint8_t& m : grid.dark) m = 1;
  return grid;
}

ModuleGrid Random(unsigned seed) {
  std::mt19937 random(seed);
  ModuleGrid grid = EmptyModuleGrid();
  for (uint8_t& m : grid.dark) m = static_cast<uint8_t>(random() % 3 == 0 ? 0 : random() % 200 + 1);
  return grid;
}

struct Colours {
  const char* name;
  COLORREF dark, ground;
};

constexpr Colours kColours[] = {
    {"black on white", RGB(0, 0, 0), RGB(255, 255, 255)},
    {"blue on white", RGB(20, 40, 160), RGB(255, 255, 255)},
    {"black on cream", RGB(0, 0, 0), RGB(250, 240, 200)},
    {"almost black on grey", RGB(0, 0, 1), RGB(128, 128, 128)},
    {"white on black", RGB(255, 255, 255), RGB(0, 0, 0)},
};

// A bitmap of the symbol's size at `resolution` (`pad`: its width rounded up
// to eight pixels, as the library makes it) in a fresh memory context.
struct Canvas {
  int width, height;
  UniqueDc dc{CreateCompatibleDC(nullptr)};
  UniqueBitmap bitmap;
  std::optional<SelectScope> selected;
  Canvas(int resolution, bool pad)
      : width(pad ? (SymbolWidthAt(resolution) + 7) / 8 * 8 : SymbolWidthAt(resolution)),
        height(SymbolHeightAt(resolution)) {
    bitmap.reset(CreateCompatibleBitmap(nullptr, width, height));
    selected.emplace(dc.get(), bitmap.get());
  }
  std::vector<uint32_t> Pixels() {
    selected.reset();
    return kalvotest::DibPixels(bitmap.get(), width, height, dc.get());
  }
};

// The first pixel that differs, as "x,y: stamped vs drawn", or "".
std::string FirstDifference(const std::vector<uint32_t>& stamped, const std::vector<uint32_t>& drawn, int width) {
  for (size_t i = 0; i < stamped.size() && i < drawn.size(); ++i)
    if (stamped[i] != drawn[i])
      return std::to_string(i % width) + "," + std::to_string(i / width) + ": " + std::to_string(stamped[i]) +
             " vs " + std::to_string(drawn[i]);
  return stamped.size() == drawn.size() ? "" : "sizes differ";
}

TEST_F(MaxiCodeStamps, StampedPicturesMatchTheShapesDrawnOneByOne) {
  const std::vector<std::pair<std::string, ModuleGrid>> grids{
      {"mode 4 text", SymbolGrid(4, "MaxiCode mode 4: 123456789 Mixed Case Text, shifted and latched")},
      {"mode 5 text", SymbolGrid(5, "Stamped MaxiCode 0123456789")},
      {"every module dark", AllDark()},
      {"random", Random(7)},
  };
  // Each grid in another pair of colours at each resolution and width: every
  // pairing meets many sizes without drawing them all at all of them.
  const std::vector<int> resolutions{72, 96, 100, 150, 200, 203, 240, 300, 301, 600};
  constexpr size_t kPairs = std::size(kColours);
  for (size_t i = 0; i < resolutions.size(); ++i) {
    const int resolution = resolutions[i];
    for (const bool pad : {true, false}) {
      const std::shared_ptr<const MaxiStamps> stamps =
          StampsFor(resolution, pad ? (SymbolWidthAt(resolution) + 7) / 8 * 8 : SymbolWidthAt(resolution),
                    SymbolHeightAt(resolution));
      ASSERT_NE(stamps, nullptr) << resolution;  // painted from the stamps, not the shapes again
      for (size_t g = 0; g < grids.size(); ++g) {
        const Colours& colours = kColours[(i + g + (pad ? 2 : 0)) % kPairs];
        const auto& [name, grid] = grids[g];
        SCOPED_TRACE(std::to_string(resolution) + " dpi, " + (pad ? "padded, " : "") + colours.name + ", " + name);
        UniqueBrush dark(CreateSolidBrush(colours.dark));
        Canvas stamped(resolution, pad);
        PaintMaxiCode(stamped.dc.get(), grid, resolution, dark.get(), colours.ground);
        Canvas drawn(resolution, pad);
        const RECT all{0, 0, drawn.width, drawn.height};
        UniqueBrush ground(CreateSolidBrush(colours.ground));
        FillRect(drawn.dc.get(), &all, ground.get());
        DrawMaxiCodeShapes(drawn.dc.get(), grid, resolution, dark.get());
        EXPECT_EQ(FirstDifference(stamped.Pixels(), drawn.Pixels(), drawn.width), "");
      }
    }
  }
}

}  // namespace
