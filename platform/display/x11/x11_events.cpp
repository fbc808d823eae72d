// Events from the X server, turned into what the window system's sink
// understands: pointer, buttons, wheel, crossing, keys through the keyboard
// mapping and the input method, the window manager's moves, closes and focus.
#include <cstdio>

#include "platform/display/x11/x11_display.h"
// clang-format off
#include <X11/Xcursor/Xcursor.h>
// clang-format on

namespace display::x11 {
namespace {

POINT RootPoint(int x, int y) { return POINT{x, y}; }

}  // namespace

void X11Display::Pump() {
  Flush();
  if (!OnOwnerThread()) return;
  DrainNudges();
  // Everything already read or waiting on the socket, without blocking.
  while (XPending(x_) > 0) {
    XEvent e;
    XNextEvent(x_, &e);
    if (!XFilterEvent(&e, None)) Handle(e);  // else the input method's
    // The keys after a server's end go through the method that replaces it.
    if (reopenInputMethod_) OpenInputMethod();
  }
  EndComposition();
  Flush();
}

void X11Display::Handle(XEvent& e) {
  Sink* sink = CurrentSink();
  if (!sink) return;
  switch (e.type) {
    case MotionNotify: {
      // Only the newest of a run of moves matters; a move after a button
      // press or release stays after it, or a drag would arrive as a move
      // followed by a click.
      XEvent next;
      while (XPending(x_) && (XPeekEvent(x_, &next), next.type == MotionNotify) &&
             next.xmotion.window == e.xmotion.window)
        XNextEvent(x_, &e);
      lastTime_ = e.xmotion.time;
      sink->MouseMove(RootPoint(e.xmotion.x_root, e.xmotion.y_root));
      break;
    }
    case EnterNotify:
      lastTime_ = e.xcrossing.time;
      sink->MouseMove(RootPoint(e.xcrossing.x_root, e.xcrossing.y_root));
      break;
    case LeaveNotify:
      lastTime_ = e.xcrossing.time;
      HandleLeave(e.xcrossing);
      break;
    case ButtonPress:
    case ButtonRelease: {
      const bool down = e.type == ButtonPress;
      const POINT p = RootPoint(e.xbutton.x_root, e.xbutton.y_root);
      lastTime_ = e.xbutton.time;
      switch (e.xbutton.button) {
        case Button1: sink->MouseButton(display::Button::Left, down, p); break;
        case Button2: sink->MouseButton(display::Button::Middle, down, p); break;
        case Button3: sink->MouseButton(display::Button::Right, down, p); break;
        case Button4:
        case Button5:
          if (down) sink->MouseWheel(p, e.xbutton.button == Button4 ? 120 : -120, false);
          break;
        case 6:
        case 7:
          if (down) sink->MouseWheel(p, e.xbutton.button == 7 ? 120 : -120, true);
          break;
        default: break;
      }
      break;
    }
    case KeyPress:
    case KeyRelease: HandleKey(e.xkey, e.type == KeyPress); break;
    case MappingNotify:
      if (e.xmapping.request == MappingKeyboard || e.xmapping.request == MappingModifier)
        XRefreshKeyboardMapping(&e.xmapping);
      break;
    case Expose: {
      std::lock_guard lock(mutex_);
      if (WindowRecord* r = FindX(e.xexpose.window); r && r->image)
        r->image->Put(r->xid, gc_,
                      RECT{e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height});
      break;
    }
    case MapNotify: {
      HWND focus = nullptr;
      {
        std::lock_guard lock(mutex_);
        WindowRecord* r = FindX(e.xmap.window);
        if (!r) break;
        r->mapped = true;
        if (wantFocus_ == r->hwnd) focus = r->hwnd;
      }
      if (focus) WindowActivated(focus);
      break;
    }
    case UnmapNotify: {
      std::lock_guard lock(mutex_);
      if (WindowRecord* r = FindX(e.xunmap.window)) r->mapped = false;
      break;
    }
    case ConfigureNotify: HandleConfigure(e.xconfigure); break;
    case FocusIn:
    case FocusOut: HandleFocus(e.xfocus); break;
    case ClientMessage:
      if (e.xclient.message_type == atoms_.wmProtocols) {
        const Atom protocol = static_cast<Atom>(e.xclient.data.l[0]);
        if (protocol == atoms_.wmDeleteWindow) {
          HWND window = nullptr;
          {
            std::lock_guard lock(mutex_);
            if (WindowRecord* r = FindX(e.xclient.window)) window = r->hwnd;
          }
          if (window) sink->CloseAsked(window);
        } else if (protocol == atoms_.netWmPing) {
          // The window manager asks whether the program still answers.
          e.xclient.window = root_;
          XSendEvent(x_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        }
      }
      break;
    case PropertyNotify:
      if (e.xproperty.atom == atoms_.netFrameExtents && e.xproperty.state == PropertyNewValue) {
        FrameExtentsChanged(e.xproperty.window);
      } else {
        ContinueTransfer(e.xproperty);
      }
      break;
    case SelectionRequest: ServeSelection(e.xselectionrequest); break;
    case SelectionClear:
      if (e.xselectionclear.selection == atoms_.clipboard) ownsClipboard_ = false;
      break;
    default: break;
  }
}

void X11Display::HandleKey(XKeyEvent& e, bool down) {
  lastTime_ = e.time;
  // The key itself, from the unshifted symbol, so press and release agree.
  const int vk = VirtualKeyOf(XLookupKeysym(&e, 0));
  std::u16string text;
  if (down) {
    char buffer[64] = {};
    KeySym symbol = NoSymbol;
    int n = 0;
    Status status = 0;
    if (ic_) {
      n = Xutf8LookupString(ic_, &e, buffer, sizeof buffer - 1, &symbol, &status);
      if (status == XLookupChars || status == XLookupBoth) text = FromUtf8(std::string_view(buffer, n));
    } else {
      n = XLookupString(&e, buffer, sizeof buffer - 1, &symbol, nullptr);
    }
    if (text.empty()) {
      // Without an input method's text, the symbol says which character it is.
      if (const char32_t c = CharacterOf(symbol)) {
        if (c >= 0x10000) {
          text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
          text.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
          text.push_back(static_cast<char16_t>(c));
        }
      }
    }
  } else {
    // An auto-repeated key is a release immediately followed by a press: only the press counts.
    if (XEventsQueued(x_, QueuedAfterReading)) {
      XEvent next;
      XPeekEvent(x_, &next);
      if (next.type == KeyPress && next.xkey.time == e.time && next.xkey.keycode == e.keycode) return;
    }
  }
  // Text given while composing (or just after) is the composition's result.
  if (down) {
    TextGiven(text, vk);
    return;
  }
  if (Sink* sink = CurrentSink()) sink->Key(vk, down, text);
}

// The window manager moved or sized a window: its client area is now where
// the X window is, the window rectangle the frame around it.
void X11Display::HandleConfigure(const XConfigureEvent& e) {
  HWND window = nullptr;
  RECT rect{};
  {
    std::lock_guard lock(mutex_);
    WindowRecord* r = FindX(e.window);
    if (!r || !r->managed) return;
    int x = 0, y = 0;
    Window child;
    if (!XTranslateCoordinates(x_, r->xid, root_, 0, 0, &x, &y, &child)) return;
    const RECT ext = extents_;
    rect = RECT{x - r->inset.x, y - r->inset.y, x - r->inset.x + e.width + ext.left + ext.right,
                y - r->inset.y + e.height + ext.top + ext.bottom};
    if (rect.left == r->rect.left && rect.top == r->rect.top && rect.right == r->rect.right &&
        rect.bottom == r->rect.bottom)
      return;
    if (e.width != r->size.cx || e.height != r->size.cy) {
      r->size = SIZE{e.width, e.height};
      r->image = std::make_unique<Image>(x_, visual_, depth_, e.width, e.height, sharedMemory_);
      r->damage = RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    }
    r->rect = rect;
    window = r->hwnd;
  }
  if (Sink* sink = CurrentSink()) sink->Moved(window, rect);
}

void X11Display::HandleFocus(const XFocusChangeEvent& e) {
  if (e.mode == NotifyGrab || e.mode == NotifyUngrab || e.detail == NotifyPointer) return;
  HWND window = nullptr;
  {
    std::lock_guard lock(mutex_);
    WindowRecord* r = FindX(e.window);
    if (!r) return;
    window = r->hwnd;
  }
  if (ic_) {
    if (e.type == FocusIn) {
      XSetICValues(ic_, XNFocusWindow, e.window, nullptr);
      XSetICFocus(ic_);
    } else {
      XUnsetICFocus(ic_);
    }
  }
  Sink* sink = CurrentSink();
  if (!sink) return;
  if (e.type == FocusIn) {
    sink->Activated(window);
    return;
  }
  // The focus left this window: for another of the process's windows (whose
  // FocusIn activates it), or for another program, which deactivates the process.
  if (e.detail == NotifyInferior) return;
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x_, &focus, &revert);
  {
    std::lock_guard lock(mutex_);
    if (focus != None && focus != PointerRoot && FindX(focus)) return;
  }
  sink->Deactivated();
}

// The pointer left an X window of the process: a window that tracks the
// mouse hears of it unless the pointer went into another of the process's
// windows, whose crossing reports the move.
void X11Display::HandleLeave(const XCrossingEvent& e) {
  if (e.mode != NotifyNormal || e.detail == NotifyInferior) return;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned mask = 0;
  if (XQueryPointer(x_, root_, &root, &child, &rootX, &rootY, &x, &y, &mask) && child) {
    std::lock_guard lock(mutex_);
    if (FindX(child)) return;
  }
  if (Sink* sink = CurrentSink()) sink->PointerLeft();
}

// The window manager's frame became known or changed: every managed
// window keeps its client area where it is and gets the new frame around it.
void X11Display::FrameExtentsChanged(Window from) {
  std::vector<std::pair<HWND, RECT>> moved;
  {
    std::lock_guard lock(mutex_);
    if (from != probe_ && !FindX(from)) return;
    const bool changed = ReadFrameExtents(from);
    if (from == probe_) {
      XDestroyWindow(x_, probe_);
      probe_ = 0;
    }
    if (!changed) return;
    const RECT e = extents_;
    for (auto& [h, r] : windows_) {
      if (!r.managed || !r.xid) continue;
      int x = r.rect.left + r.inset.x, y = r.rect.top + r.inset.y;
      Window child;
      if (r.mapped) XTranslateCoordinates(x_, r.xid, root_, 0, 0, &x, &y, &child);
      r.inset = POINT{e.left, e.top};
      r.rect = RECT{x - e.left, y - e.top, x + r.size.cx + e.right, y + r.size.cy + e.bottom};
      moved.emplace_back(h, r.rect);
    }
  }
  if (Sink* sink = CurrentSink())
    for (const auto& [h, rect] : moved) sink->Moved(h, rect);
}

Cursor X11Display::CursorFor(int cursorId) {
  if (!cursorId) return 0;
  if (auto it = cursors_.find(cursorId); it != cursors_.end()) return it->second;
  const CursorLook* shape = CursorLookOf(cursorId);
  if (!shape) shape = CursorLookOf(32512);
  // The desktop's cursor theme first; the core cursor font when there is none.
  Cursor c = XcursorLibraryLoadCursor(x_, shape->themeName);
  if (!c) c = XCreateFontCursor(x_, shape->coreShape);
  cursors_[cursorId] = c;
  return c;
}

void X11Display::CursorChanged(int cursorId) {
  std::lock_guard lock(mutex_);
  if (cursorId == cursorId_) return;
  cursorId_ = cursorId;
  const Cursor c = CursorFor(cursorId);
  for (auto& [h, r] : windows_)
    if (r.xid) XDefineCursor(x_, r.xid, c);
  XFlush(x_);
}

}  // namespace display::x11
