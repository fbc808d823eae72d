// Waiting on a handle while the thread's messages are dispatched.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "document/wait/wait_messages.h"

namespace {

constexpr UINT kTick = WM_APP + 1;
constexpr UINT kCheckDisabled = WM_APP + 2;

struct WindowCounts {
  int ticks = 0;
  int checks = 0;
  BOOL enabledDuringWait = TRUE;
};
WindowCounts* g_counts = nullptr;

// Each tick posts the next one, so messages keep coming for the whole wait.
LRESULT CountingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kTick) {
    ++g_counts->ticks;
    PostMessageW(w, kTick, 0, 0);
    return 0;
  }
  if (msg == kCheckDisabled) {
    ++g_counts->checks;
    g_counts->enabledDuringWait = IsWindowEnabled(w);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

class WaitWithMessagesTest : public testing::Test {
 protected:
  void SetUp() override {
    g_counts = &counts_;
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.lpszClassName = u"TavWaitTest";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, u"TavWaitTest", u"Wait", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    CloseHandle(event_);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    g_counts = nullptr;
  }
  WindowCounts counts_;
  HWND window_ = nullptr;
  HANDLE event_ = nullptr;
};

TEST_F(WaitWithMessagesTest, SignalledHandleReturnsZeroAtOnce) {
  SetEvent(event_);
  PostMessageW(window_, kTick, 0, 0);
  EXPECT_EQ(WaitOneWithMessages(event_, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(counts_.ticks, 0);  // the handle is looked at before the queue
}

TEST_F(WaitWithMessagesTest, StreamOfMessagesStillEndsAfterTheLimit) {
  PostMessageW(window_, kTick, 0, 0);
  // Measured on the clock the wait reads: it never ends before its time.
  const DWORD start = GetTickCount();
  EXPECT_EQ(WaitOneWithMessages(event_, 500), WAIT_TIMEOUT);
  EXPECT_GE(GetTickCount() - start, 500u);
  EXPECT_GT(counts_.ticks, 10);  // dispatched all along
}

TEST_F(WaitWithMessagesTest, SignalFromAnotherThreadEndsTheWaitWhileMessagesFlow) {
  PostMessageW(window_, kTick, 0, 0);
  HANDLE handles[2] = {CreateEventW(nullptr, TRUE, FALSE, nullptr), event_};
  std::thread signaller([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    SetEvent(event_);
  });
  EXPECT_EQ(WaitWithMessages(2, handles, INFINITE), WAIT_OBJECT_0 + 1);
  signaller.join();
  CloseHandle(handles[0]);
}

TEST_F(WaitWithMessagesTest, QuitIsPostedAgainAndEndsTheWait) {
  PostQuitMessage(7);
  EXPECT_EQ(WaitOneWithMessages(event_, INFINITE), WAIT_TIMEOUT);
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(WaitWithMessagesTest, WindowsTakeNoInputWhileItWaits) {
  PostMessageW(window_, kCheckDisabled, 0, 0);
  EXPECT_EQ(WaitOneWithMessages(event_, 50), WAIT_TIMEOUT);
  EXPECT_EQ(counts_.checks, 1);
  EXPECT_FALSE(counts_.enabledDuringWait);
  EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(WaitWithMessagesTest, BadHandleFails) {
  HANDLE bogus = reinterpret_cast<HANDLE>(1);
  EXPECT_EQ(WaitOneWithMessages(bogus, 10), WAIT_FAILED);
}

}  // namespace
