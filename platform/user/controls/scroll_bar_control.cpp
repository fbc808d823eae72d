// The scroll bar control: its range, page and position are the window's
// SB_CTL scroll information; clicks on the arrows, the shaft and the thumb
// become WM_HSCROLL / WM_VSCROLL to the parent (a held arrow or shaft press
// repeating on the layer's clock), as do the arrow keys.
#include <algorithm>

#include "platform/user/controls/control_classes.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/message_crack.h"
#include "platform/user/window_internal.h"

namespace controls {
namespace {

struct Bar {
  bool tracking = false;  // dragging the thumb
  int grabOffset = 0;
  WORD repeating = 0xFFFF;  // the scroll code of a held arrow or shaft press
};

bool Vertical(HWND w) { return (GetWindowLongW(w, GWL_STYLE) & SBS_VERT) != 0; }

SCROLLINFO Info(HWND w) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(w, SB_CTL, &si);
  return si;
}

struct Geometry {
  int length;  // along the bar
  int arrow;   // each arrow's size
  int thumbStart, thumbSize;
};

Geometry Measure(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  const bool vertical = Vertical(w);
  Geometry g{};
  g.length = vertical ? r.bottom : r.right;
  const int breadth = vertical ? r.right : r.bottom;
  g.arrow = std::min(breadth, g.length / 2);
  const SCROLLINFO si = Info(w);
  const int shaft = std::max(0, g.length - 2 * g.arrow);
  const int range = std::max(1, si.nMax - si.nMin + 1);
  g.thumbSize = si.nPage ? std::max(8, static_cast<int>(static_cast<int64_t>(shaft) * si.nPage / range)) : std::min(breadth, shaft);
  g.thumbSize = std::min(g.thumbSize, shaft);
  const int travel = shaft - g.thumbSize;
  const int steps = std::max(1, si.nMax - si.nMin - static_cast<int>(si.nPage ? si.nPage - 1 : 0));
  g.thumbStart = g.arrow + static_cast<int>(static_cast<int64_t>(travel) * (si.nPos - si.nMin) / steps);
  return g;
}

void Send(HWND w, WORD code, int position = 0) {
  const HWND parent = GetParent(w);
  if (!parent) return;
  SendMessageW(parent, Vertical(w) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)),
               reinterpret_cast<LPARAM>(w));
}

void Paint(HWND w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  const bool vertical = Vertical(w), enabled = IsWindowEnabled(w) != FALSE;
  const Geometry g = Measure(w);
  FillRect(dc, &r, ParentBrush(w, dc, WM_CTLCOLORSCROLLBAR, COLOR_SCROLLBAR));
  const UINT inactive = enabled ? 0 : DFCS_INACTIVE;
  RECT first = vertical ? RECT{0, 0, r.right, g.arrow} : RECT{0, 0, g.arrow, r.bottom};
  RECT second = vertical ? RECT{0, g.length - g.arrow, r.right, g.length} : RECT{g.length - g.arrow, 0, g.length, r.bottom};
  DrawFrameControl(dc, &first, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
  DrawFrameControl(dc, &second, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
  if (enabled && g.thumbSize > 0) {
    RECT thumb = vertical ? RECT{0, g.thumbStart, r.right, g.thumbStart + g.thumbSize}
                          : RECT{g.thumbStart, 0, g.thumbStart + g.thumbSize, r.bottom};
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  EndPaint(w, &ps);
}

WORD CodeAt(HWND w, POINT p, const Geometry& g) {
  const int at = Vertical(w) ? p.y : p.x;
  if (at < g.arrow) return SB_LINEUP;
  if (at >= g.length - g.arrow) return SB_LINEDOWN;
  if (at < g.thumbStart) return SB_PAGEUP;
  if (at >= g.thumbStart + g.thumbSize) return SB_PAGEDOWN;
  return SB_THUMBTRACK;
}

int PositionFor(HWND w, int thumbStart) {
  const Geometry g = Measure(w);
  const SCROLLINFO si = Info(w);
  const int travel = std::max(1, g.length - 2 * g.arrow - g.thumbSize);
  const int steps = std::max(0, si.nMax - si.nMin - static_cast<int>(si.nPage ? si.nPage - 1 : 0));
  const int offset = std::clamp(thumbStart - g.arrow, 0, travel);
  return si.nMin + static_cast<int>((static_cast<int64_t>(offset) * steps + travel / 2) / travel);
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<Bar>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Bar* b = StateOf<Bar>(w);
  if (!b) return DefWindowProcW(w, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: {
      SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS, 0, 100, 0, 0, 0};
      SetScrollInfo(w, SB_CTL, &si, FALSE);
      return 0;
    }
    case WM_DESTROY:
      // The window's data is out of reach once WM_NCDESTROY starts.
      DropState<Bar>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w); return 0;
    case WM_ENABLE: InvalidateRect(w, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
      const POINT p = crack::MouseOf(wParam, lParam).pt;
      const Geometry g = Measure(w);
      const WORD code = CodeAt(w, p, g);
      SetCapture(w);
      if (code == SB_THUMBTRACK) {
        b->tracking = true;
        b->grabOffset = (Vertical(w) ? p.y : p.x) - g.thumbStart;
      } else {
        b->repeating = code;
        Send(w, code);
        // Held, the request repeats while the pointer stays on what was pressed.
        if (IsWindow(w) && b->repeating != 0xFFFF) SetTimer(w, user::kScrollRepeatTimer, user::kScrollFirstRepeat, nullptr);
      }
      return 0;
    }
    case WM_TIMER: {
      if (wParam != user::kScrollRepeatTimer) return DefWindowProcW(w, message, wParam, lParam);
      if (b->repeating == 0xFFFF || GetCapture() != w) {
        KillTimer(w, user::kScrollRepeatTimer);
        return 0;
      }
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(w, &p);
      RECT client;
      GetClientRect(w, &client);
      const WORD code = b->repeating;
      if (PtInRect(&client, p) && CodeAt(w, p, Measure(w)) == code) Send(w, code);
      if (IsWindow(w)) SetTimer(w, user::kScrollRepeatTimer, user::kScrollRepeat, nullptr);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (b->tracking) {
        const POINT p = crack::MouseOf(wParam, lParam).pt;
        Send(w, SB_THUMBTRACK, PositionFor(w, (Vertical(w) ? p.y : p.x) - b->grabOffset));
      }
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == w) ReleaseCapture();
      if (b->tracking) {
        const POINT p = crack::MouseOf(wParam, lParam).pt;
        b->tracking = false;
        Send(w, SB_THUMBPOSITION, PositionFor(w, (Vertical(w) ? p.y : p.x) - b->grabOffset));
        Send(w, SB_ENDSCROLL);
      } else if (b->repeating != 0xFFFF) {
        b->repeating = 0xFFFF;
        KillTimer(w, user::kScrollRepeatTimer);
        Send(w, SB_ENDSCROLL);
      }
      return 0;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_UP: case VK_LEFT: Send(w, SB_LINEUP); break;
        case VK_DOWN: case VK_RIGHT: Send(w, SB_LINEDOWN); break;
        case VK_PRIOR: Send(w, SB_PAGEUP); break;
        case VK_NEXT: Send(w, SB_PAGEDOWN); break;
        case VK_HOME: Send(w, SB_TOP); break;
        case VK_END: Send(w, SB_BOTTOM); break;
        default: return 0;
      }
      Send(w, SB_ENDSCROLL);
      return 0;
    case SBM_SETPOS: {
      const int old = GetScrollPos(w, SB_CTL);
      SetScrollPos(w, SB_CTL, static_cast<int>(wParam), lParam != 0);
      return old;
    }
    case SBM_GETPOS: return GetScrollPos(w, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      const int old = GetScrollPos(w, SB_CTL);
      SetScrollRange(w, SB_CTL, static_cast<int>(wParam), static_cast<int>(lParam), message == SBM_SETRANGEREDRAW);
      return old;
    }
    case SBM_GETRANGE:
      if (!wParam || !lParam) return 0;
      GetScrollRange(w, SB_CTL, reinterpret_cast<LPINT>(wParam), reinterpret_cast<LPINT>(lParam));
      return 0;
    case SBM_SETSCROLLINFO:
      if (!lParam) return 0;
      return SetScrollInfo(w, SB_CTL, reinterpret_cast<LPCSCROLLINFO>(lParam), static_cast<BOOL>(wParam));
    case SBM_GETSCROLLINFO:
      if (!lParam) return FALSE;
      return GetScrollInfo(w, SB_CTL, reinterpret_cast<LPSCROLLINFO>(lParam));
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT ScrollBarProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace controls
