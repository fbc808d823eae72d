// The dialog manager's keyboard as tables: Tab order, arrows in groups,
// mnemonics, Enter and the default button, Esc; and the creation of dialogs
// from templates (dialog units, WM_SETFONT, WM_INITDIALOG, the default button).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"

namespace {

constexpr int kNavigation = 1000;
constexpr int kEdit = 101, kBold = 102, kLeft = 103, kCentre = 104, kRight = 105, kApply = 106;

// Every WM_COMMAND the dialog procedure sees from a button, as "id/code"
// (the edit control's EN_* notifications are left out).
std::vector<std::string>* commands = nullptr;

INT_PTR RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && commands && HIWORD(wParam) < EN_SETFOCUS) {
    commands->push_back(std::to_string(LOWORD(wParam)) + "/" + std::to_string(HIWORD(wParam)));
    return TRUE;
  }
  return FALSE;
}

// Reads the queue through the dialog manager, as a modeless dialog's loop does.
void Pump(HWND dialog) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void Press(HWND dialog, int key, bool shift = false, bool alt = false) {
  if (shift) uitest::KeyDown(VK_SHIFT);
  if (alt) uitest::KeyDown(VK_MENU);
  uitest::KeyDown(key);
  uitest::KeyUp(key);
  if (alt) uitest::KeyUp(VK_MENU);
  if (shift) uitest::KeyUp(VK_SHIFT);
  Pump(dialog);
}

class NavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    commands = &seen_;
    dialog_ = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kNavigation), nullptr, RecordingProc, 0);
    ASSERT_NE(dialog_, nullptr);
    Pump(dialog_);
  }
  void TearDown() override {
    DestroyWindow(dialog_);
    commands = nullptr;
  }
  int FocusId() const { return GetFocus() ? GetDlgCtrlID(GetFocus()) : 0; }
  HWND dialog_ = nullptr;
  std::vector<std::string> seen_;
};

TEST_F(NavigationTest, InitialFocusIsTheFirstTabStop) {
  // WM_INITDIALOG's wParam is the first control with WS_TABSTOP; returning TRUE focuses it.
  EXPECT_EQ(FocusId(), kEdit);
}

TEST_F(NavigationTest, TabAndShiftTabVisitTheTabStopsInOrder) {
  // Tab stops: edit, check box, the group's checked radio or its first (WS_TABSTOP), Apply, OK, Cancel;
  // the disabled button is skipped, and the order wraps.
  const int forward[] = {kBold, kLeft, kApply, IDOK, IDCANCEL, kEdit, kBold};
  for (int expected : forward) {
    Press(dialog_, VK_TAB);
    EXPECT_EQ(FocusId(), expected) << "Tab";
  }
  const int backward[] = {kEdit, IDCANCEL, IDOK, kApply};
  for (int expected : backward) {
    Press(dialog_, VK_TAB, true);
    EXPECT_EQ(FocusId(), expected) << "Shift+Tab";
  }
}

TEST_F(NavigationTest, ArrowsMoveWithinTheGroupAndCheckAutomaticRadios) {
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, kLeft)), TRUE);
  struct Row {
    int key;
    int focus;
    int checked;  // the radio that is checked afterwards
  } const rows[] = {
      {VK_DOWN, kCentre, kCentre}, {VK_RIGHT, kRight, kRight}, {VK_DOWN, kLeft, kLeft},  // wraps within the group
      {VK_UP, kRight, kRight},     {VK_LEFT, kCentre, kCentre},
  };
  for (const Row& r : rows) {
    Press(dialog_, r.key);
    EXPECT_EQ(FocusId(), r.focus) << r.key;
    for (int id : {kLeft, kCentre, kRight})
      EXPECT_EQ(IsDlgButtonChecked(dialog_, id), id == r.checked ? BST_CHECKED : BST_UNCHECKED) << r.key << " " << id;
  }
  // The checked radio button is now the group's tab stop.
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, kBold)), TRUE);
  Press(dialog_, VK_TAB);
  EXPECT_EQ(FocusId(), kCentre);
}

TEST_F(NavigationTest, MnemonicsFocusOrClick) {
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, IDOK)), TRUE);
  struct Row {
    const char* what;
    int key;
    int focus;
    const char* command;  // the WM_COMMAND it makes, "" for none
  } const rows[] = {
      {"a label's mnemonic focuses the control after it", 'N', kEdit, ""},
      {"a check box is focused and clicked", 'B', kBold, "102/0"},
      {"a radio button is focused and clicked", 'C', kCentre, "104/0"},
      // BM_CLICK gives the button WM_LBUTTONDOWN (public documentation), which takes the focus.
      {"a push button is clicked", 'A', kApply, "106/0"},
      {"a disabled control is skipped", 'D', kApply, ""},
  };
  for (const Row& r : rows) {
    seen_.clear();
    Press(dialog_, r.key, false, true);  // Alt+letter: WM_SYSCHAR
    EXPECT_EQ(FocusId(), r.focus) << r.what;
    EXPECT_EQ(seen_.empty() ? std::string() : seen_.back(), r.command) << r.what;
  }
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kBold), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kCentre), BST_CHECKED);
}

TEST_F(NavigationTest, EnterPressesTheDefaultButtonAndEscCancels) {
  struct Row {
    const char* what;
    int focus;
    int key;
    const char* command;
  } const rows[] = {
      {"Enter from the edit: the default button (OK)", kEdit, VK_RETURN, "1/0"},
      {"Enter on a focused push button: that button", kApply, VK_RETURN, "106/0"},
      {"Enter from a check box: the default button", kBold, VK_RETURN, "1/0"},
      {"Esc: Cancel", kEdit, VK_ESCAPE, "2/0"},
  };
  for (const Row& r : rows) {
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, r.focus)), TRUE);
    seen_.clear();
    Press(dialog_, r.key);
    ASSERT_FALSE(seen_.empty()) << r.what;
    EXPECT_EQ(seen_.back(), r.command) << r.what;
  }
}

// A panel inside the dialog (DS_CONTROL) whose own loop reads the keys, as a
// modeless child dialog's does: Enter and Esc mean the buttons of the dialog
// it is part of; a focused push button of the panel is still pressed there.
TEST_F(NavigationTest, EnterAndEscInAPanelReachTheDialogItIsPartOf) {
  std::vector<std::string> panelSeen;
  struct PanelProc {
    static INT_PTR Proc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(panel, GWLP_USERDATA, lParam);
        return FALSE;
      }
      auto* seen = reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
      if (message == WM_COMMAND && seen && HIWORD(wParam) < EN_SETFOCUS) {
        seen->push_back(std::to_string(LOWORD(wParam)) + "/" + std::to_string(HIWORD(wParam)));
        return TRUE;
      }
      return FALSE;
    }
  };
  HWND panel = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(1001), dialog_, &PanelProc::Proc,
                                  reinterpret_cast<LPARAM>(&panelSeen));
  ASSERT_NE(panel, nullptr);
  struct Row {
    const char* what;
    int focus;
    int key;
    const char* dialogCommand;  // what the outer dialog hears, "" for nothing
    const char* panelCommand;   // what the panel hears
  } const rows[] = {
      {"Enter in the panel's edit: the dialog's default button", 201, VK_RETURN, "1/0", ""},
      {"Esc in the panel's edit: the dialog's Cancel", 201, VK_ESCAPE, "2/0", ""},
      {"Enter on the panel's push button: that button", 202, VK_RETURN, "", "202/0"},
  };
  for (const Row& r : rows) {
    SetFocus(GetDlgItem(panel, r.focus));
    seen_.clear();
    panelSeen.clear();
    Press(panel, r.key);
    EXPECT_EQ(seen_.empty() ? std::string() : seen_.back(), r.dialogCommand) << r.what;
    EXPECT_EQ(panelSeen.empty() ? std::string() : panelSeen.back(), r.panelCommand) << r.what;
  }
  DestroyWindow(panel);
}

TEST_F(NavigationTest, TheDefaultButtonFollowsTheFocus) {
  auto isDefault = [&](int id) {
    return (SendDlgItemMessageW(dialog_, id, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
  };
  EXPECT_TRUE(isDefault(IDOK));
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, kApply)), TRUE);
  EXPECT_TRUE(isDefault(kApply));
  EXPECT_FALSE(isDefault(IDOK));
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, kBold)), TRUE);
  EXPECT_TRUE(isDefault(IDOK)) << "away from push buttons the dialog's default is back";
  EXPECT_FALSE(isDefault(kApply));
  // DM_GETDEFID: "the high-order word contains DC_HASDEFID" (public documentation).
  EXPECT_EQ(SendMessageW(dialog_, DM_GETDEFID, 0, 0), MAKEWPARAM(IDOK, DC_HASDEFID));
  SendMessageW(dialog_, DM_SETDEFID, kApply, 0);
  EXPECT_EQ(LOWORD(SendMessageW(dialog_, DM_GETDEFID, 0, 0)), kApply);
  seen_.clear();
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, kEdit)), TRUE);
  Press(dialog_, VK_RETURN);
  ASSERT_FALSE(seen_.empty());
  EXPECT_EQ(seen_.back(), "106/0");
}

TEST_F(NavigationTest, ItemCallsByIdAndTheirBadIds) {
  EXPECT_TRUE(SetDlgItemInt(dialog_, kEdit, static_cast<UINT>(-42), TRUE));
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog_, kEdit, &ok, TRUE)), -42);
  EXPECT_TRUE(ok);
  SetDlgItemTextW(dialog_, kEdit, u" 12x");
  EXPECT_EQ(GetDlgItemInt(dialog_, kEdit, &ok, FALSE), 0u);
  EXPECT_FALSE(ok);
  WCHAR small[4] = {u'#', u'#', u'#', u'#'};
  SetDlgItemTextW(dialog_, kEdit, u"abcdef");
  EXPECT_EQ(GetDlgItemTextW(dialog_, kEdit, small, 3), 2u);
  EXPECT_EQ(std::u16string(small), u"ab") << "at most size - 1 characters and a zero";
  EXPECT_EQ(small[3], u'#');
  EXPECT_EQ(GetDlgItemTextW(dialog_, 4242, small, 4), 0u);
  EXPECT_EQ(small[0], u'\0');
  EXPECT_EQ(GetLastError(), ERROR_CONTROL_ID_NOT_FOUND);
  EXPECT_FALSE(CheckDlgButton(dialog_, 4242, BST_CHECKED));
  EXPECT_TRUE(CheckRadioButton(dialog_, kLeft, kRight, kRight));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kRight), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kLeft), BST_UNCHECKED);
  EXPECT_FALSE(CheckRadioButton(dialog_, kRight, kLeft, kLeft));
  EXPECT_EQ(GetNextDlgTabItem(nullptr, nullptr, FALSE), nullptr);
  EXPECT_FALSE(IsDialogMessageW(dialog_, nullptr));
}

INT_PTR EndAtOnce(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    return TRUE;
  }
  if (message == WM_COMMAND) {
    EndDialog(dialog, 77 + LOWORD(0));
    return TRUE;
  }
  return FALSE;
}

TEST(ModalDialog, DisablesTheOwnerUntilEndDialog) {
  const HWND owner = CreateWindowExW(0, u"Static", u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                     nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  struct Seen {
    HWND owner;
    bool ownerEnabledWhileModal = true;
  } seen{owner};
  user::SetModalDialogHook(
      [](HWND dialog, void* context) {
        auto* s = static_cast<Seen*>(context);
        s->ownerEnabledWhileModal = IsWindowEnabled(s->owner) != FALSE;
        // Esc reaches the dialog manager of the modal loop.
        PostMessageW(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
      },
      &seen);
  const INT_PTR result = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kNavigation), owner,
                                         [](HWND d, UINT m, WPARAM w, LPARAM) -> INT_PTR {
                                           if (m == WM_INITDIALOG) return TRUE;
                                           if (m == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
                                             EndDialog(d, 500 + LOWORD(w));
                                             return TRUE;
                                           }
                                           return FALSE;
                                         },
                                         0);
  EXPECT_EQ(result, 502) << "Esc ended it with IDCANCEL";
  EXPECT_FALSE(seen.ownerEnabledWhileModal);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(4321), owner, EndAtOnce, 0), -1) << "no such template";
  DestroyWindow(owner);
}

}  // namespace
