// Weak defaults for the two-dimensional symbologies: until an encoder is linked
// in, kvoBCode treats the type as one without an encoder (result 0, no bitmap)
// and the exports answer "nothing".
#include "barcode/frame/encoders.h"
#include "barcode/kalvo.h"

#define KALVO_WEAK __attribute__((weak))

namespace kalvo {

KALVO_WEAK int EncodePdf417(int, CBCode&, int) { return 0; }
KALVO_WEAK int EncodeMaxiCode(int, CBCode&, int) { return 0; }
KALVO_WEAK int EncodeDataMatrix(int, CBCode&, int) { return 0; }
KALVO_WEAK int EncodeQrCode(int, CBCode&, int) { return 0; }
KALVO_WEAK void BuildMaxiCodeTables() {}
KALVO_WEAK void LoadQrCodeTables() {}
KALVO_WEAK void FreeMaxiCodeTables() {}
KALVO_WEAK void FreeQrCodeTables() {}

}  // namespace kalvo

KALVO_WEAK int GetColRowFromMode(int, POINT* size, LONG* index, int) {
  if (size != nullptr) *size = POINT{0, 0};
  if (index != nullptr) *index = 0;
  return 0;
}
KALVO_WEAK int CalcErrCorrectLevel(int) { return 0; }
KALVO_WEAK int GetDatamatrixDimensionsCount() { return 0; }
KALVO_WEAK POINT GetDatamatrixNthDimension(int) { return POINT{0, 0}; }
