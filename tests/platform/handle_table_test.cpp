// The handle table itself: kinds checked on every lookup, serial numbers never
// reused, permanent entries, enumeration by kind, and use from many threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "platform/kernel/handle_table.h"

namespace {

struct Thing {
  explicit Thing(int v) : value(v) {}
  int value;
};

// Handles of the window-system kinds, which no other test here makes.
TEST(HandleTable, LooksUpOnlyUnderTheKindItWasMadeWith) {
  auto* menu = handles::Create<void*>(HandleKind::Menu, std::make_shared<Thing>(7));
  ASSERT_NE(menu, nullptr);
  auto found = handles::Lookup<Thing>(menu, HandleKind::Menu);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->value, 7);
  EXPECT_FALSE(handles::Lookup<Thing>(menu, HandleKind::Icon));
  EXPECT_FALSE(handles::Lookup<Thing>(menu, kGdiObjectKinds));
  EXPECT_TRUE(handles::Lookup<Thing>(menu, HandleKinds{HandleKind::Icon, HandleKind::Menu}));
  EXPECT_EQ(handles::KindOfHandle(reinterpret_cast<uintptr_t>(menu)), HandleKind::Menu);
  EXPECT_FALSE(handles::Destroy(menu, HandleKind::Cursor));  // the wrong kind leaves it alone
  EXPECT_TRUE(handles::Destroy(menu, HandleKind::Menu));
  EXPECT_FALSE(handles::Lookup<Thing>(menu, HandleKind::Menu));
  EXPECT_FALSE(handles::Destroy(menu, HandleKind::Menu));
  EXPECT_FALSE(handles::KindOfHandle(reinterpret_cast<uintptr_t>(menu)));
}

TEST(HandleTable, RefusesNullAndMadeUpHandles) {
  for (uintptr_t value : {uintptr_t{0}, uintptr_t{1}, uintptr_t{31}, uintptr_t{0xFF}, ~uintptr_t{0},
                          (uintptr_t{1} << 40) | static_cast<uintptr_t>(HandleKind::Window)}) {
    SCOPED_TRACE(value);
    EXPECT_FALSE(handles::FindHandle(value, HandleKind::Window));
    EXPECT_FALSE(handles::TakeHandle(value, HandleKind::Window));
  }
  EXPECT_EQ(handles::Create<void*>(HandleKind::Window, std::shared_ptr<Thing>()), nullptr);
}

TEST(HandleTable, AClosedHandleNeverComesBack) {
  std::set<void*> seen;
  for (int i = 0; i < 1000; ++i) {
    auto* h = handles::Create<void*>(HandleKind::Accelerator, std::make_shared<Thing>(i));
    EXPECT_TRUE(seen.insert(h).second) << "handle given out twice";
    ASSERT_TRUE(handles::Destroy(h, HandleKind::Accelerator));
  }
  for (void* old : seen) EXPECT_FALSE(handles::Lookup<Thing>(old, HandleKind::Accelerator));
}

TEST(HandleTable, PermanentEntriesCannotBeDestroyed) {
  auto* h = handles::Create<void*>(HandleKind::Cursor, std::make_shared<Thing>(1), handles::Lifetime::Permanent);
  EXPECT_FALSE(handles::Destroy(h, HandleKind::Cursor));
  EXPECT_TRUE(handles::Lookup<Thing>(h, HandleKind::Cursor));
}

TEST(HandleTable, EnumeratesOneKindOldestFirst) {
  std::vector<void*> made;
  for (int i = 0; i < 5; ++i) made.push_back(handles::Create<void*>(HandleKind::Icon, std::make_shared<Thing>(i)));
  auto* other = handles::Create<void*>(HandleKind::Window, std::make_shared<Thing>(99));
  ASSERT_TRUE(handles::Destroy(made[2], HandleKind::Icon));
  std::vector<void*> listed;
  for (void* h : handles::Enumerate<void*>(HandleKind::Icon))
    if (std::find(made.begin(), made.end(), h) != made.end()) listed.push_back(h);
  EXPECT_EQ(listed, (std::vector<void*>{made[0], made[1], made[3], made[4]}));
  for (void* h : listed) handles::Destroy(h, HandleKind::Icon);
  handles::Destroy(other, HandleKind::Window);
}

TEST(HandleTable, AnObjectOutlivesItsHandleWhileSomeoneHoldsIt) {
  auto* h = handles::Create<void*>(HandleKind::Window, std::make_shared<Thing>(5));
  auto held = handles::Lookup<Thing>(h, HandleKind::Window);
  ASSERT_TRUE(handles::Destroy(h, HandleKind::Window));
  EXPECT_EQ(held->value, 5);  // still alive: the sanitizer would report a use after free
}

// Threads make, look up and destroy handles of their own while looking up one
// shared handle; every lookup of a live handle succeeds and no handle repeats.
TEST(HandleTable, ManyThreadsAtOnce) {
  auto* shared = handles::Create<void*>(HandleKind::Menu, std::make_shared<Thing>(42));
  constexpr int kThreads = 8;
  constexpr int kRounds = 2000;
  std::atomic<int> failures{0};
  std::vector<std::vector<void*>> made(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kRounds; ++i) {
        auto* h = handles::Create<void*>(HandleKind::Menu, std::make_shared<Thing>(i));
        made[t].push_back(h);
        auto mine = handles::Lookup<Thing>(h, HandleKind::Menu);
        auto common = handles::Lookup<Thing>(shared, HandleKind::Menu);
        if (!mine || mine->value != i || !common || common->value != 42) ++failures;
        if (!handles::Destroy(h, HandleKind::Menu)) ++failures;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
  std::set<void*> all;
  for (const auto& list : made) all.insert(list.begin(), list.end());
  EXPECT_EQ(all.size(), static_cast<size_t>(kThreads * kRounds));
  handles::Destroy(shared, HandleKind::Menu);
}

}  // namespace
