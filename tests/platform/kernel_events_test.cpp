// Events and the waits on them, alone and together with a message queue.
#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/win.h"

namespace {

struct EventCase {
  const char* name;
  BOOL manualReset;
  DWORD secondWait;  // the result of a second wait after one signal
};

const EventCase kCases[] = {
    {"auto reset: the wait takes the signal", FALSE, WAIT_TIMEOUT},
    {"manual reset: the signal stays", TRUE, WAIT_OBJECT_0},
};

TEST(KernelEvents, AutoAndManualReset) {
  for (const EventCase& c : kCases) {
    SCOPED_TRACE(c.name);
    HANDLE e = CreateEventW(nullptr, c.manualReset, FALSE, nullptr);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(e));
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(e, 0), c.secondWait);
    EXPECT_TRUE(ResetEvent(e));
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(e));
  }
}

TEST(KernelEvents, WaitAnyGivesTheFirstSignalledAndWaitAllNeedsEvery) {
  HANDLE e[3] = {CreateEventA(nullptr, TRUE, FALSE, nullptr), CreateEventA(nullptr, TRUE, TRUE, nullptr),
                 CreateEventA(nullptr, TRUE, TRUE, nullptr)};
  EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(3, e, TRUE, 0), WAIT_TIMEOUT);
  SetEvent(e[0]);
  EXPECT_EQ(WaitForMultipleObjects(3, e, TRUE, 0), WAIT_OBJECT_0);
  for (HANDLE h : e) CloseHandle(h);
}

TEST(KernelEvents, AnotherThreadWakesTheWait) {
  HANDLE e = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  std::thread signaller([e] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(e);
  });
  EXPECT_EQ(WaitForSingleObject(e, INFINITE), WAIT_OBJECT_0);
  signaller.join();
  CloseHandle(e);
}

TEST(KernelEvents, BadHandlesAndNamesAreRefused) {
  HANDLE bogus = reinterpret_cast<HANDLE>(1);
  EXPECT_EQ(WaitForSingleObject(bogus, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(WaitForMultipleObjects(0, nullptr, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(CreateEventA(nullptr, FALSE, FALSE, "shared"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  HANDLE e = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(e);
  EXPECT_FALSE(SetEvent(e));  // a closed handle is gone for good
}

TEST(KernelEvents, MessageWaitHearsHandlesAndInput) {
  HANDLE e = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  // A signalled handle comes first, even with input waiting.
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &e, 0, QS_ALLINPUT, 0), WAIT_OBJECT_0);
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &e, 0, QS_ALLINPUT, 0), WAIT_OBJECT_0 + 1);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &e, 0, QS_ALLINPUT, 0), WAIT_TIMEOUT);
  // Signalled from another thread while the queue waits.
  std::thread signaller([e] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(e);
  });
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &e, INFINITE, QS_ALLINPUT, 0), WAIT_OBJECT_0);
  signaller.join();
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &e, 0, QS_ALLINPUT, MWMO_WAITALL), WAIT_FAILED);
  CloseHandle(e);
}

}  // namespace
