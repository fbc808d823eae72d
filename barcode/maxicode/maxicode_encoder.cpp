// The MaxiCode encoder of kvoBCode (symbology 28) and the start-up and exit
// steps of its character map.
#include <cstring>
#include <string_view>

#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/encoders.h"
#include "barcode/maxicode/maxicode_charset.h"
#include "barcode/maxicode/maxicode_painting.h"
#include "barcode/maxicode/maxicode_stamps.h"
#include "barcode/maxicode/maxicode_symbol.h"
#include "barcode/maxicode/ups_message.h"

namespace kalvo {
namespace {

std::string_view FieldText(const AString& field) {
  return field.GetData() != nullptr ? std::string_view(field.GetData(), field.GetLength()) : std::string_view();
}

// The codewords of the request; the error code is written on failure.
bool BuildCodewords(CBCode& code, maxicode::Codewords& codewords) {
  const int mode = code.maxiMode;
  AString message;
  std::string_view text;
  maxicode::CarrierPrimary carrier{};
  if (mode == 2 || mode == 3) {
    // The whole message, trailer included: one too long for the symbol is
    // refused below rather than cut.
    if (maxicode::BuildUpsMaxiMessage(code.upsFields, message, 0, 1) != 1) {
      code.errorCode = static_cast<int>(maxicode::MaxiResult::CarrierMessage);
      return false;
    }
    text = FieldText(message);
    carrier = {FieldText(code.upsFields[maxicode::kPostalCode]), FieldText(code.upsFields[maxicode::kCountryCode]),
               FieldText(code.upsFields[maxicode::kServiceClass])};
  } else if (code.data != nullptr) {
    text = std::string_view(code.data, std::strlen(code.data));
  }
  const maxicode::MaxiResult result = maxicode::BuildMaxiCodeCodewords(
      mode, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), carrier, codewords);
  if (result == maxicode::MaxiResult::Ok) return true;
  code.errorCode = static_cast<int>(result);
  return false;
}

}  // namespace

void BuildMaxiCodeTables() {
  maxicode::BuildMaxiCodeCharMap();
  maxicode::BuildMaxiCodeStampCache();
}
void FreeMaxiCodeTables() {
  maxicode::FreeMaxiCodeStampCache();
  maxicode::FreeMaxiCodeCharMap();
}

int EncodeMaxiCode(int, CBCode& code, int measureOnly) {
  // A fixed physical size: the pixels follow from the resolution alone.
  code.width = maxicode::SymbolWidthAt(code.resolution);
  code.height = maxicode::SymbolHeightAt(code.resolution);
  code.barHeight = code.height;
  const int target = code.targetResolution >= 1 ? code.targetResolution : code.resolution;
  const maxicode::HexagonMeasures measures = maxicode::HexagonMeasuresAt(target);
  code.maxiModuleWidth = measures.moduleWidth;
  code.maxiModuleHeight = measures.moduleHeight;
  code.quietZone = code.maxiModuleWidth;

  if (code.maxiMode < 2 || code.maxiMode > 5) {
    code.errorCode = static_cast<int>(maxicode::MaxiResult::UnknownMode);
    return 0;
  }
  if (measureOnly != 0) return 1;
  if (code.resolution <= 0 || target <= 0) return 0;  // no size to draw at

  maxicode::Codewords codewords{};
  if (!BuildCodewords(code, codewords)) return 0;
  const maxicode::ModuleGrid grid = maxicode::PlaceMaxiCodeSymbol(codewords);

  // The shared frame makes the bitmap (scaled, padded to a multiple of 8,
  // white); the hexagons and the finder are measured at the output resolution.
  Artwork art;
  art.ground = Ground::White;
  art.shapes = [&grid, target](HDC dc, HBRUSH brush, COLORREF ground) {
    maxicode::PaintMaxiCode(dc, grid, target, brush, ground);
  };
  art.shapesPaintGround = true;
  FinishSymbol(code, measureOnly, DcOwner{}, art);
  return 0;
}

}  // namespace kalvo
