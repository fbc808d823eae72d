#include "platform/framework/rich_edit_ctrl.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL AfxInitRichEdit2() {
  // The classes are the platform's own, registered with the window system;
  // asking for them is what loading the library is elsewhere.
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  return GetClassInfoExW(nullptr, RICHEDIT_CLASSW, &info) ? TRUE : FALSE;
}

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!AfxInitRichEdit2()) return FALSE;
  return CWnd::Create("RichEdit20W", nullptr, style, rect, parent, id);
}

void CRichEditCtrl::GetSel(long& start, long& end) const {
  CHARRANGE range{};
  GetSel(range);
  start = range.cpMin;
  end = range.cpMax;
}

long CRichEditCtrl::GetTextLengthEx(DWORD flags, UINT codePage) const {
  GETTEXTLENGTHEX how{flags, codePage};
  return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
}

CPoint CRichEditCtrl::GetCharPos(long index) const {
  POINTL at{};
  SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), index);
  return CPoint(at.x, at.y);
}

int CRichEditCtrl::CharFromPos(CPoint point) const {
  POINTL at{point.x, point.y};
  return static_cast<int>(SendMessage(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT2W& format) const {
  format.cbSize = sizeof format;
  return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)));
}
