// Writing the runs of MaxiCode's stamps into a band of pixels. A run is a few
// pixels long, so what costs is the stores and the branches around each: a
// run is a few exact 16-byte stores.
#pragma once

#include <cstdint>
#include <span>

#include "barcode/maxicode/maxicode_stamps.h"

namespace kalvo::maxicode {

// Stamps the runs of `pieces` (pieces of `layer` for the band) into `band`,
// each run in its ink's pixel (`ink`, by Ink).
void StampPieces(uint32_t* band, std::span<const StampLayer::Piece* const> pieces, const StampLayer& layer,
                 const uint32_t (&ink)[4]);

}  // namespace kalvo::maxicode
