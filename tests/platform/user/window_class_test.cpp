// Window classes, extra bytes, subclassing, user data and A/W procedures.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

TEST(SystemClasses, RegisteredAtStartUnderTheirNames) {
  for (const char* name : {"Button", "Static", "Edit", "ListBox", "ComboBox", "ComboLBox", "ScrollBar", "MDIClient",
                           "#32770", "tooltips_class32", "msctls_statusbar32", "ToolbarWindow32", "SysTabControl32",
                           "SysListView32", "SysHeader32", "msctls_updown32", "msctls_progress32", "RichEdit20W",
                           "RichEdit20A"}) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    EXPECT_NE(GetClassInfoExA(nullptr, name, &wc), 0) << name;
    EXPECT_NE(wc.style & CS_GLOBALCLASS, 0u) << name;
  }
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  EXPECT_EQ(GetClassInfoExA(nullptr, "NoSuchClass", &wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
  EXPECT_FALSE(UnregisterClassA("Button", nullptr));  // system classes stay
}

TEST(SystemClasses, ClassNamesMatchWithoutCase) {
  HWND parent = CreateWindowExA(0, "#32770", "dlg", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD, 0, 0, 20, 10, parent, nullptr, nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  char name[16];
  EXPECT_EQ(GetClassNameA(button, name, 16), 6);
  EXPECT_STREQ(name, "Button");
  DestroyWindow(parent);
}

LRESULT ExtraProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

TEST(Classes, RegisterTwiceFailsAndExtraBytesStartAtZero) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ExtraProc;
  wc.cbClsExtra = 16;
  wc.cbWndExtra = 24;
  wc.lpszClassName = u"ExtraBytes";
  const ATOM atom = RegisterClassExW(&wc);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(RegisterClassExW(&wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  // By atom as well as by name.
  HWND w = CreateWindowExW(0, MAKEINTATOMW(atom), u"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(w, 0), 0);
  EXPECT_EQ(SetWindowLongPtrW(w, 8, 0x1234), 0);
  EXPECT_EQ(GetWindowLongPtrW(w, 8), 0x1234);
  EXPECT_EQ(GetWindowLongPtrW(w, 16), 0);   // the last whole slot
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrW(w, 17), 0);   // past the end
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
  EXPECT_EQ(GetWindowLongPtrW(w, -100), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
  EXPECT_EQ(SetClassLongPtrW(w, 8, 77), 0u);
  EXPECT_EQ(GetClassLongPtrW(w, 8), 77u);
  EXPECT_EQ(GetClassLongPtrW(w, GCL_CBWNDEXTRA), 24u);
  EXPECT_EQ(GetClassWord(w, GCW_ATOM), atom);
  EXPECT_FALSE(UnregisterClassW(u"ExtraBytes", nullptr));  // a window of it lives
  EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassW(u"ExtraBytes", nullptr));
  EXPECT_EQ(CreateWindowExW(0, u"ExtraBytes", u"x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
}

TEST(Classes, BadRegistrationsFail) {
  EXPECT_EQ(RegisterClassExW(nullptr), 0);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpszClassName = u"NoProc";
  EXPECT_EQ(RegisterClassExW(&wc), 0);  // no procedure
  wc.lpfnWndProc = ExtraProc;
  wc.cbSize = 3;
  EXPECT_EQ(RegisterClassExW(&wc), 0);  // wrong size
  wc.cbSize = sizeof(wc);
  wc.cbWndExtra = -4;
  EXPECT_EQ(RegisterClassExW(&wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// Subclassing: the new procedure sees the message first and passes it on.
WNDPROC g_previous;
std::vector<UINT> g_seenBySubclass;
LRESULT Subclass(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  g_seenBySubclass.push_back(m);
  if (m == WM_USER + 1) return 7 + CallWindowProcW(g_previous, w, m, wp, lp);
  return CallWindowProcW(g_previous, w, m, wp, lp);
}

TEST(Subclassing, NewProcedureRunsFirstAndChainsToTheOld) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  MessageLog::Get().Clear();
  g_seenBySubclass.clear();
  g_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
  EXPECT_EQ(g_previous, &LogProc);
  EXPECT_EQ(SendMessageW(w, WM_USER + 1, 0, 0), 7);
  EXPECT_EQ(g_seenBySubclass, std::vector<UINT>{WM_USER + 1});
  ASSERT_EQ(MessageLog::Get().Entries().size(), 1u);  // the old procedure saw it too
  // Put back.
  SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
  EXPECT_EQ(SendMessageW(w, WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(SetWindowLongPtrW(w, GWLP_WNDPROC, 0), 0);  // a null procedure is refused
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LogProc));
  EXPECT_EQ(SetWindowLongPtrW(w, GWLP_USERDATA, 0x55), 0);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_USERDATA), 0x55);
  DestroyWindow(w);
}

// A procedures get A text; W procedures W text; each side converts.
std::string g_ansiSeen;
LRESULT AnsiProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_SETTEXT && lp) g_ansiSeen = reinterpret_cast<const char*>(lp);
  if (m == WM_CHAR) g_ansiSeen = std::string(1, static_cast<char>(wp));
  return DefWindowProcA(w, m, wp, lp);
}

TEST(AnsiWide, TextCrossesBetweenKinds) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = AnsiProc;
  wc.lpszClassName = "AnsiWindow";
  RegisterClassExA(&wc);
  HWND w = CreateWindowExA(0, "AnsiWindow", "Caf\xE9", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowUnicode(w));
  WCHAR wide[16];
  EXPECT_EQ(GetWindowTextW(w, wide, 16), 4);
  EXPECT_EQ(std::u16string(wide), u"Caf\u00E9");  // 1252 e-acute arrives as U+00E9
  SetWindowTextW(w, u"na\u00EFve");
  EXPECT_EQ(g_ansiSeen, "na\xEFve");  // the A procedure got the ANSI text
  char ansi[16];
  EXPECT_EQ(GetWindowTextA(w, ansi, 16), 5);
  EXPECT_STREQ(ansi, "na\xEFve");
  EXPECT_EQ(GetWindowTextLengthW(w), 5);
  SendMessageW(w, WM_CHAR, u'\u00FC', 0);
  EXPECT_EQ(g_ansiSeen, "\xFC");
  // The procedure handed to a W caller stands for the A one and still works.
  const auto handle = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC));
  EXPECT_NE(handle, &AnsiProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)), &AnsiProc);
  CallWindowProcW(handle, w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"\u00C0b"));
  EXPECT_EQ(g_ansiSeen, "\xC0" "b");
  DestroyWindow(w);
}

TEST(WindowText, NeverWritesPastTheBufferAndAlwaysEndsInZero) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"abcdefgh", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  struct Case {
    int size;
    int copied;
    const char* text;
  };
  for (const Case& c : {Case{1, 0, ""}, Case{2, 1, "a"}, Case{5, 4, "abcd"}, Case{9, 8, "abcdefgh"},
                        Case{20, 8, "abcdefgh"}}) {
    char buffer[24];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetWindowTextA(w, buffer, c.size), c.copied) << c.size;
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(buffer[c.size], '#') << "wrote past the buffer at size " << c.size;
    WCHAR wide[24];
    std::fill(std::begin(wide), std::end(wide), u'#');
    EXPECT_EQ(GetWindowTextW(w, wide, c.size), c.copied);
    EXPECT_EQ(wide[c.copied], 0);
    EXPECT_EQ(wide[c.size], u'#');
    std::memset(buffer, '#', sizeof buffer);
    const int classChars = GetClassNameA(w, buffer, c.size);
    EXPECT_EQ(classChars, std::min(c.size - 1, 9));
    EXPECT_EQ(buffer[classChars], 0);
    EXPECT_EQ(buffer[c.size], '#');
  }
  char buffer[4] = "xyz";
  EXPECT_EQ(GetWindowTextA(w, buffer, 0), 0);
  EXPECT_STREQ(buffer, "xyz");  // size 0: nothing written
  EXPECT_EQ(GetWindowTextA(w, nullptr, 10), 0);
  EXPECT_EQ(GetClassNameA(w, nullptr, 10), 0);
  DestroyWindow(w);
}

TEST(Properties, SetGetRemove) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  int value = 0;
  EXPECT_TRUE(SetPropA(w, "Thing", &value));
  EXPECT_EQ(GetPropW(w, u"THING"), &value);
  EXPECT_EQ(RemovePropA(w, "thing"), &value);
  EXPECT_EQ(GetPropA(w, "thing"), nullptr);
  DestroyWindow(w);
}

TEST(Tree, EnumerationAndFinding) {
  RegisterLogClass();
  HWND top = CreateWindowExW(0, u"LogWindow", u"Finder top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
  HWND a = CreateWindowExW(0, u"LogWindow", u"a", WS_CHILD, 0, 0, 10, 10, top, reinterpret_cast<HMENU>(1), nullptr,
                           nullptr);
  HWND b = CreateWindowExW(0, u"LogWindow", u"b", WS_CHILD, 0, 0, 10, 10, top, reinterpret_cast<HMENU>(2), nullptr,
                           nullptr);
  HWND c = CreateWindowExW(0, u"LogWindow", u"c", WS_CHILD, 0, 0, 10, 10, a, reinterpret_cast<HMENU>(3), nullptr,
                           nullptr);
  EXPECT_EQ(FindWindowA("LogWindow", "Finder top"), top);
  EXPECT_EQ(FindWindowA(nullptr, "Finder top"), top);
  EXPECT_EQ(FindWindowA("LogWindow", "a"), nullptr);  // children are not top-level
  EXPECT_EQ(FindWindowExA(top, nullptr, nullptr, "b"), b);
  EXPECT_EQ(FindWindowExA(top, a, "LogWindow", nullptr), b);
  // Children are kept in creation order (the Z order a dialog's Tab order follows).
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDPREV), a);
  EXPECT_EQ(GetDlgItem(top, 2), b);
  EXPECT_EQ(GetDlgItem(top, 3), nullptr);  // a grandchild is not a dialog item
  EXPECT_EQ(GetDlgCtrlID(c), 3);
  EXPECT_EQ(GetParent(c), a);
  EXPECT_EQ(GetAncestor(c, GA_ROOT), top);
  EXPECT_TRUE(IsChild(top, c));
  EXPECT_FALSE(IsChild(a, b));
  std::vector<HWND> seen;
  EnumChildWindows(
      top, [](HWND w, LPARAM p) { reinterpret_cast<std::vector<HWND>*>(p)->push_back(w); return TRUE; },
      reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, (std::vector<HWND>{a, c, b}));
  // A callback that destroys windows as it goes does not upset the walk.
  seen.clear();
  EnumChildWindows(
      top,
      [](HWND w, LPARAM p) {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        DestroyWindow(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, (std::vector<HWND>{a, b}));  // c went with a before its turn
  struct Look {
    HWND wanted;
    bool found;
  } look{top, false};
  EnumWindows(
      [](HWND w, LPARAM p) {
        auto* l = reinterpret_cast<Look*>(p);
        l->found = l->found || w == l->wanted;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&look));
  EXPECT_TRUE(look.found);
  DestroyWindow(top);
}

}  // namespace
