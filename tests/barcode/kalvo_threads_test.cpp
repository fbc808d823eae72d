// The library called from many threads at once: every symbology with an
// encoder, with its text row where it has one, drawn again and again by eight
// threads that each copy the bitmaps they get (read back, and blitted into a
// bitmap of their own) and delete them. Every picture must equal the one a
// single thread drew before. The ThreadSanitizer build runs this too.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/barcode/dib_pixels.h"
#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Request;

struct Row {
  S type;
  int subType;
  std::string data;
  bool text = true;  // the human-readable row below the bars
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows{
      {S::Codabar, 0, "0123456789"},
      {S::Code39, 1, "CODE39 12345"},
      {S::Code39FullAscii, 0, "Full ASCII 39"},
      {S::Code93, 0, "CODE93 12345"},
      {S::Code128, 0, "Tavrendel label 2026"},
      {S::Code128, 3, "12345678"},
      {S::Ean8, 0, "9638507"},
      {S::Ean13, 0, "978030640615"},
      {S::Ean13, 2, "97803064061575995"},
      {S::Ean128, 0, "0112345678901231"},
      {S::Interleaved2of5, 1, "1234567890"},
      {S::Itf14, 0, "1234567890123"},
      {S::Plessey, 0, "1234567"},
      {S::Ucc128, 0, "1234567"},
      {S::UccEan128, 0, "0112345678901231"},
      {S::UccEan128Ais, 0, ""},
      {S::UpcA, 0, "03600029145"},
      {S::UpcE, 1, "12345612"},
      {S::Postnet, 0, "12345"},
      {S::Msi, 0, "1234567"},
      {S::Pdf417, 0, "PDF417 from many threads 0123456789", false},
      {S::MicroPdf417, 0, "PDF417", false},
      {S::MaxiCode, 0, "MaxiCode from many threads 0123456789", false},
      {S::DataMatrix, 0, "Data Matrix from many threads 0123456789", false},
      {S::QrCode, 0, "QR Code from many threads, Mixed Case 0123456789", false},
  };
  return rows;
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool operator==(const Picture&) const = default;
};

// Draws a row and copies its bitmap twice: read back directly, and blitted
// into a bitmap of the caller's and read back from there. The two must agree.
Picture Draw(const Row& row) {
  Request r(row.type, row.subType, row.data);
  CBCode& c = r.code;
  c.resolution = 300;
  c.narrowWidth = 3;
  c.barHeight = 120;
  c.textPosition = row.text ? 1 : 0;
  c.noText = row.text ? 0 : 1;
  c.moduleSize2D = 3;
  c.rowHeight2D = 6;
  c.pdfSecurity = 9;     // automatic
  c.microPdfSize = 5;    // 1 x 28 for MicroPDF417
  c.maxiMode = 4;
  c.maxiModuleWidth = -1;
  c.maxiModuleHeight = -1;
  if (row.type == S::UccEan128Ais) {
    c.aiNames[0] = "01";
    c.aiValues[0] = "12345678901231";
    c.aiNames[1] = "10";
    c.aiValues[1] = "ABC12";
  }
  Picture picture;
  if (kvoBCode(0, &c, 0) != kalvo::kDone || c.bitmap == nullptr) return picture;
  BITMAP info{};
  GetObjectA(c.bitmap, sizeof info, &info);
  picture.width = info.bmWidth;
  picture.height = info.bmHeight;
  picture.pixels = kalvotest::DibPixels(c.bitmap, picture.width, picture.height);
  HDC source = CreateCompatibleDC(nullptr);
  HDC target = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(screen, picture.width, picture.height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldSource = SelectObject(source, c.bitmap);
  HGDIOBJ oldTarget = SelectObject(target, copy);
  BitBlt(target, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY);
  SelectObject(source, oldSource);
  SelectObject(target, oldTarget);
  if (kalvotest::DibPixels(copy, picture.width, picture.height) != picture.pixels) picture.pixels.clear();
  DeleteObject(copy);
  DeleteDC(target);
  DeleteDC(source);
  DeleteObject(c.bitmap);
  c.bitmap = nullptr;
  return picture;
}

TEST(KalvoThreads, ManyThreadsDrawEverySymbologyAsOneThreadDoes) {
  const std::vector<Row>& rows = Rows();
  std::vector<Picture> alone;
  for (const Row& row : rows) {
    alone.push_back(Draw(row));
    ASSERT_FALSE(alone.back().pixels.empty()) << kalvo::SymbologyName(row.type) << " draws";
  }
  constexpr int kThreads = 8;
  constexpr int kRounds = 1;
  std::vector<std::vector<std::string>> wrong(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t, &rows, &alone, &wrong] {
      // Each thread walks the table from its own place, so different
      // symbologies and the same one meet at once.
      for (int round = 0; round < kRounds; ++round)
        for (size_t i = 0; i < rows.size(); ++i) {
          const size_t at = (i + static_cast<size_t>(t) * 3) % rows.size();
          if (!(Draw(rows[at]) == alone[at])) wrong[t].push_back(std::string(kalvo::SymbologyName(rows[at].type)));
        }
    });
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t)
    for (const std::string& name : wrong[t]) ADD_FAILURE() << "thread " << t << " drew " << name << " differently";
}

}  // namespace
