// The CLIPBOARD selection, both ways: the process's clipboard offered to
// other programs (text as UTF8_STRING, TEXT and STRING, a picture as
// image/png), and another program's taken in; large data in pieces (INCR).
#include <X11/Xatom.h>

#include <algorithm>

#include "platform/display/x11/x11_display.h"

namespace display::x11 {
namespace {

constexpr int kReplyMilliseconds = 3000;  // a program that owns the clipboard but does not answer

// The most bytes one property change may carry before INCR is used.
size_t MostInOneRequest(::Display* x) {
  const long words = XExtendedMaxRequestSize(x) ? XExtendedMaxRequestSize(x) : XMaxRequestSize(x);
  return static_cast<size_t>(std::min<long>(words * 4 - 100, 256 * 1024));
}

}  // namespace

void X11Display::ClipboardChanged() {
  if (!OnOwnerThread()) return;
  XSetSelectionOwner(x_, atoms_.clipboard, clipboardWindow_, lastTime_);
  ownsClipboard_ = XGetSelectionOwner(x_, atoms_.clipboard) == clipboardWindow_;
  if (!ownsClipboard_) std::fprintf(stderr, "tavrendel: the display did not give this program the clipboard\n");
}

void X11Display::ServeSelection(const XSelectionRequestEvent& req) {
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = x_;
  reply.requestor = req.requestor;
  reply.selection = req.selection;
  reply.target = req.target;
  reply.time = req.time;
  reply.property = None;
  // Old clients ask with no property: the target names it (ICCCM 2.2).
  const Atom property = req.property != None ? req.property : req.target;
  Sink* sink = CurrentSink();
  if (req.selection == atoms_.clipboard && ownsClipboard_ && sink) {
    if (req.target == atoms_.targets) {
      std::vector<Atom> targets{atoms_.targets};
      if (!sink->ClipboardText().empty()) targets.insert(targets.end(), {atoms_.utf8String, atoms_.text, atoms_.string});
      std::vector<unsigned char> png;
      if (DibToPng(sink->ClipboardPicture(), png)) targets.push_back(atoms_.imagePng);
      XChangeProperty(x_, req.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(targets.data()), static_cast<int>(targets.size()));
      reply.property = property;
    } else {
      std::vector<unsigned char> data;
      Atom type = req.target;
      bool have = false;
      if (req.target == atoms_.utf8String || req.target == atoms_.text || req.target == atoms_.string) {
        const std::u16string text = sink->ClipboardText();
        if (!text.empty()) {
          std::string bytes = ToUtf8(text);
          if (req.target == atoms_.string) {
            // STRING is Latin-1: characters beyond it become '?'.
            bytes.clear();
            for (char16_t c : text) bytes += c < 0x100 ? static_cast<char>(c) : '?';
          }
          if (req.target == atoms_.text) type = atoms_.utf8String;
          data.assign(bytes.begin(), bytes.end());
          have = true;
        }
      } else if (req.target == atoms_.imagePng) {
        have = DibToPng(sink->ClipboardPicture(), data);
      }
      if (have) {
        if (data.size() > MostInOneRequest(x_)) {
          // In pieces: the requestor deletes the property to ask for the next.
          const long size = static_cast<long>(data.size());
          XSelectInput(x_, req.requestor, PropertyChangeMask);
          XChangeProperty(x_, req.requestor, property, atoms_.incr, 32, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(&size), 1);
          transfers_.push_back(Transfer{req.requestor, property, type, std::move(data), 0});
        } else {
          XChangeProperty(x_, req.requestor, property, type, 8, PropModeReplace, data.data(),
                          static_cast<int>(data.size()));
        }
        reply.property = property;
      }
    }
  }
  XSendEvent(x_, req.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
  XFlush(x_);
}

void X11Display::ContinueTransfer(const XPropertyEvent& e) {
  if (e.state != PropertyDelete) return;
  for (auto it = transfers_.begin(); it != transfers_.end(); ++it) {
    if (it->requestor != e.window || it->property != e.atom) continue;
    const size_t chunk = std::min(MostInOneRequest(x_), it->data.size() - it->sent);
    // The last piece is an empty one.
    XChangeProperty(x_, it->requestor, it->property, it->type, 8, PropModeReplace, it->data.data() + it->sent,
                    static_cast<int>(chunk));
    it->sent += chunk;
    if (chunk == 0) {
      XSelectInput(x_, it->requestor, NoEventMask);
      transfers_.erase(it);
    }
    XFlush(x_);
    return;
  }
}

// Another program's clipboard in one target: asks, waits for the answer
// (leaving other events for later), and reads it, in pieces if need be.
bool X11Display::Fetch(Atom target, std::vector<unsigned char>& data) {
  if (!OnOwnerThread()) return false;
  const Window owner = XGetSelectionOwner(x_, atoms_.clipboard);
  if (owner == None || owner == clipboardWindow_) return false;
  const Atom property = atoms_.transfer;
  XDeleteProperty(x_, clipboardWindow_, property);
  XConvertSelection(x_, atoms_.clipboard, target, property, clipboardWindow_, lastTime_);
  XEvent got;
  const Window me = clipboardWindow_;
  if (!WaitForEvent([&](const XEvent& e) { return e.type == SelectionNotify && e.xselection.requestor == me; }, got,
                    kReplyMilliseconds))
    return false;
  if (got.xselection.property == None) return false;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* bytes = nullptr;
  if (XGetWindowProperty(x_, me, property, 0, 0x7FFFFFFF, True, AnyPropertyType, &type, &format, &count, &after,
                         &bytes) != Success)
    return false;
  const bool incr = type == atoms_.incr;
  if (!incr && bytes) data.assign(bytes, bytes + count * static_cast<unsigned long>(format / 8));
  if (bytes) XFree(bytes);
  if (!incr) return type != None;
  // Pieces: each arrives as a new value of the property, which deleting asks for the next.
  data.clear();
  for (;;) {
    if (!WaitForEvent(
            [&](const XEvent& e) {
              return e.type == PropertyNotify && e.xproperty.window == me && e.xproperty.atom == property &&
                     e.xproperty.state == PropertyNewValue;
            },
            got, kReplyMilliseconds))
      return false;
    bytes = nullptr;
    if (XGetWindowProperty(x_, me, property, 0, 0x7FFFFFFF, True, AnyPropertyType, &type, &format, &count, &after,
                           &bytes) != Success)
      return false;
    const size_t size = count * static_cast<unsigned long>(format / 8);
    if (bytes) {
      data.insert(data.end(), bytes, bytes + size);
      XFree(bytes);
    }
    if (size == 0) return true;
  }
}

bool X11Display::ForeignClipboardText(std::u16string& text) {
  std::vector<unsigned char> bytes;
  if (!Fetch(atoms_.utf8String, bytes)) return false;
  text = FromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return true;
}

bool X11Display::ForeignClipboardPicture(std::vector<BYTE>& dib) {
  std::vector<unsigned char> png;
  if (!Fetch(atoms_.imagePng, png)) return false;
  return PngToDib(png, dib);
}

}  // namespace display::x11
