// Menus: building and reading them, templates, accelerators, and popup
// tracking through the nested loop (keys posted before the loop runs).
#include <gtest/gtest.h>

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

void AltChord(int key) {
  user::DeviceKey(VK_MENU, true);
  Tap(key);
  user::DeviceKey(VK_MENU, false);
}

LRESULT OwnerProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      seen.push_back(MessageName(message));
      return 0;
    case WM_MENUSELECT:
      seen.push_back("WM_MENUSELECT " + std::to_string(LOWORD(wParam)) +
                     (HIWORD(wParam) == 0xFFFF ? " closed" : "/" + std::to_string(HIWORD(wParam))));
      return 0;
    case WM_COMMAND:
      seen.push_back("WM_COMMAND " + std::to_string(LOWORD(wParam)));
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU) seen.push_back("SC_KEYMENU " + std::to_string(lParam));
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_MENUCHAR:
      seen.push_back("WM_MENUCHAR " + std::to_string(LOWORD(wParam)));
      return 0;
    case WM_ENTERIDLE:
      if (wParam == MSGF_MENU) menutest::TakeNextStep(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (m->CtlType != ODT_MENU) return FALSE;
      m->itemWidth = 110;
      m->itemHeight = 22;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (d->CtlType != ODT_MENU) return FALSE;
      // A colour swatch and its name: the item data is the colour.
      FillRect(d->hDC, &d->rcItem, GetSysColorBrush((d->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_MENU));
      RECT swatch{d->rcItem.left + 4, d->rcItem.top + 4, d->rcItem.left + 30, d->rcItem.bottom - 4};
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(d->itemData));
      FillRect(d->hDC, &swatch, brush);
      DeleteObject(brush);
      RECT text = d->rcItem;
      text.left += 36;
      SetBkMode(d->hDC, TRANSPARENT);
      SetTextColor(d->hDC, GetSysColor((d->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
      const std::u16string name = d->itemID == 501 ? u"Red" : d->itemID == 502 ? u"Green" : u"Blue";
      DrawTextW(d->hDC, name.c_str(), static_cast<int>(name.size()), &text, DT_SINGLELINE | DT_VCENTER);
      return TRUE;
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

HWND MakeOwner() {
  seen.clear();
  return uitest::CreateTestWindow({u"TavMenuTestOwner", OwnerProc, COLOR_WINDOW}, u"Menus",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 360, 240);
}

TEST(Menus, BuildingAndReading) {
  HMENU popup = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(popup, MF_STRING, 10, u"&Open"));
  ASSERT_TRUE(AppendMenuW(popup, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenuW(popup, MF_STRING | MF_GRAYED, 11, u"&Save"));
  ASSERT_TRUE(InsertMenuW(popup, 0, MF_BYPOSITION | MF_STRING | MF_CHECKED, 9, u"&New"));
  HMENU bar = CreateMenu();
  ASSERT_TRUE(AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), u"&File"));
  struct Row {
    const char* what;
    int value;
    int expected;
  } const rows[] = {
      {"count", GetMenuItemCount(popup), 4},
      {"first id", static_cast<int>(GetMenuItemID(popup, 0)), 9},
      {"a popup has no id", static_cast<int>(GetMenuItemID(bar, 0)), -1},
      {"checked", static_cast<int>(GetMenuState(popup, 9, MF_BYCOMMAND) & MF_CHECKED), static_cast<int>(MF_CHECKED)},
      {"grayed", static_cast<int>(GetMenuState(bar, 11, MF_BYCOMMAND) & MF_GRAYED), static_cast<int>(MF_GRAYED)},
      {"separator", static_cast<int>(GetMenuState(popup, 2, MF_BYPOSITION) & MF_SEPARATOR), static_cast<int>(MF_SEPARATOR)},
      {"no such item", static_cast<int>(GetMenuState(popup, 77, MF_BYCOMMAND)), -1},
      {"previous check state", static_cast<int>(CheckMenuItem(popup, 10, MF_CHECKED)), static_cast<int>(MF_UNCHECKED)},
      {"length asked with size 0", GetMenuStringW(popup, 10, nullptr, 0, MF_BYCOMMAND), 5},
  };
  for (const Row& r : rows) EXPECT_EQ(r.value, r.expected) << r.what;
  EXPECT_EQ(GetSubMenu(bar, 0), popup);
  // Menu strings never run past the buffer and always end in a zero.
  WCHAR text[4] = {u'#', u'#', u'#', u'#'};
  EXPECT_EQ(GetMenuStringW(popup, 10, text, 3, MF_BYCOMMAND), 2);
  EXPECT_EQ(std::u16string(text), u"&O");
  EXPECT_EQ(text[3], u'#');
  char narrow[3] = {'#', '#', '#'};
  EXPECT_EQ(GetMenuStringA(popup, 10, narrow, 2, MF_BYCOMMAND), 1);
  EXPECT_STREQ(narrow, "&");
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_ID;
  info.dwTypeData = text;
  info.cch = 4;
  ASSERT_TRUE(GetMenuItemInfoW(popup, 0, TRUE, &info));
  EXPECT_EQ(std::u16string(text), u"&Ne");
  EXPECT_EQ(info.cch, 4u) << "the length of the whole text";
  info.cbSize = 3;
  EXPECT_FALSE(GetMenuItemInfoW(popup, 0, TRUE, &info)) << "a wrong structure size";
  EXPECT_TRUE(DeleteMenu(bar, 0, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(popup)) << "DeleteMenu destroys the submenu";
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(DestroyMenu(bar)) << "a dead handle";
  EXPECT_EQ(GetMenuItemCount(bar), -1);
  EXPECT_FALSE(AppendMenuW(reinterpret_cast<HMENU>(0x1234), MF_STRING, 1, u"x"));
}

TEST(Menus, FromTheResourceTemplate) {
  HMENU menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(200));  // resource_test.rc
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  HMENU file = GetSubMenu(menu, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 4);
  WCHAR text[32];
  GetMenuStringW(file, 10, text, 32, MF_BYCOMMAND);
  EXPECT_EQ(std::u16string(text), u"&Open...\tCtrl+O");
  EXPECT_NE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_NE(GetMenuState(menu, 11, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(menu, 12, MF_BYCOMMAND) & MF_GRAYED, 0u);
  DestroyMenu(menu);
  EXPECT_EQ(LoadMenuW(nullptr, MAKEINTRESOURCEW(4242)), nullptr);
  // A template inside a registered resource is read within it: a popup whose
  // text runs to the end of the resource is refused, not read past.
  static const BYTE truncated[] = {0, 0, 0, 0, 0x10, 0, 'A', 0};
  static const ModuleResource table[] = {{4, 4300, truncated}};
  const ModuleResourceRegistration registration(CurrentModuleHandle(), table);
  EXPECT_EQ(LoadMenuIndirectW(truncated), nullptr);
  EXPECT_EQ(LoadMenuW(nullptr, MAKEINTRESOURCEW(4300)), nullptr);
}

TEST(Accelerators, LoadCopyAndTranslate) {
  HACCEL table = LoadAcceleratorsW(nullptr, MAKEINTRESOURCEW(202));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 5);
  ACCEL two[2] = {};
  EXPECT_EQ(CopyAcceleratorTableW(table, two, 2), 2) << "at most the given count";
  EXPECT_EQ(two[0].cmd, 10);
  const HWND owner = MakeOwner();
  struct Row {
    const char* what;
    UINT message;
    WPARAM key;
    bool control, shift;
    int translated;
    const char* command;
  } const rows[] = {
      {"Ctrl+O", WM_KEYDOWN, 'O', true, false, 1, "WM_COMMAND 10"},
      {"O alone", WM_KEYDOWN, 'O', false, false, 0, ""},
      {"F1", WM_KEYDOWN, VK_F1, false, false, 1, "WM_COMMAND 14"},
      {"Shift+Delete", WM_KEYDOWN, VK_DELETE, false, true, 1, "WM_COMMAND 41"},
      {"Ctrl+Shift+O is not Ctrl+O", WM_KEYDOWN, 'O', true, true, 0, ""},
      {"the character a", WM_CHAR, 'a', false, false, 1, "WM_COMMAND 40"},
  };
  for (const Row& r : rows) {
    seen.clear();
    if (r.control) uitest::KeyDown(VK_CONTROL);
    if (r.shift) uitest::KeyDown(VK_SHIFT);
    MSG pump;
    while (PeekMessageW(&pump, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pump);  // key state as of the last message
    MSG msg{owner, r.message, r.key, 0, 0, {}};
    EXPECT_EQ(TranslateAcceleratorW(owner, table, &msg), r.translated) << r.what;
    EXPECT_EQ(seen.empty() ? std::string() : seen.back(), r.command) << r.what;
    if (r.shift) uitest::KeyUp(VK_SHIFT);
    if (r.control) uitest::KeyUp(VK_CONTROL);
    uitest::RunUntilIdle();
  }
  EXPECT_TRUE(DestroyAcceleratorTable(table));
  EXPECT_FALSE(DestroyAcceleratorTable(table));
  MSG msg{owner, WM_KEYDOWN, 'O', 0, 0, {}};
  EXPECT_EQ(TranslateAcceleratorW(owner, table, &msg), 0) << "a dead table";
  EXPECT_EQ(CreateAcceleratorTableW(nullptr, 3), nullptr);
  DestroyWindow(owner);
}

TEST(Menus, TrackPopupMenuWithKeys) {
  const HWND owner = MakeOwner();
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, 21, u"&Cut");
  AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(popup, MF_STRING | MF_GRAYED, 22, u"C&opy");
  AppendMenuW(popup, MF_STRING, 23, u"&Paste");
  struct Case {
    const char* what;
    std::vector<std::pair<UINT, WPARAM>> keys;
    BOOL result;
  } const cases[] = {
      {"down twice skips the separator and stops on the grayed item; down again, Enter", {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}}, 23},
      {"Esc chooses nothing", {{WM_KEYDOWN, VK_ESCAPE}}, 0},
      {"a mnemonic chooses", {{WM_CHAR, 'p'}}, 23},
      {"a grayed item's mnemonic does not", {{WM_CHAR, 'o'}, {WM_KEYDOWN, VK_ESCAPE}}, 0},
  };
  for (const Case& c : cases) {
    seen.clear();
    for (const auto& [message, key] : c.keys) PostMessageW(owner, message, key, 0);
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN, 50, 50, 0, owner, nullptr), c.result) << c.what;
  }
  // The last case's sequence, as the owner saw it.
  const std::vector<std::string> expected = {"WM_ENTERMENULOOP", "WM_INITMENUPOPUP", "WM_EXITMENULOOP"};
  std::vector<std::string> main;
  for (const std::string& s : seen)
    if (s.rfind("WM_MENUSELECT", 0) != 0) main.push_back(s);
  EXPECT_EQ(main, expected);
  seen.clear();
  PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(owner, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(TrackPopupMenu(popup, 0, 50, 50, 0, owner, nullptr));
  uitest::RunUntilIdle();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), "WM_COMMAND 21") << "without TPM_RETURNCMD the choice is posted";
  EXPECT_NE(std::find(seen.begin(), seen.end(), "WM_MENUSELECT 21/128"), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "WM_MENUSELECT 0 closed"), seen.end());
  EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x4321), TPM_RETURNCMD, 0, 0, 0, owner, nullptr));
  DestroyMenu(popup);
  DestroyWindow(owner);
}

// The menu bar from the keyboard: Alt or F10 alone selects the first item
// (WM_SYSKEYUP -> WM_SYSCOMMAND SC_KEYMENU 0), Alt with a mnemonic opens its
// item (WM_SYSCHAR -> SC_KEYMENU with the character); arrows move, Enter,
// Down or Up open a popup (its first item selected), Esc goes back a level.
// Rows from the WM_SYSKEYUP, WM_SYSCHAR, WM_SYSCOMMAND, WM_INITMENUPOPUP
// and WM_MENUSELECT pages of the public documentation.
TEST(Menus, KeyboardReachesTheMenuBar) {
  const HWND owner = MakeOwner();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 101, u"&New");
  AppendMenuW(file, MF_STRING, 102, u"&Open");
  HMENU edit = CreatePopupMenu();
  AppendMenuW(edit, MF_STRING, 201, u"&Cut");
  AppendMenuW(edit, MF_STRING, 202, u"C&opy");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), u"&Edit");
  AppendMenuW(bar, MF_STRING, 300, u"&Help");
  ASSERT_TRUE(SetMenu(owner, bar));
  SetForegroundWindow(owner);
  SetFocus(owner);
  uitest::RunUntilIdle();
  using Steps = std::vector<std::function<void()>>;
  auto tap = [](int key) { return [key] { Tap(key); }; };
  auto chord = [](int key) { return [key] { AltChord(key); }; };
  auto ch = [](char16_t c) { return [c] { user::DeviceChar(c); }; };
  const std::string popup = std::to_string(MF_POPUP | MF_HILITE);
  struct Case {
    const char* what;
    Steps steps;  // the first starts the menu, each other one waits for the loop to be idle
    std::vector<std::string> expected;
  } const cases[] = {
      {"Alt alone selects File; Esc leaves",
       {tap(VK_MENU), tap(VK_ESCAPE)},
       {"SC_KEYMENU 0", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 0/" + popup, "WM_MENUSELECT 0 closed",
        "WM_EXITMENULOOP"}},
      {"F10, Right, Enter opens Edit with Cut selected; Enter chooses",
       {tap(VK_F10), tap(VK_RIGHT), tap(VK_RETURN), tap(VK_RETURN)},
       {"SC_KEYMENU 0", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 0/" + popup, "WM_MENUSELECT 1/" + popup,
        "WM_INITMENUPOPUP", "WM_MENUSELECT 201/128", "WM_MENUSELECT 0 closed", "WM_EXITMENULOOP", "WM_COMMAND 201"}},
      {"Alt, Down opens File; Right moves to Edit open; Down, Enter",
       {tap(VK_MENU), tap(VK_DOWN), tap(VK_RIGHT), tap(VK_DOWN), tap(VK_RETURN)},
       {"SC_KEYMENU 0", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 0/" + popup, "WM_INITMENUPOPUP",
        "WM_MENUSELECT 101/128", "WM_MENUSELECT 1/" + popup, "WM_INITMENUPOPUP", "WM_MENUSELECT 201/128",
        "WM_MENUSELECT 202/128", "WM_MENUSELECT 0 closed", "WM_EXITMENULOOP", "WM_COMMAND 202"}},
      {"Alt+E opens Edit; a mnemonic there chooses",
       {chord('E'), ch(u'o')},
       {"SC_KEYMENU 101", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 1/" + popup, "WM_INITMENUPOPUP",
        "WM_MENUSELECT 201/128", "WM_MENUSELECT 202/128", "WM_MENUSELECT 0 closed", "WM_EXITMENULOOP",
        "WM_COMMAND 202"}},
      {"Esc in a popup goes back to its bar item; Right then only selects",
       {tap(VK_MENU), tap(VK_DOWN), tap(VK_ESCAPE), tap(VK_RIGHT), tap(VK_ESCAPE)},
       {"SC_KEYMENU 0", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 0/" + popup, "WM_INITMENUPOPUP",
        "WM_MENUSELECT 101/128", "WM_MENUSELECT 1/" + popup, "WM_MENUSELECT 0 closed", "WM_EXITMENULOOP"}},
      {"Left from the first item wraps to Help; Enter chooses the bar's command",
       {tap(VK_F10), tap(VK_LEFT), tap(VK_RETURN)},
       {"SC_KEYMENU 0", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 0/" + popup, "WM_MENUSELECT 300/128",
        "WM_MENUSELECT 0 closed", "WM_EXITMENULOOP", "WM_COMMAND 300"}},
      {"on the bar a plain mnemonic chooses too",
       {tap(VK_MENU), ch(u'h')},
       {"SC_KEYMENU 0", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 0/" + popup, "WM_MENUSELECT 300/128",
        "WM_MENUSELECT 0 closed", "WM_EXITMENULOOP", "WM_COMMAND 300"}},
      {"Alt+X matches nothing: the owner is asked, no menu opens", {chord('X')}, {"SC_KEYMENU 120", "WM_MENUCHAR 120"}},
      {"Alt with another key between press and release is no menu key", {chord(VK_SHIFT)}, {}},
      {"Alt again leaves the bar", {tap(VK_MENU), tap(VK_MENU)},
       {"SC_KEYMENU 0", "WM_ENTERMENULOOP", "WM_INITMENU", "WM_MENUSELECT 0/" + popup, "WM_MENUSELECT 0 closed",
        "WM_EXITMENULOOP"}},
  };
  for (const Case& c : cases) {
    seen.clear();
    stuck = 0;
    script.clear();
    for (size_t i = 1; i < c.steps.size(); ++i) {
      const std::function<void()> step = c.steps[i];
      script.push_back([step](HWND) { step(); });
    }
    c.steps.front()();
    uitest::RunUntilIdle();
    std::vector<std::string> got;
    for (const std::string& s : seen)
      if (s != "WM_MENUSELECT 0 closed" || got.empty() || got.back() != s) got.push_back(s);
    EXPECT_EQ(got, c.expected) << c.what;
    EXPECT_EQ(stuck, 0) << c.what << ": the menu was still waiting when the keys ran out";
    EXPECT_TRUE(script.empty()) << c.what;
  }
  script.clear();
  DestroyWindow(owner);
  DestroyMenu(bar);
}

// The pointer over a popup highlights the item under it (WM_MENUSELECT, and
// the item drawn in the highlight colour); separators and grayed items are
// passed over as the documentation's menus do.
TEST(Menus, PointerOverAPopupHighlightsItsItems) {
  const HWND owner = MakeOwner();
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, 41, u"&One");
  AppendMenuW(popup, MF_STRING, 42, u"&Two");
  AppendMenuW(popup, MF_STRING, 43, u"T&hree");
  uitest::RunUntilIdle();
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), plain = GetSysColor(COLOR_MENU);
  // Items are laid out in equal rows under a 2-pixel edge.
  auto rowCentre = [](HWND w, int row) {
    RECT r{};
    GetClientRect(w, &r);
    const int h = (r.bottom - 4) / 3;
    return POINT{r.right / 2, 2 + h * row + h / 2};
  };
  auto rowPixel = [](HWND w, int row) {
    RECT r{};
    GetClientRect(w, &r);
    const int h = (r.bottom - 4) / 3;
    return uitest::ClientPixel(w, r.right - 6, 2 + h * row + 2);
  };
  const int rows[] = {1, 0, 2, 1};
  std::vector<std::vector<COLORREF>> colours;
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  script.clear();
  stuck = 0;
  // Each time the menu waits: look at the rows (after the first move), then
  // move on, or leave with Esc after the last.
  auto look = [&](HWND w) {
    colours.push_back({rowPixel(w, 0), rowPixel(w, 1), rowPixel(w, 2)});
    if (colours.size() == 1) uitest::SaveScreenPng(folder + "/menu_popup_hover.png");
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    const int row = rows[i];
    script.push_back([&, row, i](HWND w) {
      if (i > 0) look(w);
      POINT p = rowCentre(w, row);
      ClientToScreen(w, &p);
      user::DeviceMouseMove(p);
    });
  }
  script.push_back([&](HWND w) {
    look(w);
    Tap(VK_ESCAPE);
  });
  seen.clear();
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 60, 60, 0, owner, nullptr), 0);
  std::vector<std::string> selects;
  for (const std::string& s : seen)
    if (s.rfind("WM_MENUSELECT", 0) == 0) selects.push_back(s);
  const std::vector<std::string> expected = {"WM_MENUSELECT 42/128", "WM_MENUSELECT 41/128", "WM_MENUSELECT 43/128",
                                             "WM_MENUSELECT 42/128", "WM_MENUSELECT 0 closed"};
  EXPECT_EQ(selects, expected);
  ASSERT_EQ(colours.size(), std::size(rows));
  for (size_t i = 0; i < colours.size(); ++i)
    for (int row = 0; row < 3; ++row)
      EXPECT_EQ(colours[i][static_cast<size_t>(row)], row == rows[i] ? highlight : plain)
          << "move " << i << " row " << row;
  EXPECT_EQ(stuck, 0);
  script.clear();
  DestroyMenu(popup);
  DestroyWindow(owner);
}

TEST(Menus, PictureOfAMenuBarWithAnOpenOwnerDrawnPopup) {
  const HWND owner = MakeOwner();
  HMENU colours = CreatePopupMenu();
  AppendMenuW(colours, MF_OWNERDRAW, 501, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(RGB(220, 0, 0))));
  AppendMenuW(colours, MF_OWNERDRAW, 502, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(RGB(0, 160, 0))));
  AppendMenuW(colours, MF_OWNERDRAW, 503, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(RGB(0, 0, 220))));
  HMENU edit = CreatePopupMenu();
  AppendMenuW(edit, MF_STRING | MF_CHECKED, 601, u"&Grid\tCtrl+G");
  AppendMenuW(edit, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(edit, MF_POPUP, reinterpret_cast<UINT_PTR>(colours), u"&Colour");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), u"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), u"&Edit");
  AppendMenuW(bar, MF_STRING, 700, u"&Help");
  ASSERT_TRUE(SetMenu(owner, bar));
  EXPECT_EQ(GetMenu(owner), bar);
  uitest::RunUntilIdle();
  // Open Edit from the bar, then its Colour submenu; the picture is taken
  // with both open (Colour highlighted), then Esc closes each.
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  static std::string path;
  path = folder + "/menu_bar_popup.png";
  static bool saved = false;
  saved = false;
  user::SetMenuLoopHook(
      [](HWND popup, void*) {
        // The first popup (Edit): move to Colour and open it.
        PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
        user::SetMenuLoopHook(
            [](HWND submenu, void*) {
              // Both popups are open and painted.
              user::SetMenuLoopHook(nullptr, nullptr);
              saved = uitest::SaveScreenPng(path);
              // Esc closes Colour, then Edit (its bar item stays selected),
              // then leaves the bar.
              const HWND owner = GetWindow(submenu, GW_OWNER);
              for (int i = 0; i < 3; ++i) PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 0);
            },
            nullptr);
      },
      nullptr);
  RECT window;
  GetWindowRect(owner, &window);
  RECT client;
  GetClientRect(owner, &client);
  POINT origin{0, 0};
  ClientToScreen(owner, &origin);
  // The Edit item of the bar, just above the client area.
  uitest::ClickScreen(POINT{origin.x + 50, origin.y - 8});
  EXPECT_TRUE(saved);
  EXPECT_NE(std::find(seen.begin(), seen.end(), "WM_INITMENU"), seen.end());
  int popups = 0;
  for (const std::string& s : seen) popups += s == "WM_INITMENUPOPUP";
  EXPECT_EQ(popups, 2) << "Edit, then Colour";
  DestroyWindow(owner);
  DestroyMenu(bar);
}

}  // namespace
