// Drag and drop of cell texts: between two grids and within one, moving or
// copying (Ctrl), given up with Esc, refused where drag and drop is off; the
// clipboard through the same data objects; the focus cell's drag image.
#include <gtest/gtest.h>

#include <cstring>

#include "grid_test_util.h"
#include "platform/user/input_events.h"

namespace {

using gridtest::Text;

POINT Middle(CGridCtrl& grid, int row, int col) {
  RECT rect{};
  grid.GetCellRect(row, col, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT OnScreen(CGridCtrl& grid, POINT client) {
  ClientToScreen(grid.m_hWnd, &client);
  return client;
}

// A person's drag from one window to another: the press is handled (the grid
// takes the mouse) before the pointer moves on; a first short move inside
// the grid starts the drag. Input queued together is cooked together, and
// moves not yet read merge into the newest, so a key nobody uses (F24) keeps
// the first move apart from the rest.
void DragAcross(POINT from, POINT to, bool control = false, int steps = 6) {
  user::DeviceMouseMove(from);
  user::DeviceMouseButton(user::MouseButton::Left, true, from);
  uitest::RunUntilIdle();
  user::DeviceMouseMove({from.x + 4, from.y});
  constexpr int kUnusedKey = 0x87;
  user::DeviceKey(control ? VK_CONTROL : kUnusedKey, true);
  if (!control) user::DeviceKey(kUnusedKey, false);
  for (int i = 1; i <= steps; ++i)
    user::DeviceMouseMove({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  user::DeviceMouseButton(user::MouseButton::Left, false, to);
  if (control) user::DeviceKey(VK_CONTROL, false);
  uitest::RunUntilIdle();
}

// Two grids side by side on one owner, each cell "<grid><row><col>".
struct TwoGrids {
  gridtest::COwner owner{640, 240};
  CGridCtrl left, right;
  TwoGrids() {
    int id = 1;
    for (CGridCtrl* grid : {&left, &right}) {
      const int x = grid == &left ? 10 : 330;
      grid->Create({x, 10, x + 300, 210}, &owner, static_cast<UINT>(id++));
      grid->SetRowCount(5);
      grid->SetColumnCount(4);
      grid->SetFixedRowCount(1);
      grid->SetFixedColumnCount(1);
      grid->ClickEditsCell = false;
      grid->SetDragAndDrop(true);
      for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) grid->SetItemTextFmt(r, c, "%c%d%d", grid == &left ? 'L' : 'R', r, c);
    }
    uitest::RunUntilIdle();
  }
  static std::string Cell(CGridCtrl& grid, int r, int c) { return Text(grid.GetItemText(r, c)); }
};

TEST(GridDragDrop, BothGridsRegisterTheirDropTargets) {
  TwoGrids g;
  EXPECT_TRUE(g.left.GetDropTarget().IsRegistered());
  EXPECT_TRUE(g.right.GetDropTarget().IsRegistered());
  // A second registration of the same grid is refused.
  CGridDropTarget again;
  EXPECT_FALSE(again.Register(&g.left));
  EXPECT_FALSE(again.Register(&g.owner));
}

struct DropCase {
  const char* name;
  bool control;  // Ctrl held: copy instead of move
};

class GridDragBetweenGrids : public ::testing::TestWithParam<DropCase> {};

TEST_P(GridDragBetweenGrids, TheDraggedCellsLandAtTheDropCell) {
  TwoGrids g;
  g.left.SetSelectedRange(1, 1, 2, 2);
  // Ctrl is pressed once the drag is under way (pressed on the cell it would
  // take the cell out of the selection).
  DragAcross(OnScreen(g.left, Middle(g.left, 1, 1)), OnScreen(g.right, Middle(g.right, 2, 2)), GetParam().control);
  EXPECT_EQ(TwoGrids::Cell(g.right, 2, 2), "L11");
  EXPECT_EQ(TwoGrids::Cell(g.right, 2, 3), "L12");
  EXPECT_EQ(TwoGrids::Cell(g.right, 3, 2), "L21");
  EXPECT_EQ(TwoGrids::Cell(g.right, 3, 3), "L22");
  EXPECT_EQ(TwoGrids::Cell(g.right, 1, 2), "R12");
  EXPECT_EQ(TwoGrids::Cell(g.right, 4, 2), "R42");
  // A move empties the dragged cells; a copy keeps them.
  const std::string kept = GetParam().control ? "L11" : "";
  EXPECT_EQ(TwoGrids::Cell(g.left, 1, 1), kept);
  EXPECT_EQ(TwoGrids::Cell(g.left, 2, 2), GetParam().control ? "L22" : "");
  EXPECT_EQ(TwoGrids::Cell(g.left, 3, 1), "L31");
  // No cell stays highlighted as a drop place; the owner heard of the drag.
  EXPECT_EQ(g.right.GetItemState(2, 2) & GVIS_DROPHILITED, 0u);
  EXPECT_EQ(g.owner.Codes(GVN_BEGINDRAG), (std::vector<gridtest::Notice>{{GVN_BEGINDRAG, 1, 1, -1, -1, -1}}));
  EXPECT_EQ(g.left.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
}

INSTANTIATE_TEST_SUITE_P(Effects, GridDragBetweenGrids,
                         ::testing::Values(DropCase{"Move", false}, DropCase{"CopyWithControl", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridDragDrop, AMoveWithinAGridKeepsWhatTheDropWrote) {
  TwoGrids g;
  // Two cells dragged one row down overlap their old place by one cell.
  g.left.SetSelectedRange(1, 1, 2, 1);
  uitest::Drag(g.left.m_hWnd, Middle(g.left, 1, 1), Middle(g.left, 2, 1), 4);
  EXPECT_EQ(TwoGrids::Cell(g.left, 1, 1), "");
  EXPECT_EQ(TwoGrids::Cell(g.left, 2, 1), "L11");
  EXPECT_EQ(TwoGrids::Cell(g.left, 3, 1), "L21");
  EXPECT_EQ(TwoGrids::Cell(g.left, 4, 1), "L41");
}

TEST(GridDragDrop, EscapeGivesTheDragUp) {
  TwoGrids g;
  g.left.SetSelectedRange(1, 1, 1, 1);
  const POINT from = OnScreen(g.left, Middle(g.left, 1, 1)), to = OnScreen(g.right, Middle(g.right, 2, 2));
  user::DeviceMouseMove(from);
  user::DeviceMouseButton(user::MouseButton::Left, true, from);
  uitest::RunUntilIdle();
  user::DeviceMouseMove({from.x + 5, from.y});
  user::DeviceKey(VK_SHIFT, true);  // keeps the moves apart
  user::DeviceKey(VK_SHIFT, false);
  user::DeviceMouseMove(to);
  user::DeviceKey(VK_ESCAPE, true);
  user::DeviceKey(VK_ESCAPE, false);
  user::DeviceMouseButton(user::MouseButton::Left, false, to);
  uitest::RunUntilIdle();
  EXPECT_EQ(TwoGrids::Cell(g.right, 2, 2), "R22");
  EXPECT_EQ(TwoGrids::Cell(g.left, 1, 1), "L11");
  EXPECT_EQ(g.right.GetItemState(2, 2) & GVIS_DROPHILITED, 0u);
  EXPECT_EQ(g.owner.Codes(GVN_BEGINDRAG).size(), 1u);
}

TEST(GridDragDrop, AGridWithoutDragAndDropNeitherStartsNorTakesDrops) {
  TwoGrids g;
  g.right.SetDragAndDrop(false);
  g.left.SetSelectedRange(1, 1, 1, 1);
  DragAcross(OnScreen(g.left, Middle(g.left, 1, 1)), OnScreen(g.right, Middle(g.right, 2, 2)));
  EXPECT_EQ(TwoGrids::Cell(g.right, 2, 2), "R22");
  EXPECT_EQ(TwoGrids::Cell(g.left, 1, 1), "L11");
  EXPECT_EQ(g.right.GetItemState(2, 2) & GVIS_DROPHILITED, 0u);
  // Off on the source as well: no drag begins and nothing moves.
  g.owner.notices.clear();
  g.left.SetDragAndDrop(false);
  g.left.SetSelectedRange(1, 1, 1, 2);
  uitest::Drag(g.left.m_hWnd, Middle(g.left, 1, 1), Middle(g.left, 3, 1), 4);
  EXPECT_EQ(TwoGrids::Cell(g.left, 3, 1), "L31");
  EXPECT_EQ(TwoGrids::Cell(g.left, 1, 1), "L11");
  EXPECT_TRUE(g.owner.Codes(GVN_BEGINDRAG).empty());
}

TEST(GridDragDrop, CopyGoesToTheClipboardAsADataObject) {
  TwoGrids g;
  g.left.SetSelectedRange(1, 1, 2, 2);
  g.left.SendMessage(WM_COMMAND, ID_EDIT_COPY);
  COleDataObject clipboard;
  ASSERT_TRUE(clipboard.AttachClipboard());
  ASSERT_TRUE(clipboard.IsDataAvailable(CF_TEXT));
  HGLOBAL block = clipboard.GetGlobalData(CF_TEXT);
  ASSERT_NE(block, nullptr);
  const std::string expected("L11\tL12\r\nL21\tL22", 16);
  ASSERT_EQ(GlobalSize(block), expected.size() + 1);
  const char* bytes = static_cast<const char*>(GlobalLock(block));
  EXPECT_EQ(std::string(bytes, expected.size() + 1), expected + '\0');
  GlobalUnlock(block);
  GlobalFree(block);
  // And pastes into the other grid from there.
  g.right.SetFocusCell(3, 1);
  g.right.SendMessage(WM_COMMAND, ID_EDIT_PASTE);
  EXPECT_EQ(TwoGrids::Cell(g.right, 3, 1), "L11");
  EXPECT_EQ(TwoGrids::Cell(g.right, 4, 2), "L22");
}

TEST(GridDragDrop, TheDragImageIsThePictureOfTheFocusCell) {
  TwoGrids g;
  // A cell wholly inside the window, so that every pixel can be compared.
  g.left.SetFocusCell(2, 1);
  uitest::RunUntilIdle();
  CRect cell;
  ASSERT_TRUE(g.left.GetCellRect(2, 1, &cell));
  CPoint hot;
  HIMAGELIST list = g.left.CreateDragImage(&hot);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(hot, CPoint(cell.Width(), cell.Height()));
  EXPECT_EQ(ImageList_GetImageCount(list), 1);
  // Drawn on the cell's own background it gives the cell as the grid shows it.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, cell.Width(), cell.Height());
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT all{0, 0, cell.Width(), cell.Height()};
  HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  FillRect(memory, &all, back);
  ImageList_Draw(list, 0, memory, 0, 0, ILD_NORMAL);
  int differing = 0, inked = 0;
  for (int y = 0; y < cell.Height(); ++y)
    for (int x = 0; x < cell.Width(); ++x) {
      const COLORREF drawn = GetPixel(memory, x, y);
      if (drawn != GetSysColor(COLOR_WINDOW)) ++inked;
      if (drawn != uitest::ClientPixel(g.left.m_hWnd, cell.left + x, cell.top + y)) ++differing;
    }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(inked, 20);  // the frame and the text
  uitest::Picture picture{cell.Width(), cell.Height(), {}};
  for (int y = 0; y < cell.Height(); ++y)
    for (int x = 0; x < cell.Width(); ++x) {
      const COLORREF c = GetPixel(memory, x, y);
      picture.pixels.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    }
  uitest::SavePng(picture, gridtest::PicturePath("drag_image.png"));
  uitest::SaveWindowPng(g.owner.m_hWnd, gridtest::PicturePath("drag_image_grids.png"));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteObject(back);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  ImageList_Destroy(list);
}

}  // namespace
