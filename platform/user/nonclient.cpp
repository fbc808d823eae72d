// The non-client area in the classic style: the layout of frame, caption,
// menu bar, client edge and scroll bars (one function that every user of
// the geometry shares), hit testing, and painting through the style painter.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/menus/menu_model.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

// The parts of a window, in window coordinates (0, 0 = its top-left corner).
struct NcLayout {
  RECT inner;    // inside the frame
  RECT caption;  // empty without one
  RECT menu;     // empty without one
  RECT vscroll;
  RECT hscroll;
  RECT corner;   // between the two scroll bars
  RECT client;
  int frame;     // frame width
  bool thick;
};

NcLayout Layout(int width, int height, DWORD style, DWORD exStyle, bool menu) {
  NcLayout l{};
  RECT r{0, 0, width, height};
  const bool desktop = DesktopFramed(style);
  l.thick = !desktop && (style & WS_THICKFRAME) != 0;
  if (desktop) {
    // The window manager's frame: its thickness on each side, no caption of ours.
    const RECT e = display::Current().FrameExtents();
    r = RECT{std::min<LONG>(e.left, width), std::min<LONG>(e.top, height), std::max<LONG>(width - e.right, 0),
             std::max<LONG>(height - e.bottom, 0)};
    l.inner = r;
    style &= ~WS_CAPTION;
  } else if (l.thick) l.frame = Metric(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) l.frame = Metric(SM_CXDLGFRAME);
  else if (style & WS_BORDER) l.frame = Metric(SM_CXBORDER);
  if (!desktop) {
    InflateRect(&r, -l.frame, -l.frame);
    l.inner = r;
  }
  if ((style & WS_CAPTION) == WS_CAPTION) {
    const int h = (exStyle & WS_EX_TOOLWINDOW) ? Metric(SM_CYSMCAPTION) : Metric(SM_CYCAPTION);
    l.caption = RECT{r.left, r.top, r.right, std::min<LONG>(r.top + h - 1, r.bottom)};
    r.top = std::min<LONG>(r.top + h, r.bottom);
  }
  if (menu && !(style & WS_CHILD)) {
    l.menu = RECT{r.left, r.top, r.right, std::min<LONG>(r.top + Metric(SM_CYMENU), r.bottom)};
    r.top = l.menu.bottom;
  }
  if (exStyle & WS_EX_CLIENTEDGE) InflateRect(&r, -Metric(SM_CXEDGE), -Metric(SM_CYEDGE));
  else if (exStyle & WS_EX_STATICEDGE) InflateRect(&r, -1, -1);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  if (style & WS_VSCROLL) {
    const int w = std::min<int>(Metric(SM_CXVSCROLL), r.right - r.left);
    l.vscroll = RECT{r.right - w, r.top, r.right, r.bottom};
    r.right -= w;
  }
  if (style & WS_HSCROLL) {
    const int h = std::min<int>(Metric(SM_CYHSCROLL), r.bottom - r.top);
    l.hscroll = RECT{r.left, r.bottom - h, r.right, r.bottom};
    r.bottom -= h;
    if (style & WS_VSCROLL) {
      l.vscroll.bottom -= h;
      l.corner = RECT{l.vscroll.left, l.hscroll.top, l.vscroll.right, l.hscroll.bottom};
    }
  }
  l.client = r;
  return l;
}

NcLayout LayoutOf(const Window& w) {
  return Layout(w.Width(), w.Height(), w.style, w.exStyle, !w.IsChild() && w.id != 0);
}

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

bool DesktopFramed(DWORD style) {
  if (style & WS_CHILD) return false;
  if ((style & WS_CAPTION) != WS_CAPTION && (style & WS_POPUP)) return false;
  return display::Current().FramesTopLevels();
}

RECT ClientFromWindow(const RECT& windowRect, DWORD style, DWORD exStyle, bool menu) {
  const NcLayout l = Layout(windowRect.right - windowRect.left, windowRect.bottom - windowRect.top, style, exStyle, menu);
  RECT c = l.client;
  OffsetRect(&c, windowRect.left, windowRect.top);
  return c;
}

RECT ScrollBarRect(const Window& w, int bar) {
  const NcLayout l = LayoutOf(w);
  return bar == SB_VERT ? l.vscroll : l.hscroll;
}

HICON CaptionIcon(const Window& w) {
  if (!(w.style & WS_SYSMENU) || (w.style & WS_CAPTION) != WS_CAPTION) return nullptr;
  if (w.exStyle & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW)) return nullptr;
  if (w.smallIcon) return w.smallIcon;
  if (w.bigIcon) return w.bigIcon;
  if (!w.cls) return nullptr;
  return w.cls->smallIcon ? w.cls->smallIcon : w.cls->icon;
}

RECT SystemMenuButtonRect(HWND window) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return {};
  UserLock lock;
  const NcLayout l = LayoutOf(*w);
  if (IsRectEmpty(&l.caption) || !CaptionIcon(*w)) return {};
  RECT r = style::CaptionIconRect(l.caption);
  const RECT wr = ScreenWindowRect(*w);
  OffsetRect(&r, wr.left, wr.top);
  return r;
}

bool NcActiveLook(const Window& w) {
  // A child (an MDI child) keeps the look its last WM_NCACTIVATE gave it, so a
  // later repaint of its frame does not turn the active child's caption grey.
  if (w.IsChild()) return w.ncActive;
  return ThisQueue().active == w.handle;
}

LRESULT NcHitTest(const Window& w, POINT screen) {
  const RECT wr = ScreenWindowRect(w);
  if (!Inside(wr, screen)) return HTNOWHERE;
  const POINT p{screen.x - wr.left, screen.y - wr.top};
  const NcLayout l = LayoutOf(w);
  RECT client = w.clientRect;
  OffsetRect(&client, -w.windowRect.left, -w.windowRect.top);
  if (Inside(client, p)) return HTCLIENT;
  if (Inside(l.vscroll, p)) return HTVSCROLL;
  if (Inside(l.hscroll, p)) return HTHSCROLL;
  if (Inside(l.corner, p)) return l.thick && !w.IsChild() ? HTBOTTOMRIGHT : HTSIZE;
  if (!Inside(l.inner, p)) {
    if (!l.thick) return HTBORDER;
    const int corner = Metric(SM_CXSIZE);
    const bool left = p.x < l.inner.left, right = p.x >= l.inner.right;
    const bool top = p.y < l.inner.top, bottom = p.y >= l.inner.bottom;
    const bool nearLeft = p.x < corner, nearRight = p.x >= w.Width() - corner;
    const bool nearTop = p.y < corner, nearBottom = p.y >= w.Height() - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    return left ? HTLEFT : HTRIGHT;
  }
  if (Inside(l.caption, p)) {
    const int button = l.caption.bottom - l.caption.top - 4;
    int x = l.caption.right - 2;
    if (w.style & WS_SYSMENU) {
      if (p.x >= x - button - 2) return HTCLOSE;
      x -= button + 4;
      if (w.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
        if (p.x >= x - button) return HTMAXBUTTON;
        if (p.x >= x - 2 * button) return HTMINBUTTON;
      }
    }
    if (CaptionIcon(w) && p.x < style::CaptionIconRect(l.caption).right) return HTSYSMENU;
    return HTCAPTION;
  }
  if (Inside(l.menu, p)) return HTMENU;
  return HTBORDER;
}

void NcPaint(HWND window, bool active) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return;
  NcLayout l;
  DWORD style, exStyle;
  std::u16string text;
  ScrollBarState h, v;
  bool enabled;
  HICON icon;
  LRESULT pushed;
  {
    UserLock lock;
    l = LayoutOf(*w);
    icon = CaptionIcon(*w);
    pushed = w->pushedCaption;
    style = w->style;
    exStyle = w->exStyle;
    text = w->text;
    h = w->hbar;
    v = w->vbar;
    enabled = !(style & WS_DISABLED);
  }
  ScopedWindowDc owner(window, GetWindowDC(window));
  HDC dc = owner.get();
  if (!dc) return;
  // The client area is left alone.
  RECT client;
  {
    UserLock lock;
    client = w->clientRect;
    OffsetRect(&client, -w->windowRect.left, -w->windowRect.top);
  }
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  const RECT whole{0, 0, l.inner.right + l.frame, l.inner.bottom + l.frame};
  if (!DesktopFramed(style)) style::Frame(dc, whole, style, exStyle, active);
  if (!IsRectEmpty(&l.caption)) {
    style::Caption(dc, l.caption, text, style, active, icon, pushed);
    const RECT line{l.caption.left, l.caption.bottom, l.caption.right, l.caption.bottom + 1};
    style::FillSys(dc, line, COLOR_3DFACE);
  }
  if (!IsRectEmpty(&l.menu)) {
    style::FillSys(dc, l.menu, COLOR_MENU);
    menus::PaintMenuBar(window, dc, l.menu);
  }
  RECT edge = l.inner;
  edge.top = std::max(l.menu.bottom, std::max(l.caption.bottom ? l.caption.bottom + 1 : 0, l.inner.top));
  if (exStyle & WS_EX_CLIENTEDGE) style::Edge(dc, edge, EDGE_SUNKEN, BF_RECT);
  else if (exStyle & WS_EX_STATICEDGE) style::Edge(dc, edge, BDR_SUNKENOUTER, BF_RECT);
  if (!IsRectEmpty(&l.vscroll)) style::ScrollBar(dc, l.vscroll, true, v, enabled);
  if (!IsRectEmpty(&l.hscroll)) style::ScrollBar(dc, l.hscroll, false, h, enabled);
  if (!IsRectEmpty(&l.corner)) style::FillSys(dc, l.corner, COLOR_3DFACE);
}

}  // namespace user
