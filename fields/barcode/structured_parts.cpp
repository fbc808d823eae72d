#include "fields/barcode/structured_parts.h"

#include <algorithm>

const std::array<PartRule, 13> kUpsParts = {{
    {"Ship To Postal Code", true, 9, 9},
    {"Ship To Country Code", true, 3, 3},
    {"Class of Service", true, 3, 3},
    {"Tracking Number", false, 10, 11},
    {"UPS Shipper Number", false, 6, 6},
    {"Julian Day of Pickup", true, 3, 3},
    {"Shipment ID Number", false, 0, 30},
    {"Package Number/Total", false, 3, 7},
    {"Package Weight(lb.)", true, 1, 3},
    {"Address Validation", false, 1, 1},
    {"Ship To Address", false, 0, 35},
    {"Ship To City", false, 1, 20},
    {"Ship To State", false, 2, 2},
}};

const std::array<PartRule, 6> kHibcRows = {{
    {"Labeler Identification Code (LIC) (4 a/n)", false, 4, 4},
    {"Product/Catalog # (PCN) (1-13 a/n)", false, 1, 13},
    {"Unit of Measure (U) (1 numeric)", false, 1, 1},
    {"Quantity", true, 0, 0},
    {"Date", true, 0, 0},
    {"LOT/Batch/Serial (0-13 a/n)", false, 0, 13},
}};

const std::array<HibcFormat, 3> kHibcQuantityFormats = {{
    {"Quantity 0 Digits", 0},
    {"Quantity 2 Digits (2 numeric)", 2},
    {"Quantity 5 Digits (5(numeric)", 5},
}};

const std::array<HibcFormat, 7> kHibcDateFormats = {{
    {"None", 0}, {"YYMMDD", 6}, {"MMDDYY", 6}, {"MMYY", 4}, {"YYMMDDHH", 8}, {"YYJJJ", 5}, {"YYJJJHH", 7},
}};

void ShapePart(AString& text, bool numeric, int minimum, int maximum) {
  if (numeric)
    for (int i = 0; i < text.GetLength(); ++i)
      if (text.GetData()[i] < '0' || text.GetData()[i] > '9') text.SetAt(i, '0');
  if (minimum > 0 && text.GetLength() < minimum) text = AString('0', minimum - text.GetLength()) + text;
  if (maximum >= 0 && text.GetLength() > maximum) text = text.Left(maximum);
}

int GetHibcRowLimits(const CBarcodeField& field, int row, int* maximum, int* minimum) {
  if (row < 0 || row > 5) return 0;
  const int form = field.hibcForm;
  const bool primary = row <= 2;
  if ((form == 1 && !primary) || (form == 2 && primary)) return 0;
  int lo = kHibcRows[static_cast<size_t>(row)].minimum, hi = kHibcRows[static_cast<size_t>(row)].maximum;
  if (row == 3) {
    const size_t q = field.upsSource[kHibcQuantityFormatSlot];
    if (form == 2 && q == 0) return 0;
    hi = q < kHibcQuantityFormats.size() ? kHibcQuantityFormats[q].length : 0;
    lo = std::min(hi, 1);
  } else if (row == 4) {
    const size_t d = field.upsSource[kHibcDateFormatSlot];
    if (form == 2 && d == 0) return 0;
    hi = lo = d < kHibcDateFormats.size() ? kHibcDateFormats[d].length : 0;
  }
  if (maximum) *maximum = hi;
  if (minimum) *minimum = lo;
  return 1;
}

AString FormatHibcDate(const AString& date, int code) {
  if (code == 0) return AString("7");
  if (code == 1) return date;
  if (code >= 2 && code <= 6) return AString(static_cast<char>('0' + code), 1) + date;
  return AString();
}

AString BuildHibcSecondary(const CBarcodeField& f) {
  const AString& quantity = f.aiData[3];
  const AString& date = f.aiData[4];
  const AString& batch = f.aiData[5];
  const int dateCode = f.upsSource[kHibcDateFormatSlot];
  if (!quantity.IsEmpty()) {
    const AString q = AString(quantity.GetLength() == 2 ? "$$8" : "$$9") + quantity;
    if (!date.IsEmpty()) return q + FormatHibcDate(date, dateCode) + batch;
    if (batch.IsEmpty()) return q;
    return q + "7" + batch;
  }
  if (date.GetLength() == 5) return date + batch;
  if (date.IsEmpty()) return AString("$") + batch;
  return AString("$$") + FormatHibcDate(date, dateCode);
}

AString BuildHibcText(const CBarcodeField& f) {
  const AString primary = AString("+") + f.aiData[0] + f.aiData[1] + f.aiData[2];
  switch (f.hibcForm) {
    case 0: return primary + "/" + BuildHibcSecondary(f);
    case 1: return primary;
    case 2: return AString("+") + BuildHibcSecondary(f);
    default: return AString();
  }
}
