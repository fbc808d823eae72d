// Message sequences of creating, showing, sizing, activating, focusing and
// destroying windows, asserted exactly as tables of names.
//
// Where each row comes from: the platform's public documentation, and, where
// it does not settle the order, the reference implementation of the
// interface (sequence_reference_test.cpp runs the same scenarios under wine
// and compares every row; the rows marked "(reference)" are settled there).
// - CreateWindowEx: "sends WM_NCCREATE, WM_NCCALCSIZE, and WM_CREATE messages
//   to the window being created"; WM_NCCREATE is "sent prior to the WM_CREATE
//   message"; WM_GETMINMAXINFO is "sent to a window when the size or position
//   of the window is about to change" (sent first, for overlapped and
//   sizeable windows). A window created with WS_VISIBLE gets "all the
//   messages required to activate and show the window".
// - WM_SIZE then WM_MOVE after WM_CREATE for child and pop-up windows, and
//   WM_PARENTNOTIFY(WM_CREATE) to the parent of a child (documented with
//   WM_PARENTNOTIFY); an overlapped window hears its first WM_SIZE and
//   WM_MOVE when it is first shown, after WM_WINDOWPOSCHANGED (reference).
// - ShowWindow: WM_SHOWWINDOW "sent to a window when the window is about to be
//   hidden or shown"; SetWindowPos sends WM_WINDOWPOSCHANGING before and
//   WM_WINDOWPOSCHANGED after the change; WM_ACTIVATE "is sent first to the
//   window procedure of the top-level window being deactivated; it is then
//   sent to the window procedure of the top-level window being activated";
//   WM_NCACTIVATE before WM_ACTIVATE; WM_ACTIVATEAPP to the windows of the
//   application being activated; DefWindowProc of WM_ACTIVATE sets the
//   keyboard focus (WM_SETFOCUS). A shown window is activated between
//   WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED (reference). A child of a
//   hidden parent only hears WM_SHOWWINDOW (reference).
// - Sizing: DefWindowProc of WM_WINDOWPOSCHANGING sends WM_GETMINMAXINFO for
//   overlapped and sizeable windows whenever a size is passed, even the same
//   one (reference); WM_NCCALCSIZE when the size changes; DefWindowProc of
//   WM_WINDOWPOSCHANGED sends WM_MOVE and then WM_SIZE (reference).
// - Focus: SetFocus sends WM_KILLFOCUS to the window losing the focus, then
//   WM_SETFOCUS to the one gaining it.
// - DestroyWindow: hides the window (a child as ShowWindow does, with
//   WM_SHOWWINDOW, reference), deactivates it, sends WM_DESTROY "first to the
//   window being destroyed and then to the child windows", and WM_NCDESTROY
//   "after the child windows have been destroyed".
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

class Sequence : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterLogClass();
    MessageLog::Get().Clear();
  }
  void TearDown() override {
    for (HWND w : made_)
      if (IsWindow(w)) DestroyWindow(w);
    Pump();
  }
  HWND Make(const char* label, DWORD style, HWND parent = nullptr, DWORD exStyle = 0, int id = 0) {
    MessageLog::Get().Name(nullptr, "?");
    // The handle is not known before CreateWindowEx returns: the rows logged
    // during creation are labelled afterwards (the log keeps the handle).
    HWND w = CreateWindowExW(exStyle, u"LogWindow", u"T", style, 10, 20, 300, 200, parent,
                             reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    MessageLog::Get().Name(w, label);
    made_.push_back(w);
    return w;
  }
  std::vector<HWND> made_;
};

TEST_F(Sequence, CreateHiddenOverlapped) {
  Make("top", WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_GETMINMAXINFO"},
                                                {"top", "WM_NCCREATE"},
                                                {"top", "WM_NCCALCSIZE"},
                                                {"top", "WM_CREATE"},
                                            }));
}

TEST_F(Sequence, CreateVisibleOverlappedActivatesAndFocuses) {
  Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_GETMINMAXINFO"},
                                                {"top", "WM_NCCREATE"},
                                                {"top", "WM_NCCALCSIZE"},
                                                {"top", "WM_CREATE"},
                                                {"top", "WM_SHOWWINDOW"},
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_ACTIVATEAPP"},
                                                {"top", "WM_NCACTIVATE"},
                                                {"top", "WM_ACTIVATE"},
                                                {"top", "WM_SETFOCUS"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_SIZE"},  // the first showing (reference)
                                                {"top", "WM_MOVE"},
                                            }));
}

TEST_F(Sequence, CreateVisibleChildNotifiesParent) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  MessageLog::Get().Clear();
  Make("child", WS_CHILD | WS_VISIBLE, top, 0, 7);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"child", "WM_NCCREATE"},
                                                {"child", "WM_NCCALCSIZE"},
                                                {"child", "WM_CREATE"},
                                                {"child", "WM_SIZE"},
                                                {"child", "WM_MOVE"},
                                                {"top", "WM_PARENTNOTIFY"},
                                                {"child", "WM_SHOWWINDOW"},  // the parent is hidden (reference)
                                            }));
  // WM_PARENTNOTIFY carries WM_CREATE and the id in wParam, the child in lParam.
  for (const auto& e : MessageLog::Get().Entries())
    if (e.message == WM_PARENTNOTIFY) {
      EXPECT_EQ(LOWORD(e.wParam), WM_CREATE);
      EXPECT_EQ(HIWORD(e.wParam), 7);
    }
}

TEST_F(Sequence, NoParentNotifyWhenAskedNot) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  MessageLog::Get().Clear();
  Make("child", WS_CHILD, top, WS_EX_NOPARENTNOTIFY);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"child", "WM_NCCREATE"},
                                                {"child", "WM_NCCALCSIZE"},
                                                {"child", "WM_CREATE"},
                                                {"child", "WM_SIZE"},
                                                {"child", "WM_MOVE"},
                                            }));
}

TEST_F(Sequence, ShowAndHideTopLevel) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  MessageLog::Get().Clear();
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_SHOWWINDOW"},
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_ACTIVATEAPP"},  // activated inside (reference)
                                                {"top", "WM_NCACTIVATE"},
                                                {"top", "WM_ACTIVATE"},
                                                {"top", "WM_SETFOCUS"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_SIZE"},  // the first showing (reference)
                                                {"top", "WM_MOVE"},
                                            }));
  MessageLog::Get().Clear();
  EXPECT_TRUE(ShowWindow(top, SW_SHOW));  // already visible: nothing happens
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({}));
  MessageLog::Get().Clear();
  EXPECT_TRUE(ShowWindow(top, SW_HIDE));
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_SHOWWINDOW"},
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_NCACTIVATE"},
                                                {"top", "WM_ACTIVATE"},
                                                {"top", "WM_ACTIVATEAPP"},
                                                {"top", "WM_KILLFOCUS"},
                                            }));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Sequence, ShowNoActivateOnlyShows) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  MessageLog::Get().Clear();
  ShowWindow(top, SW_SHOWNOACTIVATE);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_SHOWWINDOW"},
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_SIZE"},
                                                {"top", "WM_MOVE"},
                                            }));
  EXPECT_NE(GetActiveWindow(), top);
}

TEST_F(Sequence, SizingSendsMinMaxCalcSizeAndSize) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::Get().Clear();
  SetWindowPos(top, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_GETMINMAXINFO"},
                                                {"top", "WM_NCCALCSIZE"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_SIZE"},
                                            }));
  MessageLog::Get().Clear();
  MoveWindow(top, 50, 60, 400, 300, TRUE);  // moved, same size
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_GETMINMAXINFO"},  // a size was passed (reference)
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_MOVE"},
                                            }));
  MessageLog::Get().Clear();
  MoveWindow(top, 10, 10, 500, 350, TRUE);  // moved and sized
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_GETMINMAXINFO"},
                                                {"top", "WM_NCCALCSIZE"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_MOVE"},  // (reference)
                                                {"top", "WM_SIZE"},
                                            }));
  RECT r;
  GetWindowRect(top, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right - r.left, 500);
}

TEST_F(Sequence, ActivatingAnotherWindow) {
  HWND a = Make("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND b = Make("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), b);
  MessageLog::Get().Clear();
  EXPECT_EQ(SetActiveWindow(a), b);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"b", "WM_NCACTIVATE"},
                                                {"b", "WM_ACTIVATE"},
                                                {"a", "WM_NCACTIVATE"},
                                                {"a", "WM_ACTIVATE"},
                                                {"b", "WM_KILLFOCUS"},
                                                {"a", "WM_SETFOCUS"},
                                            }));
  // WM_ACTIVATE names the other window: deactivated gets WA_INACTIVE and a.
  const auto& e = MessageLog::Get().Entries();
  const auto deact = std::find_if(e.begin(), e.end(), [&](auto& l) { return l.window == b && l.message == WM_ACTIVATE; });
  ASSERT_NE(deact, e.end());
  EXPECT_EQ(LOWORD(deact->wParam), WA_INACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(deact->lParam), a);
  EXPECT_EQ(GetFocus(), a);
  EXPECT_EQ(GetTopWindow(nullptr), a);  // activation brings the window to the top
}

TEST_F(Sequence, FocusMovesBetweenChildren) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND one = Make("one", WS_CHILD | WS_VISIBLE, top, 0, 1);
  HWND two = Make("two", WS_CHILD | WS_VISIBLE, top, 0, 2);
  MessageLog::Get().Clear();
  EXPECT_EQ(SetFocus(one), top);
  EXPECT_EQ(SetFocus(two), one);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_KILLFOCUS"},
                                                {"one", "WM_SETFOCUS"},
                                                {"one", "WM_KILLFOCUS"},
                                                {"two", "WM_SETFOCUS"},
                                            }));
  MessageLog::Get().Clear();
  EXPECT_EQ(SetFocus(two), two);  // already there: no messages
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({}));
  EnableWindow(one, FALSE);
  EXPECT_EQ(SetFocus(one), nullptr);  // a disabled window cannot take the focus
  EXPECT_EQ(GetFocus(), two);
}

TEST_F(Sequence, DestroyParentWithChildren) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  HWND child = Make("child", WS_CHILD, top, WS_EX_NOPARENTNOTIFY);
  Make("grandchild", WS_CHILD, child, WS_EX_NOPARENTNOTIFY);
  MessageLog::Get().Clear();
  EXPECT_TRUE(DestroyWindow(top));
  // WM_DESTROY parent first, WM_NCDESTROY children first.
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_DESTROY"},
                                                {"child", "WM_DESTROY"},
                                                {"grandchild", "WM_DESTROY"},
                                                {"grandchild", "WM_NCDESTROY"},
                                                {"child", "WM_NCDESTROY"},
                                                {"top", "WM_NCDESTROY"},
                                            }));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
}

TEST_F(Sequence, DestroyActiveVisibleWindow) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::Get().Clear();
  DestroyWindow(top);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_NCACTIVATE"},
                                                {"top", "WM_ACTIVATE"},
                                                {"top", "WM_ACTIVATEAPP"},
                                                {"top", "WM_KILLFOCUS"},
                                                {"top", "WM_DESTROY"},
                                                {"top", "WM_NCDESTROY"},
                                            }));
}

TEST_F(Sequence, DestroyChildNotifiesParentFirst) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, top, 0, 3);
  MessageLog::Get().Clear();
  DestroyWindow(child);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_PARENTNOTIFY"},
                                                {"child", "WM_SHOWWINDOW"},  // hidden as ShowWindow hides (reference)
                                                {"child", "WM_DESTROY"},
                                                {"child", "WM_NCDESTROY"},
                                            }));
}

TEST_F(Sequence, DestroyingAnOwnerDestroysOwnedWindowsFirst) {
  HWND owner = Make("owner", WS_OVERLAPPEDWINDOW);
  HWND owned = Make("owned", WS_POPUP, owner);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  MessageLog::Get().Clear();
  DestroyWindow(owner);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"owned", "WM_DESTROY"},
                                                {"owned", "WM_NCDESTROY"},
                                                {"owner", "WM_DESTROY"},
                                                {"owner", "WM_NCDESTROY"},
                                            }));
}

TEST_F(Sequence, MaximiseAndRestore) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::Get().Clear();
  ShowWindow(top, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(top));
  const auto rows = MessageLog::Get().Rows(kNoise);
  EXPECT_EQ(rows, Expect({
                      {"top", "WM_GETMINMAXINFO"},
                      {"top", "WM_WINDOWPOSCHANGING"},
                      {"top", "WM_GETMINMAXINFO"},
                      {"top", "WM_NCCALCSIZE"},
                      {"top", "WM_WINDOWPOSCHANGED"},
                      {"top", "WM_MOVE"},
                      {"top", "WM_SIZE"},
                  }));
  const auto& e = MessageLog::Get().Entries();
  const auto size = std::find_if(e.begin(), e.end(), [](auto& l) { return l.message == WM_SIZE; });
  ASSERT_NE(size, e.end());
  EXPECT_EQ(size->wParam, SIZE_MAXIMIZED);
  ShowWindow(top, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(top));
  RECT r;
  GetWindowRect(top, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right - r.left, 300);
}

}  // namespace
