// The checks applied to the parts of structured barcodes when the user leaves
// the barcode data page or answers the prompts: application identifiers
// (symbology 20) and HIBC rows, and the MaxiCode postal code's rule. The
// values come in as rows (the grids that show them come later); a refused row
// comes back with the number of the message to show and its arguments.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "fields/model/field_kinds.h"
#include "foundation/string/astring.h"

// A message by number (its text comes from the user-interface language).
struct PartMessage {
  int number = 0;
  std::vector<std::string> arguments;
};

// One application-identifier row: an empty code stands for "None".
struct AiRow {
  AString code;
  AString data;
  uint8_t source = 0;  // 0 Fixed Data, 2 Prompt Before Print, 7 Link/Expression
};

// One HIBC row; the format index is read for the quantity (3) and date (4) rows.
struct HibcRow {
  int formatIndex = 0;
  AString text;
  uint8_t source = 0;
};

// Takes the rows into the field's six identifier slots and checks them: 1
// when accepted; else 0 with the message, and *badRow the slot whose length
// was refused (0 when no row was taken).
int ApplyAiRows(CBarcodeField& field, const std::array<AiRow, 6>& rows, bool promptedOnly, int* badRow,
                PartMessage* message);
// The same for the six HIBC rows by the field's HIBC form.
int ApplyHibcRows(CBarcodeField& field, const std::array<HibcRow, 6>& rows, bool promptedOnly, int* badRow,
                  PartMessage* message);
struct typAIdef;
// Whether an identifier's data is digits only.
bool AiDigitsOnly(const typAIdef& def);
// The MaxiCode postal code (part 0) as its mode allows it: mode 3 upper-case
// (cut to 6 characters for Fixed Data), other modes digits only.
AString ShapeMaxiPostalCode(const AString& text, int mode, uint8_t source);
// The most characters part 0 takes: 6 in mode 3, else 9.
int MaxiPostalCodeLength(int mode);
