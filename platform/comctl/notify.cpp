// Notifications of the common controls to their parents.
#include "platform/comctl/notify.h"

namespace comctl {

LRESULT SendNotify(HWND control, UINT code, NMHDR* header) { return SendNotify(control, code, header, GetParent(control)); }

LRESULT SendNotify(HWND control, UINT code, NMHDR* header, HWND to) {
  header->hwndFrom = control;
  header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  header->code = code;
  if (!to) return 0;
  return SendMessageW(to, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

LRESULT SendNotify(HWND control, UINT code) {
  NMHDR header{};
  return SendNotify(control, code, &header);
}

bool ParentWantsUnicode(HWND control) {
  const HWND parent = GetParent(control);
  if (!parent) return true;
  const LRESULT format = SendMessageW(parent, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(control), NF_QUERY);
  if (format == NFR_ANSI) return false;
  if (format == NFR_UNICODE) return true;
  return IsWindowUnicode(parent) != FALSE;
}

}  // namespace comctl
