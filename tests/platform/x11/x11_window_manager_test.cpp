// Under a window manager (openbox): the frame it draws is part of the window
// rectangle, the client area is where the X window is, what the window
// manager does to a window (moving it) reaches the layer, and xdotool's input
// works as without one.
#include <string>
#include <vector>

#include "tests/platform/x11/x11_fixture.h"

namespace {

using x11test::X11Fixture;

constexpr int kNavigation = 1000;
std::vector<UINT> g_clicks;

INT_PTR Recording(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) g_clicks.push_back(LOWORD(wParam));
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

class X11WindowManager : public X11Fixture {
 protected:
  void SetUp() override {
    g_clicks.clear();
    StartDesktop(true);
  }
};

TEST_F(X11WindowManager, FrameExtentsMakeTheWindowRectangle) {
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kNavigation), nullptr, Recording, 0);
  ASSERT_TRUE(dialog);
  // The window manager frames it, maps it and gives it the keyboard, in its own time.
  auto focused = [&] {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(x11_->Connection(), &focus, &revert);
    return focus == x11_->XWindowOf(dialog);
  };
  ASSERT_TRUE(WaitUntil([&] {
    return x11_->Mapped(dialog) && display::Current().FrameExtents().top > 0 && focused() &&
           GetForegroundWindow() == dialog;
  })) << "mapped " << x11_->Mapped(dialog) << ", frame top " << display::Current().FrameExtents().top
      << ", X focus " << focused() << ", active " << (GetForegroundWindow() == dialog);
  const RECT e = display::Current().FrameExtents();
  // The client area is the X window; the window rectangle adds the frame.
  const POINT origin = XOrigin(dialog);
  POINT client{0, 0};
  ClientToScreen(dialog, &client);
  EXPECT_EQ(client.x, origin.x);
  EXPECT_EQ(client.y, origin.y);
  RECT wr, cr;
  GetWindowRect(dialog, &wr);
  GetClientRect(dialog, &cr);
  EXPECT_EQ(wr.right - wr.left, cr.right + e.left + e.right);
  EXPECT_EQ(wr.bottom - wr.top, cr.bottom + e.top + e.bottom);
  EXPECT_EQ(origin.x - wr.left, e.left);
  EXPECT_EQ(origin.y - wr.top, e.top);
  // The screen shows the surface in the client area (the frame is the window manager's).
  const RECT shown{client.x, client.y, client.x + cr.right, client.y + cr.bottom};
  EXPECT_EQ(DifferingPixels(dialog, shown), 0);
  // Input through the window manager's focus.
  Xdotool({"type", "--delay", "0", "Label 7"});
  char16_t text[32] = {};
  GetDlgItemTextW(dialog, 101, text, 32);
  EXPECT_EQ(std::u16string(text), u"Label 7");
  RECT ok;
  GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
  Xdotool({"mousemove", std::to_string((ok.left + ok.right) / 2), std::to_string((ok.top + ok.bottom) / 2), "click",
           "1"});
  EXPECT_EQ(g_clicks, std::vector<UINT>{IDOK});
  server_->SavePicture(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top,
                       x11test::PicturePath("x11_dialog_framed.png"));
  // The window manager moves the window (as a person dragging its title
  // bar would): the layer's rectangle follows.
  Xdotool({"windowmove", std::to_string(x11_->XWindowOf(dialog)), "300", "200"});
  ASSERT_TRUE(WaitUntil([&] {
    RECT now;
    GetWindowRect(dialog, &now);
    return now.left != wr.left || now.top != wr.top;
  }));
  const POINT moved = XOrigin(dialog);
  POINT nowClient{0, 0};
  ClientToScreen(dialog, &nowClient);
  EXPECT_EQ(nowClient.x, moved.x);
  EXPECT_EQ(nowClient.y, moved.y);
  DestroyWindow(dialog);
  Settle();
}

}  // namespace
