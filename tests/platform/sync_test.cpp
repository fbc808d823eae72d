#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win.h"

namespace {

CRITICAL_SECTION g_lock = CRITICAL_SECTION_STATIC_INIT;

TEST(CriticalSection, StaticallyInitialisedLockIsReentrant) {
  EnterCriticalSection(&g_lock);
  EXPECT_TRUE(TryEnterCriticalSection(&g_lock));
  LeaveCriticalSection(&g_lock);
  LeaveCriticalSection(&g_lock);
}

TEST(CriticalSection, HeldLockExcludesOtherThreads) {
  EnterCriticalSection(&g_lock);
  BOOL entered = TRUE;
  std::thread([&] { entered = TryEnterCriticalSection(&g_lock); }).join();
  EXPECT_FALSE(entered) << "another thread does not get a held lock";
  LeaveCriticalSection(&g_lock);

  // Plain (not atomic) read-modify-write under the lock loses nothing.
  long counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        EnterCriticalSection(&g_lock);
        EnterCriticalSection(&g_lock);  // re-entered on the same thread
        const long seen = counter;
        counter = seen + 1;
        LeaveCriticalSection(&g_lock);
        LeaveCriticalSection(&g_lock);
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(counter, 4 * 20000);

  CRITICAL_SECTION dynamic;
  InitializeCriticalSection(&dynamic);
  EnterCriticalSection(&dynamic);
  std::thread([&] { entered = TryEnterCriticalSection(&dynamic); }).join();
  EXPECT_FALSE(entered);
  LeaveCriticalSection(&dynamic);
  std::thread([&] {
    entered = TryEnterCriticalSection(&dynamic);
    if (entered) LeaveCriticalSection(&dynamic);
  }).join();
  EXPECT_TRUE(entered) << "a released lock is free for others";
  DeleteCriticalSection(&dynamic);
}

TEST(Interlocked, CountsFromManyThreadsAreNotLost) {
  LONG volatile count = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        InterlockedIncrement(&count);
        InterlockedIncrement(&count);
        InterlockedDecrement(&count);
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(count, 4 * 20000);
}

TEST(Interlocked, CompareExchangeReturnsThePreviousValue) {
  LONG volatile v = 5;
  EXPECT_EQ(InterlockedCompareExchange(&v, 9, 4), 5);
  EXPECT_EQ(v, 5);
  EXPECT_EQ(InterlockedCompareExchange(&v, 9, 5), 5);
  EXPECT_EQ(v, 9);
  EXPECT_EQ(InterlockedExchange(&v, 1), 9);
  EXPECT_EQ(InterlockedExchangeAdd(&v, 3), 1);
  EXPECT_EQ(v, 4);
}

}  // namespace
