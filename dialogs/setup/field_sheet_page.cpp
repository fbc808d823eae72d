#include "dialogs/setup/field_sheet_page.h"

#include "app/controls/input_helpers.h"
#include "app/ui/ui_language.h"
#include "foundation/window_helpers/pickers.h"

void CFieldSheetPage::SetTabCaption(const char* english) { m_strCaption = TranslateUiString(english).GetData(); }

void CFieldSheetPage::ChooseColour(COLORREF& member, CColorButton& button) {
  member = button.m_colour = ChooseColorDlg(member);
  button.Invalidate();
}

void CFieldSheetPage::SpinTabWidth(WPARAM wParam, LPARAM lParam, int spinId, int editId) {
  const UINT code = LOWORD(wParam);
  if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == spinId && (code == SB_LINEUP || code == SB_LINEDOWN))
    SpinIntEdit(code == SB_LINEUP ? 0 : 1, editId, 1, 100, this);
}
