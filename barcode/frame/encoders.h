// The encoders kvoBCode dispatches to, and the start-up and exit hooks of the
// two-dimensional symbologies.
//
// Every encoder takes (reserved, request, measureOnly) and returns kvoBCode's
// result. The two-dimensional encoders and their table steps live in
// barcode/qr, barcode/datamatrix, barcode/maxicode and barcode/pdf417.
#pragma once

#include "barcode/request/cbcode.h"

namespace kalvo {

using Encoder = int (*)(int reserved, CBCode& code, int measureOnly);

int EncodeCodabar(int reserved, CBCode& code, int measureOnly);
int EncodeCode39(int reserved, CBCode& code, int measureOnly);
int EncodeCode93(int reserved, CBCode& code, int measureOnly);
int EncodeCode128(int reserved, CBCode& code, int measureOnly);
int EncodeEanUpc(int reserved, CBCode& code, int measureOnly);
int EncodeUpcE(int reserved, CBCode& code, int measureOnly);
int EncodeInterleaved2of5(int reserved, CBCode& code, int measureOnly);
int EncodePlesseyMsi(int reserved, CBCode& code, int measureOnly);
int EncodePostnet(int reserved, CBCode& code, int measureOnly);

// Two-dimensional encoders (PDF417 also serves MicroPDF417).
int EncodePdf417(int reserved, CBCode& code, int measureOnly);
int EncodeMaxiCode(int reserved, CBCode& code, int measureOnly);
int EncodeDataMatrix(int reserved, CBCode& code, int measureOnly);
int EncodeQrCode(int reserved, CBCode& code, int measureOnly);

// Start-up and exit steps of the two-dimensional tables.
void BuildMaxiCodeTables();
void LoadQrCodeTables();
void FreeMaxiCodeTables();
void FreeQrCodeTables();

// The encoder of a symbology code, or null when it has none.
Encoder EncoderFor(int type);

}  // namespace kalvo
