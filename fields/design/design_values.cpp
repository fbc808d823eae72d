#include "fields/design/design_values.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "barcode/kalvo.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/barcode_render.h"
#include "fields/barcode/structured_parts.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/model/field_data.h"
#include "fields/services/field_services.h"
#include "fields/services/label_setup.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/util/file_io.h"
#include "foundation/util/file_names.h"

namespace {

bool FedAtPrintTime(uint8_t code) {
  return code == ToShort(DataSourceType::kPromptBeforePrint) || code == ToShort(DataSourceType::kLinkExpression);
}

bool IsDoubleByte(int codePage) { return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950; }

int LongestValidLength(int symbology, int subType) {
  unsigned short lengths[64] = {};
  int isMaximum = 0;
  char text[512] = {};
  const int n = std::clamp(GetBCodeValidLens(symbology, subType, lengths, &isMaximum, text), 0, 64);
  return n > 0 ? lengths[n - 1] : -1;
}

int AppDataCodePage() { return CodePageFromLanguage(AppDataLanguage(), true); }

// A placeholder of the field's maximum length.
AString Placeholder(const CField& field, bool numeric) {
  int length = field.maxChars;
  if (field.IsKind(FieldKind::kParagraph)) length = static_cast<const CParagraphField&>(field).maxLines;
  if (IsDoubleByte(GetFieldDataCodePage(field, nullptr))) length *= 2;
  if (field.IsKind(FieldKind::kBarcode)) {
    const auto& b = static_cast<const CBarcodeField&>(field);
    const int longest = LongestValidLength(b.symbology, b.symbology == 31 ? b.microPdfMode : b.subType);
    if (longest > 0) length = std::min(length, longest);
    if (b.symbology == kalvo::CodeOf(kalvo::Symbology::Pdf417)) length = std::min(length, 40);
    if (b.symbology == kalvo::CodeOf(kalvo::Symbology::MicroPdf417))
      length = std::min(40, std::max(longest, 0) * 2 / 3);
  }
  length = std::max(length, 0);
  const bool textKind = field.IsKind(FieldKind::kText) || field.IsKind(FieldKind::kParagraph);
  const bool hrText = field.IsKind(FieldKind::kText) && static_cast<const CTextField&>(field).customHR != 0;
  if (!textKind || hrText || numeric) return AString('0', length);
  if (field.dataSourceType == ToShort(DataSourceType::kDatabase)) {
    AString db('D', length);
    for (int i = 1; i < length; i += 2) db.SetAt(i, 'B');
    return db;
  }
  return AString('X', length);
}

}  // namespace

AString MakeDefaultFieldName(int kind, const CFieldList& list) {
  const char* word = FieldKindName(kind);
  if (!word) return AString();
  const std::string prefix = std::string(word) + "_";
  long highest = 0;
  for (const auto& f : list) {
    if (!f || f->name.GetLength() <= static_cast<int>(prefix.size())) continue;
    if (f->name.CompareLeftNoCase(prefix.c_str(), static_cast<int>(prefix.size())) != 0) continue;
    highest = std::max(highest, std::atol(f->name.GetData() + prefix.size()));
  }
  AString name;
  name.Format("%s%ld", prefix.c_str(), highest + 1);
  return name;
}

int AssignDefaultFieldName(CField& field, const CFieldList& list) {
  field.name = MakeDefaultFieldName(field.kind, list);
  return 1;
}

int FillAiPlaceholders(CBarcodeField& f) {
  int shaped = 0;
  for (size_t i = 0; i < f.aiCode.size(); ++i) {
    if (f.aiCode[i].IsEmpty() || !(FedAtPrintTime(f.aiSource[i]) || FedAtPrintTime(f.aiSourceBackup[i]))) continue;
    const typAIdef* def = FindAIDefinition(f.aiCode[i].GetData());
    if (!def) continue;
    ShapePart(f.aiData[i], def->charKinds == 1, def->minLength, def->maxLength);
    shaped = 1;
  }
  return shaped;
}

int FillHibcPlaceholders(CBarcodeField& f) {
  int shaped = 0;
  for (int row = 0; row < 6; ++row) {
    const size_t r = static_cast<size_t>(row);
    int maximum = 0, minimum = 0;
    if (!GetHibcRowLimits(f, row, &maximum, &minimum)) continue;
    if (!(FedAtPrintTime(f.aiSource[r]) || FedAtPrintTime(f.aiSourceBackup[r]))) continue;
    ShapePart(f.aiData[r], kHibcRows[r].numeric, minimum, maximum);
    shaped = 1;
  }
  return shaped;
}

int FillUpsPlaceholders(CBarcodeField& f) {
  int shaped = 0;
  for (size_t i = 0; i < kUpsParts.size(); ++i) {
    if (!(FedAtPrintTime(f.upsSource[i]) || FedAtPrintTime(f.upsSourceBackup[i]))) continue;
    ShapePart(f.upsField[i], kUpsParts[i].numeric, kUpsParts[i].minimum, kUpsParts[i].maximum);
    shaped = 1;
  }
  return shaped;
}

int GetFieldDesignValue(CField& field, const CFieldList&, const CLabelSetup& setup, int numeric) {
  auto* barcode = field.IsKind(FieldKind::kBarcode) ? static_cast<CBarcodeField*>(&field) : nullptr;
  const bool asNumber = numeric == -1 ? barcode != nullptr : numeric != 0;
  const auto type = static_cast<DataSourceType>(field.dataSourceType);
  if (IsVariableDataField(field, 0)) {
    bool structured = false;
    if (barcode && barcode->useHibc) {
      structured = FillHibcPlaceholders(*barcode) != 0;
      const AString hibc = BuildHibcText(*barcode);
      if (!hibc.IsEmpty()) barcode->data = hibc;
    } else if (barcode && barcode->symbology == kalvo::CodeOf(kalvo::Symbology::UccEan128Ais)) {
      structured = FillAiPlaceholders(*barcode) != 0;
    } else if (barcode && barcode->symbology == kalvo::CodeOf(kalvo::Symbology::MaxiCode)) {
      structured = FillUpsPlaceholders(*barcode) != 0;
    }
    if (structured) {
      const SIZE size = MeasureBarcodeSize(barcode, &setup, 1);
      barcode->width = BarcodeDotsToMils(size.cx, setup.dpiX);
      barcode->height = BarcodeDotsToMils(size.cy, setup.dpiX);
    } else if (type == DataSourceType::kPromptBeforePrint || type == DataSourceType::kChooseFromList ||
               type == DataSourceType::kDatabase || type == DataSourceType::kPortWatch ||
               type == DataSourceType::kStringsInFile) {
      SetFieldData(field, Placeholder(field, asNumber));
    } else if (type == DataSourceType::kDate || type == DataSourceType::kTime) {
      int length = 0;
      SetFieldData(field, FormatFieldDateTime(field, &length));
      field.maxChars = static_cast<int16_t>(length);
    } else if (type == DataSourceType::kCounterFile) {
      CCounterFileData counter;
      // A full path names the file itself; a bare name is in the counter folder.
      const AString& name = field.counterFile;
      const AString path =
          IsAbsolutePath(name.GetData(), name.GetLength()) ? name : GetFolder(FolderKind::kCounter) + name;
      if (ReadCounterFile(path.GetData(), &counter)) SetFieldData(field, counter.value);
    }
  } else if (barcode && barcode->useHibc) {
    const AString hibc = BuildHibcText(*barcode);
    if (!hibc.IsEmpty()) barcode->data = hibc;
  } else if (type == DataSourceType::kLinkToFile && !field.IsKind(FieldKind::kImage)) {
    AString path;
    field.GetFilePath(path);
    if (!path.IsEmpty()) {
      int bom = 0;
      const AString text = ReadFileToStringWide(path.GetData(), true, true, &bom);
      if (!text.IsEmpty()) SetFieldData(field, text);
    }
  } else if (type == DataSourceType::kFixedData && field.IsKind(FieldKind::kText)) {
    auto& text = static_cast<CTextField&>(field);
    if (text.data.IsWide() && !text.windowsFont) text.data.ConvertToMultiByte(AppDataCodePage());
  }
  if (barcode) {
    if (barcode->data.IsWide()) barcode->data.ConvertToMultiByte(AppDataCodePage());
    NormalizeBarcodeData(*barcode);
    FitBarcodeData(*barcode);
  }
  return 1;
}

int DatePartIndex(const char* text) {
  if (!text) return -1;
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static constexpr const char* kParts[] = {"day", "month", "year", "hour", "minute", "second"};
  for (int i = 0; i < 6; ++i)
    if (lower.find(kParts[i]) != std::string::npos) return i;
  return -1;
}
