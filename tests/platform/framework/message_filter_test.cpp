// PreTranslateMessage inside the window system's modal loops: the framework's
// message filter offers what a dialog's loop reads to the dialog object (and
// the controls it subclassed) before the dialog manager sees it; the thread
// object hears every modal loop's message with its MSGF_ code and may take
// it; inside a menu's loop the frame's accelerators stay quiet.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework_test_ids.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace {

// The settings dialog takes F2 itself: a key no control of it would get.
class CKeyDialog : public CDialog {
 public:
  CKeyDialog() : CDialog(IDD_TESTSETTINGS) {}
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2) {
      m_f2From.push_back(msg->hwnd);
      return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
  }
  std::vector<HWND> m_f2From;
};

// An edit the dialog subclassed: it turns Ctrl-less F3 into its own text.
class CStampEdit : public CEdit {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F3) {
      SetWindowText("stamped");
      return TRUE;
    }
    return FALSE;
  }
};

class CStampDialog : public CKeyDialog {
 public:
  BOOL OnInitDialog() override {
    m_edit.SubclassDlgItem(IDC_TEST_NAME, this);
    return CKeyDialog::OnInitDialog();
  }
  void OnOK() override {
    m_edit.GetWindowText(m_text);
    CDialog::OnOK();
  }
  CStampEdit m_edit;
  CString m_text;
};

// Keys pressed for the dialog's own loop to read after the step returns.
void Press(int key) {
  uitest::KeyDown(key);
  uitest::KeyUp(key);
}

TEST(FrameworkMessageFilter, ADialogsLoopOffersKeysToItsObjectFirst) {
  CStampDialog dialog;
  HWND edit = nullptr;
  user::SetModalDialogHook(
      [](HWND d, void* out) {
        *static_cast<HWND*>(out) = ::GetDlgItem(d, IDC_TEST_NAME);
        ::SetFocus(::GetDlgItem(d, IDC_TEST_NAME));
        Press(VK_F2);
        Press(VK_F3);
        Press(VK_RETURN);
      },
      &edit);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_EQ(dialog.m_f2From.size(), 1u) << "the dialog's PreTranslateMessage took F2 in the modal loop";
  EXPECT_EQ(dialog.m_f2From[0], edit) << "the key was for the focused edit";
  EXPECT_EQ(dialog.m_text, CString("stamped")) << "the subclassed edit was asked first";
}

// The application hears every modal loop's messages with their codes.
class CFilterApp : public CWinApp {
 public:
  BOOL ProcessMessageFilter(int code, MSG* msg) override {
    if (msg->message == WM_KEYDOWN) codes.emplace_back(code, static_cast<UINT>(msg->wParam));
    if (eatDown && code == static_cast<int>(MSGF_MENU) && msg->message == WM_KEYDOWN && msg->wParam == VK_DOWN)
      return TRUE;
    return CWinApp::ProcessMessageFilter(code, msg);
  }
  std::vector<std::pair<int, UINT>> codes;
  bool eatDown = false;
};

TEST(FrameworkMessageFilter, TheThreadHearsDialogsMessageBoxesAndMenus) {
  CFilterApp app;
  auto* frame = new CFrameWnd;  // a frame deletes itself when its window goes
  ASSERT_TRUE(frame->Create(nullptr, "Filtered", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  app.m_pMainWnd = frame;
  frame->m_bAutoMenuEnable = FALSE;  // the popup's commands have no handlers here
  user::SetModalDialogHook([](HWND, void*) { Press(VK_ESCAPE); }, nullptr);
  CDialog settings(IDD_TESTSETTINGS, frame);
  EXPECT_EQ(settings.DoModal(), IDCANCEL);
  user::SetModalDialogHook([](HWND, void*) { Press(VK_RETURN); }, nullptr);
  EXPECT_EQ(::MessageBoxA(frame->m_hWnd, "Saved.", "Label", MB_OK), IDOK);
  ASSERT_EQ(app.codes.size(), 2u);
  EXPECT_EQ(app.codes[0], std::make_pair(static_cast<int>(MSGF_DIALOGBOX), static_cast<UINT>(VK_ESCAPE)));
  EXPECT_EQ(app.codes[1], std::make_pair(static_cast<int>(MSGF_MESSAGEBOX), static_cast<UINT>(VK_RETURN)));

  CMenu popup;
  popup.CreatePopupMenu();
  popup.AppendMenu(MF_STRING, ID_TEST_ADD, "&Add");
  popup.AppendMenu(MF_STRING, ID_TEST_CLEAR, "&Clear");
  for (const bool eat : {false, true}) {
    app.codes.clear();
    app.eatDown = eat;
    frame->PostMessage(WM_KEYDOWN, VK_DOWN);
    frame->PostMessage(WM_KEYDOWN, VK_RETURN);
    const BOOL chosen = ::TrackPopupMenu(popup.m_hMenu, TPM_RETURNCMD, 40, 40, 0, frame->m_hWnd, nullptr);
    EXPECT_EQ(chosen, eat ? 0 : static_cast<BOOL>(ID_TEST_ADD)) << "taken by the application: " << eat;
    ASSERT_EQ(app.codes.size(), 2u);
    EXPECT_EQ(app.codes[0].first, static_cast<int>(MSGF_MENU));
  }
  popup.DestroyMenu();
  frame->DestroyWindow();
  user::SetModalDialogHook(nullptr, nullptr);
}

}  // namespace
