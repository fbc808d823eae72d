// Screen rectangles, compatible bitmaps and the rubber-band frame.
#include "foundation/window_helpers/screen_rects.h"

FOUNDATION_BEGIN

int GetTaskbarRect(RECT* r) {
  if (!r) return 0;
  const HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  if (!tray) return 0;
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  bar.hWnd = tray;
  const auto answer = static_cast<int>(SHAppBarMessage(ABM_GETTASKBARPOS, &bar));
  if (answer) *r = bar.rc;
  return answer;
}

int GetWorkAreaRect(RECT* r) {
  if (!r) return 0;
  // This system is never the early NT 3 whose version checks decide
  // whether to ask for the work area and the taskbar: both are asked for.
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, r, 0) || IsRectEmpty(r)) {
    GetWindowRect(GetDesktopWindow(), r);
    r->bottom -= 10;
  }
  RECT taskbar{};
  if (!GetTaskbarRect(&taskbar)) return 0;
  if (IsRectEmpty(&taskbar)) return 1;
  RECT rest{};
  if (!SubtractRect(&rest, r, &taskbar)) return 0;
  *r = rest;
  return 1;
}

void ScreenToClientRect(HWND window, RECT* r) {
  if (!r) return;
  POINT corners[2] = {{r->left, r->top}, {r->right, r->bottom}};
  ScreenToClient(window, &corners[0]);
  ScreenToClient(window, &corners[1]);
  *r = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

HBITMAP CreateScreenBitmap(int cx, int cy, HDC dc) {
  if (dc) return CreateCompatibleBitmap(dc, cx, cy);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

void DrawFocusFrame(const RECT* r) {
  if (!r) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(GRAY_BRUSH));
  const int bx = GetSystemMetrics(SM_CXBORDER), by = GetSystemMetrics(SM_CYBORDER);
  const int width = r->right - r->left, height = r->bottom - r->top;
  PatBlt(dc, r->left, r->top, width, by, PATINVERT);
  PatBlt(dc, r->left, r->bottom - by, width, by, PATINVERT);
  PatBlt(dc, r->left, r->top + by, bx, height - 2 * by, PATINVERT);
  PatBlt(dc, r->right - bx, r->top + by, bx, height - 2 * by, PATINVERT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
}

void PickRectCorner(const RECT* r, POINT* x, int* y, int corner) {
  if (!r || !x || !y) return;
  switch (corner) {
    case 0: x->x = r->left; *y = r->top; break;
    case 1: x->x = r->left; *y = r->bottom; break;
    case 2: x->x = r->right; *y = r->bottom; break;
    default: x->x = r->right; *y = r->top; break;
  }
}

FOUNDATION_END
