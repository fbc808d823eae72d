// A maximised document in the frame's menu bar (its window-menu icon at the
// left, Minimize, Restore and Close at the right, each working), and the MDI
// client's scroll bars: none while every document lies inside it, none
// around a maximised document, a bar when a document reaches past an edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/mdi/mdi_desk.h"

namespace {

HWND theClient = nullptr;
std::vector<UINT> frameCommands;  // WM_COMMAND ids the frame heard

LRESULT FrameProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) frameCommands.push_back(LOWORD(wParam));
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
    // A menu loop waiting with nothing scripted: leave it.
    PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
    return 0;
  }
  return DefFrameProcW(w, theClient, message, wParam, lParam);
}

bool HasBar(HWND w, DWORD bar) { return (GetWindowLongW(w, GWL_STYLE) & bar) != 0; }

class MdiMaximisedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mditest::Desk desk =
        mditest::MakeDesk({u"TavMdiMaxFrame", FrameProc, u"TavMdiMaxDocument", true, WS_HSCROLL | WS_VSCROLL,
                          LoadIconA(nullptr, IDI_APPLICATION)},
                         theClient);
    windowMenu_ = desk.windowMenu;
    bar_ = desk.bar;
    frame_ = desk.frame;
    client_ = desk.client;
    documents_ = std::move(desk.documents);
    SetForegroundWindow(frame_);
    uitest::RunUntilIdle();
    frameCommands.clear();
  }
  void TearDown() override {
    DestroyWindow(frame_);
    theClient = nullptr;
  }
  HWND Active(BOOL* maximized = nullptr) {
    return reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
  }
  // The screen rectangle of a menu-bar item: the bar lies just above the
  // frame's client area; its items are laid out left to right, with the
  // right-justified ones at its right end.
  RECT BarItem(int position) {
    RECT item{};
    GetMenuItemRect(frame_, bar_, static_cast<UINT>(position), &item);
    return item;
  }
  HMENU windowMenu_ = nullptr, bar_ = nullptr;
  HWND frame_ = nullptr, client_ = nullptr;
  std::vector<HWND> documents_;
};

struct BarItemInfo {
  UINT id;
  HBITMAP bitmap;
  HMENU submenu;
  bool rightJustified;
};

BarItemInfo ItemInfo(HMENU bar, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_BITMAP | MIIM_SUBMENU | MIIM_FTYPE;
  GetMenuItemInfoW(bar, static_cast<UINT>(position), TRUE, &info);
  return {info.wID, info.hbmpItem, info.hSubMenu, (info.fType & MFT_RIGHTJUSTIFY) != 0};
}

TEST_F(MdiMaximisedTest, TheMaximisedDocumentsIconAndButtonsRideInTheMenuBar) {
  ASSERT_EQ(GetMenuItemCount(bar_), 2);
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(documents_[2]), 0);
  ASSERT_EQ(GetMenuItemCount(bar_), 1 + 2 + 3) << "the icon, File and Window, three buttons";
  const BarItemInfo icon = ItemInfo(bar_, 0);
  EXPECT_EQ(icon.bitmap, HBMMENU_SYSTEM);
  EXPECT_EQ(icon.submenu, GetSystemMenu(documents_[2], FALSE)) << "the icon opens the document's window menu";
  struct Row {
    int position;
    UINT id;
    HBITMAP bitmap;
    bool rightJustified;
  } const rows[] = {{3, static_cast<UINT>(SC_MINIMIZE), HBMMENU_MBAR_MINIMIZE, true},
                    {4, static_cast<UINT>(SC_RESTORE), HBMMENU_MBAR_RESTORE, false},
                    {5, static_cast<UINT>(SC_CLOSE), HBMMENU_MBAR_CLOSE, false}};
  for (const Row& r : rows) {
    const BarItemInfo got = ItemInfo(bar_, r.position);
    EXPECT_EQ(got.id, r.id) << r.position;
    EXPECT_EQ(got.bitmap, r.bitmap) << r.position;
    EXPECT_EQ(got.rightJustified, r.rightJustified) << r.position;
  }
  // Close sits at the bar's right end, the icon at its left.
  RECT frameClient;
  GetClientRect(frame_, &frameClient);
  MapWindowPoints(frame_, nullptr, reinterpret_cast<LPPOINT>(&frameClient), 2);
  EXPECT_EQ(BarItem(5).right, frameClient.right);
  EXPECT_EQ(BarItem(0).left, frameClient.left);
  EXPECT_EQ(BarItem(0).bottom, frameClient.top);
  // Another document activated takes the maximised state and the buttons.
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents_[0]), 0);
  EXPECT_EQ(GetMenuItemCount(bar_), 6);
  EXPECT_EQ(ItemInfo(bar_, 0).submenu, GetSystemMenu(documents_[0], FALSE));
  // Restored: the bar is as it was, the document keeps its window menu.
  SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(documents_[0]), 0);
  EXPECT_EQ(GetMenuItemCount(bar_), 2);
  EXPECT_TRUE(IsMenu(GetSystemMenu(documents_[0], FALSE)));
}

TEST_F(MdiMaximisedTest, ClicksOnTheButtonsAndTheIcon) {
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(documents_[2]), 0);
  uitest::RunUntilIdle();
  auto click = [&](int position) {
    const RECT r = BarItem(position);
    uitest::ClickScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    uitest::RunUntilIdle();
  };
  // Restore: the document steps back to its own size; the buttons go.
  click(4);
  BOOL maximized = TRUE;
  EXPECT_EQ(Active(&maximized), documents_[2]);
  EXPECT_FALSE(maximized);
  EXPECT_EQ(GetMenuItemCount(bar_), 2);
  EXPECT_EQ(frameCommands, std::vector<UINT>{static_cast<UINT>(SC_RESTORE)}) << "a command of the frame's bar";
  // Close: the document closes; the next one is maximised in its place.
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(documents_[2]), 0);
  uitest::RunUntilIdle();
  click(5);
  EXPECT_FALSE(IsWindow(documents_[2]));
  const HWND next = Active(&maximized);
  ASSERT_NE(next, nullptr);
  EXPECT_TRUE(maximized) << "the maximised state passes to the next document";
  EXPECT_EQ(ItemInfo(bar_, 0).submenu, GetSystemMenu(next, FALSE));
  // The icon opens the document's window menu; its Close (C) closes it.
  static HWND heardInit = nullptr;
  heardInit = nullptr;
  user::SetMenuLoopHook(
      [](HWND popup, void*) {
        heardInit = popup;
        PostMessageW(popup, WM_CHAR, u'c', 0);
      },
      nullptr);
  click(0);
  EXPECT_NE(heardInit, nullptr) << "the window menu opened";
  EXPECT_FALSE(IsWindow(next)) << "its Close closed the document, not the frame";
  EXPECT_TRUE(IsWindow(frame_));
  // Minimize: a document steps back to its normal size.
  const HWND last = Active(&maximized);
  ASSERT_NE(last, nullptr);
  EXPECT_TRUE(maximized);
  click(3);
  Active(&maximized);
  EXPECT_FALSE(maximized);
  EXPECT_EQ(GetMenuItemCount(bar_), 2);
  // The last document closed while maximised leaves the bar as it was.
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(last), 0);
  SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(last), 0);
  EXPECT_EQ(Active(), nullptr);
  EXPECT_EQ(GetMenuItemCount(bar_), 2);
}

TEST_F(MdiMaximisedTest, TheClientsScrollBarsShowOnlyHowFarDocumentsReachPastIt) {
  EXPECT_FALSE(HasBar(client_, WS_HSCROLL)) << "three cascaded documents lie inside";
  EXPECT_FALSE(HasBar(client_, WS_VSCROLL));
  RECT area;
  GetClientRect(client_, &area);
  // One document pushed past the right edge: a horizontal bar over the reach.
  SetWindowPos(documents_[0], nullptr, area.right - 60, 10, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(HasBar(client_, WS_HSCROLL));
  EXPECT_FALSE(HasBar(client_, WS_VSCROLL));
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(client_, SB_HORZ, &si));
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, area.right - 60 + 200 - 1);
  // Scrolled to the right end, the document comes into sight and the others
  // now lie past the left edge; scrolled back, all are where they were.
  SendMessageW(client_, WM_HSCROLL, SB_RIGHT, 0);
  RECT doc, client;
  GetWindowRect(documents_[0], &doc);
  GetClientRect(client_, &client);
  MapWindowPoints(nullptr, client_, reinterpret_cast<LPPOINT>(&doc), 2);
  EXPECT_EQ(doc.right, client.right) << "scrolling moves the documents";
  EXPECT_TRUE(HasBar(client_, WS_HSCROLL));
  ASSERT_TRUE(GetScrollInfo(client_, SB_HORZ, &si));
  EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1) << "at the right end";
  // Back at the left end the leftmost document starts at the client's edge.
  SendMessageW(client_, WM_HSCROLL, SB_LEFT, 0);
  LONG leftmost = area.right;
  for (HWND d : documents_) {
    GetWindowRect(d, &doc);
    MapWindowPoints(nullptr, client_, reinterpret_cast<LPPOINT>(&doc), 2);
    leftmost = std::min(leftmost, doc.left);
  }
  EXPECT_EQ(leftmost, 0);
  // Pushed past the bottom too, then maximised: no bars around a maximised document.
  GetClientRect(client_, &area);
  SetWindowPos(documents_[1], nullptr, 10, area.bottom - 30, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(HasBar(client_, WS_VSCROLL));
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Active()), 0);
  EXPECT_FALSE(HasBar(client_, WS_HSCROLL));
  EXPECT_FALSE(HasBar(client_, WS_VSCROLL));
  RECT full, document;
  GetClientRect(client_, &full);
  GetClientRect(Active(), &document);
  EXPECT_EQ(document.right, full.right) << "the maximised document fills the client, bars and all";
  // Restored, the bar comes back; the document back inside, it goes.
  SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(Active()), 0);
  EXPECT_TRUE(HasBar(client_, WS_VSCROLL));
  SetWindowPos(documents_[1], nullptr, 10, 10, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(HasBar(client_, WS_VSCROLL));
}

TEST_F(MdiMaximisedTest, Picture) {
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(documents_[1]), 0);
  uitest::RunUntilIdle();
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(uitest::SaveWindowPng(frame_, folder + "/mdi_maximised_bar.png"));
  // The close button's glyph is drawn at the bar's right end.
  const RECT close = BarItem(5);
  RECT window;
  GetWindowRect(frame_, &window);
  const uitest::Picture p = uitest::CaptureWindow(frame_);
  int glyph = 0;
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  for (int y = close.top; y < close.bottom; ++y)
    for (int x = close.left; x < close.right; ++x) {
      const uint32_t rgb = p.At(x - window.left, y - window.top);
      glyph += RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF) == text;
    }
  EXPECT_GT(glyph, 6) << "the close button's cross";
}

}  // namespace
