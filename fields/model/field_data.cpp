#include "fields/model/field_data.h"

#include <unistd.h>

#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/system/printer_metrics.h"
#include "foundation/util/file_names.h"

namespace {

const AString* DataMember(const CField& f) {
  switch (f.Kind()) {
    case FieldKind::kText: return &static_cast<const CTextField&>(f).data;
    case FieldKind::kBarcode: return &static_cast<const CBarcodeField&>(f).data;
    case FieldKind::kParagraph: return &static_cast<const CParagraphField&>(f).data;
    case FieldKind::kImage: return &static_cast<const CImageField&>(f).fileName;
    case FieldKind::kRtf: return &static_cast<const CRtfField&>(f).rtfFile;
    default: return nullptr;
  }
}

bool HoldsText(const CField& f) {
  return f.IsKind(FieldKind::kText) || f.IsKind(FieldKind::kBarcode) || f.IsKind(FieldKind::kParagraph);
}

const CBarcodeField* AsBarcode(const CField& f) {
  return f.IsKind(FieldKind::kBarcode) ? static_cast<const CBarcodeField*>(&f) : nullptr;
}

template <size_t N>
int PartSourceBits(const std::array<uint8_t, N>& codes, const std::array<AString, N>* names) {
  int bits = 0;
  for (size_t i = 0; i < N; ++i) {
    if (names && (*names)[i].IsEmpty()) continue;
    if (codes[i] == ToShort(DataSourceType::kLinkExpression)) bits |= 1;
    if (codes[i] == ToShort(DataSourceType::kPromptBeforePrint)) bits |= 2;
  }
  return bits;
}

}  // namespace

void GetFieldData(AString& out, const CField& field) {
  const AString* m = DataMember(field);
  out = m ? *m : AString();
}

void SetFieldData(CField& field, const AString& text) {
  if (auto* m = const_cast<AString*>(DataMember(field))) *m = text;
}

int GetFieldDataLength(const CField& field) {
  const AString* m = DataMember(field);
  if (!m) return 0;
  return HoldsText(field) ? m->CountChars() : m->GetLength();
}

bool IsVariableSourceType(int t) {
  switch (static_cast<DataSourceType>(t)) {
    case DataSourceType::kPromptBeforePrint:
    case DataSourceType::kChooseFromList:
    case DataSourceType::kCounterFile:
    case DataSourceType::kDate:
    case DataSourceType::kTime:
    case DataSourceType::kLinkExpression:
    case DataSourceType::kDatabase:
    case DataSourceType::kPortWatch:
    case DataSourceType::kStringsInFile: return true;
    default: return false;
  }
}

int GetMaxiCodePartSources(const CField& field, int useSaved) {
  const CBarcodeField* b = AsBarcode(field);
  if (!b || b->symbology != 28) return -1;
  return PartSourceBits<13>(useSaved ? b->upsSourceBackup : b->upsSource, nullptr);
}

int GetAiPartSources(const CField& field, int useSaved) {
  const CBarcodeField* b = AsBarcode(field);
  if (!b || b->symbology != 20) return -1;
  return PartSourceBits(useSaved ? b->aiSourceBackup : b->aiSource, &b->aiCode);
}

int HasAiDataSource(const CField& field) {
  const CBarcodeField* b = AsBarcode(field);
  if (!b) return 0;
  for (uint8_t s : b->aiSource)
    if (s) return 1;
  return 0;
}

int HasVariableAiData(const CField& field) {
  const CBarcodeField* b = AsBarcode(field);
  if (!b) return 0;
  for (size_t i = 0; i < b->aiSource.size(); ++i)
    if (!b->aiCode[i].IsEmpty() && b->aiSource[i]) return 1;
  return 0;
}

int IsVariableDataField(const CField& field, int useSaved) {
  if (const CBarcodeField* b = AsBarcode(field)) {
    if (b->symbology == 28) {
      const int bits = GetMaxiCodePartSources(field, useSaved);
      return useSaved ? bits == 2 : bits != 0;
    }
    if (b->symbology == 20) return HasVariableAiData(field);
    if (b->useHibc) return HasAiDataSource(field);
  }
  if (!DataMember(field)) return 0;
  return IsVariableSourceType(field.dataSourceType) ? 1 : 0;
}

int IsFieldDataComputed(const CField& field) {
  const int t = field.dataSourceType;
  if (const CBarcodeField* b = AsBarcode(field)) {
    if (b->useHibc) return 1;
    if (b->symbology == 20) return HasVariableAiData(field);
  }
  const bool producedKind =
      field.IsKind(FieldKind::kText) || field.IsKind(FieldKind::kBarcode) || field.IsKind(FieldKind::kRtf);
  if (producedKind && t >= 2 && t <= 11 && t != ToShort(DataSourceType::kOnShift)) return 1;
  if (t == ToShort(DataSourceType::kLinkToFile) && !field.IsKind(FieldKind::kImage)) return 1;
  if (t == ToShort(DataSourceType::kLinkExpression)) return 1;
  if (field.IsKind(FieldKind::kText) && t == ToShort(DataSourceType::kFixedData) &&
      static_cast<const CTextField&>(field).data.IsWide() && field.dataLanguage == 0)
    return 1;
  return 0;
}

int PadFieldDataToMaxLength(CField& field) {
  AString data;
  GetFieldData(data, field);
  const int missing = field.maxChars - GetFieldDataLength(field);
  if (missing <= 0) return missing;
  const bool text = HoldsText(field);
  char fill = text ? ' ' : '9';
  if (!data.IsEmpty()) fill = data.GetData()[0];
  if (data.IsWide()) {
    const WORD unit = static_cast<WORD>(data.GetUnitAt(0));
    for (int i = 0; i < missing; ++i) {
      const char bytes[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
      data.Append(bytes, 2);
    }
  } else {
    data.AppendRepeated(fill, missing);
  }
  SetFieldData(field, data);
  return GetFieldDataLength(field);
}

void ReplaceControlChars(AString& text, char c) {
  if (text.IsWide()) {
    for (int i = 0; i < text.GetLength() / 2; ++i)
      if (text.GetUnitAt(i) < 32) text.SetUnitAt(i, static_cast<unsigned char>(c));
    return;
  }
  for (int i = 0; i < text.GetLength(); ++i)
    if (static_cast<unsigned char>(text.GetData()[i]) < 32) text.SetAt(i, c);
}

int GetFieldDataCodePage(const CField& field, const CLabelSetup*) {
  if (!HoldsText(field)) return -1;
  const int language = DataLanguageKind(field.dataLanguage);
  if (language == 1) return 936;
  if (language == 2) return 950;
  int charset = 0;
  switch (field.Kind()) {
    case FieldKind::kText: charset = static_cast<const CTextField&>(field).logFont.lfCharSet; break;
    case FieldKind::kBarcode: charset = static_cast<const CBarcodeField&>(field).hrLogFont.lfCharSet; break;
    default: charset = static_cast<const CParagraphField&>(field).logFont.lfCharSet; break;
  }
  return CodePageFromLanguage(LanguageFromCharset(charset), true);
}

SIZE GetPrinterPageSize(const char* printerName) {
  SIZE size{9000, 16000};
  if (!printerName || !*printerName) return size;
  PrinterMetrics m;
  if (!GetPrinterMetrics(printerName, &m) || m.dpiX <= 0 || m.dpiY <= 0) return size;
  size.cx = static_cast<LONG>(static_cast<long long>(m.pageWidth) * 1000 / m.dpiX);
  size.cy = static_cast<LONG>(static_cast<long long>(m.pageHeight) * 1000 / m.dpiY);
  return size;
}

SIZE GetStockSize(const char*, const char* printerName) { return GetPrinterPageSize(printerName); }

void CField::GetFilePath(AString& out) const {
  const AString* m = nullptr;
  FolderKind folder = FolderKind::kLinkedText;
  switch (Kind()) {
    case FieldKind::kParagraph: m = &static_cast<const CParagraphField*>(this)->data; break;
    case FieldKind::kBarcode: m = &static_cast<const CBarcodeField*>(this)->data; break;
    case FieldKind::kRtf: m = &static_cast<const CRtfField*>(this)->rtfFile; break;
    case FieldKind::kImage:
      m = &static_cast<const CImageField*>(this)->fileName;
      folder = FolderKind::kImage;
      break;
    default: out = AString(); return;
  }
  const bool relative = !m->IsEmpty() && !IsAbsolutePath(m->GetData(), m->GetLength());
  if (relative && !layoutFolder.IsEmpty()) {
    AString beside = layoutFolder + *m;
    if (::access(beside.GetData(), F_OK) == 0) {
      out = beside;
      return;
    }
  }
  if (useFolder && relative) {
    out = GetFolder(folder) + *m;
  } else {
    out = *m;
  }
}
