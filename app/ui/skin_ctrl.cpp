// Skinned statics, check boxes, radio buttons and push buttons.
#include "app/ui/skin_ctrl.h"

#include <algorithm>
#include <strings.h>

#include "app/ui/ui_language.h"
#include "app/ui/ui_text_draw.h"
#include "foundation/codepage/codepage.h"

namespace {

// Statics whose text the program changes while the dialog runs: they read it
// again at every paint.
bool RereadsText(int id) { return id == 1052 || id == 1053; }
bool IsBlueCaption(int id) { return RereadsText(id) || id == 1 || id == 2 || id == 6 || id == 7; }

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void FrameWithColour(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinCtrl, CButton)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_KILLFOCUS()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SKIN_GETCHECK, OnGetCheck)
ON_MESSAGE(WM_SKIN_SETCHECK, OnSetCheck)
ON_MESSAGE(WM_GETDLGCODE, OnDlgCode)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

bool CSkinCtrl::SubclassControl(HWND window) {
  if (!window || CWnd::FromHandlePermanent(window)) return false;
  char className[81] = {};
  GetClassNameA(window, className, sizeof className);
  isStatic_ = strcasecmp(className, "Static") == 0;
  char text[257] = {};
  GetWindowTextA(window, text, sizeof text);
  caption_ = TranslateUiString(text);
  if (!SubclassWindow(window)) return false;
  // Three-state boxes (5, 6) are check boxes too: drawn as push buttons they
  // would lose their box.
  const UINT type = GetStyle() & 0xFF;
  if (isStatic_) {
    kind_ = Kind::kStatic;
  } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) {
    kind_ = Kind::kCheck;
  } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
    kind_ = Kind::kRadio;
  } else {
    kind_ = Kind::kPush;
  }
  selfDrawn_ = kind_ == Kind::kPush;
  mousePressed_ = false;
  mouseInside_ = false;
  // The system must never draw the untranslated text of a box.
  if (IsCheckOrRadio()) ::SetWindowTextA(window, "");
  return true;
}

CWnd* CSkinCtrl::NotifyWindow() const { return notify_ ? notify_ : GetOwner(); }

int CSkinCtrl::SetCheck(int state, int notify) {
  const int old = checked_;
  checked_ = state;
  if (notify) {
    if (CWnd* owner = GetOwner()) {
      owner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
    }
  } else if (partner_ && old != state) {
    // Only a change goes on to the partner, so the pair settles after one
    // exchange instead of calling each other for ever.
    ::SendMessageA(partner_, WM_SKIN_SETCHECK, state ? 0 : 1, 0);
  }
  Repaint();
  return old;
}

LRESULT CSkinCtrl::OnGetCheck(WPARAM, LPARAM) { return checked_; }
LRESULT CSkinCtrl::OnSetCheck(WPARAM state, LPARAM notify) {
  return SetCheck(static_cast<int>(state), static_cast<int>(notify));
}

BOOL CSkinCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CSkinCtrl::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  if (selfDrawn_) {
    ButtonState state;
    state.focus = ::GetFocus() == m_hWnd;
    state.pressed = mousePressed_ && mouseInside_;
    state.disabled = !IsWindowEnabled();
    DrawPushButton(dc, client, state);
  } else {
    PaintCaptionControl(dc);
  }
}

void CSkinCtrl::PaintCaptionControl(HDC dc) {
  RECT client;
  GetClientRect(&client);
  RECT fill = client;
  InflateRect(&fill, 2, 2);
  FillRect(dc, &fill, GetSysColorBrush(COLOR_BTNFACE));

  const int height = client.bottom - client.top;
  int boxSide = 0;
  if (IsCheckOrRadio()) {
    boxSide = std::min(GetDeviceCaps(dc, LOGPIXELSY) * 10 / 72, GetSystemMetrics(SM_CXMENUCHECK));
    RECT box{0, std::max(0, (height - boxSide) / 2), 0, 0};
    box.right = box.left + boxSide;
    box.bottom = box.top + boxSide;
    UINT state = kind_ == Kind::kRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (SendMessage(BM_GETCHECK) != 0) state |= DFCS_CHECKED;
    if (!IsWindowEnabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
  }

  const int id = GetDlgCtrlID();
  if (isStatic_ && RereadsText(id)) {
    char text[1024] = {};
    GetWindowTextA(m_hWnd, text, sizeof text);
    if (*text) caption_ = IsEnglishUi() ? AString(text) : TranslateUiString(text);
  }

  UiTextScope scope(dc, UiFont());
  const SIZE extent = MeasureUiText(dc, caption_);
  int x = 0;
  int y = 0;
  if (isStatic_) {
    if (GetStyle() & SS_RIGHT) x = std::max<int>(0, client.right - extent.cx - 2);
  } else {
    y = std::max<int>(0, (height - extent.cy) / 2);
    x = boxSide + boxSide / 2;
  }
  captionRect_ = RECT{x, y, std::min<int>(x + extent.cx + 2, client.right - 1), y + std::max<int>(extent.cy, 16)};
  COLORREF colour = isStatic_ && IsBlueCaption(id) ? kBlue : GetSysColor(COLOR_BTNTEXT);
  if (!IsWindowEnabled()) colour = GetSysColor(COLOR_GRAYTEXT);
  SetTextColor(dc, colour);
  DrawUiText(dc, x, y, caption_);
  if (IsCheckOrRadio() && ::GetFocus() == m_hWnd) {
    RECT focus = captionRect_;
    focus.left -= 1;
    focus.top -= 1;
    focus.right += 1;
    ::DrawFocusRect(dc, &focus);
  }
}

void CSkinCtrl::DrawPushButton(HDC dc, const RECT& client, const ButtonState& state) {
  RECT face = client;
  if (CWnd* notify = NotifyWindow()) {
    const LRESULT defaultId = notify->SendMessage(WM_USER);
    if ((defaultId & 0xFF) == (GetDlgCtrlID() & 0xFF)) {
      FrameWithColour(dc, client, kBlack);
      InflateRect(&face, -1, -1);
    }
  }
  if (partner_) {
    UINT look = DFCS_BUTTONPUSH | DFCS_FLAT;
    if (checked_) look |= DFCS_PUSHED | DFCS_CHECKED;
    DrawFrameControl(dc, &face, DFC_BUTTON, look);
    FrameWithColour(dc, face, kBlue);
    if (checked_) {
      if (HBITMAP glyph = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_SKIN_PAIR_CHECK))) {
        BITMAP info{};
        GetObjectA(glyph, sizeof info, &info);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, glyph);
        const int top = face.top + (face.bottom - face.top - info.bmHeight) / 2;
        BitBlt(dc, face.left + info.bmWidth / 3, top, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(glyph);
      }
    }
  } else {
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (state.pressed ? DFCS_PUSHED : 0));
  }

  UiTextScope scope(dc, UiFont());
  const SIZE extent = MeasureUiText(dc, caption_);
  const int offset = state.pressed ? 1 : 0;
  const int x = std::max<int>(0, face.left + (face.right - face.left - extent.cx) / 2) + offset;
  const int y = std::max<int>(0, face.top + (face.bottom - face.top - extent.cy) / 2) + offset;
  SetTextColor(dc, GetSysColor(state.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawUiText(dc, x, y, caption_);
  captionRect_ = RECT{x, y, x + extent.cx, y + extent.cy};

  if (state.focus && !state.disabled) {
    RECT focus = client;
    const int side = std::min(client.right - client.left, client.bottom - client.top);
    const int inset = side < 16 ? side / 4 : 3;
    InflateRect(&focus, -inset, -inset);
    ::DrawFocusRect(dc, &focus);
  }
}

void CSkinCtrl::DrawItem(LPDRAWITEMSTRUCT dis) {
  ButtonState state;
  state.focus = dis->itemAction == ODA_FOCUS || (dis->itemState & ODS_FOCUS);
  state.pressed = (dis->itemState & ODS_SELECTED) != 0;
  state.disabled = (dis->itemState & ODS_DISABLED) != 0;
  DrawPushButton(dis->hDC, dis->rcItem, state);
}

void CSkinCtrl::OnLButtonDown(UINT, CPoint) {
  Default();
  mousePressed_ = true;
  mouseInside_ = true;
  Repaint();
}

void CSkinCtrl::OnLButtonUp(UINT, CPoint) {
  if (partner_ && mousePressed_ && mouseInside_) {
    checked_ = 1;
    ::SendMessageA(partner_, WM_SKIN_SETCHECK, 0, 1);
  }
  Default();
  mousePressed_ = false;
  Repaint();
}

void CSkinCtrl::OnMouseMove(UINT, CPoint point) {
  Default();
  if (!mousePressed_) return;
  RECT client;
  GetClientRect(&client);
  const bool inside = PtInRect(&client, point) != 0;
  if (inside != mouseInside_) {
    mouseInside_ = inside;
    Repaint();
  }
}

void CSkinCtrl::OnKeyDown(UINT ch, UINT, UINT) {
  if (HandleKey(static_cast<int>(ch))) return;
  if (Swallows()) return;
  Default();
  Repaint();
}

void CSkinCtrl::OnKeyUp(UINT, UINT, UINT) {
  if (Swallows()) return;
  Default();
  Repaint();
}

void CSkinCtrl::OnKillFocus(CWnd*) {
  if (Swallows()) return;
  Default();
  Repaint();
}

void CSkinCtrl::OnSetFocus(CWnd*) {
  Default();
  Repaint();
}

bool CSkinCtrl::HandlesKey(int key) const {
  if (partner_) {
    const bool toPartner = placeInPair_ == 0 ? (key == VK_LEFT || key == VK_UP) : (key == VK_RIGHT || key == VK_DOWN);
    return toPartner || key == VK_SPACE;
  }
  return selfDrawn_ && (key == VK_RETURN || key == VK_SPACE);
}

bool CSkinCtrl::HandleKey(int key) {
  if (!HandlesKey(key)) return false;
  if (partner_) {
    if (key == VK_SPACE) {
      checked_ = 1;
      ::SendMessageA(partner_, WM_SKIN_SETCHECK, 0, 0);
      ::InvalidateRect(partner_, nullptr, FALSE);
      Repaint();
    } else {
      ::SendMessageA(partner_, WM_SKIN_SETCHECK, 1, 0);
      ::SetFocus(partner_);
    }
    return true;
  }
  if (CWnd* owner = GetOwner()) {
    owner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
  }
  return true;
}

// The dialog manager asks before it uses a key itself: the keys the control
// handles come to it as WM_KEYDOWN.
LRESULT CSkinCtrl::OnDlgCode(WPARAM, LPARAM lParam) {
  LRESULT code = Default();
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && msg->message == WM_KEYDOWN && HandlesKey(static_cast<int>(msg->wParam))) code |= DLGC_WANTMESSAGE;
  return code;
}

BOOL CSkinCtrl::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->hwnd == m_hWnd && HandleKey(static_cast<int>(msg->wParam))) return TRUE;
  return CButton::PreTranslateMessage(msg);
}

// A static's text set after it was skinned (a dialog filling in a value)
// becomes its caption, translated as at skinning; buttons take their
// captions through the skin.
LRESULT CSkinCtrl::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (!isStatic_) return result;
  char16_t wide[1024] = {};
  const int n = ::GetWindowTextW(m_hWnd, reinterpret_cast<LPWSTR>(wide), 1024);
  AString text;
  if (n > 0) {
    AString in(n * 2, reinterpret_cast<const char*>(wide));
    in.SetWide(true);
    WideToMultiByte(in, &text, UiCodePage());
  }
  caption_ = IsEnglishUi() ? text : TranslateUiString(text.GetData());
  Invalidate(TRUE);
  return result;
}
