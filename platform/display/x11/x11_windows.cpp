// One X window per top-level window: made on its first placement with the
// ICCCM/EWMH properties the desktop reads, moved, shown and hidden as the
// layer says, and given the changed parts of its surface.
#include <unistd.h>

#include <X11/Xatom.h>

#include <algorithm>
#include <cstring>

#include "platform/display/x11/x11_display.h"

extern char* program_invocation_short_name;

namespace display::x11 {
namespace {

RECT Union(const RECT& a, const RECT& b) {
  if (a.right <= a.left || a.bottom <= a.top) return b;
  if (b.right <= b.left || b.bottom <= b.top) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void SetUtf8(::Display* x, Window w, Atom property, Atom utf8, const std::string& text) {
  XChangeProperty(x, w, property, utf8, 8, PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
}

void SetLongs(::Display* x, Window w, Atom property, Atom type, const std::vector<long>& values) {
  XChangeProperty(x, w, property, type, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()),
                  static_cast<int>(values.size()));
}

}  // namespace

WindowRecord* X11Display::Find(HWND window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

WindowRecord* X11Display::FindX(Window xid) {
  for (auto& [h, r] : windows_)
    if (r.xid == xid) return &r;
  return nullptr;
}

Window X11Display::XWindowOf(HWND window) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  return r ? r->xid : 0;
}

bool X11Display::Mapped(HWND window) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  return r && r->mapped;
}

void X11Display::SetProperties(WindowRecord& r, const WindowTraits& t) {
  const std::string title = ToUtf8(t.title);
  SetUtf8(x_, r.xid, atoms_.netWmName, atoms_.utf8String, title);
  SetUtf8(x_, r.xid, atoms_.netWmIconName, atoms_.utf8String, title);
  XStoreName(x_, r.xid, title.c_str());  // for window managers that read only WM_NAME
  XClassHint cls{};
  std::string name = program_invocation_short_name ? program_invocation_short_name : "tavrendel";
  std::string className = "Tavrendel";
  cls.res_name = name.data();
  cls.res_class = className.data();
  XSetClassHint(x_, r.xid, &cls);
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0)
    XChangeProperty(x_, r.xid, atoms_.wmClientMachine, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<unsigned char*>(host), static_cast<int>(std::strlen(host)));
  Atom protocols[] = {atoms_.wmDeleteWindow, atoms_.netWmPing};
  XSetWMProtocols(x_, r.xid, protocols, 2);
  SetLongs(x_, r.xid, atoms_.netWmPid, XA_CARDINAL, {static_cast<long>(getpid())});
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(x_, r.xid, &hints);
  // Sizes are the X window's: the window's less the frame.
  const int frameX = r.managed ? extents_.left + extents_.right : 0;
  const int frameY = r.managed ? extents_.top + extents_.bottom : 0;
  XSizeHints size{};
  size.flags = PPosition | USPosition | PWinGravity;
  size.win_gravity = NorthWestGravity;
  // A window the frame does not let the user size: its own size is its
  // minimum and its maximum, which every window manager reads (some offer
  // to maximise whatever the Motif hints say, but not a window of one size).
  r.fixedSize = r.managed && !t.resizable;
  if (r.fixedSize) {
    size.flags |= PMinSize | PMaxSize;
    size.min_width = size.max_width = static_cast<int>(r.size.cx);
    size.min_height = size.max_height = static_cast<int>(r.size.cy);
  } else if (t.minSize.cx > 0 && t.minSize.cy > 0) {
    size.flags |= PMinSize;
    size.min_width = std::max<int>(t.minSize.cx - frameX, 1);
    size.min_height = std::max<int>(t.minSize.cy - frameY, 1);
  }
  if (!r.fixedSize && t.maxSize.cx > 0 && t.maxSize.cy > 0) {
    size.flags |= PMaxSize;
    size.max_width = std::max<int>(t.maxSize.cx - frameX, 1);
    size.max_height = std::max<int>(t.maxSize.cy - frameY, 1);
  }
  XSetWMNormalHints(x_, r.xid, &size);
  const WindowRecord* owner = t.owner ? Find(t.owner) : nullptr;
  if (owner && owner->xid) XSetTransientForHint(x_, r.xid, owner->xid);
  const Atom type = !r.managed ? atoms_.typePopupMenu : owner ? atoms_.typeDialog : atoms_.typeNormal;
  SetLongs(x_, r.xid, atoms_.netWmWindowType, XA_ATOM, {static_cast<long>(type)});
  SetModal(r, t.modal);
  // What the frame offers, in the Motif hints window managers read: a window
  // without a minimise or maximise box gets no button for it (some managers
  // go by the functions, some by the decorations: both are given).
  if (r.managed && (!t.minimizable || !t.maximizable)) {
    constexpr long kFunctions = 1, kDecorations = 2;
    constexpr long kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32;
    constexpr long kBorder = 2, kResizeHandle = 4, kTitle = 8, kMenu = 16, kMinimizeButton = 32,
                   kMaximizeButton = 64;
    long functions = kMove | kClose;
    long decorations = kBorder | kTitle | kMenu;
    if (t.resizable) functions |= kResize, decorations |= kResizeHandle;
    if (t.minimizable) functions |= kMinimize, decorations |= kMinimizeButton;
    if (t.maximizable) functions |= kMaximize, decorations |= kMaximizeButton;
    SetLongs(x_, r.xid, atoms_.motifWmHints, atoms_.motifWmHints,
             {kFunctions | kDecorations, functions, decorations, 0, 0});
  } else {
    XDeleteProperty(x_, r.xid, atoms_.motifWmHints);
  }
  SetIcon(r, t.iconSize, t.iconPixels);
}

void X11Display::SetModal(WindowRecord& r, bool modal) {
  if (modal) SetLongs(x_, r.xid, atoms_.netWmState, XA_ATOM, {static_cast<long>(atoms_.netWmStateModal)});
  else XDeleteProperty(x_, r.xid, atoms_.netWmState);
}

void X11Display::SetIcon(WindowRecord& r, SIZE size, const std::vector<DWORD>& pixels) {
  if (pixels.empty() || size.cx <= 0 || size.cy <= 0 || pixels.size() != static_cast<size_t>(size.cx) * size.cy) {
    XDeleteProperty(x_, r.xid, atoms_.netWmIcon);
    return;
  }
  std::vector<long> icon{size.cx, size.cy};
  for (DWORD p : pixels) icon.push_back(static_cast<long>(p));  // ARGB, as the property holds it
  SetLongs(x_, r.xid, atoms_.netWmIcon, XA_CARDINAL, icon);
}

void X11Display::IconChanged(HWND window, SIZE size, const std::vector<DWORD>& pixels) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  if (!r || !r->xid) return;
  SetIcon(*r, size, pixels);
  XFlush(x_);
}

void X11Display::Create(WindowRecord& r, const WindowTraits& traits) {
  r.managed = traits.managed;
  const RECT e = r.managed ? extents_ : RECT{};
  r.inset = POINT{e.left, e.top};
  r.size = SIZE{std::max<LONG>(r.rect.right - r.rect.left - e.left - e.right, 1),
                std::max<LONG>(r.rect.bottom - r.rect.top - e.top - e.bottom, 1)};
  XSetWindowAttributes a{};
  a.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                 PointerMotionMask | EnterWindowMask | LeaveWindowMask | StructureNotifyMask | FocusChangeMask |
                 PropertyChangeMask;
  a.override_redirect = r.managed ? False : True;
  a.background_pixmap = None;
  a.bit_gravity = NorthWestGravity;
  a.colormap = DefaultColormap(x_, screen_);
  unsigned long mask = CWEventMask | CWOverrideRedirect | CWBackPixmap | CWBitGravity | CWColormap;
  if (Cursor c = CursorFor(cursorId_)) {
    a.cursor = c;
    mask |= CWCursor;
  }
  ErrorTrap trap(x_);
  const int x = r.managed && hasWindowManager_ ? r.rect.left : r.rect.left + e.left;
  const int y = r.managed && hasWindowManager_ ? r.rect.top : r.rect.top + e.top;
  r.xid = XCreateWindow(x_, root_, x, y, static_cast<unsigned>(r.size.cx), static_cast<unsigned>(r.size.cy), 0, depth_,
                        InputOutput, visual_, mask, &a);
  if (trap.Failed()) {
    r.xid = 0;
    return;
  }
  SetProperties(r, traits);
  r.image = std::make_unique<Image>(x_, visual_, depth_, r.size.cx, r.size.cy, sharedMemory_);
  r.damage = RECT{0, 0, r.rect.right - r.rect.left, r.rect.bottom - r.rect.top};
}

// Moves and sizes the X window to a new window rectangle (the surface and
// its image follow the size).
void X11Display::Place(WindowRecord& r, const RECT& rect) {
  const RECT e = r.managed ? extents_ : RECT{};
  const SIZE size{std::max<LONG>(rect.right - rect.left - e.left - e.right, 1),
                  std::max<LONG>(rect.bottom - rect.top - e.top - e.bottom, 1)};
  const bool sized = size.cx != r.size.cx || size.cy != r.size.cy;
  r.rect = rect;
  r.inset = POINT{e.left, e.top};
  const int x = r.managed && hasWindowManager_ ? rect.left : rect.left + e.left;
  const int y = r.managed && hasWindowManager_ ? rect.top : rect.top + e.top;
  if (sized && r.fixedSize) {
    // The program sizes it: the size hints follow first, or the window
    // manager would hold it to the old size.
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(x_, r.xid, &hints, &supplied);
    hints.flags |= PMinSize | PMaxSize;
    hints.min_width = hints.max_width = static_cast<int>(size.cx);
    hints.min_height = hints.max_height = static_cast<int>(size.cy);
    XSetWMNormalHints(x_, r.xid, &hints);
  }
  XMoveResizeWindow(x_, r.xid, x, y, static_cast<unsigned>(size.cx), static_cast<unsigned>(size.cy));
  if (sized) {
    r.size = size;
    r.image = std::make_unique<Image>(x_, visual_, depth_, size.cx, size.cy, sharedMemory_);
    r.damage = RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  }
}

void X11Display::WindowPlaced(HWND window, const RECT& screenRect, bool shown) {
  Sink* sink = CurrentSink();
  bool known, mapping;
  {
    std::lock_guard lock(mutex_);
    const WindowRecord* r = Find(window);
    known = r != nullptr;
    mapping = shown && (!r || !r->shown);
  }
  // What the desktop must know is asked of the window system without the
  // lock held: when the window is made, and again as it is shown, for a
  // dialog's owner is disabled after the dialog is made and before it shows.
  const WindowTraits traits = (!known || mapping) && sink ? sink->Traits(window) : WindowTraits{};
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  if (!r) {
    r = &windows_[window];
    r->hwnd = window;
    r->rect = screenRect;
    Create(*r, traits);
    if (!r->xid) {
      windows_.erase(window);
      return;
    }
  } else if (!SameRect(r->rect, screenRect)) {
    Place(*r, screenRect);
  }
  if (shown != r->shown) {
    r->shown = shown;
    if (shown) {
      // A window manager reads the state as the window is mapped.
      if (sink && r->managed) SetModal(*r, traits.modal);
      XMapRaised(x_, r->xid);
    } else {
      XUnmapWindow(x_, r->xid);
      // A withdrawn window tells the window manager so (ICCCM 4.1.4).
      if (r->managed && hasWindowManager_) {
        XEvent e{};
        e.xunmap.type = UnmapNotify;
        e.xunmap.event = root_;
        e.xunmap.window = r->xid;
        XSendEvent(x_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
      }
      r->mapped = false;
    }
  }
  // The reading thread may be asleep: what was asked goes out now.
  XFlush(x_);
  NudgeOwner();
}

void X11Display::WindowDestroyed(HWND window) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  if (!r) return;
  r->image.reset();
  if (r->xid) XDestroyWindow(x_, r->xid);
  if (wantFocus_ == window) wantFocus_ = nullptr;
  windows_.erase(window);
  XFlush(x_);
}

void X11Display::SurfaceChanged(HWND window, const std::shared_ptr<gdi::Bitmap>& surface, const RECT& surfaceRect) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  if (!r) return;  // not placed yet: its placement paints it all
  if (r->surface.lock() != surface) {
    r->surface = surface;
    r->damage = RECT{0, 0, surface ? surface->width : 0, surface ? surface->height : 0};
    return;
  }
  r->damage = Union(r->damage, surfaceRect);
}

void X11Display::TitleChanged(HWND window, std::u16string_view title) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  if (!r) return;
  const std::string text = ToUtf8(title);
  SetUtf8(x_, r->xid, atoms_.netWmName, atoms_.utf8String, text);
  SetUtf8(x_, r->xid, atoms_.netWmIconName, atoms_.utf8String, text);
  XStoreName(x_, r->xid, text.c_str());
  XFlush(x_);
}

// The layer activated a window: without a window manager the display gives
// it the keyboard itself (once it can be seen); with one, it asks.
void X11Display::WindowActivated(HWND window) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = Find(window);
  if (!r || !r->managed) return;
  wantFocus_ = window;
  if (!r->mapped) return;
  if (hasWindowManager_) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = r->xid;
    e.xclient.message_type = atoms_.netActiveWindow;
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1;  // from an application
    e.xclient.data.l[1] = static_cast<long>(lastTime_);
    XSendEvent(x_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  } else {
    ErrorTrap trap(x_);
    XSetInputFocus(x_, r->xid, RevertToParent, CurrentTime);
    if (trap.Failed()) std::fprintf(stderr, "tavrendel: the display refused the keyboard focus\n");
  }
  XFlush(x_);
}

// While the layer captures the mouse the pointer is grabbed, so presses
// outside the program's windows reach it too.
void X11Display::CaptureChanged(HWND window) {
  std::lock_guard lock(mutex_);
  WindowRecord* r = window ? Find(window) : nullptr;
  if (r && r->shown) {
    const unsigned events = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    XGrabPointer(x_, r->xid, True, events, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  } else {
    XUngrabPointer(x_, CurrentTime);
  }
  XFlush(x_);
}

void X11Display::PutDamage(WindowRecord& r) {
  std::shared_ptr<gdi::Bitmap> surface = r.surface.lock();
  if (!surface || !r.image || !r.image->Valid() || r.damage.right <= r.damage.left || r.damage.bottom <= r.damage.top)
    return;
  const RECT d = r.damage;
  r.damage = RECT{};
  r.image->CopyFrom(*surface, d, POINT{d.left - r.inset.x, d.top - r.inset.y});
  if (r.mapped || r.shown)
    r.image->Put(r.xid, gc_, RECT{d.left - r.inset.x, d.top - r.inset.y, d.right - r.inset.x, d.bottom - r.inset.y});
}

// Puts every window's changed parts on the screen; with shared memory the
// server has read the segments before they are written again.
void X11Display::Flush() {
  bool shared = false, any = false;
  {
    std::lock_guard lock(mutex_);
    for (auto& [h, r] : windows_) {
      if (r.damage.right <= r.damage.left) continue;
      PutDamage(r);
      any = true;
      shared = shared || (r.image && r.image->Shared());
    }
  }
  if (shared)
    XSync(x_, False);
  else if (any || !OnOwnerThread())
    XFlush(x_);  // another thread's requests go out before it sleeps
  NudgeOwner();
}



}  // namespace display::x11
