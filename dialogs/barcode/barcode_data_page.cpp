#include "dialogs/barcode/barcode_data_page.h"

#include <cstdio>

#include "app/controls/input_helpers.h"
#include "app/ui/ui_language.h"
#include "barcode/kalvo.h"
#include "datasource/field_sources.h"
#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/page_controls.h"
#include "dialogs/barcode/rollover_dlg.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/services/label_setup.h"

namespace {

constexpr int kPosnet = 24;
constexpr int kItf14 = 11;
constexpr int kUccEanMulti = 20;
constexpr int kPdf417 = 27;
constexpr int kMaxiCode = 28;
constexpr int kDatamatrix = 29;
constexpr int kCode49 = 30;
constexpr int kMicroPdf = 31;
constexpr int kQrCode = 33;
constexpr int kPosnetHeight = 125;

// Data sources in the order the combo offers them.
constexpr int kSourceOrder[] = {0, 1, 7, 8, 11, 2, 4, 3, 5, 6};

constexpr int kTipSymbology = 35008;
constexpr int kTipMulti = 35009;
constexpr int kTipItf = 35017;
constexpr int kTipSource = 35014;

}  // namespace

BEGIN_MESSAGE_MAP(CBarcodeDataPage, CSkinPropertyPage)
ON_CBN_SELCHANGE(IDC_BC_SYMBOLOGY, OnSymbologyChanged)
ON_CBN_SELCHANGE(IDC_BC_SUBTYPE, OnSubtypeChanged)
ON_CBN_SELCHANGE(IDC_BC_NARROW, OnNarrowBarChanged)
ON_CBN_SELCHANGE(IDC_BC_MODULE, OnModuleSizeChanged)
ON_CBN_SELCHANGE(IDC_BC_MAXI_MODE, OnMaxiModeChanged)
ON_CBN_SELCHANGE(IDC_BC_MICRO_MODE, OnMicroModeChanged)
ON_CBN_SELCHANGE(IDC_BC_ROTATION, OnRotationChanged)
ON_CBN_SELCHANGE(IDC_BC_SOURCE, OnSourceChanged)
ON_BN_CLICKED(IDC_BC_ROLLOVER, OnRollover)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

CBarcodeDataPage::CBarcodeDataPage() : CSkinPropertyPage(IDD_BARCODE_DATA_PAGE) {}

CBarcodeDataPage::~CBarcodeDataPage() = default;

void CBarcodeDataPage::Attach(CLabelSetup* setup, CBarcodeField* field, const CFieldList* fields, bool newField) {
  setup_ = setup;
  field_ = field;
  fields_ = fields;
  newField_ = newField;
}

void CBarcodeDataPage::DoDataExchange(CDataExchange* dx) {
  CSkinPropertyPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_BC_TIP, tip_);
  DDX_Control(dx, IDC_BC_MULTI_TIP, multiTip_);
  DDX_Control(dx, IDC_BC_ITF_TIP, itfTip_);
  DDX_Control(dx, IDC_BC_SOURCE_TIP, sourceTip_);
}

BOOL CBarcodeDataPage::OnInitDialog() {
  CSkinPropertyPage::OnInitDialog();
  if (!field_ || !setup_) return TRUE;
  opening_ = true;
  InitSymbologyTables();
  factor_ = setup_->DefaultUnits == kUnitMillimetres ? 0.0254 : 0.001;
  const HWND page = m_hWnd;
  std::vector<ListChoice> symbologies;
  for (int code : OfferedSymbologies(field_->useHibc != 0)) symbologies.push_back({SymbologyDisplayName(code), code});
  FillChoices(page, IDC_BC_SYMBOLOGY, symbologies, Words::kAsTheyStand);
  FillChoices(page, IDC_BC_ROTATION, {{"0", 0}, {"90", 1}, {"180", 2}, {"270", 3}}, Words::kAsTheyStand);
  SelectIndex(page, IDC_BC_ROTATION, newField_ ? 0 : (field_->rotation / 90000) % 4);
  FillChoices(page, IDC_BC_NUMBER_BASE, {{"Decimal Only", 0}, {"Hexadecimal", 1}, {"Decimal & Alpha", 2}},
              Words::kTranslated);
  if (!SelectData(page, IDC_BC_NUMBER_BASE, field_->counterType)) SelectIndex(page, IDC_BC_NUMBER_BASE, -1);
  if (field_->symbology == kPosnet) field_->barHeight = kPosnetHeight;
  height_.Show(page, IDC_BC_HEIGHT, FormatLength(field_->barHeight, factor_));
  char number[32];
  std::snprintf(number, sizeof number, "%d", static_cast<int>(field_->increment));
  increment_.Show(page, IDC_BC_INCREMENT, number);
  std::snprintf(number, sizeof number, "%d", static_cast<int>(field_->duplicates));
  duplicates_.Show(page, IDC_BC_DUPLICATES, number);
  tip_.SetTipMessage(kTipSymbology);
  multiTip_.SetTipMessage(kTipMulti);
  itfTip_.SetTipMessage(kTipItf);
  sourceTip_.SetTipMessage(kTipSource);
  ApplySymbology(newField_ ? 1 : field_->symbology, true);
  opening_ = false;
  return TRUE;
}

int CBarcodeDataPage::SourceType() const { return SelectedData(m_hWnd, IDC_BC_SOURCE, field_->dataSourceType); }

void CBarcodeDataPage::OnSymbologyChanged() {
  const int code = SelectedData(m_hWnd, IDC_BC_SYMBOLOGY, -1);
  if (code >= 0) ApplySymbology(code, false);
}

void CBarcodeDataPage::ApplySymbology(int code, bool opening) {
  const HWND page = m_hWnd;
  // Leaving CODABAR (code 0) is not a change that resets the settings.
  const bool realChange = !opening && field_->symbology != 0 && field_->symbology != code;
  const bool fresh = (newField_ && opening) || realChange;
  field_->symbology = static_cast<int16_t>(code);
  symbology_ = code;
  SelectData(page, IDC_BC_SYMBOLOGY, code);
  ShowControls(page, {IDC_BC_ITF_TIP}, code == kItf14);
  FillSubtypes(fresh);
  const bool twoD = Is2DBCode(code, field_->subType) != 0;
  if (fresh && !twoD)
    field_->narrowBar = static_cast<int16_t>(DefaultNarrowBar(code, setup_->dpiX, field_->useHibc != 0));
  const bool aiDigits = Is128CF1Mod10(code, field_->subType) != 0;
  ShowControls(page, {IDC_BC_AI_DIGITS_LABEL, IDC_BC_AI_DIGITS, IDC_BC_TIP}, aiDigits);
  if (aiDigits) {
    FillChoices(page, IDC_BC_AI_DIGITS, {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}}, Words::kAsTheyStand);
    SelectData(page, IDC_BC_AI_DIGITS, field_->mod10Start);
  }
  ShowControls(page, {IDC_BC_SOURCE_LABEL, IDC_BC_SOURCE}, IsSpecialDsControlsBCode(code) == 0);
  if (twoD) Show2D();
  else ShowLinear(realChange);
  if (field_->dataSourceType != ToShort(DataSourceType::kLinkExpression))
    data_.Show(page, IDC_BC_DATA, field_->data);
  FillSources();
  ShowSourceControls(opening);
  LimitData();
  const int type = SourceType();
  const bool increments = type != 5 && type != 6 && type != 7 && code != kUccEanMulti && !twoD;
  EnableControls(page, {IDC_BC_INCREMENT, IDC_BC_INCREMENT_SPIN, IDC_BC_DUPLICATES, IDC_BC_DUPLICATES_SPIN,
                        IDC_BC_NUMBER_BASE, IDC_BC_ROLLOVER},
                 increments);
  EnableControls(page, {IDC_BC_INSERT_SPECIAL}, AcceptsSpecialCharacters(code, field_->subType));
}

void CBarcodeDataPage::FillSubtypes(bool reset) {
  const HWND page = m_hWnd;
  const int code = symbology_;
  std::vector<uint16_t> codes;
  GetSubtypeCodes(code, codes);
  std::vector<ListChoice> choices;
  for (uint16_t c : codes) choices.push_back({GetSubtypeName(code, c), c});
  FillChoices(page, IDC_BC_SUBTYPE, choices, Words::kTranslated);
  const bool group = Is39Group(code) || IsI25Group(code) || IsUPCEANGroup_nonSunrise(code) || code == 4 ||
                     code == 18 || code == kUccEanMulti;
  const bool shown = group && code != 18 && code != kItf14 && !choices.empty();
  ShowControls(page, {IDC_BC_SUBTYPE_LABEL, IDC_BC_SUBTYPE}, shown);
  ShowControls(page, {IDC_BC_MULTI_TIP}, code == kUccEanMulti);
  if (shown) Skin().SetDlgItemText(IDC_BC_SUBTYPE_LABEL, TranslateUiString(SubtypeLabel(code)).GetData());
  if (choices.empty()) return;
  if (reset) {
    int index = 0;
    if (field_->useHibc) index = code == 1 ? 1 : code == 4 ? 3 : 0;
    if (index >= static_cast<int>(choices.size())) index = 0;
    SelectIndex(page, IDC_BC_SUBTYPE, index);
    field_->subType = static_cast<int16_t>(choices[static_cast<size_t>(index)].data);
  } else if (!SelectData(page, IDC_BC_SUBTYPE, field_->subType)) {
    SelectIndex(page, IDC_BC_SUBTYPE, 0);
  }
}

namespace {

constexpr std::initializer_list<int> kLinearControls = {
    IDC_BC_HEIGHT_LABEL,    IDC_BC_HEIGHT,        IDC_BC_HEIGHT_SPIN,        IDC_BC_NARROW_LABEL,
    IDC_BC_NARROW,          IDC_BC_NARROW_MILS,   IDC_BC_RATIO_LABEL,        IDC_BC_RATIO,
    IDC_BC_INCREMENT_LABEL, IDC_BC_INCREMENT,     IDC_BC_INCREMENT_SPIN,     IDC_BC_DUPLICATES_LABEL,
    IDC_BC_DUPLICATES,      IDC_BC_DUPLICATES_SPIN, IDC_BC_NUMBER_BASE,      IDC_BC_ROLLOVER};

constexpr std::initializer_list<int> k2DControls = {
    IDC_BC_MODULE_LABEL,      IDC_BC_MODULE,        IDC_BC_MODULE_MILS,     IDC_BC_ROW_FACTOR_LABEL,
    IDC_BC_ROW_FACTOR,        IDC_BC_ECC_LABEL,     IDC_BC_ECC,             IDC_BC_COLUMNS_LABEL,
    IDC_BC_COLUMNS,           IDC_BC_TRUNCATED,     IDC_BC_DIMENSION_LABEL, IDC_BC_DIMENSION,
    IDC_BC_MICRO_MODE_LABEL,  IDC_BC_MICRO_MODE,    IDC_BC_MICRO_MODE_NOTE, IDC_BC_MICRO_MODE_NOTE2,
    IDC_BC_MAXI_MODE_LABEL,   IDC_BC_MAXI_MODE,     IDC_BC_CODE49_HEIGHT_LABEL, IDC_BC_CODE49_HEIGHT};

}  // namespace

void CBarcodeDataPage::ShowLinear(bool realChange) {
  const HWND page = m_hWnd;
  const int code = symbology_;
  ShowControls(page, k2DControls, false);
  ShowControls(page, kLinearControls, true);
  FillChoices(page, IDC_BC_NARROW, NarrowBarChoices(code, setup_->dpiX), Words::kAsTheyStand);
  const bool posnet = code == kPosnet;
  if (posnet) {
    const int count = static_cast<int>(::SendDlgItemMessageW(page, IDC_BC_NARROW, CB_GETCOUNT, 0, 0));
    SelectIndex(page, IDC_BC_NARROW, count - 1);
    field_->barHeight = kPosnetHeight;
    height_.Show(page, IDC_BC_HEIGHT, FormatLength(kPosnetHeight, factor_));
  } else {
    SelectData(page, IDC_BC_NARROW, field_->narrowBar);
    if (realChange) height_.Show(page, IDC_BC_HEIGHT, FormatLength(field_->barHeight, factor_));
  }
  EnableControls(page, {IDC_BC_NARROW, IDC_BC_HEIGHT, IDC_BC_HEIGHT_SPIN}, !posnet);
  ShowMils(IDC_BC_NARROW_MILS, SelectedData(page, IDC_BC_NARROW, field_->narrowBar));
  const std::vector<ListChoice> ratios = RatioChoices(code);
  FillChoices(page, IDC_BC_RATIO, ratios, Words::kAsTheyStand);
  if (!ratios.empty() && !SelectData(page, IDC_BC_RATIO, RatioChoiceFor(field_->ratio))) SelectIndex(page, IDC_BC_RATIO, 0);
  EnableControls(page, {IDC_BC_RATIO}, ratios.size() > 1);
  ShowControls(page, {IDC_BC_RATIO_LABEL, IDC_BC_RATIO}, ShowsRatio(code, field_->subType));
  if (newField_ || realChange) {
    field_->textAlign = 0;
    if (code == kUccEanMulti) field_->designerDrawsText = 1;
  }
}

void CBarcodeDataPage::Show2D() {
  const HWND page = m_hWnd;
  const int code = symbology_;
  ShowControls(page, kLinearControls, false);
  ShowControls(page, k2DControls, false);
  const auto moduleRow = [&] {
    ShowControls(page, {IDC_BC_MODULE_LABEL, IDC_BC_MODULE, IDC_BC_MODULE_MILS}, true);
    FillChoices(page, IDC_BC_MODULE, ModuleSizeChoices(code, field_->moduleSize2D), Words::kAsTheyStand);
    SelectData(page, IDC_BC_MODULE, field_->moduleSize2D);
    ShowMils(IDC_BC_MODULE_MILS, field_->moduleSize2D);
  };
  switch (code) {
    case kPdf417:
      moduleRow();
      ShowControls(page, {IDC_BC_ROW_FACTOR_LABEL, IDC_BC_ROW_FACTOR, IDC_BC_ECC_LABEL, IDC_BC_ECC,
                          IDC_BC_COLUMNS_LABEL, IDC_BC_COLUMNS, IDC_BC_TRUNCATED},
                   true);
      FillChoices(page, IDC_BC_ROW_FACTOR, RowFactorChoices(code), Words::kAsTheyStand);
      SelectData(page, IDC_BC_ROW_FACTOR, field_->rowHeight2D);
      FillChoices(page, IDC_BC_ECC, Pdf417LevelChoices(), Words::kAsTheyStand);
      if (!SelectData(page, IDC_BC_ECC, field_->pdfSecurity)) SelectIndex(page, IDC_BC_ECC, 0);
      FillChoices(page, IDC_BC_COLUMNS, Pdf417ColumnChoices(), Words::kAsTheyStand);
      if (!SelectData(page, IDC_BC_COLUMNS, field_->symbolColumns)) SelectIndex(page, IDC_BC_COLUMNS, 0);
      SetChecked(page, IDC_BC_TRUNCATED, field_->pdfTruncated != 0);
      break;
    case kMicroPdf:
      moduleRow();
      ShowControls(page, {IDC_BC_ROW_FACTOR_LABEL, IDC_BC_ROW_FACTOR, IDC_BC_MICRO_MODE_LABEL, IDC_BC_MICRO_MODE,
                          IDC_BC_MICRO_MODE_NOTE, IDC_BC_MICRO_MODE_NOTE2},
                   true);
      FillChoices(page, IDC_BC_ROW_FACTOR, RowFactorChoices(code), Words::kAsTheyStand);
      if (newField_ && opening_) SelectIndex(page, IDC_BC_ROW_FACTOR, 0);
      else SelectData(page, IDC_BC_ROW_FACTOR, field_->rowHeight2D);
      FillChoices(page, IDC_BC_MICRO_MODE, MicroPdfModeChoices(), Words::kAsTheyStand);
      SelectData(page, IDC_BC_MICRO_MODE, field_->microPdfMode);
      break;
    case kMaxiCode:
      ShowControls(page, {IDC_BC_MAXI_MODE_LABEL, IDC_BC_MAXI_MODE}, true);
      FillChoices(page, IDC_BC_MAXI_MODE, MaxiModeChoices(), Words::kTranslated);
      if (!SelectData(page, IDC_BC_MAXI_MODE, field_->maxiMode)) SelectIndex(page, IDC_BC_MAXI_MODE, 0);
      break;
    case kDatamatrix: {
      moduleRow();
      ShowControls(page, {IDC_BC_DIMENSION_LABEL, IDC_BC_DIMENSION, IDC_BC_ECC_LABEL, IDC_BC_ECC}, true);
      const std::vector<ListChoice> sizes = DatamatrixSizeChoices();
      FillChoices(page, IDC_BC_DIMENSION, sizes, Words::kTranslated);
      char text[32];
      std::snprintf(text, sizeof text, "%d x %d", field_->symbolRows, field_->symbolColumns);
      int selected = 0;
      for (size_t i = 1; i < sizes.size(); ++i)
        if (sizes[i].text == text) selected = static_cast<int>(i);
      SelectIndex(page, IDC_BC_DIMENSION, selected);
      FillChoices(page, IDC_BC_ECC, {{"ECC200", 0}}, Words::kAsTheyStand);
      SelectIndex(page, IDC_BC_ECC, 0);
      break;
    }
    case kQrCode:
      moduleRow();
      ShowControls(page, {IDC_BC_ECC_LABEL, IDC_BC_ECC}, true);
      FillChoices(page, IDC_BC_ECC, QrLevelChoices(), Words::kAsTheyStand);
      SelectIndex(page, IDC_BC_ECC, field_->qrLevel > 3 || field_->qrLevel < 0 ? 0 : field_->qrLevel);
      break;
    case kCode49:
      moduleRow();
      ShowControls(page, {IDC_BC_CODE49_HEIGHT_LABEL, IDC_BC_CODE49_HEIGHT}, true);
      code49Height_.Show(page, IDC_BC_CODE49_HEIGHT, FormatLength(field_->code49RowHeight, factor_));
      break;
    default:
      break;
  }
}

void CBarcodeDataPage::ShowMils(int labelId, int dots) {
  char text[48];
  std::snprintf(text, sizeof text, "%.1f mils", setup_->dpiX > 0 ? dots * 1000.0 / setup_->dpiX : 0.0);
  ::SetDlgItemTextA(m_hWnd, labelId, text);
}

void CBarcodeDataPage::FillSources() {
  std::vector<ListChoice> choices;
  for (int type : kSourceOrder)
    if (IsDataSourceAllowed(type, *field_)) choices.push_back({DataSourceName(type), type});
  FillChoices(m_hWnd, IDC_BC_SOURCE, choices, Words::kTranslated);
  if (!SelectData(m_hWnd, IDC_BC_SOURCE, field_->dataSourceType)) SelectIndex(m_hWnd, IDC_BC_SOURCE, 0);
}

void CBarcodeDataPage::ShowSourceControls(bool opening) {
  const HWND page = m_hWnd;
  const int type = SourceType();
  const bool fixed = type == ToShort(DataSourceType::kFixedData) || type == ToShort(DataSourceType::kOnShift);
  const bool panel = section_ != nullptr && !fixed;
  // Until a panel is attached, the region names the type whose settings the
  // field keeps.
  ShowControls(page, {IDC_BC_DATA_LABEL, IDC_BC_DATA, IDC_BC_INSERT_SPECIAL}, fixed);
  ShowControls(page, {IDC_BC_SOURCE_PANEL_AREA}, !fixed && !panel);
  if (!fixed && !panel) Skin().SetDlgItemText(IDC_BC_SOURCE_PANEL_AREA, TranslateUiString(DataSourceName(type)).GetData());
  if (panel) {
    RECT area{};
    ::GetWindowRect(::GetDlgItem(page, IDC_BC_SOURCE_PANEL_AREA), &area);
    ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
    section_->ShowFor(*this, area, type, *field_, opening);
  }
}

void CBarcodeDataPage::LimitData() {
  const int longest = LongestValidLength(symbology_, symbology_ == kMicroPdf ? field_->microPdfMode : field_->subType);
  ::SendDlgItemMessageW(m_hWnd, IDC_BC_DATA, EM_LIMITTEXT, static_cast<WPARAM>(longest > 0 ? longest : 102400), 0);
}

void CBarcodeDataPage::OnSubtypeChanged() {
  const int subType = SelectedData(m_hWnd, IDC_BC_SUBTYPE, -1);
  if (subType < 0) return;
  field_->subType = static_cast<int16_t>(subType);
  const bool aiDigits = Is128CF1Mod10(symbology_, subType) != 0;
  ShowControls(m_hWnd, {IDC_BC_AI_DIGITS_LABEL, IDC_BC_AI_DIGITS, IDC_BC_TIP}, aiDigits);
  if (aiDigits) {
    FillChoices(m_hWnd, IDC_BC_AI_DIGITS, {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}}, Words::kAsTheyStand);
    SelectData(m_hWnd, IDC_BC_AI_DIGITS, field_->mod10Start);
  }
  FillSources();
  ShowSourceControls(false);
  LimitData();
  EnableControls(m_hWnd, {IDC_BC_INSERT_SPECIAL}, AcceptsSpecialCharacters(symbology_, subType));
}

void CBarcodeDataPage::OnNarrowBarChanged() { ShowMils(IDC_BC_NARROW_MILS, SelectedData(m_hWnd, IDC_BC_NARROW, 1)); }

void CBarcodeDataPage::OnModuleSizeChanged() {
  const int size = SelectedIndex(m_hWnd, IDC_BC_MODULE) + 1;
  field_->moduleSize2D = static_cast<int16_t>(size);
  ShowMils(IDC_BC_MODULE_MILS, size);
}

void CBarcodeDataPage::OnMaxiModeChanged() { field_->maxiMode = static_cast<uint8_t>(SelectedIndex(m_hWnd, IDC_BC_MAXI_MODE) + 2); }

void CBarcodeDataPage::OnMicroModeChanged() {
  field_->microPdfMode = static_cast<int16_t>(SelectedIndex(m_hWnd, IDC_BC_MICRO_MODE));
  LimitData();
}

void CBarcodeDataPage::OnRotationChanged() { rotationTouched_ = true; }

void CBarcodeDataPage::OnSourceChanged() { ShowSourceControls(false); }

void CBarcodeDataPage::OnRollover() {
  CRolloverDlg dialog(this);
  dialog.m_rollover = field_->rollover;
  dialog.m_limit = field_->rolloverLimit;
  dialog.m_resetTo = field_->rolloverResetTo;
  if (dialog.DoModal() != IDOK) return;
  field_->rollover = static_cast<uint8_t>(dialog.m_rollover);
  field_->rolloverLimit = dialog.m_limit;
  field_->rolloverResetTo = dialog.m_resetTo;
}

void CBarcodeDataPage::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  const int id = bar ? bar->GetDlgCtrlID() : 0;
  const int direction = code == SB_LINEUP ? 0 : code == SB_LINEDOWN ? 1 : -1;
  if (direction >= 0 && setup_) {
    const int unit = setup_->DefaultUnits == kUnitMillimetres ? kUnitMillimetres : kUnitInches;
    if (id == IDC_BC_HEIGHT_SPIN) SpinUnitEdit(direction, IDC_BC_HEIGHT, 50 * factor_, 10000 * factor_, unit, this, 5);
    if (id == IDC_BC_INCREMENT_SPIN) SpinIntEdit(direction, IDC_BC_INCREMENT, -500000, 500000, this);
    if (id == IDC_BC_DUPLICATES_SPIN) SpinIntEdit(direction, IDC_BC_DUPLICATES, 1, 500000, this);
  }
  CSkinPropertyPage::OnVScroll(code, pos, bar);
}

BOOL CBarcodeDataPage::PreTranslateMessage(MSG* msg) { return CSkinPropertyPage::PreTranslateMessage(msg); }
