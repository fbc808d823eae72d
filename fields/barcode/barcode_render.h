// The bridge between a barcode field and the barcode library: a request
// filled from the field, the library's main entry, and the sizes, texts and
// bitmap taken back.
#pragma once

#include "fields/model/field_kinds.h"
#include "image/bitmap/plbmp.h"
#include "platform/kernel/types.h"

class CLabelSetup;

inline constexpr unsigned kRenderMeasureOnly = 0x10;
inline constexpr unsigned kRenderCopyRowsColumns = 0x40;

// 1 when the library was called, 0 for empty data. *sizeOut receives the
// symbol's size in dots (width and height exchanged for turned fields). A
// failed encode leaves no bitmap (target untouched) and keeps the library's
// result in encodeResult[0] when the encoder left no code of its own.
int RenderBarcodeToBitmap(CBarcodeField* f, int dpi, int dpiY, POINT* sizeOut, unsigned flags, PLBmp* target,
                          const char* printerName, const char* driverName, int byDriver);
// The size in dots at the label setup's horizontal resolution; with
// keepRotation 0 the field is measured unturned.
SIZE MeasureBarcodeSize(CBarcodeField* f, const CLabelSetup* setup, int keepRotation);
// The human-readable text alone, into hrResult; 0 for empty data.
int BuildBarcodeHrText(CBarcodeField* f);
// The encoder input: the data (a "0" inserted for 128C F1 MOD 10 data of even
// length) followed by its check characters, which also go to checkOut.
AString BuildEncoderInput(const CBarcodeField* f, const AString& data, int fullAscii, AString* checkOut);
// The code-set text the library chooses for Code 128 data.
AString OptimizeCode128(const AString& data, int mode);
int PadToEvenLength(AString& s);
int PadToOddLength(AString& s);
// mils to dots with truncation, dots to mils rounded.
// Held within +-2e9 like the way back: a file's mils at a file's resolution
// may pass what 32 bits hold.
constexpr int32_t BarcodeMilsToDots(int64_t mils, int dpi) {
  const int64_t dots = mils * dpi / 1000;
  return static_cast<int32_t>(dots < -2000000000 ? -2000000000 : dots > 2000000000 ? 2000000000 : dots);
}
int32_t BarcodeDotsToMils(int64_t dots, int dpi);
