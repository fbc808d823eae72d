// A virtual grid's cells belong to its owner: an edited cell's text is
// offered to the owner (GVN_SETDISPINFO), which keeps it or refuses it; and
// a virtual grid draws exactly what the same cells held by the grid draw,
// also when drawing one cell reads another of its row (the quantity that
// shades a picked row).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grid_ctrl.h"
#include "grid_test_util.h"
#include "platform/testing/ui.h"

namespace {

constexpr int kRows = 12, kCols = 3;

std::string CellText(int row, int col) {
  if (row == 0) return "head " + std::to_string(col);
  if (col == 0) return std::to_string(row % 3);  // a quantity: rows 1, 4, ... shaded
  return "r" + std::to_string(row) + " c" + std::to_string(col);
}

// An owner keeping the cells of a virtual grid; row `refused` keeps its text.
class CCellOwner : public gridtest::COwner {
 public:
  std::vector<std::string> cells = std::vector<std::string>(kRows * kCols);
  int refused = -1;
  std::vector<std::string> offered;
  CCellOwner() {
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) cells[static_cast<size_t>(r * kCols + c)] = CellText(r, c);
    display = [this](GridDispInfo* info) {
      const std::string& text = cells[static_cast<size_t>(info->item.row * kCols + info->item.col)];
      info->item.text = AString(text.c_str());
    };
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY && static_cast<int>(reinterpret_cast<const NMHDR*>(lParam)->code) == GVN_SETDISPINFO) {
      const GridItem& item = reinterpret_cast<const GridDispInfo*>(lParam)->item;
      offered.push_back(gridtest::Text(item.text));
      if (item.row == refused) return -1;
      cells[static_cast<size_t>(item.row * kCols + item.col)] = gridtest::Text(item.text);
      return 0;
    }
    return gridtest::COwner::WindowProc(message, wParam, lParam);
  }
};

void MakeGrid(CGridCtrl& grid, CWnd& owner, bool isVirtual) {
  grid.Create({0, 0, 320, 260}, &owner, 7);
  grid.SetVirtualMode(isVirtual);
  grid.SetEditable(true);
  grid.SetListMode(true);
  grid.RowPickMode = true;
  grid.SetColumnCount(kCols);
  grid.SetRowCount(kRows);
  grid.SetFixedRowCount(1);
  for (int c = 0; c < kCols; ++c) grid.SetColumnWidth(c, 90);
}

TEST(GridVirtualEdit, EditedTextIsOfferedToTheOwner) {
  CCellOwner owner;
  CGridCtrl grid;
  MakeGrid(grid, owner, true);
  owner.refused = 3;
  ::SetFocus(grid.m_hWnd);
  const struct {
    int row;
    const char* typed;
    const char* kept;
  } cases[] = {{2, "7", "7"}, {3, "9", "0"}, {5, "(01)", "(01)"}};
  for (const auto& t : cases) {
    RECT rect{};
    ASSERT_TRUE(grid.GetCellRect(t.row, 0, &rect));
    uitest::DoubleClick(grid.m_hWnd, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    uitest::RunUntilIdle();
    uitest::Key('A', false, true);
    uitest::TypeText(std::string_view(t.typed));
    uitest::Key(VK_RETURN);
    uitest::RunUntilIdle();
    EXPECT_EQ(owner.offered.back(), t.typed) << "row " << t.row;
    EXPECT_EQ(owner.cells[static_cast<size_t>(t.row * kCols)], t.kept) << "row " << t.row;
    EXPECT_EQ(gridtest::Text(grid.GetItemText(t.row, 0)), t.kept) << "row " << t.row;
  }
  EXPECT_EQ(owner.offered.size(), 3u);
}

TEST(GridVirtualEdit, DrawsWhatTheSameCellsHeldByTheGridDraw) {
  CCellOwner virtualOwner;
  CGridCtrl virtualGrid;
  MakeGrid(virtualGrid, virtualOwner, true);
  gridtest::COwner heldOwner;
  CGridCtrl heldGrid;
  MakeGrid(heldGrid, heldOwner, false);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) heldGrid.SetItemText(r, c, CellText(r, c).c_str());
  uitest::RunUntilIdle();
  const uitest::Picture a = uitest::CaptureWindow(virtualGrid.m_hWnd);
  const uitest::Picture b = uitest::CaptureWindow(heldGrid.m_hWnd);
  uitest::SavePng(a, gridtest::PicturePath("grid_virtual_rows.png"));
  uitest::SavePng(b, gridtest::PicturePath("grid_held_rows.png"));
  ASSERT_EQ(a.width, b.width);
  ASSERT_EQ(a.height, b.height);
  int differing = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) differing += a.pixels[i] != b.pixels[i] ? 1 : 0;
  EXPECT_EQ(differing, 0);
}

}  // namespace
