#include "app/core/settings_profile.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// An integer key: its default and the range a stored value must lie in.
struct IntKey {
  const char* key;
  int32_t defaultValue;
  int32_t low;
  int32_t high;
  int32_t CAppSettings::*field;
};

constexpr int32_t kAny = std::numeric_limits<int32_t>::max();
constexpr int32_t kAnyLow = std::numeric_limits<int32_t>::min();

constexpr std::array<IntKey, 22> kIntKeys{{
    {"DefaultLabelWidth", 4000, 100, 1000000, &CAppSettings::labelWidth},
    {"DefaultLabelHeight", 2500, 100, 1000000, &CAppSettings::labelHeight},
    {"DefaultUnits", 1, 1, 2, &CAppSettings::units},
    {"deflt_leftOff", 0, kAnyLow, kAny, &CAppSettings::leftOffset},
    {"deflt_topOff", 0, kAnyLow, kAny, &CAppSettings::topOffset},
    {"deflt_hGap", 0, kAnyLow, kAny, &CAppSettings::horizontalGap},
    {"deflt_vGap", 0, kAnyLow, kAny, &CAppSettings::verticalGap},
    {"deflt_rotation", 0, 0, 3, &CAppSettings::rotation},
    {"deflt_stockModified", 0, kAnyLow, kAny, &CAppSettings::stockModified},
    {"deflt_holeDiameter", 1650, kAnyLow, kAny, &CAppSettings::holeDiameter},
    {"deflt_bkclr", 0xFFFFFF, kAnyLow, kAny, &CAppSettings::backgroundColour},
    {"deflt_bdrData_style", 0, kAnyLow, kAny, &CAppSettings::borderStyle},
    {"deflt_bdrData_w", 15, kAnyLow, kAny, &CAppSettings::borderWidth},
    {"deflt_bdrData_roundEnds", 0, kAnyLow, kAny, &CAppSettings::borderRoundEnds},
    {"deflt_bdrData_clr", 0, kAnyLow, kAny, &CAppSettings::borderColour},
    {"addObjFrame", 0, kAnyLow, kAny, &CAppSettings::addObjectFrame},
    {"drawFldsOpaque", 1, kAnyLow, kAny, &CAppSettings::drawFieldsOpaque},
    {"DoPrintLog", 1, kAnyLow, kAny, &CAppSettings::printLog},
    {"logFileOrganization", 1, kAnyLow, kAny, &CAppSettings::logFileOrganisation},
    {"logTextDelimiter", 0, kAnyLow, kAny, &CAppSettings::logTextDelimiter},
    {"clipbrdFmt_useBmp", 1, kAnyLow, kAny, &CAppSettings::clipboardAsBitmap},
    {"usePrintServer", 0, kAnyLow, kAny, &CAppSettings::usePrintServer},
}};

// The carried header options: read and written back unchanged.
constexpr std::array<IntKey, 4> kHeaderKeys{{
    {"HdrFname", 0, kAnyLow, kAny, &CAppSettings::headerFileName},
    {"HdrFontsz", 10, kAnyLow, kAny, &CAppSettings::headerFontSize},
    {"HdrPagenm", 0, kAnyLow, kAny, &CAppSettings::headerPageNumber},
    {"HdrText", 0, kAnyLow, kAny, &CAppSettings::headerText},
}};

constexpr bool RangesHoldDefaults() {
  for (const IntKey& k : kIntKeys)
    if (k.defaultValue < k.low || k.defaultValue > k.high) return false;
  return true;
}
static_assert(RangesHoldDefaults(), "every default lies in its key's range");

int32_t ReadChecked(const CProfileFile& profile, const IntKey& k) {
  const int value = profile.GetInt(kConfigSection, k.key, k.defaultValue);
  return value < k.low || value > k.high ? k.defaultValue : value;
}

// Counts of labels across and down: at least one, and they are 16-bit.
int16_t ReadCount(const CProfileFile& profile, const char* key) {
  const int value = profile.GetInt(kConfigSection, key, 1);
  return value < 1 || value > std::numeric_limits<int16_t>::max() ? int16_t{1} : static_cast<int16_t>(value);
}

uint8_t ReadFlag(const CProfileFile& profile, const char* key) {
  return profile.GetInt(kConfigSection, key, 0) != 0 ? 1 : 0;
}

// A decimal kept as text; text that is no finite number gives `otherwise`.
double ReadDecimal(const CProfileFile& profile, const char* key, const char* defaultText, double otherwise) {
  const AString text = profile.GetString(kConfigSection, key, defaultText);
  double value = 0;
  return ParseDecimal(text.GetData(), value) ? value : otherwise;
}

void WriteInt(const CProfileFile& profile, const char* key, int32_t value) {
  profile.WriteInt(kConfigSection, key, value);
}

void WriteField(const CProfileFile& profile, const CAppSettings& s, const char* key) {
  for (const IntKey& k : kIntKeys)
    if (std::string_view(k.key) == key) return WriteInt(profile, key, s.*k.field);
  for (const IntKey& k : kHeaderKeys)
    if (std::string_view(k.key) == key) return WriteInt(profile, key, s.*k.field);
}

}  // namespace

bool ParseDecimal(const char* text, double& value) {
  if (!text) return false;
  char* end = nullptr;
  const double parsed = std::strtod(text, &end);
  if (end == text || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

int ReadUiLanguage(const CProfileFile& profile) {
  const int row = profile.GetInt(kConfigSection, "AppLanguage", 0);
  return row < 0 || row >= kUiLanguageCount ? 0 : row;
}

void LoadAppSettings(CAppSettings& s, const CProfileFile& profile, const SettingsContext& context) {
  for (const IntKey& k : kIntKeys) s.*k.field = ReadChecked(profile, k);
  for (const IntKey& k : kHeaderKeys) s.*k.field = ReadChecked(profile, k);
  s.labelsPerRow = ReadCount(profile, "deflt_lblsPerRow");
  s.rowsPerPage = ReadCount(profile, "deflt_rowsPerPage");
  const int shape = profile.GetInt(kConfigSection, "deflt_shape", 0);
  s.shape = shape < 0 || shape > 2 ? 0 : static_cast<uint8_t>(shape);
  s.hasBorder = ReadFlag(profile, "deflt_hasBorder");
  s.hasHole = ReadFlag(profile, "deflt_hasHoleDiameter");
  s.stockFamily = profile.GetString(kConfigSection, "deflt_stockFamily", "");
  s.stockName = profile.GetString(kConfigSection, "deflt_stockName", "");
  s.lastUsedPrinter = profile.GetString(kConfigSection, "LastUsedPrinter", "");
  s.logFolder = profile.GetString(kConfigSection, "pathLogFiles", context.perUserFolder.c_str());
  s.printServerFolder = profile.GetString(kConfigSection, "pathPrintServer", "");
  for (size_t i = 0; i < kDataFolders.size(); ++i) {
    const DataFolderEntry& f = kDataFolders[i];
    const std::string fallback = f.defaultSubFolder ? context.perUserFolder + f.defaultSubFolder : std::string();
    s.dataFolders[i] = profile.GetString(kConfigSection, f.key, fallback.c_str());
  }
  s.showGrid = 0;
  // A step that is no number turns the grid off (0); so does one that
  // could not be divided by.
  s.gridStep = ReadDecimal(profile, "gridDx", "100", 0);
  if (s.gridStep < 0) s.gridStep = 0;
  const int tabs = profile.GetInt(kConfigSection, "TabStops", 4);
  s.tabStops = tabs < 1 ? 1 : tabs;
  s.lineSpacing = context.readerMode ? 0.6 : ReadDecimal(profile, "LineSpacing", "0.2", 0.2);
  if (s.lineSpacing < 0) s.lineSpacing = 0.2;
  s.uiLanguage = static_cast<int16_t>(ReadUiLanguage(profile));
  s.boxLineWidth = profile.GetInt(kConfigSection, "DefaultBoxWidth", 20);
  s.openFilterIndex = 1;
}

void SaveDataFolders(const CAppSettings& s, const CProfileFile& profile) {
  for (size_t i = 0; i < kDataFolders.size(); ++i)
    profile.WriteString(kConfigSection, kDataFolders[i].key, s.dataFolders[i].GetData());
}

void SaveAppSettings(const CAppSettings& s, const CProfileFile& profile, const SettingsContext& context) {
  WriteInt(profile, "drawFldsOpaque", s.drawFieldsOpaque);
  WriteInt(profile, "showGrid", s.showGrid);
  profile.WriteDouble(kConfigSection, "gridDx", s.gridStep);
  WriteInt(profile, "TabStops", s.tabStops);
  SaveDataFolders(s, profile);
  // Reader mode's spacing is its own: the user's stays in the profile.
  if (!context.readerMode) profile.WriteDouble(kConfigSection, "LineSpacing", s.lineSpacing);
  WriteInt(profile, "AppLanguage", s.uiLanguage);
  WriteInt(profile, "DefaultUnits", s.units);
  WriteInt(profile, "DefaultBoxWidth", s.boxLineWidth);
  WriteInt(profile, "addObjFrame", s.addObjectFrame);
  WriteInt(profile, "usePrintServer", s.usePrintServer);
  profile.WriteString(kConfigSection, "pathPrintServer", s.printServerFolder.GetData());
  WriteInt(profile, "DoPrintLog", s.printLog);
  profile.WriteString(kConfigSection, "pathLogFiles", s.logFolder.GetData());
  for (const char* key : {"logFileOrganization", "logTextDelimiter", "clipbrdFmt_useBmp", "HdrFname", "HdrFontsz",
                          "HdrPagenm", "HdrText"})
    WriteField(profile, s, key);
}
