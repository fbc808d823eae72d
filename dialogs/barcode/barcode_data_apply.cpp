// Leaving the Barcode / Data page: the controls into the working field on
// every tab change, and the data checks and measuring while the sheet closes
// with OK. A control nobody touched leaves its member as it was, so an
// unchanged OK stores the field unchanged.
#include <algorithm>
#include <cstring>

#include "app/controls/input_helpers.h"
#include "app/ui/msg_box.h"
#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"
#include "barcode/kalvo.h"
#include "datasource/field_sources.h"
#include "dialogs/barcode/barcode_data_page.h"
#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/page_controls.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/measure/field_measure.h"
#include "fields/services/label_setup.h"

namespace {

constexpr int kMsgEncodeTooLong = 50066;
constexpr int kMsgEncodeNoFit = 50067;
constexpr int kEncodeTooLong = 100;
constexpr int kEncodeNoFit = 101;

}  // namespace

BOOL CBarcodeDataPage::OnKillActive() {
  if (!m_hWnd || !field_) return TRUE;
  if (!TakeSelections()) return FALSE;
  if (Is2DBCode(symbology_, field_->subType)) Take2D();
  else TakeLinear();
  TakeCommon();
  auto* sheet = dynamic_cast<CMyPropSheet*>(GetParent());
  if (sheet && sheet->ClosingWithOk() && !ApplyOnOk()) return FALSE;
  return CSkinPropertyPage::OnKillActive();
}

bool CBarcodeDataPage::TakeSelections() {
  const HWND page = m_hWnd;
  const int code = SelectedData(page, IDC_BC_SYMBOLOGY, -1);
  const bool subtypeShown = IsShown(page, IDC_BC_SUBTYPE);
  if (code < 0 || (subtypeShown && SelectedIndex(page, IDC_BC_SUBTYPE) < 0)) return false;
  field_->symbology = static_cast<int16_t>(code);
  if (subtypeShown) field_->subType = static_cast<int16_t>(SelectedData(page, IDC_BC_SUBTYPE, field_->subType));
  return true;
}

void CBarcodeDataPage::Take2D() {
  const HWND page = m_hWnd;
  const auto moduleSize = [&] { return static_cast<int16_t>(SelectedData(page, IDC_BC_MODULE, field_->moduleSize2D)); };
  switch (symbology_) {
    case 27:
      field_->moduleSize2D = moduleSize();
      field_->rowHeight2D = static_cast<int16_t>(SelectedData(page, IDC_BC_ROW_FACTOR, 1));
      field_->pdfSecurity = static_cast<int16_t>(SelectedData(page, IDC_BC_ECC, -1));
      field_->symbolColumns = static_cast<int16_t>(SelectedData(page, IDC_BC_COLUMNS, 0));
      field_->symbolRows = 0;
      field_->pdfTruncated = IsChecked(page, IDC_BC_TRUNCATED) ? 1 : 0;
      break;
    case 28:
      field_->maxiMode = static_cast<uint8_t>(SelectedData(page, IDC_BC_MAXI_MODE, field_->maxiMode));
      field_->showHr = 0;
      field_->designerDrawsText = 0;
      break;
    case 29: {
      const int index = SelectedData(page, IDC_BC_DIMENSION, -1);
      const POINT size = index >= 0 ? GetDatamatrixNthDimension(index) : POINT{-1, -1};
      field_->symbolRows = static_cast<int16_t>(size.y);
      field_->symbolColumns = static_cast<int16_t>(size.x);
      field_->moduleSize2D = moduleSize();
      break;
    }
    case 30:
      field_->code49RowHeight =
          std::max(10, EditedLength(code49Height_, page, IDC_BC_CODE49_HEIGHT, factor_, field_->code49RowHeight));
      field_->moduleSize2D = moduleSize();
      break;
    case 31:
      field_->moduleSize2D = moduleSize();
      field_->rowHeight2D = static_cast<int16_t>(SelectedData(page, IDC_BC_ROW_FACTOR, 1));
      field_->microPdfMode = static_cast<int16_t>(SelectedData(page, IDC_BC_MICRO_MODE, field_->microPdfMode));
      break;
    case 33:
      field_->moduleSize2D = moduleSize();
      field_->qrLevel = static_cast<int16_t>(SelectedData(page, IDC_BC_ECC, 0));
      break;
    default:
      break;
  }
}

void CBarcodeDataPage::TakeLinear() {
  const HWND page = m_hWnd;
  field_->narrowBar = static_cast<int16_t>(SelectedData(page, IDC_BC_NARROW, field_->narrowBar));
  field_->barHeight = std::max(10, EditedLength(height_, page, IDC_BC_HEIGHT, factor_, field_->barHeight));
  // A ratio list the symbology does not have leaves the stored ratio alone.
  if (::SendDlgItemMessageW(page, IDC_BC_RATIO, CB_GETCOUNT, 0, 0) > 0)
    field_->ratio = static_cast<int16_t>(SelectedData(page, IDC_BC_RATIO, field_->ratio));
}

void CBarcodeDataPage::TakeCommon() {
  const HWND page = m_hWnd;
  // An angle the list does not hold stays until a quarter turn is chosen.
  if (rotationTouched_) field_->SetRotation(SelectedIndex(page, IDC_BC_ROTATION) * 90000);
  field_->increment = std::clamp(EditedInt(increment_, page, IDC_BC_INCREMENT, field_->increment), -500000, 500000);
  field_->duplicates = std::clamp(EditedInt(duplicates_, page, IDC_BC_DUPLICATES, field_->duplicates), 1, 500000);
  field_->counterType = static_cast<uint8_t>(SelectedData(page, IDC_BC_NUMBER_BASE, field_->counterType));
  if (Is128CF1Mod10(symbology_, field_->subType)) {
    field_->addMod10 = 1;
    field_->mod10Start = SelectedData(page, IDC_BC_AI_DIGITS, field_->mod10Start);
  } else {
    field_->addMod10 = 0;
  }
  if (IsShown(page, IDC_BC_SOURCE))
    field_->dataSourceType = static_cast<int16_t>(SelectedData(page, IDC_BC_SOURCE, field_->dataSourceType));
}

bool CBarcodeDataPage::FocusFail(int id) {
  ::SetFocus(::GetDlgItem(m_hWnd, id));
  return false;
}

bool CBarcodeDataPage::TakeData() {
  const int type = field_->dataSourceType;
  const bool fixed = type == ToShort(DataSourceType::kFixedData) || type == ToShort(DataSourceType::kOnShift);
  if (!fixed) return section_ == nullptr || section_->Apply(*this, type, *field_);
  // The shown data comes back as it was unless someone edited it.
  if (data_.Edited(m_hWnd, IDC_BC_DATA)) {
    AString text;
    GetWindowString(::GetDlgItem(m_hWnd, IDC_BC_DATA), &text);
    text.TrimBoth();
    field_->data = text;
    field_->data.SetWide(false);
  }
  return true;
}

bool CBarcodeDataPage::ApplyOnOk() {
  const int code = symbology_;
  const int longest = GetBarcodeMaxDataLength(*field_);
  if (longest >= 0) field_->maxChars = static_cast<int16_t>(longest);
  if (IsUPCEANGroup(code)) field_->textMask = AString();
  const bool structured = field_->useHibc || code == 20 || code == 28;
  if (code == 28 && (field_->maxiMode == 2 || field_->maxiMode == 3)) {
    field_->dataSourceType = ToShort(DataSourceType::kFixedData);
    int failed = 0;
    if (!ValidateUpsFields(m_hWnd, *field_, &failed, 0)) return false;
  }
  if (!TakeData()) return false;
  NormalizeBarcodeData(*field_);
  const int type = field_->dataSourceType;
  const bool check = type == 1 || type == 4 || ((type == 0 || type == 10) && !structured);
  if (check && !ValidateBarcodeData(m_hWnd, *field_, 1)) return FocusFail(IDC_BC_DATA);
  if (check && code == 24) field_->showHr = 0;
  if (newField_ && !hrPageOpened_ && setup_->dpiX > 0)
    field_->hrLogFont.lfHeight = GetDefaultHrFontHeight(*field_) * 72 / setup_->dpiX;
  if (field_->designerDrawsText && !field_->hrFontFace.IsEmpty()) {
    std::strncpy(field_->hrLogFont.lfFaceName, field_->hrFontFace.GetData(), LF_FACESIZE - 1);
    field_->hrLogFont.lfFaceName[LF_FACESIZE - 1] = 0;
  }
  static const CFieldList kNoFields;
  const SIZE size = MeasureBarcodeField(*field_, fields_ ? *fields_ : kNoFields, *setup_, 0);
  if (field_->encodeResult[0] == kEncodeTooLong || field_->encodeResult[0] == kEncodeNoFit) {
    UiMessageBox(this, field_->encodeResult[0] == kEncodeTooLong ? kMsgEncodeTooLong : kMsgEncodeNoFit, kMsgBoxOk,
                 false);
    return FocusFail(IDC_BC_DATA);
  }
  if (size.cx == 0 || size.cy == 0) return false;
  measured_ = size;
  const auto dots = [](int64_t mils, int dpi) { return (dpi * mils + 500) / 1000; };
  if (type == 0 && (dots(size.cx, setup_->dpiX) < 2 || dots(size.cy, setup_->dpiY) < 2)) {
    ShowMsgBoxDlg(this, AString("Cannot generate barcode."), kMsgBoxOk, 1, -1);
    return FocusFail(IDC_BC_DATA);
  }
  if (!DataSourceHasStoredText(type)) field_->increment = 0;
  return true;
}
