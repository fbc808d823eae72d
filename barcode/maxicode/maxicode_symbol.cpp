#include "barcode/maxicode/maxicode_symbol.h"

#include <algorithm>
#include <string>
#include <vector>

#include "barcode/common/reed_solomon.h"
#include "barcode/maxicode/maxicode_charset.h"
#include "barcode/maxicode/maxicode_module_map.h"
#include "barcode/maxicode/maxicode_text.h"

namespace kalvo::maxicode {
namespace {

constexpr int kSecondaryTotal = kCodewordCount - kPrimaryData - kPrimaryCheck;  // 124
constexpr int kPostalDigits = 9;
constexpr int kPostalLetters = 6;

// The leading decimal digits of a field as a number (0 without any).
uint64_t LeadingNumber(std::string_view text) {
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > 0xFFFFFFFFFu) break;
  }
  return value;
}

// Generator polynomials of the three check-codeword counts, made once.
const std::vector<uint8_t>& Generator(int checkCount) {
  static const std::vector<uint8_t> g10 = RsGeneratorPolynomial(GaloisField::MaxiCode(), 10, 1);
  static const std::vector<uint8_t> g20 = RsGeneratorPolynomial(GaloisField::MaxiCode(), 20, 1);
  static const std::vector<uint8_t> g28 = RsGeneratorPolynomial(GaloisField::MaxiCode(), 28, 1);
  return checkCount == 10 ? g10 : checkCount == 20 ? g20 : g28;
}

}  // namespace

int SecondaryDataCount(int mode) { return mode == 5 ? 68 : 84; }

std::array<uint8_t, kPrimaryData> BuildMaxiCodePrimary(int mode, const CarrierPrimary& primary) {
  uint64_t postal = 0;
  uint64_t length = kPostalDigits;
  if (mode == 2) {
    // Cut to nine digits or filled on the right with "0" up to nine.
    std::string digits(primary.postalCode.substr(0, kPostalDigits));
    digits.resize(kPostalDigits, '0');
    postal = LeadingNumber(digits);
  } else {
    // Six characters of code set A, space-filled, the first most significant.
    const MaxiCodeCharMapTable& map = MaxiCodeCharMap();
    for (int i = 0; i < kPostalLetters; ++i) {
      char c = i < static_cast<int>(primary.postalCode.size()) ? primary.postalCode[i] : ' ';
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      const int value = map[static_cast<uint8_t>(c)].value[kSetA];
      postal = (postal << 6) | static_cast<uint64_t>(value >= 0 ? value : map[' '].value[kSetA]);
    }
  }
  const uint64_t country = LeadingNumber(primary.countryCode) & 0x3FF;
  const uint64_t service = LeadingNumber(primary.serviceClass) & 0x3FF;
  auto bits = [](uint64_t value, int low, int count) { return static_cast<uint8_t>((value >> low) & ((1u << count) - 1)); };

  std::array<uint8_t, kPrimaryData> cw{};
  cw[0] = static_cast<uint8_t>(mode | bits(postal, 0, 2) << 4);
  cw[1] = bits(postal, 2, 6);
  cw[2] = bits(postal, 8, 6);
  cw[3] = bits(postal, 14, 6);
  cw[4] = bits(postal, 20, 6);
  if (mode == 2) {
    cw[5] = static_cast<uint8_t>(bits(postal, 26, 4) | bits(length, 0, 2) << 4);
    cw[6] = static_cast<uint8_t>(bits(length, 2, 4) | bits(country, 0, 2) << 4);
  } else {
    cw[5] = bits(postal, 26, 6);
    cw[6] = static_cast<uint8_t>(bits(postal, 32, 4) | bits(country, 0, 2) << 4);
  }
  cw[7] = bits(country, 2, 6);
  cw[8] = static_cast<uint8_t>(bits(country, 8, 2) | bits(service, 0, 4) << 2);
  cw[9] = bits(service, 4, 6);
  return cw;
}

void AddMaxiCodeCheckCodewords(std::span<const uint8_t> data, int checkCount, std::span<uint8_t> out) {
  RsComputeCheck(GaloisField::MaxiCode(), Generator(checkCount), data, out.first(checkCount));
}

MaxiResult BuildMaxiCodeCodewords(int mode, std::span<const uint8_t> text, const CarrierPrimary& carrier,
                                  Codewords& codewords) {
  if (mode < 2 || mode > 6) return MaxiResult::UnknownMode;
  const int secondaryData = SecondaryDataCount(mode);
  const bool structured = mode == 2 || mode == 3;

  std::vector<uint8_t> primary;
  std::vector<uint8_t> stream;
  if (structured) {
    const auto fields = BuildMaxiCodePrimary(mode, carrier);
    primary.assign(fields.begin(), fields.end());
    if (EncodeMaxiCodeText(text, secondaryData, stream) != static_cast<int>(text.size()))
      return MaxiResult::CarrierMessage;
  } else {
    // One message across primary codewords 2-10 and the secondary data.
    if (EncodeMaxiCodeText(text, kPrimaryData - 1 + secondaryData, stream) != static_cast<int>(text.size()))
      return MaxiResult::TooLong;
    primary.push_back(static_cast<uint8_t>(mode));
    for (int i = 0; i < kPrimaryData - 1; ++i) {
      primary.push_back(i < static_cast<int>(stream.size()) ? stream[i] : kPad);
    }
    stream.erase(stream.begin(), stream.begin() + std::min<size_t>(stream.size(), kPrimaryData - 1));
  }
  stream.resize(secondaryData, kPad);

  std::copy(primary.begin(), primary.end(), codewords.begin());
  AddMaxiCodeCheckCodewords(primary, kPrimaryCheck, std::span(codewords).subspan(kPrimaryData, kPrimaryCheck));

  // Secondary: the data, then the check codewords of its even-position and
  // odd-position halves, alternately.
  const std::span<uint8_t> secondary = std::span(codewords).subspan(kPrimaryData + kPrimaryCheck);
  std::copy(stream.begin(), stream.end(), secondary.begin());
  const int checkEach = (kSecondaryTotal - secondaryData) / 2;
  for (int half = 0; half < 2; ++half) {
    std::vector<uint8_t> data;
    for (int i = half; i < secondaryData; i += 2) data.push_back(stream[i]);
    std::vector<uint8_t> check(checkEach);
    AddMaxiCodeCheckCodewords(data, checkEach, check);
    for (int j = 0; j < checkEach; ++j) secondary[secondaryData + 2 * j + half] = check[j];
  }
  return MaxiResult::Ok;
}

void PlaceMaxiCodeCodeword(ModuleGrid& grid, uint8_t codeword, int index) {
  if (index == kFixedModulesIndex) {
    const ModuleMap& map = MaxiCodeModuleMap();
    for (size_t m = 0; m < map.size(); ++m)
      if (map[m] == kFixedDark) grid[m] = 1;
    return;
  }
  const BitModules& modules = MaxiCodeBitModules();
  for (int bit = 0; bit < 6; ++bit) grid[modules[6 * index + bit]] = (codeword >> (5 - bit)) & 1u;
}

ModuleGrid PlaceMaxiCodeSymbol(const Codewords& codewords) {
  // Every bit of the stream has one module and every other module is fixed:
  // one pass over the map sets them all.
  ModuleGrid grid = EmptyModuleGrid();
  const ModuleMap& map = MaxiCodeModuleMap();
  for (size_t m = 0; m < map.size(); ++m) {
    const int bit = map[m];
    grid[m] = static_cast<uint8_t>(bit >= 0 ? (codewords[static_cast<size_t>(bit / 6)] >> (5 - bit % 6)) & 1u
                                            : bit == kFixedDark ? 1u : 0u);
  }
  return grid;
}

}  // namespace kalvo::maxicode
