// What a display back-end reports from the desktop, turned into device input
// and window changes: the window system's side of the display interface.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/clipboard.h"
#include "platform/user/input_events.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

constexpr int kProcessKey = 0xE5;  // VK_PROCESSKEY: the text comes from the input method

bool IsControlText(std::u16string_view text) {
  return text.size() == 1 && (text[0] < 0x20 || text[0] == 0x7F);
}

// The icon the desktop shows for a window (under the user lock): its own
// large one, else its small one, else its class's.
HICON ShownIcon(const Window& w) {
  if (w.bigIcon) return w.bigIcon;
  if (w.smallIcon) return w.smallIcon;
  return w.cls ? w.cls->icon : nullptr;
}

class WindowSystemSink final : public display::Sink {
 public:
  void MouseMove(POINT screen) override { DeviceMouseMove(screen); }

  void MouseButton(display::Button button, bool down, POINT screen) override {
    const user::MouseButton b = button == display::Button::Left    ? user::MouseButton::Left
                          : button == display::Button::Right ? user::MouseButton::Right
                                                             : user::MouseButton::Middle;
    DeviceMouseButton(b, down, screen);
  }

  void MouseWheel(POINT screen, int delta, bool horizontal) override { DeviceMouseWheel(screen, delta, horizontal); }

  // A key whose text is what TranslateMessage makes of it goes in as the key
  // alone; other text (another keyboard layout, a composed or input-method
  // character) comes as VK_PROCESSKEY followed by the characters, so nothing
  // is typed twice.
  void Key(int virtualKey, bool down, std::u16string_view text) override {
    if (!down || text.empty() || IsControlText(text)) {
      if (virtualKey) DeviceKey(virtualKey, down);
      return;
    }
    const bool shift = GetAsyncKeyState(VK_SHIFT) < 0;
    const bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    const bool control = GetAsyncKeyState(VK_CONTROL) < 0 && GetAsyncKeyState(VK_MENU) >= 0;
    if (virtualKey && text.size() == 1 && CharForKey(virtualKey, shift, caps, control) == text[0]) {
      DeviceKey(virtualKey, true);
      return;
    }
    DeviceKey(kProcessKey, true);
    DeviceKey(kProcessKey, false);
    for (char16_t c : text) DeviceChar(c);
  }

  void Moved(HWND window, const RECT& r) override {
    RECT now{};
    if (!GetWindowRect(window, &now)) return;
    if (EqualRect(&now, &r)) return;
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void CloseAsked(HWND window) override { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

  // Activation is the window's thread's to change: it hears of it there.
  void Activated(HWND window) override { DeviceActivated(window); }
  void Deactivated() override { DeviceDeactivated(); }
  void PointerLeft() override { DeviceMouseLeft(); }
  void Composition(std::u16string_view text, int caret) override { DeviceComposition(text, caret); }
  void CompositionResult(std::u16string_view text) override { DeviceCompositionResult(text); }

  display::WindowTraits Traits(HWND window) override {
    display::WindowTraits t;
    WindowPtr w = FindWinQuiet(window);
    if (!w) return t;
    DWORD style;
    HICON icon;
    {
      UserLock lock;
      t.title = w->text;
      if (w->cls) t.className = w->cls->name;
      style = w->style;
      icon = ShownIcon(*w);
      t.owner = w->owner;
    }
    t.managed = DesktopFramed(style) || !(style & WS_POPUP);
    t.modal = t.owner && !IsWindowEnabled(t.owner);
    t.resizable = (style & WS_THICKFRAME) != 0;
    t.minimizable = (style & WS_MINIMIZEBOX) != 0;
    t.maximizable = (style & WS_MAXIMIZEBOX) != 0;
    RECT r{};
    GetWindowRect(window, &r);
    if (t.resizable) {
      MINMAXINFO mmi{};
      mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
      mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
      SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
      t.minSize = SIZE{mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y};
      t.maxSize = SIZE{mmi.ptMaxTrackSize.x, mmi.ptMaxTrackSize.y};
    } else {
      t.minSize = t.maxSize = SIZE{r.right - r.left, r.bottom - r.top};
    }
    if (auto image = icon ? FindIcon(icon) : nullptr) {
      t.iconSize = SIZE{image->width, image->height};
      t.iconPixels = image->pixels;
    }
    return t;
  }


  std::u16string ClipboardText() override {
    std::u16string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      const auto* p = static_cast<const char16_t*>(GlobalLock(h));
      const size_t most = GlobalSize(h) / sizeof(char16_t);
      if (p) text.assign(p, std::find(p, p + most, u'\0'));
      GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
  }

  std::vector<BYTE> ClipboardPicture() override {
    std::vector<BYTE> dib;
    if (!OpenClipboard(nullptr)) return dib;
    if (HANDLE h = GetClipboardData(CF_DIB)) {
      const auto* p = static_cast<const BYTE*>(GlobalLock(h));
      if (p) dib.assign(p, p + GlobalSize(h));
      GlobalUnlock(h);
    }
    CloseClipboard();
    return dib;
  }
};

}  // namespace

void TellDisplayIcon(HWND window) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return;
  HICON icon;
  {
    UserLock lock;
    if (!w->parent || !w->parent->desktop) return;  // only top-level windows have one on the desktop
    icon = ShownIcon(*w);
  }
  SIZE size{0, 0};
  std::vector<DWORD> pixels;
  if (auto image = icon ? FindIcon(icon) : nullptr) {
    size = SIZE{image->width, image->height};
    pixels = image->pixels;
  }
  display::Current().IconChanged(window, size, pixels);
}

namespace {

const bool g_sinkInstalled = [] {
  static auto* sink = new WindowSystemSink;
  display::SetSink(sink);
  return true;
}();

}  // namespace
}  // namespace user
