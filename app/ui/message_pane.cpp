// The message pane's window, its size from the text and its place.
#include "app/ui/message_pane.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/ui/ui_language.h"
#include "app/ui/ui_text_draw.h"
#include "foundation/window_helpers/screen_rects.h"

namespace {

constexpr COLORREF kPaneBackground = 0x00D7FCFE;
constexpr COLORREF kPaneFrame = 0x00A18483;
constexpr COLORREF kPaneText = 0x00FF0000;
constexpr int kStep = 36;
// The placing loop stops after this many steps whatever the sizes.
constexpr int kMaxPlacingSteps = 64;

struct PaneState {
  HWND window = nullptr;
  AString text;
  SIZE size{200, 100};
  SIZE textSize{0, 0};
};

PaneState& Pane() {
  static PaneState pane;
  return pane;
}

void PaintPane(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH fill = CreateSolidBrush(kPaneBackground);
  FillRect(dc, &client, fill);
  DeleteObject(fill);
  HPEN pen = CreatePen(PS_SOLID, 1, kPaneFrame);
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  const PaneState& pane = Pane();
  const int freeWidth = (client.right - client.left) - pane.textSize.cx;
  const int freeHeight = (client.bottom - client.top) - pane.textSize.cy;
  RECT text{client.left + freeWidth / 2, client.top + freeHeight / 2 - 1, client.right - freeWidth / 2,
            client.bottom - freeHeight / 2};
  UiTextScope scope(dc, UiMessageFont());
  SetTextColor(dc, kPaneText);
  DrawUiTextInRect(dc, pane.text, &text, DT_WORDBREAK);
  EndPaint(window, &ps);
}

LRESULT PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintPane(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        HideMessagePane();
        return 0;
      }
      break;
    case WM_DESTROY:
      if (Pane().window == window) Pane().window = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreatePane() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PaneProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = reinterpret_cast<LPCWSTR>(u"MsgPane");
    registered = RegisterClassW(&wc) != 0;
  }
  return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, reinterpret_cast<LPCWSTR>(u"MsgPane"),
                         reinterpret_cast<LPCWSTR>(u"InfoMsgPane"), WS_POPUP | WS_DISABLED, 0, 0, 200, 100,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The wrapped size of the text: wrapped at about 1.8 x the square root of
// its length in characters "X" (at least 28), so short hints stay on one
// line and long ones become a block.
SIZE MeasurePaneText(HWND window, const AString& text) {
  HDC dc = GetDC(window);
  SIZE size{0, 0};
  {
    UiTextScope scope(dc, UiMessageFont());
    SIZE x{8, 16};
    GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(u"X"), 1, &x);
    const double characters = std::max(28.0, 1.8 * std::sqrt(static_cast<double>(text.GetLength())));
    const int width = static_cast<int>(characters * x.cx * 1.1);
    RECT r{0, 0, width, 0};
    DrawUiTextInRect(dc, text, &r, DT_CALCRECT | DT_WORDBREAK);
    size = SIZE{r.right - r.left, r.bottom - r.top};
  }
  ReleaseDC(window, dc);
  return size;
}

}  // namespace

POINT PlaceMessagePane(const RECT& rect, SIZE pane, const RECT& work) {
  int x = rect.right + 3;
  int y = rect.top - 4;
  for (int step = 0; step < kMaxPlacingSteps; ++step) {
    if (y + pane.cy + kStep >= work.bottom) y = std::max<int>(0, work.bottom - pane.cy - 2);
    if (x + pane.cx + 6 < work.right) break;
    const int left = std::max<int>(0, work.right - pane.cx - kStep);
    // A pane wider than the work area can never get clear of the edge.
    if (left == 0 && x == 0) break;
    x = left;
    y += kStep;
  }
  y = std::max<int>(y, work.top);
  return POINT{x, y};
}

int ShowMessagePane(HWND owner, const RECT& rect, const AString& text) {
  PaneState& pane = Pane();
  if (!pane.window || !IsWindow(pane.window)) {
    pane.window = CreatePane();
    pane.size = SIZE{200, 100};
    if (!pane.window) return 0;
  }
  pane.text = text;
  RECT work;
  GetWorkAreaRect(&work);
  pane.textSize = MeasurePaneText(pane.window, text);
  // Never wider or higher than the work area.
  pane.textSize.cx = std::min<int>(pane.textSize.cx, std::max<int>(0, work.right - work.left - 28));
  pane.textSize.cy = std::min<int>(pane.textSize.cy, std::max<int>(0, work.bottom - work.top - 13));
  RECT previous;
  GetWindowRect(pane.window, &previous);
  pane.size = SIZE{pane.textSize.cx + 28, pane.textSize.cy + 13};
  const POINT at = PlaceMessagePane(rect, pane.size, work);
  if (owner) {
    MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&previous), 2);
    InvalidateRect(owner, &previous, FALSE);
  }
  SetWindowPos(pane.window, HWND_TOPMOST, at.x, at.y, pane.size.cx, pane.size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(pane.window, nullptr, TRUE);
  return 1;
}

void HideMessagePane() {
  PaneState& pane = Pane();
  pane.text.Empty();
  if (pane.window && IsWindow(pane.window)) ShowWindow(pane.window, SW_HIDE);
}

void DestroyMessagePane() {
  PaneState& pane = Pane();
  if (pane.window && IsWindow(pane.window)) DestroyWindow(pane.window);
  pane.window = nullptr;
  pane.text.Empty();
}

HWND MessagePaneWindow() { return Pane().window; }
const AString& MessagePaneText() { return Pane().text; }
