// Dock bars and the frame's docking calls.
#include "platform/framework/dock_bar.h"

#include <algorithm>

#include "platform/framework/wnd_messages.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

struct DockSide {
  DWORD align;
  UINT id;
};
// The order a frame makes its dock bars in, which is the order they take
// their strips: top and bottom across the whole width, then the sides.
constexpr DockSide kDockSides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                                   {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                                   {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                                   {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};

CRect WindowRectIn(HWND window, HWND parent) {
  CRect r;
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

CDockBar::~CDockBar() {
  // The bars outlive their dock bar's object only as objects: they are no
  // longer held.
  for (auto& row : m_rows)
    for (CControlBar* bar : row) bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CFrameWnd* frame, DWORD alignStyle, UINT id) {
  if (!CreateBar("Static", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, alignStyle & CBRS_ALIGN_ANY,
                 frame, id))
    return FALSE;
  return TRUE;
}

int CDockBar::RowOf(const CControlBar* bar) const {
  for (size_t r = 0; r < m_rows.size(); ++r)
    if (std::find(m_rows[r].begin(), m_rows[r].end(), bar) != m_rows[r].end()) return static_cast<int>(r);
  return -1;
}

BOOL CDockBar::RemoveControlBar(CControlBar* bar) {
  const int row = RowOf(bar);
  if (row < 0) return FALSE;
  std::erase(m_rows[static_cast<size_t>(row)], bar);
  if (m_rows[static_cast<size_t>(row)].empty()) m_rows.erase(m_rows.begin() + row);
  if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
  return TRUE;
}

void CDockBar::DockControlBar(CControlBar* bar, LPCRECT rect) {
  if (!bar || bar == this) return;
  if (bar->m_pDockBar) bar->m_pDockBar->RemoveControlBar(bar);
  // The bar takes this side's direction.
  bar->SetBarStyle((bar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY));
  if (bar->m_hWnd && ::GetParent(bar->m_hWnd) != m_hWnd) ::SetParent(bar->m_hWnd, m_hWnd);
  bar->m_pDockBar = this;
  if (rect) {
    CRect target(*rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&target), 2);
    const bool horizontal = IsHorizontal();
    const LONG across = horizontal ? target.top : target.left;   // which row
    const LONG along = horizontal ? target.left : target.top;    // where in it
    for (auto& row : m_rows) {
      bool inRow = false;
      for (CControlBar* other : row) {
        if (!other->m_hWnd || !other->IsVisible()) continue;
        const CRect r = WindowRectIn(other->m_hWnd, m_hWnd);
        const LONG from = horizontal ? r.top : r.left, to = horizontal ? r.bottom : r.right;
        inRow = inRow || (across >= from && across < to);
      }
      if (!inRow) continue;
      auto at = row.begin();
      while (at != row.end()) {
        const CRect r = WindowRectIn((*at)->m_hWnd, m_hWnd);
        if ((horizontal ? r.left : r.top) >= along) break;
        ++at;
      }
      row.insert(at, bar);
      return;
    }
  }
  m_rows.push_back({bar});
}

int CDockBar::LayOut(int length, bool place) {
  const bool horizontal = IsHorizontal();
  int depth = 0;
  for (const auto& row : m_rows) {
    int offset = 0, line = 0;
    for (CControlBar* bar : row) {
      if (!bar->m_hWnd || !bar->IsVisible()) continue;
      CSize size = bar->CalcFixedLayout(FALSE, horizontal);
      int extent = horizontal ? size.cx : size.cy;
      const int thickness = horizontal ? size.cy : size.cx;
      // What does not fit in the rest of the line starts the next one.
      if (offset > 0 && offset + extent > length) {
        depth += line;
        offset = 0;
        line = 0;
      }
      extent = std::min(extent, std::max(length - offset, 0));
      if (place) {
        if (horizontal)
          ::MoveWindow(bar->m_hWnd, offset, depth, extent, thickness, TRUE);
        else
          ::MoveWindow(bar->m_hWnd, depth, offset, thickness, extent, TRUE);
      }
      offset += extent;
      line = std::max(line, thickness);
    }
    depth += line;
  }
  return depth;
}

CSize CDockBar::CalcFixedLayout(BOOL, BOOL horizontal) {
  CRect frame;
  if (m_pDockSite) m_pDockSite->GetClientRect(&frame);
  const int depth = LayOut(horizontal ? frame.Width() : frame.Height(), false);
  return horizontal ? CSize(frame.Width(), depth) : CSize(depth, frame.Height());
}

LRESULT CDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  CRect& left = *reinterpret_cast<CRect*>(&layout->rect);
  const bool horizontal = IsHorizontal();
  const int length = horizontal ? left.Width() : left.Height();
  const int available = horizontal ? left.Height() : left.Width();
  const int depth = std::min(LayOut(length, true), std::max(available, 0));
  CRect place(left);
  if (m_dwStyle & CBRS_ALIGN_TOP) {
    place.bottom = place.top + depth;
    left.top += depth;
  } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
    place.top = place.bottom - depth;
    left.bottom -= depth;
  } else if (m_dwStyle & CBRS_ALIGN_LEFT) {
    place.right = place.left + depth;
    left.left += depth;
  } else {
    place.left = place.right - depth;
    left.right -= depth;
  }
  ::MoveWindow(m_hWnd, place.left, place.top, place.Width(), place.Height(), TRUE);
  if (horizontal)
    layout->sizeTotal.cy += depth;
  else
    layout->sizeTotal.cx += depth;
  return 0;
}

void CControlBar::EnableDocking(DWORD style) { m_dwDockStyle = style & CBRS_ALIGN_ANY; }

void CFrameWnd::EnableDocking(DWORD style) {
  for (const DockSide& side : kDockSides) {
    if (!(style & side.align) || GetDockBar(side.id)) continue;
    auto* dock = new CDockBar;
    if (!dock->Create(this, side.align, side.id)) delete dock;
  }
}

CDockBar* CFrameWnd::GetDockBar(UINT id) {
  return dynamic_cast<CDockBar*>(FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(id))));
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect) {
  if (!bar) return;
  CDockBar* dock = nullptr;
  if (dockBarId != 0) {
    dock = GetDockBar(dockBarId);
  } else {
    // The first side both the bar and the frame allow.
    for (const DockSide& side : kDockSides)
      if ((bar->m_dwDockStyle & side.align) && (dock = GetDockBar(side.id)) != nullptr) break;
  }
  if (dock) dock->DockControlBar(bar, rect);
}
