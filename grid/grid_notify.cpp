// What the grid tells its owner: WM_NOTIFY notices, the display request and
// the cache hint of virtual mode.
#include "grid/grid_ctrl.h"

LRESULT CGridCtrl::SendMessageToParent(int row, int col, int code, int a, int b, int c) const {
  if (!m_hWnd) return 0;
  CWnd* owner = GetOwner();
  if (!owner || !owner->GetSafeHwnd()) return 0;
  GridNotify notify{};
  notify.hdr.hwndFrom = m_hWnd;
  notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  notify.hdr.code = static_cast<UINT>(code);
  notify.row = row;
  notify.col = col;
  notify.a = a;
  notify.b = b;
  notify.c = c;
  return ::SendMessageA(owner->GetSafeHwnd(), WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GridDispInfo* info) const {
  if (!m_hWnd) return 0;
  CWnd* owner = GetOwner();
  if (!owner || !owner->GetSafeHwnd()) return 0;
  info->hdr.hwndFrom = m_hWnd;
  info->hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  info->hdr.code = static_cast<UINT>(GVN_GETDISPINFO);
  return ::SendMessageA(owner->GetSafeHwnd(), WM_NOTIFY, info->hdr.idFrom, reinterpret_cast<LPARAM>(info));
}

LRESULT CGridCtrl::SendCacheHintToParent(const CGridCellRange& range) const {
  if (!m_hWnd) return 0;
  CWnd* owner = GetOwner();
  if (!owner || !owner->GetSafeHwnd()) return 0;
  GridCacheHint hint{};
  hint.hdr.hwndFrom = m_hWnd;
  hint.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  hint.hdr.code = static_cast<UINT>(GVN_ODCACHEHINT);
  hint.range = range;
  return ::SendMessageA(owner->GetSafeHwnd(), WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
}
