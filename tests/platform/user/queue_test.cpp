// Message queues: order of reading, filters, WM_QUIT, WM_PAINT and WM_TIMER
// made when nothing else waits, mouse moves merged, hooks, registered
// messages, and sending between threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "platform/kernel/handle_table.h"
#include "platform/testing/ui.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

class Queue : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterLogClass();
    Pump();
    window_ = CreateWindowExW(0, u"LogWindow", u"q", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    MessageLog::Get().Name(window_, "w");
    MessageLog::Get().Clear();
  }
  void TearDown() override {
    DestroyWindow(window_);
    Pump();
  }
  HWND window_ = nullptr;
};

TEST_F(Queue, PostedMessagesComeInOrderWithTheirParameters) {
  ASSERT_TRUE(PostMessageW(window_, WM_USER + 1, 10, 20));
  ASSERT_TRUE(PostMessageW(window_, WM_USER + 2, 30, 40));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER + 10, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_USER + 1u);  // PM_NOREMOVE leaves it there
  ASSERT_TRUE(GetMessageW(&msg, nullptr, WM_USER, WM_USER + 10));
  EXPECT_EQ(msg.message, WM_USER + 1u);
  EXPECT_EQ(msg.hwnd, window_);
  EXPECT_EQ(msg.wParam, 10u);
  EXPECT_EQ(msg.lParam, 20);
  ASSERT_TRUE(GetMessageW(&msg, nullptr, WM_USER, WM_USER + 10));
  EXPECT_EQ(msg.message, WM_USER + 2u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
}

TEST_F(Queue, RangeFilterSkipsOtherMessages) {
  PostMessageW(window_, WM_USER + 5, 0, 0);
  PostMessageW(window_, WM_APP + 1, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_APP, WM_APP + 5, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_APP + 1);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 5u);
}

TEST_F(Queue, ThreadMessagesAndQuit) {
  ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_APP + 3, 1, 2));
  PostQuitMessage(42);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.message, WM_APP + 3);
  // WM_QUIT comes once the posted messages are read; GetMessage returns 0.
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 42u);
  EXPECT_FALSE(PostThreadMessageW(0x7FFFFFF0, WM_APP, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);
}

TEST_F(Queue, PaintComesAfterPostedAndTimerAfterPaint) {
  uitest::VirtualClock clock;
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  Pump();
  ASSERT_EQ(SetTimer(window_, 5, 100, nullptr), 5u);
  clock.Advance(0);
  InvalidateRect(window_, nullptr, TRUE);
  uitest::MoveClock(100);  // the timer is due now, and a paint is waiting
  PostMessageW(window_, WM_USER, 0, 0);
  MSG msg;
  std::vector<std::string> order;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(MessageName(msg.message));
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"WM_USER+0", "WM_PAINT", "WM_TIMER"}));
  KillTimer(window_, 5);
}

TEST_F(Queue, TimersFireOnTheVirtualClockOnly) {
  uitest::VirtualClock clock;
  std::vector<UINT_PTR> fired;
  static std::vector<UINT_PTR>* sink;
  sink = &fired;
  const UINT_PTR id = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) { sink->push_back(id); });
  ASSERT_NE(id, 0u);
  uitest::RunUntilIdle();
  EXPECT_TRUE(fired.empty());
  clock.Advance(49);
  EXPECT_TRUE(fired.empty());
  clock.Advance(1);
  EXPECT_EQ(fired.size(), 1u);
  // Three periods pass at once: one WM_TIMER, not three (timers do not pile up).
  clock.Advance(150);
  EXPECT_EQ(fired.size(), 2u);
  EXPECT_TRUE(KillTimer(nullptr, id));
  clock.Advance(500);
  EXPECT_EQ(fired.size(), 2u);
  EXPECT_FALSE(KillTimer(nullptr, id));
}

TEST_F(Queue, MouseMovesAreMerged) {
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  Pump();
  POINT p{50, 50};
  ClientToScreen(window_, &p);
  for (int i = 0; i < 5; ++i) user::DeviceMouseMove(POINT{p.x + i, p.y});
  MessageLog::Get().Clear();
  Pump();
  int moves = 0;
  LPARAM last = 0;
  for (const auto& e : MessageLog::Get().Entries())
    if (e.message == WM_MOUSEMOVE) {
      ++moves;
      last = e.lParam;
    }
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(static_cast<SHORT>(LOWORD(last)), 54);
}

LRESULT CountingHook(int code, WPARAM wParam, LPARAM lParam);
std::vector<UINT> g_hooked;
HHOOK g_hook;
LRESULT CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  g_hooked.push_back(msg->message);
  if (msg->message == WM_USER + 7) msg->wParam = 99;  // a hook may change the message
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(Queue, GetMessageHookSeesAndMayChangeMessages) {
  g_hooked.clear();
  g_hook = SetWindowsHookExW(WH_GETMESSAGE, CountingHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_hook, nullptr);
  PostMessageW(window_, WM_USER + 7, 1, 0);
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.wParam, 99u);
  EXPECT_EQ(g_hooked, std::vector<UINT>{WM_USER + 7});
  EXPECT_TRUE(UnhookWindowsHookEx(g_hook));
  EXPECT_FALSE(UnhookWindowsHookEx(g_hook));
  PostMessageW(window_, WM_USER + 7, 1, 0);
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_EQ(SetWindowsHookExW(WH_GETMESSAGE + 1, CountingHook, nullptr, 0), nullptr);
}

LRESULT PassingHook(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }

// Hook handles live in the one handle table: tagged as hooks, never reused,
// refused where another kind is expected, and gone with their thread.
TEST_F(Queue, HookHandlesComeFromTheHandleTable) {
  const HHOOK a = SetWindowsHookExW(WH_GETMESSAGE, PassingHook, nullptr, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(handles::KindOfHandle(handles::ToValue(a)), HandleKind::Hook);
  EXPECT_FALSE(DestroyMenu(reinterpret_cast<HMENU>(a)));  // a hook is no menu
  EXPECT_TRUE(UnhookWindowsHookEx(a));
  EXPECT_EQ(handles::KindOfHandle(handles::ToValue(a)), std::nullopt);
  const HHOOK b = SetWindowsHookExW(WH_GETMESSAGE, PassingHook, nullptr, 0);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(b, a);  // a new hook never gets an old handle back
  EXPECT_FALSE(UnhookWindowsHookEx(a));
  // Another thread can neither take this thread's hook off nor keep its own.
  HHOOK theirs = nullptr;
  std::thread([&] {
    EXPECT_FALSE(UnhookWindowsHookEx(b));
    theirs = SetWindowsHookExW(WH_GETMESSAGE, PassingHook, nullptr, 0);
  }).join();
  ASSERT_NE(theirs, nullptr);
  EXPECT_EQ(handles::KindOfHandle(handles::ToValue(theirs)), std::nullopt) << "the hook outlived its thread";
  EXPECT_FALSE(UnhookWindowsHookEx(theirs));
  EXPECT_FALSE(UnhookWindowsHookEx(nullptr));
  EXPECT_TRUE(UnhookWindowsHookEx(b));
}

TEST(RegisteredMessages, SameNameSameNumberAnyCase) {
  const UINT a = RegisterWindowMessageA("Tavrendel.Refresh");
  const UINT b = RegisterWindowMessageW(u"TAVRENDEL.REFRESH");
  const UINT c = RegisterWindowMessageA("Tavrendel.Other");
  EXPECT_GE(a, 0xC000u);
  EXPECT_LE(a, 0xFFFFu);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  EXPECT_EQ(MessageName(a), "registered:Tavrendel.Refresh");
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
  EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
}

TEST(Atoms, GlobalAtomsCountReferences) {
  const ATOM a = GlobalAddAtomA("tav-atom");
  ASSERT_GE(a, 0xC000);
  EXPECT_EQ(GlobalAddAtomA("TAV-ATOM"), a);
  EXPECT_EQ(GlobalFindAtomA("tav-atom"), a);
  char name[4];
  EXPECT_EQ(GlobalGetAtomNameA(a, name, 4), 3u);  // cut to fit, ends in a zero
  EXPECT_STREQ(name, "tav");
  EXPECT_EQ(GlobalDeleteAtom(a), 0);
  EXPECT_EQ(GlobalFindAtomA("tav-atom"), a);  // one reference left
  EXPECT_EQ(GlobalDeleteAtom(a), 0);
  EXPECT_EQ(GlobalFindAtomA("tav-atom"), 0);
  EXPECT_EQ(GlobalDeleteAtom(a), a);
  EXPECT_EQ(GlobalAddAtomA("#123"), 123);
  EXPECT_EQ(GlobalAddAtomA(std::string(300, 'x').c_str()), 0);
}

TEST(MessageNames, NamesNumbersAndRanges) {
  EXPECT_EQ(MessageName(WM_NCCREATE), "WM_NCCREATE");
  EXPECT_EQ(MessageName(WM_USER + 5), "WM_USER+5");
  EXPECT_EQ(MessageName(WM_APP + 1), "WM_APP+1");
  EXPECT_EQ(MessageName(0x0001), "WM_CREATE");
}

// A window class of the given procedure, registered once by its caller.
bool RegisterProcClass(const WCHAR* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

// A window its thread leaves open is destroyed when the thread ends, after
// the thread's other objects (its text converters among them) may have gone;
// what it does then, such as converting its caption, still works.
struct LeftOpen {
  static inline std::u16string convertedOnDestroy;
  static LRESULT Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) {
      // "Zhong wen" in GBK: a code page the thread converted with before.
      const char gbk[] = "\xD6\xD0\xCE\xC4";
      WCHAR out[8] = {};
      const int n = MultiByteToWideChar(936, 0, gbk, 4, out, 8);
      convertedOnDestroy.assign(out, static_cast<size_t>(std::max(n, 0)));
    }
    return DefWindowProcW(w, m, wp, lp);
  }
};

TEST(ThreadEnd, WindowsLeftOpenAreDestroyedWithTextConversionStillWorking) {
  static const bool registered = RegisterProcClass(u"LeftOpenWindow", LeftOpen::Proc);
  ASSERT_TRUE(registered);
  LeftOpen::convertedOnDestroy.clear();
  HWND left = nullptr;
  std::thread([&] {
    // The window (and with it the thread's queue) first, the converters after:
    // thread objects go in the reverse order, so the converters go first.
    left = CreateWindowExW(0, u"LeftOpenWindow", u"left", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                           nullptr, nullptr, nullptr);
    WCHAR warm[4] = {};
    MultiByteToWideChar(936, 0, "\xD6\xD0", 2, warm, 4);
  }).join();
  ASSERT_NE(left, nullptr);
  EXPECT_FALSE(IsWindow(left)) << "the window outlived its thread";
  EXPECT_EQ(LeftOpen::convertedOnDestroy, u"\u4E2D\u6587");
}

// Sending between threads.

struct Echo {
  static LRESULT Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 1) return static_cast<LRESULT>(wp * 2);
    if (m == WM_USER + 2) {
      // Sends back to the other thread's window while that thread waits for us.
      return SendMessageW(reinterpret_cast<HWND>(lp), WM_USER + 1, wp, 0) + 1;
    }
    return DefWindowProcW(w, m, wp, lp);
  }
};

HWND MakeEcho() {
  static const bool registered = RegisterProcClass(u"EchoWindow", Echo::Proc);
  (void)registered;
  return CreateWindowExW(0, u"EchoWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

TEST(CrossThread, SendingBothWaysCompletes) {
  HWND mine = MakeEcho();
  std::atomic<HWND> theirs{nullptr};
  std::atomic<bool> done{false};
  std::atomic<LRESULT> theirResult{0};
  std::thread other([&] {
    HWND w = MakeEcho();
    theirs = w;
    // This thread sends to the first while the first sends to it.
    theirResult = SendMessageW(mine, WM_USER + 2, 5, reinterpret_cast<LPARAM>(w));
    MSG msg;
    while (!done) {
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      else MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    DestroyWindow(w);
  });
  while (!theirs) std::this_thread::yield();
  // Our send waits for the other thread, which is itself waiting for us: both complete.
  const LRESULT r = SendMessageW(theirs, WM_USER + 2, 7, reinterpret_cast<LPARAM>(mine));
  EXPECT_EQ(r, 15);
  // Keep answering until the other thread's send to us has been answered.
  while (theirResult == 0) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    else MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_EQ(theirResult.load(), 11);
  done = true;
  other.join();
  DestroyWindow(mine);
}

TEST(CrossThread, TimeoutWhenTheOtherThreadDoesNotAnswer) {
  std::atomic<HWND> theirs{nullptr};
  std::atomic<bool> release{false};
  std::thread other([&] {
    theirs = MakeEcho();
    while (!release) std::this_thread::yield();  // never reads its queue until released
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    DestroyWindow(theirs);
  });
  while (!theirs) std::this_thread::yield();
  DWORD_PTR result = 1234;
  SetLastError(0);
  EXPECT_EQ(SendMessageTimeoutW(theirs, WM_USER + 1, 3, 0, SMTO_NORMAL, 30, &result), 0);
  EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
  EXPECT_EQ(result, 1234u);
  // A notification does not wait at all.
  EXPECT_TRUE(SendNotifyMessageW(theirs, WM_USER + 1, 3, 0));
  release = true;
  other.join();
}

TEST(CrossThread, SendMessageTimeoutAnswersWithinTime) {
  HWND mine = MakeEcho();
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutW(mine, WM_USER + 1, 21, 0, SMTO_NORMAL, 10, &result), 0);
  EXPECT_EQ(result, 42u);
  DestroyWindow(mine);
}

TEST(CrossThread, PostingToAnotherThreadsWindow) {
  std::atomic<HWND> theirs{nullptr};
  std::atomic<UINT> got{0};
  std::thread other([&] {
    theirs = MakeEcho();
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) > 0) got = msg.message;
    DestroyWindow(theirs);
  });
  while (!theirs) std::this_thread::yield();
  EXPECT_TRUE(PostMessageW(theirs, WM_APP + 9, 0, 0));
  other.join();
  EXPECT_EQ(got.load(), WM_APP + 9);
}

TEST(MsgWait, ReturnsForInputAndTimesOut) {
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_POSTMESSAGE), WAIT_OBJECT_0);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
  HANDLE h = reinterpret_cast<HANDLE>(1);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &h, FALSE, 0, QS_ALLINPUT), WAIT_FAILED);
}

}  // namespace
