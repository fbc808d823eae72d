// The up-down control.
#include <algorithm>
#include <vector>

#include "platform/comctl/comctl_classes.h"
#include "platform/comctl/control_state.h"
#include "platform/comctl/updown.h"
#include "platform/user/message_crack.h"

namespace comctl {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeat = 400, kRepeat = 100;  // milliseconds on the layer's clock

enum class Arrow { None, Up, Down };  // Up: the top (or, across, the right) arrow

struct UpDown {
  int low = 100, high = 0, pos = 0;  // the documented default range runs from 100 down to 0
  HWND buddy = nullptr;
  std::vector<UDACCEL> accel{{0, 1}, {2, 5}, {5, 20}};
  int base = 10;
  Arrow pressed = Arrow::None;
  DWORD pressedAt = 0;
};

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }
bool Horizontal(HWND w) { return (StyleOf(w) & UDS_HORZ) != 0; }

std::u16string Format(const UpDown& u, int value, DWORD style) {
  std::u16string text;
  if (u.base == 16) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    auto v = static_cast<unsigned>(value) & 0xFFFF;
    for (int i = 0; i < 4; ++i, v >>= 4) text.insert(text.begin(), digits[v & 0xF]);
    return u"0x" + text;
  }
  const bool negative = value < 0;
  long long v = negative ? -static_cast<long long>(value) : value;
  int digits = 0;
  do {
    if (digits && digits % 3 == 0 && !(style & UDS_NOTHOUSANDS)) text.insert(text.begin(), u',');
    text.insert(text.begin(), static_cast<char16_t>(u'0' + v % 10));
    v /= 10;
    ++digits;
  } while (v);
  if (negative) text.insert(text.begin(), u'-');
  return text;
}

// The buddy's text read as a number; false when it is not one.
bool Parse(const UpDown& u, const std::u16string& text, int& value) {
  long long v = 0;
  size_t i = 0;
  bool negative = false, any = false;
  while (i < text.size() && text[i] == u' ') ++i;
  if (u.base == 16) {
    if (text.compare(i, 2, u"0x") == 0 || text.compare(i, 2, u"0X") == 0) i += 2;
    for (; i < text.size(); ++i) {
      const char16_t c = text[i];
      int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10 : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
      if (d < 0) return false;
      v = v * 16 + d;
      any = true;
      if (v > 0xFFFFFFFFLL) return false;
    }
  } else {
    if (i < text.size() && text[i] == u'-') {
      negative = true;
      ++i;
    }
    for (; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c == u',') continue;
      if (c < u'0' || c > u'9') return false;
      v = v * 10 + (c - u'0');
      any = true;
      if (v > 0x7FFFFFFFLL) return false;
    }
  }
  if (!any) return false;
  value = static_cast<int>(negative ? -v : v);
  return true;
}

bool Buddied(HWND w, const UpDown& u) { return u.buddy && (StyleOf(w) & UDS_SETBUDDYINT) && IsWindow(u.buddy); }

void ShowInBuddy(HWND w, const UpDown& u) {
  if (!Buddied(w, u)) return;
  SetWindowTextW(u.buddy, Format(u, u.pos, StyleOf(w)).c_str());
}

// The position after the buddy's text has been read back; `error` when it
// is not a number in the range.
int ReadBuddy(HWND w, UpDown& u, bool& error) {
  error = false;
  if (!Buddied(w, u)) return u.pos;
  const int length = GetWindowTextLengthW(u.buddy);
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  text.resize(static_cast<size_t>(std::max(GetWindowTextW(u.buddy, text.data(), length + 1), 0)));
  int value = 0;
  const int lo = std::min(u.low, u.high), hi = std::max(u.low, u.high);
  if (!Parse(u, text, value) || value < lo || value > hi) {
    error = true;
    return u.pos;
  }
  u.pos = value;
  return value;
}

int Clamp(const UpDown& u, int value) { return std::clamp(value, std::min(u.low, u.high), std::max(u.low, u.high)); }

// One step of `increment` toward the arrow's end of the range.
void Step(HWND w, UpDown& u, Arrow arrow, int increment) {
  bool error = false;
  ReadBuddy(w, u, error);
  int delta = arrow == Arrow::Up ? increment : -increment;
  if (u.low > u.high) delta = -delta;  // a reversed range counts the other way
  NMUPDOWN nm{};
  nm.iPos = u.pos;
  nm.iDelta = delta;
  if (SendNotify(w, UDN_DELTAPOS, &nm.hdr)) return;
  if (!IsWindow(w)) return;
  const int lo = std::min(u.low, u.high), hi = std::max(u.low, u.high);
  long long next = static_cast<long long>(u.pos) + nm.iDelta;
  if (StyleOf(w) & UDS_WRAP) {
    if (next > hi) next = lo;
    else if (next < lo) next = hi;
  } else {
    next = std::clamp<long long>(next, lo, hi);
  }
  u.pos = static_cast<int>(next);
  ShowInBuddy(w, u);
  const HWND parent = GetParent(w);
  if (parent)
    SendMessageW(parent, Horizontal(w) ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(u.pos)), reinterpret_cast<LPARAM>(w));
}

int CurrentIncrement(const UpDown& u) {
  const DWORD held = GetMessageTime() - u.pressedAt;
  int increment = u.accel.empty() ? 1 : static_cast<int>(u.accel[0].nInc);
  for (const UDACCEL& a : u.accel)
    if (held >= a.nSec * 1000) increment = static_cast<int>(a.nInc);
  return increment;
}

RECT ArrowRect(HWND w, Arrow arrow) {
  RECT r;
  GetClientRect(w, &r);
  if (Horizontal(w)) {
    const int middle = (r.left + r.right) / 2;
    return arrow == Arrow::Up ? RECT{middle, r.top, r.right, r.bottom} : RECT{r.left, r.top, middle, r.bottom};
  }
  const int middle = (r.top + r.bottom) / 2;
  return arrow == Arrow::Up ? RECT{r.left, r.top, r.right, middle} : RECT{r.left, middle, r.right, r.bottom};
}

void Paint(HWND w, const UpDown& u) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  const bool enabled = IsWindowEnabled(w) != FALSE;
  for (Arrow a : {Arrow::Up, Arrow::Down}) {
    RECT r = ArrowRect(w, a);
    UINT kind = Horizontal(w) ? (a == Arrow::Up ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT) : (a == Arrow::Up ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
    if (u.pressed == a) kind |= DFCS_PUSHED;
    if (!enabled) kind |= DFCS_INACTIVE;
    DrawFrameControl(dc, &r, DFC_SCROLL, kind);
  }
  EndPaint(w, &ps);
}

void Release(HWND w, UpDown& u) {
  if (u.pressed == Arrow::None) return;
  u.pressed = Arrow::None;
  KillTimer(w, kRepeatTimer);
  InvalidateRect(w, nullptr, TRUE);
  if (GetCapture() == w) ReleaseCapture();
  const HWND parent = GetParent(w);
  if (parent)
    SendMessageW(parent, Horizontal(w) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, static_cast<WORD>(u.pos)),
                 reinterpret_cast<LPARAM>(w));
}

// UDS_ALIGNRIGHT / UDS_ALIGNLEFT: the control takes its place against the
// buddy's edge, inside the buddy's old width, at its height.
void Align(HWND w, const UpDown& u) {
  const DWORD style = StyleOf(w);
  if (!u.buddy || !(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
  RECT buddy;
  GetWindowRect(u.buddy, &buddy);
  const HWND parent = GetParent(w);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&buddy), 2);
  RECT self;
  GetWindowRect(w, &self);
  const int width = self.right - self.left;
  const int height = buddy.bottom - buddy.top;
  if (style & UDS_ALIGNRIGHT) {
    SetWindowPos(u.buddy, nullptr, 0, 0, buddy.right - buddy.left - width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(w, nullptr, buddy.right - width, buddy.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(u.buddy, nullptr, buddy.left + width, buddy.top, buddy.right - buddy.left - width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(w, nullptr, buddy.left, buddy.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// UDS_ARROWKEYS: the buddy's Up and Down keys work the arrows.
constexpr const char16_t* kBuddyControl = u"TavUpDownBuddy.control";
constexpr const char16_t* kBuddyProc = u"TavUpDownBuddy.proc";

LRESULT BuddyProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(w, kBuddyProc));
  const auto control = static_cast<HWND>(GetPropW(w, kBuddyControl));
  if (message == WM_KEYDOWN && control && (wParam == VK_UP || wParam == VK_DOWN) && IsWindow(control)) {
    if (UpDown* u = StateOf<UpDown>(control)) {
      Step(control, *u, wParam == VK_UP ? Arrow::Up : Arrow::Down, u->accel.empty() ? 1 : static_cast<int>(u->accel[0].nInc));
      return 0;
    }
  }
  if (message == WM_GETDLGCODE && control) {
    const LRESULT code = previous ? CallWindowProcW(previous, w, message, wParam, lParam) : 0;
    return code | DLGC_WANTARROWS;
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(w, kBuddyControl);
    RemovePropW(w, kBuddyProc);
    if (previous) SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return previous ? CallWindowProcW(previous, w, message, wParam, lParam) : DefWindowProcW(w, message, wParam, lParam);
}

void Unhook(HWND buddy) {
  if (!buddy || !IsWindow(buddy) || !GetPropW(buddy, kBuddyProc)) return;
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(buddy, kBuddyProc));
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(buddy, GWLP_WNDPROC)) == BuddyProc)
    SetWindowLongPtrW(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  RemovePropW(buddy, kBuddyControl);
  RemovePropW(buddy, kBuddyProc);
}

void Hook(HWND w, HWND buddy) {
  if (!buddy || !(StyleOf(w) & UDS_ARROWKEYS) || GetPropW(buddy, kBuddyProc)) return;
  SetPropW(buddy, kBuddyControl, w);
  SetPropW(buddy, kBuddyProc, reinterpret_cast<HANDLE>(SetWindowLongPtrW(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BuddyProc))));
}

HWND SetBuddy(HWND w, UpDown& u, HWND buddy) {
  const HWND old = u.buddy;
  Unhook(old);
  u.buddy = buddy && IsWindow(buddy) ? buddy : nullptr;
  Hook(w, u.buddy);
  Align(w, u);
  ShowInBuddy(w, u);
  return old;
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<UpDown>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  UpDown* up = StateOf<UpDown>(w);
  if (!up) return DefWindowProcW(w, message, wParam, lParam);
  UpDown& u = *up;
  switch (message) {
    case WM_CREATE:
      if (StyleOf(w) & UDS_AUTOBUDDY) SetBuddy(w, u, GetWindow(w, GW_HWNDPREV));
      return 0;
    case WM_DESTROY: Unhook(u.buddy); return 0;
    case WM_NCDESTROY:
      DropState<UpDown>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_PAINT: Paint(w, u); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE: InvalidateRect(w, nullptr, TRUE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const POINT p = crack::MouseOf(wParam, lParam).pt;
      const RECT upper = ArrowRect(w, Arrow::Up);
      u.pressed = PtInRect(&upper, p) ? Arrow::Up : Arrow::Down;
      u.pressedAt = GetMessageTime();
      SetCapture(w);
      InvalidateRect(w, nullptr, TRUE);
      if (u.buddy && IsWindow(u.buddy)) SetFocus(u.buddy);
      Step(w, u, u.pressed, CurrentIncrement(u));
      if (IsWindow(w)) SetTimer(w, kRepeatTimer, kFirstRepeat, nullptr);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kRepeatTimer && u.pressed != Arrow::None) {
        SetTimer(w, kRepeatTimer, kRepeat, nullptr);
        Step(w, u, u.pressed, CurrentIncrement(u));
      }
      return 0;
    case WM_LBUTTONUP: Release(w, u); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != w) Release(w, u);
      return 0;
    case UDM_SETRANGE:
      u.high = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
      u.low = static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lParam)));
      u.pos = Clamp(u, u.pos);
      return 0;
    case UDM_GETRANGE: return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(u.high), static_cast<WORD>(u.low)));
    case UDM_SETRANGE32:
      u.low = static_cast<int>(wParam);
      u.high = static_cast<int>(lParam);
      u.pos = Clamp(u, u.pos);
      return 0;
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = u.low;
      if (lParam) *reinterpret_cast<int*>(lParam) = u.high;
      return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
      bool error = false;
      const int old = ReadBuddy(w, u, error);
      const int value = message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))) : static_cast<int>(lParam);
      u.pos = Clamp(u, value);
      ShowInBuddy(w, u);
      return message == UDM_SETPOS ? static_cast<SHORT>(old) : old;
    }
    case UDM_GETPOS: {
      bool error = false;
      const int pos = ReadBuddy(w, u, error);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(pos), error ? 1 : 0));
    }
    case UDM_GETPOS32: {
      bool error = false;
      const int pos = ReadBuddy(w, u, error);
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
      return pos;
    }
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(SetBuddy(w, u, reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(u.buddy);
    case UDM_SETACCEL: {
      const auto* accel = reinterpret_cast<const UDACCEL*>(lParam);
      if (!accel || wParam == 0) return FALSE;
      u.accel.assign(accel, accel + wParam);
      return TRUE;
    }
    case UDM_GETACCEL: {
      auto* accel = reinterpret_cast<UDACCEL*>(lParam);
      if (accel) std::copy_n(u.accel.begin(), std::min<size_t>(wParam, u.accel.size()), accel);
      return static_cast<LRESULT>(u.accel.size());
    }
    case UDM_SETBASE: {
      if (wParam != 10 && wParam != 16) return 0;
      const int old = u.base;
      u.base = static_cast<int>(wParam);
      ShowInBuddy(w, u);
      return old;
    }
    case UDM_GETBASE: return u.base;
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT UpDownProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace comctl

HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int pos) {
  const HWND w = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, style, x, y, cx, cy, parent,
                                 reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), instance, nullptr);
  if (!w) return nullptr;
  SendMessageW(w, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(w, UDM_SETRANGE, 0, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(upper), static_cast<WORD>(lower))));
  SendMessageW(w, UDM_SETPOS, 0, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(pos), 0)));
  return w;
}
