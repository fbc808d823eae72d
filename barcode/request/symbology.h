// Names for the numbers that cross the library's boundary: the symbology codes
// of CBCode::type and the result codes that kvoBCode returns and the
// two-dimensional encoders leave in CBCode::errorCode.
#pragma once

#include <cstdint>
#include <array>
#include <initializer_list>
#include <string_view>

namespace kalvo {

// The symbology codes, with the values both deliverables store. Codes marked
// "no encoder" (and 34 and above) draw nothing: kvoBCode returns 0.
enum class Symbology : uint16_t {
  Codabar = 0,
  Code39 = 1,
  Code39FullAscii = 2,
  Code93 = 3,
  Code128 = 4,  // sub-types 0 automatic, 1 A, 2 B, 3 C, 4 C with FNC1 and mod 10
  Ean8 = 5,
  Ean13 = 6,
  Ean128 = 7,
  EanUcc13 = 8,  // no encoder
  EanUcc14 = 9,  // no encoder
  Interleaved2of5 = 10,
  Itf14 = 11,
  Plessey = 12,
  Rss14 = 13,           // no encoder
  Rss14Composite = 14,  // no encoder
  Sscc18 = 15,          // no encoder
  Sscc14 = 16,          // no encoder
  Ucc12 = 17,           // no encoder
  Ucc128 = 18,          // Code 128 C with FNC1 and mod 10
  UccEan128 = 19,
  UccEan128Ais = 20,  // built from several application identifiers
  UpcA = 21,
  UpcE = 22,
  UpcShipping = 23,  // no encoder
  Postnet = 24,
  Planet = 25,  // no encoder
  Msi = 26,
  Pdf417 = 27,
  MaxiCode = 28,
  DataMatrix = 29,
  Code49 = 30,  // no encoder
  MicroPdf417 = 31,
  Code16 = 32,  // no encoder
  QrCode = 33,
};

// Codes 0 to kSymbologyCount - 1 name a symbology.
inline constexpr int kSymbologyCount = 34;

// The value stored in CBCode::type.
constexpr uint16_t CodeOf(Symbology s) { return static_cast<uint16_t>(s); }
// The symbology a stored code names (any value converts; only 0-33 are named).
constexpr Symbology SymbologyOf(int type) { return static_cast<Symbology>(type); }
// True when `type` is one of `list`.
constexpr bool IsOneOf(int type, std::initializer_list<Symbology> list) {
  for (Symbology s : list) {
    if (type == static_cast<int>(s)) return true;
  }
  return false;
}

// The symbology's name as the designer's catalogue shows it, "" past 33.
constexpr std::string_view SymbologyName(Symbology s) {
  constexpr std::array<std::string_view, kSymbologyCount> kNames = {
      "Codabar", "Code 39", "Code 39 full ASCII", "Code 93", "Code 128", "EAN-8", "EAN-13", "EAN-128",
      "EAN/UCC-13", "EAN/UCC-14", "Interleaved 2 of 5", "ITF-14", "Plessey", "RSS-14", "RSS-14 composite",
      "SSCC-18", "SSCC-14", "UCC-12", "UCC-128", "UCC/EAN-128", "UCC/EAN-128 with several identifiers",
      "UPC-A", "UPC-E", "UPC shipping", "POSTNET", "PLANET", "MSI", "PDF417", "MaxiCode", "Data Matrix",
      "Code 49", "MicroPDF417", "Code 16", "QR Code"};
  const int code = static_cast<int>(s);
  return code < kSymbologyCount ? kNames[code] : std::string_view();
}

// Result codes of kvoBCode, and the error codes the two-dimensional encoders
// write into CBCode::errorCode (with a value in errorValue).
enum ResultCode : int {
  kDoesNotFit = -1,         // QR Code: the data does not fit version 40 at the level asked for
  kDone = 0,                // done; also a code without encoder, and data an encoder could not use
  kNothingDrawn = 1,        // resolution 0 or less with sizes not in dots (errorValue 1)
  kDataTooLong = 100,       // linear data over 1024 characters, a text too long for its buffer;
                            // errorCode: data over a two-dimensional symbol's limit
  kDataEmpty = 101,         // errorCode: no data for a two-dimensional symbol
  kLengthNotAllowed = 102,  // a data length the symbology does not take
  kInvalidCharacter = 104,  // a character the symbology cannot encode
  kUnknownMode = 110,       // errorCode: MaxiCode mode outside 2 to 5
  kCarrierMessage = 116,    // errorCode: the MaxiCode carrier message could not be built
};

}  // namespace kalvo
