// Window objects: permanent and temporary objects by handle, attaching,
// subclassing a control (in one dialog after another), the pre-translation
// chain, self-deleting windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework_test_ids.h"
#include "framework_test_util.h"

namespace {

int g_deleted = 0;

class CSelfDeleting : public CWnd {
 public:
  ~CSelfDeleting() override { ++g_deleted; }
  void PostNcDestroy() override { delete this; }
};

class CSubclassedEdit : public CEdit {
 public:
  void PreSubclassWindow() override { preSubclassed = true; }
  void OnChar(UINT ch, UINT, UINT) {
    typed += static_cast<char>(ch);
    Default();  // the edit control still gets the character
  }
  bool preSubclassed = false;
  std::string typed;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassedEdit, CEdit)
  ON_WM_CHAR()
END_MESSAGE_MAP()

class CTranslating : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    seen.push_back(msg->message);
    return msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE;
  }
  std::vector<UINT> seen;
};

TEST(FrameworkWnd, TemporaryObjectsStandForForeignHandlesUntilIdle) {
  HWND foreign = ::CreateWindowExA(0, "Static", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CWnd* temp = CWnd::FromHandle(foreign);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(CWnd::FromHandle(foreign), temp);  // the same one until idle
  EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
  EXPECT_EQ(temp->m_hWnd, foreign);
  CWnd::DeleteTempMap();
  EXPECT_TRUE(::IsWindow(foreign));  // a temporary object never destroys its window
  CWnd owner;
  ASSERT_TRUE(owner.Attach(foreign));
  EXPECT_EQ(CWnd::FromHandle(foreign), &owner);
  EXPECT_FALSE(CWnd().Attach(foreign));  // one permanent object per window
  EXPECT_EQ(owner.Detach(), foreign);
  EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
  ::DestroyWindow(foreign);
  CWnd::DeleteTempMap();
}

TEST(FrameworkWnd, SubclassedControlsSeeMessagesFirst) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
  HWND edit = ::CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(12)), nullptr, nullptr);
  CSubclassedEdit control;
  ASSERT_TRUE(control.SubclassDlgItem(12, &parent));
  EXPECT_TRUE(control.preSubclassed);
  ::SendMessageA(edit, WM_CHAR, 'h', 1);
  ::SendMessageA(edit, WM_CHAR, 'i', 1);
  EXPECT_EQ(control.typed, "hi");
  CString text;
  control.GetWindowText(text);
  EXPECT_EQ(text, CString("hi"));
  EXPECT_EQ(control.UnsubclassWindow(), edit);
  ::SendMessageA(edit, WM_CHAR, '!', 1);
  EXPECT_EQ(control.typed, "hi");  // no longer routed through the object
  parent.DestroyWindow();
}

TEST(FrameworkWnd, PreTranslateWalksFromTheTargetToTheTop) {
  CTranslating top, middle;
  ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(middle.Create(nullptr, "middle", WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
  HWND leaf = ::CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, middle.m_hWnd, nullptr, nullptr, nullptr);
  MSG msg{leaf, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
  EXPECT_EQ(middle.seen, (std::vector<UINT>{WM_KEYDOWN}));
  EXPECT_EQ(top.seen, (std::vector<UINT>{WM_KEYDOWN}));
  msg.wParam = VK_ESCAPE;
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
  EXPECT_EQ(top.seen.size(), 1u);  // the middle one took it
  msg.wParam = 'B';
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(middle.m_hWnd, &msg));  // stops at the given window
  EXPECT_EQ(top.seen.size(), 1u);
  top.DestroyWindow();
}

TEST(FrameworkWnd, WindowsThatOwnThemselvesDeleteInPostNcDestroy) {
  g_deleted = 0;
  auto* wnd = new CSelfDeleting;
  ASSERT_TRUE(wnd->CreateEx(0, nullptr, "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND window = wnd->m_hWnd;
  ::DestroyWindow(window);
  EXPECT_EQ(g_deleted, 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

TEST(FrameworkWnd, AnObjectGoingAwayTakesItsWindow) {
  HWND window = nullptr;
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "scoped", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    window = wnd.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(window));
}

// A dialog that subclasses its name edit as it starts, and ends at once.
class CNameDialog : public CDialog {
 public:
  CNameDialog() : CDialog(IDD_TESTSETTINGS) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    subclassed = name.SubclassDlgItem(IDC_TEST_NAME, this);
    edit = name.m_hWnd;
    EndDialog(IDOK);
    return TRUE;
  }
  CSubclassedEdit name;
  BOOL subclassed = FALSE;
  HWND edit = nullptr;
};

// A control's object lets go of it when its window goes with the dialog:
// a later dialog of the same template, and the same dialog object shown
// again, subclass their own control of that id; the gone window's handle
// names no object and no later window.
TEST(FrameworkWnd, EachDialogSubclassesItsOwnControl) {
  CNameDialog first;
  ASSERT_EQ(first.DoModal(), IDOK);
  EXPECT_TRUE(first.subclassed);
  EXPECT_EQ(first.name.m_hWnd, nullptr);
  EXPECT_FALSE(::IsWindow(first.edit));
  EXPECT_EQ(CWnd::FromHandlePermanent(first.edit), nullptr);
  CNameDialog second;
  ASSERT_EQ(second.DoModal(), IDOK);
  EXPECT_TRUE(second.subclassed);
  EXPECT_NE(second.edit, first.edit);
  EXPECT_EQ(CWnd::FromHandlePermanent(second.edit), nullptr);
  const HWND before = first.edit;
  ASSERT_EQ(first.DoModal(), IDOK);
  EXPECT_TRUE(first.subclassed);
  EXPECT_NE(first.edit, before);
  EXPECT_NE(first.edit, second.edit);
  EXPECT_EQ(first.name.m_hWnd, nullptr);
}

}  // namespace
