// Typing through a real input-method server: uim's XIM bridge runs on the
// test's X server, xdotool presses the keys, and what the server composes
// reaches the program's edit controls as the window system delivers it
// (WM_IME_* for the composition, WM_CHAR for its text). Without a server the
// keys still type, through Xlib's own compose tables.
#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "tests/platform/x11/x11_fixture.h"
#include "tests/platform/x11/x11_input_method.h"

namespace {

using x11test::InputMethodServer;
using x11test::ScopedEnvironment;
using x11test::X11Fixture;

struct Heard {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::u16string text;  // the composition (GCS_COMPSTR) or its result (GCS_RESULTSTR)
};
std::vector<Heard> g_heard;
WNDPROC g_editProc = nullptr;

std::u16string CompositionText(HWND window, DWORD which) {
  HIMC context = ImmGetContext(window);
  const LONG bytes = ImmGetCompositionStringW(context, which, nullptr, 0);
  std::u16string text(static_cast<size_t>(bytes > 0 ? bytes : 0) / sizeof(char16_t), u'\0');
  if (!text.empty())
    ImmGetCompositionStringW(context, which, text.data(), static_cast<DWORD>(text.size() * sizeof(char16_t)));
  ImmReleaseContext(window, context);
  return text;
}

LRESULT ListeningEdit(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_CHAR: g_heard.push_back(Heard{message, wParam, lParam, {}}); break;
    case WM_IME_COMPOSITION: {
      std::u16string text;
      if (lParam & GCS_RESULTSTR) text = CompositionText(w, GCS_RESULTSTR);
      else if (lParam & GCS_COMPSTR) text = CompositionText(w, GCS_COMPSTR);
      g_heard.push_back(Heard{message, wParam, lParam, text});
      break;
    }
    default: break;
  }
  return CallWindowProcW(g_editProc, w, message, wParam, lParam);
}

std::vector<Heard> HeardOf(UINT message) {
  std::vector<Heard> out;
  for (const auto& h : g_heard)
    if (h.message == message) out.push_back(h);
  return out;
}

// What the edit shows with the composition's parts that came to it.
std::vector<std::u16string> Compositions() {
  std::vector<std::u16string> out;
  for (const auto& h : HeardOf(WM_IME_COMPOSITION))
    if (h.lParam & GCS_COMPSTR) out.push_back(h.text);
  return out;
}

// Gives the dead keys keycodes of their own before any client starts, as a
// keyboard with them has: xdotool would otherwise bind a spare keycode for
// each press and take it back at once, before a client that reads the key
// later (the input-method server) has looked it up.
bool BindDeadKeys(const std::string& name) {
  ::Display* x = XOpenDisplay(name.c_str());
  if (!x) return false;
  int first = 0, last = 0, perCode = 0;
  XDisplayKeycodes(x, &first, &last);
  KeySym* map = XGetKeyboardMapping(x, static_cast<KeyCode>(first), last - first + 1, &perCode);
  std::vector<KeySym> wanted{XStringToKeysym("dead_acute"), XStringToKeysym("dead_grave")};
  for (int code = last; code >= first && !wanted.empty(); --code) {
    bool unused = true;
    for (int i = 0; i < perCode; ++i) unused = unused && map[(code - first) * perCode + i] == NoSymbol;
    if (!unused) continue;
    KeySym symbol = wanted.back();
    XChangeKeyboardMapping(x, code, 1, &symbol, 1);
    wanted.pop_back();
  }
  XFree(map);
  XSync(x, False);
  XCloseDisplay(x);
  return wanted.empty();
}

class X11InputMethod : public X11Fixture {
 protected:
  // An X server, the input-method server with `engine` (none: no server, and
  // XMODIFIERS naming one that does not run), and our display on both.
  void Start(const char* engine) {
    g_heard.clear();
    server_ = std::make_unique<x11test::Server>(x11test::Server::Options{});
    ASSERT_TRUE(server_->Running()) << "Xvfb did not start";
    ASSERT_TRUE(BindDeadKeys(server_->Name()));
    if (engine) {
      im_ = std::make_unique<InputMethodServer>(*server_, engine);
      ASSERT_TRUE(im_->Running()) << "uim-xim did not start (scripts/install-deps.sh installs it and a UTF-8 locale)";
    }
    const ScopedEnvironment modifiers("XMODIFIERS", engine ? InputMethodServer::kModifiers : "@im=tav-absent");
    std::string error;
    std::unique_ptr<display::Display> d = display::OpenX11(server_->Name().c_str(), error, true);
    ASSERT_TRUE(d) << error;
    x11_ = static_cast<display::x11::X11Display*>(d.get());
    display::Install(std::move(d));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = u"TavX11InputMethod";
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, u"TavX11InputMethod", u"Input method", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 160,
                              nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window_);
  }
  void MakeEdit(const char16_t* className) {
    edit_ = CreateWindowExW(0, className, u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 260, 40, window_, nullptr,
                            nullptr, nullptr);
    ASSERT_TRUE(edit_);
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListeningEdit)));
    ASSERT_TRUE(WaitUntil([&] { return x11_->Mapped(window_) && GetActiveWindow() == window_; }));
    SetFocus(edit_);
    Settle();
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
    X11Fixture::TearDown();  // the display closes before the servers stop
    im_.reset();
  }
  std::u16string Text() const {
    char16_t buffer[128] = {};
    GetWindowTextW(edit_, buffer, 128);
    return buffer;
  }
  // Presses keys, then runs the queue until the edit shows `expected` (the
  // answer of the input-method server comes in its own time).
  void TypeUntil(const std::vector<std::string>& keys, const std::u16string& expected) {
    std::vector<std::string> args{"key", "--delay", "30"};
    args.insert(args.end(), keys.begin(), keys.end());
    Xdotool(args);
    EXPECT_TRUE(WaitUntil([&] { return Text() == expected && !x11_->Composing(); })) << Heard();
    Settle();
  }

  // The edit's text and what it heard, for a failure's message.
  std::string Heard() const {
    std::string out = "text:";
    for (char16_t c : Text()) out += " " + std::to_string(c);
    for (const auto& h : g_heard) {
      out += "\n  message " + std::to_string(h.message) + " " + std::to_string(h.wParam) + " " +
             std::to_string(h.lParam) + " text:";
      for (char16_t c : h.text) out += " " + std::to_string(c);
    }
    return out;
  }
  using Server = x11test::Server;
  std::unique_ptr<InputMethodServer> im_;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

// A dead key and a letter: the server shows the accent while it waits
// (on-the-spot, through the composition callbacks), then gives "é".
TEST_F(X11InputMethod, ServerComposesADeadKeyIntoAnEdit) {
  const std::string locale = std::setlocale(LC_CTYPE, nullptr);
  Start("latin");
  // The method is opened in UTF-8; the program keeps its own character type.
  EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), locale);
  EXPECT_TRUE(x11_->UsesInputMethodServer());
  MakeEdit(u"Edit");
  TypeUntil({"dead_acute", "e"}, u"é");
  EXPECT_EQ(Compositions(), std::vector<std::u16string>{u"\u00B4"});
  const auto results = HeardOf(WM_IME_COMPOSITION);
  ASSERT_FALSE(results.empty());
  EXPECT_TRUE(results.back().lParam & GCS_RESULTSTR);
  EXPECT_EQ(results.back().text, u"é");
  EXPECT_EQ(HeardOf(WM_IME_STARTCOMPOSITION).size(), 1u);
  EXPECT_EQ(HeardOf(WM_IME_ENDCOMPOSITION).size(), 1u);
  const auto chars = HeardOf(WM_CHAR);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>(0xE9));
  // Plain letters pass through the server as typed.
  g_heard.clear();
  TypeUntil({"a", "shift+b"}, u"éaB");
  EXPECT_TRUE(HeardOf(WM_IME_STARTCOMPOSITION).empty());
  EXPECT_EQ(HeardOf(WM_CHAR).size(), 2u);
}

// Pinyin to a Chinese character: the rich edit shows the letters and then
// the candidate in place while the server converts, and the chosen
// character is the text, one step to undo.
TEST_F(X11InputMethod, ServerConvertsPinyinIntoARichEdit) {
  Start("py");
  MakeEdit(u"RichEdit20W");
  // Shift+Space turns the method on; the letters stay in the composition.
  Xdotool({"key", "--delay", "30", "shift+space", "z", "h", "o", "n"});
  EXPECT_TRUE(WaitUntil([&] { return Text() == u"zhon"; }));
  EXPECT_TRUE(x11_->Composing());
  Xdotool({"key", "g"});
  EXPECT_TRUE(WaitUntil([&] { return Text() == u"中"; }));
  EXPECT_TRUE(x11_->Composing());
  TypeUntil({"Return"}, u"中");
  const std::vector<std::u16string> shown = Compositions();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), u"z");
  EXPECT_EQ(shown.back(), u"中");
  const auto compositions = HeardOf(WM_IME_COMPOSITION);
  EXPECT_TRUE(compositions.back().lParam & GCS_RESULTSTR);
  EXPECT_EQ(compositions.back().text, u"中");
  EXPECT_EQ(HeardOf(WM_IME_ENDCOMPOSITION).size(), 1u);
  EXPECT_EQ(SendMessageW(edit_, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(Text(), u"");
}

// XMODIFIERS names a server that does not run: keys type as they are, and
// a dead key still composes through Xlib's own tables.
TEST_F(X11InputMethod, WithoutTheServerKeysStillType) {
  Start(nullptr);
  MakeEdit(u"Edit");
  EXPECT_FALSE(x11_->UsesInputMethodServer());
  TypeUntil({"a", "shift+b", "dead_acute", "e"}, u"aBé");
  EXPECT_TRUE(HeardOf(WM_IME_STARTCOMPOSITION).empty());
  EXPECT_EQ(HeardOf(WM_CHAR).size(), 3u);
}

// The server ends while the program runs: the program's input method goes
// with it, and the keys typed next go through Xlib's own method.
TEST_F(X11InputMethod, TypingGoesOnAfterTheServerEnds) {
  Start("latin");
  MakeEdit(u"Edit");
  TypeUntil({"dead_acute", "e"}, u"é");
  im_->Stop();
  Settle();
  TypeUntil({"x", "dead_grave", "a"}, u"éxà");
  EXPECT_FALSE(x11_->UsesInputMethodServer());
}

}  // namespace
