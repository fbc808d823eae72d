// The parts structured barcodes are built from: the thirteen UPS MaxiCode
// message parts, the six HIBC rows with their quantity and date formats, and
// the building of the HIBC data text.
#pragma once

#include <array>

#include "fields/model/field_kinds.h"

struct PartRule {
  const char* name;
  bool numeric;
  int minimum;
  int maximum;
};

// The UPS structured message of a MaxiCode field, in index order.
extern const std::array<PartRule, 13> kUpsParts;

// HIBC rows 0, 1, 2 and 5 have fixed limits; row 3 takes them from its
// quantity format, row 4 from its date format.
extern const std::array<PartRule, 6> kHibcRows;
struct HibcFormat {
  const char* name;
  int length;
};
extern const std::array<HibcFormat, 3> kHibcQuantityFormats;
extern const std::array<HibcFormat, 7> kHibcDateFormats;
// The quantity and date format codes live in upsSource[3] and [4] while the
// field is an HIBC field.
inline constexpr size_t kHibcQuantityFormatSlot = 3;
inline constexpr size_t kHibcDateFormatSlot = 4;

// Shapes a part's text: with numeric, non-digits become "0"; a text shorter
// than a positive minimum gets leading "0"s; a longer one than the maximum is
// cut to it.
void ShapePart(AString& text, bool numeric, int minimum, int maximum);

// 0 when the field's HIBC form does not use the row; else 1 with its limits.
int GetHibcRowLimits(const CBarcodeField& field, int row, int* maximum, int* minimum);

// The HIBC data text of a barcode field's six rows (aiData) and its hibcForm.
AString BuildHibcText(const CBarcodeField& field);
AString BuildHibcSecondary(const CBarcodeField& field);
// Code 0 gives "7", 1 the date as it is, 2 to 6 the code's digit and the
// date; other codes an empty text.
AString FormatHibcDate(const AString& date, int code);
