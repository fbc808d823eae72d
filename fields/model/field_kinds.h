// The field classes, one per kind, with their own members in record order.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "fields/model/field.h"
#include "fields/model/field_picture.h"

class PLWinBmp;

// A 60-byte LOGFONT with the defaults of the field fonts: the given height
// (points), weight 400, out-precision 4, clip 0, the given quality, "Arial".
LOGFONTA MakeFieldLogFont(LONG height, BYTE quality);

class CLineField : public CField {
 public:
  CLineField();
  void GetAppearanceKey(AString& out) const override;

  BdrData line;
  int32_t lineSpare1 = 0;
  int32_t lineSpare2 = 0;
};

class CBoxField : public CField {
 public:
  CBoxField();
  void GetAppearanceKey(AString& out) const override;

  int32_t horizontalLineWidth = 12;
  int32_t verticalLineWidth = 12;
};

class CEllipseField : public CField {
 public:
  CEllipseField();
  void GetAppearanceKey(AString& out) const override;
  int GetResizeMode(int* second) const override;

  BdrData line;
  int32_t cornerRadius = -1;
  int32_t shapeFlags = 0;  // bit 0 fill inside, bit 1 circle
  int32_t ellipseSpare1 = 0;
  int32_t ellipseSpare2 = 0;
};

inline constexpr int32_t kShapeFillInside = 1;
inline constexpr int32_t kShapeCircle = 2;

class CTextField : public CField {
 public:
  CTextField();
  int StashData() override;
  int RestoreData() override;
  void GetAppearanceKey(AString& out) const override;

  uint8_t windowsFont = 1;
  AString fontName;
  int16_t fontSpare1 = 0, fontSpare2 = 0, fntId = 0;
  LOGFONTA logFont;
  AString fontVariation, data, formatTemplate;
  int16_t tabSpaces;
  AString offsetUnit, rolloverResetTo, rolloverLimit;
  int32_t increment = 0;
  int32_t duplicates = 1;
  uint8_t useFormatTemplate = 0, rollover = 0, counterType = 2, customHR = 0;
  int32_t textSpare1 = 0;
  int16_t clockSource = 0;
  int32_t dateOffset = 0;
  int16_t dateFormat = 0, timeFormat = 0;
  AString prefix;
  uint8_t currencyFormat = 0, numberFormat = 0, decimalPlaces = 2, showSign = 0;
};

class CParagraphField : public CField {
 public:
  explicit CParagraphField(int richFlag = 0);
  int StashData() override;
  int RestoreData() override;
  void GetAppearanceKey(AString& out) const override;

  CFieldPicture picture;
  uint8_t richFlag = 0;
  AString fontName;
  int16_t fontSpare1 = 0, fontSpare2 = 0, fntId = 0;
  LOGFONTA logFont;
  AString fontVariation, data, offsetUnit;
  int16_t clockSource = 0;
  int32_t dateOffset = 0;
  int16_t dateFormat = 0, timeFormat = 0;
  double lineSpacing = 0.0;  // extra space between lines, as a fraction of the line height
  int32_t wrapWidth = 2000;
  uint8_t wordWrap = 1, fitFont = 0;
  int16_t maxLines = 5, paragraphMinChars = 0, lineCount = 0;
  int16_t tabSpaces;
  int32_t indent = 0;
};

// Resize options of an image field.
inline constexpr uint8_t kPictureKeepAspect = 0;
inline constexpr uint8_t kPictureAnyAspect = 1;
inline constexpr uint8_t kPictureOriginalSize = 2;

class CImageField : public CField {
 public:
  CImageField();
  ~CImageField() override;
  int StashData() override;
  int RestoreData() override;
  void GetAppearanceKey(AString& out) const override;
  int GetResizeMode(int* second) const override;

  CFieldPicture picture;
  int16_t pictureFormat = 0;
  // Only the field that converted another into this picture deletes its
  // file; copies and read fields start with 0.
  uint8_t deleteFileOnDestroy = 0;
  AString fileName;
  int32_t imageGroup = 0;
  uint8_t pictureMode = kPictureKeepAspect, convertedFlag = 0, imageSpare1 = 0;
  AString data;
};

class COleField : public CField {
 public:
  COleField();
  CFieldPicture picture;
  void* oleItem = nullptr;
};

class CRtfField : public CField {
 public:
  CRtfField();
  int StashData() override;
  int RestoreData() override;
  void GetAppearanceKey(AString& out) const override;

  CFieldPicture picture;
  AString rtfFile;
  uint8_t fitFont = 0;
  int16_t fontSizeStep = 0;
};

class CBarcodeField : public CField {
 public:
  // dpi > 0 sizes the 2-D modules for that resolution (12 mils).
  explicit CBarcodeField(int dpi = 0);
  ~CBarcodeField() override;
  int16_t SetDataSourceType(int16_t type, int keepOld) override;
  int StashData() override;
  int RestoreData() override;
  void GetAppearanceKey(AString& out) const override;
  int GetResizeMode(int* second) const override;

  // A new HIBC field: symbology 1, sub-type 1, useHibc 1, hibcForm 0,
  // textShowsCheck 1.
  void SetDefaults();
  void FreeCachedBitmap();
  // Drops the cached rendering and renders anew (flag bit 0: for the screen,
  // in the dimmed contrasting colour); null when nothing could be drawn.
  PLWinBmp* GetRendering(int dpi, const char* printerName, const char* driverName, int byDriver, int dpiY,
                         unsigned flags);
  // Mode 0 saves the live codes, 1 puts them back, any other turns each
  // live Prompt Before Print into Fixed Data.
  void BackupAiSources(int mode);
  void BackupUpsSources(int mode);

  int16_t hrSeparate = 0, symbology = 0, subType = 0;
  int32_t barHeight = 500, padRight = 0, padRightTarget = 0;
  int32_t increment = 0, duplicates = 1, barcodeSpare1 = 0;
  AString rolloverLimit, rolloverResetTo;
  uint8_t rollover = 0, counterType = 2, showHr = 1, useTextMask = 0, textShowsCheck = 0, barcodeSpare2 = 0;
  uint8_t designerDrawsText = 1, textShowsStars = 1, textShowsStartStop = 1, codabarStart = 0, codabarStop = 1;
  uint8_t codabarUpper = 1, itfNoSideBearers = 0, itfBearerFactor = 2, itfQuietFactor = 10, addMod10 = 0;
  uint8_t barcodeSpare3 = 1, aiParentheses = 1;
  int32_t mod10Start = 0, textAlign = 0, hrAbove = 0;
  int16_t narrowBar = 1, ratio = 200, barcodeSpare4 = 0;
  int32_t suppX = 0, suppBarHeight = 0, suppWidth = 0, suppGap = 0, guardExtra = 0;
  int32_t textHeight = 16, textGap = 10, textWidth = 8, hrWidth = 0;
  int16_t threeModules = 0, textLeft = 0, textRight = 0;
  std::array<double, 2> outerDigitScale{};
  int32_t hrGapWidth = 0;
  uint8_t hrFontSet = 1;
  AString hrFontFace;
  int16_t hrFontSpare1 = 0, hrFontSpare2 = 0, hrFntId = 0;
  LOGFONTA hrLogFont;
  AString hrFontVariation, textMask, offsetUnit;
  AString data, dataAlt, hrResult;
  int32_t bearerWidth = 0;
  std::array<uint8_t, 6> aiSource{}, aiSourceBackup{};
  std::array<AString, 6> aiCode, aiData;
  int16_t moduleSize2D = 2, rowHeight2D = 6, symbolRows = 0, symbolColumns = 0;
  int16_t pdfSecurity = -1, barcodeSpare5 = 0;
  uint8_t pdfTruncated = 0;
  int32_t barcodeSpare6 = 0;
  int16_t qrLevel = 13;
  int32_t code49RowHeight = 400;
  int16_t microPdfMode = 0;
  uint8_t maxiMode = 3;
  std::array<uint8_t, 13> upsSource{}, upsSourceBackup{};
  std::array<AString, 13> upsField;
  int16_t clockSource = 0;
  int32_t dateOffset = 0;
  int16_t dateFormat = 0, timeFormat = 0;
  std::unique_ptr<PLWinBmp> cachedBitmap;
  uint8_t cacheIsPrint = 0;
  uint8_t useHibc = 0, hibcForm = 0;
};

// The kind's class for a kind code, freshly constructed; null for 8 and
// unknown codes.
std::unique_ptr<CField> NewFieldOfKind(int kind);
