// The tab control's framework class.
#include "platform/framework/tab_ctrl.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("SysTabControl32", nullptr, style, rect, parent, id);
}

LONG CTabCtrl::InsertItem(int index, const char* text) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(text);
  return InsertItem(index, &item);
}

LONG CTabCtrl::InsertItem(int index, const char* text, int image) {
  TCITEMA item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<char*>(text);
  item.iImage = image;
  return InsertItem(index, &item);
}

CSize CTabCtrl::SetItemSize(CSize size) {
  const auto old = static_cast<DWORD>(SendMessage(TCM_SETITEMSIZE, 0, static_cast<LPARAM>(MAKELONG(size.cx, size.cy))));
  return CSize(LOWORD(old), HIWORD(old));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}
