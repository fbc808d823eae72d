#include "document/render/clipboard_picture.h"

#include "platform/framework.h"

HWND ClipboardOwnerWindow() {
  CWnd* main = AfxGetMainWnd();
  return main ? main->GetSafeHwnd() : nullptr;
}

int PutBitmapOnClipboard(HWND owner, HBITMAP bitmap) {
  if (!bitmap) return 0;
  if (!OpenClipboard(owner)) {
    DeleteObject(bitmap);
    return 0;
  }
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
  CloseClipboard();
  if (!taken) DeleteObject(bitmap);
  return taken ? 1 : 0;
}
