// CField, the base of every label field: the members every kind shares, in
// the order and with the widths of the field record (fields/records), and the
// six operations each kind may override.
//
// In memory a field is an ordinary object; the record layout lives in one
// table per kind (fields/records/record_layout.h), which drives the writer,
// the reader and CopyFrom, so a member that is copied is also read and written.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "fields/model/field_kind.h"
#include "foundation/string/astring.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/types.h"

// A line style: also the outline of lines and ellipses and the label border.
struct BdrData {
  int32_t style = 0;
  int32_t width = 12;
  int32_t roundEnds = 0;
  int32_t color = 0;
  bool operator==(const BdrData&) const = default;
};

// A field's data while a print-time value stands in it (StashData).
struct CFieldSavedData {
  int16_t savedSourceType = 0;
  AString savedData, savedDataAlt, savedHrResult;
  std::array<uint8_t, 6> aiSources{}, aiSourcesBackup{};
  std::array<AString, 6> aiCodes, aiData;
  uint8_t savedMaxiMode = 0;
  std::array<uint8_t, 13> upsSources{}, upsSourcesBackup{};
  std::array<AString, 13> upsFields;
  int16_t savedPictureFormat = 0;
  AString savedFileName;
};

// A point of the layout in mils.
struct FieldPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const FieldPoint&) const = default;
};

// Resize modes that GetResizeMode answers and the design view reads.
inline constexpr int kResizeAny = 1;
inline constexpr int kResizeCorners = -1;
inline constexpr int kResizeFixed = 0;

// Size words of the records, and the base's own size word.
inline constexpr uint16_t kBaseRecordSize = 736;

class CField {
 public:
  CField(const CField&) = delete;
  CField& operator=(const CField&) = delete;
  virtual ~CField();

  // ---- The six operations of every kind --------------------------------
  // Copies every setting the record carries (never recordSize, serialId,
  // savedData or valueList); the strings too unless skipStrings. A source of
  // another kind gives only the base's members. 0 for a null source.
  virtual int CopyFrom(const CField* src, int skipStrings);
  // Stores type; with keepOld the old type goes to previousDataSourceType.
  // Returns the old type.
  virtual int16_t SetDataSourceType(int16_t type, int keepOld);
  // Keeps the field's data aside while a print-time value stands in it.
  virtual int StashData();
  // Puts the stashed data back; 0 when nothing is stashed.
  virtual int RestoreData();
  // A text equal for two fields exactly when they print the same.
  virtual void GetAppearanceKey(AString& out) const;
  // kResizeAny, kResizeCorners or kResizeFixed; writes -1 to *second when
  // the base answers.
  virtual int GetResizeMode(int* second) const;

  // ---- Shared operations --------------------------------------------------
  FieldKind Kind() const { return static_cast<FieldKind>(kind); }
  bool IsKind(FieldKind k) const { return kind == ToWord(k); }
  // rotation = r normalised to 0..359999; text, barcode and paragraph fields
  // turn their font with it. Returns the old rotation.
  int32_t SetRotation(int32_t r);
  int UsesDataSource(int16_t t) const { return dataSourceType == t || previousDataSourceType == t; }
  void CopyGeometryFrom(const CField* src);
  void SaveGeometry();
  // The linked file of a paragraph, barcode (data), RTF (rtfFile) or image
  // (fileName) field; a name that is not a full path is looked for first in
  // the folder of the layout the field was read from (layoutFolder), then,
  // with useFolder set, in the folder of its file type, else as it stands.
  // Empty for other kinds.
  void GetFilePath(AString& out) const;
  const CFieldSavedData* GetSavedData() const { return savedData.get(); }

  // ---- Members (record order) -----------------------------------------
  uint16_t recordSize = kBaseRecordSize;
  uint16_t kind = 0;
  uint32_t serialId = 0;
  std::array<int32_t, 4> position{};
  int32_t width = 0;
  int32_t height = 0;
  int32_t rotation = 0;
  int32_t savedWidth = 0;
  int32_t savedHeight = 0;
  int32_t savedRotation = 0;
  FieldPoint savedOffset;
  FieldPoint offset;
  COLORREF foreColor = 0;
  COLORREF backColor = 0xFFFFFF;
  uint32_t styleFlags = 0;
  std::array<int32_t, 3> encodeResult{};
  uint32_t baseSpare1 = 0;
  uint8_t doNotPrint = 0;
  uint8_t lockPosition = 0;
  uint8_t inverse = 0;
  uint8_t printFlag1 = 0;
  uint8_t useFolder = 1;
  uint8_t printFlag2 = 0;
  uint8_t resetAfterPrint = 0;
  int16_t dataLanguage = 0;
  int16_t dataSourceType = 0;
  int16_t previousDataSourceType = 0;
  AString name, prompt, listFile, counterFile;
  int16_t maxChars = 32;
  int16_t minChars = 0;
  int16_t anchor = -1;
  AString dbSource, dbTable, dbColumn;
  int32_t dbColumnType = 32;
  std::array<uint8_t, 4> baseSpare2{};
  uint32_t baseSpare3 = 0;
  int16_t baseSpare4 = -1;
  int16_t baseSpare5 = -1;
  int32_t printLink = 0;
  int32_t baseSpare6 = 0;
  int32_t baseSpare7 = 1;
  int32_t baseSpare8 = 0;
  std::array<int16_t, 6> shortOptions{};
  std::array<int32_t, 7> intOptions{};
  int16_t stringsDelimiter = 10;
  AString stringsFile, baseSpareText;
  std::array<AString, 31> valueList;
  // Not stored: the folder (with its trailing '/') of the layout file the
  // field was read from, empty for a field made in this run. Relative file
  // names belong to the layout, wherever the program was started.
  AString layoutFolder;

 protected:
  explicit CField(FieldKind k, uint16_t size);
  // The base part of StashData / RestoreData, for the kinds that add theirs.
  CFieldSavedData& NewStash();
  std::unique_ptr<CFieldSavedData> savedData;
};

// The next serial number a constructed field takes (for tests: a read field
// gets a fresh one).
uint32_t PeekNextFieldSerial();

// Normalises an angle in thousandths of a degree to 0..359999.
constexpr int32_t NormalizeRotation(int64_t r) {
  const int64_t m = r % 360000;
  return static_cast<int32_t>(m < 0 ? m + 360000 : m);
}
