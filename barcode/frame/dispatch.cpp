// kvoBCode: checks the request and sends it to the encoder of its symbology.
#include <array>
#include <cstring>

#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"
#include "barcode/frame/validation.h"
#include "barcode/kalvo.h"

namespace kalvo {

namespace {

// The one table from symbology code to encoder; null means no encoder (the
// request returns 0 and nothing is drawn).
constexpr std::array<Encoder, 34> kEncoders = {
    EncodeCodabar,          // 0 Codabar
    EncodeCode39,           // 1 Code 39
    EncodeCode39,           // 2 Code 39 full ASCII
    EncodeCode93,           // 3 Code 93
    EncodeCode128,          // 4 Code 128
    EncodeEanUpc,           // 5 EAN-8
    EncodeEanUpc,           // 6 EAN-13
    EncodeCode128,          // 7 EAN-128
    nullptr,                // 8 EAN/UCC-13
    nullptr,                // 9 EAN/UCC-14
    EncodeInterleaved2of5,  // 10 Interleaved 2 of 5
    EncodeInterleaved2of5,  // 11 ITF-14
    EncodePlesseyMsi,       // 12 Plessey
    nullptr,                // 13 RSS-14
    nullptr,                // 14 RSS-14 composite
    nullptr,                // 15 SSCC-18
    nullptr,                // 16 SSCC-14
    nullptr,                // 17 UCC-12
    EncodeCode128,          // 18 UCC-128
    EncodeCode128,          // 19 UCC/EAN-128
    EncodeCode128,          // 20 UCC/EAN-128 with several identifiers
    EncodeEanUpc,           // 21 UPC-A
    EncodeUpcE,             // 22 UPC-E
    nullptr,                // 23 UPC shipping
    EncodePostnet,          // 24 POSTNET
    nullptr,                // 25 PLANET
    EncodePlesseyMsi,       // 26 MSI
    EncodePdf417,           // 27 PDF417
    EncodeMaxiCode,         // 28 MaxiCode
    EncodeDataMatrix,       // 29 Data Matrix
    nullptr,                // 30 Code 49
    EncodePdf417,           // 31 MicroPDF417
    nullptr,                // 32 Code 16
    EncodeQrCode,           // 33 QR Code
};

constexpr int kMaxLinearData = 1024;

}  // namespace

Encoder EncoderFor(int type) {
  return type >= 0 && type < static_cast<int>(kEncoders.size()) ? kEncoders[type] : nullptr;
}

}  // namespace kalvo

int kvoBCode(int reserved, CBCode* code, int measureOnly) {
  if (code == nullptr) return 0;
  const int type = code->type;
  if (!Is2DBCode(type, code->subType) && code->data != nullptr &&
      std::strlen(code->data) > static_cast<size_t>(kalvo::kMaxLinearData)) {
    return 100;
  }
  if (code->resolution <= 0 && code->deviceUnits == 0) {
    code->errorValue = 1;
    return 1;
  }
  if (type != 20 && type != 28 && type != 33) {
    const int result = kalvo::ValidateData(type, code->subType, code->data, code->dataLength);
    if (result != 0) return result;
  }
  if (type == 1 || type == 3) kalvo::UpperCaseInPlace(code->data);
  const kalvo::Encoder encoder = kalvo::EncoderFor(type);
  return encoder != nullptr ? encoder(reserved, *code, measureOnly) : 0;
}
