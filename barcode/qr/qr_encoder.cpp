// The QR Code encoder of kvoBCode (symbology 33) and the start-up and exit
// steps of its tables.
#include <cstring>

#include "barcode/frame/encoders.h"
#include "barcode/qr/module_matrix_painting.h"
#include "barcode/qr/qr_embedded.h"
#include "barcode/qr/qr_symbol.h"

namespace kalvo {
namespace {

qr::QrTables& SharedQrTables() {
  static qr::QrTables tables;
  return tables;
}

// The library's "TEXT" resource of a numeric id.
std::span<const uint8_t> FindQrTextResource(int id) {
  for (const qr::EmbeddedTextResource& r : qr::EmbeddedTextResources())
    if (r.id == id) return {r.data, r.size};
  return {};
}

}  // namespace

void LoadQrCodeTables() { SharedQrTables().Load(FindQrTextResource); }

void FreeQrCodeTables() { SharedQrTables().Free(); }

int EncodeQrCode(int reserved, CBCode& code, int measureOnly) {
  const char* data = code.data != nullptr ? code.data : "";
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(data), std::strlen(data));
  qr::QrSymbol symbol;
  // Data beyond version 40 and missing tables both leave nothing drawn.
  if (qr::BuildQrSymbol(SharedQrTables(), text, qr::LevelIndex(code.qrLevel), symbol) != qr::QrResult::Ok)
    return -1;
  PaintModuleMatrix(code, measureOnly, symbol.dark, symbol.size, symbol.size);
  return 0;
}

}  // namespace kalvo
