// The taskbar query of the shell.
#include "platform/user/app_bar.h"

namespace {

UINT NearestEdge(const RECT& bar) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int width = bar.right - bar.left, height = bar.bottom - bar.top;
  if (width >= height) return bar.top + height / 2 < screenHeight / 2 ? ABE_TOP : ABE_BOTTOM;
  return bar.left + width / 2 < screenWidth / 2 ? ABE_LEFT : ABE_RIGHT;
}

}  // namespace

UINT_PTR SHAppBarMessage(DWORD message, PAPPBARDATA data) {
  if (!data || data->cbSize < sizeof(APPBARDATA)) return 0;
  const HWND tray = FindWindowW(u"Shell_TrayWnd", nullptr);
  switch (message) {
    case ABM_GETTASKBARPOS:
      if (!tray) return FALSE;
      GetWindowRect(tray, &data->rc);
      data->uEdge = NearestEdge(data->rc);
      return TRUE;
    case ABM_GETSTATE: return 0;
    default: return 0;
  }
}
