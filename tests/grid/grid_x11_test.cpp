// The grid on the tests' own X server, driven by xdotool as a person would:
// a click opens a cell for typing, a drag chooses a range where a press does
// not edit, dragging a header border sizes a column, and the wheel scrolls;
// each checked through the grid.
#include <gtest/gtest.h>

#include "grid_test_util.h"
#include "tests/platform/x11/x11_fixture.h"

namespace {

class X11Grid : public x11test::X11Fixture {
 protected:
  void SetUp() override {
    StartDesktop(false);
    owner_ = std::make_unique<gridtest::COwner>(420, 320);
    grid_ = std::make_unique<CGridCtrl>();
    grid_->Create({10, 10, 410, 310}, owner_.get(), 100);
    grid_->SetRowCount(40);
    grid_->SetColumnCount(4);
    grid_->SetFixedRowCount(1);
    grid_->SetFixedColumnCount(1);
    for (int c = 0; c < 4; ++c) grid_->SetColumnWidth(c, 80);
    for (int r = 0; r < 40; ++r) {
      grid_->SetRowHeight(r, 20);
      for (int c = 0; c < 4; ++c) grid_->SetItemTextFmt(r, c, "r%dc%d", r, c);
    }
    Settle();
  }
  void TearDown() override {
    grid_.reset();
    owner_.reset();
    Settle();
    X11Fixture::TearDown();
  }
  // A point of the grid's client area on the screen, as xdotool wants it.
  std::vector<std::string> At(int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(grid_->m_hWnd, &p);
    return {std::to_string(p.x), std::to_string(p.y)};
  }
  std::vector<std::string> CellCentre(int row, int col) {
    RECT r{};
    grid_->GetCellRect(row, col, &r);
    return At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  std::unique_ptr<gridtest::COwner> owner_;
  std::unique_ptr<CGridCtrl> grid_;
};

TEST_F(X11Grid, ClickThenTypeIntoACell) {
  const auto cell = CellCentre(3, 2);
  Xdotool({"mousemove", cell[0], cell[1], "click", "1"});
  EXPECT_EQ(grid_->GetFocusCell(), CGridCellId(3, 2));
  ASSERT_NE(grid_->GetEditorWindow(), nullptr);
  Xdotool({"type", "--delay", "0", "(10)Lot 42"});
  Xdotool({"key", "Return"});
  EXPECT_EQ(gridtest::Text(grid_->GetItemText(3, 2)), "(10)Lot 42");
  EXPECT_TRUE(grid_->GetModified(3, 2));
  RECT wr;
  GetWindowRect(owner_->m_hWnd, &wr);
  server_->SavePicture(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top,
                       gridtest::PicturePath("grid_x11_typed.png"));
}

TEST_F(X11Grid, DragSelectsCells) {
  grid_->ClickEditsCell = false;
  const auto from = CellCentre(2, 1), to = CellCentre(5, 3);
  Xdotool({"mousemove", from[0], from[1], "mousedown", "1"});
  Xdotool({"mousemove", to[0], to[1]});
  Xdotool({"mouseup", "1"});
  EXPECT_EQ(grid_->GetSelectedCellRange(), CGridCellRange(2, 1, 5, 3));
  EXPECT_EQ(grid_->GetFocusCell(), CGridCellId(5, 3));
}

// A real drag across the cells: with clicks editing cells (the default) the
// press opens the pressed cell's editor and the moves after it stay with the
// grid (the editor keeps its whole text selected, no cells are added); with
// clicks not editing, and along the header row either way, the drag chooses
// the range.
TEST_F(X11Grid, ADragChoosesTheRangeWhereAPressDoesNotEdit) {
  struct Case {
    const char* name;
    bool clickEdits;
    CGridCellId from, to;
    CGridCellRange selected;
    CGridCellId focus;
    bool editing;
    const char* picture;
  };
  // The editing case comes last: its editor stays open over the cell.
  const Case cases[] = {
      {"presses select", false, {2, 1}, {5, 3}, {2, 1, 5, 3}, {5, 3}, false, "grid_x11_drag_selects.png"},
      {"along the header", true, {0, 1}, {0, 3}, {1, 1, 39, 3}, {1, 3}, false, "grid_x11_drag_columns.png"},
      {"a press edits", true, {2, 1}, {5, 3}, {2, 1, 2, 1}, {2, 1}, true, "grid_x11_drag_edits.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    grid_->ClickEditsCell = c.clickEdits;
    const auto from = CellCentre(c.from.row, c.from.col), to = CellCentre(c.to.row, c.to.col);
    const std::string midX = std::to_string((std::stoi(from[0]) + std::stoi(to[0])) / 2);
    const std::string midY = std::to_string((std::stoi(from[1]) + std::stoi(to[1])) / 2);
    Xdotool({"mousemove", from[0], from[1], "mousedown", "1", "mousemove", midX, midY, "mousemove", to[0], to[1],
             "mouseup", "1"});
    EXPECT_EQ(grid_->GetSelectedCellRange(), c.selected);
    EXPECT_EQ(grid_->GetFocusCell(), c.focus);
    const HWND editor = grid_->GetEditorWindow();
    EXPECT_EQ(editor != nullptr, c.editing);
    if (editor) {
      DWORD start = 0, end = 0;
      ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, 0u);
      EXPECT_EQ(end, static_cast<DWORD>(gridtest::Text(grid_->GetItemText(c.from.row, c.from.col)).size()));
    }
    RECT wr;
    GetWindowRect(owner_->m_hWnd, &wr);
    server_->SavePicture(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top, gridtest::PicturePath(c.picture));
    grid_->ResetSelectedRange();
    Settle();
  }
}

TEST_F(X11Grid, DraggingAHeaderBorderSizesTheColumn) {
  RECT header{};
  grid_->GetCellRect(0, 1, &header);
  const auto border = At(header.right, 10), moved = At(header.right + 35, 10);
  Xdotool({"mousemove", border[0], border[1]});
  Xdotool({"mousedown", "1"});
  Xdotool({"mousemove", moved[0], moved[1]});
  Xdotool({"mouseup", "1"});
  EXPECT_EQ(grid_->GetColumnWidth(1), 80 + 35 - 1);
  EXPECT_EQ(grid_->GetColumnWidth(2), 80);
}

TEST_F(X11Grid, TheWheelScrollsThreeRowsANotch) {
  const auto cell = CellCentre(2, 2);
  grid_->ClickEditsCell = false;
  Xdotool({"mousemove", cell[0], cell[1], "click", "1"});
  Xdotool({"click", "5"});
  EXPECT_EQ(grid_->GetScrollPos32(SB_VERT), 60);
  EXPECT_EQ(grid_->GetTopleftNonFixedCell(), CGridCellId(4, 1));
  Xdotool({"click", "4"});
  EXPECT_EQ(grid_->GetScrollPos32(SB_VERT), 0);
}

}  // namespace

namespace {

// On the X server the press, the moves and the release come in their order
// however fast they come: the selection dragged down the grid lands where
// the button comes up, and a move leaves the cells it left empty.
TEST_F(X11Grid, DraggingTheSelectionMovesItsTexts) {
  grid_->ClickEditsCell = false;
  grid_->SetDragAndDrop(true);
  grid_->SetSelectedRange(2, 1, 3, 2);
  const auto from = CellCentre(2, 1), to = CellCentre(6, 1);
  const std::string nudged = std::to_string(std::stoi(from[0]) + 6);
  Xdotool({"mousemove", from[0], from[1], "mousedown", "1", "mousemove", nudged, from[1], "mousemove", to[0], to[1],
           "mouseup", "1"});
  EXPECT_EQ(gridtest::Text(grid_->GetItemText(6, 1)), "r2c1");
  EXPECT_EQ(gridtest::Text(grid_->GetItemText(7, 2)), "r3c2");
  EXPECT_EQ(gridtest::Text(grid_->GetItemText(2, 1)), "");
  EXPECT_EQ(gridtest::Text(grid_->GetItemText(3, 2)), "");
  EXPECT_EQ(gridtest::Text(grid_->GetItemText(8, 1)), "r8c1");
  EXPECT_EQ(grid_->GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
  EXPECT_EQ(owner_->Codes(GVN_BEGINDRAG).size(), 1u);
}

}  // namespace
