// What the identifier rows accept is what the symbol carries: for every
// application identifier of the table, a value of its longest length that the
// designer's checks take (digits where only digits go, the check digit they
// ask for where the data ends in one) is put into a UCC/EAN 128 Multi field,
// drawn through the barcode library and read back by zxing-cpp. The symbol
// holds each identifier and its value exactly: nothing added, nothing lost.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "datasource/structured_checks.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/services/label_setup.h"
#include "image/bitmap/plwinbmp.h"
#include "tests/fields/field_pictures.h"

namespace {

constexpr int kDpi = 300;
constexpr int kRowsPerSymbol = 4;
constexpr size_t kDataRoom = 200;  // of the 256 bytes a field's identifiers are built in

// A value of the definition's longest length: digits, or letters and digits.
std::string ValueFor(const typAIdef& def) {
  const std::string digits = "1234567890";
  const std::string mixed = "AB12CD34EF";
  const std::string& pattern = AiDigitsOnly(def) ? digits : mixed;
  std::string value;
  while (static_cast<int>(value.size()) < def.maxLength) value += pattern[value.size() % pattern.size()];
  return value;
}

// The rows as the designer takes them: a value refused only for its check
// digit gets the digit the message names, and is tried again.
bool Accept(CBarcodeField& field, std::array<AiRow, 6>& rows, std::string* why) {
  for (int attempt = 0; attempt < 2 * kRowsPerSymbol; ++attempt) {
    int bad = -1;
    PartMessage message;
    if (ApplyAiRows(field, rows, false, &bad, &message) == 1) return true;
    if (message.number != 50077 || message.arguments.size() < 3 || bad < 0 || bad >= kRowsPerSymbol) {
      *why = "message " + std::to_string(message.number) + (message.arguments.empty() ? "" : " " + message.arguments[0]);
      return false;
    }
    std::string data = rows[static_cast<size_t>(bad)].data.GetData();
    data.back() = message.arguments[2][0];
    rows[static_cast<size_t>(bad)].data = data.c_str();
  }
  *why = "the check digits were never taken";
  return false;
}

// The symbol's bytes as GS1 reads them: identifier and value, a group
// separator after each of variable length but the last.
std::string ExpectedBytes(const std::array<AiRow, 6>& rows) {
  std::string bytes;
  bool separate = false;
  for (const AiRow& row : rows) {
    if (row.code.IsEmpty()) continue;
    if (separate) bytes += '\x1d';
    bytes += std::string(row.code.GetData()) + row.data.GetData();
    const typAIdef* def = FindAIDefinition(row.code.GetData());
    separate = def->minLength != def->maxLength;
  }
  return bytes;
}

std::string Read(CBarcodeField& field) {
  PLWinBmp* bmp = field.GetRendering(kDpi, nullptr, nullptr, 0, kDpi, 0);
  if (!bmp) return "(not drawn: " + std::to_string(field.encodeResult[0]) + ")";
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::Code128);
  hints.setTryHarder(true);
  const ZXing::Result result = kalvo_test::Decode(fields_test::GreyOf(*bmp), 20 * field.narrowBar, hints);
  return result.isValid() ? kalvo_test::BytesOf(result) : "(nothing read)";
}

TEST(AiRowsSymbol, EveryIdentifierCarriesExactlyTheValueTheRowsAccept) {
  InitSymbologyTables();
  const auto definitions = GetAiDefinitions();
  ASSERT_GT(definitions.size(), 400u);
  CLabelSetup setup;
  setup.dpiX = setup.dpiY = kDpi;
  for (size_t first = 0, next = 0; first < definitions.size(); first = next) {
    CBarcodeField field(kDpi);
    SetNewBarcodeDefaults(field, setup);
    field.symbology = 20;
    field.barHeight = 300;
    field.showHr = 0;
    std::array<AiRow, 6> rows;
    // Up to four rows a symbol, as many as the field's data room holds.
    for (size_t i = 0, length = 0; i < kRowsPerSymbol && next < definitions.size(); ++i, ++next) {
      const typAIdef& def = definitions[next];
      length += std::strlen(def.identifier) + static_cast<size_t>(def.maxLength) + 1;
      if (i > 0 && length > kDataRoom) break;
      rows[i].code = def.identifier;
      rows[i].data = ValueFor(def).c_str();
    }
    std::string why;
    ASSERT_TRUE(Accept(field, rows, &why)) << "rows from " << definitions[first].identifier << ": " << why;
    EXPECT_EQ(Read(field), ExpectedBytes(rows)) << "rows from " << definitions[first].identifier;
  }
}

}  // namespace
