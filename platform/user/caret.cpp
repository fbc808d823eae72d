// The caret: one per thread, drawn by inverting its rectangle on the window's
// surface, hidden while the window paints. It does not blink here: blinking
// would make pictures depend on time.
#include "platform/user/window_internal.h"

namespace user {
namespace {

void Invert(const Caret& c) {
  if (!c.window || c.size.cx <= 0 || c.size.cy <= 0) return;
  ScopedWindowDc dc(c.window, GetDCEx(c.window, nullptr, DCX_CACHE));
  if (dc.get()) PatBlt(dc.get(), c.pos.x, c.pos.y, c.size.cx, c.size.cy, DSTINVERT);
}

void Draw(Caret& c, bool on) {
  if (c.drawn == on) return;
  Invert(c);
  c.drawn = on;
}

}  // namespace

void HideCaretForPaint(HWND window) {
  Caret& c = ThisQueue().caret;
  if (c.window == window) Draw(c, false);
}

void ShowCaretAfterPaint(HWND window) {
  Caret& c = ThisQueue().caret;
  if (c.window == window && c.hideCount == 0) Draw(c, true);
}

}  // namespace user

using namespace user;

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  {
    UserLock lock;
    if (w->thread != ThisThread()) return Fail(ERROR_ACCESS_DENIED);
  }
  DestroyCaret();
  Caret& c = ThisQueue().caret;
  c.window = window;
  c.bitmap = bitmap;
  c.size = SIZE{width > 0 ? width : Metric(SM_CXBORDER), height > 0 ? height : Metric(SM_CYBORDER) * 16};
  c.pos = POINT{0, 0};
  c.hideCount = 1;  // a new caret is hidden until ShowCaret
  c.drawn = false;
  return TRUE;
}

BOOL DestroyCaret() {
  Caret& c = ThisQueue().caret;
  if (!c.window) return FALSE;
  if (IsWindow(c.window)) Draw(c, false);
  c = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND window) {
  Caret& c = ThisQueue().caret;
  if (!c.window || (window && window != c.window)) return FALSE;
  if (c.hideCount > 0 && --c.hideCount == 0) Draw(c, true);
  return TRUE;
}

BOOL HideCaret(HWND window) {
  Caret& c = ThisQueue().caret;
  if (!c.window || (window && window != c.window)) return FALSE;
  if (c.hideCount++ == 0) Draw(c, false);
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  Caret& c = ThisQueue().caret;
  if (!c.window) return FALSE;
  const bool shown = c.drawn;
  Draw(c, false);
  c.pos = POINT{x, y};
  if (shown) Draw(c, true);
  return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
  if (!point) return Fail(ERROR_INVALID_PARAMETER);
  const Caret& c = ThisQueue().caret;
  if (!c.window) return FALSE;
  *point = c.pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }
