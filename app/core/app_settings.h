// CAppSettings: the one program-wide record of the designer's settings: the
// defaults of a new label, display options, the data folders, values only
// carried from start to exit, and the UI language. Start-up fills it from the
// profile's "Config" section; exit writes part of it back; the options sheet
// edits a copy and copies it back on OK.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/string/astring.h"

// The data folders, in their order in the record.
enum class SettingsFolder : int {
  TextFiles = 0,
  ChooselistFiles = 1,
  CounterFiles = 2,
  CustomStockFiles = 3,
  ImageFiles = 4,
  JobEditFiles = 5,
  PortWatchFiles = 6,
};
inline constexpr int kDataFolderCount = 7;

// Each folder's profile key and the sub-folder of the per-user folder it
// defaults to (none for the job-edit folder, which starts empty).
struct DataFolderEntry {
  const char* key;
  const char* defaultSubFolder;
};
inline constexpr std::array<DataFolderEntry, kDataFolderCount> kDataFolders{{
    {"Text Files", "TextFiles/"},
    {"Chooselist Files", "ChooselistFiles/"},
    {"Counter Files", "CounterFiles/"},
    {"Custom Stock Files", "StockFiles/"},
    {"Image Files", "ImageFiles/"},
    {"JobEdit Files", nullptr},
    {"Port Watch Files", "PortWatchFiles/"},
}};
static_assert(kDataFolders.size() == kDataFolderCount);

class CAppSettings {
 public:
  int32_t labelWidth = 0;     // thousandths of an inch
  int32_t labelHeight = 0;
  int32_t units = 0;          // 1 inch, 2 millimetre
  int16_t labelsPerRow = 0;
  int16_t rowsPerPage = 0;
  int32_t leftOffset = 0;
  int32_t topOffset = 0;
  int32_t horizontalGap = 0;
  int32_t verticalGap = 0;
  int32_t rotation = 0;
  int32_t stockModified = 0;
  AString stockFamily;
  AString stockName;
  uint8_t shape = 0;
  uint8_t hasBorder = 0;
  uint8_t hasHole = 0;
  int32_t holeDiameter = 0;
  int32_t backgroundColour = 0;  // RGB as stored
  int32_t borderStyle = 0;
  int32_t borderWidth = 0;
  int32_t borderRoundEnds = 0;
  int32_t borderColour = 0;
  int32_t showGrid = 0;
  double gridStep = 0;
  int32_t tabStops = 0;
  double lineSpacing = 0;
  int32_t boxLineWidth = 0;
  AString lastUsedPrinter;
  int16_t uiLanguage = 0;     // row of the language table
  int16_t spare = 0;          // copied with the record; no key
  int32_t printLog = 0;
  AString logFolder;
  int32_t logFileOrganisation = 0;
  int32_t logTextDelimiter = 0;
  int32_t headerFileName = 0;
  int32_t headerFontSize = 0;
  int32_t headerPageNumber = 0;
  int32_t headerText = 0;
  int32_t openFilterIndex = 0;
  int32_t drawFieldsOpaque = 0;
  int32_t clipboardAsBitmap = 0;  // 1 bitmap, 0 metafile
  std::array<AString, kDataFolderCount> dataFolders;
  int32_t addObjectFrame = 0;
  int32_t usePrintServer = 0;
  AString printServerFolder;

  // Copies every field; strings are shared, not duplicated.
  void CopyFrom(const CAppSettings& other) { *this = other; }

  const AString& Folder(SettingsFolder which) const { return dataFolders[static_cast<size_t>(which)]; }
  AString& Folder(SettingsFolder which) { return dataFolders[static_cast<size_t>(which)]; }
};

// The program's one record.
CAppSettings& AppSettings();
