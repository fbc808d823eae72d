// Splitter windows: laying out panes and bars, dragging bars, splitting and
// joining dynamic splitters.
#include "platform/framework/splitter.h"

#include <algorithm>

#include "platform/framework/wnd_messages.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_SETCURSOR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateCommon(CWnd* parent, DWORD style, UINT id) {
  // The scroll styles ask for shared bars; the splitter itself has none.
  m_bHasHScroll = (style & WS_HSCROLL) != 0;
  m_bHasVScroll = (style & WS_VSCROLL) != 0;
  const char* cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
  return CWnd::Create(cls, nullptr, (style & ~(WS_HSCROLL | WS_VSCROLL)) | WS_CHILD | WS_CLIPCHILDREN,
                      CRect(0, 0, 0, 0), parent, id);
}

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id) {
  if (rows < 1 || cols < 1 || rows > 16 || cols > 16) return FALSE;
  m_nRows = m_nMaxRows = rows;
  m_nCols = m_nMaxCols = cols;
  m_rowInfo.assign(16, RowColInfo{});
  m_colInfo.assign(16, RowColInfo{});
  m_bDynamic = FALSE;
  return CreateCommon(parent, style, id);
}

BOOL CSplitterWnd::Create(CWnd* parent, int maxRows, int maxCols, SIZE min, CCreateContext* context, DWORD style,
                          UINT id) {
  if (!context || !context->m_pNewViewClass || maxRows < 1 || maxCols < 1 || maxRows > 2 || maxCols > 2)
    return FALSE;
  m_nMaxRows = maxRows;
  m_nMaxCols = maxCols;
  m_nRows = m_nCols = 1;
  m_sizeMin = min;
  m_rowInfo.assign(16, RowColInfo{});
  m_colInfo.assign(16, RowColInfo{});
  for (auto& info : m_rowInfo) info.nMinSize = min.cy;
  for (auto& info : m_colInfo) info.nMinSize = min.cx;
  m_bDynamic = TRUE;
  m_pDynamicViewClass = context->m_pNewViewClass;
  if (!CreateCommon(parent, style, id)) return FALSE;
  return CreateView(0, 0, m_pDynamicViewClass, CSize(0, 0), context);
}

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* viewClass, SIZE initial, CCreateContext* context) {
  if (row < 0 || col < 0 || row >= m_nRows || col >= m_nCols || GetPane(row, col)) return FALSE;
  auto* view = static_cast<CWnd*>(viewClass->CreateObject());
  if (!view) return FALSE;
  if (initial.cx > 0) m_colInfo[static_cast<size_t>(col)].nIdealSize = initial.cx;
  if (initial.cy > 0) m_rowInfo[static_cast<size_t>(row)].nIdealSize = initial.cy;
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                    static_cast<UINT>(IdFromRowCol(row, col)), context))
    return FALSE;
  if (m_hWnd) RecalcLayout();
  return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& min) const {
  current = m_rowInfo.at(static_cast<size_t>(row)).nCurSize;
  min = m_rowInfo.at(static_cast<size_t>(row)).nMinSize;
}
void CSplitterWnd::SetRowInfo(int row, int ideal, int min) {
  m_rowInfo.at(static_cast<size_t>(row)).nIdealSize = ideal;
  m_rowInfo.at(static_cast<size_t>(row)).nMinSize = min;
}
void CSplitterWnd::GetColumnInfo(int col, int& current, int& min) const {
  current = m_colInfo.at(static_cast<size_t>(col)).nCurSize;
  min = m_colInfo.at(static_cast<size_t>(col)).nMinSize;
}
void CSplitterWnd::SetColumnInfo(int col, int ideal, int min) {
  m_colInfo.at(static_cast<size_t>(col)).nIdealSize = ideal;
  m_colInfo.at(static_cast<size_t>(col)).nMinSize = min;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
  return FromHandlePermanent(pane);
}

BOOL CSplitterWnd::IsChildPane(CWnd* window, int* row, int* col) {
  if (!window || ::GetParent(window->m_hWnd) != m_hWnd) return FALSE;
  const int id = window->GetDlgCtrlID() - static_cast<int>(AFX_IDW_PANE_FIRST);
  if (id < 0 || id >= 16 * 16) return FALSE;
  if (row) *row = id / 16;
  if (col) *col = id % 16;
  return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* col) {
  CFrameWnd* frame = GetParentFrame();
  CWnd* view = frame ? static_cast<CWnd*>(frame->GetActiveView()) : nullptr;
  if (view && IsChildPane(view, row, col)) return view;
  return nullptr;
}

void CSplitterWnd::Layout(std::vector<RowColInfo>& infos, int count, int total, int gap) {
  int left = std::max(0, total - gap * (count - 1));
  for (int i = 0; i < count; ++i) {
    RowColInfo& info = infos[static_cast<size_t>(i)];
    if (i == count - 1) {
      info.nCurSize = left;
    } else {
      const int ideal = info.nIdealSize > 0 ? info.nIdealSize : left / (count - i);
      info.nCurSize = std::clamp(ideal, 0, left);
      left -= info.nCurSize;
    }
  }
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  // A dynamic splitter keeps a split box strip while it can still split that way.
  const int x0 = m_bDynamic && m_nCols < m_nMaxCols ? m_cxSplitter : 0;
  const int y0 = m_bDynamic && m_nRows < m_nMaxRows ? m_cySplitter : 0;
  // Shared bars take a strip along the right and the bottom.
  if (m_bHasVScroll) client.right = std::max<LONG>(x0, client.right - ::GetSystemMetrics(SM_CXVSCROLL));
  if (m_bHasHScroll) client.bottom = std::max<LONG>(y0, client.bottom - ::GetSystemMetrics(SM_CYHSCROLL));
  Layout(m_colInfo, m_nCols, client.right - x0, m_cxSplitterGap);
  Layout(m_rowInfo, m_nRows, client.bottom - y0, m_cySplitterGap);
  int y = y0;
  for (int row = 0; row < m_nRows; ++row) {
    int x = x0;
    const int h = m_rowInfo[static_cast<size_t>(row)].nCurSize;
    for (int col = 0; col < m_nCols; ++col) {
      const int w = m_colInfo[static_cast<size_t>(col)].nCurSize;
      if (HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col))) ::MoveWindow(pane, x, y, w, h, TRUE);
      x += w + m_cxSplitterGap;
    }
    y += h + m_cySplitterGap;
  }
  LayOutScrollBars(client, x0, y0);
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSplitterWnd::LayOutScrollBars(const RECT& panes, int x0, int y0) {
  auto match = [&](std::vector<std::unique_ptr<CScrollBar>>& bars, bool wanted, int count, DWORD style, UINT firstId) {
    if (!wanted) count = 0;
    while (static_cast<int>(bars.size()) > count) {
      bars.back()->DestroyWindow();
      bars.pop_back();
    }
    while (static_cast<int>(bars.size()) < count) {
      auto bar = std::make_unique<CScrollBar>();
      if (!bar->Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, 0, 0), this,
                       firstId + static_cast<UINT>(bars.size())))
        return;
      bars.push_back(std::move(bar));
    }
  };
  match(m_hBars, m_bHasHScroll, m_nCols, SBS_HORZ, AFX_IDW_HSCROLL_FIRST);
  match(m_vBars, m_bHasVScroll, m_nRows, SBS_VERT, AFX_IDW_VSCROLL_FIRST);
  int x = x0;
  for (size_t col = 0; col < m_hBars.size(); ++col) {
    const int w = m_colInfo[col].nCurSize;
    m_hBars[col]->MoveWindow(x, panes.bottom, w, ::GetSystemMetrics(SM_CYHSCROLL), TRUE);
    x += w + m_cxSplitterGap;
  }
  int y = y0;
  for (size_t row = 0; row < m_vBars.size(); ++row) {
    const int h = m_rowInfo[row].nCurSize;
    m_vBars[row]->MoveWindow(panes.right, y, ::GetSystemMetrics(SM_CXVSCROLL), h, TRUE);
    y += h + m_cySplitterGap;
  }
}

CScrollBar* CSplitterWnd::GetSharedScrollBar(const CWnd* pane, int bar) const {
  int row = 0, col = 0;
  if (!const_cast<CSplitterWnd*>(this)->IsChildPane(const_cast<CWnd*>(pane), &row, &col)) return nullptr;
  if (bar == SB_HORZ && col < static_cast<int>(m_hBars.size())) return m_hBars[static_cast<size_t>(col)].get();
  if (bar == SB_VERT && row < static_cast<int>(m_vBars.size())) return m_vBars[static_cast<size_t>(row)].get();
  return nullptr;
}

void CSplitterWnd::ScrollSharingPanes(const CWnd* from, int dx, int dy) {
  int row = 0, col = 0;
  if (!IsChildPane(const_cast<CWnd*>(from), &row, &col)) return;
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      CWnd* pane = GetPane(r, c);
      if (!pane || pane == from) continue;
      // The column's panes share the horizontal bar, the row's the vertical one.
      const int x = c == col && GetSharedScrollBar(from, SB_HORZ) ? dx : 0;
      const int y = r == row && GetSharedScrollBar(from, SB_VERT) ? dy : 0;
      if (x || y) ::ScrollWindow(pane->m_hWnd, x, y, nullptr, nullptr);
    }
  }
}

CWnd* CSplitterWnd::PaneForBar(int bar, int index) {
  int activeRow = -1, activeCol = -1;
  if (CWnd* active = GetActivePane(&activeRow, &activeCol)) {
    if ((bar == SB_HORZ && activeCol == index) || (bar == SB_VERT && activeRow == index)) return active;
  }
  return bar == SB_HORZ ? GetPane(0, index) : GetPane(index, 0);
}

void CSplitterWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  for (size_t col = 0; col < m_hBars.size(); ++col) {
    if (bar != m_hBars[col].get()) continue;
    if (CWnd* pane = PaneForBar(SB_HORZ, static_cast<int>(col)))
      pane->SendMessage(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                        reinterpret_cast<LPARAM>(bar->m_hWnd));
    return;
  }
  CWnd::OnHScroll(code, pos, bar);
}

void CSplitterWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  for (size_t row = 0; row < m_vBars.size(); ++row) {
    if (bar != m_vBars[row].get()) continue;
    if (CWnd* pane = PaneForBar(SB_VERT, static_cast<int>(row)))
      pane->SendMessage(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                        reinterpret_cast<LPARAM>(bar->m_hWnd));
    return;
  }
  CWnd::OnVScroll(code, pos, bar);
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  RecalcLayout();
}

CSplitterWnd::Hit CSplitterWnd::HitTest(CPoint point, int* index) const {
  const int x0 = m_bDynamic && m_nCols < m_nMaxCols ? m_cxSplitter : 0;
  const int y0 = m_bDynamic && m_nRows < m_nMaxRows ? m_cySplitter : 0;
  if (y0 && point.y < y0) return Hit::HSplitBox;
  if (x0 && point.x < x0) return Hit::VSplitBox;
  int x = x0;
  for (int col = 0; col < m_nCols - 1; ++col) {
    x += m_colInfo[static_cast<size_t>(col)].nCurSize;
    if (point.x >= x && point.x < x + m_cxSplitterGap) {
      *index = col;
      return Hit::VBar;
    }
    x += m_cxSplitterGap;
  }
  int y = y0;
  for (int row = 0; row < m_nRows - 1; ++row) {
    y += m_rowInfo[static_cast<size_t>(row)].nCurSize;
    if (point.y >= y && point.y < y + m_cySplitterGap) {
      *index = row;
      return Hit::HBar;
    }
    y += m_cySplitterGap;
  }
  return Hit::None;
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  int index = 0;
  const Hit hit = HitTest(point, &index);
  if (hit == Hit::None) return;
  m_tracking = hit;
  m_trackIndex = index;
  SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (m_tracking != Hit::VBar && m_tracking != Hit::HBar) return;
  // A bar follows the mouse: the pane before it takes the new size.
  const int x0 = m_bDynamic && m_nCols < m_nMaxCols ? m_cxSplitter : 0;
  const int y0 = m_bDynamic && m_nRows < m_nMaxRows ? m_cySplitter : 0;
  if (m_tracking == Hit::VBar) {
    int start = x0;
    for (int col = 0; col < m_trackIndex; ++col) start += m_colInfo[static_cast<size_t>(col)].nCurSize + m_cxSplitterGap;
    m_colInfo[static_cast<size_t>(m_trackIndex)].nIdealSize = std::max(0, static_cast<int>(point.x) - start);
  } else {
    int start = y0;
    for (int row = 0; row < m_trackIndex; ++row) start += m_rowInfo[static_cast<size_t>(row)].nCurSize + m_cySplitterGap;
    m_rowInfo[static_cast<size_t>(m_trackIndex)].nIdealSize = std::max(0, static_cast<int>(point.y) - start);
  }
  RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint point) {
  const Hit hit = m_tracking;
  m_tracking = Hit::None;
  if (hit == Hit::None) return;
  ::ReleaseCapture();
  const int x0 = m_bDynamic && m_nCols < m_nMaxCols ? m_cxSplitter : 0;
  const int y0 = m_bDynamic && m_nRows < m_nMaxRows ? m_cySplitter : 0;
  switch (hit) {
    case Hit::VSplitBox: SplitColumn(static_cast<int>(point.x) - x0); break;
    case Hit::HSplitBox: SplitRow(static_cast<int>(point.y) - y0); break;
    case Hit::VBar:
      // In a dynamic splitter a pane dragged smaller than its minimum goes.
      if (m_bDynamic) {
        const auto& first = m_colInfo[0];
        const auto& second = m_colInfo[1];
        if (first.nCurSize < first.nMinSize) {
          DeleteColumn(0);
        } else if (second.nCurSize < second.nMinSize) {
          DeleteColumn(1);
        }
      }
      break;
    case Hit::HBar:
      if (m_bDynamic) {
        if (m_rowInfo[0].nCurSize < m_rowInfo[0].nMinSize) {
          DeleteRow(0);
        } else if (m_rowInfo[1].nCurSize < m_rowInfo[1].nMinSize) {
          DeleteRow(1);
        }
      }
      break;
    default: break;
  }
}

BOOL CSplitterWnd::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  if (window != this || hitTest != HTCLIENT) return CWnd::OnSetCursor(window, hitTest, message);
  POINT p;
  ::GetCursorPos(&p);
  ::ScreenToClient(m_hWnd, &p);
  int index = 0;
  switch (HitTest(CPoint(p), &index)) {
    case Hit::VBar:
    case Hit::VSplitBox: ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEWE)); return TRUE;
    case Hit::HBar:
    case Hit::HSplitBox: ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENS)); return TRUE;
    default: return CWnd::OnSetCursor(window, hitTest, message);
  }
}

namespace {

// The document of the first pane, for the panes a split adds.
CCreateContext ContextFor(CWnd* first, const CRuntimeClass* viewClass) {
  CCreateContext context;
  context.m_pNewViewClass = viewClass;
  if (first && first->IsKindOf(RUNTIME_CLASS(CView))) {
    context.m_pLastView = static_cast<CView*>(first);
    context.m_pCurrentDoc = static_cast<CView*>(first)->GetDocument();
  }
  return context;
}

}  // namespace

BOOL CSplitterWnd::SplitColumn(int cxBefore) {
  if (!m_bDynamic || m_nCols >= m_nMaxCols || cxBefore < m_colInfo[0].nMinSize) return FALSE;
  m_colInfo[0].nIdealSize = cxBefore;
  m_colInfo[1].nIdealSize = 0;
  ++m_nCols;
  for (int row = 0; row < m_nRows; ++row) {
    CCreateContext context = ContextFor(GetPane(row, 0), m_pDynamicViewClass);
    if (!CreateView(row, 1, m_pDynamicViewClass, CSize(0, 0), &context)) return FALSE;
    if (CWnd* pane = GetPane(row, 1)) AfxCallWndProc(pane, pane->m_hWnd, WM_INITIALUPDATE, 0, 0);
  }
  RecalcLayout();
  return TRUE;
}

BOOL CSplitterWnd::SplitRow(int cyBefore) {
  if (!m_bDynamic || m_nRows >= m_nMaxRows || cyBefore < m_rowInfo[0].nMinSize) return FALSE;
  m_rowInfo[0].nIdealSize = cyBefore;
  m_rowInfo[1].nIdealSize = 0;
  ++m_nRows;
  for (int col = 0; col < m_nCols; ++col) {
    CCreateContext context = ContextFor(GetPane(0, col), m_pDynamicViewClass);
    if (!CreateView(1, col, m_pDynamicViewClass, CSize(0, 0), &context)) return FALSE;
    if (CWnd* pane = GetPane(1, col)) AfxCallWndProc(pane, pane->m_hWnd, WM_INITIALUPDATE, 0, 0);
  }
  RecalcLayout();
  return TRUE;
}

void CSplitterWnd::DeleteColumn(int col) {
  if (m_nCols <= 1 || col < 0 || col >= m_nCols) return;
  CFrameWnd* frame = GetParentFrame();
  for (int row = 0; row < m_nRows; ++row) {
    CWnd* pane = GetPane(row, col);
    if (frame && pane && static_cast<CWnd*>(frame->GetActiveView()) == pane) frame->SetActiveView(nullptr, FALSE);
    if (pane) pane->DestroyWindow();
    // The panes after it move one column left.
    for (int c = col + 1; c < m_nCols; ++c)
      if (CWnd* later = GetPane(row, c)) later->SetDlgCtrlID(IdFromRowCol(row, c - 1));
  }
  m_colInfo.erase(m_colInfo.begin() + col);
  m_colInfo.push_back(RowColInfo{m_sizeMin.cx, 0, 0});
  --m_nCols;
  if (frame && !frame->GetActiveView()) {
    CWnd* first = GetPane(0, 0);
    if (first && first->IsKindOf(RUNTIME_CLASS(CView))) frame->SetActiveView(static_cast<CView*>(first));
  }
  RecalcLayout();
}

void CSplitterWnd::DeleteRow(int row) {
  if (m_nRows <= 1 || row < 0 || row >= m_nRows) return;
  CFrameWnd* frame = GetParentFrame();
  for (int col = 0; col < m_nCols; ++col) {
    CWnd* pane = GetPane(row, col);
    if (frame && pane && static_cast<CWnd*>(frame->GetActiveView()) == pane) frame->SetActiveView(nullptr, FALSE);
    if (pane) pane->DestroyWindow();
    for (int r = row + 1; r < m_nRows; ++r)
      if (CWnd* later = GetPane(r, col)) later->SetDlgCtrlID(IdFromRowCol(r - 1, col));
  }
  m_rowInfo.erase(m_rowInfo.begin() + row);
  m_rowInfo.push_back(RowColInfo{m_sizeMin.cy, 0, 0});
  --m_nRows;
  if (frame && !frame->GetActiveView()) {
    CWnd* first = GetPane(0, 0);
    if (first && first->IsKindOf(RUNTIME_CLASS(CView))) frame->SetActiveView(static_cast<CView*>(first));
  }
  RecalcLayout();
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  DrawBars(&dc);
}

void CSplitterWnd::DrawBars(CDC* dc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                 shadow = ::GetSysColor(COLOR_BTNSHADOW);
  dc->FillSolidRect(&client, face);
  const int x0 = m_bDynamic && m_nCols < m_nMaxCols ? m_cxSplitter : 0;
  const int y0 = m_bDynamic && m_nRows < m_nMaxRows ? m_cySplitter : 0;
  // Split boxes: raised strips along the top and the left.
  if (y0) dc->Draw3dRect(x0, 0, client.right - x0, y0, light, shadow);
  if (x0) dc->Draw3dRect(0, y0, x0, client.bottom - y0, light, shadow);
  int x = x0;
  for (int col = 0; col < m_nCols - 1; ++col) {
    x += m_colInfo[static_cast<size_t>(col)].nCurSize;
    dc->Draw3dRect(x, y0, m_cxSplitterGap, client.bottom - y0, light, shadow);
    x += m_cxSplitterGap;
  }
  int y = y0;
  for (int row = 0; row < m_nRows - 1; ++row) {
    y += m_rowInfo[static_cast<size_t>(row)].nCurSize;
    dc->Draw3dRect(x0, y, client.right - x0, m_cySplitterGap, light, shadow);
    y += m_cySplitterGap;
  }
}

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  // Commands of the panes' controls go on to the frame.
  return ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, wParam, lParam) != 0;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
  *result = ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, wParam, lParam);
  return TRUE;
}
