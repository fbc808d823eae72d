// The QR Code encoder of kvoBCode (symbology 33) and the start-up and exit
// steps of its tables.
#include <cstring>
#include <vector>

#include "barcode/frame/encoders.h"
#include "barcode/draw/module_matrix_painting.h"
#include "barcode/qr/qr_embedded.h"
#include "barcode/qr/qr_symbol.h"
#include "platform/resource/resource.h"

namespace kalvo {
namespace {

// The tables, owned by the start-up and exit steps alone. A plain pointer, so
// static destruction (which for a library loaded at run time and never
// unloaded runs before the exit step) never frees them a second time.
qr::QrTables* sharedTables = nullptr;

}  // namespace

void LoadQrCodeTables() {
  FreeQrCodeTables();
  sharedTables = new qr::QrTables();
  sharedTables->Load(qr::FindQrTextResource);
}

void FreeQrCodeTables() {
  delete sharedTables;
  sharedTables = nullptr;
}

int EncodeQrCode(int reserved, CBCode& code, int measureOnly) {
  const char* data = code.data != nullptr ? code.data : "";
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(data), std::strlen(data));
  if (sharedTables == nullptr) return kDoesNotFit;
  qr::QrSymbol symbol;
  // Data beyond version 40 and missing tables both leave nothing drawn.
  if (qr::BuildQrSymbol(*sharedTables, text, qr::LevelIndex(code.qrLevel), symbol) != qr::QrResult::Ok)
    return kDoesNotFit;
  PaintModuleMatrix(code, measureOnly, symbol.matrix);
  return 0;
}

}  // namespace kalvo
