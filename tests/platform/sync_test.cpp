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
