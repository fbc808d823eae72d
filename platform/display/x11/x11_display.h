// Inside the X11 back-end: the connection, one X window per top-level
// window, the images that carry surfaces to the screen, the clipboard
// selection. Xlib's names stay in this folder.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The layer's headers come before Xlib's, whose macros (None, Bool, Status,
// Success...) would otherwise rename the layer's own names.
#include "platform/display/display.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/kernel/byte_reader.h"
#include "platform/nls/nls.h"
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
// clang-format on

namespace display::x11 {

struct Atoms {
  Atom wmProtocols, wmDeleteWindow, netWmPing, netWmName, netWmIconName, utf8String, netWmPid, netWmState,
      netWmStateModal, netWmWindowType, typeNormal, typeDialog, typePopupMenu, netFrameExtents,
      netRequestFrameExtents, netWorkarea, netActiveWindow, netWmIcon, netSupportingWmCheck, clipboard, targets,
      text, string, incr, imagePng, transfer, wmClientMachine, motifWmHints;
  void Intern(::Display* x);
};

// Reports X errors: outside a trap on stderr; inside one, to the trap, and
// the call that made them fails.
class ErrorTrap {
 public:
  explicit ErrorTrap(::Display* x);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Waits for the server to answer everything sent so far.
  bool Failed();

 private:
  ::Display* x_;
  ErrorTrap* outer_;
};
void InstallErrorHandlers();

// The pixels of a top-level window's X window, in the server's format, put
// on the screen through shared memory when the server offers it.
class Image {
 public:
  Image(::Display* x, Visual* visual, int depth, int width, int height, bool sharedMemory);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  bool Valid() const { return image_ != nullptr; }
  bool Shared() const { return shared_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies a part of a 32-bit surface (blue-green-red rows) into the image:
  // `from` in surface coordinates, `to` the image point it lands on.
  void CopyFrom(const gdi::Bitmap& surface, const RECT& from, POINT to);
  void Put(Drawable target, GC gc, const RECT& part);

 private:
  ::Display* x_;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  bool shared_ = false;
  int width_ = 0;
  int height_ = 0;
  bool native_ = false;  // the server's pixels are blue-green-red-x bytes
};

struct WindowRecord {
  HWND hwnd = nullptr;
  Window xid = 0;
  bool managed = true;
  bool shown = false;
  bool mapped = false;
  RECT rect{};     // the window rectangle the layer knows
  POINT inset{};   // where the X window's pixels start on the surface
  SIZE size{};     // the X window's size
  // A framed window the user may not size (a dialog): its size hints say
  // so with a minimum and a maximum of its own size, kept as it is placed.
  bool fixedSize = false;
  std::weak_ptr<gdi::Bitmap> surface;
  RECT damage{};   // surface coordinates, not yet on the screen
  std::unique_ptr<Image> image;
};

// One outgoing transfer of a large selection in pieces (INCR).
struct Transfer {
  Window requestor = 0;
  Atom property = 0;
  Atom type = 0;
  std::vector<unsigned char> data;
  size_t sent = 0;
};

class X11Display final : public Display {
 public:
  X11Display(::Display* x, bool sharedMemory);
  ~X11Display() override;

  const char* Name() const override { return "x11"; }
  SIZE ScreenSize() const override;
  RECT WorkArea() const override;
  int Dpi() const override;
  bool FramesTopLevels() const override { return true; }
  RECT FrameExtents() const override;
  void WindowPlaced(HWND window, const RECT& screenRect, bool shown) override;
  void WindowDestroyed(HWND window) override;
  void SurfaceChanged(HWND window, const std::shared_ptr<gdi::Bitmap>& surface, const RECT& surfaceRect) override;
  void TitleChanged(HWND window, std::u16string_view title) override;
  void IconChanged(HWND window, SIZE size, const std::vector<DWORD>& pixels) override;
  void WindowActivated(HWND window) override;
  void CaptureChanged(HWND topLevel) override;
  void CursorChanged(int cursorId) override;
  void ClipboardChanged() override;
  bool ForeignClipboardText(std::u16string& text) override;
  bool ForeignClipboardPicture(std::vector<BYTE>& dib) override;
  int WaitDescriptor() override;
  void Pump() override;

  // The input method's composition (x11_preedit.cpp), from its callbacks:
  // started, a part of the text replaced (positions in characters), ended;
  // and the text it gave, which ends a composition.
  void PreeditStarted();
  void PreeditDrawn(int first, int length, std::u32string_view text, int caret);
  void PreeditDone();
  void TextGiven(std::u16string_view text, int virtualKey);
  // A composition that ended without giving text: cancelled.
  void EndComposition();
  // The input method's server went away with the method and its context.
  void InputMethodGone();
  bool Composing() const { return composing_; }
  // Whether keys go through an input-method server (else Xlib's own method).
  bool UsesInputMethodServer() const { return serverInputMethod_; }

  // For tests and the benchmark: the X window of a top-level window, and
  // whether surfaces go through shared memory.
  Window XWindowOf(HWND window);
  bool Mapped(HWND window);
  bool UsesSharedMemory() const { return sharedMemory_; }
  ::Display* Connection() const { return x_; }

 private:
  bool OnOwnerThread() const { return std::this_thread::get_id() == owner_; }
  WindowRecord* Find(HWND window);
  WindowRecord* FindX(Window xid);
  void Create(WindowRecord& r, const WindowTraits& traits);
  void SetProperties(WindowRecord& r, const WindowTraits& traits);
  void SetIcon(WindowRecord& r, SIZE size, const std::vector<DWORD>& pixels);
  // _NET_WM_STATE of a window about to be mapped (the window manager owns
  // it while the window is mapped): modal or nothing.
  void SetModal(WindowRecord& r, bool modal);
  void Place(WindowRecord& r, const RECT& rect);
  void Flush();
  // Events another thread's call took from the connection wait in Xlib's
  // queue, where the reading thread's wait on the connection cannot see
  // them: that thread wakes the reader through a pipe in its wait set.
  void NudgeOwner();
  void DrainNudges();
  void OpenWaitSet();
  void CloseWaitSet();
  void PutDamage(WindowRecord& r);
  void Handle(XEvent& e);
  void HandleKey(XKeyEvent& e, bool down);
  void HandleConfigure(const XConfigureEvent& e);
  void HandleFocus(const XFocusChangeEvent& e);
  void HandleLeave(const XCrossingEvent& e);
  // The input method XMODIFIERS names, else Xlib's own (compose tables), and
  // its input context; again after a server went away.
  void OpenInputMethod();
  // An input context that reports the composition through callbacks when
  // the input method offers that, else one that shows it itself.
  XIC CreateInputContext();
  bool ReadFrameExtents(Window xid);
  void FrameExtentsChanged(Window from);
  void RequestFrameExtents();
  Cursor CursorFor(int cursorId);
  // The clipboard selection (x11_clipboard.cpp).
  void ServeSelection(const XSelectionRequestEvent& e);
  void ContinueTransfer(const XPropertyEvent& e);
  bool Fetch(Atom target, std::vector<unsigned char>& data);
  bool WaitForEvent(const std::function<bool(const XEvent&)>& wanted, XEvent& got, int milliseconds);

  ::Display* x_;
  int screen_;
  Visual* visual_;
  int depth_;
  Window root_;
  GC gc_;
  Atoms atoms_{};
  XIM im_ = nullptr;
  XIC ic_ = nullptr;
  XIMCallback startCallback_{}, drawCallback_{}, doneCallback_{}, caretCallback_{}, destroyCallback_{};
  bool composing_ = false;
  bool ending_ = false;  // the composition ended or was erased; its text may still come
  std::u16string shownComposition_;  // what the focus window was given last
  int shownCaret_ = 0;
  bool reopenInputMethod_ = false;
  bool serverInputMethod_ = false;
  std::u32string preedit_;  // the text being composed, in characters
  int preeditCaret_ = 0;
  Window clipboardWindow_ = 0;
  Window probe_ = 0;  // asks the window manager for its frame before any window is shown
  Time lastTime_ = CurrentTime;
  bool sharedMemory_;
  bool hasWindowManager_ = false;
  RECT extents_{};
  std::thread::id owner_;
  std::recursive_mutex mutex_;
  std::map<HWND, WindowRecord> windows_;
  std::map<int, Cursor> cursors_;
  int cursorId_ = 0;
  HWND wantFocus_ = nullptr;
  bool ownsClipboard_ = false;
  int nudge_[2] = {-1, -1};
  int waitSet_ = -1;  // epoll: the connection and the nudge pipe
  std::vector<Transfer> transfers_;
};

// Keys: the virtual-key code of a key symbol (0 for none) and the character
// a key symbol stands for (0 for none).
int VirtualKeyOf(KeySym symbol);
char32_t CharacterOf(KeySym symbol);

// Cursors: the theme's name and the core font's shape of an IDC_* number.
struct CursorLook {
  int id;
  const char* themeName;
  unsigned coreShape;
};
const CursorLook* CursorLookOf(int cursorId);

// Pictures on the clipboard: a packed DIB to PNG and back (false when the
// picture cannot be converted).
bool DibToPng(const std::vector<BYTE>& dib, std::vector<unsigned char>& png);
bool PngToDib(const std::vector<unsigned char>& png, std::vector<BYTE>& dib);

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace display::x11
