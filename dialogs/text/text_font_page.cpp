#include "dialogs/text/text_font_page.h"

#include <cstdlib>

#include "app/ui/my_prop_sheet.h"
#include "dialogs/setup/font_data_ids.h"
#include "dialogs/setup/rotation_list.h"
#include "dialogs/text/text_ids.h"
#include "fields/model/field_kinds.h"
#include "fields/services/ui_messages.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  char text[129] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

}  // namespace

CTextFontPage::CTextFontPage() : CFontDataPage(IDD_TEXT_FONT_PAGE) {}

CTextFontPage::~CTextFontPage() = default;

BOOL CTextFontPage::OnInitDialog() {
  CFontDataPage::OnInitDialog();
  auto* field = dynamic_cast<CTextField*>(m_context.field);
  if (!field) return TRUE;
  m_initialising = true;
  m_shownRotation = FillRotationList(::GetDlgItem(m_hWnd, IDC_FONT_ROTATION), m_context.isNew ? 0 : field->rotation);
  ::SetDlgItemInt(m_hWnd, IDC_TEXT_INCREMENT, static_cast<UINT>(field->increment), TRUE);
  ::SetDlgItemInt(m_hWnd, IDC_TEXT_DUPLICATES, static_cast<UINT>(field->duplicates), TRUE);
  m_shownIncrement = ItemText(m_hWnd, IDC_TEXT_INCREMENT);
  m_shownDuplicates = ItemText(m_hWnd, IDC_TEXT_DUPLICATES);
  m_panel = std::make_unique<CDataSourcePanel>(DataPageKind::kText, *field, m_context.setup);
  m_panel->CreateInPlaceholder(this, IDC_TEXT_PANEL_PLACE);
  m_initialising = false;
  return TRUE;
}

BOOL CTextFontPage::OnKillActive() {
  if (!m_hWnd) return TRUE;
  if (!CFontDataPage::OnKillActive()) return FALSE;
  auto* field = dynamic_cast<CTextField*>(m_context.field);
  if (!field) return TRUE;
  const std::string rotation = ItemText(m_hWnd, IDC_FONT_ROTATION);
  if (rotation != m_shownRotation) {
    const std::optional<int32_t> typed = ParseRotationText(rotation);
    if (!typed) {
      UiMessageBox(m_hWnd, 50051, MB_OK, {rotation});
      ::SetDlgItemTextA(m_hWnd, IDC_FONT_ROTATION, "0");
      return FALSE;
    }
    field->SetRotation(*typed);
    m_shownRotation = rotation;
  }
  const std::string increment = ItemText(m_hWnd, IDC_TEXT_INCREMENT);
  if (increment != m_shownIncrement) field->increment = std::atoi(increment.c_str());
  const std::string duplicates = ItemText(m_hWnd, IDC_TEXT_DUPLICATES);
  if (duplicates != m_shownDuplicates) field->duplicates = std::atoi(duplicates.c_str());
  m_shownIncrement = increment;
  m_shownDuplicates = duplicates;
  // The data is checked and stored only when the sheet closes with OK.
  auto* sheet = dynamic_cast<CMyPropSheet*>(GetSheet());
  if (m_panel && sheet && sheet->ClosingWithOk() && !m_panel->ApplyDataSourceSection()) return FALSE;
  return TRUE;
}
