#include "dialogs/text/text_options_page.h"

#include <cctype>
#include <cstdlib>

#include "app/ui/ui_language.h"
#include "dialogs/text/text_ids.h"
#include "fields/model/field_kinds.h"
#include "fields/services/ui_messages.h"

namespace {

constexpr UINT kMsgBadFieldName = 50085;
// A new field shows this tab width.
constexpr int kNewFieldTabWidth = 4;
constexpr int kCheckIds[] = {IDC_TEXT_NO_OUTPUT, IDC_TEXT_INVERSE, IDC_TEXT_LOCK, IDC_TEXT_USE_TEMPLATE,
                             IDC_TEXT_CURRENCY,  IDC_TEXT_NUMBER,  IDC_TEXT_SIGN};
constexpr int kTextIds[] = {IDC_TEXT_NAME,     IDC_TEXT_TAB,    IDC_TEXT_TEMPLATE,
                            IDC_TEXT_DECIMALS, IDC_TEXT_PREFIX, IDC_TEXT_LANGUAGE};

}  // namespace

bool IsValidFieldName(const std::string& name) {
  if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
  for (const char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '$') return false;
  return true;
}

BEGIN_MESSAGE_MAP(CTextOptionsPage, CFieldSheetPage)
  ON_BN_CLICKED(IDC_TEXT_FORE_COLOUR, OnForeColour)
  ON_BN_CLICKED(IDC_TEXT_BACK_COLOUR, OnBackColour)
  ON_BN_CLICKED(IDC_TEXT_USE_TEMPLATE, OnTemplate)
  ON_BN_CLICKED(IDC_TEXT_CURRENCY, OnCurrency)
  ON_BN_CLICKED(IDC_TEXT_NUMBER, OnFormattedNumber)
  ON_MESSAGE(WM_VSCROLL, OnSpin)
END_MESSAGE_MAP()

CTextOptionsPage::CTextOptionsPage() : CFieldSheetPage(IDD_TEXT_OPTIONS_PAGE) {}

CTextOptionsPage::~CTextOptionsPage() = default;

void CTextOptionsPage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_TEXT_FORE_COLOUR, m_fore);
  DDX_Control(dx, IDC_TEXT_BACK_COLOUR, m_back);
}

bool CTextOptionsPage::Checked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void CTextOptionsPage::SetChecked(int id, bool on) { ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED); }

BOOL CTextOptionsPage::OnInitDialog() {
  CFieldSheetPage::OnInitDialog();
  auto* field = dynamic_cast<CTextField*>(m_context.field);
  if (!field) return TRUE;
  FillLanguageCombo(IDC_TEXT_LANGUAGE, m_hWnd, field->dataLanguage);
  ::SetDlgItemTextA(m_hWnd, IDC_TEXT_NAME, field->name.GetData());
  m_fore.m_colour = field->foreColor;
  m_back.m_colour = field->backColor;
  ::SetDlgItemInt(m_hWnd, IDC_TEXT_TAB, static_cast<UINT>(m_context.isNew ? kNewFieldTabWidth : field->tabSpaces),
                  TRUE);
  SetChecked(IDC_TEXT_INVERSE, field->inverse != 0);
  SetChecked(IDC_TEXT_NO_OUTPUT, field->doNotPrint != 0);
  SetChecked(IDC_TEXT_LOCK, field->lockPosition != 0);
  SetChecked(IDC_TEXT_USE_TEMPLATE, field->useFormatTemplate != 0);
  SetChecked(IDC_TEXT_CURRENCY, field->currencyFormat != 0);
  SetChecked(IDC_TEXT_NUMBER, field->numberFormat != 0);
  SetChecked(IDC_TEXT_SIGN, field->showSign != 0);
  ::SetDlgItemInt(m_hWnd, IDC_TEXT_DECIMALS, field->decimalPlaces, FALSE);
  ::SetDlgItemTextA(m_hWnd, IDC_TEXT_PREFIX, field->prefix.GetData());
  ::SetDlgItemTextA(m_hWnd, IDC_TEXT_TEMPLATE, field->formatTemplate.GetData());
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TEXT_TEMPLATE), field->useFormatTemplate != 0);
  m_shown.RememberAll(m_hWnd, kCheckIds);
  m_shown.RememberAll(m_hWnd, kTextIds);
  // A new field's tab width is proposed, so it is written when the page is left.
  if (m_context.isNew) m_shown.RememberAs(IDC_TEXT_TAB, std::to_string(field->tabSpaces));
  return TRUE;
}

// Template excludes Currency and Formatted Number; without it the box is
// emptied and disabled.
void CTextOptionsPage::ApplyTemplateState() {
  const bool on = Checked(IDC_TEXT_USE_TEMPLATE);
  auto* field = dynamic_cast<CTextField*>(m_context.field);
  HWND box = ::GetDlgItem(m_hWnd, IDC_TEXT_TEMPLATE);
  if (on) {
    if (field) ::SetWindowTextA(box, field->formatTemplate.GetData());
    SetChecked(IDC_TEXT_NUMBER, false);
    SetChecked(IDC_TEXT_CURRENCY, false);
  } else {
    ::SetWindowTextA(box, "");
  }
  ::EnableWindow(box, on);
}

void CTextOptionsPage::OnTemplate() { ApplyTemplateState(); }

// Currency sets Formatted Number with it; set, it proposes two decimals, a
// dollar prefix, no sign and no template.
void CTextOptionsPage::OnCurrency() {
  const bool on = Checked(IDC_TEXT_CURRENCY);
  SetChecked(IDC_TEXT_NUMBER, on);
  if (!on) return;
  SetChecked(IDC_TEXT_SIGN, false);
  ::SetDlgItemTextA(m_hWnd, IDC_TEXT_DECIMALS, "2");
  ::SetDlgItemTextA(m_hWnd, IDC_TEXT_PREFIX, "$");
  SetChecked(IDC_TEXT_USE_TEMPLATE, false);
  ApplyTemplateState();
}

void CTextOptionsPage::OnFormattedNumber() {
  if (Checked(IDC_TEXT_NUMBER)) {
    SetChecked(IDC_TEXT_USE_TEMPLATE, false);
    ApplyTemplateState();
  } else {
    SetChecked(IDC_TEXT_CURRENCY, false);
  }
}

void CTextOptionsPage::OnForeColour() {
  if (m_context.field) ChooseColour(m_context.field->foreColor, m_fore);
}

void CTextOptionsPage::OnBackColour() {
  if (m_context.field) ChooseColour(m_context.field->backColor, m_back);
}

LRESULT CTextOptionsPage::OnSpin(WPARAM wParam, LPARAM lParam) {
  SpinTabWidth(wParam, lParam, IDC_TEXT_TAB_SPIN, IDC_TEXT_TAB);
  return 0;
}

BOOL CTextOptionsPage::OnKillActive() {
  if (!m_hWnd) return TRUE;
  auto* field = dynamic_cast<CTextField*>(m_context.field);
  if (!field) return CFieldSheetPage::OnKillActive();
  if (Changed(IDC_TEXT_LANGUAGE)) {
    const LRESULT selected = ::SendDlgItemMessageA(m_hWnd, IDC_TEXT_LANGUAGE, CB_GETCURSEL, 0, 0);
    if (selected >= 0)
      field->dataLanguage = static_cast<int16_t>(
          ::SendDlgItemMessageA(m_hWnd, IDC_TEXT_LANGUAGE, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
  }
  if (Changed(IDC_TEXT_NAME)) {
    const std::string name = Text(IDC_TEXT_NAME);
    if (!IsValidFieldName(name)) {
      UiMessageBox(m_hWnd, kMsgBadFieldName, MB_OK);
      GotoDlgCtrl(GetDlgItem(IDC_TEXT_NAME));
      return FALSE;
    }
    field->name = name.c_str();
  }
  if (Changed(IDC_TEXT_TAB)) field->tabSpaces = static_cast<int16_t>(std::atoi(Text(IDC_TEXT_TAB).c_str()));
  const auto flag = [&](int id, uint8_t& member) {
    if (Changed(id)) member = Checked(id) ? 1 : 0;
  };
  flag(IDC_TEXT_INVERSE, field->inverse);
  flag(IDC_TEXT_NO_OUTPUT, field->doNotPrint);
  flag(IDC_TEXT_LOCK, field->lockPosition);
  flag(IDC_TEXT_USE_TEMPLATE, field->useFormatTemplate);
  if (Checked(IDC_TEXT_USE_TEMPLATE) && Changed(IDC_TEXT_TEMPLATE)) field->formatTemplate = Text(IDC_TEXT_TEMPLATE).c_str();
  flag(IDC_TEXT_CURRENCY, field->currencyFormat);
  flag(IDC_TEXT_NUMBER, field->numberFormat);
  if (Changed(IDC_TEXT_DECIMALS))
    field->decimalPlaces = static_cast<uint8_t>(std::atoi(Text(IDC_TEXT_DECIMALS).c_str()));
  flag(IDC_TEXT_SIGN, field->showSign);
  if (Changed(IDC_TEXT_PREFIX)) field->prefix = Text(IDC_TEXT_PREFIX).c_str();
  m_shown.RememberAll(m_hWnd, kCheckIds);
  m_shown.RememberAll(m_hWnd, kTextIds);
  return CFieldSheetPage::OnKillActive();
}
