// MaxiCode through kvoBCode: the fixed physical size, the library's hexagon
// bitmap decoded by zxing-cpp in every mode, and the refusals that leave no
// bitmap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/maxicode/maxicode_module_map.h"
#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Request;

const std::string kRs(1, '\x1E'), kGs(1, '\x1D'), kEot(1, '\x04');

struct MaxiRequest : Request {
  MaxiRequest(int mode, const std::string& data, int resolution = 300) : Request(S::MaxiCode, 0, data) {
    code.maxiMode = static_cast<uint8_t>(mode);
    code.resolution = resolution;
    code.maxiModuleWidth = -1;
    code.maxiModuleHeight = -1;
  }
  void SetFields(const std::vector<std::string>& values) {
    for (size_t i = 0; i < values.size(); ++i) code.upsFields[i] = values[i].c_str();
  }
};

// The two-dimensional symbols are drawn on white whatever the request's
// background colour, as the linear ones are not.
TEST(MaxiCodeThroughKvoBCode, TwoDimensionalSymbolsAreDrawnOnWhite) {
  constexpr COLORREF kBlue = 0xFF0000;  // COLORREF is 0x00BBGGRR
  for (S symbology : {S::MaxiCode, S::QrCode, S::DataMatrix, S::Code128}) {
    Request r(symbology, 0, "WHITE");
    r.code.maxiMode = 4;
    r.code.moduleSize2D = 3;
    r.code.resolution = 300;
    r.code.backColor = kBlue;
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0) << symbology;
    ASSERT_NE(r.code.bitmap, nullptr) << symbology;
    const int white = kalvo_test::CountPixelsOfColour(r.code, 0xFFFFFF);
    const int blue = kalvo_test::CountPixelsOfColour(r.code, 0x0000FF);
    if (symbology == S::Code128) {
      EXPECT_GT(blue, 0);
    } else {
      EXPECT_EQ(blue, 0) << symbology;
      EXPECT_GT(white, 0) << symbology;
    }
    DeleteObject(r.code.bitmap);
  }
}

std::string DecodeBitmap(CBCode& code) {
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::MaxiCode);
  hints.setIsPure(true);
  const ZXing::Result result = kalvo_test::Decode(kalvo_test::TakeBitmap(code), 24, hints);
  return result.isValid() ? kalvo_test::BytesOf(result) : "<not decoded>";
}

const std::vector<std::string> kCarrierFields = {"", "840", "001", "1Z12345675", "0001", "123456789", "1/1",
                                                 "10.1", "Y", "", "NEW YORK", "NY", ""};

std::string ExpectedCarrierText(const std::string& postal) {
  return "[)>" + kRs + "01" + kGs + "96" + postal + kGs + "840" + kGs + "001" + kGs + "1Z12345675" + kGs + "UPSN" +
         kGs + "0001" + kGs + "123456789" + kGs + "1/1" + kGs + "10.1" + kGs + "Y" + kGs + kGs + "NEW YORK" + kGs +
         "NY" + kGs + kRs + kEot;
}

TEST(MaxiCodeThroughKvoBCode, SizesAt300Dpi) {
  MaxiRequest r(4, "SIZES");
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.width, 312);
  EXPECT_EQ(r.code.height, 300);
  EXPECT_EQ(r.code.barHeight, 300);
  EXPECT_EQ(r.code.maxiModuleWidth, 6);
  EXPECT_EQ(r.code.maxiModuleHeight, 5);
  EXPECT_EQ(r.code.quietZone, 6);
  EXPECT_EQ(r.code.padRight, 0);
  EXPECT_EQ(r.code.errorCode, 0);
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
  EXPECT_EQ(grey.width, 312);
  EXPECT_EQ(grey.height, 300);
  // The finder's centre is white, its outer ring dark.
  EXPECT_FALSE(grey.Dark(151, 150));
  EXPECT_TRUE(grey.Dark(151 + 43, 150));
}

TEST(MaxiCodeThroughKvoBCode, MeasureOnlyDrawsNothing) {
  MaxiRequest r(2, "", 200);
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 1);
  EXPECT_EQ(r.code.width, 208);
  EXPECT_EQ(r.code.height, 200);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

TEST(MaxiCodeThroughKvoBCode, CarrierMessageModesDecode) {
  struct Case { int mode; std::string postal; std::string decodedPostal; };
  for (const Case& c : std::vector<Case>{{2, "100110000", "100110000"}, {2, "10011", "100110000"},
                                         {3, "b1050", "B1050 "}, {3, "W1A1AA", "W1A1AA"}}) {
    MaxiRequest r(c.mode, "ignored in modes 2 and 3");
    r.SetFields(kCarrierFields);
    r.code.upsFields[0] = c.postal.c_str();
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    ASSERT_NE(r.code.bitmap, nullptr) << c.postal;
    EXPECT_EQ(DecodeBitmap(r.code), ExpectedCarrierText(c.decodedPostal)) << c.mode << " " << c.postal;
  }
}

TEST(MaxiCodeThroughKvoBCode, TextModesDecode) {
  struct Case { int mode; std::string data; };
  for (const Case& c : std::vector<Case>{{4, "Kalvo MaxiCode mode 4, 123456789 and lower case"},
                                         {4, "\xC4pfel, \xE9t\xE9 & \xA9 2026"},
                                         {5, "MODE 5 ENHANCED ERROR CORRECTION 0123456789"},
                                         {4, std::string(93, '7').replace(0, 1, "A")}}) {
    MaxiRequest r(c.mode, c.data);
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    EXPECT_EQ(DecodeBitmap(r.code), c.data) << c.mode;
  }
}

TEST(MaxiCodeThroughKvoBCode, ScaledToTheTargetResolution) {
  MaxiRequest r(4, "SCALED TO 600 DPI", 300);
  r.code.targetResolution = 600;
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.width, 312);
  EXPECT_EQ(r.code.maxiModuleWidth, 12);
  EXPECT_EQ(r.code.padRightTarget, 0);
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
  EXPECT_EQ(grey.width, 624);
  EXPECT_EQ(grey.height, 600);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::MaxiCode);
  hints.setIsPure(true);
  EXPECT_EQ(kalvo_test::BytesOf(kalvo_test::Decode(grey, 40, hints)), "SCALED TO 600 DPI");
}

TEST(MaxiCodeThroughKvoBCode, OddWidthsArePaddedToEight) {
  MaxiRequest r(4, "PADDING", 203);  // 211 pixels wide
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.width, 211);
  EXPECT_EQ(r.code.padRight, 5);
  EXPECT_EQ(kalvo_test::TakeBitmap(r.code).width, 216);
}

TEST(MaxiCodeThroughKvoBCode, RefusalsLeaveNoBitmap) {
  struct Case { int mode; std::string data; std::string field3; int error; };
  for (const Case& c : std::vector<Case>{{1, "A", "", 110},
                                         {6, "A", "", 110},
                                         {0, "A", "", 110},
                                         {4, std::string(94, 'A'), "", 100},
                                         {5, std::string(78, 'A'), "", 100},
                                         {2, "", std::string(70, 'A'), 116},
                                         {3, "", std::string(60, 'a'), 116}}) {
    MaxiRequest r(c.mode, c.data);
    r.SetFields(kCarrierFields);
    if (!c.field3.empty()) r.code.upsFields[3] = c.field3.c_str();
    EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
    EXPECT_EQ(r.code.errorCode, c.error) << c.mode;
    EXPECT_EQ(r.code.bitmap, nullptr) << c.mode;
  }
}

TEST(MaxiCodeThroughKvoBCode, LongestCarrierMessageKeepsItsTrailer) {
  // The empty frame takes 28 of the 84 secondary codewords ("[" and ">" are
  // shifts to set B, EOT a shift to set E): 56 more characters of set A fit.
  for (int fill : {56, 57}) {
    MaxiRequest r(2, "");
    r.SetFields({"10011", "840", "1", "", "", "", "", "", "", "", "", "", std::string(fill, 'B')});
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    if (fill == 57) {
      EXPECT_EQ(r.code.errorCode, 116);
      EXPECT_EQ(r.code.bitmap, nullptr);
      continue;
    }
    EXPECT_EQ(DecodeBitmap(r.code), "[)>" + kRs + "01" + kGs + "96" + "100110000" + kGs + "840" + kGs + "001" + kGs +
                                        kGs + "UPSN" + kGs + std::string(8, '\x1D') + std::string(fill, 'B') + kRs +
                                        kEot);
  }
}

// The decoder corrects up to 5 wrong codewords of the primary message. In the
// library's own bitmap, 5 primary codewords are turned wrong on purpose (each
// of their modules painted over in the other colour at its nominal centre):
// one more wrong codeword, such as one misplaced by the module map, would make
// the symbol unreadable. The corrupted ones move round by round so that every
// primary codeword is read as placed at least once.
TEST(MaxiCodeThroughKvoBCode, EveryPrimaryCodewordIsPlacedWhereTheDecoderReadsIt) {
  constexpr int kDpi = 600;
  auto decodeWithWrongCodewords = [](const std::vector<int>& wrong) {
    MaxiRequest r(4, "PRIMARY PLACEMENT", kDpi);
    EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
    kalvo_test::Grey g = kalvo_test::TakeBitmap(r.code);
    const auto& bits = kalvo::maxicode::MaxiCodeBitModules();
    for (int cw : wrong) {
      for (int b = 0; b < 6; ++b) {
        const int row = bits[6 * cw + b] / 30, column = bits[6 * cw + b] % 30;
        const int cy = static_cast<int>((0.0299212 * row + 0.0205) * kDpi + 0.5);
        const int cx = static_cast<int>((column + (row % 2 == 1 ? 1.0 : 0.5)) * 0.0346456 * kDpi + 0.5);
        const uint8_t other = g.Dark(cx, cy) ? 255 : 0;
        for (int y = cy - 3; y <= cy + 3; ++y)
          for (int x = cx - 3; x <= cx + 3; ++x) g.pixels[static_cast<size_t>(y) * g.width + x] = other;
      }
    }
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::MaxiCode);
    hints.setIsPure(true);
    const ZXing::Result result = kalvo_test::Decode(g, 40, hints);
    return result.isValid() ? kalvo_test::BytesOf(result) : "<not decoded>";
  };
  for (int round = 0; round < 4; ++round) {
    std::vector<int> wrong;
    for (int i = 0; i < 5; ++i) wrong.push_back(5 * round + i);
    EXPECT_EQ(decodeWithWrongCodewords(wrong), "PRIMARY PLACEMENT") << "round " << round;
  }
  EXPECT_EQ(decodeWithWrongCodewords({0, 1, 2, 3, 4, 5}), "<not decoded>");
}

}  // namespace
