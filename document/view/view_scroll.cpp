// Zoom and the view's own scrolling: scroll sizes, the bars, scroll codes,
// the wheel and the automatic scrolling of a drag at the window's edge.
#include <algorithm>
#include <climits>

#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"

using designview::ScrollSizes;

// A bar of the view's own (its style) or one of the splitter's shared bars:
// the view scrolls along that axis.
bool CDesignVu::HasScrollBar(int bar) const {
  return (GetStyle() & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0 || GetScrollBarCtrl(bar) != nullptr;
}

void CDesignVu::EnableScrollBars(bool enable) {
  for (int bar : {SB_HORZ, SB_VERT}) {
    if (CScrollBar* shared = GetScrollBarCtrl(bar))
      ::EnableWindow(shared->m_hWnd, enable);
    else
      ::EnableScrollBar(m_hWnd, bar, enable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
  }
}

void CDesignVu::SetZoom(int zoomX, int zoomY) {
  m_fitPending = false;  // a zoom set on purpose is not replaced by the fit
  m_zoomX = designview::ClampZoom(zoomX, Setup().labelWidth, Setup().labelHeight);
  m_zoomY = designview::ClampZoom(zoomY, Setup().labelWidth, Setup().labelHeight);
}

bool CDesignVu::FitToClient() {
  if (!m_hWnd || !GetDocument()) return false;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  WindowDc screen;
  const auto zoom = designview::FitZoom(client.right, client.bottom, Setup().labelWidth, Setup().labelHeight,
                                        ::GetDeviceCaps(screen.get(), LOGPIXELSX),
                                        ::GetDeviceCaps(screen.get(), LOGPIXELSY));
  if (!zoom) return false;
  m_zoomX = zoom->cx;
  m_zoomY = zoom->cy;
  m_fitPending = false;
  return true;
}

void CDesignVu::UpdateScrollSizes() {
  if (!GetDocument()) return;
  const ScrollSizes s = designview::ComputeScrollSizes(GetLabelSizePixels(), {m_zoomX, m_zoomY});
  RECT client{0, 0, 0, 0};
  if (m_hWnd) ::GetClientRect(m_hWnd, &client);
  bool apply = designview::ShouldApplyTotal(m_applied.total, s.total, {client.right, client.bottom});
  auto differs = [](SIZE a, SIZE b) { return a.cx != b.cx || a.cy != b.cy; };
  if (differs(s.page, m_applied.page) || differs(s.line, m_applied.line)) apply = true;
  if (!apply) return;
  m_scrollRange = s.Range();
  m_applied = s;
  if (m_hWnd) ApplyScrollBars();
}

// The bars as a scroll view keeps them, from the view's own range.
void CDesignVu::ApplyScrollBars() {
  if (m_insideUpdate) return;
  m_insideUpdate = true;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const DWORD style = GetStyle();
  const int barW = ::GetSystemMetrics(SM_CXVSCROLL), barH = ::GetSystemMetrics(SM_CYHSCROLL);
  // Only the view's own bars take room from its client area; the
  // splitter's shared bars lie outside it.
  const bool ownH = !GetScrollBarCtrl(SB_HORZ), ownV = !GetScrollBarCtrl(SB_VERT);
  SIZE full{client.right + ((style & WS_VSCROLL) ? barW : 0), client.bottom + ((style & WS_HSCROLL) ? barH : 0)};
  if (full.cx < barW || full.cy < barH) {
    if (client.right > 0 && client.bottom > 0) EnableScrollBars(false);
    m_insideUpdate = false;
    return;
  }
  EnableScrollBars(true);
  const int takeW = ownV ? barW : 0, takeH = ownH ? barH : 0;
  bool needH = m_scrollRange.cx > full.cx, needV = m_scrollRange.cy > full.cy;
  if (needH && !needV) needV = m_scrollRange.cy > full.cy - takeH;
  if (needV && !needH) needH = m_scrollRange.cx > full.cx - takeW;
  const SIZE visible{full.cx - (needV ? takeW : 0), full.cy - (needH ? takeH : 0)};
  const POINT old = GetScrollOrigin();
  const POINT pos{needH ? std::clamp<LONG>(old.x, 0, std::max<LONG>(0, m_scrollRange.cx - visible.cx)) : 0,
                  needV ? std::clamp<LONG>(old.y, 0, std::max<LONG>(0, m_scrollRange.cy - visible.cy)) : 0};
  if (pos.x != old.x || pos.y != old.y) ::ScrollWindow(m_hWnd, old.x - pos.x, old.y - pos.y, nullptr, nullptr);
  auto set = [&](int bar, bool needed, int range, int page, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = needed ? range - 1 : 0;
    info.nPage = needed ? static_cast<UINT>(std::max(page, 0)) : 0;
    info.nPos = position;
    if (!SetScrollInfo(bar, &info, TRUE) && needed) SetScrollRange(bar, 0, range - 1, TRUE);
  };
  set(SB_HORZ, needH, m_scrollRange.cx, visible.cx, pos.x);
  set(SB_VERT, needV, m_scrollRange.cy, visible.cy, pos.y);
  m_insideUpdate = false;
}

void CDesignVu::KeepScrollInRange() {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const POINT o = GetScrollOrigin();
  SetScrollPos(SB_HORZ, std::clamp<LONG>(o.x, 0, std::max<LONG>(0, m_scrollRange.cx - client.right)), TRUE);
  SetScrollPos(SB_VERT, std::clamp<LONG>(o.y, 0, std::max<LONG>(0, m_scrollRange.cy - client.bottom)), TRUE);
}

BOOL CDesignVu::OnScroll(UINT scrollCode, UINT pos, BOOL doScroll) {
  const POINT o = GetScrollOrigin();
  auto step = [&](UINT code, int64_t value, int line, int page) -> int64_t {
    switch (code) {
      case SB_TOP: return 0;
      case SB_BOTTOM: return INT_MAX;
      case SB_LINEUP: return value - line;
      case SB_LINEDOWN: return value + line;
      case SB_PAGEUP: return value - page;
      case SB_PAGEDOWN: return value + page;
      case SB_THUMBTRACK: return pos;
      default: return value;
    }
  };
  const int64_t x = step(LOBYTE(scrollCode), o.x, m_applied.line.cx, m_applied.page.cx);
  const int64_t y = step(HIBYTE(scrollCode), o.y, m_applied.line.cy, m_applied.page.cy);
  auto delta = [](int64_t to, int from) { return static_cast<int>(std::clamp<int64_t>(to - from, -INT_MAX, INT_MAX)); };
  const BOOL scrolled = OnScrollBy(CSize(delta(x, o.x), delta(y, o.y)), doScroll);
  if (scrolled && doScroll) ::UpdateWindow(m_hWnd);
  return scrolled;
}

BOOL CDesignVu::OnScrollBy(CSize size, BOOL doScroll) {
  SCROLLINFO info{};
  auto limit = [&](int bar) {
    GetScrollInfo(bar, &info, SIF_ALL);
    return std::max(0, info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0));
  };
  if (!HasScrollBar(SB_HORZ)) size.cx = 0;
  if (!HasScrollBar(SB_VERT)) size.cy = 0;
  const POINT o = GetScrollOrigin();
  const int x = size.cx ? static_cast<int>(std::clamp<int64_t>(int64_t{o.x} + size.cx, 0, limit(SB_HORZ))) : o.x;
  const int y = size.cy ? static_cast<int>(std::clamp<int64_t>(int64_t{o.y} + size.cy, 0, limit(SB_VERT))) : o.y;
  if ((x == o.x && y == o.y) || !doScroll) return FALSE;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::ScrollWindow(m_hWnd, o.x - x, o.y - y, nullptr, &client);
  if (x != o.x) SetScrollPos(SB_HORZ, x, TRUE);
  if (y != o.y) SetScrollPos(SB_VERT, y, TRUE);
  return TRUE;
}

void CDesignVu::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  // A bar of its own sends no control; the splitter's shared bar is the
  // view's too; any other bar's message is that bar's own.
  if (bar && bar != GetScrollBarCtrl(SB_HORZ)) return;
  if (pos) pos = static_cast<UINT>(designview::SnapThumbPosition(static_cast<int>(pos), m_zoomX));
  OnScroll(MAKEWORD(code, 0xFF), pos, TRUE);
  if (IDesignViewHost* host = Host()) host->ResetRulers(1);
}

void CDesignVu::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  // A bar of its own sends no control; the splitter's shared bar is the
  // view's too; any other bar's message is that bar's own.
  if (bar && bar != GetScrollBarCtrl(SB_VERT)) return;
  if (pos) pos = static_cast<UINT>(designview::SnapThumbPosition(static_cast<int>(pos), m_zoomY));
  OnScroll(MAKEWORD(0xFF, code), pos, TRUE);
  if (IDesignViewHost* host = Host()) host->ResetRulers(2);
}

BOOL CDesignVu::OnMouseWheel(UINT, short delta, CPoint) {
  if (delta <= -110) PostMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  else if (delta >= 110) PostMessage(WM_VSCROLL, SB_LINEUP, 0);
  return TRUE;
}

int CDesignVu::AutoScrollAtEdge(POINT& p) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int step = m_zoomX / 10;
  const POINT o = GetScrollOrigin();
  const SIZE label = GetLabelSizePixels();
  int sx = 0, sy = 0;
  if (p.x < 0 && o.x > 0) sx = -step;
  else if (p.x > client.right && label.cx - o.x > client.right) sx = step;
  if (p.y < 0 && o.y > 0) sy = -step;
  else if (p.y > client.bottom && label.cy - o.y > client.bottom) sy = step;
  if (!sx && !sy) return 0;
  InvalidateClient(false);
  if (sx) SetScrollPos(SB_HORZ, o.x + sx, TRUE);
  if (sy) SetScrollPos(SB_VERT, o.y + sy, TRUE);
  const POINT now = GetScrollOrigin();
  const int dx = now.x - o.x, dy = now.y - o.y;
  if (sx) p.x = sx < 0 ? 0 : client.right;
  if (sy) p.y = sy < 0 ? 0 : client.bottom;
  m_mouseDown.x -= dx;
  m_mouseDown.y -= dy;
  m_lastDrag.x -= dx;
  m_lastDrag.y -= dy;
  ::UpdateWindow(m_hWnd);
  POINT screen = p;
  ::ClientToScreen(m_hWnd, &screen);
  ::SetCursorPos(screen.x, screen.y);
  return 1;
}

void CDesignVu::OnZoomIn() {
  const auto zoom = designview::ZoomIn({m_zoomX, m_zoomY}, Setup().labelWidth, Setup().labelHeight);
  if (!zoom) return;
  m_zoomX = zoom->cx;
  m_zoomY = zoom->cy;
  UpdateScrollSizes();
  KeepScrollInRange();
  if (IDesignViewHost* host = Host()) host->ResetRulers(3);
  InvalidateClient(false);
}

void CDesignVu::OnZoomOut() {
  const auto zoom = designview::ZoomOut({m_zoomX, m_zoomY});
  if (!zoom) return;
  m_zoomX = zoom->cx;
  m_zoomY = zoom->cy;
  UpdateScrollSizes();
  KeepScrollInRange();
  if (IDesignViewHost* host = Host()) host->ResetRulers(3);
  InvalidateClient(false);
}

void CDesignVu::OnFitInFrame() {
  FitToClient();
  UpdateScrollSizes();
  SetScrollPos(SB_HORZ, 0, TRUE);
  SetScrollPos(SB_VERT, 0, TRUE);
  if (IDesignViewHost* host = Host()) host->ResetRulers(3);
  InvalidateClient(false);
}
