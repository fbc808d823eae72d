// Leaving the Barcode / Data page: the controls into the working field on
// every tab change, and the data checks and measuring while the sheet closes
// with OK. A control nobody touched leaves its member as it was, so an
// unchanged OK stores the field unchanged.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/controls/input_helpers.h"
#include "app/ui/msg_box.h"
#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"
#include "barcode/kalvo.h"
#include "datasource/field_sources.h"
#include "dialogs/barcode/barcode_data_page.h"
#include "dialogs/barcode/barcode_ids.h"
#include "datasource/ui/panel/panel_ids.h"
#include "dialogs/barcode/page_controls.h"
#include "datasource/ui/prompt/maxicode_lists.h"
#include "datasource/ui/structured/structured_grids.h"
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
  return CFieldSheetPage::OnKillActive();
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
      if (edits_.Edited(page, IDC_BC_CODE49_HEIGHT))
        field_->code49RowHeight = std::max(10, edits_.Read(page, IDC_BC_CODE49_HEIGHT).value_or(10));
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
  if (edits_.Edited(page, IDC_BC_HEIGHT)) field_->barHeight = std::max(10, edits_.Read(page, IDC_BC_HEIGHT).value_or(10));
  // A ratio list the symbology does not have leaves the stored ratio alone.
  if (::SendDlgItemMessageW(page, IDC_BC_RATIO, CB_GETCOUNT, 0, 0) > 0)
    field_->ratio = static_cast<int16_t>(SelectedData(page, IDC_BC_RATIO, field_->ratio));
}

void CBarcodeDataPage::TakeCommon() {
  const HWND page = m_hWnd;
  // An angle the list does not hold stays until a quarter turn is chosen.
  if (rotationTouched_) field_->SetRotation(SelectedIndex(page, IDC_BC_ROTATION) * 90000);
  field_->increment = std::clamp(EditedNumber(IDC_BC_INCREMENT, field_->increment), -500000, 500000);
  field_->duplicates = std::clamp(EditedNumber(IDC_BC_DUPLICATES, field_->duplicates), 1, 500000);
  field_->counterType = static_cast<uint8_t>(SelectedData(page, IDC_BC_NUMBER_BASE, field_->counterType));
  if (Is128CF1Mod10(symbology_, field_->subType)) {
    field_->addMod10 = 1;
    field_->mod10Start = SelectedData(page, IDC_BC_AI_DIGITS, field_->mod10Start);
  } else {
    field_->addMod10 = 0;
  }
  if (panel_ && panel_->m_hWnd && IsShown(panel_->m_hWnd, IDC_DS_TYPE) && panel_->SelectedType() >= 0)
    field_->dataSourceType = static_cast<int16_t>(panel_->SelectedType());
}

int CBarcodeDataPage::EditedNumber(int id, int unchanged) const {
  if (!edits_.Edited(m_hWnd, id)) return unchanged;
  const std::string text = CLengthEdits::Text(m_hWnd, id);
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  return end == text.c_str() ? unchanged : static_cast<int>(value);
}

// The data controls live in the panel.
bool CBarcodeDataPage::FocusFail(int id) {
  if (panel_ && panel_->m_hWnd) ::SetFocus(::GetDlgItem(panel_->m_hWnd, id));
  return false;
}

// The panel stores the type, the data and the type's settings; UCC/EAN 128
// Multi, HIBC and a MaxiCode UPS message keep their data in their rows.
bool CBarcodeDataPage::TakeData() {
  if (symbology_ == 20 || field_->useHibc || MaxiCodeListsShown() || !panel_ || !panel_->m_hWnd) return true;
  // Data nobody edited stays as it was stored (its code page, narrow or wide).
  const AString before = field_->data;
  const bool unedited =
      !edits_.Edited(panel_->m_hWnd, IDC_DS_DATA) && !edits_.Edited(panel_->m_hWnd, IDC_DS_EXPRESSION);
  if (!panel_->ApplyDataSourceSection()) return false;
  if (unedited) field_->data = before;
  return true;
}

// The grid's rows into the field; a refused row's data cell is selected and
// focused and the page stays.
bool CBarcodeDataPage::ApplyStructuredGrid() {
  int badRow = -1;
  const bool hibc = field_->useHibc != 0;
  grid_.EndEditing();
  // Rows nobody touched stay as stored (sources the lists do not offer
  // included), unless there are none yet to keep.
  bool stored = false;
  for (size_t i = 0; i < field_->aiCode.size(); ++i)
    stored = stored || (hibc ? !field_->aiData[i].IsEmpty() : !field_->aiCode[i].IsEmpty());
  if (!grid_.GetModified() && stored) return true;
  const int accepted = hibc ? ApplyHibcGrid(this, grid_, *field_, &badRow, false)
                            : ApplyAiGrid(this, grid_, *field_, &badRow, false);
  if (!accepted) {
    // The identifier grid has a header row above its slots.
    const int row = hibc ? badRow : badRow + 1;
    if (row >= 0 && row < grid_.GetRowCount()) {
      grid_.SetSelectedRange(row, 1, row, 1);
      grid_.SetFocusCell(row, 1);
    }
    grid_.SetFocus();
    return false;
  }
  // The human-readable template the Human Readable page sets stays: the
  // rows do not replace it.
  return true;
}

// The UPS message's parts into the field as Fixed Data, checked; a refused
// part's row is made current and the page stays.
bool CBarcodeDataPage::ApplyMaxiCodeLists() {
  if (maxiFirst_.m_hWnd) ReadMaxiCodePartLists({&maxiFirst_, &maxiSecond_}, *field_, false);
  field_->dataSourceType = ToShort(DataSourceType::kFixedData);
  int failed = 0;
  if (ValidateUpsFields(m_hWnd, *field_, &failed, 0)) return true;
  if (maxiFirst_.m_hWnd) SelectMaxiCodePart({&maxiFirst_, &maxiSecond_}, failed);
  return false;
}

bool CBarcodeDataPage::ApplyOnOk() {
  const int code = symbology_;
  if (IsUPCEANGroup(code)) field_->textMask = AString();
  const bool structured = field_->useHibc || code == 20 || code == 28;
  if (code == 28 && (field_->maxiMode == 2 || field_->maxiMode == 3) && !ApplyMaxiCodeLists()) return false;
  if (StructuredGridShown() && !ApplyStructuredGrid()) return false;
  if (!TakeData()) return false;
  const int longest = GetBarcodeMaxDataLength(*field_);
  if (longest >= 0) field_->maxChars = static_cast<int16_t>(longest);
  NormalizeBarcodeData(*field_);
  const int type = field_->dataSourceType;
  const bool check = type == 1 || type == 4 || ((type == 0 || type == 10) && !structured);
  if (check && !ValidateBarcodeData(m_hWnd, *field_, 1)) return FocusFail(IDC_DS_DATA);
  if (check && code == 24) field_->showHr = 0;
  if (newField_ && !hrPageOpened_ && setup_->dpiX > 0)
    field_->hrLogFont.lfHeight = GetDefaultHrFontHeight(*field_) * 72 / setup_->dpiX;
  if (field_->designerDrawsText && !field_->hrFontFace.IsEmpty()) {
    std::strncpy(field_->hrLogFont.lfFaceName, field_->hrFontFace.GetData(), LF_FACESIZE - 1);
    field_->hrLogFont.lfFaceName[LF_FACESIZE - 1] = 0;
  }
  static const CFieldList kNoFields;
  const SIZE size = MeasureBarcodeField(*field_, m_context.fields ? *m_context.fields : kNoFields, *setup_, 0);
  if (field_->encodeResult[0] == kEncodeTooLong || field_->encodeResult[0] == kEncodeNoFit) {
    UiMessageBox(this, field_->encodeResult[0] == kEncodeTooLong ? kMsgEncodeTooLong : kMsgEncodeNoFit, kMsgBoxOk,
                 false);
    return FocusFail(IDC_DS_DATA);
  }
  if (size.cx == 0 || size.cy == 0) return false;
  measured_ = size;
  if (measuredTarget_) *measuredTarget_ = size;
  const auto dots = [](int64_t mils, int dpi) { return (dpi * mils + 500) / 1000; };
  if (type == 0 && (dots(size.cx, setup_->dpiX) < 2 || dots(size.cy, setup_->dpiY) < 2)) {
    ShowMsgBoxDlg(this, AString("Cannot generate barcode."), kMsgBoxOk, 1, -1);
    return FocusFail(IDC_DS_DATA);
  }
  if (!DataSourceHasStoredText(type)) field_->increment = 0;
  return true;
}
