// The library's pictures pinned pixel for pixel: a table of symbols and
// options, each bitmap's size and a 64-bit FNV-1a digest of its 32-bit pixels
// compared with data/picture_digests.txt, written from the pictures the library
// drew before its drawing was sped up. A speed-up never changes a picture; a
// deliberate change of a picture rewrites the file:
//   TAV_WRITE_PICTURE_DIGESTS=tests/barcode/data/picture_digests.txt test_barcode --gtest_filter='PicturePin.*'
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/barcode/kalvo_request.h"
#include "tests/barcode/dib_pixels.h"

namespace {

using kalvo::Symbology;
using kalvo_test::Request;

struct Pin {
  std::string name;
  Symbology type;
  int subType;
  std::string data;
  // Options over the designer's defaults.
  int narrowWidth = 3;
  int textPosition = 0;  // 0 none, 1 below, 2 above
  int targetResolution = 0;
  int barShrink = 0;
  COLORREF barColor = 0, backColor = 0xFFFFFF;
  int moduleSize2D = 4;
  int qrLevel = 0;
  int rows = 0, columns = 0;
  int maxiMode = 0;
  int resolution = 300;
};

std::string Letters(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + (i * 7) % 26);
  return s;
}

// Bytes that only Base 256 holds, between plain text.
constexpr char kBinary[] = "\x80\x81\xfe\xff binary \x01\x02\x03 and 256";

std::vector<Pin> Pins() {
  std::vector<Pin> pins;
  struct Linear {
    const char* name;
    Symbology type;
    int subType;
    const char* data;
  };
  const Linear linear[] = {
      {"Codabar", Symbology::Codabar, 0, "0123456789"},
      {"Code39", Symbology::Code39, 1, "CODE39 12345"},
      {"Code39FullAscii", Symbology::Code39FullAscii, 0, "Full ASCII 39"},
      {"Code93", Symbology::Code93, 0, "CODE93 12345"},
      {"Code128", Symbology::Code128, 0, "Tavrendel label 2026"},
      {"Ean8", Symbology::Ean8, 0, "9638507"},
      {"Ean13", Symbology::Ean13, 0, "978030640615"},
      {"Ean13Plus5", Symbology::Ean13, 2, "97803064061575995"},
      {"Ean128", Symbology::Ean128, 0, "0112345678901231"},
      {"I2of5", Symbology::Interleaved2of5, 1, "1234567890"},
      {"Itf14", Symbology::Itf14, 0, "1234567890123"},
      {"Plessey", Symbology::Plessey, 0, "1234567"},
      {"Ucc128", Symbology::Ucc128, 0, "1234567"},
      {"UpcA", Symbology::UpcA, 0, "03600029145"},
      {"UpcE", Symbology::UpcE, 1, "12345612"},
      {"Postnet", Symbology::Postnet, 0, "12345"},
      {"Msi", Symbology::Msi, 0, "1234567"},
  };
  for (const Linear& l : linear) {
    for (int text : {0, 1, 2}) {
      Pin p{std::string(l.name) + "/text" + std::to_string(text), l.type, l.subType, l.data};
      p.textPosition = text;
      pins.push_back(p);
    }
    Pin scaled{std::string(l.name) + "/scaled", l.type, l.subType, l.data};
    scaled.textPosition = 1;
    scaled.targetResolution = 203;
    pins.push_back(scaled);
    Pin shrunk{std::string(l.name) + "/shrink-colours", l.type, l.subType, l.data};
    shrunk.narrowWidth = 4;
    shrunk.barShrink = 1;
    shrunk.barColor = RGB(20, 40, 160);
    shrunk.backColor = RGB(250, 240, 200);
    pins.push_back(shrunk);
  }
  auto matrix = [&](const std::string& name, Symbology type, const std::string& data) {
    Pin p{name, type, 0, data};
    p.textPosition = 0;
    return p;
  };
  for (int level : {0, 1, 2, 3})
    for (size_t n : {size_t{10}, size_t{120}, size_t{900}}) {
      Pin p = matrix("QR/level" + std::to_string(level) + "/" + std::to_string(n), Symbology::QrCode, Letters(n));
      p.qrLevel = level;
      p.moduleSize2D = 3;
      pins.push_back(p);
    }
  Pin qrColours = matrix("QR/colours-scaled", Symbology::QrCode, "HELLO WORLD 0123456789");
  qrColours.barColor = RGB(120, 0, 0);
  qrColours.backColor = RGB(230, 255, 230);
  qrColours.targetResolution = 450;
  pins.push_back(qrColours);
  struct Dm {
    const char* name;
    std::string data;
    int rows, columns;
  };
  const Dm dms[] = {{"auto-digits", std::string(40, '7'), 0, 0},
                    {"32x32", std::string(124, '7'), 32, 32},
                    {"text", "Hello, World! mixed Case text 123 and more", 0, 0},
                    {"c40", "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 ABC", 0, 0},
                    {"x12", "ABC*123>XYZ\r0987654321*ABCDEF", 0, 0},
                    {"edifact", "ABC:DEF;GHI<JKL=MNO?PQR@STU[VWX]", 0, 0},
                    {"base256", std::string(kBinary, sizeof kBinary - 1), 0, 0},
                    {"rectangular", "RECT 12345", 8, 32},
                    {"144x144", Letters(1500), 144, 144}};
  // Texts that move between the encodation schemes: runs drawn from
  // character classes that favour each scheme in turn.
  std::mt19937 random(29);
  static constexpr const char* kClasses[] = {"0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ ", "abcdefghijklmnopqrstuvwxyz ",
                                             "ABC*>\r0123 ", "!\"#$%&'()*+,-./:;<=>?@[\\]^_", "\x80\xa9\xe9\xff\x01"};
  for (int i = 0; i < 24; ++i) {
    std::string text;
    const size_t length = 1 + random() % (i < 20 ? 120 : 900);
    while (text.size() < length) {
      const std::string_view from = kClasses[random() % std::size(kClasses)];
      for (size_t run = 1 + random() % 12; run > 0 && text.size() < length; --run) text += from[random() % from.size()];
    }
    Pin p = matrix("DataMatrix/mixed" + std::to_string(i), Symbology::DataMatrix, text);
    p.moduleSize2D = 2;
    pins.push_back(p);
  }
  for (const Dm& d : dms) {
    Pin p = matrix(std::string("DataMatrix/") + d.name, Symbology::DataMatrix, d.data);
    p.rows = d.rows;
    p.columns = d.columns;
    p.moduleSize2D = 3;
    pins.push_back(p);
  }
  for (int resolution : {200, 300, 600})
    for (int mode : {4, 5}) {
      Pin p = matrix("MaxiCode/mode" + std::to_string(mode) + "/" + std::to_string(resolution), Symbology::MaxiCode,
                     "MaxiCode pinned picture 0123456789 Mixed Case");
      p.maxiMode = mode;
      p.resolution = resolution;
      pins.push_back(p);
    }
  return pins;
}

// Draws the pin; returns "width height digest", or "none" when nothing was drawn.
std::string Digest(const Pin& pin) {
  Request r(pin.type, pin.subType, pin.data);
  CBCode& c = r.code;
  c.resolution = pin.resolution;
  c.narrowWidth = static_cast<uint16_t>(pin.narrowWidth);
  c.barHeight = 120;
  c.textPosition = static_cast<uint8_t>(pin.textPosition);
  c.noText = pin.textPosition == 0 ? 1 : 0;
  c.targetResolution = pin.targetResolution;
  c.barShrink = static_cast<int16_t>(pin.barShrink);
  c.barColor = pin.barColor;
  c.backColor = pin.backColor;
  c.moduleSize2D = static_cast<uint16_t>(pin.moduleSize2D);
  c.qrLevel = static_cast<uint16_t>(pin.qrLevel);
  c.symbolRows = static_cast<int16_t>(pin.rows);
  c.symbolColumns = static_cast<int16_t>(pin.columns);
  c.maxiMode = static_cast<uint8_t>(pin.maxiMode);
  kvoBCode(0, &c, 0);
  if (c.bitmap == nullptr) return "none";
  BITMAP bm{};
  GetObjectA(c.bitmap, sizeof bm, &bm);
  const std::vector<uint32_t> pixels = kalvotest::DibPixels(c.bitmap, bm.bmWidth, bm.bmHeight);
  DeleteObject(c.bitmap);
  c.bitmap = nullptr;
  uint64_t digest = 1469598103934665603ull;
  for (uint32_t p : pixels)
    for (int i = 0; i < 3; ++i) {
      digest ^= (p >> (8 * i)) & 0xFF;
      digest *= 1099511628211ull;
    }
  char text[64];
  std::snprintf(text, sizeof text, "%ld %ld %016llx", static_cast<long>(bm.bmWidth), static_cast<long>(bm.bmHeight),
                static_cast<unsigned long long>(digest));
  return text;
}

const char* kDigestFile = TAV_TEST_DATA_DIR "/picture_digests.txt";

TEST(PicturePin, EveryPictureAsPinned) {
  const std::vector<Pin> pins = Pins();
  if (const char* out = std::getenv("TAV_WRITE_PICTURE_DIGESTS")) {
    std::ofstream file(out);
    for (const Pin& p : pins) file << p.name << ' ' << Digest(p) << '\n';
    GTEST_SKIP() << "digests written to " << out;
  }
  std::ifstream file(kDigestFile);
  ASSERT_TRUE(file) << kDigestFile;
  std::map<std::string, std::string> pinned;
  for (std::string line; std::getline(file, line);) {
    const size_t space = line.find(' ');
    if (space != std::string::npos) pinned[line.substr(0, space)] = line.substr(space + 1);
  }
  ASSERT_EQ(pinned.size(), pins.size()) << "the table and the file list different pictures";
  for (const Pin& p : pins) {
    ASSERT_TRUE(pinned.count(p.name)) << p.name;
    EXPECT_NE(pinned[p.name], "none") << p.name << " must draw";
    EXPECT_EQ(Digest(p), pinned[p.name]) << p.name;
  }
}

}  // namespace
