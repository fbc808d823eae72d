#include "datasource/field_sources.h"


#include "barcode/kalvo.h"
#include "datasource/counter_file.h"
#include "datasource/date_time_format.h"
#include "fields/model/field_data.h"
#include "fields/model/field_kinds.h"
#include "fields/services/field_services.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"

namespace {

constexpr int16_t kSourceFixedData = static_cast<int16_t>(DataSourceType::kFixedData);
constexpr int16_t kSourceLinkToFile = static_cast<int16_t>(DataSourceType::kLinkToFile);
constexpr int16_t kSourcePromptBeforePrint = static_cast<int16_t>(DataSourceType::kPromptBeforePrint);
constexpr int16_t kSourceChooseFromList = static_cast<int16_t>(DataSourceType::kChooseFromList);
constexpr int16_t kSourceCounterFile = static_cast<int16_t>(DataSourceType::kCounterFile);
constexpr int16_t kSourceDate = static_cast<int16_t>(DataSourceType::kDate);
constexpr int16_t kSourceTime = static_cast<int16_t>(DataSourceType::kTime);
constexpr int16_t kSourceLinkExpression = static_cast<int16_t>(DataSourceType::kLinkExpression);
constexpr int16_t kSourceDatabase = static_cast<int16_t>(DataSourceType::kDatabase);
constexpr int16_t kSourcePortWatch = static_cast<int16_t>(DataSourceType::kPortWatch);
constexpr int16_t kSourceOnShift = static_cast<int16_t>(DataSourceType::kOnShift);
constexpr int16_t kSourceStringsInFile = static_cast<int16_t>(DataSourceType::kStringsInFile);

constexpr int16_t kListOrder[] = {kSourceFixedData,         kSourceLinkToFile,   kSourceLinkExpression,
                                  kSourceDatabase,          kSourceStringsInFile, kSourcePromptBeforePrint,
                                  kSourceCounterFile,       kSourceChooseFromList, kSourceDate,
                                  kSourceTime,              -1};

bool IsTextKind(const CField& f) {
  return f.IsKind(FieldKind::kText) || f.IsKind(FieldKind::kBarcode) || f.IsKind(FieldKind::kParagraph);
}

AString* DataOf(CField& f) {
  switch (f.Kind()) {
    case FieldKind::kText: return &static_cast<CTextField&>(f).data;
    case FieldKind::kBarcode: return &static_cast<CBarcodeField&>(f).data;
    case FieldKind::kParagraph: return &static_cast<CParagraphField&>(f).data;
    default: return nullptr;
  }
}

DateTimeSource SourceOf(const CField& f) {
  DateTimeSource s;
  s.isTime = f.dataSourceType == kSourceTime;
  auto take = [&](const auto& k) {
    s.format = k.offsetUnit;
    s.offset = k.dateOffset;
    s.unit = s.isTime ? k.timeFormat : k.dateFormat;
    s.clock = k.clockSource;
  };
  if (f.IsKind(FieldKind::kText)) take(static_cast<const CTextField&>(f));
  else if (f.IsKind(FieldKind::kBarcode)) take(static_cast<const CBarcodeField&>(f));
  return s;
}

const FieldDataServices kServices = {
    [](const CField& field, int* length) { return FormatFieldDateTimeValue(field, length); },
    [](const char* path, CCounterFileData* data) { return ReadCounterFileContent(path, data); },
};

}  // namespace

const int16_t* DataSourceListOrder() { return kListOrder; }

int CanSymbologyCarryDate(int symbology, int subType) {
  if (IsUPCEANGroup(symbology)) return 0;
  if (symbology == 4 && (subType == 3 || subType == 4)) return 0;
  if (IsI25Group(symbology)) return 0;
  if (symbology == 0 || symbology == 12 || symbology == 23 || symbology == 24 || symbology == 26) return 0;
  if (Is39Group(symbology) || symbology == 3 || symbology == 4 || symbology == 27) return 1;
  return Is128Auto(symbology, subType) ? 1 : 0;
}

int IsDataSourceAllowed(int type, const CField& field) {
  if (type == kSourcePortWatch) return 0;
  switch (field.Kind()) {
    case FieldKind::kBarcode: {
      const auto& b = static_cast<const CBarcodeField&>(field);
      const bool twoD = Is2DBCode(b.symbology, b.subType) != 0;
      if ((type == kSourceDate || type == kSourceTime) && !CanSymbologyCarryDate(b.symbology, b.subType)) return 0;
      if (type == kSourceLinkToFile) return twoD ? 1 : 0;
      if (twoD && (type == kSourceChooseFromList || type == kSourceCounterFile || type == kSourceDate ||
                   type == kSourceTime || type == kSourceOnShift)) {
        // Symbology 27 carries a date (its own rule names it) though it is 2-D.
        return b.symbology == 27 && (type == kSourceDate || type == kSourceTime) ? 1 : 0;
      }
      return 1;
    }
    case FieldKind::kText:
      return type != kSourceLinkToFile;
    case FieldKind::kParagraph:
    case FieldKind::kRtf:
      return type == kSourceFixedData || type == kSourceLinkToFile || type == kSourcePromptBeforePrint ||
             type == kSourceDatabase;
    case FieldKind::kImage:
      return type == kSourceLinkToFile || type == kSourcePromptBeforePrint || type == kSourceLinkExpression ||
             type == kSourceDatabase;
    default:
      return 1;
  }
}

int DataSourceHasStoredText(int type) {
  return type == kSourceDate || type == kSourceTime || type == kSourceOnShift ? 0 : 1;
}

int IsTextOrLinearBarcodeField(const CField& field) {
  if (field.IsKind(FieldKind::kText)) return 1;
  return field.IsKind(FieldKind::kBarcode) && static_cast<const CBarcodeField&>(field).symbology != 27;
}

int GetFieldFontCodePage(const CField& field) {
  switch (field.Kind()) {
    case FieldKind::kText: return LanguageFromCharset(static_cast<const CTextField&>(field).logFont.lfCharSet);
    case FieldKind::kBarcode:
      return LanguageFromCharset(static_cast<const CBarcodeField&>(field).hrLogFont.lfCharSet);
    case FieldKind::kParagraph:
      return LanguageFromCharset(static_cast<const CParagraphField&>(field).logFont.lfCharSet);
    default: return UiLanguageKind();
  }
}

int ConvertFieldDataCodePage(CField& field, uint8_t noConversion, uint8_t printerKind) {
  if (noConversion || !IsTextKind(field)) return 0;
  AString* data = DataOf(field);
  if (!data || !data->IsWide()) return 0;
  const bool byLanguage = field.dataLanguage != 0;
  if (printerKind != 40 && byLanguage && !field.IsKind(FieldKind::kBarcode)) return 0;
  const int codePage =
      byLanguage ? GetFieldDataCodePage(field, nullptr) : CodePageFromLanguage(GetFieldFontCodePage(field), true);
  data->ConvertToMultiByte(codePage);
  return 1;
}

int ConvertFieldDataCodePage(CField& field, const CLabelSetup& setup) {
  return ConvertFieldDataCodePage(field, setup.noDataConversion, setup.printerKind);
}

AString FormatFieldDateTimeValue(const CField& field, int* width) {
  if (field.dataSourceType != kSourceDate && field.dataSourceType != kSourceTime) {
    if (width) *width = 0;
    return AString();
  }
  return FormatSourceDateTime(SourceOf(field), width);
}

void InstallDataSourceServices() { SetFieldDataServices(&kServices); }
