// Scroll bars: the state of a window's bars (WS_HSCROLL/WS_VSCROLL) and of a
// scroll-bar control (SB_CTL, kept for the control), SetScrollInfo with page
// and position kept in range, and mouse tracking of window bars: arrows and
// the shaft send line and page requests, the thumb SB_THUMBTRACK while it is
// dragged and SB_THUMBPOSITION where it is let go, then SB_ENDSCROLL.
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

void TrackScrollBar(HWND window, int bar, POINT screen) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return;
  const UINT scrollMessage = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  int along, start, size, arrow, length;
  {
    UserLock lock;
    const RECT wr = ScreenWindowRect(*w);
    RECT r = ScrollBarRect(*w, bar);
    const bool vertical = bar == SB_VERT;
    length = vertical ? r.bottom - r.top : r.right - r.left;
    const int breadth = vertical ? r.right - r.left : r.bottom - r.top;
    const style::ThumbGeometry g = style::Thumb(length, breadth, *BarOf(*w, bar));
    along = vertical ? screen.y - wr.top - r.top : screen.x - wr.left - r.left;
    start = g.start;
    size = g.size;
    arrow = g.arrow;
    if (w->style & WS_DISABLED) return;
  }
  WORD request;
  const bool onThumb = size > 0 && along >= start && along < start + size;
  if (along < arrow) request = SB_LINEUP;
  else if (along >= length - arrow) request = SB_LINEDOWN;
  else if (onThumb) request = SB_THUMBTRACK;
  else if (size == 0) return;
  else request = along < start ? SB_PAGEUP : SB_PAGEDOWN;
  if (request != SB_THUMBTRACK) Send(window, scrollMessage, request, 0);
  const int grab = along - start;
  int lastPos;
  {
    UserLock lock;
    BarOf(*w, bar)->tracking = onThumb;
    BarOf(*w, bar)->trackPos = BarOf(*w, bar)->pos;
    lastPos = BarOf(*w, bar)->pos;
  }
  SetCapture(window);
  // A modal loop until the button comes up.
  MSG msg;
  while (GetCapture() == window && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
    if (msg.message == WM_MOUSEMOVE && onThumb) {
      POINT p = crack::MouseOf(msg.wParam, msg.lParam).pt;
      ClientToScreen(window, &p);
      int pos;
      {
        UserLock lock;
        if (w->life == Life::Dead) break;
        const RECT wr = ScreenWindowRect(*w);
        const RECT r = ScrollBarRect(*w, bar);
        const int at = bar == SB_VERT ? p.y - wr.top - r.top : p.x - wr.left - r.left;
        pos = PositionAt(*w, bar, at, grab);
        BarOf(*w, bar)->trackPos = pos;
      }
      if (pos != lastPos) {
        lastPos = pos;
        RedrawBar(window, bar);
        Send(window, scrollMessage, MAKELONG(SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
      }
      continue;
    }
    if (msg.message == WM_MOUSEMOVE) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == window) ReleaseCapture();
  if (!IsWindow(window)) return;
  if (onThumb) Send(window, scrollMessage, MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(lastPos)), 0);
  {
    UserLock lock;
    if (w->life != Life::Dead) BarOf(*w, bar)->tracking = false;
  }
  Send(window, scrollMessage, SB_ENDSCROLL, 0);
  RedrawBar(window, bar);
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
