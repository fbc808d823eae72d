// Switching between layout windows in the designer's real main frame, as a
// person does: the Window menu's list, Ctrl+F6, a file handed to the running
// designer; each time the active layout and the "Label Size" pane follow.
// Closing a changed layout by its window command asks first. A layout window
// scrolls through one set of bars, before and after Tile and Cascade, and its
// rulers show their scale in the active window afterwards.
#include <gtest/gtest.h>

#include <string>

#include "app/frame/frame_ids.h"
#include "app/frame/main_frame.h"
#include "designer_app_fixture.h"
#include "document/core/rvo_doc.h"
#include "document/file/layout_file.h"
#include "document/frame/doc_frame.h"
#include "document/view/design_view.h"
#include "platform/testing/ui.h"
#include "platform/user/mdi/mdi.h"

namespace {

using apptest::DesignerAppTest;

class LayoutWindowsSwitch : public DesignerAppTest {
 protected:
  // A saved layout of w x h mils.
  std::string Layout(const std::string& name, int width, int height) {
    const std::string path = temp / name;
    CLabelSetup setup;
    setup.LoadDefaults();
    setup.labelWidth = width;
    setup.labelHeight = height;
    CFieldList fields;
    EXPECT_EQ(SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
    return path;
  }
  // Starts on two layouts, 4 x 6 in and 3 x 2 in; the main frame.
  CMainFrame* StartOnTwo() {
    WriteProfile("[Config]\nbFirstTimeRun=0\n");
    realLayouts = true;
    first = Layout("tall.bcd", 4000, 6000);
    second = Layout("wide.bcd", 3000, 2000);
    if (!Start({first})) return nullptr;
    auto* frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
    if (!frame) return nullptr;
    app->OpenDocumentFile(second.c_str());
    app->PumpAll();
    return frame;
  }
  static std::string ActiveTitle(CMainFrame* frame) {
    CMDIChildWnd* child = frame->MDIGetActive();
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    return doc ? std::string(doc->GetPathName().GetString()) : std::string();
  }
  static std::string SizePane(CMainFrame* frame) { return frame->m_wndStatusBar.LabelSizeText(); }

  std::string first, second;
};

constexpr const char* kTallSize = "Label Size:   4.00(W) x 6.00(H)";
constexpr const char* kWideSize = "Label Size:   3.00(W) x 2.00(H)";

TEST_F(LayoutWindowsSwitch, WindowMenuListActivatesItsLayout) {
  CMainFrame* frame = StartOnTwo();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(ActiveTitle(frame), second);
  EXPECT_EQ(SizePane(frame), kWideSize);
  // The list's first entry is the first layout opened; choosing it is the
  // command the menu sends.
  ::SendMessageA(frame->m_hWnd, WM_COMMAND, AFX_IDM_FIRST_MDICHILD, 0);
  app->PumpAll();
  EXPECT_EQ(ActiveTitle(frame), first);
  EXPECT_EQ(SizePane(frame), kTallSize);
  ::SendMessageA(frame->m_hWnd, WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1, 0);
  app->PumpAll();
  EXPECT_EQ(ActiveTitle(frame), second);
  EXPECT_EQ(SizePane(frame), kWideSize);
}

TEST_F(LayoutWindowsSwitch, CtrlF6GoesToTheOtherLayout) {
  CMainFrame* frame = StartOnTwo();
  ASSERT_NE(frame, nullptr);
  for (const std::string& expected : {first, second, first}) {
    // Pressed and released, then taken through the program's loop.
    uitest::KeyDown(VK_CONTROL);
    uitest::KeyDown(VK_F6);
    uitest::KeyUp(VK_F6);
    uitest::KeyUp(VK_CONTROL);
    app->PumpAll();
    EXPECT_EQ(ActiveTitle(frame), expected);
    EXPECT_EQ(SizePane(frame), expected == first ? kTallSize : kWideSize);
  }
}

TEST_F(LayoutWindowsSwitch, AHandedOverFileShowsItsOwnSize) {
  CMainFrame* frame = StartOnTwo();
  ASSERT_NE(frame, nullptr);
  // The other layout shows its size once it is made active again by
  // opening its file once more.
  app->OpenDocumentFile(first.c_str());
  app->PumpAll();
  EXPECT_EQ(ActiveTitle(frame), first);
  EXPECT_EQ(SizePane(frame), kTallSize);
}

TEST_F(LayoutWindowsSwitch, ClosingAChangedLayoutByItsWindowCommandAsks) {
  CMainFrame* frame = StartOnTwo();
  ASSERT_NE(frame, nullptr);
  CMDIChildWnd* child = frame->MDIGetActive();
  ASSERT_NE(child, nullptr);
  child->GetActiveDocument()->SetModifiedFlag(TRUE);
  boxes.answer = IDCANCEL;
  boxes.seen.clear();
  // The caption's close button and Ctrl+F4 send this.
  child->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  app->PumpAll();
  EXPECT_FALSE(boxes.seen.empty());
  EXPECT_EQ(frame->MDIGetActive(), child);  // cancelled: still open
  child->GetActiveDocument()->SetModifiedFlag(FALSE);
}

// The view scrolls through its layout window's one set of bars: its own
// window shows none.
void ExpectOneSetOfBars(CMDIChildWnd* child) {
  auto* doc = dynamic_cast<CDocFrmWnd*>(child);
  ASSERT_NE(doc, nullptr);
  CWnd* pane = doc->Splitter().GetPane(0, 0);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->GetStyle() & (WS_HSCROLL | WS_VSCROLL), 0u);
  EXPECT_EQ(doc->GetStyle() & (WS_HSCROLL | WS_VSCROLL), 0u);
  EXPECT_EQ(doc->Splitter().GetStyle() & (WS_HSCROLL | WS_VSCROLL), 0u);
  EXPECT_NE(pane->GetScrollBarCtrl(SB_HORZ), nullptr);
  EXPECT_NE(pane->GetScrollBarCtrl(SB_VERT), nullptr);
}

TEST_F(LayoutWindowsSwitch, OneSetOfScrollBarsBeforeAndAfterTileAndCascade) {
  CMainFrame* frame = StartOnTwo();
  ASSERT_NE(frame, nullptr);
  ExpectOneSetOfBars(frame->MDIGetActive());
  for (UINT command : {ID_WINDOW_TILE_LAYOUTS, ID_WINDOW_CASCADE_LAYOUTS}) {
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, command, 0);
    app->PumpAll();
    ExpectOneSetOfBars(frame->MDIGetActive());
    // The MDI client shows no bars of its own while the windows lie within it.
    EXPECT_EQ(::GetWindowLongA(frame->m_hWndMDIClient, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0) << command;
  }
}

}  // namespace

namespace {

// Dark pixels (ticks and numbers) in a window's picture.
int DarkPixels(HWND window) {
  const uitest::Picture p = uitest::CaptureWindow(window);
  int dark = 0;
  for (uint32_t px : p.pixels) dark += ((px >> 16 & 0xFF) + (px >> 8 & 0xFF) + (px & 0xFF)) / 3 < 80;
  return dark;
}

TEST_F(LayoutWindowsSwitch, RulersShowTheirScalesAfterTileAndCascade) {
  CMainFrame* frame = StartOnTwo();
  ASSERT_NE(frame, nullptr);
  for (UINT command : {ID_WINDOW_TILE_LAYOUTS, ID_WINDOW_CASCADE_LAYOUTS}) {
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, command, 0);
    app->PumpAll();
    auto* doc = dynamic_cast<CDocFrmWnd*>(frame->MDIGetActive());
    ASSERT_NE(doc, nullptr);
    uitest::SaveWindowPng(doc->m_hWnd, std::string(TAV_BUILD_DIR) + "/pictures/app/rulers_" +
                                           (command == ID_WINDOW_TILE_LAYOUTS ? "tiled.png" : "cascaded.png"));
    EXPECT_GT(DarkPixels(doc->HorizontalRuler().m_hWnd), 50) << command;
    EXPECT_GT(DarkPixels(doc->VerticalRuler().m_hWnd), 50) << command;
  }
}

}  // namespace
