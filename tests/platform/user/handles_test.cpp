// Sound behaviour with handles and parameters: calls on destroyed, foreign
// or made-up handles fail cleanly; nothing reaches a window procedure after
// WM_NCDESTROY; a window destroyed inside its own handler is safe; null and
// out-of-range parameters give error results.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "platform/user/input_events.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

// Registers a window class of the given procedure, with extra bytes if asked.
void RegisterProcClass(LPCWSTR name, WNDPROC proc, int extraBytes = 0) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extraBytes;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

struct Call {
  const char* name;
  std::function<bool(HWND)> fails;  // true when the call failed as it should
};

std::vector<Call> CallsOnAWindow() {
  return {
      {"IsWindow", [](HWND w) { return !IsWindow(w); }},
      {"SendMessage", [](HWND w) { return SendMessageW(w, WM_USER, 0, 0) == 0; }},
      {"PostMessage", [](HWND w) { return !PostMessageW(w, WM_USER, 0, 0); }},
      {"DestroyWindow", [](HWND w) { return !DestroyWindow(w); }},
      {"ShowWindow", [](HWND w) { return !ShowWindow(w, SW_SHOW); }},
      {"SetWindowPos", [](HWND w) { return !SetWindowPos(w, nullptr, 0, 0, 5, 5, SWP_NOZORDER); }},
      {"GetWindowRect", [](HWND w) { RECT r; return !GetWindowRect(w, &r); }},
      {"GetClientRect", [](HWND w) { RECT r; return !GetClientRect(w, &r); }},
      {"GetWindowLongPtr", [](HWND w) { return GetWindowLongPtrW(w, GWL_STYLE) == 0; }},
      {"SetWindowLongPtr", [](HWND w) { return SetWindowLongPtrW(w, GWLP_USERDATA, 1) == 0; }},
      {"GetWindowText", [](HWND w) { char b[8] = "x"; return GetWindowTextA(w, b, 8) == 0 && b[0] == 0; }},
      {"SetWindowText", [](HWND w) { return !SetWindowTextA(w, "t"); }},
      {"GetClassName", [](HWND w) { char b[8]; return GetClassNameA(w, b, 8) == 0; }},
      {"GetParent", [](HWND w) { return GetParent(w) == nullptr; }},
      {"GetDC", [](HWND w) { return GetDC(w) == nullptr; }},
      {"GetWindowDC", [](HWND w) { return GetWindowDC(w) == nullptr; }},
      {"BeginPaint", [](HWND w) { PAINTSTRUCT ps; return BeginPaint(w, &ps) == nullptr; }},
      {"InvalidateRect", [](HWND w) { return !InvalidateRect(w, nullptr, TRUE); }},
      {"UpdateWindow", [](HWND w) { return !UpdateWindow(w); }},
      {"SetFocus", [](HWND w) { return SetFocus(w) == nullptr; }},
      {"SetCapture", [](HWND w) { return SetCapture(w) == nullptr && GetCapture() != w; }},
      {"SetActiveWindow", [](HWND w) { return GetActiveWindow() != w && (SetActiveWindow(w), GetActiveWindow() != w); }},
      {"EnableWindow", [](HWND w) { return !EnableWindow(w, FALSE) && !IsWindowEnabled(w); }},
      {"SetTimer", [](HWND w) { return SetTimer(w, 1, 10, nullptr) == 0; }},
      {"SetScrollInfo", [](HWND w) { SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 3, 0}; return SetScrollInfo(w, SB_VERT, &si, TRUE) == 0; }},
      {"GetScrollInfo", [](HWND w) { SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0}; return !GetScrollInfo(w, SB_VERT, &si); }},
      {"CreateCaret", [](HWND w) { return !CreateCaret(w, nullptr, 1, 10); }},
      {"SetParent", [](HWND w) { return SetParent(w, nullptr) == nullptr; }},
      {"ClientToScreen", [](HWND w) { POINT p{}; return !ClientToScreen(w, &p); }},
      {"EnumChildWindows", [](HWND w) { return !EnumChildWindows(w, [](HWND, LPARAM) { return TRUE; }, 0); }},
      {"CreateWindowEx child", [](HWND w) {
         return CreateWindowExW(0, u"LogWindow", u"", WS_CHILD, 0, 0, 1, 1, w, nullptr, nullptr, nullptr) == nullptr;
       }},
  };
}

TEST(DeadHandles, EveryCallOnADestroyedWindowFails) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"dead", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr, nullptr, nullptr);
  ASSERT_TRUE(DestroyWindow(w));
  // A window made afterwards never gets the dead handle back.
  HWND fresh = CreateWindowExW(0, u"LogWindow", u"fresh", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  EXPECT_NE(fresh, w);
  for (const Call& c : CallsOnAWindow()) {
    SetLastError(0);
    EXPECT_TRUE(c.fails(w)) << c.name;
    EXPECT_NE(GetLastError(), 0u) << c.name;
  }
  char text[8];
  GetWindowTextA(fresh, text, 8);
  EXPECT_STREQ(text, "fresh");  // nothing reached the new window
  DestroyWindow(fresh);
}

TEST(DeadHandles, ForeignAndMadeUpHandlesFail) {
  WindowDc screenDc(nullptr);
  HDC screen = screenDc.get();
  HGDIOBJ pen = GetStockObject(BLACK_PEN);
  for (HWND h : {reinterpret_cast<HWND>(screen), reinterpret_cast<HWND>(pen), reinterpret_cast<HWND>(0x12345678),
                 reinterpret_cast<HWND>(static_cast<intptr_t>(-7))}) {
    for (const Call& c : CallsOnAWindow()) EXPECT_TRUE(c.fails(h)) << c.name;
  }
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);  // still the pen it was
}

// Nothing after WM_NCDESTROY: a procedure that tries to reach its window
// from WM_NCDESTROY finds it gone, and later sends are not delivered.
std::vector<UINT> g_afterLog;
bool g_ncDestroyed = false;
LRESULT Watchful(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (g_ncDestroyed) g_afterLog.push_back(m);
  if (m == WM_NCDESTROY) {
    g_ncDestroyed = true;
    SendMessageW(w, WM_USER, 0, 0);  // must not come back in
    PostMessageW(w, WM_USER, 0, 0);
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST(Destruction, NoProcedureRunsAfterNcDestroy) {
  RegisterProcClass(u"Watchful", Watchful);
  HWND w = CreateWindowExW(0, u"Watchful", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                           nullptr, nullptr);
  SetTimer(w, 1, 10, nullptr);
  g_afterLog.clear();
  g_ncDestroyed = false;
  DestroyWindow(w);
  SendMessageW(w, WM_USER, 0, 0);
  Pump();
  EXPECT_TRUE(g_ncDestroyed);
  EXPECT_TRUE(g_afterLog.empty()) << MessageName(g_afterLog.empty() ? 0 : g_afterLog.front());
}

// A window's data stays readable while its WM_NCDESTROY runs, so a procedure
// can free what it keeps in user data, extra bytes or properties there (the
// framework and many controls do); only messages no longer reach it.
struct NcDestroySeen {
  LONG_PTR userData = 0;
  LONG_PTR extra = 0;
  HANDLE prop = nullptr;
  HANDLE removed = nullptr;
  bool ran = false;
} g_ncSeen;
LRESULT FreesAtNcDestroy(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCDESTROY) {
    g_ncSeen.ran = true;
    g_ncSeen.userData = GetWindowLongPtrW(w, GWLP_USERDATA);
    g_ncSeen.extra = GetWindowLongPtrW(w, 0);
    g_ncSeen.prop = GetPropW(w, u"Keep");
    g_ncSeen.removed = RemovePropW(w, u"Keep");
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST(Destruction, WindowDataIsReadableDuringNcDestroy) {
  RegisterProcClass(u"FreesAtNcDestroy", FreesAtNcDestroy, sizeof(LONG_PTR));
  HWND w = CreateWindowExW(0, u"FreesAtNcDestroy", u"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  int kept = 0;
  SetWindowLongPtrW(w, GWLP_USERDATA, 1234);
  SetWindowLongPtrW(w, 0, 5678);
  SetPropW(w, u"Keep", &kept);
  g_ncSeen = {};
  DestroyWindow(w);
  EXPECT_TRUE(g_ncSeen.ran);
  EXPECT_EQ(g_ncSeen.userData, 1234);
  EXPECT_EQ(g_ncSeen.extra, 5678);
  EXPECT_EQ(g_ncSeen.prop, &kept);
  EXPECT_EQ(g_ncSeen.removed, &kept);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_USERDATA), 0);  // gone once destruction is over
}

// A window destroyed inside its own handler.
LRESULT SelfDestroying(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_USER + 1) {
    DestroyWindow(w);
    // The rest of the handler runs on: the handle is dead, calls on it fail.
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(SetWindowLongPtrW(w, GWLP_USERDATA, 5), 0);
    return 77;
  }
  if (m == WM_LBUTTONDOWN) {
    DestroyWindow(w);
    return 0;
  }
  if (m == WM_CREATE && reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams) {
    DestroyWindow(w);  // destroyed during its own creation
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST(Destruction, DestroyedInsideItsOwnHandlerIsSafe) {
  RegisterProcClass(u"SelfDestroying", SelfDestroying);
  HWND w = CreateWindowExW(0, u"SelfDestroying", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr, nullptr, nullptr);
  EXPECT_EQ(SendMessageW(w, WM_USER + 1, 0, 0), 77);
  EXPECT_FALSE(IsWindow(w));
  // From a posted message and after a click.
  HWND v = CreateWindowExW(0, u"SelfDestroying", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr, nullptr, nullptr);
  PostMessageW(v, WM_LBUTTONDOWN, 0, 0);
  PostMessageW(v, WM_USER + 1, 0, 0);  // arrives after the window is gone: dropped
  Pump();
  EXPECT_FALSE(IsWindow(v));
  // During WM_CREATE: CreateWindowEx returns null.
  int flag = 1;
  EXPECT_EQ(CreateWindowExW(0, u"SelfDestroying", u"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                            &flag),
            nullptr);
}

LRESULT RefusingCreate(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCCREATE) return FALSE;
  return DefWindowProcW(w, m, wp, lp);
}
LRESULT FailingCreate(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_CREATE) return -1;
  return DefWindowProcW(w, m, wp, lp);
}

TEST(Creation, RefusedCreationsReturnNull) {
  RegisterProcClass(u"RefusingCreate", RefusingCreate);
  RegisterProcClass(u"FailingCreate", FailingCreate);
  EXPECT_EQ(CreateWindowExW(0, u"RefusingCreate", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(CreateWindowExW(0, u"FailingCreate", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
  EXPECT_EQ(CreateWindowExW(0, nullptr, u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr), nullptr);
  RegisterLogClass();
  // A child without a parent.
  EXPECT_EQ(CreateWindowExW(0, u"LogWindow", u"", WS_CHILD, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
}

TEST(BadInput, NullAndOutOfRangeParameters) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                           nullptr);
  EXPECT_FALSE(GetWindowRect(w, nullptr));
  EXPECT_FALSE(GetClientRect(w, nullptr));
  EXPECT_EQ(BeginPaint(w, nullptr), nullptr);
  EXPECT_FALSE(EndPaint(w, nullptr));
  EXPECT_FALSE(ShowWindow(w, 99));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetMessageW(nullptr, nullptr, 0, 0), -1);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(nullptr, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetMessageW(&msg, reinterpret_cast<HWND>(0x777), 0, 0), -1);  // filter on no window
  EXPECT_EQ(DispatchMessageW(nullptr), 0);
  MSG forged{w, WM_TIMER, 1, static_cast<LPARAM>(0x1234), 0, {}};
  EXPECT_EQ(DispatchMessageW(&forged), 0);  // a made-up timer procedure is never called
  EXPECT_FALSE(SetScrollInfo(w, SB_VERT, nullptr, TRUE));
  SCROLLINFO si{3, SIF_ALL, 0, 0, 0, 0, 0};
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 0);  // wrong size
  si.cbSize = sizeof(si);
  EXPECT_EQ(SetScrollInfo(w, 17, &si, TRUE), 0);  // no such bar
  EXPECT_FALSE(GetScrollInfo(w, SB_VERT, nullptr));
  EXPECT_EQ(GetWindowLongPtrW(w, -1000), 0);
  EXPECT_EQ(GetSystemMetrics(-5), 0);
  EXPECT_EQ(GetSysColor(400), 0u);
  EXPECT_EQ(GetSysColorBrush(-1), nullptr);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoW(0xFFFF, 0, nullptr, 0));
  EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_OVERLAPPEDWINDOW, FALSE, 0));
  EXPECT_FALSE(DrawEdge(nullptr, nullptr, EDGE_RAISED, BF_RECT));
  RECT r{0, 0, 10, 10};
  EXPECT_FALSE(DrawFrameControl(reinterpret_cast<HDC>(0x4321), &r, DFC_BUTTON, 0));
  EXPECT_FALSE(DrawIcon(WindowDc(w).get(), 0, 0, reinterpret_cast<HICON>(0x999)));
  EXPECT_EQ(CallWindowProcW(nullptr, w, WM_USER, 0, 0), 0);
  EXPECT_FALSE(EnumWindows(nullptr, 0));
  EXPECT_FALSE(KillTimer(w, 12345));
  EXPECT_FALSE(ScreenToClient(w, nullptr));
  EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x5551), 1, 10, nullptr), 0u);
  DestroyWindow(w);
}

}  // namespace

namespace {

// A window whose scroll request destroys it while the bar is being tracked.
LRESULT DiesWhileScrolling(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_VSCROLL && LOWORD(wp) == SB_THUMBTRACK) {
    DestroyWindow(w);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST(Destruction, DestroyedWhileItsScrollBarIsTracked) {
  RegisterProcClass(u"DiesWhileScrolling", DiesWhileScrolling);
  HWND w = CreateWindowExW(0, u"DiesWhileScrolling", u"", WS_POPUP | WS_VSCROLL | WS_VISIBLE, 100, 100, 100, 200,
                           nullptr, nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 99, 10, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  Pump();
  // Press on the thumb (just below the top arrow), move, let go.
  user::DeviceMouseMove(POINT{100 + 100 - 8, 100 + 17 + 3});
  user::DeviceMouseButton(user::MouseButton::Left, true, POINT{100 + 100 - 8, 100 + 17 + 3});
  user::DeviceMouseMove(POINT{100 + 100 - 8, 100 + 100});
  user::DeviceMouseButton(user::MouseButton::Left, false, POINT{100 + 100 - 8, 100 + 100});
  Pump();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(CrossThreadEnd, WindowsGoWithTheirThread) {
  RegisterLogClass();
  HWND orphan = nullptr, child = nullptr;
  HWND parent = CreateWindowExW(0, u"LogWindow", u"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  std::thread([&] {
    orphan = CreateWindowExW(0, u"LogWindow", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    // A child of another thread's window goes too; its parent stays.
    child = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"LogWindow", u"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr,
                            nullptr);
    EXPECT_TRUE(IsWindow(orphan));
  }).join();
  ASSERT_NE(orphan, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(IsWindow(orphan));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_TRUE(IsWindow(parent));
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  DWORD_PTR result = 9;
  EXPECT_EQ(SendMessageW(orphan, WM_USER, 0, 0), 0);
  EXPECT_EQ(SendMessageTimeoutW(orphan, WM_USER, 0, 0, SMTO_NORMAL, 1000, &result), 0);
  EXPECT_EQ(result, 9u);
  DestroyWindow(parent);
}

}  // namespace
