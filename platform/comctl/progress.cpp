// The progress bar control.
#include <algorithm>

#include "platform/comctl/comctl_classes.h"
#include "platform/comctl/control_state.h"
#include "platform/comctl/progress.h"

namespace comctl {
namespace {

struct Progress {
  int low = 0, high = 100, pos = 0, step = 10;
  COLORREF bar = CLR_DEFAULT, background = CLR_DEFAULT;
  int state = PBST_NORMAL;
};

LRESULT Range16(const Progress& p) {
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(p.low), static_cast<WORD>(p.high)));
}

void Redraw(HWND w) { InvalidateRect(w, nullptr, TRUE); }

LRESULT SetPos(HWND w, Progress& p, int pos) {
  const int old = p.pos;
  p.pos = std::clamp(pos, std::min(p.low, p.high), std::max(p.low, p.high));
  if (p.pos != old) Redraw(w);
  return old;
}

LRESULT SetRange(HWND w, Progress& p, int low, int high) {
  const LRESULT old = Range16(p);
  p.low = low;
  p.high = high;
  SetPos(w, p, p.pos);
  Redraw(w);
  return old;
}

void Paint(HWND w, const Progress& p) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  HBRUSH back = p.background == CLR_DEFAULT ? GetSysColorBrush(COLOR_3DFACE) : CreateSolidBrush(p.background);
  FillRect(dc, &r, back);
  if (p.background != CLR_DEFAULT) DeleteObject(back);
  RECT edge = r;
  DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(&r, -2, -2);
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  const bool vertical = (style & PBS_VERTICAL) != 0;
  const int length = vertical ? r.bottom - r.top : r.right - r.left;
  const int span = p.high - p.low;
  const int filled = span > 0 && length > 0 ? static_cast<int>(static_cast<long long>(p.pos - p.low) * length / span) : 0;
  HBRUSH bar = p.bar == CLR_DEFAULT ? GetSysColorBrush(COLOR_HIGHLIGHT) : CreateSolidBrush(p.bar);
  if (style & PBS_SMOOTH) {
    RECT fill = r;
    if (vertical) fill.top = r.bottom - filled;
    else fill.right = r.left + filled;
    FillRect(dc, &fill, bar);
  } else {
    // Blocks two thirds as long as the bar is thick, two pixels apart;
    // the last block shows as soon as the position reaches into it.
    const int thickness = vertical ? r.right - r.left : r.bottom - r.top;
    const int block = std::max(2, thickness * 2 / 3), gap = 2;
    for (int at = 0; at < filled; at += block + gap) {
      const int end = std::min(at + block, length);
      RECT fill = vertical ? RECT{r.left, r.bottom - end, r.right, r.bottom - at} : RECT{r.left + at, r.top, r.left + end, r.bottom};
      FillRect(dc, &fill, bar);
    }
  }
  if (p.bar != CLR_DEFAULT) DeleteObject(bar);
  EndPaint(w, &ps);
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<Progress>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Progress* pp = StateOf<Progress>(w);
  if (!pp) return DefWindowProcW(w, message, wParam, lParam);
  Progress& p = *pp;
  switch (message) {
    case WM_NCDESTROY:
      DropState<Progress>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_PAINT: Paint(w, p); return 0;
    case WM_ERASEBKGND: return 1;
    case PBM_SETRANGE:
      return SetRange(w, p, static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))),
                      static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lParam))));
    case PBM_SETRANGE32: return SetRange(w, p, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE: {
      if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{p.low, p.high};
      return wParam ? p.low : p.high;
    }
    case PBM_SETPOS: return SetPos(w, p, static_cast<int>(wParam));
    case PBM_DELTAPOS: return SetPos(w, p, p.pos + static_cast<int>(wParam));
    case PBM_GETPOS: return p.pos;
    case PBM_SETSTEP: {
      const int old = p.step;
      p.step = static_cast<int>(wParam);
      return old;
    }
    case PBM_GETSTEP: return p.step;
    case PBM_STEPIT: {
      // Past the end of the range the bar starts over from the other end.
      const int old = p.pos;
      int next = p.pos + p.step;
      const int lo = std::min(p.low, p.high), hi = std::max(p.low, p.high);
      if (hi > lo && next > hi) next = lo + (next - hi) % (hi - lo);
      if (hi > lo && next < lo) next = hi - (lo - next) % (hi - lo);
      SetPos(w, p, next);
      return old;
    }
    case PBM_SETBARCOLOR: {
      const COLORREF old = p.bar;
      p.bar = static_cast<COLORREF>(lParam);
      Redraw(w);
      return old;
    }
    case PBM_SETBKCOLOR: {
      const COLORREF old = p.background;
      p.background = static_cast<COLORREF>(lParam);
      Redraw(w);
      return old;
    }
    case PBM_GETBARCOLOR: return p.bar;
    case PBM_GETBKCOLOR: return p.background;
    case PBM_SETSTATE: {
      if (wParam < PBST_NORMAL || wParam > PBST_PAUSED) return 0;
      const int old = p.state;
      p.state = static_cast<int>(wParam);
      return old;
    }
    case PBM_GETSTATE: return p.state;
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT ProgressProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace comctl
