// A grid driven from the keyboard as a person would: a cell focused, an
// option picked from a drop-list cell with F2 and the arrow keys, text typed
// into a cell and ended with Enter.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "grid/grid_combo.h"
#include "grid/grid_ctrl.h"
#include "platform/testing/ui.h"

namespace grid_test {

inline void FocusCell(CGridCtrl& grid, int row, int col) {
  ::SetFocus(grid.m_hWnd);
  grid.SetFocusCell(row, col);
  uitest::RunUntilIdle();
}

// Opens the cell's drop list with F2 and walks to the option with the arrows.
inline void PickOption(CGridCtrl& grid, int row, int col, int option) {
  FocusCell(grid, row, col);
  auto* cell = dynamic_cast<CGridCellCombo*>(grid.GetCell(row, col));
  ASSERT_NE(cell, nullptr) << row << "," << col;
  const int from = cell->m_nSelected < 0 ? 0 : cell->m_nSelected;
  uitest::Key(VK_F2);
  ASSERT_NE(cell->GetComboWnd(), nullptr);
  for (int i = from; i < option; ++i) uitest::Key(VK_DOWN);
  for (int i = option; i < from; ++i) uitest::Key(VK_UP);
  uitest::Key(VK_RETURN);
  uitest::RunUntilIdle();
}

inline void TypeIntoCell(CGridCtrl& grid, int row, int col, std::string_view text) {
  FocusCell(grid, row, col);
  uitest::TypeText(text);
  uitest::Key(VK_RETURN);
  uitest::RunUntilIdle();
}

}  // namespace grid_test
