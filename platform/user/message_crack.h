// Message parameters cracked once into typed values, for window procedures
// and controls: a handler takes a `crack::Mouse` instead of opening with
// `pt.x = (short)LOWORD(lParam)`. Each function reads the documented packing
// of its message and nothing else.
#pragma once

#include "platform/user/user.h"

namespace crack {

// Signed 16-bit halves, as coordinates are packed.
constexpr int LowShort(LPARAM v) { return static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(v))); }
constexpr int HighShort(LPARAM v) { return static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(v))); }
constexpr LPARAM PackPoint(POINT p) {
  return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

// WM_MOUSEMOVE, WM_xBUTTONDOWN/UP/DBLCLK: client point and MK_* keys.
struct Mouse {
  POINT pt;
  WPARAM keys;
};
constexpr Mouse MouseOf(WPARAM wParam, LPARAM lParam) { return {{LowShort(lParam), HighShort(lParam)}, wParam}; }

// WM_NCxBUTTONx, WM_NCMOUSEMOVE: hit-test code and screen point.
struct NcMouse {
  LRESULT hit;
  POINT screen;
};
constexpr NcMouse NcMouseOf(WPARAM wParam, LPARAM lParam) {
  return {static_cast<LRESULT>(wParam), {LowShort(lParam), HighShort(lParam)}};
}

// WM_NCHITTEST: screen point.
constexpr POINT HitTestPoint(LPARAM lParam) { return {LowShort(lParam), HighShort(lParam)}; }

// WM_MOUSEWHEEL / WM_MOUSEHWHEEL: signed delta, keys, screen point.
struct Wheel {
  int delta;
  WPARAM keys;
  POINT screen;
};
constexpr Wheel WheelOf(WPARAM wParam, LPARAM lParam) {
  return {static_cast<SHORT>(HIWORD(wParam)), LOWORD(wParam), {LowShort(lParam), HighShort(lParam)}};
}

// WM_SIZE
struct Size {
  WPARAM kind;  // SIZE_RESTORED, SIZE_MINIMIZED, SIZE_MAXIMIZED
  int cx;
  int cy;
};
constexpr Size SizeOf(WPARAM wParam, LPARAM lParam) {
  return {wParam, LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))};
}

// WM_MOVE: the client area's new top-left corner.
constexpr POINT MoveOf(LPARAM lParam) { return {LowShort(lParam), HighShort(lParam)}; }

// WM_COMMAND
struct Command {
  int id;
  int code;
  HWND control;
};
inline Command CommandOf(WPARAM wParam, LPARAM lParam) {
  return {LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)};
}

// WM_HSCROLL / WM_VSCROLL
struct Scroll {
  WORD request;  // SB_*
  int pos;       // for SB_THUMBTRACK and SB_THUMBPOSITION (16 bits; GetScrollInfo has 32)
  HWND bar;      // the scroll-bar control, null for a window's own bar
};
inline Scroll ScrollOf(WPARAM wParam, LPARAM lParam) {
  return {LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam)};
}

// WM_KEYDOWN/UP, WM_SYSKEYDOWN/UP, WM_CHAR and friends: the key data bits.
struct Key {
  int code;  // virtual key (or character for WM_CHAR)
  int repeat;
  UINT scan;
  bool extended;
  bool alt;
  bool wasDown;
  bool released;
};
constexpr Key KeyOf(WPARAM wParam, LPARAM lParam) {
  const auto bits = static_cast<DWORD>(lParam);
  return {static_cast<int>(wParam), static_cast<int>(bits & 0xFFFF), (bits >> 16) & 0xFF, (bits & (1u << 24)) != 0,
          (bits & (1u << 29)) != 0, (bits & (1u << 30)) != 0, (bits & (1u << 31)) != 0};
}

// WM_ACTIVATE
struct Activate {
  WORD state;  // WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE
  bool minimized;
  HWND other;
};
inline Activate ActivateOf(WPARAM wParam, LPARAM lParam) {
  return {LOWORD(wParam), HIWORD(wParam) != 0, reinterpret_cast<HWND>(lParam)};
}

// WM_SETCURSOR
struct SetCursor {
  HWND under;
  LRESULT hit;
  UINT mouseMessage;
};
inline SetCursor SetCursorOf(WPARAM wParam, LPARAM lParam) {
  return {reinterpret_cast<HWND>(wParam), static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))),
          HIWORD(static_cast<DWORD_PTR>(lParam))};
}

// WM_MOUSEACTIVATE
struct MouseActivate {
  HWND topLevel;
  LRESULT hit;
  UINT mouseMessage;
};
inline MouseActivate MouseActivateOf(WPARAM wParam, LPARAM lParam) {
  return {reinterpret_cast<HWND>(wParam), static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))),
          HIWORD(static_cast<DWORD_PTR>(lParam))};
}

// WM_PARENTNOTIFY
struct ParentNotify {
  UINT event;  // WM_CREATE, WM_DESTROY, WM_xBUTTONDOWN
  int childId;
  HWND child;  // for WM_CREATE and WM_DESTROY
  POINT pt;    // for the mouse events
};
inline ParentNotify ParentNotifyOf(WPARAM wParam, LPARAM lParam) {
  const UINT event = LOWORD(wParam);
  const bool life = event == WM_CREATE || event == WM_DESTROY;
  return {event, HIWORD(wParam), life ? reinterpret_cast<HWND>(lParam) : nullptr,
          life ? POINT{0, 0} : POINT{LowShort(lParam), HighShort(lParam)}};
}

}  // namespace crack
