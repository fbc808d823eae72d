// Moving and sizing windows with the mouse (WM_SYSCOMMAND SC_MOVE and
// SC_SIZE, which WM_NCLBUTTONDOWN on the caption and the sizing borders ask
// for), and the caption buttons, which act when the button is let go over
// them. Each is a modal loop that reads the queue until the button comes up.
#include <algorithm>

#include "platform/user/message_crack.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

// WMSZ_* edges of a sizing request.
constexpr WPARAM kLeft = 1, kRight = 2, kTop = 3, kTopLeft = 4, kTopRight = 5, kBottom = 6, kBottomLeft = 7,
                 kBottomRight = 8;

bool MovesLeft(WPARAM e) { return e == kLeft || e == kTopLeft || e == kBottomLeft; }
bool MovesRight(WPARAM e) { return e == kRight || e == kTopRight || e == kBottomRight; }
bool MovesTop(WPARAM e) { return e == kTop || e == kTopLeft || e == kTopRight; }
bool MovesBottom(WPARAM e) { return e == kBottom || e == kBottomLeft || e == kBottomRight; }

// The window's rectangle in its parent's client coordinates, and the parent's origin on the screen.
void Placement(HWND window, RECT& rect, POINT& origin) {
  WindowPtr w = FindWinQuiet(window);
  origin = POINT{0, 0};
  if (!w) return;
  UserLock lock;
  rect = w->windowRect;
  if (w->parent && !w->parent->desktop) origin = ClientOrigin(*w->parent);
}

constexpr int kKeyboardStep = 8;  // pixels an arrow key moves or sizes by

// Runs a loop until the left button comes up; `follow` gets each mouse move
// (screen coordinates). Returns where the button came up.
template <class Follow>
POINT MouseLoop(HWND window, Follow follow) {
  SetCapture(window);
  POINT last{};
  GetCursorPos(&last);
  MSG msg;
  while (GetCapture() == window && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      POINT p = crack::MouseOf(msg.wParam, msg.lParam).pt;
      ClientToScreen(window, &p);
      last = p;
      if (msg.message == WM_LBUTTONUP) break;
      follow(p);
      continue;
    }
    if (msg.message == WM_KEYDOWN) {
      // From the keyboard (the window menu's Move and Size): the arrows move
      // the pointer a step, Enter or Esc end.
      if (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN) break;
      const int step = kKeyboardStep;
      const POINT delta = msg.wParam == VK_LEFT    ? POINT{-step, 0}
                          : msg.wParam == VK_RIGHT ? POINT{step, 0}
                          : msg.wParam == VK_UP    ? POINT{0, -step}
                          : msg.wParam == VK_DOWN  ? POINT{0, step}
                                                   : POINT{0, 0};
      if (delta.x || delta.y) {
        last = POINT{last.x + delta.x, last.y + delta.y};
        SetCursorPos(last.x, last.y);
        follow(last);
        continue;
      }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == window) ReleaseCapture();
  return last;
}

}  // namespace

void TrackMoveSize(HWND window, WPARAM command, POINT start, bool keyboard) {
  const bool moving = (command & 0xFFF0) == SC_MOVE;
  // Sizing from the keyboard moves the bottom-right corner.
  const WPARAM edge = keyboard && !(command & 0x000F) ? kBottomRight : command & 0x000F;
  if (keyboard) GetCursorPos(&start);
  RECT original;
  POINT origin;
  Placement(window, original, origin);
  MINMAXINFO mmi{};
  mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  if (!moving) Send(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  Send(window, WM_ENTERSIZEMOVE, 0, 0);
  MouseLoop(window, [&](POINT p) {
    const int dx = p.x - start.x, dy = p.y - start.y;
    RECT r = original;
    if (moving) {
      OffsetRect(&r, dx, dy);
    } else {
      if (MovesLeft(edge)) r.left = std::clamp<LONG>(original.left + dx, original.right - mmi.ptMaxTrackSize.x,
                                                     original.right - mmi.ptMinTrackSize.x);
      if (MovesRight(edge)) r.right = std::clamp<LONG>(original.right + dx, original.left + mmi.ptMinTrackSize.x,
                                                       original.left + mmi.ptMaxTrackSize.x);
      if (MovesTop(edge)) r.top = std::clamp<LONG>(original.top + dy, original.bottom - mmi.ptMaxTrackSize.y,
                                                   original.bottom - mmi.ptMinTrackSize.y);
      if (MovesBottom(edge)) r.bottom = std::clamp<LONG>(original.bottom + dy, original.top + mmi.ptMinTrackSize.y,
                                                         original.top + mmi.ptMaxTrackSize.y);
    }
    SetWindowPosImpl(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
  });
  if (IsWindow(window)) Send(window, WM_EXITSIZEMOVE, 0, 0);
  (void)origin;
}

void TrackCaptionButton(HWND window, LRESULT hit) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return;
  // The button looks pushed while the pointer is on it.
  auto push = [&](LRESULT part) {
    {
      UserLock lock;
      if (w->life == Life::Dead || w->pushedCaption == part) return;
      w->pushedCaption = part;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  };
  auto partAt = [&](POINT screen) {
    UserLock lock;
    return w->life == Life::Dead ? LRESULT{HTNOWHERE} : NcHitTest(*w, screen);
  };
  push(hit);
  const POINT up = MouseLoop(window, [&](POINT p) { push(partAt(p) == hit ? hit : 0); });
  push(0);
  if (!IsWindow(window)) return;
  if (partAt(up) != hit) return;  // let go elsewhere: nothing happens
  WPARAM command = SC_CLOSE;
  if (hit == HTMINBUTTON) command = SC_MINIMIZE;
  if (hit == HTMAXBUTTON) command = IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
  Send(window, WM_SYSCOMMAND, command, crack::PackPoint(up));
}

}  // namespace user
