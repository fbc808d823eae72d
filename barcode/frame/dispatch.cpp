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
struct Route {
  Symbology symbology;
  Encoder encoder;
};
constexpr std::array<Route, kSymbologyCount> kEncoders = {{
    {Symbology::Codabar, EncodeCodabar},
    {Symbology::Code39, EncodeCode39},
    {Symbology::Code39FullAscii, EncodeCode39},
    {Symbology::Code93, EncodeCode93},
    {Symbology::Code128, EncodeCode128},
    {Symbology::Ean8, EncodeEanUpc},
    {Symbology::Ean13, EncodeEanUpc},
    {Symbology::Ean128, EncodeCode128},
    {Symbology::EanUcc13, nullptr},
    {Symbology::EanUcc14, nullptr},
    {Symbology::Interleaved2of5, EncodeInterleaved2of5},
    {Symbology::Itf14, EncodeInterleaved2of5},
    {Symbology::Plessey, EncodePlesseyMsi},
    {Symbology::Rss14, nullptr},
    {Symbology::Rss14Composite, nullptr},
    {Symbology::Sscc18, nullptr},
    {Symbology::Sscc14, nullptr},
    {Symbology::Ucc12, nullptr},
    {Symbology::Ucc128, EncodeCode128},
    {Symbology::UccEan128, EncodeCode128},
    {Symbology::UccEan128Ais, EncodeCode128},
    {Symbology::UpcA, EncodeEanUpc},
    {Symbology::UpcE, EncodeUpcE},
    {Symbology::UpcShipping, nullptr},
    {Symbology::Postnet, EncodePostnet},
    {Symbology::Planet, nullptr},
    {Symbology::Msi, EncodePlesseyMsi},
    {Symbology::Pdf417, EncodePdf417},
    {Symbology::MaxiCode, EncodeMaxiCode},
    {Symbology::DataMatrix, EncodeDataMatrix},
    {Symbology::Code49, nullptr},
    {Symbology::MicroPdf417, EncodePdf417},
    {Symbology::Code16, nullptr},
    {Symbology::QrCode, EncodeQrCode},
}};

// Row i of the table is code i.
constexpr bool RoutesInCodeOrder() {
  for (int i = 0; i < kSymbologyCount; ++i) {
    if (CodeOf(kEncoders[i].symbology) != i) return false;
  }
  return true;
}
static_assert(RoutesInCodeOrder());

constexpr int kMaxLinearData = 1024;

}  // namespace

Encoder EncoderFor(int type) {
  return type >= 0 && type < kSymbologyCount ? kEncoders[type].encoder : nullptr;
}

}  // namespace kalvo

int kvoBCode(int reserved, CBCode* code, int measureOnly) {
  if (code == nullptr) return 0;
  const int type = code->type;
  if (!Is2DBCode(type, code->subType) && code->data != nullptr &&
      std::strlen(code->data) > static_cast<size_t>(kalvo::kMaxLinearData)) {
    return kalvo::kDataTooLong;
  }
  if (code->resolution <= 0 && code->deviceUnits == 0) {
    code->errorValue = 1;
    return kalvo::kNothingDrawn;
  }
  // These build or check their own data.
  using kalvo::Symbology;
  if (!kalvo::IsOneOf(type, {Symbology::UccEan128Ais, Symbology::MaxiCode, Symbology::QrCode})) {
    const int result = kalvo::ValidateData(type, code->subType, code->data, code->dataLength);
    if (result != kalvo::kDone) return result;
  }
  if (kalvo::IsOneOf(type, {Symbology::Code39, Symbology::Code93})) kalvo::UpperCaseInPlace(code->data);
  const kalvo::Encoder encoder = kalvo::EncoderFor(type);
  return encoder != nullptr ? encoder(reserved, *code, measureOnly) : kalvo::kDone;
}
