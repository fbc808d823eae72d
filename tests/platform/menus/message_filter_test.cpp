// WH_MSGFILTER: the modal loops of dialogs, message boxes and menus hand each
// message they read to the thread's filters first (with their MSGF_ code); a
// filter that answers non-zero takes the message away from the loop. Hook
// handles live in the one handle table.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/kernel/handle_table.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/template_writer.h"
#include "platform/win.h"

namespace {

struct Filtered {
  std::vector<std::pair<int, UINT>> seen;  // (code, message) of key-downs
  WPARAM eat = 0;                          // a key-down of this key is taken
  HHOOK hook = nullptr;
};
Filtered* g_filtered = nullptr;

LRESULT FilterProc(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code >= 0 && msg->message == WM_KEYDOWN) {
    g_filtered->seen.emplace_back(code, static_cast<UINT>(msg->wParam));
    if (g_filtered->eat && msg->wParam == g_filtered->eat) return TRUE;
  }
  return CallNextHookEx(g_filtered->hook, code, wParam, lParam);
}

struct FilterScope {
  Filtered filtered;
  FilterScope() {
    g_filtered = &filtered;
    filtered.hook = SetWindowsHookExW(WH_MSGFILTER, FilterProc, nullptr, 0);
  }
  ~FilterScope() {
    UnhookWindowsHookEx(filtered.hook);
    g_filtered = nullptr;
  }
};

HWND MakeOwner() {
  return CreateWindowExW(0, u"Static", u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                         nullptr, nullptr);
}

std::vector<uint32_t> DialogWithEdit() {
  dialogs::TemplateWriter t(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 10, 10, 160, 60, u"Filter");
  t.Add(0x81, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0, 7, 7, 100, 12, 300, u"");
  t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 7, 30, 50, 14, IDOK, u"OK");
  t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 60, 30, 50, 14, IDCANCEL, u"Cancel");
  return t.words();
}

INT_PTR PlainDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

TEST(MessageFilter, DialogLoopsAskTheFilterFirstTable) {
  struct Case {
    const char* what;
    WPARAM eat;
    INT_PTR result;  // Esc cancels unless the filter takes it; then Enter is OK
  } const cases[] = {
      {"the filter looks only", 0, IDCANCEL},
      {"the filter takes Esc", VK_ESCAPE, IDOK},
  };
  const std::vector<uint32_t> words = DialogWithEdit();
  for (const Case& c : cases) {
    const HWND owner = MakeOwner();
    FilterScope scope;
    scope.filtered.eat = c.eat;
    user::SetModalDialogHook(
        [](HWND dialog, void*) {
          PostMessageW(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
          PostMessageW(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_RETURN, 0);
        },
        nullptr);
    const INT_PTR result = DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), owner,
                                                   PlainDialog, 0);
    uitest::RunUntilIdle();  // the key the dialog left unread goes with it
    EXPECT_EQ(result, c.result) << c.what;
    ASSERT_FALSE(scope.filtered.seen.empty()) << c.what;
    EXPECT_EQ(scope.filtered.seen[0], std::make_pair(static_cast<int>(MSGF_DIALOGBOX), static_cast<UINT>(VK_ESCAPE)))
        << c.what;
    DestroyWindow(owner);
  }
}

TEST(MessageFilter, MessageBoxAndMenuLoopsTellTheirCodes) {
  const HWND owner = MakeOwner();
  FilterScope scope;
  user::SetModalDialogHook([](HWND box, void*) { PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_RETURN, 0); },
                           nullptr);
  EXPECT_EQ(MessageBoxW(owner, u"Saved.", u"Label", MB_OK), IDOK);
  ASSERT_EQ(scope.filtered.seen.size(), 1u);
  EXPECT_EQ(scope.filtered.seen[0].first, static_cast<int>(MSGF_MESSAGEBOX));

  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, 21, u"&Cut");
  AppendMenuW(popup, MF_STRING, 22, u"C&opy");
  struct Case {
    const char* what;
    WPARAM eat;
    BOOL chosen;
  } const cases[] = {
      {"Down, Down, Enter: the second item", 0, 22},
      {"the filter takes Down: Enter chooses nothing selected", VK_DOWN, 0},
  };
  for (const Case& c : cases) {
    scope.filtered.seen.clear();
    scope.filtered.eat = c.eat;
    PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(owner, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 40, 40, 0, owner, nullptr), c.chosen) << c.what;
    ASSERT_EQ(scope.filtered.seen.size(), 3u) << c.what;
    for (const auto& [code, key] : scope.filtered.seen) EXPECT_EQ(code, static_cast<int>(MSGF_MENU)) << c.what;
  }
  DestroyMenu(popup);
  DestroyWindow(owner);
}

LRESULT Older(int code, WPARAM, LPARAM lParam) {
  // The older filter takes F5.
  return code >= 0 && reinterpret_cast<MSG*>(lParam)->wParam == VK_F5;
}

TEST(MessageFilter, ChainsAndHandlesFromTheOneTable) {
  MSG f5{nullptr, WM_KEYDOWN, VK_F5, 0, 0, {}}, f6{nullptr, WM_KEYDOWN, VK_F6, 0, 0, {}};
  EXPECT_FALSE(CallMsgFilterW(&f5, static_cast<int>(MSGF_DIALOGBOX))) << "no filter: nothing taken";
  const HHOOK older = SetWindowsHookExW(WH_MSGFILTER, Older, nullptr, 0);
  ASSERT_NE(older, nullptr);
  EXPECT_EQ(handles::KindOfHandle(reinterpret_cast<uintptr_t>(older)), HandleKind::Hook);
  {
    FilterScope newer;  // looks, then passes on through CallNextHookEx
    EXPECT_TRUE(CallMsgFilterW(&f5, static_cast<int>(MSGF_DIALOGBOX))) << "the older filter answers through the chain";
    EXPECT_FALSE(CallMsgFilterW(&f6, static_cast<int>(MSGF_DIALOGBOX)));
    EXPECT_EQ(newer.filtered.seen.size(), 2u) << "the newest filter runs first";
  }
  // A WH_GETMESSAGE hook is not in the filter chain.
  const HHOOK other = SetWindowsHookExW(WH_GETMESSAGE, [](int, WPARAM, LPARAM) -> LRESULT { return 1; }, nullptr, 0);
  MSG f7{nullptr, WM_KEYDOWN, VK_F7, 0, 0, {}};
  EXPECT_FALSE(CallMsgFilterW(&f7, static_cast<int>(MSGF_MENU)));
  EXPECT_TRUE(UnhookWindowsHookEx(other));
  EXPECT_TRUE(UnhookWindowsHookEx(older));
  // Unhooked handles are dead for good.
  SetLastError(0);
  EXPECT_FALSE(UnhookWindowsHookEx(older));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_HANDLE);
  EXPECT_EQ(handles::KindOfHandle(reinterpret_cast<uintptr_t>(older)), std::nullopt);
  EXPECT_EQ(CallNextHookEx(older, 0, 0, reinterpret_cast<LPARAM>(&f5)), 0);
  EXPECT_FALSE(CallMsgFilterW(&f5, static_cast<int>(MSGF_DIALOGBOX)));
  EXPECT_EQ(SetWindowsHookExW(WH_MSGFILTER, nullptr, nullptr, 0), nullptr) << "a hook needs a procedure";
}

}  // namespace
