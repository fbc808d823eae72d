// The combo cell: a drop list over the cell, picked by keys, its choice
// stored in the cell before the grid hears that editing ended.
#include <gtest/gtest.h>

#include "grid/grid_combo.h"
#include "grid_test_util.h"

using gridtest::Fixture;

namespace {
struct ComboFixture : Fixture {
  CGridCellCombo* cell = nullptr;
  explicit ComboFixture(DWORD style, std::initializer_list<const char*> options = {"(01) GTIN", "(10) Batch",
                                                                                 "(17) Expiry"})
      : Fixture(4, 3, 1, 1) {
    for (int c = 0; c < 3; ++c) grid.SetColumnWidth(c, 110);
    for (int r = 0; r < 4; ++r) grid.SetRowHeight(r, 22);
    grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo));
    cell = static_cast<CGridCellCombo*>(grid.GetCell(1, 1));
    AArray<AString> texts;
    AArray<int> data;
    int value = 1;
    for (const char* o : options) {
      texts.Add(AString(o));
      data.Add(value++ * 10);
    }
    cell->SetOptions(texts, &data);
    cell->SetStyle(style);
    grid.SetItemText(1, 1, options.begin()[0]);
    cell->m_nSelected = 0;
    ::SetFocus(grid.m_hWnd);
    grid.SetFocusCell(1, 1);
    grid.SetColumnRawText(1, true);
    uitest::RunUntilIdle();
    owner.notices.clear();
  }
};
}  // namespace

TEST(GridCombo, F2OpensTheListAndEnterStoresTheChoice) {
  ComboFixture f(CBS_DROPDOWNLIST);
  uitest::Key(VK_F2);
  CGridComboList* list = f.cell->GetComboWnd();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetCount(), 3);
  EXPECT_EQ(list->GetCurSel(), 0);
  EXPECT_EQ(list->GetItemData(2), 30u);
  EXPECT_TRUE(list->SendMessage(CB_GETDROPPEDSTATE));
  uitest::SaveScreenPng(gridtest::PicturePath("grid_combo_dropped.png"));
  uitest::Key(VK_DOWN);
  uitest::Key(VK_RETURN);
  EXPECT_EQ(f.Cell(1, 1), "(10) Batch");
  EXPECT_EQ(f.cell->m_nSelected, 1);
  EXPECT_EQ(f.cell->GetComboWnd(), nullptr);
  EXPECT_FALSE(f.cell->IsEditing());
  const auto ends = f.owner.Codes(GVN_ENDLABELEDIT);
  ASSERT_GE(ends.size(), 2u);
  EXPECT_EQ(ends[ends.size() - 2], (gridtest::Notice{GVN_ENDLABELEDIT, 1, 1, 0, 0, -1}));
}

TEST(GridCombo, EscapeKeepsTheText) {
  ComboFixture f(CBS_DROPDOWNLIST);
  uitest::Key(VK_F2);
  uitest::Key(VK_DOWN);
  uitest::Key(VK_ESCAPE);
  EXPECT_EQ(f.Cell(1, 1), "(01) GTIN");
  EXPECT_EQ(f.cell->GetComboWnd(), nullptr);
}

TEST(GridCombo, TypingIntoADropDownKeepsTheFirstCharacter) {
  ComboFixture f(CBS_DROPDOWN);
  uitest::TypeText(std::string_view("(99) mine"));
  ASSERT_NE(f.cell->GetComboWnd(), nullptr);
  ASSERT_NE(f.cell->GetEditWnd(), nullptr);
  uitest::Key(VK_RETURN);
  EXPECT_EQ(f.Cell(1, 1), "(99) mine");
}

TEST(GridCombo, ADropDownShowsATextNotAmongTheOptions) {
  ComboFixture f(CBS_DROPDOWN);
  f.grid.SetItemText(1, 1, "free text");
  uitest::Key(VK_F2);
  CGridComboList* list = f.cell->GetComboWnd();
  ASSERT_NE(list, nullptr);
  CString text;
  list->GetWindowText(text);
  EXPECT_EQ(std::string(text.GetString()), "free text");
  uitest::Key(VK_ESCAPE);
}

TEST(GridCombo, ALongListIsNeverWiderThan400Pixels) {
  ComboFixture f(CBS_DROPDOWNLIST, {"short", "a very long option text that goes on and on and on and on and on and on "
                                             "and on and on and on and on and on and on and on and on"});
  uitest::Key(VK_F2);
  CGridComboList* list = f.cell->GetComboWnd();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->SendMessage(CB_GETDROPPEDWIDTH), 400);
  uitest::Key(VK_ESCAPE);
}

TEST(GridCombo, TheCellDrawsItsDropButton) {
  ComboFixture f(CBS_DROPDOWNLIST);
  f.grid.Invalidate();
  uitest::RunUntilIdle();
  RECT rect;
  f.grid.GetCellRect(1, 1, &rect);
  // The button's face at the right of the cell.
  const int x = rect.right - GetSystemMetrics(SM_CXVSCROLL) / 2, y = rect.top + 2;
  EXPECT_EQ(uitest::ClientPixel(f.grid.m_hWnd, x, y) == GetSysColor(COLOR_WINDOW), false);
  uitest::SaveWindowPng(f.grid.m_hWnd, gridtest::PicturePath("grid_combo_cell.png"));
}
