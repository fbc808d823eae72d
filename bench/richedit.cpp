// The rich-text engine: reading and laying out a 200 KB RTF document, and
// drawing a paragraph field's text at 600 dpi.

#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/gdi/printer_settings.h"
#include "platform/richedit/dc_render.h"
#include "platform/richedit/rtf.h"
#include "platform/win.h"

namespace {

// About 200 KB of what word processors write: a font and colour table,
// paragraphs with changing fonts, sizes, styles and colours, tabs, and some
// Chinese as \u with fallbacks.
const std::string& Document() {
  static const std::string rtf = [] {
    std::string s =
        R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;})"
        R"({\f2\fmodern Courier New;}{\f3\fnil\fcharset134 SimSun;}})"
        R"({\colortbl ;\red200\green0\blue0;\red0\green90\blue200;})" "\n";
    for (int i = 0; s.size() < 200 * 1024; ++i) {
      s += (i % 5 == 0) ? R"(\pard\qc\sa120\f0\fs28\b )" : R"(\pard\qj\li360\fi-360\sa60\f1\fs22\b0 )";
      s += "Paragraph " + std::to_string(i) + R"( with {\b bold}, {\i italic}, {\cf1 red} and {\cf2\ul blue} )";
      s += R"(words in a line long enough to wrap once or twice at the usual width of a page,\tab then a tab )";
      s += R"(and {\f3 \u20013?\u25991?\u25991?\u26412?} before the end.\par)" "\n";
    }
    return s + "}";
  }();
  return rtf;
}

class Surface {
 public:
  Surface(int dpi, int width, int height) {
    gdi::PrinterSettings settings;
    settings.dpiX = settings.dpiY = dpi;
    const std::string name = "Bench " + std::to_string(dpi);
    gdi::RegisterPrinterSettings(name, settings);
    printer_ = CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr);
    dc_ = CreateCompatibleDC(printer_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::memset(bits, 0xFF, static_cast<size_t>(width) * height * 4);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DeleteDC(printer_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC printer_, dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

void BM_ReadRtf200K(benchmark::State& state) {
  const std::string& rtf = Document();
  for (auto _ : state) {
    richedit::TextDocument doc;
    richedit::ReadRtf({reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()}, doc);
    benchmark::DoNotOptimize(doc.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadRtf200K)->Unit(benchmark::kMillisecond);

// Read, then laid out 6.5 inches wide at the given resolution.
void BM_ReadAndLayOut200K(benchmark::State& state) {
  const std::string& rtf = Document();
  const int dpi = static_cast<int>(state.range(0));
  Surface surface(dpi, 16, 16);
  size_t lines = 0;
  for (auto _ : state) {
    richedit::TextDocument doc;
    richedit::ReadRtf({reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()}, doc);
    richedit::DcMeasurer measurer(surface.dc());
    richedit::LayoutOptions options;
    options.width = dpi * 13 / 2;
    lines = richedit::LayOut(doc, measurer, options).lines.size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ReadAndLayOut200K)->Arg(96)->Arg(600)->Unit(benchmark::kMillisecond);

// A paragraph field: about 300 characters in three formats, laid out 3
// inches wide and drawn at 600 dpi.
void BM_DrawParagraph600Dpi(benchmark::State& state) {
  const std::string rtf =
      R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}}{\colortbl ;\red200\green0\blue0;})"
      R"(\pard\qj\f1\fs20 Ingredients: water, sugar, {\b wheat flour}, vegetable oil (palm, rapeseed), )"
      R"(glucose syrup, {\b milk} powder, salt, raising agents (sodium carbonates, ammonium carbonates), )"
      R"(emulsifier (soy lecithin), flavouring. {\cf1\f0 May contain traces of nuts and sesame.} Store in a )"
      R"(cool, dry place.\par})";
  richedit::TextDocument doc;
  richedit::ReadRtf({reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()}, doc);
  Surface surface(600, 1800, 1200);
  for (auto _ : state) {
    richedit::DcMeasurer measurer(surface.dc());
    richedit::LayoutOptions options;
    options.width = 1800;
    const richedit::Layout layout = richedit::LayOut(doc, measurer, options);
    richedit::DrawLayout(measurer, doc, layout, POINT{0, 0}, richedit::DrawOptions{});
    benchmark::DoNotOptimize(layout.height);
  }
}
BENCHMARK(BM_DrawParagraph600Dpi)->Unit(benchmark::kMicrosecond);

}  // namespace
