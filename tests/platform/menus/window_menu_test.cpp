// The window menu (system menu) from Alt+Space and from the caption's icon,
// its commands as WM_SYSCOMMAND; WM_MENUCHAR for keys no item is the
// mnemonic of; and where a submenu opens beside its parent popup.
// Sequences follow the WM_SYSCHAR, WM_SYSCOMMAND, WM_INITMENUPOPUP,
// WM_MENUSELECT and WM_MENUCHAR pages of the public documentation.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/menus/menu_script.h"

namespace {

using menutest::script;
using menutest::seen;
using menutest::stuck;
using menutest::Tap;
LRESULT menuCharAnswer = 0;  // what the owner answers to WM_MENUCHAR

std::string Hex(WPARAM v) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(v));
  return text;
}

LRESULT OwnerProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_INITMENU: seen.push_back(MessageName(message)); return 0;
    case WM_INITMENUPOPUP:
      seen.push_back(std::string("WM_INITMENUPOPUP") + (HIWORD(lParam) ? " window menu" : ""));
      return 0;
    case WM_MENUSELECT:
      seen.push_back(HIWORD(wParam) == 0xFFFF ? "WM_MENUSELECT closed"
                                              : "WM_MENUSELECT " + Hex(LOWORD(wParam)) + "/" + Hex(HIWORD(wParam)));
      return 0;
    case WM_MENUCHAR:
      seen.push_back("WM_MENUCHAR " + std::string(1, static_cast<char>(LOWORD(wParam))) + "/" + Hex(HIWORD(wParam)));
      return menuCharAnswer;
    case WM_COMMAND: seen.push_back("WM_COMMAND " + std::to_string(LOWORD(wParam))); return 0;
    case WM_SYSCOMMAND:
      seen.push_back("WM_SYSCOMMAND " + Hex(wParam));
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_CLOSE: seen.push_back("WM_CLOSE"); return 0;  // stays open for the next row
    case WM_ENTERIDLE:
      if (wParam == MSGF_MENU) menutest::TakeNextStep(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      m->itemWidth = 80;
      m->itemHeight = 20;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      FillRect(d->hDC, &d->rcItem, GetSysColorBrush((d->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_MENU));
      return TRUE;
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

HWND MakeOwner(DWORD style = WS_OVERLAPPEDWINDOW) {
  seen.clear();
  const HWND w =
      uitest::CreateTestWindow({u"TavWindowMenuOwner", OwnerProc, COLOR_WINDOW, LoadIconA(nullptr, IDI_APPLICATION)},
                               u"Window menu", style | WS_VISIBLE, 40, 30, 360, 240);
  SetForegroundWindow(w);
  SetFocus(w);
  uitest::RunUntilIdle();
  return w;
}

// Runs `start` and then each step whenever the menu waits; returns what the
// owner saw, with repeated "closed" selections folded.
std::vector<std::string> RunMenu(const std::function<void()>& start, const std::vector<std::function<void(HWND)>>& steps) {
  seen.clear();
  stuck = 0;
  script.assign(steps.begin(), steps.end());
  start();
  uitest::RunUntilIdle();
  std::vector<std::string> got;
  for (const std::string& s : seen)
    if (s != "WM_MENUSELECT closed" || got.empty() || got.back() != s) got.push_back(s);
  EXPECT_EQ(stuck, 0) << "the menu was still waiting when the steps ran out";
  script.clear();
  return got;
}

std::string Select(WPARAM command, UINT flags) { return "WM_MENUSELECT " + Hex(command) + "/" + Hex(flags); }

void AltSpace() {
  user::DeviceKey(VK_MENU, true);
  Tap(VK_SPACE);
  user::DeviceKey(VK_MENU, false);
}

// The caption's icon, just inside the frame at the caption's left.
POINT CaptionIcon(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  const int frame = GetSystemMetrics(SM_CXFRAME);
  return POINT{r.left + frame + 8, r.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2};
}

TEST(WindowMenu, AltSpaceOpensItAndItsCommandsAreSystemCommands) {
  const HWND owner = MakeOwner();
  const UINT sys = MF_SYSMENU | MF_HILITE;
  const UINT grayed = MF_GRAYED;
  auto tap = [](int key) { return [key](HWND) { Tap(key); }; };
  auto ch = [](char16_t c) { return [c](HWND) { user::DeviceChar(c); }; };
  struct Case {
    const char* what;
    std::vector<std::function<void(HWND)>> steps;
    std::vector<std::string> expected;
  } const cases[] = {
      {"Alt+Space selects Restore (grayed: the window is not maximised); Esc closes it",
       {tap(VK_ESCAPE)},
       {"WM_SYSCOMMAND F100", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_INITMENUPOPUP window menu",
        Select(SC_RESTORE, sys | grayed), "WM_MENUSELECT closed", "WM_EXITMENULOOP"}},
      {"C is Close's mnemonic: SC_CLOSE, which DefWindowProc turns into WM_CLOSE",
       {ch(u'c')},
       {"WM_SYSCOMMAND F100", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_INITMENUPOPUP window menu",
        Select(SC_RESTORE, sys | grayed), Select(SC_CLOSE, sys), "WM_MENUSELECT closed", "WM_EXITMENULOOP",
        "WM_SYSCOMMAND F060", "WM_CLOSE"}},
      {"a key that is no mnemonic asks the owner with MF_SYSMENU; MNC_IGNORE beeps and stays",
       {ch(u'q'), tap(VK_ESCAPE)},
       {"WM_SYSCOMMAND F100", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_INITMENUPOPUP window menu",
        Select(SC_RESTORE, sys | grayed), "WM_MENUCHAR q/" + Hex(MF_POPUP | MF_SYSMENU), "WM_MENUSELECT closed",
        "WM_EXITMENULOOP"}},
      {"Up wraps round to Close, past the separator to Maximize; Enter chooses SC_MAXIMIZE",
       {tap(VK_UP), tap(VK_UP), tap(VK_RETURN)},
       {"WM_SYSCOMMAND F100", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_INITMENUPOPUP window menu",
        Select(SC_RESTORE, sys | grayed), Select(SC_CLOSE, sys), Select(SC_MAXIMIZE, sys), "WM_MENUSELECT closed",
        "WM_EXITMENULOOP", "WM_SYSCOMMAND F030"}},
  };
  for (const Case& c : cases) {
    menuCharAnswer = 0;
    EXPECT_EQ(RunMenu(AltSpace, c.steps), c.expected) << c.what;
  }
  // Maximised by the last row: now Restore is the enabled one.
  EXPECT_TRUE(IsZoomed(owner));
  const std::vector<std::string> restore = RunMenu(AltSpace, {ch(u'r')});
  ASSERT_FALSE(restore.empty());
  EXPECT_EQ(restore[4], Select(SC_RESTORE, sys)) << "Restore is enabled for a maximised window";
  EXPECT_EQ(restore.back(), "WM_SYSCOMMAND F120");
  EXPECT_FALSE(IsZoomed(owner));
  DestroyWindow(owner);
}

TEST(WindowMenu, ItsItemsFollowTheWindowsStyleAndState) {
  const HWND dialogLike = MakeOwner(WS_POPUP | WS_CAPTION | WS_SYSMENU);
  const HMENU menu = GetSystemMenu(dialogLike, FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetSystemMenu(dialogLike, FALSE), menu) << "one copy per window";
  EXPECT_EQ(GetMenuItemCount(menu), 7);
  RunMenu(AltSpace, {[](HWND) { Tap(VK_ESCAPE); }});
  struct Row {
    WPARAM command;
    bool enabled;
  } const rows[] = {{SC_RESTORE, false}, {SC_MOVE, true},  {SC_SIZE, false},
                    {SC_MINIMIZE, false}, {SC_MAXIMIZE, false}, {SC_CLOSE, true}};
  for (const Row& r : rows)
    EXPECT_EQ((GetMenuState(menu, static_cast<UINT>(r.command), MF_BYCOMMAND) & MF_GRAYED) == 0, r.enabled)
        << Hex(r.command) << " of a fixed window without boxes";
  EXPECT_EQ(GetSystemMenu(dialogLike, TRUE), nullptr) << "revert drops the copy";
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(GetSystemMenu(reinterpret_cast<HWND>(0x4321), FALSE), nullptr) << "a dead window";
  const HMENU again = GetSystemMenu(dialogLike, FALSE);
  DestroyWindow(dialogLike);
  EXPECT_FALSE(IsMenu(again)) << "the window's copy goes with the window";
}

TEST(WindowMenu, TheCaptionsIconOpensItAndADoubleClickCloses) {
  const HWND owner = MakeOwner();
  const POINT icon = CaptionIcon(owner);
  EXPECT_EQ(SendMessageW(owner, WM_NCHITTEST, 0, MAKELONG(icon.x, icon.y)), HTSYSMENU);
  const std::vector<std::string> clicked = RunMenu([&] { uitest::ClickScreen(icon); }, {[](HWND) { Tap(VK_ESCAPE); }});
  const std::vector<std::string> expected = {"WM_SYSCOMMAND " + Hex(SC_MOUSEMENU | HTSYSMENU), "WM_ENTERMENULOOP",
                                             "WM_INITMENU", "WM_INITMENUPOPUP window menu", "WM_MENUSELECT closed",
                                             "WM_EXITMENULOOP"};
  EXPECT_EQ(clicked, expected) << "a click opens it with nothing selected";
  // The popup opens below the icon: a click on its Maximize item chooses it.
  // (A second click soon after the first at the same place would be a
  // double click: this one is a few pixels away.)
  static POINT maximize;
  RunMenu([&] { uitest::ClickScreen(POINT{icon.x + 6, icon.y}); },
      {[](HWND popup) {
        RECT r;
        GetWindowRect(popup, &r);
        // Items are equal rows under a 2-pixel edge; Maximize is the fifth.
        const int row = (r.bottom - r.top - 4 - 8) / 6;
        maximize = POINT{r.left + 30, r.top + 2 + row * 4 + row / 2};
        // Device events only: the menu's own loop reads them.
        user::DeviceMouseMove(maximize);
        user::DeviceMouseButton(user::MouseButton::Left, true, maximize);
        user::DeviceMouseButton(user::MouseButton::Left, false, maximize);
      }});
  EXPECT_TRUE(IsZoomed(owner));
  ShowWindow(owner, SW_RESTORE);
  uitest::RunUntilIdle();
  // "Double-clicking the icon closes the window."
  seen.clear();
  SendMessageW(owner, WM_NCLBUTTONDBLCLK, HTSYSMENU, MAKELONG(icon.x, icon.y));
  const std::vector<std::string> doubleClick = {"WM_SYSCOMMAND F060", "WM_CLOSE"};
  EXPECT_EQ(seen, doubleClick);
  // Alt+F4 is Close too.
  seen.clear();
  user::DeviceKey(VK_MENU, true);
  Tap(VK_F1 + 3);  // F4
  user::DeviceKey(VK_MENU, false);
  uitest::RunUntilIdle();
  const std::vector<std::string> altF4 = {"WM_SYSCOMMAND F060", "WM_CLOSE"};
  EXPECT_EQ(seen, altF4);
  DestroyWindow(owner);
}

// The window menu's Move and Size reach the window without a pointer
// position (lParam 0): the arrows move or size it a step at a time, Enter
// ends; keyboard sizing moves the bottom-right corner.
TEST(WindowMenu, MoveAndSizeFromTheKeyboard) {
  const HWND owner = MakeOwner();
  RECT before, after;
  GetWindowRect(owner, &before);
  for (int key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}) Tap(key);
  SendMessageW(owner, WM_SYSCOMMAND, SC_MOVE, 0);
  GetWindowRect(owner, &after);
  EXPECT_EQ(after.left - before.left, 16);
  EXPECT_EQ(after.top - before.top, 8);
  EXPECT_EQ(after.right - after.left, before.right - before.left) << "moved, not sized";
  before = after;
  for (int key : {VK_LEFT, VK_UP, VK_UP, VK_ESCAPE}) Tap(key);
  SendMessageW(owner, WM_SYSCOMMAND, SC_SIZE, 0);
  GetWindowRect(owner, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - before.right, -8);
  EXPECT_EQ(after.bottom - before.bottom, -16);
  DestroyWindow(owner);
}

TEST(WindowMenu, Picture) {
  const HWND owner = MakeOwner();
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  static std::string path;
  path = folder + "/window_menu.png";
  static bool saved = false;
  saved = false;
  RunMenu(AltSpace, {[](HWND) { Tap(VK_DOWN); },
                 [](HWND) {
                   saved = uitest::SaveScreenPng(path);
                   Tap(VK_ESCAPE);
                 }});
  EXPECT_TRUE(saved);
  DestroyWindow(owner);
}

// WM_MENUCHAR: a popup of owner-drawn items has no mnemonics; the owner
// names the item for a key. Rows: what the owner answers, what happens.
TEST(MenuChar, TheOwnerAnswersForOwnerDrawnItems) {
  const HWND owner = MakeOwner();
  HMENU popup = CreatePopupMenu();
  for (UINT id : {51u, 52u, 53u}) AppendMenuW(popup, MF_OWNERDRAW, id, nullptr);
  struct Row {
    const char* what;
    LRESULT answer;
    std::vector<std::pair<UINT, WPARAM>> keys;
    BOOL result;
    std::string lastSelect;
  } const rows[] = {
      {"MNC_EXECUTE chooses the item named", MAKELONG(1, MNC_EXECUTE), {{WM_CHAR, 'g'}}, 52, Select(52, MF_HILITE | MF_OWNERDRAW)},
      {"MNC_SELECT only selects it; Enter then chooses", MAKELONG(2, MNC_SELECT), {{WM_CHAR, 'b'}, {WM_KEYDOWN, VK_RETURN}}, 53,
       Select(53, MF_HILITE | MF_OWNERDRAW)},
      {"MNC_CLOSE closes the menu", MAKELONG(0, MNC_CLOSE), {{WM_CHAR, 'z'}}, 0, ""},
      {"MNC_IGNORE leaves it open", MAKELONG(0, MNC_IGNORE), {{WM_CHAR, 'z'}, {WM_KEYDOWN, VK_ESCAPE}}, 0, ""},
      {"an item past the end is ignored", MAKELONG(9, MNC_EXECUTE), {{WM_CHAR, 'z'}, {WM_KEYDOWN, VK_ESCAPE}}, 0, ""},
  };
  for (const Row& r : rows) {
    seen.clear();
    menuCharAnswer = r.answer;
    for (const auto& [message, key] : r.keys) PostMessageW(owner, message, key, 0);
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 60, 60, 0, owner, nullptr), r.result) << r.what;
    std::string menuChar, lastSelect;
    for (const std::string& s : seen) {
      if (s.rfind("WM_MENUCHAR", 0) == 0) menuChar = s;
      if (s.rfind("WM_MENUSELECT", 0) == 0 && s != "WM_MENUSELECT closed") lastSelect = s;
    }
    EXPECT_EQ(menuChar.substr(0, 13), "WM_MENUCHAR " + std::string(1, static_cast<char>(r.keys[0].second))) << r.what;
    EXPECT_EQ(menuChar.substr(14), Hex(MF_POPUP)) << r.what;
    EXPECT_EQ(lastSelect, r.lastSelect) << r.what;
  }
  menuCharAnswer = 0;
  DestroyMenu(popup);
  DestroyWindow(owner);
}

// A submenu opens just right of its parent popup, whose edge stays in
// sight, with its first item level with the item that opened it; near the
// screen's right edge it opens to the left instead.
TEST(Submenu, OpensBesideItsParentsEdge) {
  const HWND owner = MakeOwner();
  HMENU inner = CreatePopupMenu();
  AppendMenuW(inner, MF_STRING, 61, u"&Inner");
  HMENU outer = CreatePopupMenu();
  AppendMenuW(outer, MF_STRING, 60, u"&First");
  AppendMenuW(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), u"&More");
  static RECT parent, child;
  static COLORREF parentEdge;
  static std::string path;
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  for (const int x : {60, GetSystemMetrics(SM_CXSCREEN) - 120}) {
    parent = child = RECT{};
    path = x == 60 ? folder + "/menu_submenu.png" : "";
    user::SetMenuLoopHook(
        [](HWND popup, void*) {
          GetWindowRect(popup, &parent);
          PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
          user::SetMenuLoopHook(
              [](HWND submenu, void*) {
                user::SetMenuLoopHook(nullptr, nullptr);
                GetWindowRect(submenu, &child);
                const uitest::Picture screen = uitest::CaptureScreen();
                // The parent's right edge: its darkest line, one pixel inside.
                const uint32_t rgb = screen.At(parent.right - 1, (parent.top + parent.bottom) / 2);
                parentEdge = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
                if (!path.empty()) uitest::SaveScreenPng(path);
                const HWND owner = GetWindow(submenu, GW_OWNER);
                for (int i = 0; i < 2; ++i) PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 0);
              },
              nullptr);
        },
        nullptr);
    EXPECT_EQ(TrackPopupMenu(outer, TPM_RETURNCMD, x, 40, 0, owner, nullptr), 0);
    ASSERT_FALSE(IsRectEmpty(&child)) << "the submenu opened";
    // Its items start 2 pixels (the edge) inside; the parent's second row
    // starts below the first.
    const int rowTop = parent.top + 2 + (parent.bottom - parent.top - 4) / 2;
    EXPECT_EQ(child.top + 2, rowTop) << "the first item is level with the item that opened it";
    if (x == 60) {
      EXPECT_EQ(child.left, parent.right) << "right of the parent, not over its edge";
      EXPECT_EQ(parentEdge, GetSysColor(COLOR_3DDKSHADOW)) << "the parent's edge stays in sight";
    } else {
      EXPECT_EQ(child.right, parent.left) << "to the left when the screen ends";
    }
  }
  DestroyMenu(outer);
  DestroyWindow(owner);
}

}  // namespace
