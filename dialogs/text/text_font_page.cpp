#include "dialogs/text/text_font_page.h"

#include <cstdlib>

#include "dialogs/setup/control_snapshot.h"
#include "dialogs/text/text_ids.h"
#include "fields/model/field_kinds.h"

CTextFontPage::CTextFontPage() : CFontDataPage(IDD_TEXT_FONT_PAGE, IDC_TEXT_PANEL_PLACE, DataPageKind::kText) {}

CTextFontPage::~CTextFontPage() = default;

BOOL CTextFontPage::OnInitDialog() {
  CFontDataPage::OnInitDialog();
  auto* field = dynamic_cast<CTextField*>(m_context.field);
  if (!field) return TRUE;
  ::SetDlgItemInt(m_hWnd, IDC_TEXT_INCREMENT, static_cast<UINT>(field->increment), TRUE);
  ::SetDlgItemInt(m_hWnd, IDC_TEXT_DUPLICATES, static_cast<UINT>(field->duplicates), TRUE);
  m_shownIncrement = CControlSnapshot::Text(m_hWnd, IDC_TEXT_INCREMENT);
  m_shownDuplicates = CControlSnapshot::Text(m_hWnd, IDC_TEXT_DUPLICATES);
  return TRUE;
}

BOOL CTextFontPage::OnKillActive() {
  if (!m_hWnd) return TRUE;
  auto* field = dynamic_cast<CTextField*>(m_context.field);
  if (field) {
    const std::string increment = CControlSnapshot::Text(m_hWnd, IDC_TEXT_INCREMENT);
    if (increment != m_shownIncrement) field->increment = std::atoi(increment.c_str());
    const std::string duplicates = CControlSnapshot::Text(m_hWnd, IDC_TEXT_DUPLICATES);
    if (duplicates != m_shownDuplicates) field->duplicates = std::atoi(duplicates.c_str());
    m_shownIncrement = increment;
    m_shownDuplicates = duplicates;
  }
  return CFontDataPage::OnKillActive();
}
