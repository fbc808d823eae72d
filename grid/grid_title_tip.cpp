// The grid's side of the title tip: shown over a cell whose text is cut off.
#include "grid/grid_ctrl.h"

void CGridCtrl::ShowTitleTipFor(const CGridCellId& id, CGridCellBase* cell) {
  if (cell->GetTipText().IsEmpty() || cell->IsEditing()) return;
  RECT cellRect, textRect;
  if (!GetCellRect(id, &cellRect)) return;
  textRect = cellRect;
  if (!cell->GetTipTextRect(&textRect)) return;
  m_TitleTip.SetParentWnd(this);
  m_TitleTip.Show(textRect, cell->GetTipText(), 0, &cellRect, cell->GetFont(), m_crTTipFg, m_crTTipBk);
}

void CGridCtrl::HideTitleTip() {
  if (m_bTitleTips) m_TitleTip.Hide();
}
