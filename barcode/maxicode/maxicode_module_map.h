// The MaxiCode module map: for each module of the 33 x 30 grid, the bit of the
// codeword stream it shows (6 x codeword + bit, bit 0 the most significant),
// or a fixed module.
#pragma once

#include <array>
#include <cstdint>

namespace kalvo::maxicode {

constexpr int16_t kFixedDark = -2;
constexpr int16_t kFixedLight = -1;  // orientation modules, the finder's area, the missing end of odd rows

using ModuleMap = std::array<int16_t, 33 * 30>;
const ModuleMap& MaxiCodeModuleMap();

// The same map turned round: the module of each of the 864 bits.
using BitModules = std::array<int16_t, 144 * 6>;
const BitModules& MaxiCodeBitModules();

}  // namespace kalvo::maxicode
