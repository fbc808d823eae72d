// Every refusal of kvoBCode, for every encoder: the result and error words the
// request gets, no bitmap, and no drawing object left behind in the platform's
// handle table (heap leaks are the sanitizer's part).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

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
  kalvo::Symbology type;
  int subType;
  std::string data;
  void (*setup)(CBCode&);
  kalvo::ResultCode result;
  kalvo::ResultCode errorCode;
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
        ErrorCase{"LinearOver1024", S::Code128, 0, std::string(1025, 'a'), nullptr, kalvo::kDataTooLong, kalvo::kDone, 0},
        ErrorCase{"ResolutionInMils", S::Code39, 0, "ABC", [](CBCode& c) { c.resolution = 0; c.deviceUnits = 0; }, kalvo::kNothingDrawn, kalvo::kDone, 1},
        ErrorCase{"Ean13Length", S::Ean13, 0, "1234", nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"UpcELength", S::UpcE, 1, "123456", nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"PostnetLength", S::Postnet, 0, "1234", nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"Pdf417Empty", S::Pdf417, 0, "", nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"Pdf417Over2709", S::Pdf417, 0, std::string(2710, 'A'), nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"MicroPdf417Over366", S::MicroPdf417, 0, std::string(367, 'A'), nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"DataMatrixEmpty", S::DataMatrix, 0, "", nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"DataMatrixOver3000", S::DataMatrix, 0, std::string(3001, 'A'), nullptr, kalvo::kLengthNotAllowed, kalvo::kDone, 0},
        ErrorCase{"Code39Lower", S::Code39, 0, "abc", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"FullAsciiHighByte", S::Code39FullAscii, 0, "A\xC0", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"Code93Lower", S::Code93, 0, "abc", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"Code128SetCLetter", S::Code128, 3, "12A4", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"Code128SetALower", S::Code128, 1, "ab", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"Ean8Letter", S::Ean8, 0, "123456A", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"I25Letter", S::Interleaved2of5, 0, "12A4", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"Itf14Letter", S::Itf14, 0, "123456789012A", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"PlesseyLetter", S::Plessey, 0, "12A", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"PostnetLetter", S::Postnet, 0, "1234A", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"MsiLetter", S::Msi, 0, "12A", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"UpcALetter", S::UpcA, 0, "1234567890A", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        // The Codabar encoder's own start and stop rule.
        ErrorCase{"CodabarStartOnly", S::Codabar, 0, "A123", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"CodabarStopOnly", S::Codabar, 0, "123B", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        ErrorCase{"CodabarLetterInside", S::Codabar, 0, "A1C2B", nullptr, kalvo::kInvalidCharacter, kalvo::kDone, 0},
        // A human-readable text beyond the caller's buffer.
        ErrorCase{"CodabarTextTooLong", S::Codabar, 0, "123", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Code39TextTooLong", S::Code39, 0, "ABC", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Code39OwnTextTooLong", S::Code39, 0, std::string(70, 'A'), nullptr, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"FullAsciiTextTooLong", S::Code39FullAscii, 0, "abc", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Code93TextTooLong", S::Code93, 0, "ABC", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Code128TextTooLong", S::Code128, 0, "abc", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Ucc128TextTooLong", S::Ucc128, 0, "1234567", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Ean8TextTooLong", S::Ean8, 0, "1234567", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Ean13TextTooLong", S::Ean13, 0, "123456789012", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"UpcATextTooLong", S::UpcA, 0, "12345678901", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"UpcETextTooLong", S::UpcE, 0, "123456", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"I25TextTooLong", S::Interleaved2of5, 0, "1234", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"Itf14TextTooLong", S::Itf14, 0, "1234567890123", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"PlesseyTextTooLong", S::Plessey, 0, "1234", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"MsiTextTooLong", S::Msi, 0, "1234", OverlongMask, kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"SeveralAisTextTooLong", S::UccEan128Ais, 0, "",
                  [](CBCode& c) {
                    c.aiNames[0] = "10";
                    c.aiValues[0] = "ABC";
                    OverlongMask(c);
                  },
                  kalvo::kDataTooLong, kalvo::kDone, 0, 0},
        ErrorCase{"SeveralAisDataTooLong", S::UccEan128Ais, 0, "",
                  [](CBCode& c) {
                    for (int i = 0; i < 6; ++i) {
                      c.aiNames[i] = "90";
                      c.aiValues[i] = kDigits60.c_str();
                    }
                  },
                  kalvo::kDataTooLong, kalvo::kDone, 0},
        // The two-dimensional encoders.
        ErrorCase{"QrTooLongForVersion40", S::QrCode, 0, std::string(3000, 'x'), [](CBCode& c) { c.qrLevel = 2; }, kalvo::kDoesNotFit, kalvo::kDone,
                  0},
        ErrorCase{"Pdf417MoreThan90Rows", S::Pdf417, 0, std::string(200, 'A'),
                  [](CBCode& c) {
                    c.symbolColumns = 1;
                    c.pdfSecurity = 0;
                  },
                  kalvo::kDone, kalvo::kDataTooLong, 88},
        ErrorCase{"Pdf417StageOver1500", S::Pdf417, 0, std::string(1501, 'A'), nullptr, kalvo::kDone, kalvo::kDataTooLong, 1500},
        ErrorCase{"MicroPdf417TooMuchForItsSize", S::MicroPdf417, 0, "ABCDEFGHIJKL", [](CBCode& c) { c.microPdfSize = 0; }, kalvo::kDone,
                  kalvo::kDataTooLong, 4},
        ErrorCase{"DataMatrixFitsNoSymbol", S::DataMatrix, 0, std::string(1600, '\x01'), nullptr, kalvo::kDone, kalvo::kDone, 0},
        ErrorCase{"DataMatrixNotTheRequestedSize", S::DataMatrix, 0, "ABCDEFGHIJKLMNOP",
                  [](CBCode& c) {
                    c.symbolRows = 10;
                    c.symbolColumns = 10;
                  },
                  kalvo::kDone, kalvo::kDone, 0},
        ErrorCase{"MaxiCodeMode0", S::MaxiCode, 0, "A", [](CBCode& c) { c.maxiMode = 0; }, kalvo::kDone, kalvo::kUnknownMode, 0},
        ErrorCase{"MaxiCodeMode1", S::MaxiCode, 0, "A", [](CBCode& c) { c.maxiMode = 1; }, kalvo::kDone, kalvo::kUnknownMode, 0},
        ErrorCase{"MaxiCodeMode6", S::MaxiCode, 0, "A", [](CBCode& c) { c.maxiMode = 6; }, kalvo::kDone, kalvo::kUnknownMode, 0},
        ErrorCase{"MaxiCodeMode4TooLong", S::MaxiCode, 0, std::string(94, 'A'), [](CBCode& c) { c.maxiMode = 4; }, kalvo::kDone, kalvo::kDataTooLong,
                  0},
        ErrorCase{"MaxiCodeMode5TooLong", S::MaxiCode, 0, std::string(78, 'A'), [](CBCode& c) { c.maxiMode = 5; }, kalvo::kDone, kalvo::kDataTooLong,
                  0},
        ErrorCase{"MaxiCodeCarrierTooLong", S::MaxiCode, 0, "",
                  [](CBCode& c) {
                    c.maxiMode = 2;
                    SetMaxiCarrier(c, std::string(70, 'A'));
                  },
                  kalvo::kDone, kalvo::kCarrierMessage, 0},
        ErrorCase{"MaxiCodeMode3CarrierTooLong", S::MaxiCode, 0, "",
                  [](CBCode& c) {
                    c.maxiMode = 3;
                    SetMaxiCarrier(c, std::string(60, 'a'));
                    c.upsFields[0] = "B1050";
                  },
                  kalvo::kDone, kalvo::kCarrierMessage, 0}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

// On success the only object left is the bitmap, which the caller deletes.
TEST(KalvoObjects, OnlyTheReturnedBitmapOutlivesTheCall) {
  struct Case { kalvo::Symbology type; std::string data; };
  for (const Case& c : std::vector<Case>{{S::Codabar, "A123B"}, {S::Code39, "ABC"}, {S::Code93, "ABC"}, {S::Code128, "abc"}, {S::Ean13, "400638133393"},
                                         {S::UpcE, "123456"}, {S::Interleaved2of5, "1234"}, {S::Itf14, "1234567890123"}, {S::Plessey, "1234"},
                                         {S::Postnet, "12345"}, {S::Msi, "1234"}, {S::Pdf417, "ABC"}, {S::MaxiCode, "ABC"}, {S::DataMatrix, "ABC"},
                                         {S::MicroPdf417, "ABC"}, {S::QrCode, "ABC"}}) {
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
