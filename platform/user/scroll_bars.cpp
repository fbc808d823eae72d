// Scroll bars: the state of a window's bars (WS_HSCROLL/WS_VSCROLL) and of a
// scroll-bar control (SB_CTL, kept for the control), SetScrollInfo with page
// and position kept in range, and mouse tracking of window bars: arrows and
// the shaft send line and page requests (repeated while held), the thumb
// SB_THUMBTRACK while it is dragged and SB_THUMBPOSITION where it is let go,
// then SB_ENDSCROLL.
#include <algorithm>

#include "platform/user/message_crack.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

ScrollBarState* BarOf(Window& w, int bar) {
  if (bar == SB_HORZ) return &w.hbar;
  if (bar == SB_VERT || bar == SB_CTL) return &w.vbar;
  return nullptr;
}

// Keeps page and position inside the range.
void Normalise(ScrollBarState& s) {
  const long long range = static_cast<long long>(s.max) - s.min + 1;
  if (range > 0 && s.page > range) s.page = static_cast<UINT>(range);
  const long long maxPos = s.page ? s.max - static_cast<long long>(s.page) + 1 : s.max;
  s.pos = static_cast<int>(std::clamp<long long>(s.pos, s.min, std::max<long long>(maxPos, s.min)));
}

void RedrawBar(HWND window, int bar) {
  if (bar == SB_CTL) InvalidateRect(window, nullptr, TRUE);
  else RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// While the mouse holds a bar, what it does shows at once.
void RedrawBarNow(HWND window, int bar) {
  RedrawBar(window, bar);
  if (bar != SB_CTL) RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
}

int PositionAt(const Window& w, int bar, int along, int grab) {
  const RECT r = ScrollBarRect(w, bar);
  const bool vertical = bar == SB_VERT;
  const int length = vertical ? r.bottom - r.top : r.right - r.left;
  const int breadth = vertical ? r.right - r.left : r.bottom - r.top;
  const ScrollBarState& s = bar == SB_VERT ? w.vbar : w.hbar;
  const style::ThumbGeometry g = style::Thumb(length, breadth, s);
  const int track = length - 2 * g.arrow - g.size;
  if (track <= 0) return s.pos;
  const long long maxPos = s.page ? s.max - static_cast<long long>(s.page) + 1 : s.max;
  const int offset = std::clamp(along - grab - g.arrow, 0, track);
  return static_cast<int>(s.min + (maxPos - s.min) * offset / track);
}

}  // namespace

namespace {

// What a press at a screen point of a window's bar asks for: a line or page
// request, SB_THUMBTRACK on the thumb, or 0xFFFF off the bar (or on a bar
// with nothing to scroll, for the shaft). `along`: the point along the bar.
WORD RequestAt(const Window& w, int bar, POINT screen, int* along = nullptr) {
  const RECT wr = ScreenWindowRect(w);
  const RECT r = ScrollBarRect(w, bar);
  const bool vertical = bar == SB_VERT;
  const int length = vertical ? r.bottom - r.top : r.right - r.left;
  const int breadth = vertical ? r.right - r.left : r.bottom - r.top;
  const ScrollBarState& s = bar == SB_VERT ? w.vbar : w.hbar;
  const style::ThumbGeometry g = style::Thumb(length, breadth, s);
  const int at = vertical ? screen.y - wr.top - r.top : screen.x - wr.left - r.left;
  const int across = vertical ? screen.x - wr.left - r.left : screen.y - wr.top - r.top;
  if (along) *along = at;
  if (at < 0 || at >= length || across < 0 || across >= breadth) return 0xFFFF;
  if (at < g.arrow) return SB_LINEUP;
  if (at >= length - g.arrow) return SB_LINEDOWN;
  if (g.size == 0) return 0xFFFF;
  if (at >= g.start && at < g.start + g.size) return SB_THUMBTRACK;
  return at < g.start ? SB_PAGEUP : SB_PAGEDOWN;
}

int ArrowOf(WORD request) { return request == SB_LINEUP ? 1 : request == SB_LINEDOWN ? 2 : 0; }

}  // namespace

void TrackScrollBar(HWND window, int bar, POINT screen) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return;
  const UINT scrollMessage = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  WORD request;
  int along, start;
  {
    UserLock lock;
    if (w->style & WS_DISABLED) return;
    request = RequestAt(*w, bar, screen, &along);
    const RECT r = ScrollBarRect(*w, bar);
    const int length = bar == SB_VERT ? r.bottom - r.top : r.right - r.left;
    const int breadth = bar == SB_VERT ? r.right - r.left : r.bottom - r.top;
    start = style::Thumb(length, breadth, *BarOf(*w, bar)).start;
  }
  if (request == 0xFFFF) return;
  const bool onThumb = request == SB_THUMBTRACK;
  const int grab = along - start;
  int lastPos;
  {
    UserLock lock;
    ScrollBarState& s = *BarOf(*w, bar);
    s.tracking = onThumb;
    s.trackPos = s.pos;
    s.pushedArrow = ArrowOf(request);
    lastPos = s.pos;
  }
  if (!onThumb) {
    RedrawBarNow(window, bar);
    Send(window, scrollMessage, request, 0);
    // Held, the request repeats while the pointer stays on what was pressed
    // (a page press: on the same side of the thumb).
    if (IsWindow(window)) SetTimer(window, kScrollRepeatTimer, kScrollFirstRepeat, nullptr);
  }
  SetCapture(window);
  POINT pointer = screen;
  // A modal loop until the button comes up.
  MSG msg;
  while (GetCapture() == window && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
    if (msg.message == WM_TIMER && msg.hwnd == window && msg.wParam == kScrollRepeatTimer) {
      bool still;
      {
        UserLock lock;
        if (w->life == Life::Dead) break;
        still = RequestAt(*w, bar, pointer) == request;
      }
      if (still) Send(window, scrollMessage, request, 0);
      if (IsWindow(window)) SetTimer(window, kScrollRepeatTimer, kScrollRepeat, nullptr);
      continue;
    }
    if (msg.message == WM_MOUSEMOVE) {
      POINT p = crack::MouseOf(msg.wParam, msg.lParam).pt;
      ClientToScreen(window, &p);
      pointer = p;
    }
    if (msg.message == WM_MOUSEMOVE && onThumb) {
      int pos;
      {
        UserLock lock;
        if (w->life == Life::Dead) break;
        const RECT wr = ScreenWindowRect(*w);
        const RECT r = ScrollBarRect(*w, bar);
        const int at = bar == SB_VERT ? pointer.y - wr.top - r.top : pointer.x - wr.left - r.left;
        pos = PositionAt(*w, bar, at, grab);
        BarOf(*w, bar)->trackPos = pos;
      }
      if (pos != lastPos) {
        lastPos = pos;
        RedrawBarNow(window, bar);
        Send(window, scrollMessage, MAKELONG(SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
      }
      continue;
    }
    if (msg.message == WM_MOUSEMOVE) {
      // A held arrow looks pushed only while the pointer is on it.
      bool changed = false;
      {
        UserLock lock;
        if (w->life == Life::Dead) break;
        const int pushed = RequestAt(*w, bar, pointer) == request ? ArrowOf(request) : 0;
        changed = BarOf(*w, bar)->pushedArrow != pushed;
        BarOf(*w, bar)->pushedArrow = pushed;
      }
      if (changed) RedrawBarNow(window, bar);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == window) ReleaseCapture();
  if (!IsWindow(window)) return;
  if (!onThumb) KillTimer(window, kScrollRepeatTimer);
  if (onThumb) Send(window, scrollMessage, MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(lastPos)), 0);
  {
    UserLock lock;
    if (w->life != Life::Dead) {
      BarOf(*w, bar)->tracking = false;
      BarOf(*w, bar)->pushedArrow = 0;
    }
  }
  Send(window, scrollMessage, SB_ENDSCROLL, 0);
  RedrawBarNow(window, bar);
}

}  // namespace user

using namespace user;

int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
  if (!info || (info->cbSize != sizeof(SCROLLINFO) && info->cbSize != sizeof(SCROLLINFO) - sizeof(int)))
    return static_cast<int>(Fail(ERROR_INVALID_PARAMETER));
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  int pos;
  bool showChange = false, show = false;
  {
    UserLock lock;
    ScrollBarState* s = BarOf(*w, bar);
    if (!s) return static_cast<int>(Fail(ERROR_INVALID_PARAMETER));
    if (info->fMask & SIF_RANGE) {
      s->min = info->nMin;
      s->max = info->nMax;
    }
    if (info->fMask & SIF_PAGE) s->page = info->nPage;
    if (info->fMask & SIF_POS) s->pos = info->nPos;
    Normalise(*s);
    pos = s->pos;
    if (bar != SB_CTL) {
      // A bar with nothing to scroll goes away unless asked to stay disabled.
      const long long range = static_cast<long long>(s->max) - s->min + 1;
      const bool needed = s->max > s->min && (!s->page || static_cast<long long>(s->page) < range);
      const DWORD styleBit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
      const bool has = (w->style & styleBit) != 0;
      if ((info->fMask & (SIF_RANGE | SIF_PAGE)) && !(info->fMask & SIF_DISABLENOSCROLL) && has != needed) {
        showChange = true;
        show = needed;
      }
    }
  }
  if (showChange) ShowScrollBar(window, bar, show);
  else if (redraw) RedrawBar(window, bar);
  return pos;
}

BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
  if (!info || (info->cbSize != sizeof(SCROLLINFO) && info->cbSize != sizeof(SCROLLINFO) - sizeof(int)))
    return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  ScrollBarState* s = BarOf(*w, bar);
  if (!s) return Fail(ERROR_INVALID_PARAMETER);
  if (info->fMask & SIF_RANGE) {
    info->nMin = s->min;
    info->nMax = s->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s->page;
  if (info->fMask & SIF_POS) info->nPos = s->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->tracking ? s->trackPos : s->pos;
  return TRUE;
}

int SetScrollPos(HWND window, int bar, int pos, BOOL redraw) {
  const int old = GetScrollPos(window, bar);
  SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, pos, 0};
  if (!SetScrollInfo(window, bar, &si, redraw) && GetLastError() == ERROR_INVALID_WINDOW_HANDLE) return 0;
  return old;
}

int GetScrollPos(HWND window, int bar) {
  SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(window, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND window, int bar, int minPos, int maxPos, BOOL redraw) {
  if (maxPos - static_cast<long long>(minPos) > 0x7FFFFFFF) return Fail(ERROR_INVALID_PARAMETER);
  SCROLLINFO si{sizeof(si), SIF_RANGE, minPos, maxPos, 0, 0, 0};
  SetScrollInfo(window, bar, &si, redraw);
  return IsWindow(window);
}

BOOL GetScrollRange(HWND window, int bar, LPINT minPos, LPINT maxPos) {
  SCROLLINFO si{sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(window, bar, &si)) return FALSE;
  if (minPos) *minPos = si.nMin;
  if (maxPos) *maxPos = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND window, int bar, BOOL show) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : bar == SB_BOTH ? WS_HSCROLL | WS_VSCROLL : 0;
  if (bar == SB_CTL) return ShowWindow(window, show ? SW_SHOW : SW_HIDE), TRUE;
  if (!bits) return Fail(ERROR_INVALID_PARAMETER);
  {
    UserLock lock;
    const DWORD before = w->style;
    if (show) w->style |= bits;
    else w->style &= ~bits;
    if (before == w->style) return TRUE;
  }
  // The client area changes: the frame is recomputed.
  SetWindowPosImpl(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  {
    UserLock lock;
    if (bar == SB_BOTH) {
      w->hbar.disabledArrows = w->vbar.disabledArrows = arrows & ESB_DISABLE_BOTH;
    } else {
      ScrollBarState* s = BarOf(*w, static_cast<int>(bar));
      if (!s) return Fail(ERROR_INVALID_PARAMETER);
      s->disabledArrows = arrows & ESB_DISABLE_BOTH;
    }
  }
  RedrawBar(window, static_cast<int>(bar));
  return TRUE;
}
