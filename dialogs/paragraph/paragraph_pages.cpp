#include "dialogs/paragraph/paragraph_pages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "app/controls/input_helpers.h"
#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_text.h"
#include "dialogs/paragraph/paragraph_ids.h"
#include "dialogs/paragraph/paragraph_text_dlg.h"
#include "fields/model/field_kinds.h"
#include "document/layout/unit_values.h"
#include "fields/services/label_setup.h"
#include "foundation/window_helpers/length_spin.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr const char* kJustifications[] = {"Left", "Center", "Right", "Full"};
constexpr const char* kIndentKinds[] = {"None", "First Line", "Hanging"};
// An indentation chosen without an amount starts at a quarter inch.
constexpr int kProposedIndent = 250;
constexpr int kFormatIds[] = {IDC_PARA_JUSTIFY, IDC_PARA_SPACING, IDC_PARA_WRAP, IDC_PARA_FIT, IDC_PARA_INDENT_KIND};
constexpr int kOptionIds[] = {IDC_PARA_NAME, IDC_PARA_NO_PRINT, IDC_PARA_LOCK, IDC_PARA_LANGUAGE, IDC_PARA_TAB};

void FillTranslated(HWND dialog, int id, std::span<const char* const> items) {
  HWND combo = ::GetDlgItem(dialog, id);
  // The translation is in the interface language's code page: the list
  // takes it as UTF-16.
  for (const char* item : items) {
    const std::u16string text = UiTextToWide(TranslateUiString(item));
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

int Selection(HWND dialog, int id) { return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

}  // namespace

// ---- Font / Data ---------------------------------------------------------

CParagraphFontPage::CParagraphFontPage()
    : CFontDataPage(IDD_PARA_FONT_PAGE, IDC_PARA_PANEL_PLACE, DataPageKind::kParagraph) {}

CParagraphFontPage::~CParagraphFontPage() = default;

BEGIN_MESSAGE_MAP(CParagraphFontPage, CFontDataPage)
  ON_BN_CLICKED(IDC_PARA_EDIT_TEXT, OnEditText)
END_MESSAGE_MAP()

BOOL CParagraphFontPage::OnInitDialog() {
  CFontDataPage::OnInitDialog();
  if (CDataSourcePanel* panel = Panel()) panel->SetChoiceListener([this](int id) {
      if (id == IDC_DS_TYPE) ArrangeEditButton();
    });
  ArrangeEditButton();
  return TRUE;
}

// The dialog edits the typed text, so it belongs to Fixed Data.
void CParagraphFontPage::ArrangeEditButton() {
  CDataSourcePanel* panel = Panel();
  const bool typed = panel && panel->m_hWnd && panel->SelectedType() == ToShort(DataSourceType::kFixedData);
  ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PARA_EDIT_TEXT), typed ? SW_SHOWNA : SW_HIDE);
}

void CParagraphFontPage::OnEditText() {
  CDataSourcePanel* panel = Panel();
  if (!panel || !panel->m_hWnd) return;
  CParagraphDlg dialog(this);
  dialog.m_text = GetItemWideText(panel->m_hWnd, IDC_DS_DATA);
  dialog.m_codePage = 1200;
  dialog.m_language = ChosenLanguage();
  if (dialog.DoModal() != IDOK) return;
  SetItemFieldText(panel->m_hWnd, IDC_DS_DATA, dialog.m_text);
}

// ---- The Format page's sample ---------------------------------------------

double SampleLineStep(int lineHeight, int spacingPercent) { return lineHeight * (1.0 + spacingPercent / 100.0); }

BEGIN_MESSAGE_MAP(CParaSample, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CParaSample::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  ::InflateRect(&r, -3, -3);
  UniqueBrush fill(::CreateSolidBrush(RGB(233, 233, 255)));
  ::FillRect(dc, &r, fill.get());
  ::InflateRect(&r, -3, -3);
  LOGFONTA lf{};
  lf.lfHeight = 14;
  lf.lfWeight = FW_BOLD;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Arial");
  UniqueFont font(::CreateFontIndirectA(&lf));
  SelectScope select(dc, font.get());
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc, &tm);
  const int lineHeight = tm.tmHeight;
  ::SetTextColor(dc, RGB(120, 120, 255));
  ::SetBkMode(dc, TRANSPARENT);
  static constexpr const char* kNone[] = {"Sample format. Sample format. Sample format.",
                                          "Sample format. Sample format. Sample format.",
                                          "Sample format. Sample format. Sample format.", "Sample format. Sample format."};
  static constexpr const char* kFirst[] = {"        Sample format. Sample format. Sample",
                                           "format. Sample format. Sample format. Sample",
                                           "format. Sample format. Sample format. Sample",
                                           "format. Sample format. Sample format."};
  static constexpr const char* kHanging[] = {"Sample format. Sample format. Sample format.",
                                             "        Sample format. Sample format. Sample",
                                             "        format. Sample format. Sample format.",
                                             "        Sample format. Sample format."};
  static constexpr const char* kFull = "Sample  format. Sample format.  Sample  format.";
  const char* const* lines = justification == -1 && indentKind == 1   ? kFirst
                             : justification == -1 && indentKind == 2 ? kHanging
                                                                      : kNone;
  const UINT align = justification == 0 ? DT_CENTER : justification == 1 ? DT_RIGHT : DT_LEFT;
  const double step = SampleLineStep(lineHeight, spacingPercent);
  lineTops.clear();
  for (int i = 0; i < 4; ++i) {
    const int top = r.top + static_cast<int>(std::lround(step * i));
    if (top + lineHeight > r.bottom) break;
    RECT line{r.left, top, r.right, top + lineHeight};
    const char* text = justification == 2 && i < 3 ? kFull : lines[i];
    ::DrawTextA(dc, text, -1, &line, align | DT_SINGLELINE | DT_NOPREFIX);
    lineTops.push_back(top);
  }
  ::EndPaint(m_hWnd, &ps);
}

// ---- Format ----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CParaFormatPage, CFieldSheetPage)
  ON_CBN_SELCHANGE(IDC_PARA_JUSTIFY, OnJustification)
  ON_CBN_SELCHANGE(IDC_PARA_INDENT_KIND, OnIndentation)
  ON_EN_CHANGE(IDC_PARA_SPACING, OnSpacing)
  ON_MESSAGE(WM_VSCROLL, OnSpin)
END_MESSAGE_MAP()

CParaFormatPage::CParaFormatPage() : CFieldSheetPage(IDD_PARA_FORMAT_PAGE) {}

CParaFormatPage::~CParaFormatPage() = default;

void CParaFormatPage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_PARA_SAMPLE, m_sample);
}

BOOL CParaFormatPage::OnInitDialog() {
  CFieldSheetPage::OnInitDialog();
  auto* field = dynamic_cast<CParagraphField*>(m_context.field);
  if (!field) return TRUE;
  if (m_context.setup) m_lengths.SetFactor(UnitFactor(m_context.setup->DefaultUnits));
  FillTranslated(m_hWnd, IDC_PARA_JUSTIFY, kJustifications);
  FillTranslated(m_hWnd, IDC_PARA_INDENT_KIND, kIndentKinds);
  ::SetDlgItemInt(m_hWnd, IDC_PARA_SPACING, static_cast<UINT>(std::lround(field->lineSpacing * 100)), TRUE);
  ::CheckDlgButton(m_hWnd, IDC_PARA_WRAP, field->wordWrap ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_PARA_FIT, field->fitFont ? BST_CHECKED : BST_UNCHECKED);
  ::SendDlgItemMessageA(m_hWnd, IDC_PARA_JUSTIFY, CB_SETCURSEL, static_cast<WPARAM>(field->anchor + 1), 0);
  ::SendDlgItemMessageA(m_hWnd, IDC_PARA_INDENT_KIND, CB_SETCURSEL, field->indent == 0 ? 0 : field->indent > 0 ? 1 : 2,
                        0);
  // A new paragraph is half as wide as the label.
  if (m_context.isNew && m_context.setup) field->wrapWidth = m_context.setup->labelWidth / 2;
  m_lengths.Show(m_hWnd, IDC_PARA_WIDTH, field->wrapWidth);
  m_lengths.Show(m_hWnd, IDC_PARA_INDENT, std::abs(field->indent));
  m_shown.RememberAll(m_hWnd, kFormatIds);
  // The spacing shown in whole percent stands for the field's exact value.
  m_shown.RememberAs(IDC_PARA_SPACING, CControlSnapshot::Text(m_hWnd, IDC_PARA_SPACING));
  OnJustification();
  return TRUE;
}

// Only Left takes an indentation.
void CParaFormatPage::OnJustification() {
  const bool left = Selection(m_hWnd, IDC_PARA_JUSTIFY) == 0;
  if (!left) ::SendDlgItemMessageA(m_hWnd, IDC_PARA_INDENT_KIND, CB_SETCURSEL, 0, 0);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PARA_INDENT_KIND), left);
  OnIndentation();
}

void CParaFormatPage::OnIndentation() {
  const int kind = Selection(m_hWnd, IDC_PARA_INDENT_KIND);
  ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PARA_INDENT), kind > 0 ? SW_SHOW : SW_HIDE);
  if (kind > 0 && m_lengths.Read(m_hWnd, IDC_PARA_INDENT).value_or(0) == 0)
    m_lengths.Correct(m_hWnd, IDC_PARA_INDENT, kProposedIndent);
  RefreshSample();
}

void CParaFormatPage::OnSpacing() { RefreshSample(); }

void CParaFormatPage::RefreshSample() {
  if (!m_sample.m_hWnd) return;
  m_sample.justification = Selection(m_hWnd, IDC_PARA_JUSTIFY) - 1;
  m_sample.indentKind = Selection(m_hWnd, IDC_PARA_INDENT_KIND);
  m_sample.spacingPercent = std::atoi(CControlSnapshot::Text(m_hWnd, IDC_PARA_SPACING).c_str());
  m_sample.Invalidate();
}

LRESULT CParaFormatPage::OnSpin(WPARAM wParam, LPARAM lParam) {
  const UINT code = LOWORD(wParam);
  if (code != SB_LINEUP && code != SB_LINEDOWN) return 0;
  const int direction = code == SB_LINEUP ? 0 : 1;
  const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
  if (id == IDC_PARA_SPACING_SPIN) SpinIntEdit(direction, IDC_PARA_SPACING, 0, 600, this);
  if (id == IDC_PARA_WIDTH_SPIN) {
    const int unit = m_context.setup ? m_context.setup->DefaultUnits : 1;
    const double labelWidth = m_context.setup ? m_context.setup->labelWidth : 8000;
    SpinUnitEdit(direction, IDC_PARA_WIDTH, 0.0, labelWidth * m_lengths.Factor(), unit, m_hWnd, 1);
  }
  return 0;
}

BOOL CParaFormatPage::OnKillActive() {
  if (!m_hWnd) return TRUE;
  auto* field = dynamic_cast<CParagraphField*>(m_context.field);
  if (!field) return CFieldSheetPage::OnKillActive();
  if (m_shown.Changed(m_hWnd, IDC_PARA_JUSTIFY) && Selection(m_hWnd, IDC_PARA_JUSTIFY) >= 0)
    field->anchor = static_cast<int16_t>(Selection(m_hWnd, IDC_PARA_JUSTIFY) - 1);
  if (m_shown.Changed(m_hWnd, IDC_PARA_SPACING))
    field->lineSpacing = std::atoi(CControlSnapshot::Text(m_hWnd, IDC_PARA_SPACING).c_str()) / 100.0;
  if (m_lengths.Edited(m_hWnd, IDC_PARA_WIDTH))
    if (const std::optional<int> width = m_lengths.Read(m_hWnd, IDC_PARA_WIDTH)) field->wrapWidth = *width;
  if (m_shown.Changed(m_hWnd, IDC_PARA_WRAP)) field->wordWrap = ::IsDlgButtonChecked(m_hWnd, IDC_PARA_WRAP) ? 1 : 0;
  if (m_shown.Changed(m_hWnd, IDC_PARA_FIT)) field->fitFont = ::IsDlgButtonChecked(m_hWnd, IDC_PARA_FIT) ? 1 : 0;
  const int kind = Selection(m_hWnd, IDC_PARA_INDENT_KIND);
  if (m_shown.Changed(m_hWnd, IDC_PARA_INDENT_KIND) || m_lengths.Edited(m_hWnd, IDC_PARA_INDENT)) {
    const int amount = std::abs(m_lengths.Read(m_hWnd, IDC_PARA_INDENT).value_or(0));
    field->indent = kind <= 0 ? 0 : kind == 2 ? -amount : amount;
  }
  m_shown.RememberAll(m_hWnd, kFormatIds);
  m_shown.Remember(m_hWnd, IDC_PARA_SPACING);
  m_lengths.Remember(m_hWnd, IDC_PARA_WIDTH);
  m_lengths.Remember(m_hWnd, IDC_PARA_INDENT);
  return CFieldSheetPage::OnKillActive();
}

// ---- Options ---------------------------------------------------------------

BEGIN_MESSAGE_MAP(CParaOptionsPage, CFieldSheetPage)
  ON_BN_CLICKED(IDC_PARA_FORE_COLOUR, OnForeColour)
  ON_BN_CLICKED(IDC_PARA_BACK_COLOUR, OnBackColour)
  ON_MESSAGE(WM_VSCROLL, OnSpin)
END_MESSAGE_MAP()

CParaOptionsPage::CParaOptionsPage() : CFieldSheetPage(IDD_PARA_OPTIONS_PAGE) {}

CParaOptionsPage::~CParaOptionsPage() = default;

void CParaOptionsPage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_PARA_FORE_COLOUR, m_fore);
  DDX_Control(dx, IDC_PARA_BACK_COLOUR, m_back);
}

BOOL CParaOptionsPage::OnInitDialog() {
  CFieldSheetPage::OnInitDialog();
  CField* field = m_context.field;
  if (!field) return TRUE;
  m_fore.m_colour = field->foreColor;
  m_back.m_colour = field->backColor;
  if (auto* p = dynamic_cast<CParagraphField*>(field)) ::SetDlgItemInt(m_hWnd, IDC_PARA_TAB, static_cast<UINT>(p->tabSpaces), TRUE);
  FillLanguageCombo(IDC_PARA_LANGUAGE, m_hWnd, field->dataLanguage);
  m_openingName = field->name.GetData();
  ::SetDlgItemTextA(m_hWnd, IDC_PARA_NAME, m_openingName.c_str());
  ::CheckDlgButton(m_hWnd, IDC_PARA_NO_PRINT, field->doNotPrint ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_PARA_LOCK, field->lockPosition ? BST_CHECKED : BST_UNCHECKED);
  m_shown.RememberAll(m_hWnd, kOptionIds);
  return TRUE;
}

void CParaOptionsPage::OnForeColour() {
  if (m_context.field) ChooseColour(m_context.field->foreColor, m_fore);
}

void CParaOptionsPage::OnBackColour() {
  if (m_context.field) ChooseColour(m_context.field->backColor, m_back);
}

LRESULT CParaOptionsPage::OnSpin(WPARAM wParam, LPARAM lParam) {
  SpinTabWidth(wParam, lParam, IDC_PARA_TAB_SPIN, IDC_PARA_TAB);
  return 0;
}

BOOL CParaOptionsPage::OnKillActive() {
  if (!m_hWnd) return TRUE;
  CField* field = m_context.field;
  if (!field) return CFieldSheetPage::OnKillActive();
  if (m_shown.Changed(m_hWnd, IDC_PARA_LANGUAGE) && Selection(m_hWnd, IDC_PARA_LANGUAGE) >= 0)
    field->dataLanguage = static_cast<int16_t>(::SendDlgItemMessageA(
        m_hWnd, IDC_PARA_LANGUAGE, CB_GETITEMDATA, static_cast<WPARAM>(Selection(m_hWnd, IDC_PARA_LANGUAGE)), 0));
  if (m_shown.Changed(m_hWnd, IDC_PARA_NAME)) field->name = CControlSnapshot::Text(m_hWnd, IDC_PARA_NAME).c_str();
  if (auto* p = dynamic_cast<CParagraphField*>(field); p && m_shown.Changed(m_hWnd, IDC_PARA_TAB))
    p->tabSpaces = static_cast<int16_t>(std::atoi(CControlSnapshot::Text(m_hWnd, IDC_PARA_TAB).c_str()));
  if (m_shown.Changed(m_hWnd, IDC_PARA_NO_PRINT)) field->doNotPrint = ::IsDlgButtonChecked(m_hWnd, IDC_PARA_NO_PRINT) ? 1 : 0;
  if (m_shown.Changed(m_hWnd, IDC_PARA_LOCK)) field->lockPosition = ::IsDlgButtonChecked(m_hWnd, IDC_PARA_LOCK) ? 1 : 0;
  // Closed with OK and the name left empty: the name it had.
  auto* sheet = dynamic_cast<CMyPropSheet*>(GetSheet());
  if (sheet && sheet->ClosingWithOk() && field->name.GetLength() == 0) field->name = m_openingName.c_str();
  m_shown.RememberAll(m_hWnd, kOptionIds);
  return CFieldSheetPage::OnKillActive();
}
