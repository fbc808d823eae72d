#include "grid/title_tip.h"

#include "grid/window_class.h"

#include "platform/gdi/gdi_owners.h"
#include "platform/user/message_crack.h"

namespace {
constexpr const char* kTitleTipClass = "ZTitleTip";
constexpr COLORREF kDefault = 0xFF000000;

// A window of this program has the keyboard focus.
bool AppHasFocus() { return ::GetFocus() != nullptr; }
}  // namespace

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
  ON_WM_MOUSEMOVE()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
  ON_WM_MBUTTONDOWN()
END_MESSAGE_MAP()

CTitleTip::CTitleTip() : m_dwDblClickMsecs(GetDoubleClickTime()) {
  RegisterWindowClassOnce(kTitleTipClass, CS_SAVEBITS, COLOR_INFOBK);
}

CTitleTip::~CTitleTip() {
  if (m_hWnd) DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* parent) {
  if (m_bCreated) return TRUE;
  m_pParentWnd = parent;
  m_bCreated = CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTitleTipClass, nullptr, WS_POPUP | WS_BORDER,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        parent ? parent->GetSafeHwnd() : nullptr, nullptr) != FALSE;
  return m_bCreated;
}

BOOL CTitleTip::DestroyWindow() {
  m_bCreated = false;
  return CWnd::DestroyWindow();
}

void CTitleTip::Show(RECT title, const AString& text, int xOffset, const RECT* hover, const LOGFONTA* font,
                     COLORREF textColour, COLORREF backColour) {
  if (!m_hWnd && !Create(m_pParentWnd)) return;
  if (IsRectEmpty(&title) || IsShown() || !m_pParentWnd) return;
  m_rectHover = hover ? CRect(*hover) : CRect(title);
  m_rectHover.right++;
  m_rectHover.bottom++;
  m_pParentWnd->ClientToScreen(&m_rectHover);
  ScreenToClient(&m_rectHover);
  if (!AppHasFocus()) return;
  CRect screen(title);
  m_pParentWnd->ClientToScreen(&screen);
  m_text = " ";
  m_text += text;
  m_text += " ";
  m_hasFont = font != nullptr;
  if (font) m_font = *font;
  HDC dc = ::GetDC(m_hWnd);
  UniqueFont made(font ? CreateFontIndirectA(font) : nullptr);
  HGDIOBJ chosen = made ? made.get() : reinterpret_cast<HGDIOBJ>(m_pParentWnd->SendMessage(WM_GETFONT));
  HGDIOBJ old = chosen ? SelectObject(dc, chosen) : nullptr;
  SIZE size{};
  GetTextExtentPoint32A(dc, m_text.GetData(), m_text.GetLength(), &size);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  size.cx += tm.tmOverhang;
  if (old) SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  CRect display(screen);
  display.left += xOffset;
  display.right = display.left + size.cx + xOffset;
  if (screen.right - xOffset >= display.right) return;  // the text fits
  m_textColour = textColour;
  m_backColour = backColour;
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, display.left, display.top, display.Width(), display.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetCapture();
}

void CTitleTip::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  RECT clip;
  GetClipBox(dc, &clip);
  if (m_backColour != kDefault) {
    UniqueBrush brush(CreateSolidBrush(m_backColour));
    FillRect(dc, &clip, brush.get());
  }
  if (m_textColour != kDefault) SetTextColor(dc, m_textColour);
  SetBkMode(dc, TRANSPARENT);
  UniqueFont made(m_hasFont ? CreateFontIndirectA(&m_font) : nullptr);
  HGDIOBJ chosen = made ? made.get()
                        : (m_pParentWnd ? reinterpret_cast<HGDIOBJ>(m_pParentWnd->SendMessage(WM_GETFONT)) : nullptr);
  HGDIOBJ old = chosen ? SelectObject(dc, chosen) : nullptr;
  if (!m_text.IsEmpty()) TextOutA(dc, 0, 0, m_text.GetData(), m_text.GetLength());
  if (old) SelectObject(dc, old);
  ::EndPaint(m_hWnd, &ps);
}

void CTitleTip::Hide() {
  if (!m_hWnd) return;
  if (GetCapture() == this) ReleaseCapture();
  ShowWindow(SW_HIDE);
}

void CTitleTip::OnMouseMove(UINT, CPoint point) {
  if (m_rectHover.PtInRect(point)) return;
  ClientToScreen(&point);
  PassOn(WM_MOUSEMOVE, point);
}

// Hides the tip and posts the message to the window under the screen point
// (the parent when that is the tip), in its client or non-client form.
void CTitleTip::PassOn(UINT message, POINT screen) {
  Hide();
  HWND under = ::WindowFromPoint(screen);
  if (!under || under == m_hWnd) under = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
  if (!under) return;
  const LRESULT hit = ::SendMessageA(under, WM_NCHITTEST, 0, crack::PackPoint(screen));
  if (hit == HTCLIENT) {
    POINT client = screen;
    ::ScreenToClient(under, &client);
    ::PostMessageA(under, message, 0, crack::PackPoint(client));
    return;
  }
  const UINT nc = message == WM_MOUSEMOVE     ? WM_NCMOUSEMOVE
                  : message == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
                  : message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                  : message == WM_MBUTTONDOWN ? WM_NCMBUTTONDOWN
                                              : WM_NCLBUTTONDBLCLK;
  ::PostMessageA(under, nc, static_cast<WPARAM>(hit), crack::PackPoint(screen));
}

// A press on the tip (it holds the capture) reaches the window underneath.
void CTitleTip::OnButtonDown(UINT message, CPoint point) {
  MSG msg{m_hWnd, message, 0, crack::PackPoint(point), 0, {0, 0}};
  PreTranslateMessage(&msg);
}

BOOL CTitleTip::PreTranslateMessage(MSG* msg) {
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Hide();
      if (m_pParentWnd) m_pParentWnd->PostMessage(msg->message, msg->wParam, msg->lParam);
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      UINT message = msg->message;
      if (message == WM_LBUTTONDOWN) {
        const DWORD now = GetTickCount();
        if (m_dwLastLButtonDown != 0xFFFFFFFF && now - m_dwLastLButtonDown <= m_dwDblClickMsecs)
          message = WM_LBUTTONDBLCLK;
        m_dwLastLButtonDown = now;
      }
      POINT screen{crack::LowShort(msg->lParam), crack::HighShort(msg->lParam)};
      ::ClientToScreen(msg->hwnd, &screen);
      PassOn(message, screen);
      return TRUE;
    }
    default:
      if (AppHasFocus()) return FALSE;
      Hide();
      return TRUE;
  }
}
