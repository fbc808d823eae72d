// CBCode: the one request record that crosses between the designer and the
// barcode library, and typAIdef, one application-identifier definition.
//
// Both deliverables compile this declaration. The members follow one another in
// the order below; pointers, handles and AString members have the natural size
// of the platform (the record is only ever exchanged in memory, never stored).
// The constructor and destructor belong to the designer: the library never
// creates or destroys a request.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "barcode/request/symbology.h"
#include "foundation/string/astring.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/types.h"

class CBCode {
 public:
#ifndef KALVO_LIBRARY_BUILD
  CBCode();
  ~CBCode();
  CBCode(const CBCode&) = delete;
  CBCode& operator=(const CBCode&) = delete;
  // Clears the three status words; called again right before each kvoBCode.
  void ResetErrors() {
    errorCode = 0;
    errorValue = 0;
    errorNeeded = 0;
  }
#endif

  uint16_t type = 0;                  // symbology code 0-34
  uint16_t subType = 0;               // variant: check character, code set, supplement
  uint16_t textLeft = 0;              // out: text overhang left of the bars; the bars start here
  uint16_t textRight = 0;             // out: the same on the right
  double outerDigitScaleLeft = 0.0;   // EAN/UPC: scale of the left outer digit (0 = 0.74)
  double outerDigitScaleRight = 0.0;  // EAN/UPC: the same on the right
  int32_t padRight = 0;               // out: dots added so the bitmap width is a multiple of 8
  int32_t padRightTarget = 0;         // out: the same at targetResolution
  uint8_t textPosition = 1;           // 0 none, 1 below, 2 above
  uint8_t textSpaceOnly = 0;          // reserve the text row but do not draw it
  uint8_t textShowsCheck = 0;         // Code 39, I 2/5: the text includes the check character
  uint8_t deviceUnits = 1;            // narrowWidth in dots (1) or in mils (0)
  uint8_t textShowsStars = 1;         // Code 39: show the * in the text
  uint8_t textShowsStartStop = 1;     // Codabar: show start and stop in the text
  uint8_t codabarStart = 0;           // 0-3 for A-D
  uint8_t codabarStop = 0;            // 0-3 for A-D
  uint8_t codabarUpper = 0;           // start/stop upper case in the text
  uint8_t itfNoSideBearers = 0;       // ITF-14: bearers only above and below
  uint8_t itfBearerFactor = 0;        // ITF-14: bearer thickness in modules
  uint8_t itfQuietFactor = 0;         // ITF-14: side quiet zone in modules
  uint8_t addMod10 = 0;               // Code 128 C with FNC1: append a mod 10 digit
  uint8_t barcodeSpare3 = 0;          // designer's field member, not read here
  uint8_t noText = 0;                 // no human-readable text at all
  uint8_t longGuards = 1;             // EAN/UPC: guards run into the text row
  uint8_t aiParentheses = 0;          // several AIs: brackets around each identifier
  uint8_t useTextMask = 0;            // apply textMask
  int32_t mod10Start = 0;             // Code 128 C mod 10: first digit counted, padding index
  int32_t width = 0;                  // out: symbol width in dots, padding excluded
  int32_t height = 0;                 // out: symbol height in dots
  int32_t textOffsetX = 0;            // EAN/UPC: added to the x of every text item
  int32_t textTopY = 0;               // y of the text row when it is above
  int32_t rotation = 0;               // designer only
  int32_t suppX = 0;                  // out: EAN/UPC supplement x
  int32_t suppBarHeight = 0;          // out: supplement bar height
  int32_t suppWidth = 0;              // out: supplement width
  int32_t suppGap = 0;                // out: gap before the supplement
  int32_t guardExtra = 0;             // out: guard bars longer than data bars by this
  uint16_t threeModules = 0;          // out: 3 modules in dots
  uint16_t narrowWidth = 1;           // module width, dots or mils
  uint16_t ratio = 200;               // wide-to-narrow ratio in percent
  int16_t barShrink = 0;              // dots taken off every bar's right edge
  int32_t resolution = 200;           // dpi of the symbol's computation
  int32_t targetResolution = 0;       // dpi of the bitmap; <= 0 means resolution
  int32_t barHeight = 100;            // in/out: bar height in dots
  char* data = nullptr;               // zero-terminated data
  int32_t dataLength = 0;             // in/out: length of data
  char* hrText = nullptr;             // receives the human-readable text
  int32_t hrLength = 0;               // in: capacity less 64; out: text length
  AString textMask;                   // mask of the human-readable text
  int32_t textGap = 30;               // in/out: gap between bars and text
  int32_t textHeight = 70;            // in/out: text row height
  int32_t textWidth = 50;             // designer's field member, not read here
  int32_t textAlign = 0;              // 0 centred, < 0 left, > 0 right
  LOGFONTA font{};                    // in/out: text font
  COLORREF textColor = 0;
  COLORREF textBackColor = 0xFFFFFF;
  COLORREF barColor = 0;
  COLORREF backColor = 0xFFFFFF;
  int32_t quietZone = 0;              // in: Code 39 asks for quiet zones; out: one side's zone
  int32_t bearerWidth = 0;            // out: ITF-14 bearer thickness
  int32_t errorCode = 0;              // out: two-dimensional encoders
  int32_t errorValue = 0;             // out: 1 when resolution was unusable
  int32_t errorNeeded = 0;            // out: PDF417 needed count
  AString aiNames[6];                 // several AIs: the identifiers
  AString aiValues[6];                // and their data
  uint16_t moduleSize2D = 0;
  uint16_t rowHeight2D = 0;
  int16_t symbolRows = 0;
  int16_t symbolColumns = 0;
  uint8_t pdfSecurity = 0;
  uint8_t pdfTruncated = 0;
  int32_t barcodeSpare6 = 0;
  int16_t barcodeSpare5 = 0;
  uint16_t qrLevel = 0;
  int32_t code49RowHeight = 0;
  int16_t microPdfMode = 0;
  int16_t microPdfSize = 0;
  int32_t pdfLimits[5]{};
  uint8_t maxiMode = 0;
  AString upsFields[13];
  int32_t maxiModuleWidth = 0;
  int32_t maxiModuleHeight = 0;
  HBITMAP bitmap = nullptr;           // out: the symbol, owned by the caller
};

#ifndef KALVO_LIBRARY_BUILD
inline CBCode::CBCode() {
  // Every member has a defined value: the table's default, or zero where the
  // designer would fill it from the field before the call, so a request that
  // leaves a member alone still draws what the defaults say.
  std::memset(&font, 0, sizeof font);
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font);
  std::strncpy(font.lfFaceName, "Arial", LF_FACESIZE - 1);
  font.lfFaceName[LF_FACESIZE - 1] = 0;
  font.lfWeight = 600;
}

inline CBCode::~CBCode() {
  std::free(data);
  data = nullptr;
  std::free(hrText);
  hrText = nullptr;
}
#endif

// One application-identifier definition: 112 bytes, shared with the designer.
struct typAIdef {
  char identifier[8];    // 0: zero-terminated, e.g. "00"
  char title[80];        // 8: zero-terminated
  char lengthText[8];    // 88: the length token as written, e.g. "1-20"
  int32_t minLength;     // 96
  int32_t maxLength;     // 100: equal to minLength for fixed lengths
  int32_t checkFlag;     // 104: non-zero: a mod 10 digit follows the value
  int32_t charKinds;     // 108: bit 0 digits (N), bit 1 letters and digits (A)
};
static_assert(sizeof(typAIdef) == 112);
