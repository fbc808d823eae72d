// PDF417 and MicroPDF417 bitmaps from kvoBCode hold the symbol's module rows
// pixel for pixel: each module `module` pixels wide and one row height high
// (a height that is not a multiple of the width too), the padding light; with
// a bar shrink, every run of dark modules in a row loses that many pixels on
// its right.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "barcode/pdf417/pdf417_codewords.h"
#include "barcode/pdf417/pdf417_layout.h"
#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

struct PaintCase {
  const char* name;
  S type;
  bool truncated;
  int module, rowHeight, shrink;
};

// The matrix the codeword stage and the layout give for the request.
kalvo::ModuleMatrix ModulesOf(const CBCode& code, S type, const std::string& data) {
  kalvo::pdf417::Pdf417Request request;
  request.symbology = type;
  request.text = std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  request.columns = code.symbolColumns;
  request.level = code.pdfSecurity;
  request.microIndex = code.microPdfSize;
  const kalvo::pdf417::Pdf417Codewords symbol = kalvo::pdf417::BuildPdf417Codewords(request);
  if (!symbol.Ok()) return {};
  return type == S::Pdf417 ? kalvo::pdf417::LayOutPdf417(symbol, code.pdfTruncated != 0)
                           : kalvo::pdf417::LayOutMicroPdf417(symbol);
}

TEST(Pdf417Painting, EveryPixelIsItsModule) {
  const PaintCase cases[] = {
      {"plain", S::Pdf417, false, 2, 6, 0},          {"truncated", S::Pdf417, true, 3, 7, 0},
      {"one pixel", S::Pdf417, false, 1, 3, 0},      {"bar shrink", S::Pdf417, false, 3, 9, 1},
      {"micro", S::MicroPdf417, false, 2, 5, 0},     {"micro, bar shrink", S::MicroPdf417, false, 4, 8, 2},
  };
  const std::string data = "Stacked rows, 0123456789012345 and \xC4\xD6";
  for (const PaintCase& c : cases) {
    SCOPED_TRACE(c.name);
    kalvo_test::Request r(c.type, 0, data);
    r.code.resolution = 300;
    r.code.moduleSize2D = static_cast<uint16_t>(c.module);
    r.code.rowHeight2D = static_cast<uint16_t>(c.rowHeight);
    r.code.symbolColumns = 4;
    r.code.pdfSecurity = 2;
    r.code.pdfTruncated = c.truncated ? 1 : 0;
    r.code.microPdfSize = 27;  // 4 x 15
    r.code.barShrink = static_cast<int16_t>(c.shrink);
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    ASSERT_EQ(r.code.errorCode, 0);
    const kalvo::ModuleMatrix m = ModulesOf(r.code, c.type, data);
    ASSERT_FALSE(m.empty());
    ASSERT_EQ(r.code.width, m.columns * c.module);
    ASSERT_EQ(r.code.height, m.rows * c.rowHeight);
    const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
    ASSERT_EQ(grey.width, (r.code.width + 7) / 8 * 8);
    ASSERT_EQ(grey.height, r.code.height);
    int wrong = 0;
    for (int y = 0; y < grey.height && wrong < 10; ++y) {
      const std::span<const uint8_t> row = m.Row(y / c.rowHeight);
      for (int x = 0; x < grey.width && wrong < 10; ++x) {
        const int column = x / c.module;
        bool dark = column < m.columns && row[column] != 0;
        // A dark module whose run ends within the shrink of this pixel is cut.
        if (dark && c.shrink > 0) {
          int runEnd = column;
          while (runEnd < m.columns && row[runEnd] != 0) ++runEnd;
          dark = x < runEnd * c.module - c.shrink;
        }
        if (grey.Dark(x, y) != dark) {
          ADD_FAILURE() << "pixel " << x << ", " << y << " (module " << column << " of row " << y / c.rowHeight
                        << ") is " << (dark ? "light" : "dark");
          ++wrong;
        }
      }
    }
  }
}

}  // namespace
