#include "app/options/user_interface_page.h"

#include "app/options/options_ids.h"
#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"

CUserInterfacePage::CUserInterfacePage() : CSkinPropertyPage(IDD_USER_INTERFACE_PAGE) {}

CUserInterfacePage::~CUserInterfacePage() = default;

void CUserInterfacePage::DoDataExchange(CDataExchange* dx) { CSkinPropertyPage::DoDataExchange(dx); }

BOOL CUserInterfacePage::OnInitDialog() {
  CSkinPropertyPage::OnInitDialog();
  m_unitFactor = 0.0254;
  m_parent = GetParent();
  FillLanguageCombo(IDC_UI_LANGUAGE, m_hWnd, m_settings ? m_settings->uiLanguage : 0);
  // Attached once filled: the language names go in as UTF-16, which reach
  // the combo box whole only through its own window procedure.
  m_language.SubclassDlgItem(IDC_UI_LANGUAGE, this);
  static const char* const kUnits[] = {"Inch", "mm", nullptr};
  FillTranslatedCombo(IDC_NEW_LABEL_UNIT, m_hWnd, kUnits, m_settings && m_settings->units != 1 ? 1 : 0);
  return TRUE;
}

BOOL CUserInterfacePage::OnKillActive() {
  if (m_hWnd && m_settings) {
    const int selected = m_language.GetCurSel();
    if (selected >= 0) m_settings->uiLanguage = static_cast<int16_t>(m_language.GetItemData(selected));
    auto* sheet = dynamic_cast<CMyPropSheet*>(GetParent());
    if (sheet && sheet->ClosingWithOk()) {
      const int unit = static_cast<int>(SendDlgItemMessage(IDC_NEW_LABEL_UNIT, CB_GETCURSEL));
      m_settings->units = unit > 0 ? 2 : 1;
    }
  }
  return CSkinPropertyPage::OnKillActive();
}
