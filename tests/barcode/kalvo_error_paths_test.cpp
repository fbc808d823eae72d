// Every refusal of kvoBCode, for every encoder: the result and error words the
// request gets, no bitmap, and no drawing object left behind in the platform's
// handle table (heap leaks are the sanitizer's part).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using kalvo_test::Request;

// Drawing-object handles carry a serial number that is never reused and a
// kind tag in their low byte; a fresh brush tells the next serial.
uintptr_t NextSerial() {
  HBRUSH probe = CreateSolidBrush(0);
  const uintptr_t serial = reinterpret_cast<uintptr_t>(probe) >> 8;
  DeleteObject(probe);
  return serial;
}

// Handles made between two probes that are still alive.
int LiveObjectsBetween(uintptr_t first, uintptr_t last) {
  int live = 0;
  for (uintptr_t serial = first + 1; serial < last; ++serial) {
    for (uintptr_t tag = 1; tag <= 6; ++tag) {
      if (GetObjectType(reinterpret_cast<HGDIOBJ>((serial << 8) | tag)) != 0) ++live;
    }
  }
  return live;
}

// A text mask that makes every human-readable text longer than the request's
// buffer (64 bytes beyond a stated capacity of 0).
void OverlongMask(CBCode& c) {
  c.useTextMask = 1;
  c.textMask = (std::string(80, 'x') + std::string(16, '?')).c_str();
}

void SetMaxiCarrier(CBCode& c, const std::string& field3) {
  const std::vector<std::string> fields = {"10011", "840", "001", field3, "0001", "123456789", "1/1",
                                           "10.1", "Y", "", "NEW YORK", "NY", ""};
  for (size_t i = 0; i < fields.size(); ++i) c.upsFields[i] = fields[i].c_str();
}

struct ErrorCase {
  const char* name;
  int type;
  int subType;
  std::string data;
  void (*setup)(CBCode&);
  int result;
  int errorCode;
  int errorValue;
  int hrCapacity = -1;
};

class ErrorPath : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorPath, ReturnsItsCodeAndLeavesNothingBehind) {
  const ErrorCase& c = GetParam();
  Request r(c.type, c.subType, c.data, c.hrCapacity);
  r.code.resolution = 300;
  r.code.moduleSize2D = 2;
  r.code.maxiModuleWidth = -1;
  r.code.maxiModuleHeight = -1;
  r.code.rowHeight2D = 0;
  r.code.symbolColumns = 0;
  r.code.pdfSecurity = 9;
  r.code.pdfTruncated = 0;
  if (c.setup != nullptr) c.setup(r.code);
  const uintptr_t before = NextSerial();
  EXPECT_EQ(kvoBCode(0, &r.code, 0), c.result);
  const uintptr_t after = NextSerial();
  EXPECT_EQ(r.code.bitmap, nullptr);
  EXPECT_EQ(r.code.errorCode, c.errorCode);
  EXPECT_EQ(r.code.errorValue, c.errorValue);
  EXPECT_EQ(LiveObjectsBetween(before, after), 0);
  if (r.code.bitmap != nullptr) DeleteObject(r.code.bitmap);
}

const std::string kDigits60(60, '1');

INSTANTIATE_TEST_SUITE_P(
    Kalvo, ErrorPath,
    testing::Values(
        // The entry's own checks, in their order.
        ErrorCase{"LinearOver1024", 4, 0, std::string(1025, 'a'), nullptr, 100, 0, 0},
        ErrorCase{"ResolutionInMils", 1, 0, "ABC", [](CBCode& c) { c.resolution = 0; c.deviceUnits = 0; }, 1, 0, 1},
        ErrorCase{"Ean13Length", 6, 0, "1234", nullptr, 102, 0, 0},
        ErrorCase{"UpcELength", 22, 1, "123456", nullptr, 102, 0, 0},
        ErrorCase{"PostnetLength", 24, 0, "1234", nullptr, 102, 0, 0},
        ErrorCase{"Pdf417Empty", 27, 0, "", nullptr, 102, 0, 0},
        ErrorCase{"Pdf417Over2709", 27, 0, std::string(2710, 'A'), nullptr, 102, 0, 0},
        ErrorCase{"MicroPdf417Over366", 31, 0, std::string(367, 'A'), nullptr, 102, 0, 0},
        ErrorCase{"DataMatrixEmpty", 29, 0, "", nullptr, 102, 0, 0},
        ErrorCase{"DataMatrixOver3000", 29, 0, std::string(3001, 'A'), nullptr, 102, 0, 0},
        ErrorCase{"Code39Lower", 1, 0, "abc", nullptr, 104, 0, 0},
        ErrorCase{"FullAsciiHighByte", 2, 0, "A\xC0", nullptr, 104, 0, 0},
        ErrorCase{"Code93Lower", 3, 0, "abc", nullptr, 104, 0, 0},
        ErrorCase{"Code128SetCLetter", 4, 3, "12A4", nullptr, 104, 0, 0},
        ErrorCase{"Code128SetALower", 4, 1, "ab", nullptr, 104, 0, 0},
        ErrorCase{"Ean8Letter", 5, 0, "123456A", nullptr, 104, 0, 0},
        ErrorCase{"I25Letter", 10, 0, "12A4", nullptr, 104, 0, 0},
        ErrorCase{"Itf14Letter", 11, 0, "123456789012A", nullptr, 104, 0, 0},
        ErrorCase{"PlesseyLetter", 12, 0, "12A", nullptr, 104, 0, 0},
        ErrorCase{"PostnetLetter", 24, 0, "1234A", nullptr, 104, 0, 0},
        ErrorCase{"MsiLetter", 26, 0, "12A", nullptr, 104, 0, 0},
        ErrorCase{"UpcALetter", 21, 0, "1234567890A", nullptr, 104, 0, 0},
        // The Codabar encoder's own start and stop rule.
        ErrorCase{"CodabarStartOnly", 0, 0, "A123", nullptr, 104, 0, 0},
        ErrorCase{"CodabarStopOnly", 0, 0, "123B", nullptr, 104, 0, 0},
        ErrorCase{"CodabarLetterInside", 0, 0, "A1C2B", nullptr, 104, 0, 0},
        // A human-readable text beyond the caller's buffer.
        ErrorCase{"CodabarTextTooLong", 0, 0, "123", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Code39TextTooLong", 1, 0, "ABC", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Code39OwnTextTooLong", 1, 0, std::string(70, 'A'), nullptr, 100, 0, 0, 0},
        ErrorCase{"FullAsciiTextTooLong", 2, 0, "abc", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Code93TextTooLong", 3, 0, "ABC", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Code128TextTooLong", 4, 0, "abc", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Ucc128TextTooLong", 18, 0, "1234567", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Ean8TextTooLong", 5, 0, "1234567", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Ean13TextTooLong", 6, 0, "123456789012", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"UpcATextTooLong", 21, 0, "12345678901", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"UpcETextTooLong", 22, 0, "123456", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"I25TextTooLong", 10, 0, "1234", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"Itf14TextTooLong", 11, 0, "1234567890123", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"PlesseyTextTooLong", 12, 0, "1234", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"MsiTextTooLong", 26, 0, "1234", OverlongMask, 100, 0, 0, 0},
        ErrorCase{"SeveralAisTextTooLong", 20, 0, "",
                  [](CBCode& c) {
                    c.aiNames[0] = "10";
                    c.aiValues[0] = "ABC";
                    OverlongMask(c);
                  },
                  100, 0, 0, 0},
        ErrorCase{"SeveralAisDataTooLong", 20, 0, "",
                  [](CBCode& c) {
                    for (int i = 0; i < 6; ++i) {
                      c.aiNames[i] = "90";
                      c.aiValues[i] = kDigits60.c_str();
                    }
                  },
                  100, 0, 0},
        // The two-dimensional encoders.
        ErrorCase{"QrTooLongForVersion40", 33, 0, std::string(3000, 'x'), [](CBCode& c) { c.qrLevel = 2; }, -1, 0,
                  0},
        ErrorCase{"Pdf417MoreThan90Rows", 27, 0, std::string(200, 'A'),
                  [](CBCode& c) {
                    c.symbolColumns = 1;
                    c.pdfSecurity = 0;
                  },
                  0, 100, 88},
        ErrorCase{"Pdf417StageOver1500", 27, 0, std::string(1501, 'A'), nullptr, 0, 100, 1500},
        ErrorCase{"MicroPdf417TooMuchForItsSize", 31, 0, "ABCDEFGHIJKL", [](CBCode& c) { c.microPdfSize = 0; }, 0,
                  100, 4},
        ErrorCase{"DataMatrixFitsNoSymbol", 29, 0, std::string(1600, '\x01'), nullptr, 0, 0, 0},
        ErrorCase{"DataMatrixNotTheRequestedSize", 29, 0, "ABCDEFGHIJKLMNOP",
                  [](CBCode& c) {
                    c.symbolRows = 10;
                    c.symbolColumns = 10;
                  },
                  0, 0, 0},
        ErrorCase{"MaxiCodeMode0", 28, 0, "A", [](CBCode& c) { c.maxiMode = 0; }, 0, 110, 0},
        ErrorCase{"MaxiCodeMode1", 28, 0, "A", [](CBCode& c) { c.maxiMode = 1; }, 0, 110, 0},
        ErrorCase{"MaxiCodeMode6", 28, 0, "A", [](CBCode& c) { c.maxiMode = 6; }, 0, 110, 0},
        ErrorCase{"MaxiCodeMode4TooLong", 28, 0, std::string(94, 'A'), [](CBCode& c) { c.maxiMode = 4; }, 0, 100,
                  0},
        ErrorCase{"MaxiCodeMode5TooLong", 28, 0, std::string(78, 'A'), [](CBCode& c) { c.maxiMode = 5; }, 0, 100,
                  0},
        ErrorCase{"MaxiCodeCarrierTooLong", 28, 0, "",
                  [](CBCode& c) {
                    c.maxiMode = 2;
                    SetMaxiCarrier(c, std::string(70, 'A'));
                  },
                  0, 116, 0},
        ErrorCase{"MaxiCodeMode3CarrierTooLong", 28, 0, "",
                  [](CBCode& c) {
                    c.maxiMode = 3;
                    SetMaxiCarrier(c, std::string(60, 'a'));
                    c.upsFields[0] = "B1050";
                  },
                  0, 116, 0}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

// On success the only object left is the bitmap, which the caller deletes.
TEST(KalvoObjects, OnlyTheReturnedBitmapOutlivesTheCall) {
  struct Case { int type; std::string data; };
  for (const Case& c : std::vector<Case>{{0, "A123B"}, {1, "ABC"}, {3, "ABC"}, {4, "abc"}, {6, "400638133393"},
                                         {22, "123456"}, {10, "1234"}, {11, "1234567890123"}, {12, "1234"},
                                         {24, "12345"}, {26, "1234"}, {27, "ABC"}, {28, "ABC"}, {29, "ABC"},
                                         {31, "ABC"}, {33, "ABC"}}) {
    Request r(c.type, 0, c.data);
    r.code.resolution = 300;
    r.code.moduleSize2D = 2;
    r.code.maxiMode = 4;
    r.code.maxiModuleWidth = -1;
    r.code.maxiModuleHeight = -1;
    r.code.rowHeight2D = 0;
    r.code.symbolColumns = 0;
    r.code.pdfSecurity = 9;
    r.code.pdfTruncated = 0;
    const uintptr_t before = NextSerial();
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0) << c.type;
    ASSERT_NE(r.code.bitmap, nullptr) << c.type;
    EXPECT_EQ(GetObjectType(r.code.bitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_TRUE(DeleteObject(r.code.bitmap));
    r.code.bitmap = nullptr;
    EXPECT_EQ(LiveObjectsBetween(before, NextSerial()), 0) << c.type;
  }
}

}  // namespace
