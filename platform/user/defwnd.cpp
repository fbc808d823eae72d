// The default window procedure: what a window does with a message its own
// procedure passes on. Each message is cracked once into typed values here.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/message_crack.h"
#include "platform/user/menus/menu_model.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

LRESULT OnNcCreate(Window& w, const CREATESTRUCTW* cs) {
  if (cs && cs->lpszName) w.text = IsAtomArg(cs->lpszName) ? u"" : std::u16string(cs->lpszName);
  return TRUE;
}

LRESULT OnNcCalcSize(const Window& w, bool validRects, LPARAM lParam) {
  RECT* r = validRects ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  if (!r) return 0;
  *r = ClientFromWindow(*r, w.style, w.exStyle, !w.IsChild() && w.id != 0);
  return 0;
}

LRESULT OnEraseBackground(HWND window, HDC dc, HBRUSH background) {
  if (!background || !dc) return 0;
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, background);
  return 1;
}

LRESULT OnSetCursor(HWND window, HWND under, LRESULT hit, UINT mouseMessage, HCURSOR classCursor, HWND parent) {
  // The parent may decide first.
  if (parent && Send(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELONG(static_cast<WORD>(hit), static_cast<WORD>(mouseMessage))))
    return TRUE;
  switch (hit) {
    case HTCLIENT:
      if (classCursor) SetCursor(classCursor);
      else return FALSE;
      return TRUE;
    case HTLEFT:
    case HTRIGHT: SetCursor(LoadCursorA(nullptr, IDC_SIZEWE)); return TRUE;
    case HTTOP:
    case HTBOTTOM: SetCursor(LoadCursorA(nullptr, IDC_SIZENS)); return TRUE;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: SetCursor(LoadCursorA(nullptr, IDC_SIZENWSE)); return TRUE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: SetCursor(LoadCursorA(nullptr, IDC_SIZENESW)); return TRUE;
    case HTERROR: return FALSE;
    default: SetCursor(LoadCursorA(nullptr, IDC_ARROW)); return TRUE;
  }
  (void)window;
}

void OnWindowPosChanged(HWND window, const WINDOWPOS* pos, const Window& w) {
  if (!pos) return;
  const RECT client = w.clientRect;
  if (!(pos->flags & SWP_NOCLIENTMOVE))
    Send(window, WM_MOVE, 0, crack::PackPoint(POINT{client.left, client.top}));
  if (!(pos->flags & SWP_NOCLIENTSIZE)) {
    const WPARAM kind = w.maximized ? SIZE_MAXIMIZED : w.minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
    Send(window, WM_SIZE, kind,
         MAKELONG(static_cast<WORD>(client.right - client.left), static_cast<WORD>(client.bottom - client.top)));
  }
}

void KeyMenu(HWND window, LPARAM character) {
  const HWND root = GetAncestor(window, GA_ROOT);
  Send(root ? root : window, WM_SYSCOMMAND, SC_KEYMENU, character);
}

}  // namespace
}  // namespace user

using namespace user;

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: {
      UserLock lock;
      return OnNcCreate(*w, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    }
    case WM_NCCALCSIZE: {
      UserLock lock;
      return OnNcCalcSize(*w, wParam != 0, lParam);
    }
    case WM_NCHITTEST: {
      UserLock lock;
      return NcHitTest(*w, crack::HitTestPoint(lParam));
    }
    case WM_NCPAINT: {
      bool active;
      {
        UserLock lock;
        active = NcActiveLook(*w);
      }
      NcPaint(window, active);
      return 0;
    }
    case WM_NCACTIVATE: {
      {
        UserLock lock;
        w->ncActive = wParam != 0;
      }
      NcPaint(window, wParam != 0);
      return TRUE;
    }
    case WM_SETTEXT: {
      {
        UserLock lock;
        w->text = lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string();
      }
      bool caption, topLevel;
      std::u16string title;
      {
        UserLock lock;
        caption = (w->style & WS_CAPTION) == WS_CAPTION;
        topLevel = w->parent && w->parent->desktop;
        title = w->text;
      }
      if (topLevel) display::Current().TitleChanged(window, title);
      if (caption) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      return TRUE;
    }
    case WM_GETTEXT: {
      UserLock lock;
      return CopyOut(w->text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF)));
    }
    case WM_GETTEXTLENGTH: {
      UserLock lock;
      return static_cast<LRESULT>(w->text.size());
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush;
      {
        UserLock lock;
        brush = w->cls ? w->cls->background : nullptr;
      }
      return OnEraseBackground(window, reinterpret_cast<HDC>(wParam), brush);
    }
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_CANCELMODE:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      DWORD style;
      {
        UserLock lock;
        style = w->style;
      }
      if (pos && !(pos->flags & SWP_NOSIZE) && ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)))) {
        MINMAXINFO mmi{};
        mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
        mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        Send(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        pos->cx = std::clamp<int>(pos->cx, 0, std::max<int>(mmi.ptMaxTrackSize.x, 0));
        pos->cy = std::clamp<int>(pos->cy, 0, std::max<int>(mmi.ptMaxTrackSize.y, 0));
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      Window copy;
      {
        UserLock lock;
        copy.clientRect = w->clientRect;
        copy.maximized = w->maximized;
        copy.minimized = w->minimized;
      }
      OnWindowPosChanged(window, reinterpret_cast<const WINDOWPOS*>(lParam), copy);
      return 0;
    }
    case WM_ACTIVATE: {
      const crack::Activate a = crack::ActivateOf(wParam, lParam);
      if (a.state != WA_INACTIVE && !a.minimized) SetFocus(window);
      return 0;
    }
    case WM_MOUSEACTIVATE: {
      HWND parent = GetParent(window);
      bool child;
      {
        UserLock lock;
        child = w->IsChild();
      }
      if (child && parent) {
        const LRESULT r = Send(parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    }
    case WM_SETCURSOR: {
      // The cursor is that of the window under the mouse (wParam), whoever answers.
      HCURSOR cursor = nullptr;
      HWND parent = nullptr;
      WindowPtr under = FindWinQuiet(reinterpret_cast<HWND>(wParam));
      {
        UserLock lock;
        const Window& source = under ? *under : *w;
        cursor = source.cls ? source.cls->cursor : nullptr;
        if (w->IsChild() && w->parent && !w->parent->desktop) parent = w->parent->handle;
      }
      const crack::SetCursor c = crack::SetCursorOf(wParam, lParam);
      return OnSetCursor(window, c.under, c.hit, c.mouseMessage, cursor, parent);
    }
    case WM_NCLBUTTONDOWN: {
      const crack::NcMouse m = crack::NcMouseOf(wParam, lParam);
      DWORD style;
      {
        UserLock lock;
        style = w->style;
      }
      if (m.hit == HTVSCROLL || m.hit == HTHSCROLL) {
        TrackScrollBar(window, m.hit == HTVSCROLL ? SB_VERT : SB_HORZ, m.screen);
      } else if (m.hit == HTCLOSE || m.hit == HTMINBUTTON || m.hit == HTMAXBUTTON) {
        TrackCaptionButton(window, m.hit);
      } else if (m.hit == HTMENU) {
        menus::TrackMenuBar(window, m.screen);
      } else if (m.hit == HTSYSMENU) {
        Send(window, WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, lParam);
      } else if (m.hit == HTCAPTION) {
        Send(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      } else if (m.hit >= HTLEFT && m.hit <= HTBOTTOMRIGHT && (style & WS_THICKFRAME)) {
        Send(window, WM_SYSCOMMAND, SC_SIZE | static_cast<WPARAM>(m.hit - HTLEFT + WMSZ_LEFT), lParam);
      }
      return 0;
    }
    case WM_NCLBUTTONDBLCLK: {
      DWORD style;
      {
        UserLock lock;
        style = w->style;
      }
      const LRESULT hit = crack::NcMouseOf(wParam, lParam).hit;
      if (hit == HTCAPTION && (style & WS_MAXIMIZEBOX))
        Send(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      // "Double-clicking the window menu's icon closes the window."
      if (hit == HTSYSMENU) Send(window, WM_SYSCOMMAND, SC_CLOSE, lParam);
      return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      // "If the F10 key or the ALT key was released" with nothing pressed
      // since, the top-level window hears SC_KEYMENU.
      int& alone = ThisQueue().menuKeyAlone;
      if ((wParam == VK_MENU || wParam == VK_F10) && alone == static_cast<int>(wParam)) {
        alone = 0;
        KeyMenu(window, 0);
      }
      return 0;
    }
    case WM_SYSKEYDOWN:
      // Alt+F4 is the window menu's Close for the top-level window.
      if (wParam == VK_F1 + 3 && (lParam & (1 << 29))) {  // the context code: Alt is down
        const HWND root = GetAncestor(window, GA_ROOT);
        Send(root ? root : window, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_SYSCHAR:
      // Alt with a character: the menu bar item it is the mnemonic of, or
      // (Alt+Space) the window menu.
      KeyMenu(window, static_cast<LPARAM>(wParam));
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_KEYMENU:
          if (lParam == u' ') menus::TrackSystemMenu(window, true);
          else menus::KeyboardMenuBar(window, static_cast<WCHAR>(lParam));
          return 0;
        case SC_MOUSEMENU: menus::TrackSystemMenu(window, false); return 0;
        case SC_CLOSE: {
          bool noClose;
          {
            UserLock lock;
            noClose = w->cls && (w->cls->style & CS_NOCLOSE);
          }
          if (!noClose) Send(window, WM_CLOSE, 0, 0);
          return 0;
        }
        case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(window, SW_MAXIMIZE); return 0;
        case SC_RESTORE: ShowWindow(window, SW_RESTORE); return 0;
        case SC_MOVE:
        case SC_SIZE:
          // "lParam: the pointer's position if chosen with the mouse; otherwise
          // not used": zero is the keyboard.
          if (!IsZoomed(window) && !IsIconic(window))
            TrackMoveSize(window, wParam, crack::HitTestPoint(lParam), lParam == 0);
          return 0;
        default: return 0;
      }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
      // Unhandled wheel turns go up to the parent.
      bool child;
      {
        UserLock lock;
        child = w->IsChild();
      }
      if (child) return Send(GetParent(window), message, wParam, lParam);
      return 0;
    }
    case WM_SHOWWINDOW:
    case WM_GETMINMAXINFO:
    case WM_NCDESTROY:
    case WM_DESTROY: return 0;
    case WM_SETREDRAW: {
      UserLock lock;
      w->redraw = wParam != 0;
      return 0;
    }
    case WM_ENABLE: return 0;
    case WM_GETFONT: return 0;
    case WM_IME_COMPOSITION:
    case WM_IME_CHAR:
      return DefaultIme(window, message, wParam, lParam);
    case WM_SETICON: {
      HICON old;
      {
        UserLock lock;
        HICON& slot = wParam == ICON_SMALL ? w->smallIcon : w->bigIcon;
        old = slot;
        slot = reinterpret_cast<HICON>(lParam);
      }
      TellDisplayIcon(window);  // a window already shown shows its new icon
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: {
      UserLock lock;
      return reinterpret_cast<LRESULT>(wParam == ICON_SMALL ? w->smallIcon : w->bigIcon);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const bool editLike = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
      SetTextColor(dc, SysColour(COLOR_WINDOWTEXT));
      SetBkColor(dc, SysColour(editLike ? COLOR_WINDOW : COLOR_3DFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(editLike ? COLOR_WINDOW : COLOR_3DFACE));
    }
    case WM_PRINTCLIENT:
    case WM_PRINT: return 0;
    default: return 0;
  }
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallProcA(DefWindowProcW, true, window, message, wParam, lParam);
}
