// The kind codes of fields and the data-source types, each with its one
// table of names.
#pragma once

#include <cstdint>

// The kind word of a field record; code 8 (the label border) has no class.
enum class FieldKind : uint16_t {
  kLine = 0,
  kBox = 1,
  kText = 2,
  kBarcode = 3,
  kImage = 4,
  kOle = 5,
  kParagraph = 6,
  kRtf = 7,
  kBorder = 8,
  kEllipse = 9,
};

// The source a field's data comes from (the field's `dataSourceType`).
enum class DataSourceType : int16_t {
  kFixedData = 0,
  kLinkToFile = 1,
  kPromptBeforePrint = 2,
  kChooseFromList = 3,
  kCounterFile = 4,
  kDate = 5,
  kTime = 6,
  kLinkExpression = 7,
  kDatabase = 8,
  kPortWatch = 9,
  kOnShift = 10,
  kStringsInFile = 11,
};

inline constexpr int kDataSourceTypeCount = 12;

// "Fixed Data" ... "Strings In File", indexed by the type; null outside 0..11.
const char* DataSourceName(int type);

// "Line", "Box", "Text", "Barcode", "Image", "Ole", "Paragraph", "Rtf",
// "Border", "RRect": the word a field's default name starts with; null for
// an unknown kind.
const char* FieldKindName(int kind);

constexpr int16_t ToShort(DataSourceType t) { return static_cast<int16_t>(t); }
constexpr uint16_t ToWord(FieldKind k) { return static_cast<uint16_t>(k); }
