// The toolbar control's messages: buttons, states, bitmaps and strings,
// sizes, the mouse, and the tooltip it keeps.
#include <algorithm>
#include <cstring>

#include "platform/comctl/comctl_classes.h"
#include "platform/comctl/control_state.h"
#include "platform/comctl/tooltips.h"
#include "platform/comctl/toolbar_model.h"
#include "platform/user/message_crack.h"

namespace comctl {
namespace {

constexpr UINT_PTR kLeaveTimer = 1;
constexpr UINT kLeaveCheck = 100;  // milliseconds on the layer's clock

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }

int IndexOf(const Toolbar& t, WPARAM command) {
  for (size_t i = 0; i < t.buttons.size(); ++i)
    if (t.buttons[i].command == static_cast<int>(command)) return static_cast<int>(i);
  return -1;
}

ToolbarButton* ByCommand(Toolbar& t, WPARAM command) {
  const int i = IndexOf(t, command);
  return i < 0 ? nullptr : &t.buttons[static_cast<size_t>(i)];
}

// The tooltip's tools follow the buttons: one per visible button, named by
// its command, its text asked of the parent.
void SyncTools(HWND w, const Toolbar& t) {
  if (!t.tooltip) return;
  while (SendMessageW(t.tooltip, TTM_GETTOOLCOUNT, 0, 0) > 0) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    if (!SendMessageW(t.tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info))) break;
    SendMessageW(t.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  for (const ToolbarButton& b : t.buttons) {
    if (b.Separator() || !b.Visible()) continue;
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = w;
    info.uId = static_cast<UINT_PTR>(b.command);
    info.rect = b.rect;
    info.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(t.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Relayout(HWND w, Toolbar& t) {
  RECT client;
  GetClientRect(w, &client);
  LayOut(t, StyleOf(w), client.right);
  SyncTools(w, t);
  InvalidateRect(w, nullptr, TRUE);
}

// TB_AUTOSIZE: the height the buttons need, across the parent unless told otherwise.
void AutoSize(HWND w, Toolbar& t) {
  const DWORD style = StyleOf(w);
  if (style & CCS_NORESIZE) {
    Relayout(w, t);
    return;
  }
  RECT client;
  GetClientRect(w, &client);
  int width = client.right;
  const HWND parent = GetParent(w);
  RECT parentClient{};
  if (parent) GetClientRect(parent, &parentClient);
  if (!(style & CCS_NOPARENTALIGN) && parent) width = parentClient.right;
  const int height = LayOut(t, style, width);
  if (!(style & CCS_NOPARENTALIGN) && parent) {
    // CCS_BOTTOM along the parent's bottom, CCS_NOMOVEY where it is, else the top.
    RECT now;
    GetWindowRect(w, &now);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
    const DWORD place = style & 0x3;
    const int y = place == CCS_BOTTOM ? parentClient.bottom - height : place == CCS_NOMOVEY ? now.top : 0;
    SetWindowPos(w, nullptr, 0, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(w, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
  Relayout(w, t);
}

LRESULT NotifyButton(HWND w, const Toolbar& t, UINT code, int index) {
  NMTOOLBARW nm{};
  if (index >= 0 && index < static_cast<int>(t.buttons.size())) {
    const ToolbarButton& b = t.buttons[static_cast<size_t>(index)];
    nm.iItem = b.command;
    nm.tbButton = TBBUTTON{b.image, b.command, b.state, b.style, {}, b.data, b.string};
    nm.rcButton = b.rect;
  }
  return SendNotify(w, code, &nm.hdr, t.notify);
}

ToolbarButton FromStruct(const TBBUTTON& in, bool wideStrings) {
  ToolbarButton b;
  b.image = in.iBitmap;
  b.command = in.idCommand;
  b.state = in.fsState;
  b.style = in.fsStyle;
  b.data = in.dwData;
  if (in.iString != -1 && !IS_INTRESOURCE(reinterpret_cast<const void*>(in.iString))) {
    b.text = wideStrings ? FromWide(reinterpret_cast<LPCWSTR>(in.iString)) : FromAnsi(reinterpret_cast<LPCSTR>(in.iString));
    b.string = -1;
  } else {
    b.string = in.iString;
  }
  return b;
}

LRESULT Insert(HWND w, Toolbar& t, size_t at, const BYTE* from, size_t count, bool wide) {
  if (!from) return FALSE;
  at = std::min(at, t.buttons.size());
  for (size_t i = 0; i < count; ++i) {
    TBBUTTON in{};
    std::memcpy(&in, from + i * t.structSize, std::min<size_t>(t.structSize, sizeof in));
    t.buttons.insert(t.buttons.begin() + static_cast<std::ptrdiff_t>(at + i), FromStruct(in, wide));
  }
  if (t.hot >= static_cast<int>(at)) t.hot = -1;
  Relayout(w, t);
  return TRUE;
}

// Checks a check-group button and clears the rest of its group (the run of
// check-group buttons around it).
void CheckInGroup(Toolbar& t, size_t index) {
  auto inGroup = [&](size_t i) { return (t.buttons[i].style & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; };
  size_t first = index, last = index;
  while (first > 0 && inGroup(first - 1)) --first;
  while (last + 1 < t.buttons.size() && inGroup(last + 1)) ++last;
  for (size_t i = first; i <= last; ++i) t.buttons[i].state &= static_cast<BYTE>(~TBSTATE_CHECKED);
  t.buttons[index].state |= TBSTATE_CHECKED;
}

LRESULT SetStateBit(HWND w, Toolbar& t, WPARAM command, BYTE bit, bool on) {
  const int i = IndexOf(t, command);
  if (i < 0) return FALSE;
  ToolbarButton& b = t.buttons[static_cast<size_t>(i)];
  const BYTE before = b.state;
  if (bit == TBSTATE_CHECKED && on && (b.style & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) CheckInGroup(t, static_cast<size_t>(i));
  else if (on) b.state |= bit;
  else b.state &= static_cast<BYTE>(~bit);
  if (bit == TBSTATE_HIDDEN && before != b.state) Relayout(w, t);
  else if (before != b.state) InvalidateRect(w, &b.rect, TRUE);
  if (!(b.state & TBSTATE_ENABLED) && t.tracking == i) {
    t.tracking = -1;
    ReleaseCapture();
  }
  return TRUE;
}

LRESULT IsState(const Toolbar& t, WPARAM command, BYTE bit) {
  const int i = IndexOf(t, command);
  if (i < 0) return -1;
  return (t.buttons[static_cast<size_t>(i)].state & bit) ? TRUE : FALSE;
}

template <class Info>
LRESULT GetButtonInfo(const Toolbar& t, WPARAM which, Info* info) {
  if (!info || info->cbSize < sizeof(Info)) return -1;
  const int i = (info->dwMask & TBIF_BYINDEX) ? (which < t.buttons.size() ? static_cast<int>(which) : -1) : IndexOf(t, which);
  if (i < 0) return -1;
  const ToolbarButton& b = t.buttons[static_cast<size_t>(i)];
  if (info->dwMask & TBIF_COMMAND) info->idCommand = b.command;
  if (info->dwMask & TBIF_IMAGE) info->iImage = b.image;
  if (info->dwMask & TBIF_STATE) info->fsState = b.state;
  if (info->dwMask & TBIF_STYLE) info->fsStyle = b.style;
  if (info->dwMask & TBIF_LPARAM) info->lParam = b.data;
  if (info->dwMask & TBIF_SIZE) info->cx = static_cast<WORD>(b.rect.right - b.rect.left);
  if (info->dwMask & TBIF_TEXT) {
    if constexpr (std::is_same_v<Info, TBBUTTONINFOW>) CopyText(ButtonText(t, b), info->pszText, info->cchText);
    else CopyText(ButtonText(t, b), info->pszText, info->cchText);
  }
  return i;
}

template <class Info>
LRESULT SetButtonInfo(HWND w, Toolbar& t, WPARAM which, const Info* info) {
  if (!info || info->cbSize < sizeof(Info)) return FALSE;
  const int i = (info->dwMask & TBIF_BYINDEX) ? (which < t.buttons.size() ? static_cast<int>(which) : -1) : IndexOf(t, which);
  if (i < 0) return FALSE;
  ToolbarButton& b = t.buttons[static_cast<size_t>(i)];
  if (info->dwMask & TBIF_COMMAND) b.command = info->idCommand;
  if (info->dwMask & TBIF_IMAGE) b.image = info->iImage;
  if (info->dwMask & TBIF_STATE) b.state = info->fsState;
  if (info->dwMask & TBIF_STYLE) b.style = info->fsStyle;
  if (info->dwMask & TBIF_LPARAM) b.data = info->lParam;
  if (info->dwMask & TBIF_SIZE) b.width = info->cx;
  if (info->dwMask & TBIF_TEXT) {
    if constexpr (std::is_same_v<Info, TBBUTTONINFOW>) b.text = FromWide(info->pszText);
    else b.text = FromAnsi(info->pszText);
    b.string = -1;
  }
  Relayout(w, t);
  return TRUE;
}

int ButtonAt(const Toolbar& t, POINT p) {
  for (size_t i = 0; i < t.buttons.size(); ++i)
    if (t.buttons[i].Visible() && PtInRect(&t.buttons[i].rect, p)) return static_cast<int>(i);
  return -1;
}

// TB_HITTEST: the index of the button under the point; for a separator or
// no button, the negative of the separator's (or the last button's) index.
LRESULT HitTest(const Toolbar& t, const POINT* p) {
  if (!p) return -1;
  const int i = ButtonAt(t, *p);
  if (i >= 0) return t.buttons[static_cast<size_t>(i)].Separator() ? -i : i;
  return -static_cast<LRESULT>(t.buttons.size());
}

void Relay(const Toolbar& t, HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!t.tooltip) return;
  MSG msg{w, message, wParam, lParam, GetMessageTime(), {}};
  SendMessageW(t.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void SetHot(HWND w, Toolbar& t, int index, DWORD why) {
  if (index == t.hot) return;
  NMTBHOTITEM nm{};
  nm.idOld = t.hot >= 0 ? t.buttons[static_cast<size_t>(t.hot)].command : 0;
  nm.idNew = index >= 0 ? t.buttons[static_cast<size_t>(index)].command : 0;
  nm.dwFlags = why | (t.hot < 0 ? HICF_ENTERING : 0) | (index < 0 ? HICF_LEAVING : 0);
  if (SendNotify(w, TBN_HOTITEMCHANGE, &nm.hdr, t.notify)) return;
  if (t.hot >= 0) InvalidateRect(w, &t.buttons[static_cast<size_t>(t.hot)].rect, TRUE);
  t.hot = index;
  if (t.hot >= 0) InvalidateRect(w, &t.buttons[static_cast<size_t>(t.hot)].rect, TRUE);
  // While a button is hot, the pointer is watched: the toolbar hears no
  // moves once it is elsewhere.
  if (t.hot >= 0 && why == HICF_MOUSE) SetTimer(w, kLeaveTimer, kLeaveCheck, nullptr);
  else if (t.hot < 0) KillTimer(w, kLeaveTimer);
}

// The hot button goes cold when the pointer has left it.
void CheckLeave(HWND w, Toolbar& t) {
  POINT p;
  GetCursorPos(&p);
  const HWND under = WindowFromPoint(p);
  ScreenToClient(w, &p);
  const bool inside = under == w && t.hot >= 0 && PtInRect(&t.buttons[static_cast<size_t>(t.hot)].rect, p);
  if (!inside && t.tracking < 0) SetHot(w, t, -1, HICF_MOUSE);
}

bool Clickable(const ToolbarButton& b) { return !b.Separator() && (b.state & TBSTATE_ENABLED) && b.Visible(); }

void MouseDown(HWND w, Toolbar& t, POINT p) {
  const int i = ButtonAt(t, p);
  if (i < 0 || !Clickable(t.buttons[static_cast<size_t>(i)])) return;
  if (DropsDownAt(t, t.buttons[static_cast<size_t>(i)], p) && !DropDown(w, t, i)) return;
  t.tracking = i;
  t.buttons[static_cast<size_t>(i)].state |= TBSTATE_PRESSED;
  SetCapture(w);
  InvalidateRect(w, &t.buttons[static_cast<size_t>(i)].rect, TRUE);
  NotifyButton(w, t, TBN_BEGINDRAG, i);
}

void MouseMove(HWND w, Toolbar& t, POINT p) {
  if (t.tracking >= 0) {
    ToolbarButton& b = t.buttons[static_cast<size_t>(t.tracking)];
    const bool inside = PtInRect(&b.rect, p) != 0;
    const BYTE before = b.state;
    if (inside) b.state |= TBSTATE_PRESSED;
    else b.state &= static_cast<BYTE>(~TBSTATE_PRESSED);
    if (before != b.state) InvalidateRect(w, &b.rect, TRUE);
    return;
  }
  if (!(GetWindowLongW(w, GWL_STYLE) & TBSTYLE_FLAT)) return;
  const int i = ButtonAt(t, p);
  SetHot(w, t, i >= 0 && Clickable(t.buttons[static_cast<size_t>(i)]) ? i : -1, HICF_MOUSE);
}

void MouseUp(HWND w, Toolbar& t, POINT p) {
  if (t.tracking < 0) return;
  const int i = t.tracking;
  t.tracking = -1;
  ToolbarButton& b = t.buttons[static_cast<size_t>(i)];
  const bool click = (b.state & TBSTATE_PRESSED) && PtInRect(&b.rect, p);
  b.state &= static_cast<BYTE>(~TBSTATE_PRESSED);
  if (GetCapture() == w) ReleaseCapture();
  if (click && (b.style & TBSTYLE_CHECK)) {
    if ((b.style & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) CheckInGroup(t, static_cast<size_t>(i));
    else b.state ^= TBSTATE_CHECKED;
    InvalidateRect(w, nullptr, TRUE);
  }
  InvalidateRect(w, &b.rect, TRUE);
  NotifyButton(w, t, TBN_ENDDRAG, i);
  if (!click) return;
  NMMOUSE nm{};
  nm.dwItemSpec = static_cast<DWORD_PTR>(b.command);
  nm.dwItemData = b.data;
  nm.pt = p;
  SendNotify(w, NM_CLICK, &nm.hdr, t.notify);
  if (IsWindow(w) && t.notify)
    SendMessageW(t.notify, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(b.command), BN_CLICKED), reinterpret_cast<LPARAM>(w));
}

void MakeTooltip(HWND w, Toolbar& t) {
  t.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, w,
                              nullptr, nullptr, nullptr);
  if (!t.tooltip) return;
  t.ownTooltip = true;
  NMTOOLTIPSCREATED nm{};
  nm.hwndToolTips = t.tooltip;
  SendNotify(w, NM_TOOLTIPSCREATED, &nm.hdr, t.notify);
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    Toolbar* t = MakeState<Toolbar>(w);
    t->notify = reinterpret_cast<const CREATESTRUCTW*>(lParam)->hwndParent;
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Toolbar* tp = StateOf<Toolbar>(w);
  if (!tp) return DefWindowProcW(w, message, wParam, lParam);
  Toolbar& t = *tp;
  const POINT mouse = crack::MouseOf(wParam, lParam).pt;
  switch (message) {
    case WM_CREATE:
      if (StyleOf(w) & TBSTYLE_TOOLTIPS) MakeTooltip(w, t);
      if (!(StyleOf(w) & CCS_NORESIZE)) AutoSize(w, t);
      return 0;
    case WM_DESTROY:
      if (t.tooltip && t.ownTooltip && IsWindow(t.tooltip)) DestroyWindow(t.tooltip);
      t.tooltip = nullptr;
      return 0;
    case WM_NCDESTROY:
      if (t.own) ImageList_Destroy(t.own);
      DropState<Toolbar>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_PAINT: PaintToolbar(w, t); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Relayout(w, t); return 0;
    case WM_SETFONT:
      t.font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Relayout(w, t);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t.font);
    case WM_NOTIFY: {
      // The tooltip asks for a button's text: the parent answers.
      const auto* h = reinterpret_cast<const NMHDR*>(lParam);
      if (h && t.tooltip && h->hwndFrom == t.tooltip && t.notify) return SendMessageW(t.notify, WM_NOTIFY, wParam, lParam);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Relay(t, w, message, wParam, lParam);
      MouseDown(w, t, mouse);
      return 0;
    case WM_MOUSEMOVE:
      Relay(t, w, message, wParam, lParam);
      MouseMove(w, t, mouse);
      return 0;
    case WM_LBUTTONUP:
      Relay(t, w, message, wParam, lParam);
      MouseUp(w, t, mouse);
      return 0;
    case WM_RBUTTONDOWN: Relay(t, w, message, wParam, lParam); return 0;
    case WM_RBUTTONUP: {
      Relay(t, w, message, wParam, lParam);
      const int i = ButtonAt(t, mouse);
      NMMOUSE nm{};
      if (i >= 0) {
        nm.dwItemSpec = static_cast<DWORD_PTR>(t.buttons[static_cast<size_t>(i)].command);
        nm.dwItemData = t.buttons[static_cast<size_t>(i)].data;
      } else {
        nm.dwItemSpec = static_cast<DWORD_PTR>(-1);
      }
      nm.pt = mouse;
      SendNotify(w, NM_RCLICK, &nm.hdr, t.notify);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kLeaveTimer) CheckLeave(w, t);
      return 0;
    case WM_CAPTURECHANGED:
      if (t.tracking >= 0 && reinterpret_cast<HWND>(lParam) != w) {
        ToolbarButton& b = t.buttons[static_cast<size_t>(t.tracking)];
        b.state &= static_cast<BYTE>(~TBSTATE_PRESSED);
        InvalidateRect(w, &b.rect, TRUE);
        t.tracking = -1;
      }
      return 0;
    case TB_BUTTONSTRUCTSIZE:
      if (wParam >= offsetof(TBBUTTON, dwData)) t.structSize = static_cast<UINT>(wParam);
      return 0;
    case TB_ADDBITMAP: return AddBitmap(t, wParam, reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_REPLACEBITMAP: return ReplaceBitmap(w, t, reinterpret_cast<const TBREPLACEBITMAP*>(lParam));
    case TB_ADDBUTTONSW:
    case TB_ADDBUTTONSA:
      return Insert(w, t, t.buttons.size(), reinterpret_cast<const BYTE*>(lParam), wParam, message == TB_ADDBUTTONSW);
    case TB_INSERTBUTTONW:
    case TB_INSERTBUTTONA: {
      const size_t at = static_cast<int>(wParam) < 0 ? t.buttons.size() : wParam;
      return Insert(w, t, at, reinterpret_cast<const BYTE*>(lParam), 1, message == TB_INSERTBUTTONW);
    }
    case TB_DELETEBUTTON: {
      if (wParam >= t.buttons.size()) return FALSE;
      NotifyButton(w, t, TBN_DELETINGBUTTON, static_cast<int>(wParam));
      if (t.tracking >= 0) {
        t.tracking = -1;
        if (GetCapture() == w) ReleaseCapture();
      }
      t.buttons.erase(t.buttons.begin() + static_cast<std::ptrdiff_t>(wParam));
      t.hot = -1;
      Relayout(w, t);
      return TRUE;
    }
    case TB_MOVEBUTTON: {
      if (wParam >= t.buttons.size() || static_cast<size_t>(lParam) >= t.buttons.size()) return FALSE;
      ToolbarButton moving = t.buttons[wParam];
      t.buttons.erase(t.buttons.begin() + static_cast<std::ptrdiff_t>(wParam));
      t.buttons.insert(t.buttons.begin() + lParam, moving);
      t.hot = -1;
      Relayout(w, t);
      return TRUE;
    }
    case TB_GETBUTTON: {
      auto* out = reinterpret_cast<TBBUTTON*>(lParam);
      if (wParam >= t.buttons.size() || !out) return FALSE;
      const ToolbarButton& b = t.buttons[wParam];
      *out = TBBUTTON{b.image, b.command, b.state, b.style, {}, b.data, b.string};
      return TRUE;
    }
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(t.buttons.size());
    case TB_COMMANDTOINDEX: return IndexOf(t, wParam);
    case TB_GETITEMRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (wParam >= t.buttons.size() || !out || !t.buttons[wParam].Visible()) return FALSE;
      *out = t.buttons[wParam].rect;
      return TRUE;
    }
    case TB_GETITEMDROPDOWNRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (wParam >= t.buttons.size() || !out || !t.buttons[wParam].Visible()) return FALSE;
      const RECT arrow = ArrowPart(t, t.buttons[wParam]);
      if (IsRectEmpty(&arrow)) return FALSE;
      *out = arrow;
      return TRUE;
    }
    case TB_GETRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      const ToolbarButton* b = ByCommand(t, wParam);
      if (!b || !out) return FALSE;
      *out = b->rect;
      return TRUE;
    }
    case TB_SETBUTTONSIZE:
      t.buttonSize = SIZE{std::max(1, static_cast<int>(LOWORD(static_cast<DWORD_PTR>(lParam)))),
                          std::max(1, static_cast<int>(HIWORD(static_cast<DWORD_PTR>(lParam))))};
      Relayout(w, t);
      return TRUE;
    case TB_SETBITMAPSIZE: {
      const SIZE size{LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))};
      if (size.cx <= 0 || size.cy <= 0) return FALSE;
      if (t.own && ImageList_GetImageCount(t.own) > 0) return FALSE;  // the strip is already cut
      t.bitmapSize = size;
      if (t.own) ImageList_SetIconSize(t.own, size.cx, size.cy);
      Relayout(w, t);
      return TRUE;
    }
    case TB_GETBUTTONSIZE: {
      const SIZE size = CommonButtonSize(t);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy)));
    }
    case TB_SETPADDING: {
      const SIZE old = t.padding;
      t.padding = SIZE{LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))};
      Relayout(w, t);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(old.cx), static_cast<WORD>(old.cy)));
    }
    case TB_GETPADDING: return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(t.padding.cx), static_cast<WORD>(t.padding.cy)));
    case TB_AUTOSIZE: AutoSize(w, t); return 0;
    case TB_GETMAXSIZE: {
      auto* out = reinterpret_cast<SIZE*>(lParam);
      if (!out) return FALSE;
      LONG right = 0, bottom = 0;
      for (const ToolbarButton& b : t.buttons)
        if (b.Visible()) {
          right = std::max(right, b.rect.right);
          bottom = std::max(bottom, b.rect.bottom);
        }
      *out = SIZE{right, bottom};
      return TRUE;
    }
    case TB_SETSTATE: {
      ToolbarButton* b = ByCommand(t, wParam);
      if (!b) return FALSE;
      const bool hiddenChanged = ((b->state ^ LOWORD(static_cast<DWORD_PTR>(lParam))) & TBSTATE_HIDDEN) != 0;
      b->state = static_cast<BYTE>(LOWORD(static_cast<DWORD_PTR>(lParam)));
      if (hiddenChanged) Relayout(w, t);
      else InvalidateRect(w, &b->rect, TRUE);
      return TRUE;
    }
    case TB_GETSTATE: {
      const ToolbarButton* b = ByCommand(t, wParam);
      return b ? b->state : -1;
    }
    case TB_ENABLEBUTTON: return SetStateBit(w, t, wParam, TBSTATE_ENABLED, LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_CHECKBUTTON: return SetStateBit(w, t, wParam, TBSTATE_CHECKED, LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_PRESSBUTTON: return SetStateBit(w, t, wParam, TBSTATE_PRESSED, LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_HIDEBUTTON: return SetStateBit(w, t, wParam, TBSTATE_HIDDEN, LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_INDETERMINATE:
      return SetStateBit(w, t, wParam, TBSTATE_INDETERMINATE, LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_MARKBUTTON: return SetStateBit(w, t, wParam, TBSTATE_MARKED, LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_ISBUTTONENABLED: return IsState(t, wParam, TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED: return IsState(t, wParam, TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED: return IsState(t, wParam, TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN: return IsState(t, wParam, TBSTATE_HIDDEN);
    case TB_ISBUTTONINDETERMINATE: return IsState(t, wParam, TBSTATE_INDETERMINATE);
    case TB_ISBUTTONHIGHLIGHTED: return IsState(t, wParam, TBSTATE_MARKED);
    case TB_SETCMDID:
      if (wParam >= t.buttons.size()) return FALSE;
      t.buttons[wParam].command = static_cast<int>(lParam);
      SyncTools(w, t);
      return TRUE;
    case TB_CHANGEBITMAP: {
      ToolbarButton* b = ByCommand(t, wParam);
      if (!b) return FALSE;
      b->image = static_cast<int>(LOWORD(static_cast<DWORD_PTR>(lParam)));
      InvalidateRect(w, &b->rect, TRUE);
      return TRUE;
    }
    case TB_GETBITMAP: {
      const ToolbarButton* b = ByCommand(t, wParam);
      return b ? b->image : -1;
    }
    case TB_SETIMAGELIST:
    case TB_SETDISABLEDIMAGELIST:
    case TB_SETHOTIMAGELIST: {
      HIMAGELIST& slot = message == TB_SETIMAGELIST ? t.images : message == TB_SETDISABLEDIMAGELIST ? t.disabled : t.hotImages;
      HIMAGELIST old = slot;
      slot = reinterpret_cast<HIMAGELIST>(lParam);
      int cx = 0, cy = 0;
      if (message == TB_SETIMAGELIST && slot && ImageList_GetIconSize(slot, &cx, &cy)) t.bitmapSize = SIZE{cx, cy};
      Relayout(w, t);
      return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETIMAGELIST: return reinterpret_cast<LRESULT>(t.ImageList());
    case TB_GETDISABLEDIMAGELIST: return reinterpret_cast<LRESULT>(t.disabled);
    case TB_GETHOTIMAGELIST: return reinterpret_cast<LRESULT>(t.hotImages);
    case TB_ADDSTRINGW:
    case TB_ADDSTRINGA:
      return AddStrings(t, reinterpret_cast<HINSTANCE>(wParam), lParam, message == TB_ADDSTRINGW);
    case TB_GETBUTTONTEXTW:
    case TB_GETBUTTONTEXTA: {
      const ToolbarButton* b = ByCommand(t, wParam);
      if (!b) return -1;
      const std::u16string text = ButtonText(t, *b);
      if (!lParam) return static_cast<LRESULT>(text.size());
      if (message == TB_GETBUTTONTEXTW) return CopyText(text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(text.size()) + 1);
      // The A length is in bytes of the ANSI code page.
      const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
      return CopyText(text, reinterpret_cast<LPSTR>(lParam), bytes + 1);
    }
    case TB_GETBUTTONINFOW: return GetButtonInfo(t, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_GETBUTTONINFOA: return GetButtonInfo(t, wParam, reinterpret_cast<TBBUTTONINFOA*>(lParam));
    case TB_SETBUTTONINFOW: return SetButtonInfo(w, t, wParam, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    case TB_SETBUTTONINFOA: return SetButtonInfo(w, t, wParam, reinterpret_cast<const TBBUTTONINFOA*>(lParam));
    case TB_SETMAXTEXTROWS:
      t.maxTextRows = static_cast<int>(wParam);
      Relayout(w, t);
      return TRUE;
    case TB_GETTEXTROWS: return t.maxTextRows;
    case TB_GETROWS: return t.rows;
    case TB_SETROWS: Relayout(w, t); return 0;
    case TB_SETINDENT:
      t.indent = static_cast<int>(wParam);
      Relayout(w, t);
      return TRUE;
    case TB_SETSTYLE:
      SetWindowLongW(w, GWL_STYLE, static_cast<LONG>(lParam));
      Relayout(w, t);
      return 0;
    case TB_GETSTYLE: return StyleOf(w);
    case TB_SETEXTENDEDSTYLE: {
      const DWORD old = t.exStyle;
      t.exStyle = wParam ? (t.exStyle & ~static_cast<DWORD>(wParam)) | (static_cast<DWORD>(lParam) & static_cast<DWORD>(wParam))
                         : static_cast<DWORD>(lParam);
      Relayout(w, t);
      return old;
    }
    case TB_GETEXTENDEDSTYLE: return t.exStyle;
    case TB_HITTEST: return HitTest(t, reinterpret_cast<const POINT*>(lParam));
    case TB_GETHOTITEM: return t.hot;
    case TB_SETHOTITEM: {
      const int old = t.hot;
      const int index = static_cast<int>(wParam) >= 0 && wParam < t.buttons.size() ? static_cast<int>(wParam) : -1;
      SetHot(w, t, index, HICF_OTHER);
      return old;
    }
    case TB_SETPARENT: {
      const HWND old = t.notify;
      t.notify = reinterpret_cast<HWND>(wParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETTOOLTIPS: return reinterpret_cast<LRESULT>(t.tooltip);
    case TB_SETTOOLTIPS:
      if (t.tooltip && t.ownTooltip && IsWindow(t.tooltip) && t.tooltip != reinterpret_cast<HWND>(wParam))
        DestroyWindow(t.tooltip);
      t.ownTooltip = false;
      t.tooltip = reinterpret_cast<HWND>(wParam);
      SyncTools(w, t);
      return 0;
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT ToolbarProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace comctl
