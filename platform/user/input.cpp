// Input: device events turned into messages (hit testing, capture,
// activation, cursors, double clicks), key state, virtual keys and
// TranslateMessage, the cursor position and its clipping.
#include <algorithm>
#include <atomic>
#include <utility>

#include "platform/display/display.h"
#include "platform/user/input_events.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

struct InputState {
  std::mutex mutex;
  POINT cursor{gdi::kScreenWidth / 2, gdi::kScreenHeight / 2};
  bool clipped = false;
  RECT clip{};
  BYTE asyncKeys[256] = {};
  bool asyncPressed[256] = {};  // pressed since the last GetAsyncKeyState
  HCURSOR current = nullptr;
  int showCount = 0;
  UINT doubleClickTime = 500;
  bool swapped = false;
  // The last button press, for double clicks.
  UINT lastDownMessage = 0;
  HWND lastDownWindow = nullptr;
  DWORD lastDownTime = 0;
  POINT lastDownPoint{};
};
InputState& State() {
  static auto* s = new InputState;
  return *s;
}

bool KeyDown(int vk) { return (State().asyncKeys[vk & 0xFF] & 0x80) != 0; }

WPARAM MouseKeys() {
  std::lock_guard lock(State().mutex);
  WPARAM k = 0;
  if (KeyDown(VK_LBUTTON)) k |= MK_LBUTTON;
  if (KeyDown(VK_RBUTTON)) k |= MK_RBUTTON;
  if (KeyDown(VK_MBUTTON)) k |= MK_MBUTTON;
  if (KeyDown(VK_SHIFT)) k |= MK_SHIFT;
  if (KeyDown(VK_CONTROL)) k |= MK_CONTROL;
  return k;
}

void SetAsyncKey(int vk, bool down) {
  std::lock_guard lock(State().mutex);
  BYTE& k = State().asyncKeys[vk & 0xFF];
  if (down && !(k & 0x80)) {
    k ^= 0x01;
    State().asyncPressed[vk & 0xFF] = true;
  }
  k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
}

POINT ClampToClip(POINT p) {
  std::lock_guard lock(State().mutex);
  const SIZE screen = display::Current().ScreenSize();
  RECT r = State().clipped ? State().clip : RECT{0, 0, screen.cx, screen.cy};
  p.x = std::clamp<LONG>(p.x, r.left, std::max(r.left, r.right - 1));
  p.y = std::clamp<LONG>(p.y, r.top, std::max(r.top, r.bottom - 1));
  return p;
}

// The deepest visible window under a point among the siblings below `window`
// in the Z order; null when none is there.
HWND SiblingBelow(HWND window, POINT screen) {
  for (HWND s = GetWindow(window, GW_HWNDNEXT); s; s = GetWindow(s, GW_HWNDNEXT)) {
    RECT r{};
    if (!IsWindowVisible(s) || !GetWindowRect(s, &r) || !PtInRect(&r, screen)) continue;
    HWND found = s;
    for (;;) {
      POINT client = screen;
      ScreenToClient(found, &client);
      const HWND child = ChildWindowFromPointEx(found, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
      if (!child || child == found) break;
      found = child;
    }
    return found;
  }
  return nullptr;
}

// The window under a point that takes mouse input: visible, enabled, not
// transparent. A child that answers HTTRANSPARENT (a group box, a static
// without SS_NOTIFY) passes the point to the sibling under it, else to its parent.
HWND MouseTarget(POINT screen, LRESULT& hit) {
  HWND window = WindowFromPoint(screen);
  hit = HTNOWHERE;
  while (window) {
    WindowPtr w = FindWinQuiet(window);
    if (!w) return nullptr;
    bool disabled, child;
    HWND parent;
    {
      UserLock lock;
      disabled = (w->style & WS_DISABLED) != 0;
      child = w->IsChild();
      parent = child && w->parent && !w->parent->desktop ? w->parent->handle : nullptr;
    }
    if (disabled) {
      if (child && parent) {  // input over a disabled control goes to its parent
        window = parent;
        continue;
      }
      hit = HTERROR;
      return window;
    }
    hit = Send(window, WM_NCHITTEST, 0, crack::PackPoint(screen));
    if (hit == HTTRANSPARENT && parent) {
      const HWND below = SiblingBelow(window, screen);
      window = below ? below : parent;
      continue;
    }
    return window;
  }
  return nullptr;
}

DWORD ThreadOf(HWND window) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return 0;
  UserLock lock;
  return w->thread;
}

void PostMouse(HWND window, UINT clientMessage, UINT ncMessage, LRESULT hit, POINT screen, WPARAM keys) {
  POINT p = screen;
  MSG msg{window, 0, 0, 0, Now(), screen};
  if (hit == HTCLIENT || GetCapture() == window) {
    ScreenToClient(window, &p);
    msg.message = clientMessage;
    msg.wParam = keys;
    msg.lParam = crack::PackPoint(p);
  } else {
    msg.message = ncMessage;
    msg.wParam = static_cast<WPARAM>(hit);
    msg.lParam = crack::PackPoint(screen);
  }
  PostInput(ThreadOf(window), msg);
}

struct ButtonMessages {
  UINT down, up, dblclk, ncDown, ncUp, ncDblclk;
  int vk;
};
ButtonMessages MessagesFor(MouseButton b) {
  switch (b) {
    case MouseButton::Right:
      return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK,
              VK_RBUTTON};
    case MouseButton::Middle:
      return {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK,
              VK_MBUTTON};
    default:
      return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK,
              VK_LBUTTON};
  }
}

bool IsDoubleClick(HWND window, UINT message, POINT screen, bool client) {
  bool dblclks = true;
  if (client) {
    WindowPtr w = FindWinQuiet(window);
    UserLock lock;
    dblclks = w && w->cls && (w->cls->style & CS_DBLCLKS);
  }
  std::lock_guard lock(State().mutex);
  InputState& s = State();
  const DWORD now = Now();
  const bool twice = s.lastDownMessage == message && s.lastDownWindow == window &&
                     now - s.lastDownTime <= s.doubleClickTime &&
                     std::abs(screen.x - s.lastDownPoint.x) <= Metric(SM_CXDOUBLECLK) / 2 &&
                     std::abs(screen.y - s.lastDownPoint.y) <= Metric(SM_CYDOUBLECLK) / 2;
  if (twice && dblclks) {
    s.lastDownMessage = 0;  // a third click starts over
    return true;
  }
  s.lastDownMessage = message;
  s.lastDownWindow = window;
  s.lastDownTime = now;
  s.lastDownPoint = screen;
  return false;
}

}  // namespace

// Characters of the keys of a US keyboard, unshifted and shifted.
WCHAR CharForKey(int vk, bool shift, bool caps, bool control) {
  if (vk >= 'A' && vk <= 'Z') {
    if (control) return static_cast<WCHAR>(vk - 'A' + 1);
    return static_cast<WCHAR>((shift != caps) ? vk : vk - 'A' + 'a');
  }
  if (control) return 0;
  if (vk >= '0' && vk <= '9') {
    static constexpr char16_t kShifted[] = u")!@#$%^&*(";
    return shift ? kShifted[vk - '0'] : static_cast<WCHAR>(vk);
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<WCHAR>('0' + vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE: return u' ';
    case VK_RETURN: return u'\r';
    case VK_BACK: return u'\b';
    case VK_TAB: return u'\t';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return u'*';
    case VK_ADD: return u'+';
    case VK_SUBTRACT: return u'-';
    case VK_DECIMAL: return u'.';
    case VK_DIVIDE: return u'/';
    case VK_OEM_1: return shift ? u':' : u';';
    case VK_OEM_PLUS: return shift ? u'+' : u'=';
    case VK_OEM_COMMA: return shift ? u'<' : u',';
    case VK_OEM_MINUS: return shift ? u'_' : u'-';
    case VK_OEM_PERIOD: return shift ? u'>' : u'.';
    case VK_OEM_2: return shift ? u'?' : u'/';
    case 0xC0: return shift ? u'~' : u'`';
    case 0xDB: return shift ? u'{' : u'[';
    case 0xDC: return shift ? u'|' : u'\\';
    case 0xDD: return shift ? u'}' : u']';
    case 0xDE: return shift ? u'"' : u'\'';
    default: return 0;
  }
}

namespace {

UINT ScanCode(int vk) {
  // Set 1 scan codes of the common keys; others get none.
  static constexpr struct {
    int vk;
    UINT scan;
  } kScans[] = {{VK_ESCAPE, 0x01}, {VK_BACK, 0x0E}, {VK_TAB, 0x0F}, {VK_RETURN, 0x1C}, {VK_CONTROL, 0x1D},
                {VK_SHIFT, 0x2A}, {VK_MENU, 0x38}, {VK_SPACE, 0x39}, {VK_F1, 0x3B}, {VK_HOME, 0x47},
                {VK_UP, 0x48}, {VK_PRIOR, 0x49}, {VK_LEFT, 0x4B}, {VK_RIGHT, 0x4D}, {VK_END, 0x4F},
                {VK_DOWN, 0x50}, {VK_NEXT, 0x51}, {VK_INSERT, 0x52}, {VK_DELETE, 0x53}};
  for (const auto& row : kScans)
    if (row.vk == vk) return row.scan;
  static constexpr char kLetters[] = "QWERTYUIOPASDFGHJKLZXCVBNM";
  static constexpr UINT kLetterScans[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18,
                                          0x19, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25,
                                          0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
  for (int i = 0; i < 26; ++i)
    if (kLetters[i] == vk) return kLetterScans[i];
  if (vk >= '1' && vk <= '9') return static_cast<UINT>(0x02 + vk - '1');
  if (vk == '0') return 0x0B;
  return 0;
}

HWND KeyTarget() {
  Queue& q = ThisQueue();
  return q.focus ? q.focus : q.active;
}

}  // namespace

void CookMove(POINT screen, WPARAM keys) {
  HWND capture = GetCapture();
  if (capture) {
    PostMouse(capture, WM_MOUSEMOVE, WM_NCMOUSEMOVE, HTCLIENT, screen, keys);
    return;
  }
  LRESULT hit;
  HWND target = MouseTarget(screen, hit);
  TrackPointer(target, hit);
  if (!target) return;
  Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELONG(static_cast<WORD>(hit), WM_MOUSEMOVE));
  if (hit == HTERROR) return;
  PostMouse(target, WM_MOUSEMOVE, WM_NCMOUSEMOVE, hit, screen, keys);
}

void CookButton(MouseButton button, bool down, POINT screen, WPARAM keys) {
  const ButtonMessages m = MessagesFor(button);
  HWND capture = GetCapture();
  if (capture) {
    const bool dbl = down && IsDoubleClick(capture, m.down, screen, true);
    PostMouse(capture, down ? (dbl ? m.dblclk : m.down) : m.up, m.ncUp, HTCLIENT, screen, keys);
    return;
  }
  LRESULT hit;
  HWND target = MouseTarget(screen, hit);
  if (!target) return;
  if (down) {
    HWND top = GetAncestor(target, GA_ROOT);
    bool eat = false;
    // Any window but the active one hears of the click first (a child of the
    // active window too: splitter panes and MDI documents become active on it);
    // only an inactive top-level window is activated by it.
    if (top && GetActiveWindow() != target && hit != HTERROR) {
      const LRESULT how = Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                               MAKELONG(static_cast<WORD>(hit), static_cast<WORD>(m.down)));
      if ((how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT) && GetActiveWindow() != top)
        ActivateWindow(top, WA_CLICKACTIVE);
      eat = how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT;
    }
    if (!IsWindow(target)) return;
    Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELONG(static_cast<WORD>(hit), static_cast<WORD>(m.down)));
    if (eat || hit == HTERROR) return;
    const bool dbl = IsDoubleClick(target, hit == HTCLIENT ? m.down : m.ncDown, screen, hit == HTCLIENT);
    PostMouse(target, dbl ? m.dblclk : m.down, dbl ? m.ncDblclk : m.ncDown, hit, screen, keys);
    return;
  }
  if (hit == HTERROR) return;
  PostMouse(target, m.up, m.ncUp, hit, screen, keys);
}

void CookWheel(POINT screen, int delta, bool horizontal, WPARAM keys) {
  HWND target = KeyTarget();
  if (!target) {
    LRESULT hit;
    target = MouseTarget(ClampToClip(screen), hit);
  }
  if (!target) return;
  const WPARAM w = MAKELONG(static_cast<WORD>(keys), static_cast<WORD>(static_cast<SHORT>(delta)));
  PostInput(ThreadOf(target),
            MSG{target, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, w, crack::PackPoint(screen), Now(), screen});
}

void CookKey(int virtualKey, bool down, bool wasDown, bool alt, bool control) {
  HWND target = KeyTarget();
  if (!target) return;
  const bool system = (alt && !control) || virtualKey == VK_F10 || (virtualKey == VK_MENU);
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  if (!down && virtualKey == VK_MENU) message = WM_SYSKEYUP;
  LPARAM lParam = 1 | (static_cast<LPARAM>(ScanCode(virtualKey)) << 16);
  if (alt) lParam |= 1 << 29;
  if (wasDown) lParam |= 1 << 30;
  if (!down) lParam |= static_cast<LPARAM>(1u << 31);
  POINT pt;
  GetCursorPos(&pt);
  PostInput(ThreadOf(target), MSG{target, message, static_cast<WPARAM>(virtualKey), lParam, Now(), pt});
}

void CookChar(char16_t ch) {
  HWND target = KeyTarget();
  if (!target) return;
  POINT pt;
  GetCursorPos(&pt);
  PostInput(ThreadOf(target), MSG{target, WM_CHAR, ch, 1, Now(), pt});
}


namespace {

// The thread whose windows an event is for: the keyboard's go to the
// foreground window's thread, the pointer's to the thread of the captured
// window or of the window under it, the desktop's activation to the
// window's thread. Cooking happens there, where its focus, capture and
// activation live; the thread reporting the event (the display's) may
// have none of those windows.
DWORD RouteOf(const DeviceEvent& e) {
  HWND window = nullptr;
  switch (e.kind) {
    case DeviceEvent::Kind::Key:
    case DeviceEvent::Kind::Char:
    case DeviceEvent::Kind::Compose:
    case DeviceEvent::Kind::Result:
    case DeviceEvent::Kind::Wheel:
    case DeviceEvent::Kind::Deactivate: window = GetForegroundWindow(); break;
    case DeviceEvent::Kind::Move:
    case DeviceEvent::Kind::Button:
    case DeviceEvent::Kind::Leave:
      window = CaptureOfAnyThread();
      if (!window && e.kind != DeviceEvent::Kind::Leave) window = WindowFromPoint(e.pt);
      if (!window) window = GetForegroundWindow();
      break;
    case DeviceEvent::Kind::Activate: window = e.window; break;
  }
  const DWORD thread = window ? ThreadOf(window) : 0;
  return thread ? thread : ThisThread();
}

void Push(const DeviceEvent& e) {
  const DWORD thread = RouteOf(e);
  QueuePtr owner = thread == ThisThread() ? nullptr : QueueOf(thread);
  Queue& q = owner ? *owner : ThisQueue();
  std::lock_guard lock(q.mutex);
  // Mouse moves that nobody read yet merge into the newest.
  if (e.kind == DeviceEvent::Kind::Move && !q.device.empty() && q.device.back().kind == DeviceEvent::Kind::Move)
    q.device.back() = e;
  else
    q.device.push_back(e);
  q.wake.notify_all();
}

}  // namespace

void DeviceMouseMove(POINT screen) {
  screen = ClampToClip(screen);
  {
    std::lock_guard lock(State().mutex);
    State().cursor = screen;
  }
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Move;
  e.pt = screen;
  e.keys = MouseKeys();
  Push(e);
}

void DeviceMouseButton(MouseButton button, bool down, POINT screen) {
  screen = ClampToClip(screen);
  {
    std::lock_guard lock(State().mutex);
    State().cursor = screen;
  }
  SetAsyncKey(MessagesFor(button).vk, down);
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Button;
  e.pt = screen;
  e.button = static_cast<int>(button);
  e.down = down;
  e.keys = MouseKeys();
  Push(e);
}

void DeviceMouseWheel(POINT screen, int delta, bool horizontal) {
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Wheel;
  e.pt = ClampToClip(screen);
  e.delta = delta;
  e.horizontal = horizontal;
  e.keys = MouseKeys();
  Push(e);
}

void DeviceKey(int virtualKey, bool down) {
  if (virtualKey <= 0 || virtualKey > 0xFE) return;
  const bool wasDown = KeyDown(virtualKey);
  SetAsyncKey(virtualKey, down);
  if (virtualKey == VK_LSHIFT || virtualKey == VK_RSHIFT) SetAsyncKey(VK_SHIFT, down);
  if (virtualKey == VK_LCONTROL || virtualKey == VK_RCONTROL) SetAsyncKey(VK_CONTROL, down);
  if (virtualKey == VK_LMENU || virtualKey == VK_RMENU) SetAsyncKey(VK_MENU, down);
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Key;
  e.key = virtualKey;
  e.down = down;
  // Alt and Ctrl as they were at the press, and whether the key was already down.
  e.delta = (wasDown ? 1 : 0) | (KeyDown(VK_MENU) ? 2 : 0) | (KeyDown(VK_CONTROL) ? 4 : 0);
  Push(e);
}

void DeviceMouseLeft() {
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Leave;
  Push(e);
}

void DeviceActivated(HWND window) {
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Activate;
  e.window = window;
  Push(e);
}

void DeviceDeactivated() {
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Deactivate;
  Push(e);
}

void DeviceComposition(std::u16string_view text, int caret) {
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Compose;
  e.text = std::u16string(text);
  e.delta = caret;
  Push(e);
}

void DeviceCompositionResult(std::u16string_view text) {
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Result;
  e.text = std::u16string(text);
  Push(e);
}

void DeviceChar(char16_t ch) {
  DeviceEvent e;
  e.kind = DeviceEvent::Kind::Char;
  e.key = ch;
  Push(e);
}

bool CookDeviceEvent(Queue& queue) {
  DeviceEvent e;
  {
    std::lock_guard lock(queue.mutex);
    if (queue.device.empty()) return false;
    e = queue.device.front();
    queue.device.pop_front();
  }
  switch (e.kind) {
    case DeviceEvent::Kind::Move: CookMove(e.pt, e.keys); break;
    case DeviceEvent::Kind::Button: CookButton(static_cast<MouseButton>(e.button), e.down, e.pt, e.keys); break;
    case DeviceEvent::Kind::Wheel: CookWheel(e.pt, e.delta, e.horizontal, e.keys); break;
    case DeviceEvent::Kind::Key: CookKey(e.key, e.down, e.delta & 1, e.delta & 2, e.delta & 4); break;
    case DeviceEvent::Kind::Char: CookChar(static_cast<char16_t>(e.key)); break;
    case DeviceEvent::Kind::Leave: TrackPointer(nullptr, HTNOWHERE); break;
    case DeviceEvent::Kind::Activate:
      if (IsWindow(e.window) && GetActiveWindow() != e.window && IsWindowEnabled(e.window))
        SetActiveWindow(e.window);
      break;
    case DeviceEvent::Kind::Deactivate: DeactivateThread(); break;
    case DeviceEvent::Kind::Compose:
    case DeviceEvent::Kind::Result: CookComposition(e); break;
  }
  return true;
}

}  // namespace user

using namespace user;

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_KEYUP &&
      msg->message != WM_SYSKEYUP)
    return FALSE;
  if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
  const bool control = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
  const WCHAR ch = CharForKey(static_cast<int>(msg->wParam), shift, caps, control);
  if (!ch) return TRUE;
  const UINT message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  PostTo(ThisThread(), MSG{msg->hwnd, message, ch, msg->lParam, msg->time, msg->pt});
  return TRUE;
}

SHORT GetKeyState(int virtualKey) {
  const BYTE k = ThisQueue().keyState[virtualKey & 0xFF];
  return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  std::lock_guard lock(State().mutex);
  const int vk = virtualKey & 0xFF;
  const bool down = (State().asyncKeys[vk] & 0x80) != 0;
  const bool pressed = State().asyncPressed[vk];
  State().asyncPressed[vk] = false;
  return static_cast<SHORT>((down ? 0x8000 : 0) | (pressed ? 1 : 0));
}

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return Fail(ERROR_INVALID_PARAMETER);
  std::memcpy(state, ThisQueue().keyState, 256);
  return TRUE;
}

UINT MapVirtualKeyW(UINT code, UINT mapType) {
  switch (mapType) {
    case 0: return ScanCode(static_cast<int>(code));  // MAPVK_VK_TO_VSC
    case 1:                                            // MAPVK_VSC_TO_VK
      for (int vk = 1; vk < 256; ++vk)
        if (ScanCode(vk) == code && code) return static_cast<UINT>(vk);
      return 0;
    case 2: return CharForKey(static_cast<int>(code), false, false, false);  // MAPVK_VK_TO_CHAR
    default: return 0;
  }
}

SHORT VkKeyScanW(WCHAR ch) {
  for (int vk = 1; vk < 256; ++vk) {
    if (CharForKey(vk, false, false, false) == ch) return static_cast<SHORT>(vk);
    if (CharForKey(vk, true, false, false) == ch) return static_cast<SHORT>(vk | 0x100);
  }
  return -1;
}

UINT GetDoubleClickTime() {
  std::lock_guard lock(State().mutex);
  return State().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT milliseconds) {
  std::lock_guard lock(State().mutex);
  State().doubleClickTime = milliseconds ? std::min<UINT>(milliseconds, 5000) : 500;
  return TRUE;
}

BOOL SwapMouseButton(BOOL swap) {
  std::lock_guard lock(State().mutex);
  const bool old = State().swapped;
  State().swapped = swap != FALSE;
  return old;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return Fail(ERROR_INVALID_PARAMETER);
  std::lock_guard lock(State().mutex);
  *point = State().cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  DeviceMouseMove(POINT{x, y});
  return TRUE;
}

BOOL ClipCursor(const RECT* rect) {
  {
    std::lock_guard lock(State().mutex);
    State().clipped = rect != nullptr;
    if (rect) {
      const SIZE size = display::Current().ScreenSize();
      RECT screen{0, 0, size.cx, size.cy};
      IntersectRect(&State().clip, rect, &screen);
      if (IsRectEmpty(&State().clip)) State().clipped = false;
    }
  }
  POINT p;
  GetCursorPos(&p);
  const POINT clamped = ClampToClip(p);
  if (clamped.x != p.x || clamped.y != p.y) {
    std::lock_guard lock(State().mutex);
    State().cursor = clamped;
  }
  return TRUE;
}

BOOL GetClipCursor(LPRECT rect) {
  if (!rect) return Fail(ERROR_INVALID_PARAMETER);
  std::lock_guard lock(State().mutex);
  const SIZE size = display::Current().ScreenSize();
  *rect = State().clipped ? State().clip : RECT{0, 0, size.cx, size.cy};
  return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old;
  {
    std::lock_guard lock(State().mutex);
    old = std::exchange(State().current, cursor);
  }
  if (old != cursor) display::Current().CursorChanged(SystemCursorNumber(cursor));
  return old;
}

HCURSOR GetCursor() {
  std::lock_guard lock(State().mutex);
  return State().current;
}

int ShowCursor(BOOL show) {
  std::lock_guard lock(State().mutex);
  return show ? ++State().showCount : --State().showCount;
}
