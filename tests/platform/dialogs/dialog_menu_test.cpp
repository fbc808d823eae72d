// Dialogs with a menu bar: the template's menu (by number or by name, in the
// template or in the DLGMENU record beside a dialog resource) is loaded for
// the dialog, sized into its frame, and its commands reach the dialog
// procedure; bad records fail the creation cleanly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"

namespace {

std::vector<int> commands;  // WM_COMMAND ids the dialog procedure heard

INT_PTR RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) {
    commands.push_back(LOWORD(wParam));
    // Help (1102), OK and Cancel end the dialog.
    if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK || LOWORD(wParam) == 1102) EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

std::u16string MenuText(HMENU menu, int position) {
  WCHAR text[32] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 32, MF_BYPOSITION);
  return text;
}

// Client sizes in dialog units of the template (160 x 80).
SIZE TemplateClient(HWND dialog) {
  RECT units{0, 0, 160, 80};
  MapDialogRect(dialog, &units);
  return SIZE{units.right, units.bottom};
}

TEST(DialogMenu, TheMenuNamedBesideTheTemplateIsTheDialogsBar) {
  struct Row {
    const char* what;
    int dialog;
    int items;
    std::u16string first;
  } const rows[] = {
      {"a record naming the menu by number", 1010, 2, u"&File"},
      {"a record naming the menu by name", 1011, 1, u"&Tools"},
      {"no record: no menu", 1012, -1, u""},
  };
  for (const Row& r : rows) {
    const HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(static_cast<WORD>(r.dialog)), nullptr,
                                           RecordingProc, 0);
    ASSERT_NE(dialog, nullptr) << r.what;
    const HMENU menu = GetMenu(dialog);
    EXPECT_EQ(GetMenuItemCount(menu), r.items) << r.what;
    if (r.items > 0) {
      EXPECT_EQ(MenuText(menu, 0), r.first) << r.what;
    }
    // The frame holds the bar: the client area is the template's size either way.
    RECT client;
    GetClientRect(dialog, &client);
    const SIZE expected = TemplateClient(dialog);
    EXPECT_EQ(client.right, expected.cx) << r.what;
    EXPECT_EQ(client.bottom, expected.cy) << r.what;
    DestroyWindow(dialog);
    if (menu) {
      EXPECT_FALSE(IsMenu(menu)) << r.what << ": the dialog's menu goes with it";
    }
  }
}

TEST(DialogMenu, MenuCommandsReachTheDialogProcedure) {
  commands.clear();
  const HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(1010), nullptr, RecordingProc, 0);
  ASSERT_NE(dialog, nullptr);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  uitest::RunUntilIdle();
  // Alt+F opens File (WM_SYSCOMMAND SC_KEYMENU with the character); x is
  // Exit's mnemonic there.
  PostMessageW(dialog, WM_SYSCOMMAND, SC_KEYMENU, u'f');
  PostMessageW(dialog, WM_CHAR, u'x', 0);
  uitest::RunUntilIdle();
  const std::vector<int> expected = {IDCANCEL};
  EXPECT_EQ(commands, expected);
  DestroyWindow(dialog);
}

TEST(DialogMenu, ModalDialogsWithAMenuToo) {
  commands.clear();
  static bool hadMenu = false;
  hadMenu = false;
  // Once the modal loop runs: Alt+H chooses the bar's Help, which ends it.
  user::SetModalDialogHook(
      [](HWND dialog, void*) {
        hadMenu = GetMenu(dialog) != nullptr;
        PostMessageW(dialog, WM_SYSCOMMAND, SC_KEYMENU, u'h');
      },
      nullptr);
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(1010), nullptr, RecordingProc, 0), 1102);
  EXPECT_TRUE(hadMenu);
  const std::vector<int> expected = {1102};
  EXPECT_EQ(commands, expected);
}

// A template built in memory names its menu in the template itself:
// 0xFFFF and the menu's number after the header (the standard layout).
TEST(DialogMenu, AMenuInTheTemplateItself) {
  alignas(4) const WORD bytes[] = {
      0x0000, 0x90C0,  // style: WS_POPUP | WS_CAPTION | WS_SYSMENU (low word first)
      0, 0,            // extended style
      0,               // no items
      0, 0, 160, 80,   // x, y, cx, cy
      0xFFFF, 1100,    // the menu
      0,               // the dialog class
      0,               // no title
  };
  const HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes), nullptr,
                                                 RecordingProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetMenuItemCount(GetMenu(dialog)), 2);
  DestroyWindow(dialog);
}

// Records that name no loadable menu, or are malformed, fail the dialog's
// creation with an error instead of making a dialog without its menu.
TEST(DialogMenu, BadMenuRecordsFailTheCreation) {
  alignas(4) static const WORD dialogBytes[] = {0x0000, 0x90C0, 0, 0, 0, 0, 0, 160, 80, 0, 0, 0};
  alignas(4) static const BYTE noSuchMenu[] = {0x39, 0x30};          // 12345
  alignas(4) static const BYTE zero[] = {0, 0};                      // ordinal 0
  alignas(4) static const BYTE odd[] = {'A', 0, 0};                  // an odd size
  alignas(4) static const BYTE unterminated[] = {'A', 0, 'B', 0};    // no zero
  alignas(4) static const BYTE trailing[] = {'A', 0, 0, 0, 'B', 0};  // bytes after the zero
  struct Row {
    const char* what;
    std::span<const BYTE> record;
  } const rows[] = {
      {"a menu that does not exist", noSuchMenu}, {"ordinal 0", zero},           {"an odd size", odd},
      {"a name without its zero", unterminated},  {"bytes after the name", trailing},
  };
  const std::span<const BYTE> dialog(reinterpret_cast<const BYTE*>(dialogBytes), sizeof dialogBytes);
  for (const Row& r : rows) {
    const ModuleResource table[] = {{5, 4400, dialog}, {"DLGMENU", 4400, r.record}};
    const ModuleResourceRegistration registration(CurrentModuleHandle(), table);
    SetLastError(0);
    EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(4400), nullptr, RecordingProc, 0), nullptr) << r.what;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << r.what;
  }
}

}  // namespace
