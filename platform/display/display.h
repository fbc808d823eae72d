// Display back-ends: where top-level windows' surfaces go. The window system
// tells the current back-end when a top-level window is placed, shown or
// hidden, destroyed, and which part of its surface changed. The headless
// back-end (the default, and always in tests) keeps a virtual screen of fixed
// size at 96 dpi and records what it is told; the X11 back-end puts the
// surfaces on a real screen and reports the desktop's input through a Sink
// the window system installs. Back-ends know nothing of the layers above.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/types.h"

namespace gdi {
struct Bitmap;
}

namespace display {

// What a back-end needs to know of a top-level window before showing it.
struct WindowTraits {
  std::u16string title;
  std::u16string className;
  HWND owner = nullptr;
  // Framed by the desktop's window manager (captioned and overlapped
  // windows); the others (menus, drop-down lists, tooltips) are popups the
  // back-end places itself.
  bool managed = true;
  bool modal = false;      // its owner is disabled while it is shown
  bool resizable = true;
  // Whether the frame offers to minimise and to maximise it (a dialog
  // offers neither).
  bool minimizable = true;
  bool maximizable = true;
  SIZE minSize{0, 0};      // window sizes; 0 = none
  SIZE maxSize{0, 0};
  // The window's icon as 32-bit blue-green-red-alpha rows, top first; empty for none.
  SIZE iconSize{0, 0};
  std::vector<DWORD> iconPixels;
};

enum class Button { Left, Right, Middle };

// Where a back-end reports what happens on the desktop, on the thread that
// reads the display (the thread of the queue the back-end feeds).
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void MouseMove(POINT screen) = 0;
  virtual void MouseButton(Button button, bool down, POINT screen) = 0;
  virtual void MouseWheel(POINT screen, int delta, bool horizontal) = 0;
  // A key with its virtual-key code (0 for none) and the text the keyboard
  // mapping or the input method makes of it (empty for none).
  virtual void Key(int virtualKey, bool down, std::u16string_view text) = 0;
  // The desktop moved or sized a top-level window (its window rectangle).
  virtual void Moved(HWND window, const RECT& screenRect) = 0;
  virtual void CloseAsked(HWND window) = 0;
  virtual void Activated(HWND window) = 0;
  // Another program took the activation (the focus left the process).
  virtual void Deactivated() = 0;
  // The pointer left the process's windows for another program's or the desktop.
  virtual void PointerLeft() = 0;
  // The input method's text being composed (empty: the composition ended
  // without text), with the caret in it; and the text it gives at the end.
  virtual void Composition(std::u16string_view text, int caret) = 0;
  virtual void CompositionResult(std::u16string_view text) = 0;
  virtual WindowTraits Traits(HWND window) = 0;
  // The clipboard as the desktop sees it: text (UTF-16) and a picture (a
  // packed device-independent bitmap: BITMAPINFOHEADER, colours, pixels).
  virtual std::u16string ClipboardText() = 0;
  virtual std::vector<BYTE> ClipboardPicture() = 0;
};

class Display {
 public:
  virtual ~Display() = default;
  virtual const char* Name() const = 0;
  virtual SIZE ScreenSize() const = 0;
  // The part of the screen for windows (without panels and task bars).
  virtual RECT WorkArea() const = 0;
  virtual int Dpi() const { return 96; }
  // The thickness of the desktop's frame around a managed top-level window
  // (left, top, right, bottom); all zero when the window system draws its
  // own frames (headless) or the desktop has no window manager.
  virtual bool FramesTopLevels() const { return false; }
  virtual RECT FrameExtents() const { return RECT{}; }
  // A top-level window's rectangle on the screen and whether it is shown.
  virtual void WindowPlaced(HWND window, const RECT& screenRect, bool shown) = 0;
  virtual void WindowDestroyed(HWND window) = 0;
  // Part of a top-level window's surface changed (surface coordinates); its
  // pixels are read later, when the back-end next puts them on the screen.
  virtual void SurfaceChanged(HWND window, const std::shared_ptr<gdi::Bitmap>& surface, const RECT& surfaceRect) = 0;
  virtual void TitleChanged(HWND window, std::u16string_view title) {}
  // A top-level window's icon changed (WM_SETICON): 32-bit rows as in WindowTraits, empty for none.
  virtual void IconChanged(HWND window, SIZE size, const std::vector<DWORD>& pixels) {}
  virtual void WindowActivated(HWND window) {}
  // The mouse is captured by a window of this top-level window (null: released).
  virtual void CaptureChanged(HWND topLevel) {}
  // The cursor shown over the process's windows (an IDC_* number, 0 = none).
  virtual void CursorChanged(int cursorId) {}
  // The process's clipboard changed: the desktop's clipboard now takes it
  // from this process.
  virtual void ClipboardChanged() {}
  // The desktop's clipboard when another program owns it (the process's own
  // clipboard answers otherwise): false when there is nothing of that kind.
  virtual bool ForeignClipboardText(std::u16string& text) { return false; }
  virtual bool ForeignClipboardPicture(std::vector<BYTE>& dib) { return false; }
  // Waiting: the descriptor the calling thread waits on besides its queue
  // (-1 for none), and reading what arrived (reported through the sink) and
  // putting changed surfaces on the screen, without waiting.
  virtual int WaitDescriptor() { return -1; }
  virtual void Pump() {}
};

// What the headless display knows of a top-level window.
struct HeadlessWindow {
  HWND window = nullptr;
  RECT screenRect{};
  bool shown = false;
  RECT damage{};  // changed parts since the last TakeDamage, their union
};

class HeadlessDisplay final : public Display {
 public:
  const char* Name() const override { return "headless"; }
  SIZE ScreenSize() const override;
  RECT WorkArea() const override;
  void WindowPlaced(HWND window, const RECT& screenRect, bool shown) override;
  void WindowDestroyed(HWND window) override;
  void SurfaceChanged(HWND window, const std::shared_ptr<gdi::Bitmap>& surface, const RECT& surfaceRect) override;
  // The windows it knows, and the damage of one (cleared by taking it).
  std::vector<HeadlessWindow> Windows() const;
  RECT TakeDamage(HWND window);

 private:
  HeadlessWindow& Entry(HWND window);
  mutable std::mutex mutex_;
  std::vector<HeadlessWindow> windows_;
};

// The back-end in use: headless unless another was installed.
Display& Current();
// Installs a back-end (tests and start-up); null puts back the headless one.
void Install(std::unique_ptr<Display> display);
// The headless back-end when it is the current one, else null.
HeadlessDisplay* Headless();

// The window system's sink (installed once, at start-up of the user area).
void SetSink(Sink* sink);
Sink* CurrentSink();

// Opens the X11 back-end on a display name (null = $DISPLAY); null and a
// message in `error` when the display cannot be opened. `sharedMemory` false
// puts surfaces on the screen without the shared-memory extension, as for a
// remote display.
std::unique_ptr<Display> OpenX11(const char* name, std::string& error, bool sharedMemory = true);
// Start-up's choice: X11 when DISPLAY is set and TAV_DISPLAY is not
// "headless", headless otherwise (or when the display cannot be opened, with
// a message on stderr). Tests never call it, so they stay headless.
void InstallFromEnvironment();

}  // namespace display
