// What the grid tells its owner: WM_NOTIFY notices, the display request and
// the cache hint of virtual mode.
#include "grid/grid_ctrl.h"

HWND CGridCtrl::OwnerWindow() const {
  if (!m_hWnd) return nullptr;
  CWnd* owner = GetOwner();
  return owner ? owner->GetSafeHwnd() : nullptr;
}

LRESULT CGridCtrl::SendNotice(NMHDR& header, int code) const {
  HWND owner = OwnerWindow();
  if (!owner) return 0;
  header.hwndFrom = m_hWnd;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  header.code = static_cast<UINT>(code);
  return ::SendMessageA(owner, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT CGridCtrl::SendMessageToParent(int row, int col, int code, int a, int b, int c) const {
  GridNotify notify{};
  notify.row = row;
  notify.col = col;
  notify.a = a;
  notify.b = b;
  notify.c = c;
  return SendNotice(notify.hdr, code);
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GridDispInfo* info) const {
  return SendNotice(info->hdr, GVN_GETDISPINFO);
}

LRESULT CGridCtrl::SendCacheHintToParent(const CGridCellRange& range) const {
  GridCacheHint hint{};
  hint.range = range;
  return SendNotice(hint.hdr, GVN_ODCACHEHINT);
}
