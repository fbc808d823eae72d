// The caret: one per thread, drawn by inverting its rectangle on the window's
// surface, hidden while the window paints. While shown it blinks: its timer
// (timers.cpp) turns it off and on every blink period, and showing or moving
// it turns it on and starts a full period again.
#include <atomic>

#include "platform/user/window_internal.h"

namespace user {
namespace {

std::atomic<UINT> g_blinkTime{530};

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

// On, with a full blink period ahead.
void TurnOn(Caret& c) {
  Draw(c, true);
  const UINT blink = g_blinkTime.load();
  if (blink == INFINITE) StopCaretTimer();
  else StartCaretTimer(c.window, blink);
}

}  // namespace

void BlinkCaretIfDue(Queue& queue) {
  if (&queue != &ThisQueue() || !CaretBlinkDue(queue.thread)) return;
  Caret& c = queue.caret;
  if (c.window && c.hideCount == 0 && IsWindow(c.window)) Draw(c, !c.drawn);
}

void HideCaretForPaint(HWND window) {
  Caret& c = ThisQueue().caret;
  if (c.window == window) Draw(c, false);
}

void ShowCaretAfterPaint(HWND window) {
  Caret& c = ThisQueue().caret;
  if (c.window == window && c.hideCount == 0) TurnOn(c);
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
  StopCaretTimer();
  c = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND window) {
  Caret& c = ThisQueue().caret;
  if (!c.window || (window && window != c.window)) return FALSE;
  if (c.hideCount > 0 && --c.hideCount == 0) TurnOn(c);
  return TRUE;
}

BOOL HideCaret(HWND window) {
  Caret& c = ThisQueue().caret;
  if (!c.window || (window && window != c.window)) return FALSE;
  if (c.hideCount++ == 0) {
    Draw(c, false);
    StopCaretTimer();
  }
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  Caret& c = ThisQueue().caret;
  if (!c.window) return FALSE;
  Draw(c, false);
  c.pos = POINT{x, y};
  // A moved caret shows at once, whatever its blink was doing.
  if (c.hideCount == 0) TurnOn(c);
  return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
  if (!point) return Fail(ERROR_INVALID_PARAMETER);
  const Caret& c = ThisQueue().caret;
  if (!c.window) return FALSE;
  *point = c.pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return g_blinkTime.load(); }

BOOL SetCaretBlinkTime(UINT milliseconds) {
  if (milliseconds == 0) return Fail(ERROR_INVALID_PARAMETER);
  g_blinkTime.store(milliseconds);
  Caret& c = ThisQueue().caret;
  if (c.window && c.hideCount == 0 && IsWindow(c.window)) TurnOn(c);
  return TRUE;
}
