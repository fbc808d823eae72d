// The main frame driven as a person would: its bars and panes, commands from
// a tool button, the menu and an accelerator reaching the active layout's
// view only, command updates, the status panes and their double click.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../dialog_script.h"
#include "app/frame/frame_ids.h"
#include "frame_test_util.h"
#include "frame_test_app.h"
#include "platform/testing/ui.h"

namespace {

using frametest::CFrameTestApp;
using frametest::CTestLayoutView;

void Tap(int key) {
  user::DeviceKey(key, true);
  user::DeviceKey(key, false);
}

// Keys a person presses each time a menu of the frame waits for input; with
// none left, Esc gets out (and the test sees the command missing).
struct MenuKeys {
  static inline std::vector<int> keys;
  static inline WNDPROC next = nullptr;
  static inline int escapes = 0;
  static LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
      if (!keys.empty()) {
        Tap(keys.front());
        keys.erase(keys.begin());
      } else if (++escapes < 8) {
        Tap(VK_ESCAPE);
      }
    }
    return ::CallWindowProcA(next, w, message, wParam, lParam);
  }
  // Opens the menu-bar popup with Alt+mnemonic, then presses the keys.
  static void Choose(HWND frame, int mnemonic, std::vector<int> then) {
    keys = std::move(then);
    escapes = 0;
    next = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuKeys::Proc)));
    user::DeviceKey(VK_MENU, true);
    Tap(mnemonic);
    user::DeviceKey(VK_MENU, false);
  }
  static void Done(HWND frame) { ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next)); }
};

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frametest::Log().clear();
    app = std::make_unique<CFrameTestApp>();
    app->m_profile = dir / "frame.ini";
    ASSERT_TRUE(app->InitInstance());
    frame = static_cast<CMainFrame*>(app->m_pMainWnd);
    frametest::Pump(app.get());
  }
  void TearDown() override {
    if (app->m_pMainWnd) ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    uitest::RunUntilIdle();
    app->ExitInstance();
    app.reset();
    CWnd::DeleteTempMap();
  }
  void Command(UINT id) {
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, id, 0);
    frametest::Pump(app.get());
  }
  CTestLayoutView* ActiveView() {
    CMDIChildWnd* child = frame->MDIGetActive();
    return child ? dynamic_cast<CTestLayoutView*>(child->GetActiveView()) : nullptr;
  }
  static bool ButtonEnabled(CToolBar& bar, UINT id) { return bar.SendMessage(TB_ISBUTTONENABLED, id) != 0; }
  static bool ButtonChecked(CToolBar& bar, UINT id) { return bar.SendMessage(TB_ISBUTTONCHECKED, id) != 0; }
  static CRect BarRect(CWnd& bar) {
    CRect r;
    bar.GetWindowRect(&r);
    return r;
  }

  frametest::Scratch dir;
  std::unique_ptr<CFrameTestApp> app;
  CMainFrame* frame = nullptr;
};

TEST_F(MainFrameTest, HasFourToolBarsAndFivePanes) {
  struct BarCase {
    CToolBar* bar;
    const char* title;
    int items;
    UINT firstId;
  };
  const BarCase bars[] = {{&frame->m_wndStandardBar, "Standard", 14, ID_FILE_NEW_LAYOUT},
                          {&frame->m_wndToolsBar, "Tools", 10, ID_BORDER_SETUP},
                          {&frame->m_wndViewToolBar, "ViewTool", 10, ID_ZOOM_IN},
                          {&frame->m_wndAlignToolBar, "AlignTool", 12, ID_ALIGN_LEFT}};
  for (const BarCase& c : bars) {
    ASSERT_TRUE(::IsWindow(c.bar->m_hWnd)) << c.title;
    CString text;
    c.bar->GetWindowText(text);
    EXPECT_EQ(text, CString(c.title));
    EXPECT_EQ(c.bar->GetCount(), c.items) << c.title;
    EXPECT_EQ(c.bar->GetItemID(0), c.firstId) << c.title;
    EXPECT_TRUE(c.bar->IsVisible()) << c.title;
    EXPECT_GT(BarRect(*c.bar).Width(), 0) << c.title;
  }
  // Standard and Tools share the top row; AlignTool no longer fits on a
  // 900-pixel frame and opens the next row.
  EXPECT_EQ(BarRect(frame->m_wndStandardBar).top, BarRect(frame->m_wndToolsBar).top);
  EXPECT_EQ(BarRect(frame->m_wndToolsBar).top, BarRect(frame->m_wndViewToolBar).top);
  EXPECT_GT(BarRect(frame->m_wndAlignToolBar).top, BarRect(frame->m_wndToolsBar).top);

  const UINT panes[] = {ID_PANE_DPI, ID_PANE_PRINTER, ID_PANE_LABEL_SIZE, ID_PANE_CURSOR, ID_PANE_READ_ONLY};
  ASSERT_EQ(frame->m_wndStatusBar.GetCount(), 5);
  for (int i = 0; i < 5; ++i) {
    UINT id = 0, style = 0;
    int width = 0;
    frame->m_wndStatusBar.GetPaneInfo(i, id, style, width);
    EXPECT_EQ(id, panes[i]);
    EXPECT_EQ((style & SBPS_OWNERDRAW) != 0, i < 4) << i;
    EXPECT_EQ((style & SBPS_STRETCH) != 0, id == ID_PANE_LABEL_SIZE) << i;
  }
  EXPECT_GE(BarRect(frame->m_wndStatusBar).Height(), 24);
}

TEST_F(MainFrameTest, NarrowFramePutsViewToolOnARowOfItsOwn) {
  frame->MoveWindow(0, 0, 420, 500);
  frametest::Pump(app.get());
  const CRect standard = BarRect(frame->m_wndStandardBar), view = BarRect(frame->m_wndViewToolBar);
  EXPECT_GT(view.top, standard.top);
  EXPECT_EQ(view.left, standard.left);
  // Nothing joins it there.
  EXPECT_NE(BarRect(frame->m_wndAlignToolBar).top, view.top);
}

TEST_F(MainFrameTest, ToolBarsLiveInTheTopDockBarAndViewToolComesBack) {
  CDockBar* top = frame->GetDockBar(AFX_IDW_DOCKBAR_TOP);
  ASSERT_NE(top, nullptr);
  for (CToolBar* bar : {&frame->m_wndStandardBar, &frame->m_wndToolsBar, &frame->m_wndViewToolBar,
                        &frame->m_wndAlignToolBar}) {
    EXPECT_EQ(::GetParent(bar->m_hWnd), top->m_hWnd);
    EXPECT_EQ(bar->GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_TOP) << "ViewTool too lies across";
  }
  // Created one after the other in one row.
  ASSERT_EQ(top->RowCount(), 1);
  EXPECT_EQ(top->Row(0), (std::vector<CControlBar*>{&frame->m_wndStandardBar, &frame->m_wndToolsBar,
                                                     &frame->m_wndViewToolBar, &frame->m_wndAlignToolBar}));
  // Narrow: ViewTool on a row of its own, the last.
  frame->MoveWindow(0, 0, 420, 500);
  frametest::Pump(app.get());
  ASSERT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->Row(1), std::vector<CControlBar*>{&frame->m_wndViewToolBar});
  // Wide again: ViewTool goes back next to Standard.
  frame->MoveWindow(0, 0, 1200, 600);
  frametest::Pump(app.get());
  ASSERT_EQ(top->RowCount(), 1);
  EXPECT_EQ(top->Row(0).at(1), &frame->m_wndViewToolBar);
  EXPECT_EQ(BarRect(frame->m_wndViewToolBar).left, BarRect(frame->m_wndStandardBar).right);
  EXPECT_EQ(BarRect(frame->m_wndViewToolBar).top, BarRect(frame->m_wndStandardBar).top);
  uitest::SaveWindowPng(frame->m_hWnd, frametest::PicturePath("main_frame_docked_wide.png"));
}

TEST_F(MainFrameTest, ButtonMenuAndAcceleratorReachTheActiveLayoutOnly) {
  Command(ID_FILE_NEW_LAYOUT);
  Command(ID_FILE_NEW_LAYOUT);
  CTestLayoutView* second = ActiveView();
  ASSERT_NE(second, nullptr);
  const int secondNumber = second->Doc()->m_number;
  const std::string who = "view " + std::to_string(secondNumber);

  // A tool button.
  CRect button;
  frame->m_wndViewToolBar.GetItemRect(frame->m_wndViewToolBar.CommandToIndex(ID_ZOOM_IN), &button);
  uitest::Click(frame->m_wndViewToolBar.m_hWnd, button.CenterPoint());
  frametest::Pump(app.get());
  EXPECT_EQ(second->m_zoom, 165);

  // The menu from the keyboard: Alt+V opens View, I chooses Zoom In.
  MenuKeys::Choose(frame->m_hWnd, 'V', {'I'});
  frametest::Pump(app.get());
  MenuKeys::Done(frame->m_hWnd);
  EXPECT_EQ(second->m_zoom, 181);

  // Ctrl+Z through the frame's accelerators, and Alt+Backspace.
  user::DeviceKey(VK_CONTROL, true);
  Tap('Z');
  user::DeviceKey(VK_CONTROL, false);
  frametest::Pump(app.get());
  user::DeviceKey(VK_MENU, true);
  Tap(VK_BACK);
  user::DeviceKey(VK_MENU, false);
  frametest::Pump(app.get());
  EXPECT_EQ(second->m_undone, 2);

  EXPECT_EQ(frametest::Log(),
            (std::vector<std::string>{who + " zoom 165", who + " zoom 181", who + " undo", who + " undo"}));
  // The other layout saw none of it.
  frame->MDINext();
  frametest::Pump(app.get());
  CTestLayoutView* first = ActiveView();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first, second);
  EXPECT_EQ(first->m_zoom, 150);
  EXPECT_EQ(first->m_undone, 0);
  uitest::SaveWindowPng(frame->m_hWnd, frametest::PicturePath("main_frame_two_layouts.png"));
}

TEST_F(MainFrameTest, UndoWithoutALayoutReachesNoView) {
  EXPECT_EQ(frame->SendToActiveView(ID_EDIT_UNDO_LAYOUT), 0);
  Command(ID_EDIT_UNDO_LAYOUT);
  EXPECT_TRUE(frametest::Log().empty());
}

TEST_F(MainFrameTest, UpdateHandlersDisableAndTick) {
  // No layout: its commands have no handler and are disabled.
  EXPECT_FALSE(ButtonEnabled(frame->m_wndViewToolBar, ID_ZOOM_IN));
  EXPECT_FALSE(ButtonEnabled(frame->m_wndStandardBar, ID_EDIT_UNDO_LAYOUT));
  EXPECT_TRUE(ButtonEnabled(frame->m_wndStandardBar, ID_FILE_NEW_LAYOUT));
  Command(ID_FILE_NEW_LAYOUT);
  EXPECT_TRUE(ButtonEnabled(frame->m_wndViewToolBar, ID_ZOOM_IN));
  EXPECT_TRUE(ButtonChecked(frame->m_wndViewToolBar, ID_OPAQUE_VIEW));
  // The view's own rule: Undo is enabled once there is something to undo.
  EXPECT_FALSE(ButtonEnabled(frame->m_wndStandardBar, ID_EDIT_UNDO_LAYOUT));
  Command(ID_ZOOM_IN);
  EXPECT_TRUE(ButtonEnabled(frame->m_wndStandardBar, ID_EDIT_UNDO_LAYOUT));
  Command(ID_OPAQUE_VIEW);
  EXPECT_FALSE(ButtonChecked(frame->m_wndViewToolBar, ID_OPAQUE_VIEW));

  // The View menu ticks the Standard bar while it shows. (Handles, not
  // framework wrappers: idle time frees the temporary ones.)
  const auto standardTicked = [&] {
    HMENU menu = ::GetMenu(frame->m_hWnd);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      HMENU popup = ::GetSubMenu(menu, i);
      if (!popup || ::GetMenuState(popup, ID_VIEW_STANDARD_BAR, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
      frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), i);
      return (::GetMenuState(popup, ID_VIEW_STANDARD_BAR, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    ADD_FAILURE() << "no View menu";
    return false;
  };
  EXPECT_TRUE(standardTicked());
  Command(ID_VIEW_STANDARD_BAR);
  EXPECT_FALSE(frame->m_wndStandardBar.IsVisible());
  EXPECT_FALSE(standardTicked());
}

TEST_F(MainFrameTest, LabelSizePaneSaysTheSizeInTheUnit) {
  struct SizeCase {
    int width, height, unit;
    const char* text;
  };
  const SizeCase cases[] = {
      {4000, 2500, kPaneUnitMm, "Label Size:   101.6(W) x 63.5(H)"},
      {4000, 2500, kPaneUnitInch, "Label Size:   4.00(W) x 2.50(H)"},
      // -100 hides the cursor only; the label size stays in the last unit.
      {3000, 1000, kHideCursor, "Label Size:   3.00(W) x 1.00(H)"},
  };
  EXPECT_EQ(frame->m_wndStatusBar.LabelSizeText(), "Label Size:   10.00(W) x 10.00(H)");
  for (const SizeCase& c : cases) {
    frame->SetLabelSizePane(c.width, c.height, c.unit);
    EXPECT_EQ(frame->m_wndStatusBar.LabelSizeText(), c.text);
  }
}

TEST_F(MainFrameTest, CursorPaneKeepsACoordinateOfMinusOneAndHides) {
  frame->SetCursorPosPane(1000, 2000, kPaneUnitMm);
  EXPECT_EQ(frame->m_wndStatusBar.CursorText(), "25.4, 50.8    (mm)");
  frame->SetCursorPosPane(-1, 500, kPaneUnitInch);
  EXPECT_EQ(frame->m_wndStatusBar.CursorText(), "25.40, 0.50    (inch)");
  frame->SetCursorPosPane(1500, -5, -1);  // a unit below 0 but not -100 keeps the unit
  EXPECT_EQ(frame->m_wndStatusBar.CursorText(), "1.50, 0.50    (inch)");
  frame->SetCursorPosPane(100, 100, kHideCursor);
  EXPECT_EQ(frame->m_wndStatusBar.CursorText(), "");
  frame->SetCursorPosPane(100, 100, kPaneUnitInch);
  EXPECT_EQ(frame->m_wndStatusBar.CursorText(), "0.10, 0.10    (inch)");
}

TEST_F(MainFrameTest, PanesAreDrawnWithTheirTexts) {
  frame->SetDpiPane("DPI 300");
  frame->SetPrinterPane("Office Laser");
  frame->SetLabelSizePane(4000, 2500, kPaneUnitMm);
  frame->SetCursorPosPane(1000, 2000, kPaneUnitMm);
  frame->SetReadOnlyPane(true);
  frametest::Pump(app.get());
  CLabelStatusBar& bar = frame->m_wndStatusBar;
  EXPECT_EQ(bar.GetPaneText(bar.CommandToIndex(ID_PANE_READ_ONLY)), CString("READ"));
  // The label size pane holds the pane's near-black text.
  RECT pane{};
  bar.SendMessage(SB_GETRECT, static_cast<WPARAM>(bar.CommandToIndex(ID_PANE_LABEL_SIZE)), reinterpret_cast<LPARAM>(&pane));
  int dark = 0;
  for (int y = pane.top; y < pane.bottom; ++y)
    for (int x = pane.left; x < pane.right; ++x)
      if (const COLORREF c = uitest::ClientPixel(bar.m_hWnd, x, y); GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64) ++dark;
  EXPECT_GT(dark, 40);
  uitest::SaveWindowPng(bar.m_hWnd, frametest::PicturePath("status_bar.png"));
  frame->SetReadOnlyPane(false);
  EXPECT_EQ(bar.GetPaneText(bar.CommandToIndex(ID_PANE_READ_ONLY)), CString(""));
}

// Dark columns of a part of a window's pixels: how many dark pixels each
// column holds, from the first column holding one to the last.
std::vector<int> DarkColumns(HWND window, const RECT& part) {
  std::vector<int> columns;
  for (int x = part.left; x < part.right; ++x) {
    int dark = 0;
    for (int y = part.top; y < part.bottom; ++y) {
      const COLORREF c = uitest::ClientPixel(window, x, y);
      dark += GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96;
    }
    columns.push_back(dark);
  }
  while (!columns.empty() && columns.back() == 0) columns.pop_back();
  const auto first = std::find_if(columns.begin(), columns.end(), [](int n) { return n > 0; });
  return std::vector<int>(first, columns.end());
}

// The width of the first glyph of a pane's text: its first run of columns
// holding dark pixels.
int FirstGlyphWidth(CLabelStatusBar& bar, UINT pane) {
  RECT r{};
  bar.SendMessage(SB_GETRECT, static_cast<WPARAM>(bar.CommandToIndex(pane)), reinterpret_cast<LPARAM>(&r));
  const std::vector<int> columns = DarkColumns(bar.m_hWnd, r);
  return static_cast<int>(std::find(columns.begin(), columns.end(), 0) - columns.begin());
}

// In Chinese the label size pane begins with a Chinese character, a glyph
// wider than any letter of the English text or of the code page's bytes
// read as Latin letters (which the pane drew before).
TEST_F(MainFrameTest, TheLabelSizePaneSpeaksChinese) {
  CLabelStatusBar& bar = frame->m_wndStatusBar;
  frame->SetLabelSizePane(4000, 2500, kPaneUnitMm);
  frametest::Pump(app.get());
  const int english = FirstGlyphWidth(bar, ID_PANE_LABEL_SIZE);
  apptest::LanguageScope chinese(kUiChineseSimplified);
  ::InvalidateRect(bar.m_hWnd, nullptr, TRUE);
  frametest::Pump(app.get());
  uitest::SaveWindowPng(bar.m_hWnd, frametest::PicturePath("status_bar_zh.png"));
  const int chineseWidth = FirstGlyphWidth(bar, ID_PANE_LABEL_SIZE);
  EXPECT_GT(english, 2);
  EXPECT_LT(english, 8) << "the L of Label Size";
  EXPECT_GE(chineseWidth, 9) << "a Chinese character begins the pane";
}

TEST_F(MainFrameTest, DoubleClickOnPrinterPanePostsTheDpiCommandExceptInReaderMode) {
  CLabelStatusBar& bar = frame->m_wndStatusBar;
  const auto doubleClickOn = [&](UINT id) {
    RECT r{};
    bar.SendMessage(SB_GETRECT, static_cast<WPARAM>(bar.CommandToIndex(id)), reinterpret_cast<LPARAM>(&r));
    uitest::DoubleClick(bar.m_hWnd, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    frametest::Pump(app.get());
  };
  const std::string posted = "app " + std::to_string(ID_SET_TARGET_DPI);
  doubleClickOn(ID_PANE_PRINTER);
  EXPECT_EQ(frametest::Log(), std::vector<std::string>{posted});
  doubleClickOn(ID_PANE_DPI);
  EXPECT_EQ(frametest::Log(), (std::vector<std::string>{posted, posted}));
  doubleClickOn(ID_PANE_LABEL_SIZE);
  EXPECT_EQ(frametest::Log().size(), 2u);
  app->m_reader = true;
  doubleClickOn(ID_PANE_PRINTER);
  EXPECT_EQ(frametest::Log().size(), 2u);
}

}  // namespace
