#include <zint.h>

#include "bench/peers/drawers.h"

namespace peers {
namespace {

// Encodes and rasterises the case; the symbol is left for the caller to delete.
zint_symbol* Encode(const Case& c) {
  zint_symbol* symbol = ZBarcode_Create();
  if (symbol == nullptr) return nullptr;
  const PeerRequest& p = c.peer;
  symbol->symbology = p.symbology;
  symbol->scale = p.scale;
  if (p.height > 0) symbol->height = p.height;
  symbol->show_hrt = p.text ? 1 : 0;
  symbol->option_1 = p.option1;
  symbol->option_2 = p.option2;
  symbol->input_mode = DATA_MODE;
  const int status = ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char*>(c.data.data()),
                                                static_cast<int>(c.data.size()), 0);
  if (status >= ZINT_ERROR) {
    ZBarcode_Delete(symbol);
    return nullptr;
  }
  return symbol;
}

}  // namespace

bool DrawPeer(const Case& c) {
  zint_symbol* symbol = Encode(c);
  if (symbol == nullptr) return false;
  ZBarcode_Delete(symbol);
  return true;
}

PictureSize PeerPictureSize(const Case& c) {
  zint_symbol* symbol = Encode(c);
  if (symbol == nullptr) return {};
  const PictureSize size{symbol->bitmap_width, symbol->bitmap_height};
  ZBarcode_Delete(symbol);
  return size;
}

}  // namespace peers
