// Message sequences of creating, showing, sizing, activating, focusing and
// destroying windows, asserted exactly as tables of names.
//
// Where each row comes from (the platform's public documentation):
// - CreateWindowEx: "sends WM_NCCREATE, WM_NCCALCSIZE, and WM_CREATE messages
//   to the window being created"; WM_NCCREATE is "sent prior to the WM_CREATE
//   message"; WM_GETMINMAXINFO is "sent to a window when the size or position
//   of the window is about to change" (sent first, for overlapped and
//   sizeable windows). A window created with WS_VISIBLE gets "all the
//   messages required to activate and show the window".
// - WM_SIZE then WM_MOVE after WM_CREATE, and WM_PARENTNOTIFY(WM_CREATE) to
//   the parent of a child: the documentation of WM_PARENTNOTIFY says it is
//   sent when the child is created; the order of WM_SIZE before WM_MOVE is not
//   settled there: ours, marked "(order ours)".
// - ShowWindow: WM_SHOWWINDOW "sent to a window when the window is about to be
//   hidden or shown"; SetWindowPos sends WM_WINDOWPOSCHANGING before and
//   WM_WINDOWPOSCHANGED after the change; WM_ACTIVATE "is sent first to the
//   window procedure of the top-level window being deactivated; it is then
//   sent to the window procedure of the top-level window being activated";
//   WM_NCACTIVATE before WM_ACTIVATE; WM_ACTIVATEAPP to the windows of the
//   application being activated; DefWindowProc of WM_ACTIVATE sets the
//   keyboard focus (WM_SETFOCUS). Activation after WM_WINDOWPOSCHANGED is our
//   order where the documentation is silent.
// - Sizing: DefWindowProc of WM_WINDOWPOSCHANGING sends WM_GETMINMAXINFO for
//   overlapped and sizeable windows; WM_NCCALCSIZE when the size changes;
//   DefWindowProc of WM_WINDOWPOSCHANGED sends WM_SIZE and WM_MOVE (we send
//   WM_MOVE first, our order).
// - Focus: SetFocus sends WM_KILLFOCUS to the window losing the focus, then
//   WM_SETFOCUS to the one gaining it.
// - DestroyWindow: hides the window, deactivates it, sends WM_DESTROY "first to
//   the window being destroyed and then to the child windows", and WM_NCDESTROY
//   "after the child windows have been destroyed".
#include <gtest/gtest.h>

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
                                                {"top", "WM_SIZE"},  // (order ours)
                                                {"top", "WM_MOVE"},
                                            }));
}

TEST_F(Sequence, CreateVisibleOverlappedActivatesAndFocuses) {
  Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"top", "WM_GETMINMAXINFO"},
                                                {"top", "WM_NCCREATE"},
                                                {"top", "WM_NCCALCSIZE"},
                                                {"top", "WM_CREATE"},
                                                {"top", "WM_SIZE"},
                                                {"top", "WM_MOVE"},
                                                {"top", "WM_SHOWWINDOW"},
                                                {"top", "WM_WINDOWPOSCHANGING"},
                                                {"top", "WM_WINDOWPOSCHANGED"},
                                                {"top", "WM_ACTIVATEAPP"},
                                                {"top", "WM_NCACTIVATE"},
                                                {"top", "WM_ACTIVATE"},
                                                {"top", "WM_SETFOCUS"},
                                            }));
}

}  // namespace
