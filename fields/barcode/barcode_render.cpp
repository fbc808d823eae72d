#include "fields/barcode/barcode_render.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "barcode/kalvo.h"
#include "fields/services/label_setup.h"
#include "foundation/gdi_helpers/colour.h"
#include "foundation/system/printer_metrics.h"
#include "image/bitmap/planybmp.h"
#include "image/bitmap/plwinbmp.h"
#include "image/filter/plfilterrotate.h"

namespace {

constexpr int kAiDataLength = 256;  // symbology 20 builds its data from the identifiers

bool IsAiSymbology(const CBarcodeField& f) { return f.symbology == kalvo::CodeOf(kalvo::Symbology::UccEan128Ais); }

bool IsUpcEanGroup(int symbology) { return IsUPCEANGroup(symbology) != 0; }

// Turned far enough from the horizontal that width and height swap.
bool SwapsSize(int32_t rotation) {
  return (rotation > 1000 && rotation < 179000) || (rotation > 181000 && rotation < 359000);
}

// The request's data and text buffers, each 64 bytes beyond what the length
// fields say, zeroed, holding all of the field's data.
void FillBuffers(CBCode& r, const CBarcodeField& f) {
  const int length = f.data.GetLength();
  r.dataLength = IsAiSymbology(f) ? std::max(kAiDataLength, length) : length;
  r.data = static_cast<char*>(std::calloc(static_cast<size_t>(r.dataLength) + 64, 1));
  if (length > 0) std::memcpy(r.data, f.data.GetData(), static_cast<size_t>(length));
  r.hrLength = IsAiSymbology(f) ? std::max(kAiDataLength, length * 3 / 2) : r.dataLength * 3 / 2;
  r.hrText = static_cast<char*>(std::calloc(static_cast<size_t>(r.hrLength) + 64, 1));
}

void FillTextOptions(CBCode& r, const CBarcodeField& f) {
  r.type = static_cast<uint16_t>(f.symbology);
  r.subType = static_cast<uint16_t>(f.subType);
  r.textPosition = static_cast<uint8_t>(f.showHr && f.hrAbove ? 2 : f.showHr);
  r.noText = f.designerDrawsText;
  r.textShowsStars = f.textShowsStars;
  r.textShowsStartStop = f.textShowsStartStop;
  r.codabarStart = f.codabarStart;
  r.codabarStop = f.codabarStop;
  r.codabarUpper = f.codabarUpper;
  r.addMod10 = f.addMod10;
  r.barcodeSpare3 = f.barcodeSpare3;
  r.mod10Start = f.mod10Start;
  r.textShowsCheck = f.textShowsCheck;
  r.aiParentheses = f.aiParentheses;
  r.useTextMask = f.useTextMask;
  r.textMask = IsUpcEanGroup(f.symbology) ? AString() : f.textMask;
  for (size_t i = 0; i < 6; ++i) {
    r.aiNames[i] = f.aiCode[i];
    r.aiValues[i] = f.aiData[i];
  }
  r.barcodeSpare5 = f.barcodeSpare5;
}

int ResolutionFor(int dpi, const char* printerName, const char* driverName, int byDriver, int fallback) {
  if (dpi >= 1) return dpi;
  const char* name = nullptr;
  if (byDriver && driverName && *driverName) {
    name = driverName;
  } else if (printerName && *printerName) {
    name = printerName;
  }
  const int asked = name ? GetPrinterDpiX(name) : 0;
  return asked > 0 ? asked : fallback;
}

// The library's bitmap as a 32-bit picture, turned by the field's rotation.
// The columns the library adds on the right to round the width up (`pad`,
// counted at the bitmap's own resolution) are cut off first, so the symbol
// lies exactly in its field at every angle.
bool TakeSymbol(HBITMAP bitmap, int pad, int32_t rotation, PLBmp* target) {
  PLWinBmp symbol;
  if (!symbol.CreateFromHBitmap(bitmap)) return false;
  PLAnyBmp whole;
  whole.CreateCopy(symbol, 32);
  const int width = pad > 0 && pad < whole.GetWidth() ? whole.GetWidth() - pad : whole.GetWidth();
  PLAnyBmp deep;
  if (!deep.Create(width, whole.GetHeight(), 32, 32, 0, false, false)) return false;
  for (int y = 0; y < whole.GetHeight(); ++y)
    std::memcpy(deep.GetLineArray()[y], whole.GetLineArray()[y], static_cast<size_t>(width) * 4);
  if (rotation == 0) {
    target->CreateCopy(deep, 32);
  } else {
    PLFilterRotate(rotation / 1000.0).Apply(&deep, target);
  }
  return true;
}

int Render(CBarcodeField* f, int dpi, int dpiY, POINT* sizeOut, unsigned flags, PLBmp* target,
           const char* printerName, const char* driverName, int byDriver, bool* drew);

}  // namespace

int32_t BarcodeDotsToMils(int64_t dots, int dpi) {
  // Bounded: a resolution read from a layout file may be tiny.
  return dpi > 0 ? static_cast<int32_t>(std::clamp(static_cast<double>(dots) * 1000.0 / dpi + 0.5, -2e9, 2e9)) : 0;
}

int RenderBarcodeToBitmap(CBarcodeField* f, int dpi, int dpiY, POINT* sizeOut, unsigned flags, PLBmp* target,
                          const char* printerName, const char* driverName, int byDriver) {
  return Render(f, dpi, dpiY, sizeOut, flags, target, printerName, driverName, byDriver, nullptr);
}

namespace {

int Render(CBarcodeField* f, int dpi, int dpiY, POINT* sizeOut, unsigned flags, PLBmp* target,
           const char* printerName, const char* driverName, int byDriver, bool* drew) {
  if (drew) *drew = false;
  if (!f) return 0;
  CBCode r;
  FillTextOptions(r, *f);
  r.rotation = f->rotation;
  r.barColor = r.textColor = f->foreColor;
  r.backColor = r.textBackColor = f->backColor;
  r.width = r.height = 0;
  r.narrowWidth = static_cast<uint16_t>(f->ratio == 250 ? 2 * f->narrowBar : f->narrowBar);
  r.deviceUnits = 1;
  r.resolution = ResolutionFor(dpi, printerName, driverName, byDriver, r.resolution);
  r.targetResolution = dpiY;
  r.ratio = static_cast<uint16_t>(f->ratio);
  r.barHeight = BarcodeMilsToDots(f->barHeight, r.resolution);
  r.barShrink = 0;
  r.textGap = BarcodeMilsToDots(f->textGap, r.resolution);
  r.textHeight = BarcodeMilsToDots(f->textHeight, r.resolution);
  r.textWidth = BarcodeMilsToDots(f->textWidth, r.resolution);
  r.itfNoSideBearers = f->itfNoSideBearers;
  r.itfBearerFactor = f->itfBearerFactor;
  r.itfQuietFactor = f->itfQuietFactor;
  r.textAlign = f->textAlign;
  // The supplement's place and size are the library's answers, kept by the
  // field in mils; the library only writes them (for EAN/UPC add-ons) and
  // leaves them as handed in otherwise. Handed in, a field's mils would come
  // back read as dots and grow at every rendering, so they go in as 0.
  r.suppWidth = r.suppBarHeight = r.suppX = 0;
  r.longGuards = 1;
  f->textLeft = f->textRight = 0;
  r.outerDigitScaleLeft = f->outerDigitScale[0];
  r.outerDigitScaleRight = f->outerDigitScale[1];
  r.moduleSize2D = static_cast<uint16_t>(f->moduleSize2D);
  r.rowHeight2D = static_cast<uint16_t>(f->rowHeight2D);
  r.symbolRows = f->symbolRows;
  r.symbolColumns = f->symbolColumns;
  r.microPdfMode = f->microPdfMode;
  r.microPdfSize = static_cast<int16_t>(GetColRowFromMode(f->microPdfMode, nullptr, nullptr, 1));
  r.pdfSecurity = static_cast<uint8_t>(f->pdfSecurity & 0xFF);
  r.pdfTruncated = f->pdfTruncated;
  r.barcodeSpare6 = f->barcodeSpare6;
  r.qrLevel = static_cast<uint16_t>(f->qrLevel);
  r.code49RowHeight = f->code49RowHeight;
  r.maxiMode = f->maxiMode;
  for (size_t i = 0; i < 13; ++i) r.upsFields[i] = f->upsField[i];
  r.bearerWidth = 0;
  r.ResetErrors();
  FillBuffers(r, *f);
  // A MaxiCode UPS message (modes 2 and 3) is the symbol's content by
  // itself: its parts need no further data.
  const bool upsMessage = f->symbology == 28 && (f->maxiMode == 2 || f->maxiMode == 3);
  if (r.dataLength < 1 && !upsMessage) return 0;

  const int result = kvoBCode(0, &r, (flags & kRenderMeasureOnly) ? 1 : 0);

  const int res = r.resolution;
  const int target_res = r.targetResolution > 0 ? r.targetResolution : res;
  f->encodeResult = {r.errorCode, r.errorValue, r.errorNeeded};
  if (result != kalvo::kDone && r.errorCode == 0) f->encodeResult[0] = result;
  f->hrResult = AString(r.hrText);
  if (!f->showHr) f->textHeight = 0;
  f->suppWidth = BarcodeDotsToMils(r.suppWidth, res);
  f->suppBarHeight = BarcodeDotsToMils(r.suppBarHeight, res);
  f->suppX = BarcodeDotsToMils(r.suppX, res);
  f->guardExtra = BarcodeDotsToMils(r.guardExtra, res);
  f->threeModules = static_cast<int16_t>(BarcodeDotsToMils(r.threeModules, res));
  f->padRight = BarcodeDotsToMils(r.padRight, res);
  f->padRightTarget = BarcodeDotsToMils(r.padRightTarget, target_res);
  f->textLeft = static_cast<int16_t>(BarcodeDotsToMils(r.textLeft, res));
  f->textRight = static_cast<int16_t>(BarcodeDotsToMils(r.textRight, res));
  f->suppGap = BarcodeDotsToMils(r.suppGap, res);
  f->bearerWidth = BarcodeDotsToMils(r.bearerWidth, res);
  f->moduleSize2D = static_cast<int16_t>(r.moduleSize2D);
  f->rowHeight2D = static_cast<int16_t>(r.rowHeight2D);
  if (flags & kRenderCopyRowsColumns) {
    f->symbolRows = r.symbolRows;
    f->symbolColumns = r.symbolColumns;
  }
  f->microPdfMode = r.microPdfMode;
  f->pdfTruncated = r.pdfTruncated;
  f->barcodeSpare6 = r.barcodeSpare6;
  f->barcodeSpare5 = r.barcodeSpare5;
  f->qrLevel = static_cast<int16_t>(r.qrLevel);
  f->code49RowHeight = r.code49RowHeight;
  f->maxiMode = r.maxiMode;
  for (size_t i = 0; i < 13; ++i) f->upsField[i] = r.upsFields[i];

  // One more than the library's extent, held within the int range, as
  // stored layouts' linear symbols are sized; a two-dimensional symbol's
  // extent is its bitmap's, and a dot more would stand its outline off the
  // modules.
  const int extra = Is2DBCode(f->symbology, f->subType) ? 0 : 1;
  const auto widen = [extra](int32_t v) { return static_cast<LONG>(std::min<int64_t>(int64_t{v} + extra, INT32_MAX)); };
  POINT size{widen(r.width), widen(r.height)};
  if (SwapsSize(f->rotation)) std::swap(size.x, size.y);
  if (sizeOut) *sizeOut = size;

  // Only a symbol the library drew without complaint is kept.
  const bool failed = result != kalvo::kDone || r.errorCode != 0;
  if (!(flags & kRenderMeasureOnly) && r.bitmap && !failed && target) {
    const bool took = TakeSymbol(r.bitmap, r.padRightTarget, f->rotation, target);
    if (drew) *drew = took;
  }
  if (r.bitmap) {
    DeleteObject(r.bitmap);
    r.bitmap = nullptr;
  }
  return 1;
}

}  // namespace

SIZE MeasureBarcodeSize(CBarcodeField* f, const CLabelSetup* setup, int keepRotation) {
  const int32_t rotation = f->rotation;
  if (!keepRotation) f->rotation = 0;
  POINT size{0, 0};
  RenderBarcodeToBitmap(f, setup ? setup->dpiX : 0, 0, &size, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
  f->rotation = rotation;
  return SIZE{size.x, size.y};
}

int BuildBarcodeHrText(CBarcodeField* f) {
  if (!f || f->data.IsEmpty()) return 0;
  CBCode r;
  FillTextOptions(r, *f);
  FillBuffers(r, *f);
  r.ResetErrors();
  GetHr(&r, 0);
  f->encodeResult = {r.errorCode, r.errorValue, r.errorNeeded};
  f->hrResult = AString(r.hrText);
  f->barcodeSpare5 = r.barcodeSpare5;
  return 1;
}

AString BuildEncoderInput(const CBarcodeField* f, const AString& data, int fullAscii, AString* checkOut) {
  if (f->symbology == kalvo::CodeOf(kalvo::Symbology::MaxiCode)) return data;
  AString input = data;
  AString over = data;
  if (f->symbology == kalvo::CodeOf(kalvo::Symbology::Code39FullAscii) && fullAscii) {
    std::vector<char> ascii(static_cast<size_t>(data.GetLength()) * 2 + 8, 0);
    CD39Tranform2FullAscii(data.GetData(), ascii.data(), static_cast<int>(ascii.size()), 0);
    over = AString(ascii.data());
  } else {
    if (Is128CF1Mod10(f->symbology, f->subType) && input.GetLength() % 2 == 0) {
      const int at = std::clamp(f->mod10Start, 0, input.GetLength());
      input.Insert(at, '0');
    }
    const int from = Is128CF1Mod10(f->symbology, f->subType) ? std::clamp(f->mod10Start, 0, input.GetLength()) : 0;
    over = input.Mid(from);
    // UPC-E: the library's check-digit call expands the short form itself,
    // so the text goes to it as it is (expanding here too would count twice).
  }
  char check[32] = {};
  GetChkdgtCd(f->symbology, f->subType, check, over);
  check[sizeof check - 1] = 0;
  if (checkOut) *checkOut = AString(check);
  return input + check;
}

AString OptimizeCode128(const AString& data, int mode) {
  const int length = data.GetLength();
  // Room for two bytes per character and the code the library ends with.
  std::vector<unsigned char> out(static_cast<size_t>(2 * length + 2), 0);
  std::vector<unsigned char> in(data.GetData(), data.GetData() + length);
  const int n = GetOptimized128Code(in.data(), length, out.data(), mode);
  return AString(std::clamp(n, 0, 2 * length + 1), reinterpret_cast<const char*>(out.data()));
}

int PadToEvenLength(AString& s) {
  if (s.GetLength() % 2 == 0) return 0;
  s.Insert(0, '0');
  return 1;
}

int PadToOddLength(AString& s) {
  if (s.GetLength() % 2 != 0) return 0;
  s.Insert(0, '0');
  return 1;
}

PLWinBmp* CBarcodeField::GetRendering(int dpi, const char* printerName, const char* driverName, int byDriver,
                                      int dpiY, unsigned flags) {
  cachedBitmap = std::make_unique<PLWinBmp>();
  const COLORREF fore = foreColor, back = backColor;
  if (flags & 1) {
    cacheIsPrint = 0;
    foreColor = AdjustColor(foreColor, kAdjustContrast);
  } else {
    cacheIsPrint = 1;
  }
  bool drew = false;
  Render(this, dpi, dpiY, nullptr, flags & ~1u, cachedBitmap.get(), printerName, driverName, byDriver, &drew);
  foreColor = fore;
  backColor = back;
  // A failed encode keeps no rendering.
  if (!drew) cachedBitmap.reset();
  return cachedBitmap.get();
}
