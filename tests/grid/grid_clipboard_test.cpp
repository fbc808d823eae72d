// Copy, cut and paste through the clipboard: the bytes a copy writes and how
// a paste spreads over the cells.
#include <gtest/gtest.h>

#include <cstdlib>

#include "foundation/system/clipboard_text.h"
#include "grid_test_util.h"

using gridtest::Fixture;

namespace {
std::string ClipboardBytes() {
  uint8_t* data = nullptr;
  int size = 0;
  if (!ReadClipboardData(CF_TEXT, &data, &size)) return "<none>";
  std::string bytes(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
  std::free(data);
  return bytes;
}
void PutOnClipboard(const std::string& text) { WriteClipboardData(CF_TEXT, text.c_str(), static_cast<int>(text.size() + 1)); }
}  // namespace

TEST(GridClipboard, CopyWritesRowsAndTabsWithOneNul) {
  Fixture f(5, 5, 1, 1);
  f.grid.SetSelectedRange(1, 1, 2, 3);
  f.grid.OnEditCopy();
  EXPECT_EQ(ClipboardBytes(), std::string("r1c1\tr1c2\tr1c3\r\nr2c1\tr2c2\tr2c3\0", 31));
}

TEST(GridClipboard, HiddenRowsAndColumnsAreLeftOut) {
  Fixture f(5, 5, 1, 1);
  f.grid.SetColumnWidth(2, 0);
  f.grid.SetRowHeight(2, 0);
  f.grid.SetSelectedRange(1, 1, 3, 3);
  EXPECT_EQ(f.grid.CopyTextFromGrid(), "r1c1\tr1c3\r\nr3c1\tr3c3");
}

TEST(GridClipboard, UnselectedCellsInsideTheRangeGiveEmptyTexts) {
  Fixture f(5, 5, 1, 1);
  f.grid.SetSelectedRange(1, 1, 2, 2);
  f.grid.SetSelectedRange(1, 2, 1, 2, false, false);
  EXPECT_EQ(f.grid.CopyTextFromGrid(), "r1c1\t\r\nr2c1\tr2c2");
}

TEST(GridClipboard, PasteSpreadsFromTheStartCellAndDropsWhatFallsOff) {
  Fixture f(4, 4, 1, 1);
  EXPECT_TRUE(f.grid.PasteTextToGrid({2, 2}, "a\tb\tc\r\nd\te\r\nf\r\n", false));
  EXPECT_EQ(f.Cell(2, 2), "a");
  EXPECT_EQ(f.Cell(2, 3), "b");  // "c" fell off the right edge
  EXPECT_EQ(f.Cell(3, 2), "d");
  EXPECT_EQ(f.Cell(3, 3), "e");
  EXPECT_EQ(f.Cell(1, 2), "r1c2");
}

TEST(GridClipboard, CopyThenPasteIsARoundTrip) {
  Fixture f(6, 4, 1, 1);
  f.grid.SetItemText(1, 1, " lead, with comma ");
  f.grid.SetItemText(1, 2, "");
  f.grid.SetSelectedRange(1, 1, 2, 3);
  f.grid.OnEditCopy();
  f.grid.SetFocusCell(4, 1);
  f.grid.ResetSelectedRange();
  f.grid.SetFocusCell(4, 1);
  f.grid.OnEditPaste();
  for (int r = 0; r < 2; ++r)
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(f.Cell(4 + r, c), f.Cell(1 + r, c)) << r << "," << c;
  EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(4, 1, 5, 3));
}

TEST(GridClipboard, PasteOverReadOnlyCellsCostsOneNoticePairPerChange) {
  Fixture f(4, 4, 1, 1);
  static_cast<CGridCell*>(f.grid.GetCell(1, 2))->SetReadOnly(true);
  PutOnClipboard("x\ty\tz");
  f.grid.SetFocusCell(1, 1);
  f.grid.OnEditPaste();
  EXPECT_EQ(f.Cell(1, 1), "x");
  EXPECT_EQ(f.Cell(1, 2), "r1c2");
  EXPECT_EQ(f.Cell(1, 3), "z");
  EXPECT_EQ(f.owner.Codes(GVN_BEGINLABELEDIT).size(), 2u);
  EXPECT_EQ(f.owner.Codes(GVN_ENDLABELEDIT).size(), 2u);
}

TEST(GridClipboard, CutEmptiesTheSelectedCellsAndDeleteToo) {
  Fixture f(4, 4, 1, 1);
  f.grid.SetSelectedRange(1, 1, 1, 2);
  f.grid.OnEditCut();
  EXPECT_EQ(ClipboardBytes(), std::string("r1c1\tr1c2\0", 10));
  EXPECT_EQ(f.Cell(1, 1), "");
  EXPECT_EQ(f.Cell(1, 2), "");
  ::SetFocus(f.grid.m_hWnd);
  f.grid.SetFocusCell(2, 1);
  f.grid.SetSelectedRange(2, 1, 2, 1);
  uitest::Key(VK_DELETE);
  EXPECT_EQ(f.Cell(2, 1), "");
}

TEST(GridClipboard, PasteWhileEditingGoesToTheEditor) {
  Fixture f(4, 4, 1, 1);
  ::SetFocus(f.grid.m_hWnd);
  f.grid.SetFocusCell(1, 1);
  uitest::RunUntilIdle();
  uitest::TypeText(std::string_view("ab"));
  PutOnClipboard("ZZ\tYY");
  f.grid.OnEditPaste();
  uitest::Key(VK_RETURN);
  EXPECT_EQ(f.Cell(1, 1).substr(0, 2), "ab");
  EXPECT_EQ(f.Cell(1, 2), "r1c2");
}

TEST(GridClipboard, EditCommandsAndTheirMenuStates) {
  Fixture f(4, 4, 1, 1);
  struct State : CCmdUI {
    BOOL enabled = -1;
    void Enable(BOOL on) override { enabled = on; }
  };
  auto enabled = [&](UINT id) {
    State ui;
    ui.m_nID = id;
    ui.DoUpdate(&f.grid, FALSE);
    return ui.enabled;
  };
  EXPECT_FALSE(enabled(ID_EDIT_COPY));
  EXPECT_TRUE(enabled(ID_EDIT_SELECT_ALL));
  f.grid.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
  EXPECT_EQ(f.grid.GetSelectedCount(), 9);
  EXPECT_TRUE(enabled(ID_EDIT_COPY));
  EXPECT_TRUE(enabled(ID_EDIT_CUT));
  f.grid.SendMessage(WM_COMMAND, ID_EDIT_COPY);
  EXPECT_EQ(ClipboardBytes().substr(0, 14), "r1c1\tr1c2\tr1c3");
  f.grid.SetFocusCell(1, 1);
  EXPECT_TRUE(enabled(ID_EDIT_PASTE));
  f.grid.SetEditable(false);
  EXPECT_FALSE(enabled(ID_EDIT_CUT));
  EXPECT_FALSE(enabled(ID_EDIT_PASTE));
}
