#include "dialogs/shapes/shape_dialog.h"


#include "app/ui/ui_language.h"
#include "dialogs/setup/rotation_list.h"
#include "document/layout/unit_values.h"
#include "fields/model/field.h"
#include "fields/services/ui_messages.h"
#include "foundation/window_helpers/length_spin.h"
#include "foundation/window_helpers/pickers.h"

BEGIN_MESSAGE_MAP(CShapeDialog, CSkinDialog)
  ON_MESSAGE(WM_VSCROLL, OnSpin)
END_MESSAGE_MAP()

std::string ShapeItemName(const char* english) { return TranslateUiString(english).GetData(); }

void CShapeDialog::SetUnit(int unitCode) {
  m_unit = unitCode;
  m_factor = UnitFactor(unitCode);
  m_lengths.SetFactor(m_factor);
}

void CShapeDialog::ShowCheck(int id, bool on) {
  ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
  shownChecks_[id] = on;
}

bool CShapeDialog::IsChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

bool CShapeDialog::CheckChanged(int id) const {
  const auto it = shownChecks_.find(id);
  return it == shownChecks_.end() || it->second != IsChecked(id);
}

void CShapeDialog::FillRotationCombo(int id, int32_t rotation) {
  shownRotation_[id] = FillRotationList(::GetDlgItem(m_hWnd, id), rotation);
}

bool CShapeDialog::ReadRotation(int id, int32_t& rotation) {
  char text[129] = {};
  ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
  const auto it = shownRotation_.find(id);
  if (it != shownRotation_.end() && it->second == text) return true;
  const std::optional<int32_t> typed = ParseRotationText(text);
  if (!typed) {
    Message(kMsgInvalidValue, text);
    ::SetDlgItemTextA(m_hWnd, id, "0");
    return false;
  }
  rotation = *typed;
  return true;
}

void CShapeDialog::FillLineStyles(CLineStyleCombo& combo, int32_t style) {
  if (combo.GetCount() == 0)
    for (int i = 0; i < kLineStyleCount; ++i) combo.AddString("--------");
  combo.SetCurSel(style >= 0 && style < kLineStyleCount ? style : -1);
  shownStyle_ = combo.GetCurSel();
}

void CShapeDialog::StoreLineStyle(CLineStyleCombo& combo, int32_t& style) const {
  const int selected = combo.GetCurSel();
  if (selected >= 0 && selected != shownStyle_) style = selected & 0xFF;
}

bool CShapeDialog::ReadPosition(int id, int32_t& value) {
  if (!m_lengths.Edited(m_hWnd, id)) return true;
  const int mils = m_lengths.Read(m_hWnd, id).value_or(0);
  if (mils < 0) {
    Message(kMsgInvalidValue, CLengthEdits::Text(m_hWnd, id));
    value = 0;
    m_lengths.Correct(m_hWnd, id, 0);
    return false;
  }
  value = mils;
  return true;
}

bool CShapeDialog::ReadLength(int id, const char* itemName, int lower, std::optional<int> upper, int32_t& value) {
  if (!m_lengths.Edited(m_hWnd, id)) return true;
  const std::optional<int> mils = m_lengths.Read(m_hWnd, id);
  if (!mils) {
    Message(kMsgEnterValue, ShapeItemName(itemName));
    return false;
  }
  if (*mils < lower) {
    Message(kMsgBelowLimit, ShapeItemName(itemName));
    value = lower;
    m_lengths.Correct(m_hWnd, id, lower);
    return false;
  }
  if (upper && *mils > *upper) {
    Message(kMsgAboveLimit, ShapeItemName(itemName));
    value = *upper;
    m_lengths.Correct(m_hWnd, id, *upper);
    return false;
  }
  value = *mils;
  return true;
}

LRESULT CShapeDialog::OnSpin(WPARAM wParam, LPARAM lParam) {
  const UINT code = LOWORD(wParam);
  HWND bar = reinterpret_cast<HWND>(lParam);
  if (!bar || (code != SB_LINEUP && code != SB_LINEDOWN)) return 0;
  const int id = ::GetDlgCtrlID(bar);
  for (const ShapeSpinner& s : Spinners()) {
    if (s.scrollBar != id) continue;
    SpinUnitEdit(code == SB_LINEUP ? 0 : 1, s.edit, s.lowerMils * m_factor, s.upperMils * m_factor, m_unit, m_hWnd,
                 1);
    break;
  }
  return 0;
}

bool CShapeDialog::ChooseButtonColour(CColorButton& button) {
  const COLORREF chosen = ChooseColorDlg(button.m_colour);
  if (chosen == button.m_colour) return false;
  button.m_colour = chosen;
  button.Invalidate();
  return true;
}

int CShapeDialog::Message(UINT id, const std::string& argument) { return UiMessageBox(m_hWnd, id, MB_OK, {argument}); }

void CShapeDialog::ShowControl(int id, bool shown) {
  if (HWND w = ::GetDlgItem(m_hWnd, id)) ::ShowWindow(w, shown ? SW_SHOW : SW_HIDE);
}
