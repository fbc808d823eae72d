// The connection to the X server: opening it, its errors, the atoms, the
// screen's size, work area and dpi, and the window manager's frame.
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <unistd.h>

#include <X11/Xatom.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/display/x11/x11_display.h"

namespace display::x11 {
namespace {

// The innermost trap of the process (traps are made and waited for on one
// thread at a time: Xlib is locked by XInitThreads while errors are handled).
std::mutex g_trapMutex;
ErrorTrap* g_trap = nullptr;
bool g_trapFailed = false;

int OnError(::Display* x, XErrorEvent* e) {
  {
    std::lock_guard lock(g_trapMutex);
    if (g_trap) {
      g_trapFailed = true;
      return 0;
    }
  }
  char text[256] = {};
  XGetErrorText(x, e->error_code, text, sizeof text);
  std::fprintf(stderr, "tavrendel: X error: %s (request %d.%d, resource 0x%lx)\n", text, e->request_code,
               e->minor_code, e->resourceid);
  return 0;
}

// A lost connection cannot be carried on with: the program ends here, with
// a message, and without running anything that might write documents.
int OnIoError(::Display* x) {
  std::fprintf(stderr, "tavrendel: the connection to the display %s was lost; ending\n",
               x ? DisplayString(x) : "");
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

ErrorTrap::ErrorTrap(::Display* x) : x_(x) {
  XSync(x_, False);
  std::lock_guard lock(g_trapMutex);
  outer_ = g_trap;
  if (!outer_) g_trapFailed = false;
  g_trap = this;
}

ErrorTrap::~ErrorTrap() {
  XSync(x_, False);
  std::lock_guard lock(g_trapMutex);
  g_trap = outer_;
}

bool ErrorTrap::Failed() {
  XSync(x_, False);
  std::lock_guard lock(g_trapMutex);
  return std::exchange(g_trapFailed, false);
}

void InstallErrorHandlers() {
  XSetErrorHandler(OnError);
  XSetIOErrorHandler(OnIoError);
}

void Atoms::Intern(::Display* x) {
  const char* names[] = {"WM_PROTOCOLS",
                         "WM_DELETE_WINDOW",
                         "_NET_WM_PING",
                         "_NET_WM_NAME",
                         "_NET_WM_ICON_NAME",
                         "UTF8_STRING",
                         "_NET_WM_PID",
                         "_NET_WM_STATE",
                         "_NET_WM_STATE_MODAL",
                         "_NET_WM_WINDOW_TYPE",
                         "_NET_WM_WINDOW_TYPE_NORMAL",
                         "_NET_WM_WINDOW_TYPE_DIALOG",
                         "_NET_WM_WINDOW_TYPE_POPUP_MENU",
                         "_NET_FRAME_EXTENTS",
                         "_NET_REQUEST_FRAME_EXTENTS",
                         "_NET_WORKAREA",
                         "_NET_ACTIVE_WINDOW",
                         "_NET_WM_ICON",
                         "_NET_SUPPORTING_WM_CHECK",
                         "CLIPBOARD",
                         "TARGETS",
                         "TEXT",
                         "STRING",
                         "INCR",
                         "image/png",
                         "TAVRENDEL_TRANSFER",
                         "WM_CLIENT_MACHINE",
                         "_MOTIF_WM_HINTS"};
  Atom* slots[] = {&wmProtocols,    &wmDeleteWindow, &netWmPing,       &netWmName,
                   &netWmIconName,  &utf8String,     &netWmPid,        &netWmState,
                   &netWmStateModal, &netWmWindowType, &typeNormal,     &typeDialog,
                   &typePopupMenu,  &netFrameExtents, &netRequestFrameExtents, &netWorkarea,
                   &netActiveWindow, &netWmIcon,     &netSupportingWmCheck, &clipboard,
                   &targets,        &text,           &string,          &incr,
                   &imagePng,       &transfer,       &wmClientMachine, &motifWmHints};
  static_assert(std::size(names) == std::size(slots));
  Atom values[std::size(names)];
  XInternAtoms(x, const_cast<char**>(names), static_cast<int>(std::size(names)), False, values);
  for (size_t i = 0; i < std::size(names); ++i) *slots[i] = values[i];
}

namespace {

// A window property of 32-bit items (CARDINAL or WINDOW): its values.
std::vector<long> LongProperty(::Display* x, Window w, Atom property, Atom type) {
  std::vector<long> values;
  Atom actual = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(x, w, property, 0, 64, False, type, &actual, &format, &count, &after, &data) == Success &&
      data && format == 32 && actual == type) {
    const long* items = reinterpret_cast<const long*>(data);
    values.assign(items, items + count);
  }
  if (data) XFree(data);
  return values;
}

}  // namespace

X11Display::X11Display(::Display* x, bool sharedMemory)
    : x_(x), screen_(DefaultScreen(x)), visual_(DefaultVisual(x, screen_)), depth_(DefaultDepth(x, screen_)),
      root_(RootWindow(x, screen_)), gc_(DefaultGC(x, screen_)), sharedMemory_(sharedMemory && XShmQueryExtension(x)),
      owner_(std::this_thread::get_id()) {
  atoms_.Intern(x_);
  // The window manager, if one runs, says so on the root window.
  const std::vector<long> check = LongProperty(x_, root_, atoms_.netSupportingWmCheck, XA_WINDOW);
  hasWindowManager_ = !check.empty() && check[0] != 0;
  XSetWindowAttributes a{};
  a.event_mask = PropertyChangeMask;
  clipboardWindow_ = XCreateWindow(x_, root_, -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                                   CWEventMask, &a);
  XSelectInput(x_, root_, PropertyChangeMask);
  OpenInputMethod();
  OpenWaitSet();
  if (hasWindowManager_) RequestFrameExtents();
  XFlush(x_);
}

X11Display::~X11Display() {
  for (auto& [hwnd, r] : windows_) {
    r.image.reset();
    if (r.xid) XDestroyWindow(x_, r.xid);
  }
  for (auto& [id, c] : cursors_) XFreeCursor(x_, c);
  if (probe_) XDestroyWindow(x_, probe_);
  if (ic_) XDestroyIC(ic_);
  if (im_) XCloseIM(im_);
  XDestroyWindow(x_, clipboardWindow_);
  XCloseDisplay(x_);
  CloseWaitSet();
}

SIZE X11Display::ScreenSize() const {
  return SIZE{DisplayWidth(x_, screen_), DisplayHeight(x_, screen_)};
}

RECT X11Display::WorkArea() const {
  const SIZE s = ScreenSize();
  const std::vector<long> area = LongProperty(x_, root_, atoms_.netWorkarea, XA_CARDINAL);
  if (area.size() >= 4 && area[2] > 0 && area[3] > 0)
    return RECT{static_cast<LONG>(area[0]), static_cast<LONG>(area[1]), static_cast<LONG>(area[0] + area[2]),
                static_cast<LONG>(area[1] + area[3])};
  return RECT{0, 0, s.cx, s.cy};
}

int X11Display::Dpi() const {
  const int mm = DisplayWidthMM(x_, screen_);
  if (mm <= 0) return 96;
  return static_cast<int>(DisplayWidth(x_, screen_) * 25.4 / mm + 0.5);
}

RECT X11Display::FrameExtents() const { return extents_; }

// Whether the window manager's frame differs from what was known.
bool X11Display::ReadFrameExtents(Window xid) {
  const std::vector<long> e = LongProperty(x_, xid, atoms_.netFrameExtents, XA_CARDINAL);
  if (e.size() < 4) return false;
  // left, right, top, bottom on the wire
  const RECT now{static_cast<LONG>(e[0]), static_cast<LONG>(e[2]), static_cast<LONG>(e[1]), static_cast<LONG>(e[3])};
  if (now.left == extents_.left && now.top == extents_.top && now.right == extents_.right &&
      now.bottom == extents_.bottom)
    return false;
  extents_ = now;
  return true;
}

// Asks the window manager for the frame it will give a window, on a window
// never shown, so the first window's rectangle is right from the start.
void X11Display::RequestFrameExtents() {
  XSetWindowAttributes a{};
  a.event_mask = PropertyChangeMask;
  Window probe = probe_ = XCreateWindow(x_, root_, 0, 0, 100, 100, 0, CopyFromParent, InputOutput, CopyFromParent,
                               CWEventMask, &a);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = probe;
  e.xclient.message_type = atoms_.netRequestFrameExtents;
  e.xclient.format = 32;
  XSendEvent(x_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XEvent got;
  const Atom wanted = atoms_.netFrameExtents;
  if (WaitForEvent(
          [&](const XEvent& ev) {
            return ev.type == PropertyNotify && ev.xproperty.window == probe && ev.xproperty.atom == wanted;
          },
          got, 1000)) {
    ReadFrameExtents(probe);
    XDestroyWindow(x_, probe);
    probe_ = 0;
  }
  // A busy window manager answers later; the answer is read when it comes
  // (and any window's own frame when the window manager sets it).
}

// Waits (at most `milliseconds`) for one event while leaving all others in
// the queue for Pump: a reply the caller needs before it can go on.
bool X11Display::WaitForEvent(const std::function<bool(const XEvent&)>& wanted, XEvent& got, int milliseconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  auto predicate = [](::Display*, XEvent* e, XPointer arg) -> int {
    return (*reinterpret_cast<const std::function<bool(const XEvent&)>*>(arg))(*e) ? True : False;
  };
  for (;;) {
    if (XCheckIfEvent(x_, &got, predicate, reinterpret_cast<XPointer>(const_cast<std::function<bool(const XEvent&)>*>(&wanted))))
      return true;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    pollfd p{ConnectionNumber(x_), POLLIN, 0};
    const int n = poll(&p, 1, static_cast<int>(left));
    if (n < 0 && errno != EINTR) return false;
  }
}

int X11Display::WaitDescriptor() {
  if (!OnOwnerThread()) return -1;
  // What was asked of the server goes out before the thread sleeps.
  XFlush(x_);
  return waitSet_ >= 0 ? waitSet_ : ConnectionNumber(x_);
}

void X11Display::OpenWaitSet() {
  // The reading thread waits on the connection and on a pipe that other
  // threads write to when their calls took events off the connection into
  // Xlib's queue (the connection's descriptor no longer shows those).
  if (pipe2(nudge_, O_NONBLOCK | O_CLOEXEC) != 0) {
    nudge_[0] = nudge_[1] = -1;
    return;
  }
  waitSet_ = epoll_create1(EPOLL_CLOEXEC);
  if (waitSet_ < 0) return;
  for (const int fd : {ConnectionNumber(x_), nudge_[0]}) {
    epoll_event e{};
    e.events = EPOLLIN;
    e.data.fd = fd;
    epoll_ctl(waitSet_, EPOLL_CTL_ADD, fd, &e);
  }
}

void X11Display::CloseWaitSet() {
  for (int* fd : {&waitSet_, &nudge_[0], &nudge_[1]}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}

void X11Display::NudgeOwner() {
  if (OnOwnerThread() || nudge_[1] < 0 || XEventsQueued(x_, QueuedAlready) == 0) return;
  const char byte = 1;
  while (write(nudge_[1], &byte, 1) < 0 && errno == EINTR) {
  }  // a full pipe already wakes the reader
}

void X11Display::DrainNudges() {
  char bytes[64];
  if (nudge_[0] >= 0)
    while (read(nudge_[0], bytes, sizeof bytes) > 0) {
    }
}

std::unique_ptr<display::Display> OpenX11Display(const char* name, std::string& error, bool sharedMemory) {
  static const bool threads = XInitThreads() != 0;
  if (!threads) {
    error = "Xlib cannot be used from several threads";
    return nullptr;
  }
  InstallErrorHandlers();
  ::Display* x = XOpenDisplay(name);
  if (!x) {
    error = std::string("cannot open the display ") + (name ? name : (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : ""));
    return nullptr;
  }
  return std::make_unique<X11Display>(x, sharedMemory);
}

}  // namespace display::x11

namespace display {

std::unique_ptr<Display> OpenX11(const char* name, std::string& error, bool sharedMemory) {
  return x11::OpenX11Display(name, error, sharedMemory);
}

}  // namespace display
