#include "dialogs/barcode/human_readable_page.h"

#include <algorithm>

#include "app/controls/input_helpers.h"
#include "barcode/kalvo.h"
#include "dialogs/barcode/barcode_data_page.h"
#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/page_controls.h"
#include "dialogs/setup/font_data_ids.h"
#include "fields/services/label_setup.h"

namespace {

constexpr int kPosnet = 24;
constexpr int kItf14 = 11;
constexpr int kCodabar = 0;
constexpr int kUccEanMulti = 20;
constexpr int kTipHumanReadable = 35005;
constexpr uint8_t kTemplateChoiceUsed = 255;

const std::vector<ListChoice> kCodabarCodes = {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 3}};

}  // namespace

BEGIN_MESSAGE_MAP(CHumanReadablePage, CFontDataPage)
ON_BN_CLICKED(IDC_HR_SHOW, OnShowClicked)
ON_BN_CLICKED(IDC_HR_TEMPLATE, OnTemplateClicked)
ON_BN_CLICKED(IDC_HR_START_STOP, OnStartStopClicked)
ON_CBN_SELCHANGE(IDC_HR_UCC_TEMPLATE, OnUccTemplateChanged)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

CHumanReadablePage::CHumanReadablePage() : CFontDataPage(IDD_HUMAN_READABLE_PAGE) {}

CHumanReadablePage::~CHumanReadablePage() = default;

void CHumanReadablePage::Bind() {
  setup_ = m_context.setup;
  field_ = BarcodeFieldOf(m_context);
}

void CHumanReadablePage::DoDataExchange(CDataExchange* dx) {
  CFontDataPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_HR_TIP, tip_);
}

BOOL CHumanReadablePage::OnInitDialog() {
  initialising_ = true;
  CFontDataPage::OnInitDialog();
  Bind();
  if (field_ && setup_) {
    edits_.SetFactor(setup_->DefaultUnits == kUnitMillimetres ? 0.0254 : 0.001);
    if (auto* data = dynamic_cast<CBarcodeDataPage*>(GetSheetPage(0))) data->NoteHumanReadableOpened();
    Fill();
    FillChoices(m_hWnd, IDC_HR_START, kCodabarCodes, Words::kAsTheyStand);
    FillChoices(m_hWnd, IDC_HR_STOP, kCodabarCodes, Words::kAsTheyStand);
    SelectData(m_hWnd, IDC_HR_START, field_->codabarStart);
    SelectData(m_hWnd, IDC_HR_STOP, field_->codabarStop);
    tip_.SetTipMessage(kTipHumanReadable);
  }
  initialising_ = false;
  return TRUE;
}

BOOL CHumanReadablePage::OnSetActive() {
  if (!initialising_ && field_ && m_hWnd) Fill();
  return CFontDataPage::OnSetActive();
}

void CHumanReadablePage::Fill() {
  const HWND page = m_hWnd;
  const int code = field_->symbology;
  const bool impossible = code == kPosnet || Is2DBCode(code, field_->subType);
  if (impossible) field_->showHr = 0;
  EnableControls(page, {IDC_HR_SHOW}, !impossible);
  SetChecked(page, IDC_HR_SHOW, field_->showHr != 0);
  SetChecked(page, IDC_HR_TEMPLATE, field_->useTextMask != 0);
  SetChecked(page, IDC_HR_STARS, field_->textShowsStars != 0);
  SetChecked(page, IDC_HR_START_STOP, field_->textShowsStartStop != 0);
  SetChecked(page, IDC_HR_UPPER_START_STOP, field_->codabarUpper != 0);
  SetChecked(page, IDC_HR_CHECK_DIGIT, field_->textShowsCheck != 0);
  FillChoices(page, IDC_HR_JUSTIFY, {{"Left", -1}, {"Center", 0}, {"Right", 1}}, Words::kTranslated);
  FillChoices(page, IDC_HR_POSITION, {{"Below", 0}, {"Above", 1}}, Words::kTranslated);
  edits_.Show(page, IDC_HR_GAP, field_->textGap);
  Arrange();
}

void CHumanReadablePage::Arrange() {
  const HWND page = m_hWnd;
  const int code = field_->symbology;
  const bool on = IsChecked(page, IDC_HR_SHOW);
  const bool upcEan = IsUPCEANGroup(code) != 0;
  ShowControls(page, {IDC_HR_JUSTIFY_LABEL, IDC_HR_JUSTIFY}, on && !upcEan);
  ShowControls(page, {IDC_HR_POSITION_LABEL, IDC_HR_POSITION, IDC_HR_GAP_LABEL, IDC_HR_GAP, IDC_HR_GAP_SPIN,
                      IDC_HR_POSITION_FRAME},
               on);
  if (!SelectData(page, IDC_HR_JUSTIFY, std::clamp(static_cast<int>(field_->textAlign), -1, 1)))
    SelectIndex(page, IDC_HR_JUSTIFY, 1);
  SelectData(page, IDC_HR_POSITION, field_->hrAbove ? 1 : 0);
  field_->designerDrawsText = on ? 1 : 0;
  if (!on) SetChecked(page, IDC_HR_TEMPLATE, false);
  const bool multi = code == kUccEanMulti && on;
  ShowControls(page, {IDC_HR_UCC_TEMPLATE_LABEL, IDC_HR_UCC_TEMPLATE}, multi);
  if (multi) {
    FillChoices(page, IDC_HR_UCC_TEMPLATE, {{"None", 0}, {"Parentheses", 1}}, Words::kTranslated);
    if (field_->aiParentheses > 1) field_->aiParentheses = 1;
    SelectData(page, IDC_HR_UCC_TEMPLATE, field_->aiParentheses);
  }
  ShowControls(page, {IDC_HR_FONT_FRAME, IDC_FONT_PRINTER, IDC_FONT_TRUETYPE, IDC_FONT_TRUETYPE_LIST,
                      IDC_FONT_PRINTER_LIST, IDC_FONT_PRINTER_NOTE, IDC_FONT_SIZE_LABEL, IDC_FONT_SIZE,
                      IDC_FONT_SCRIPT_LABEL, IDC_FONT_SCRIPT, IDC_FONT_WIDTH_LABEL, IDC_FONT_WIDTH, IDC_FONT_BOLD,
                      IDC_FONT_ITALIC, IDC_FONT_UNDERLINE, IDC_FONT_STRIKEOUT, IDC_FONT_SAMPLE},
               on);
  if (on) ArrangeFontControls();
  ShowControls(page, {IDC_HR_STARS}, on && Is39Group(code));
  const bool codabar = on && code == kCodabar;
  ShowControls(page, {IDC_HR_START_STOP}, codabar);
  OnStartStopClicked();
  const bool checkDigit = (IsI25Group(code) && field_->subType == 1) || code == kItf14 ||
                          (Is39Group(code) && field_->subType == 1);
  ShowControls(page, {IDC_HR_CHECK_DIGIT}, on && checkDigit);
  if (upcEan) SetChecked(page, IDC_HR_TEMPLATE, false);
  ShowControls(page, {IDC_HR_TEMPLATE, IDC_HR_TEMPLATE_TEXT}, on && !upcEan);
  ArrangeTemplate();
}

void CHumanReadablePage::ArrangeTemplate() {
  const HWND page = m_hWnd;
  const bool on = IsChecked(page, IDC_HR_TEMPLATE);
  EnableControls(page, {IDC_HR_TEMPLATE_TEXT}, on);
  ::SetDlgItemTextA(page, IDC_HR_TEMPLATE_TEXT, on ? field_->textMask.GetData() : "");
  ShowControls(page, {IDC_HR_TIP}, on && IsShown(page, IDC_HR_TEMPLATE));
  if (field_->symbology != kUccEanMulti) return;
  EnableControls(page, {IDC_HR_UCC_TEMPLATE}, !on);
  if (on) SelectIndex(page, IDC_HR_UCC_TEMPLATE, -1);
  else SelectData(page, IDC_HR_UCC_TEMPLATE, std::min<int>(field_->aiParentheses, 1));
}

void CHumanReadablePage::OnShowClicked() {
  field_->showHr = IsChecked(m_hWnd, IDC_HR_SHOW) ? 1 : 0;
  Arrange();
}

void CHumanReadablePage::OnTemplateClicked() { ArrangeTemplate(); }

void CHumanReadablePage::OnStartStopClicked() {
  const bool rows = IsShown(m_hWnd, IDC_HR_START_STOP) && IsChecked(m_hWnd, IDC_HR_START_STOP);
  ShowControls(m_hWnd, {IDC_HR_UPPER_START_STOP, IDC_HR_START_LABEL, IDC_HR_START, IDC_HR_STOP_LABEL, IDC_HR_STOP},
               rows);
}

void CHumanReadablePage::OnUccTemplateChanged() {
  const int choice = SelectedData(m_hWnd, IDC_HR_UCC_TEMPLATE, -1);
  if (choice >= 0) field_->aiParentheses = static_cast<uint8_t>(choice);
}

void CHumanReadablePage::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  const int direction = code == SB_LINEUP ? 0 : code == SB_LINEDOWN ? 1 : -1;
  if (direction >= 0 && bar && bar->GetDlgCtrlID() == IDC_HR_GAP_SPIN && setup_) {
    const int unit = setup_->DefaultUnits == kUnitMillimetres ? kUnitMillimetres : kUnitInches;
    SpinUnitEdit(direction, IDC_HR_GAP, 0.0, 10000 * edits_.Factor(), unit, this, 1);
  }
  CFontDataPage::OnVScroll(code, pos, bar);
}

BOOL CHumanReadablePage::OnKillActive() {
  if (!m_hWnd || !field_) return TRUE;
  const HWND page = m_hWnd;
  const bool on = IsChecked(page, IDC_HR_SHOW);
  field_->showHr = on ? 1 : 0;
  if (on) {
    field_->textAlign = SelectedData(page, IDC_HR_JUSTIFY, field_->textAlign);
    field_->hrAbove = SelectedData(page, IDC_HR_POSITION, field_->hrAbove);
    if (edits_.Edited(page, IDC_HR_GAP)) field_->textGap = std::max(0, edits_.Read(page, IDC_HR_GAP).value_or(0));
    field_->textShowsStars = IsChecked(page, IDC_HR_STARS) ? 1 : 0;
    field_->textShowsStartStop = IsChecked(page, IDC_HR_START_STOP) ? 1 : 0;
    field_->codabarUpper = IsChecked(page, IDC_HR_UPPER_START_STOP) ? 1 : 0;
    field_->textShowsCheck = IsChecked(page, IDC_HR_CHECK_DIGIT) ? 1 : 0;
    const bool useTemplate = IsChecked(page, IDC_HR_TEMPLATE);
    field_->useTextMask = useTemplate ? 1 : 0;
    if (useTemplate) GetWindowString(::GetDlgItem(page, IDC_HR_TEMPLATE_TEXT), &field_->textMask);
    if (field_->symbology == kUccEanMulti)
      field_->aiParentheses = useTemplate ? kTemplateChoiceUsed
                                          : static_cast<uint8_t>(SelectedData(page, IDC_HR_UCC_TEMPLATE, 1));
  } else {
    field_->textAlign = 1;
    field_->hrAbove = 0;
    field_->textGap = 10;
  }
  if (field_->symbology == kCodabar) {
    field_->codabarStart = static_cast<uint8_t>(SelectedData(page, IDC_HR_START, field_->codabarStart));
    field_->codabarStop = static_cast<uint8_t>(SelectedData(page, IDC_HR_STOP, field_->codabarStop));
  }
  return CFontDataPage::OnKillActive();
}
