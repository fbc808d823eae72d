// Inside the window system: the window and class records, the per-thread
// queue, the one lock over the window tree, and the helpers every file of the
// area shares. Not part of the public interface.
#pragma once

#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_owners.h"
#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/user/message_crack.h"
#include "platform/user/user.h"

namespace user {

// ---------------------------------------------------------------------------
// The lock over windows, classes and the tree. Window procedures, hooks and
// callbacks always run with it released (Unlocked), so a procedure may call
// anything, and two threads sending to each other never hold it while waiting.

class UserLock {
 public:
  UserLock();
  ~UserLock();
  UserLock(const UserLock&) = delete;
  UserLock& operator=(const UserLock&) = delete;
};
class Unlocked {
 public:
  Unlocked();
  ~Unlocked();
  Unlocked(const Unlocked&) = delete;
  Unlocked& operator=(const Unlocked&) = delete;

 private:
  int depth_;
};

// ---------------------------------------------------------------------------
// Classes

struct WindowClass {
  std::u16string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  bool unicode = true;
  int classExtraBytes = 0;
  int windowExtraBytes = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::u16string menuName;
  LONG_PTR menuId = 0;  // a numeric menu name
  std::vector<BYTE> extra;
  bool system = false;
  int windows = 0;  // windows alive of this class
};
using ClassPtr = std::shared_ptr<WindowClass>;

// The class a window of `name` (or atom) would get; null when there is none.
ClassPtr FindClass(LPCWSTR nameOrAtom, HINSTANCE instance);
// Registered at start-up; called once by the first user of the area.
void EnsureSystemClasses();

// ---------------------------------------------------------------------------
// Windows

struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;
  UINT disabledArrows = 0;  // ESB_DISABLE_*
  int pushedArrow = 0;      // 1 the up/left arrow, 2 the down/right arrow, drawn pushed while held
};

// A held arrow or shaft press repeats its request: first after
// kScrollFirstRepeat ms, then every kScrollRepeat ms, on the layer's clock,
// through the bar's window timer kScrollRepeatTimer.
inline constexpr UINT kScrollFirstRepeat = 200;
inline constexpr UINT kScrollRepeat = 50;
inline constexpr UINT_PTR kScrollRepeatTimer = 0xFFFA;

enum class Life { Creating, Alive, Destroying, Dead };

struct Window {
  HWND handle = nullptr;
  ClassPtr cls;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::u16string text;
  Window* parent = nullptr;  // the desktop for top-level windows
  HWND owner = nullptr;
  std::vector<Window*> children;  // Z order, top first
  RECT windowRect{};  // in the parent's client coordinates
  RECT clientRect{};  // in the parent's client coordinates
  WNDPROC proc = nullptr;
  bool unicode = true;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  std::vector<BYTE> extra;
  DWORD thread = 0;
  Life life = Life::Creating;
  bool desktop = false;
  std::map<std::u16string, HANDLE> props;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  HMENU systemMenu = nullptr;  // the window's own copy of the window menu, made on first use
  bool redraw = true;  // WM_SETREDRAW
  bool ncActive = false;  // the caption's look last set by WM_NCACTIVATE
  // The caption button drawn pushed while the mouse holds it (HTCLOSE,
  // HTMAXBUTTON, HTMINBUTTON), or 0.
  LRESULT pushedCaption = 0;

  // Painting: the part of the client area to paint, in client coordinates.
  gdi::SpanRegion update;
  bool erasePending = false;
  bool framePending = false;
  bool internalPaint = false;
  std::shared_ptr<gdi::Bitmap> surface;  // top-level windows

  // Placement
  bool maximized = false;
  bool minimized = false;
  RECT normalRect{};
  // An overlapped window hears its first WM_SIZE and WM_MOVE when it is
  // first shown, not when it is created.
  bool sizePending = false;

  ScrollBarState hbar;
  ScrollBarState vbar;

  bool IsChild() const { return (style & WS_CHILD) != 0; }
  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  int Width() const { return windowRect.right - windowRect.left; }
  int Height() const { return windowRect.bottom - windowRect.top; }
};
using WindowPtr = std::shared_ptr<Window>;

// The table (window_table.cpp): handles never come back once removed.
HWND AddWindow(WindowPtr window);
void RemoveWindow(HWND handle);
// The window of a handle, or null with ERROR_INVALID_WINDOW_HANDLE set. A
// destroyed window is gone from the table at once.
WindowPtr FindWin(HWND handle);
WindowPtr FindWinQuiet(HWND handle);
Window& Desktop();
// Every window of the table (for enumeration), in no particular order.
std::vector<WindowPtr> AllWindows();

// The tree (window_tree.cpp)
void LinkWindow(Window& window, Window& parent, HWND insertAfter);
void UnlinkWindow(Window& window);
bool IsDescendant(const Window& ancestor, const Window& window);
Window* TopLevelOf(Window& window);
// Offset of the window's top-left corner on its top-level window's surface.
POINT SurfaceOffset(const Window& window);
// Screen position of the client area's top-left corner.
POINT ClientOrigin(const Window& window);
// Screen rectangles of the window and its client area.
RECT ScreenWindowRect(const Window& window);
RECT ScreenClientRect(const Window& window);
bool ReallyVisible(const Window& window);  // visible with every ancestor
std::vector<HWND> ChildHandles(const Window& parent);

// ---------------------------------------------------------------------------
// Calling window procedures (window_procs.cpp). Every message the layer
// sends goes through here in its W form.

// Sends to a window of any thread; 0 for a dead window.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends to a window of the calling thread only; nothing for a window whose
// WM_NCDESTROY has been sent.
LRESULT CallProc(const WindowPtr& window, UINT message, WPARAM wParam, LPARAM lParam);
// Calls a procedure of either kind with a W message (converting for A procedures).
LRESULT CallProcW(WNDPROC proc, bool unicode, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Calls a procedure of either kind with an A message.
LRESULT CallProcA(WNDPROC proc, bool unicode, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A value that stands for a procedure of the other kind (what GetWindowLongPtr
// hands out when the caller's kind differs from the procedure's), and back.
WNDPROC ProcHandle(WNDPROC proc, bool unicode, bool callerUnicode);
void ResolveProc(WNDPROC value, bool callerUnicode, WNDPROC& proc, bool& unicode);

// A W message passed through an A procedure (wide_relay.cpp): what the A
// procedure was given and what the W caller gave, so that a W procedure the
// A one passes the message on to gets the caller's UTF-16, and a W caller
// gets a W procedure's text as it stands.
struct WideRelay {
  UINT message = 0;
  HWND window = nullptr;
  const void* ansi = nullptr;  // the text, buffer or CREATESTRUCTA given to the A procedure
  const void* wide = nullptr;  // the W caller's text or CREATESTRUCTW
  WPARAM ansiParam = 0;        // without a pointer: the A procedure's wParam (a narrowed
  WPARAM wideParam = 0;        // character, an item's index) and the W caller's
  // WM_GETTEXT: a W procedure's text and the A text it was narrowed to.
  std::u16string answer;
  std::string narrowed;
  bool answered = false;
  // Notes a W procedure's text and what the A caller got of it.
  void Answer(std::u16string_view text, std::string_view ansi) {
    answer = text;
    narrowed = ansi;
    answered = true;
  }
};
// Holds a relay while the A procedure runs.
class RelayScope {
 public:
  RelayScope(UINT message, HWND window, const void* ansi, const void* wide);
  RelayScope(UINT message, HWND window, WPARAM ansiParam, WPARAM wideParam);
  ~RelayScope();
  RelayScope(const RelayScope&) = delete;
  RelayScope& operator=(const RelayScope&) = delete;
  // The W procedure's text, when the A procedure returned it as narrowed
  // (`given` is what the A buffer holds afterwards); null otherwise.
  const std::u16string* Answer(std::string_view given) const;

 private:
  WideRelay relay_;
};
// The innermost relay of this thread that an A message continues; null when
// the A procedure made the message itself.
WideRelay* FindRelay(UINT message, HWND window, WPARAM wParam, LPARAM lParam);

// A/W conversion helpers (text_convert.cpp)
// List-box and combo-box messages carrying text, for A callers of W procedures.
bool IsListTextMessage(UINT message);
LRESULT CallListWFromA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallListAFromW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::u16string ToWide(LPCSTR text, int length = -1);
std::string ToAnsi(std::u16string_view text);
std::u16string WideOf(LPCWSTR text);
// Copies text into a caller's buffer of `size` units: at most size - 1 units
// and a terminating zero; returns the units copied (0 when size < 1).
int CopyOut(std::u16string_view text, LPWSTR buffer, int size);
int CopyOut(std::string_view text, LPSTR buffer, int size);
// A class or window name argument: an atom (MAKEINTATOM) or a string.
bool IsAtomArg(const void* name);

// ---------------------------------------------------------------------------
// Queues (message_queue.cpp)

struct SentMessage {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool replied = false;
  bool notify = false;  // nobody waits for the answer
  SENDASYNCPROC callback = nullptr;
  ULONG_PTR callbackData = 0;
  DWORD senderThread = 0;
};
using SentPtr = std::shared_ptr<SentMessage>;

struct Hook {
  HHOOK handle = nullptr;
  int kind = 0;
  HOOKPROC proc = nullptr;
  bool unicode = true;
};

struct Caret {
  HWND window = nullptr;
  POINT pos{0, 0};
  SIZE size{0, 0};
  HBITMAP bitmap = nullptr;
  int hideCount = 1;
  bool drawn = false;  // the caret's pixels are inverted on the surface now
};

// A device event waiting to become an input message: hit testing, capture
// and focus are applied when it is read, as on the desktop.
struct DeviceEvent {
  // Leave: the pointer left the process's windows (for another program's);
  // Activate and Deactivate: the desktop gave the activation to `window`
  // or to another program.
  // Compose: the input method's text being composed changed (`text`, the
  // caret in `delta`; empty text cancels); Result: it gave `text`.
  enum class Kind { Move, Button, Wheel, Key, Char, Leave, Activate, Deactivate, Compose, Result } kind = Kind::Move;
  HWND window = nullptr;
  std::u16string text;
  POINT pt{0, 0};
  int button = 0;  // user::MouseButton
  bool down = false;
  int key = 0;     // virtual key, or the character for Char
  int delta = 0;
  bool horizontal = false;
  WPARAM keys = 0;  // MK_* as they were when the event happened
};

// Wakes a queue's thread: through a condition variable, and through a
// descriptor that becomes readable when the thread waits on the display's
// descriptor as well (made on first use; notified under the queue's mutex).
class QueueWake {
 public:
  QueueWake() = default;
  QueueWake(const QueueWake&) = delete;
  QueueWake& operator=(const QueueWake&) = delete;
  ~QueueWake();
  void notify_all();
  template <class Ready>
  void wait(std::unique_lock<std::mutex>& lock, Ready ready) {
    cv_.wait(lock, ready);
  }
  template <class Time, class Ready>
  bool wait_until(std::unique_lock<std::mutex>& lock, const Time& until, Ready ready) {
    return cv_.wait_until(lock, until, ready);
  }
  int Descriptor();
  void Drain();

 private:
  std::condition_variable cv_;
  int fd_ = -1;
};

// Set in Queue::changed when a kernel object that the thread waits on with
// its queue was signalled; not a QS_* bit.
inline constexpr DWORD kQueueObjectSignalled = 0x80000000;

struct Queue {
  DWORD thread = 0;
  std::deque<DeviceEvent> device;  // device input not yet read
  std::mutex mutex;
  QueueWake wake;
  std::deque<MSG> posted;    // posted messages and input, in order
  std::deque<SentPtr> sent;  // messages sent from other threads
  bool quit = false;
  int quitCode = 0;
  DWORD changed = 0;  // QS_* bits since the last GetQueueStatus, or kQueueObjectSignalled
  // Input state of the thread.
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
  BYTE keyState[256] = {};  // as of the last message read
  int menuKeyAlone = 0;     // VK_MENU or VK_F10 when pressed with nothing else since
  std::vector<SentPtr> receiving;  // sent messages being answered, innermost last
  MSG last{};                      // the last message read (time, position)
  // The input method's context (ime.cpp), under `mutex`.
  bool composing = false;
  std::u16string composition;
  int compositionCaret = 0;
  std::u16string compositionResult;
  std::vector<Hook> hooks;
  Caret caret;
};
using QueuePtr = std::shared_ptr<Queue>;

// The calling thread's queue (made on first use), and another thread's.
Queue& ThisQueue();
QueuePtr QueueOf(DWORD thread);
DWORD ThisThread();
// The calling thread's WH_GETMESSAGE hooks, newest first, on a message just read (hooks.cpp).
void RunGetMessageHooks(Queue& queue, MSG& msg, UINT remove);
// Puts a message on a thread's posted list and wakes it.
bool PostTo(DWORD thread, const MSG& msg);
// Input messages are posted like others; consecutive mouse moves to one
// window replace each other.
void PostInput(DWORD thread, const MSG& msg);
// Turns the oldest device event of the queue into input messages; false when
// there is none.
bool CookDeviceEvent(Queue& queue);
// Mouse tracking (mouse_tracking.cpp): the pointer is over `target` with this
// hit-test code (null: outside every window of the process).
void TrackPointer(HWND target, LRESULT hit);
void ForgetTracking(HWND window);
// Gives the display a top-level window's icon again (display_sink.cpp).
void TellDisplayIcon(HWND window);
// Another program took the activation from the thread's active window
// (focus.cpp): WM_NCACTIVATE, WM_ACTIVATE and WM_ACTIVATEAPP, and the focus goes.
void DeactivateThread();
// The input method's messages to the focus window (ime.cpp).
void CookComposition(const DeviceEvent& e);
// DefWindowProc's WM_IME_COMPOSITION (a given text as WM_IME_CHAR) and WM_IME_CHAR (as WM_CHAR).
LRESULT DefaultIme(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The window with the mouse capture, whatever thread set it; null for none.
HWND CaptureOfAnyThread();
// Answers the messages other threads sent to this one. Returns whether any.
bool AnswerSentMessages(Queue& queue);
void WakeThread(DWORD thread);

// ---------------------------------------------------------------------------
// The clock (timers.cpp): milliseconds; real time unless a test froze it.
DWORD Now();
void SetVirtualClock(bool on, DWORD start);
void AdvanceClock(DWORD milliseconds);
bool TimerDue(DWORD thread, MSG& msg, bool remove, HWND filter);
void KillWindowTimers(HWND window);
bool TimerProcValid(HWND window, UINT_PTR id, TIMERPROC proc);
// The earliest time a timer of the thread is due (for real-time waits).
bool NextTimer(DWORD thread, DWORD& due);
// The caret's blink timer, one per thread: started (again) with the blink
// time, stopped, and asked whether it is due (then it starts its next
// period). It runs on the virtual clock, or in real time when a display puts
// windows on a screen; headless on the real clock the caret stays still, so
// that pictures never depend on how long a test took.
void StartCaretTimer(HWND window, UINT elapse);
void StopCaretTimer();
bool CaretBlinkDue(DWORD thread);
// Turns the thread's caret on or off when its blink period ended (caret.cpp).
void BlinkCaretIfDue(Queue& queue);

// ---------------------------------------------------------------------------
// Painting (paint.cpp)

// Adds to or removes from the update regions of a window (client
// coordinates; null = all) and, unless stopped, its children.
void InvalidateWindow(Window& window, const gdi::SpanRegion* region, UINT flags);
// The same for the children under a region of a window's client area only.
void InvalidateChildren(Window& window, const gdi::SpanRegion* region, UINT flags);
// A window of the thread that needs WM_PAINT, parents before children.
HWND PaintNeeded(DWORD thread, HWND filter);
// The visible part of a window on its top-level's surface, in surface
// coordinates: the client area (or the whole window), clipped by ancestors,
// by siblings above with WS_CLIPSIBLINGS and by children with WS_CLIPCHILDREN.
gdi::SpanRegion VisibleRegion(const Window& window, bool client, bool clipChildren, bool clipSiblings);
// Makes or resizes the surface of a top-level window.
void EnsureSurface(Window& window);
// The display is told which part of a top-level's surface changed.
void SurfaceChanged(const Window& topLevel, const RECT& surfaceRect);

// ---------------------------------------------------------------------------
// Window management (window_pos.cpp, window_show.cpp, focus.cpp)

BOOL SetWindowPosImpl(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// Computes the client rectangle with WM_NCCALCSIZE.
void RecalcClient(const WindowPtr& window, bool sendMessage, WINDOWPOS* pos);
// Activation when a top-level window is shown or clicked, and when the active
// one goes away.
void ActivateWindow(HWND window, WORD how);
void ActivateOtherWindow(const WindowPtr& leaving);
// Called while a window is destroyed: it loses focus, capture, caret.
void ForgetWindowInput(HWND window);

// ---------------------------------------------------------------------------
// Non-client area (nonclient.cpp)

// The frame widths of a window: the client rectangle inside a window rectangle.
RECT ClientFromWindow(const RECT& windowRect, DWORD style, DWORD exStyle, bool menu);
// A top-level window of this style is framed by the desktop's window manager
// (on a display that frames top-level windows) instead of by the layer.
bool DesktopFramed(DWORD style);
// The character a key makes on its own (a US keyboard), as TranslateMessage makes it.
WCHAR CharForKey(int vk, bool shift, bool caps, bool control);
LRESULT NcHitTest(const Window& window, POINT screen);
void NcPaint(HWND window, bool active);
bool NcActiveLook(const Window& window);
// Scroll bars of a window in window coordinates; empty when it has none.
RECT ScrollBarRect(const Window& window, int bar);
// Mouse tracking of a window scroll bar after WM_NCLBUTTONDOWN.
void TrackScrollBar(HWND window, int bar, POINT screen);
// Moving and sizing with the mouse (SC_MOVE, SC_SIZE + WMSZ_ edge), and the
// caption buttons (nc_tracking.cpp).
// From the keyboard (no pointer position given) the arrows move or size.
void TrackMoveSize(HWND window, WPARAM command, POINT start, bool keyboard);
void TrackCaptionButton(HWND window, LRESULT hit);

// ---------------------------------------------------------------------------
// The style painter (style_painter.cpp)

namespace style {
void FillSys(HDC dc, const RECT& rect, int colour);
void Edge(HDC dc, RECT& rect, UINT edge, UINT flags);
void Frame(HDC dc, const RECT& windowRect, DWORD style, DWORD exStyle, bool active);
// With an icon, the icon sits at the caption's left (the window menu's button);
// `pushed` names the caption button drawn pushed (HTCLOSE, HTMAXBUTTON, HTMINBUTTON) or is 0.
void Caption(HDC dc, const RECT& captionRect, std::u16string_view text, DWORD style, bool active, HICON icon = nullptr,
             LRESULT pushed = 0);
// A scroll bar (window bar or control) in `rect`, with its thumb.
void ScrollBar(HDC dc, const RECT& rect, bool vertical, const ScrollBarState& state, bool enabled);
void Arrow(HDC dc, const RECT& rect, UINT direction, bool enabled, bool pushed);
// Thumb position and size along a scroll bar of `length` pixels (arrows included).
struct ThumbGeometry {
  int arrow;  // size of each arrow button
  int start;  // thumb start from the bar's start
  int size;   // thumb length, 0 when there is no room or nothing to scroll
};
ThumbGeometry Thumb(int length, int breadth, const ScrollBarState& state);
// Where a caption's icon sits: a small icon, centred on the caption's height.
RECT CaptionIconRect(const RECT& captionRect);
}  // namespace style
// The icon a window's caption shows for its window menu, or null: windows
// with a window menu and an icon of their own or of their class; dialog
// frames and tool windows show none (nonclient.cpp).
HICON CaptionIcon(const Window& w);
// The window menu's button (the caption's icon) in screen coordinates;
// empty when the window shows none.
RECT SystemMenuButtonRect(HWND window);

// ---------------------------------------------------------------------------
// Metrics and colours (metrics.cpp)
COLORREF SysColour(int index);
int Metric(int index);

// ---------------------------------------------------------------------------
// Icons and cursors (cursors.cpp)
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;  // 0xAARRGGBB, top row first
  POINT hotSpot{0, 0};
  bool cursor = false;
  bool shared = false;  // system icons and cursors are never destroyed
};
std::shared_ptr<IconImage> FindIcon(HICON icon);
// The IDC_* number of a system cursor (IDC_ARROW for others, 0 for none).
int SystemCursorNumber(HCURSOR cursor);

// Caret drawing (caret.cpp): the caret is hidden while a window paints.
void HideCaretForPaint(HWND window);
void ShowCaretAfterPaint(HWND window);

// A window device context from GetDCEx or GetWindowDC, released with its scope.
class ScopedWindowDc {
 public:
  ScopedWindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

BOOL Fail(DWORD error);

}  // namespace user
