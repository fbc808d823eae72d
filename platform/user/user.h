// The window system: window classes, windows and their tree, message queues
// and dispatch, painting, input, focus, carets, timers, window management, the
// non-client area and scroll bars, system metrics and colours.
//
// How it holds together:
// - Windows are handles in a checked table: a handle is never reused, and a
//   call on a destroyed or foreign (non-window) handle fails, GetLastError
//   giving ERROR_INVALID_WINDOW_HANDLE.
// - Each thread that creates windows has one queue. SendMessage to a window of
//   the calling thread is a call; to a window of another thread it is queued
//   to that thread, and the caller keeps answering messages sent to it while
//   it waits. WM_PAINT and WM_TIMER are made when a queue is otherwise empty,
//   in that order; consecutive mouse moves to one window are merged.
// - W calls do the work and keep window text as UTF-16; A calls and A window
//   procedures convert through the ANSI code page.
// - Every top-level window owns a 32-bit surface; children draw into it at
//   their offset, clipped by WS_CLIPCHILDREN/WS_CLIPSIBLINGS. A window device
//   context (GetDC, BeginPaint) is an ordinary GDI device context on that
//   surface. The display back-end (platform/display) is told what changed.
// - Timers and message times run on the layer's clock: real time by default,
//   a virtual clock that only moves when told to in tests (platform/testing).
// - Creation, showing, sizing, activation, focus and destruction send the
//   documented messages in the documented order; tests/platform/user holds
//   the tables.
#pragma once

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/kernel/types.h"
#include "platform/user/user_messages.h"
#include "platform/user/user_styles.h"
#include "platform/user/user_types.h"

// ---------------------------------------------------------------------------
// Window classes (window_classes.cpp). The system classes (Button, Static,
// Edit, ListBox, ComboBox, ComboLBox, ScrollBar, MDIClient, #32770 and the
// common-control names) are registered at start-up from one table; their
// procedures are installed by the areas that implement them
// (SetSystemClassProcedure), until then DefWindowProc answers.

ATOM RegisterClassExW(const WNDCLASSEXW* wc);
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
ATOM RegisterClassW(const WNDCLASSW* wc);
ATOM RegisterClassA(const WNDCLASSA* wc);
inline ATOM RegisterClassEx(const WNDCLASSEXA* wc) { return RegisterClassExA(wc); }
inline ATOM RegisterClass(const WNDCLASSA* wc) { return RegisterClassA(wc); }
// Fails while windows of the class exist (ERROR_CLASS_HAS_WINDOWS) and for system classes.
BOOL UnregisterClassW(LPCWSTR name, HINSTANCE instance);
BOOL UnregisterClassA(LPCSTR name, HINSTANCE instance);
inline BOOL UnregisterClass(LPCSTR name, HINSTANCE instance) { return UnregisterClassA(name, instance); }
BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR name, WNDCLASSEXW* wc);
BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR name, WNDCLASSEXA* wc);
inline BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR name, WNDCLASSEXA* wc) {
  return GetClassInfoExA(instance, name, wc);
}
// Copies at most size - 1 units and a zero; returns the units copied.
int GetClassNameW(HWND window, LPWSTR name, int size);
int GetClassNameA(HWND window, LPSTR name, int size);
inline int GetClassName(HWND window, LPSTR name, int size) { return GetClassNameA(window, name, size); }
ULONG_PTR GetClassLongPtrW(HWND window, int index);
ULONG_PTR GetClassLongPtrA(HWND window, int index);
ULONG_PTR SetClassLongPtrW(HWND window, int index, LONG_PTR value);
ULONG_PTR SetClassLongPtrA(HWND window, int index, LONG_PTR value);
inline ULONG_PTR GetClassLongPtr(HWND window, int index) { return GetClassLongPtrA(window, index); }
inline ULONG_PTR SetClassLongPtr(HWND window, int index, LONG_PTR value) {
  return SetClassLongPtrA(window, index, value);
}
WORD GetClassWord(HWND window, int index);
// For the areas that implement a system class (controls, dialogs): installs
// its procedure (a W procedure) and, when not negative, its window extra bytes.
BOOL SetSystemClassProcedure(LPCWSTR className, WNDPROC proc, int windowExtraBytes);

// ---------------------------------------------------------------------------
// Windows: creation and destruction (window_create.cpp)

// A class name may be an atom (MAKEINTATOM). x/y/cx/cy may be CW_USEDEFAULT
// for overlapped windows. Returns null (and GetLastError) when the class is
// unknown, the parent is not a window, WM_NCCREATE returns FALSE or WM_CREATE
// returns -1.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
inline HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                           int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
inline HWND CreateWindowA(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                          HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowExA(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
inline HWND CreateWindowW(LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width, int height,
                          HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowExW(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
inline HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                         HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowA(className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
// Hides and deactivates the window, sends WM_DESTROY to it and then to its
// children, destroys owned windows, then WM_NCDESTROY children first. Only
// the owner thread may destroy a window (ERROR_ACCESS_DENIED otherwise). Safe
// to call from inside the window's own procedure: the handle dies at once, the
// procedure's remaining code runs, and no procedure runs for it afterwards.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
inline LPCSTR MAKEINTATOMA(ATOM atom) { return reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(atom)); }
inline LPCWSTR MAKEINTATOMW(ATOM atom) { return reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(atom)); }
inline LPCSTR MAKEINTATOM(ATOM atom) { return MAKEINTATOMA(atom); }

// ---------------------------------------------------------------------------
// The tree: parent, owner, children, Z order (window_tree.cpp)

HWND GetDesktopWindow();
HWND GetParent(HWND window);  // the parent of a child, the owner of a popup
HWND SetParent(HWND window, HWND newParent);
HWND GetAncestor(HWND window, UINT flags);
HWND GetWindow(HWND window, UINT command);
HWND GetTopWindow(HWND window);
HWND GetNextWindow(HWND window, UINT command);
BOOL IsChild(HWND parent, HWND window);
BOOL EnumWindows(WNDENUMPROC callback, LPARAM param);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM param);
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM param);
// Top-level windows only; a null argument matches any class or title.
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
HWND FindWindowA(LPCSTR className, LPCSTR windowName);
inline HWND FindWindow(LPCSTR className, LPCSTR windowName) { return FindWindowA(className, windowName); }
HWND FindWindowExW(HWND parent, HWND after, LPCWSTR className, LPCWSTR windowName);
HWND FindWindowExA(HWND parent, HWND after, LPCSTR className, LPCSTR windowName);
inline HWND FindWindowEx(HWND parent, HWND after, LPCSTR className, LPCSTR windowName) {
  return FindWindowExA(parent, after, className, windowName);
}
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND window);
DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId);

// ---------------------------------------------------------------------------
// Window data and text (window_data.cpp)

LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR GetWindowLongPtrA(HWND window, int index);
// GWLP_WNDPROC subclasses; the previous procedure is returned (as a value
// CallWindowProc accepts). GWL_STYLE and GWL_EXSTYLE send WM_STYLECHANGING
// and WM_STYLECHANGED; the frame is recomputed by SetWindowPos(SWP_FRAMECHANGED).
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
inline LONG_PTR GetWindowLongPtr(HWND window, int index) { return GetWindowLongPtrA(window, index); }
inline LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value) {
  return SetWindowLongPtrA(window, index, value);
}
inline LONG GetWindowLongW(HWND window, int index) { return static_cast<LONG>(GetWindowLongPtrW(window, index)); }
inline LONG GetWindowLongA(HWND window, int index) { return static_cast<LONG>(GetWindowLongPtrA(window, index)); }
inline LONG GetWindowLong(HWND window, int index) { return GetWindowLongA(window, index); }
inline LONG SetWindowLongW(HWND window, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrW(window, index, value));
}
inline LONG SetWindowLongA(HWND window, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrA(window, index, value));
}
inline LONG SetWindowLong(HWND window, int index, LONG value) { return SetWindowLongA(window, index, value); }
WORD GetWindowWord(HWND window, int index);
WORD SetWindowWord(HWND window, int index, WORD value);
BOOL IsWindowUnicode(HWND window);

// Text calls send WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH. GetWindowText
// copies at most size - 1 characters and always a terminating zero.
BOOL SetWindowTextW(HWND window, LPCWSTR text);
BOOL SetWindowTextA(HWND window, LPCSTR text);
inline BOOL SetWindowText(HWND window, LPCSTR text) { return SetWindowTextA(window, text); }
int GetWindowTextW(HWND window, LPWSTR text, int size);
int GetWindowTextA(HWND window, LPSTR text, int size);
inline int GetWindowText(HWND window, LPSTR text, int size) { return GetWindowTextA(window, text, size); }
int GetWindowTextLengthW(HWND window);
int GetWindowTextLengthA(HWND window);
inline int GetWindowTextLength(HWND window) { return GetWindowTextLengthA(window); }
// Window properties (SetProp/GetProp/RemoveProp)
BOOL SetPropW(HWND window, LPCWSTR name, HANDLE data);
BOOL SetPropA(HWND window, LPCSTR name, HANDLE data);
HANDLE GetPropW(HWND window, LPCWSTR name);
HANDLE GetPropA(HWND window, LPCSTR name);
HANDLE RemovePropW(HWND window, LPCWSTR name);
HANDLE RemovePropA(HWND window, LPCSTR name);
inline BOOL SetProp(HWND window, LPCSTR name, HANDLE data) { return SetPropA(window, name, data); }
inline HANDLE GetProp(HWND window, LPCSTR name) { return GetPropA(window, name); }
inline HANDLE RemoveProp(HWND window, LPCSTR name) { return RemovePropA(window, name); }

// ---------------------------------------------------------------------------
// Messages: sending, posting and the queue (message_queue.cpp, message_send.cpp)

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(window, message, wParam, lParam);
}
// Returns 0 when the window did not answer within timeout milliseconds
// (GetLastError ERROR_TIMEOUT) or is not a window; otherwise non-zero with
// the answer in *result.
LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                            PDWORD_PTR result);
LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                            PDWORD_PTR result);
inline LRESULT SendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                  UINT timeout, PDWORD_PTR result) {
  return SendMessageTimeoutA(window, message, wParam, lParam, flags, timeout, result);
}
// Within the thread a call; to another thread queued without waiting.
BOOL SendNotifyMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL SendNotifyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendNotifyMessageA(window, message, wParam, lParam);
}
BOOL SendMessageCallbackW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SENDASYNCPROC callback,
                          ULONG_PTR data);
BOOL InSendMessage();
DWORD InSendMessageEx(LPVOID reserved);
BOOL ReplyMessage(LRESULT result);
// A null window posts to the calling thread (as PostThreadMessage).
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(window, message, wParam, lParam);
}
BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostThreadMessageA(threadId, message, wParam, lParam);
}
void PostQuitMessage(int exitCode);
// Waits for a message; 0 for WM_QUIT, -1 for a bad window filter or null msg.
BOOL GetMessageW(LPMSG msg, HWND window, UINT first, UINT last);
BOOL GetMessageA(LPMSG msg, HWND window, UINT first, UINT last);
inline BOOL GetMessage(LPMSG msg, HWND window, UINT first, UINT last) { return GetMessageA(msg, window, first, last); }
BOOL PeekMessageW(LPMSG msg, HWND window, UINT first, UINT last, UINT remove);
BOOL PeekMessageA(LPMSG msg, HWND window, UINT first, UINT last, UINT remove);
inline BOOL PeekMessage(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
  return PeekMessageA(msg, window, first, last, remove);
}
LRESULT DispatchMessageW(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
inline LRESULT DispatchMessage(const MSG* msg) { return DispatchMessageA(msg); }
// Posts WM_CHAR (WM_SYSCHAR) for a WM_KEYDOWN (WM_SYSKEYDOWN) that makes a character.
BOOL TranslateMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetQueueStatus(UINT flags);
BOOL GetInputState();
DWORD GetMessageTime();
DWORD GetMessagePos();
LPARAM GetMessageExtraInfo();
// Waits for input of the kinds in wakeMask or for one of the handles
// (messages sent to the thread are answered meanwhile). Returns WAIT_OBJECT_0
// + the index of a signalled handle (handles are looked at first),
// WAIT_OBJECT_0 + count when input is there, else WAIT_TIMEOUT; WAIT_FAILED
// for a handle that cannot be waited on (ERROR_INVALID_HANDLE) or a wait for
// all handles (MWMO_WAITALL, ERROR_INVALID_PARAMETER).
inline constexpr DWORD MWMO_WAITALL = 0x1;
inline constexpr DWORD MWMO_ALERTABLE = 0x2;
inline constexpr DWORD MWMO_INPUTAVAILABLE = 0x4;
DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds, DWORD wakeMask,
                                  DWORD flags);
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask);
// Same name (ASCII case ignored) gives the same number, 0xC000..0xFFFF.
UINT RegisterWindowMessageW(LPCWSTR name);
UINT RegisterWindowMessageA(LPCSTR name);
inline UINT RegisterWindowMessage(LPCSTR name) { return RegisterWindowMessageA(name); }

// Window procedures
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(proc, window, message, wParam, lParam);
}
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// Hooks (hooks.cpp): WH_GETMESSAGE and WH_MSGFILTER, per thread (threadId 0
// = the calling thread). The modal loops of dialogs (MSGF_DIALOGBOX), message
// boxes (MSGF_MESSAGEBOX) and menus (MSGF_MENU) pass each message they read
// to CallMsgFilter first and skip it when a filter answers nonzero.
HHOOK SetWindowsHookExW(int kind, HOOKPROC proc, HINSTANCE instance, DWORD threadId);
HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE instance, DWORD threadId);
inline HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE instance, DWORD threadId) {
  return SetWindowsHookExA(kind, proc, instance, threadId);
}
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
BOOL CallMsgFilterW(LPMSG msg, int code);
BOOL CallMsgFilterA(LPMSG msg, int code);
inline BOOL CallMsgFilter(LPMSG msg, int code) { return CallMsgFilterA(msg, code); }

// Timers (timers.cpp): on the layer's clock. SetTimer with a window returns
// the id (replacing a timer of the same id); without one, a new id.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);

// ---------------------------------------------------------------------------
// Positions, sizes, showing (window_pos.cpp, window_show.cpp)

BOOL GetWindowRect(HWND window, LPRECT rect);  // screen coordinates
BOOL GetClientRect(HWND window, LPRECT rect);  // (0, 0, width, height)
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
BOOL BringWindowToTop(HWND window);
BOOL ClientToScreen(HWND window, LPPOINT point);
BOOL ScreenToClient(HWND window, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
// Window rectangle for a client rectangle and styles (the classic metrics).
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);
HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags);
BOOL EnableWindow(HWND window, BOOL enable);  // returns whether it was disabled before
BOOL IsWindowEnabled(HWND window);

// ---------------------------------------------------------------------------
// Painting (paint.cpp)

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// GetDC(null) is the screen; GetDC(window) the client area, clipped to what of
// it is visible; GetWindowDC the whole window. ReleaseDC frees either.
HDC GetWindowDC(HWND window);
HDC GetDCEx(HWND window, HRGN clip, DWORD flags);
inline constexpr DWORD DCX_WINDOW = 0x00000001;
inline constexpr DWORD DCX_CACHE = 0x00000002;
inline constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
inline constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
inline constexpr DWORD DCX_PARENTCLIP = 0x00000020;
inline constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
inline constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
HWND WindowFromDC(HDC dc);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL ValidateRgn(HWND window, HRGN region);
BOOL UpdateWindow(HWND window);
BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags);
// Holds back drawing into one window (and its children) until called with
// null, then invalidates what was held back. FALSE while another is locked.
BOOL LockWindowUpdate(HWND window);
BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase);
int GetUpdateRgn(HWND window, HRGN region, BOOL erase);
int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags);
BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip);

// ---------------------------------------------------------------------------
// Input: activation, focus, capture, keys, mouse, cursors, carets

HWND GetActiveWindow();
HWND SetActiveWindow(HWND window);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetFocus();
HWND SetFocus(HWND window);
HWND GetCapture();
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
SHORT GetKeyState(int virtualKey);        // the state as of the last message read
SHORT GetAsyncKeyState(int virtualKey);   // the state now
BOOL GetKeyboardState(BYTE* state);
UINT MapVirtualKeyW(UINT code, UINT mapType);
inline UINT MapVirtualKey(UINT code, UINT mapType) { return MapVirtualKeyW(code, mapType); }
SHORT VkKeyScanW(WCHAR ch);
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT milliseconds);
BOOL SwapMouseButton(BOOL swap);
// WM_MOUSELEAVE (WM_NCMOUSELEAVE with TME_NONCLIENT) once the pointer leaves
// the window or the process's windows; TME_CANCEL stops it, TME_QUERY
// reads it. Hovering (TME_HOVER) is not tracked: FALSE.
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);

// The input method's context of a thread: the text being composed and the
// text it gave last (WM_IME_COMPOSITION says which changed).
using HIMC = void*;
inline constexpr DWORD GCS_COMPSTR = 0x0008, GCS_CURSORPOS = 0x0080, GCS_RESULTSTR = 0x0800;
HIMC ImmGetContext(HWND window);
BOOL ImmReleaseContext(HWND window, HIMC context);
// GCS_COMPSTR and GCS_RESULTSTR: bytes of UTF-16 copied (what the text needs
// when `bytes` is 0; never past `bytes`); GCS_CURSORPOS: the caret in the
// composition. Negative for another index.
LONG ImmGetCompositionStringW(HIMC context, DWORD index, void* buffer, DWORD bytes);

BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
BOOL ClipCursor(const RECT* rect);
BOOL GetClipCursor(LPRECT rect);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
// System cursors and icons by their IDC_/IDI_ numbers; LoadCursor of a module
// resource is the resource area's.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
inline HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) { return LoadCursorA(instance, name); }
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
inline HICON LoadIcon(HINSTANCE instance, LPCSTR name) { return LoadIconA(instance, name); }
inline const LPCSTR IDC_ARROW = reinterpret_cast<LPCSTR>(32512);
inline const LPCSTR IDC_IBEAM = reinterpret_cast<LPCSTR>(32513);
inline const LPCSTR IDC_WAIT = reinterpret_cast<LPCSTR>(32514);
inline const LPCSTR IDC_CROSS = reinterpret_cast<LPCSTR>(32515);
inline const LPCSTR IDC_UPARROW = reinterpret_cast<LPCSTR>(32516);
inline const LPCSTR IDC_SIZENWSE = reinterpret_cast<LPCSTR>(32642);
inline const LPCSTR IDC_SIZENESW = reinterpret_cast<LPCSTR>(32643);
inline const LPCSTR IDC_SIZEWE = reinterpret_cast<LPCSTR>(32644);
inline const LPCSTR IDC_SIZENS = reinterpret_cast<LPCSTR>(32645);
inline const LPCSTR IDC_SIZEALL = reinterpret_cast<LPCSTR>(32646);
inline const LPCSTR IDC_NO = reinterpret_cast<LPCSTR>(32648);
inline const LPCSTR IDC_HAND = reinterpret_cast<LPCSTR>(32649);
inline const LPCSTR IDI_APPLICATION = reinterpret_cast<LPCSTR>(32512);
inline const LPCSTR IDI_ERROR = reinterpret_cast<LPCSTR>(32513);
inline const LPCSTR IDI_HAND = IDI_ERROR;
inline const LPCSTR IDI_QUESTION = reinterpret_cast<LPCSTR>(32514);
inline const LPCSTR IDI_WARNING = reinterpret_cast<LPCSTR>(32515);
inline const LPCSTR IDI_EXCLAMATION = IDI_WARNING;
inline const LPCSTR IDI_INFORMATION = reinterpret_cast<LPCSTR>(32516);
inline const LPCSTR IDI_ASTERISK = IDI_INFORMATION;
// An icon or cursor from 32-bit pixels (0xAARRGGBB, row 0 on top); alpha 0 is transparent.
HICON CreateIconFromPixels(int width, int height, const DWORD* pixels, POINT hotSpot, BOOL cursor);
BOOL DestroyIcon(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flicker, UINT flags);

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT point);
UINT GetCaretBlinkTime();
// The blink period for every caret of the process (INFINITE: no blinking).
BOOL SetCaretBlinkTime(UINT milliseconds);

// ---------------------------------------------------------------------------
// Scroll bars of windows (WS_HSCROLL/WS_VSCROLL) and of scroll-bar controls
// (SB_CTL) (scroll_bars.cpp)

int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
int SetScrollPos(HWND window, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND window, int bar);
BOOL SetScrollRange(HWND window, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND window, int bar, LPINT minPos, LPINT maxPos);
BOOL ShowScrollBar(HWND window, int bar, BOOL show);
BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows);

// ---------------------------------------------------------------------------
// Metrics, colours, parameters (metrics.cpp)

int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
BOOL SystemParametersInfoW(UINT action, UINT param, PVOID data, UINT winIni);
BOOL SystemParametersInfoA(UINT action, UINT param, PVOID data, UINT winIni);
inline BOOL SystemParametersInfo(UINT action, UINT param, PVOID data, UINT winIni) {
  return SystemParametersInfoA(action, param, data, winIni);
}

// ---------------------------------------------------------------------------
// The classic style painter (style_painter.cpp): one table of colours and
// metrics for frames, captions, scroll bars and controls.

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT kind, UINT state);
BOOL DrawFocusRect(HDC dc, const RECT* rect);

// ---------------------------------------------------------------------------
// Rectangles

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT dest, const RECT* src);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL SubtractRect(LPRECT dest, const RECT* a, const RECT* b);

// ---------------------------------------------------------------------------
// The names of messages, for tests and traces (message_names.cpp):
// "WM_NCCREATE" for 0x0081, "WM_USER+5", "registered:Name", or the number.
std::string MessageName(UINT message);
