#include "dialogs/barcode/barcode_data_page.h"

#include <cstdio>
#include <string>

#include "app/controls/input_helpers.h"
#include "app/ui/ui_language.h"
#include "barcode/kalvo.h"
#include "datasource/field_sources.h"
#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/page_controls.h"
#include "dialogs/barcode/rollover_dlg.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/prompt/maxicode_lists.h"
#include "datasource/ui/structured/structured_grids.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/services/label_setup.h"
#include "grid/grid_types.h"

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

constexpr int kTipSymbology = 35008;
constexpr int kTipMulti = 35009;
constexpr int kTipItf = 35017;

}  // namespace

BEGIN_MESSAGE_MAP(CBarcodeDataPage, CFieldSheetPage)
ON_CBN_SELCHANGE(IDC_BC_SYMBOLOGY, OnSymbologyChanged)
ON_CBN_SELCHANGE(IDC_BC_SUBTYPE, OnSubtypeChanged)
ON_CBN_SELCHANGE(IDC_BC_NARROW, OnNarrowBarChanged)
ON_CBN_SELCHANGE(IDC_BC_MODULE, OnModuleSizeChanged)
ON_CBN_SELCHANGE(IDC_BC_MAXI_MODE, OnMaxiModeChanged)
ON_CBN_SELCHANGE(IDC_BC_MICRO_MODE, OnMicroModeChanged)
ON_CBN_SELCHANGE(IDC_BC_ROTATION, OnRotationChanged)
ON_BN_CLICKED(IDC_BC_ROLLOVER, OnRollover)
ON_WM_VSCROLL()
ON_CBN_SELCHANGE(IDC_BC_HIBC_TYPE, OnHibcTypeChanged)
ON_NOTIFY(GVN_SELCHANGED, IDC_BC_AI_GRID, OnGridSelChanged)
ON_NOTIFY(GVN_ENDLABELEDIT, IDC_BC_AI_GRID, OnGridEndEdit)
ON_NOTIFY(GVN_SELCHANGED, IDC_BC_HIBC_GRID, OnGridSelChanged)
ON_NOTIFY(GVN_ENDLABELEDIT, IDC_BC_HIBC_GRID, OnGridEndEdit)
END_MESSAGE_MAP()

CBarcodeDataPage::CBarcodeDataPage() : CFieldSheetPage(IDD_BARCODE_DATA_PAGE) {}

CBarcodeDataPage::~CBarcodeDataPage() {
  if (grid_.m_hWnd) grid_.DestroyWindow();
  for (CPromptList* list : {&maxiFirst_, &maxiSecond_})
    if (list->m_hWnd) list->DestroyWindow();
}

void CBarcodeDataPage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_BC_TIP, tip_);
  DDX_Control(dx, IDC_BC_MULTI_TIP, multiTip_);
  DDX_Control(dx, IDC_BC_ITF_TIP, itfTip_);
}

BOOL CBarcodeDataPage::OnInitDialog() {
  CFieldSheetPage::OnInitDialog();
  setup_ = m_context.setup;
  field_ = BarcodeFieldOf(m_context);
  newField_ = m_context.isNew != 0;
  if (!field_ || !setup_) return TRUE;
  opening_ = true;
  InitSymbologyTables();
  edits_.SetFactor(setup_->DefaultUnits == kUnitMillimetres ? 0.0254 : 0.001);
  const HWND page = m_hWnd;
  panel_ = std::make_unique<CDataSourcePanel>(DataPageKind::kBarcode, *field_, setup_);
  if (panel_->CreateInPlaceholder(this, IDC_BC_SOURCE_PANEL_AREA)) {
    edits_.Remember(panel_->m_hWnd, IDC_DS_DATA);
    edits_.Remember(panel_->m_hWnd, IDC_DS_EXPRESSION);
  }
  MakeStructuredGrid();
  MakeMaxiCodeLists();
  std::vector<ListChoice> symbologies;
  for (int code : OfferedSymbologies(field_->useHibc != 0)) symbologies.push_back({SymbologyDisplayName(code), code});
  FillChoices(page, IDC_BC_SYMBOLOGY, symbologies, Words::kAsTheyStand);
  FillChoices(page, IDC_BC_ROTATION, {{"0", 0}, {"90", 1}, {"180", 2}, {"270", 3}}, Words::kAsTheyStand);
  SelectIndex(page, IDC_BC_ROTATION, newField_ ? 0 : (field_->rotation / 90000) % 4);
  FillChoices(page, IDC_BC_NUMBER_BASE, {{"Decimal Only", 0}, {"Hexadecimal", 1}, {"Decimal & Alpha", 2}},
              Words::kTranslated);
  if (!SelectData(page, IDC_BC_NUMBER_BASE, field_->counterType)) SelectIndex(page, IDC_BC_NUMBER_BASE, -1);
  if (field_->symbology == kPosnet) field_->barHeight = kPosnetHeight;
  edits_.Show(page, IDC_BC_HEIGHT, field_->barHeight);
  ShowNumber(IDC_BC_INCREMENT, field_->increment);
  ShowNumber(IDC_BC_DUPLICATES, field_->duplicates);
  tip_.SetTipMessage(kTipSymbology);
  multiTip_.SetTipMessage(kTipMulti);
  itfTip_.SetTipMessage(kTipItf);
  ApplySymbology(newField_ ? 1 : field_->symbology, true);
  opening_ = false;
  return TRUE;
}

int CBarcodeDataPage::SourceType() const {
  const int type = panel_ && panel_->m_hWnd ? panel_->SelectedType() : -1;
  return type >= 0 ? type : field_->dataSourceType;
}

void CBarcodeDataPage::ShowNumber(int id, int value) {
  ::SetDlgItemTextA(m_hWnd, id, std::to_string(value).c_str());
  edits_.Remember(m_hWnd, id);
}

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
  ShowAiDigits();
  if (twoD) Show2D();
  else ShowLinear(realChange);
  ArrangeSourcePanel();
  LimitData();
  const int type = SourceType();
  const bool increments = type != 5 && type != 6 && type != 7 && code != kUccEanMulti && !twoD;
  EnableControls(page, {IDC_BC_INCREMENT, IDC_BC_INCREMENT_SPIN, IDC_BC_DUPLICATES, IDC_BC_DUPLICATES_SPIN,
                        IDC_BC_NUMBER_BASE, IDC_BC_ROLLOVER},
                 increments);
  if (panel_ && panel_->m_hWnd) panel_->EnableSpecialCharacters(AcceptsSpecialCharacters(code, field_->subType));
}

void CBarcodeDataPage::ShowAiDigits() {
  const bool aiDigits = Is128CF1Mod10(symbology_, field_->subType) != 0;
  ShowControls(m_hWnd, {IDC_BC_AI_DIGITS_LABEL, IDC_BC_AI_DIGITS, IDC_BC_TIP}, aiDigits);
  if (!aiDigits) return;
  FillChoices(m_hWnd, IDC_BC_AI_DIGITS, {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}}, Words::kAsTheyStand);
  SelectData(m_hWnd, IDC_BC_AI_DIGITS, field_->mod10Start);
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
    edits_.Show(page, IDC_BC_HEIGHT, kPosnetHeight);
  } else {
    SelectData(page, IDC_BC_NARROW, field_->narrowBar);
    if (realChange) edits_.Show(page, IDC_BC_HEIGHT, field_->barHeight);
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
      edits_.Show(page, IDC_BC_CODE49_HEIGHT, field_->code49RowHeight);
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

void CBarcodeDataPage::MakeStructuredGrid() {
  const HWND page = m_hWnd;
  const bool hibc = field_->useHibc != 0;
  ::DestroyWindow(::GetDlgItem(page, hibc ? IDC_BC_AI_GRID : IDC_BC_HIBC_GRID));
  if (!CreateGridInPlaceOf(grid_, this, hibc ? IDC_BC_HIBC_GRID : IDC_BC_AI_GRID)) return;
  if (hibc) {
    SetupHibcGrid(grid_, *field_, false);
    ShowControls(page, {IDC_BC_HIBC_TYPE_LABEL, IDC_BC_HIBC_TYPE}, true);
    FillChoices(page, IDC_BC_HIBC_TYPE, {{"Primary & Secondary", 0}, {"Primary", 1}, {"Secondary", 2}},
                Words::kTranslated);
    SelectIndex(page, IDC_BC_HIBC_TYPE, field_->hibcForm <= 2 ? field_->hibcForm : 0);
  } else {
    SetupAiGrid(grid_, *field_, false);
  }
  NoteRowSources(grid_, promptedRows_);
  // The rows as stored: an OK that finds them untouched keeps the field's.
  grid_.SetModified(false);
}

void CBarcodeDataPage::MakeMaxiCodeLists() {
  for (auto [list, id] : {std::pair{&maxiFirst_, IDC_BC_MAXI_PARTS}, std::pair{&maxiSecond_, IDC_BC_MAXI_PARTS2}}) {
    HWND placeholder = ::GetDlgItem(m_hWnd, id);
    if (!placeholder) continue;
    RECT place{};
    ::GetWindowRect(placeholder, &place);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    ::DestroyWindow(placeholder);
    list->m_captionFraction = 0.5f;
    if (list->Create(place, this, static_cast<UINT>(id))) list->ShowWindow(SW_HIDE);
  }
  maxiFirst_.m_next = &maxiSecond_;
  maxiSecond_.m_previous = &maxiFirst_;
}

bool CBarcodeDataPage::MaxiCodeListsShown() const {
  return maxiFirst_.m_hWnd && symbology_ == kMaxiCode && (field_->maxiMode == 2 || field_->maxiMode == 3);
}

bool CBarcodeDataPage::StructuredGridShown() const {
  return grid_.m_hWnd && (field_->useHibc || symbology_ == kUccEanMulti);
}

void CBarcodeDataPage::OnHibcTypeChanged() {
  const int form = SelectedIndex(m_hWnd, IDC_BC_HIBC_TYPE);
  if (form < 0 || !grid_.m_hWnd) return;
  field_->hibcForm = static_cast<uint8_t>(form);
  EnableHibcGridRows(grid_, *field_);
  grid_.SetModified(true);
}

void CBarcodeDataPage::OnGridSelChanged(NMHDR* header, LRESULT* result) {
  *result = 0;
  const auto* notice = reinterpret_cast<const GridNotify*>(header);
  if (!field_->useHibc && notice->row >= 1)
    Skin().SetDlgItemText(IDC_BC_AI_RULE, AiGridRowRule(grid_, notice->row).GetData());
}

// A row's identifier, format or source chosen: its data cell follows.
void CBarcodeDataPage::OnGridEndEdit(NMHDR* header, LRESULT* result) {
  *result = 0;
  const auto* notice = reinterpret_cast<const GridNotify*>(header);
  if (notice->row < 0 || notice->col == 1) return;
  const bool hibc = field_->useHibc != 0;
  // The source column: a prompted row shows its sample "X"s.
  if (notice->col == 2) FollowRowSource(grid_, notice->row, hibc, promptedRows_);
  else if (hibc) RefreshHibcGridRow(grid_, notice->row);
  else RefreshAiGridRow(grid_, notice->row, false);
  if (!hibc) Skin().SetDlgItemText(IDC_BC_AI_RULE, AiGridRowRule(grid_, notice->row).GetData());
}

void CBarcodeDataPage::ArrangeSourcePanel() {
  const bool maxi = MaxiCodeListsShown();
  if (maxi) FillMaxiCodePartLists({&maxiFirst_, &maxiSecond_}, field_->maxiMode, *field_, false);
  for (CPromptList* list : {&maxiFirst_, &maxiSecond_})
    if (list->m_hWnd) list->ShowWindow(maxi ? SW_SHOW : SW_HIDE);
  const bool grid = StructuredGridShown();
  if (grid_.m_hWnd) ::ShowWindow(grid_.m_hWnd, grid ? SW_SHOW : SW_HIDE);
  ShowControls(m_hWnd, {IDC_BC_AI_RULE}, grid && !field_->useHibc);
  if (!panel_ || !panel_->m_hWnd) return;
  // The structured data's rows stand in the panel's place.
  ::ShowWindow(panel_->m_hWnd, grid || maxi ? SW_HIDE : SW_SHOW);
  // UCC/EAN 128 Multi and MaxiCode take their data from their parts.
  const bool special = IsSpecialDsControlsBCode(symbology_) != 0;
  ShowControls(panel_->m_hWnd, {IDC_DS_TYPE, IDC_DS_TYPE_CAPTION}, !special);
  if (special) panel_->SelectDataSourceType(ToShort(DataSourceType::kFixedData));
}

void CBarcodeDataPage::LimitData() {
  if (!panel_ || !panel_->m_hWnd) return;
  const int longest = LongestValidLength(symbology_, symbology_ == kMicroPdf ? field_->microPdfMode : field_->subType);
  ::SendDlgItemMessageW(panel_->m_hWnd, IDC_DS_DATA, EM_LIMITTEXT, static_cast<WPARAM>(longest > 0 ? longest : 102400), 0);
}

void CBarcodeDataPage::OnSubtypeChanged() {
  const int subType = SelectedData(m_hWnd, IDC_BC_SUBTYPE, -1);
  if (subType < 0) return;
  field_->subType = static_cast<int16_t>(subType);
  ShowAiDigits();
  if (panel_ && panel_->m_hWnd) panel_->EnableSpecialCharacters(AcceptsSpecialCharacters(symbology_, subType));
  ArrangeSourcePanel();
  LimitData();
}

void CBarcodeDataPage::OnNarrowBarChanged() { ShowMils(IDC_BC_NARROW_MILS, SelectedData(m_hWnd, IDC_BC_NARROW, 1)); }

void CBarcodeDataPage::OnModuleSizeChanged() {
  const int size = SelectedIndex(m_hWnd, IDC_BC_MODULE) + 1;
  field_->moduleSize2D = static_cast<int16_t>(size);
  ShowMils(IDC_BC_MODULE_MILS, size);
}

void CBarcodeDataPage::OnMaxiModeChanged() {
  field_->maxiMode = static_cast<uint8_t>(SelectedIndex(m_hWnd, IDC_BC_MAXI_MODE) + 2);
  ArrangeSourcePanel();
}

void CBarcodeDataPage::OnMicroModeChanged() {
  field_->microPdfMode = static_cast<int16_t>(SelectedIndex(m_hWnd, IDC_BC_MICRO_MODE));
  LimitData();
}

void CBarcodeDataPage::OnRotationChanged() { rotationTouched_ = true; }

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
    const double factor = edits_.Factor();
    if (id == IDC_BC_HEIGHT_SPIN) SpinUnitEdit(direction, IDC_BC_HEIGHT, 50 * factor, 10000 * factor, unit, this, 5);
    if (id == IDC_BC_INCREMENT_SPIN) SpinIntEdit(direction, IDC_BC_INCREMENT, -500000, 500000, this);
    if (id == IDC_BC_DUPLICATES_SPIN) SpinIntEdit(direction, IDC_BC_DUPLICATES, 1, 500000, this);
  }
  CFieldSheetPage::OnVScroll(code, pos, bar);
}
