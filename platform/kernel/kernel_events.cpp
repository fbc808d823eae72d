// Events and the waits on them. Every event's state is kept under one
// process-wide lock with one condition variable: a wait on several handles
// then needs no per-object bookkeeping, and a SetEvent wakes every waiter to
// look again. Watches let the window layer's queue waits hear signals too.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "platform/kernel/kernel_internal.h"
#include "platform/kernel/wait_internal.h"

namespace kernel {
namespace {

struct Event : KernelObject {
  Event(bool manual, bool initial) : KernelObject(HandleKind::Event), manualReset(manual), signalled(initial) {}
  const bool manualReset;
  bool signalled;  // under WaitState::lock
};

struct Watch {
  std::vector<const Event*> events;
  std::function<void()> wake;
};

struct WaitState {
  std::mutex lock;
  std::condition_variable changed;
  std::map<int, Watch> watches;
  int nextWatch = 1;
};

WaitState& State() {
  static WaitState state;
  return state;
}

// The events behind the handles, or nothing when one is not an event.
bool Resolve(std::span<const HANDLE> handles, std::vector<std::shared_ptr<Event>>& events) {
  events.clear();
  for (HANDLE h : handles) {
    auto event = std::dynamic_pointer_cast<Event>(LookupHandle(h));
    if (!event) return false;
    events.push_back(std::move(event));
  }
  return true;
}

void Take(Event& e) {
  if (!e.manualReset) e.signalled = false;
}

// Under the lock: the index of the satisfied wait, or -1.
int Satisfied(const std::vector<std::shared_ptr<Event>>& events, bool all) {
  if (all) {
    if (!std::all_of(events.begin(), events.end(), [](const auto& e) { return e->signalled; })) return -1;
    for (const auto& e : events) Take(*e);
    return 0;
  }
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i]->signalled) {
      Take(*events[i]);
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::shared_ptr<Event> EventOf(HANDLE handle) {
  auto event = std::dynamic_pointer_cast<Event>(LookupHandle(handle));
  if (!event) SetLastError(ERROR_INVALID_HANDLE);
  return event;
}

}  // namespace

int TryWaitAny(std::span<const HANDLE> handles) {
  std::vector<std::shared_ptr<Event>> events;
  if (!Resolve(handles, events)) return -2;
  std::lock_guard hold(State().lock);
  return Satisfied(events, false);
}

bool AreWaitable(std::span<const HANDLE> handles) {
  std::vector<std::shared_ptr<Event>> events;
  return Resolve(handles, events);
}

WaitWatch::WaitWatch(std::span<const HANDLE> handles, std::function<void()> wake) {
  std::vector<std::shared_ptr<Event>> events;
  Resolve(handles, events);
  Watch watch{{}, std::move(wake)};
  for (const auto& e : events) watch.events.push_back(e.get());
  WaitState& s = State();
  std::lock_guard hold(s.lock);
  id_ = s.nextWatch++;
  s.watches.emplace(id_, std::move(watch));
}

WaitWatch::~WaitWatch() {
  WaitState& s = State();
  std::lock_guard hold(s.lock);
  s.watches.erase(id_);
}

}  // namespace kernel

HANDLE CreateEventW(SECURITY_ATTRIBUTES*, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  if (name) {
    kernel::Fail(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  return kernel::AddHandle(std::make_shared<kernel::Event>(manualReset != 0, initialState != 0));
}

HANDLE CreateEventA(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, BOOL initialState, LPCSTR name) {
  if (name) {
    kernel::Fail(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  return CreateEventW(attributes, manualReset, initialState, nullptr);
}

BOOL SetEvent(HANDLE handle) {
  auto event = kernel::EventOf(handle);
  if (!event) return FALSE;
  kernel::WaitState& s = kernel::State();
  std::vector<std::function<void()>> wakes;
  {
    std::lock_guard hold(s.lock);
    event->signalled = true;
    for (const auto& [id, watch] : s.watches)
      if (std::find(watch.events.begin(), watch.events.end(), event.get()) != watch.events.end())
        wakes.push_back(watch.wake);
  }
  s.changed.notify_all();
  for (const auto& wake : wakes) wake();
  return TRUE;
}

BOOL ResetEvent(HANDLE handle) {
  auto event = kernel::EventOf(handle);
  if (!event) return FALSE;
  std::lock_guard hold(kernel::State().lock);
  event->signalled = false;
  return TRUE;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<kernel::Event>> events;
  if (!kernel::Resolve({handles, count}, events)) {
    kernel::Fail(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  kernel::WaitState& s = kernel::State();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  std::unique_lock hold(s.lock);
  for (;;) {
    const int index = kernel::Satisfied(events, waitAll != 0);
    if (index >= 0) return WAIT_OBJECT_0 + static_cast<DWORD>(index);
    if (milliseconds == INFINITE) {
      s.changed.wait(hold);
    } else if (s.changed.wait_until(hold, deadline) == std::cv_status::timeout) {
      const int last = kernel::Satisfied(events, waitAll != 0);
      return last >= 0 ? WAIT_OBJECT_0 + static_cast<DWORD>(last) : WAIT_TIMEOUT;
    }
  }
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}
