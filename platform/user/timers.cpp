// Timers and the layer's clock. The clock is real time (milliseconds since an
// arbitrary start) unless a test freezes it, after which it moves only when
// the test advances it, so timer tests never sleep. A due timer becomes one
// WM_TIMER when its thread's queue is otherwise empty; it is due again one
// period after it was read, never piling up.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <string_view>

#include "platform/display/display.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

struct Timer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  DWORD thread = 0;
  UINT elapse = 0;
  DWORD due = 0;
  TIMERPROC proc = nullptr;
  bool caret = false;  // the thread's caret blink, never a WM_TIMER
};

struct TimerTable {
  std::mutex mutex;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimerId = 1;
};
TimerTable& Timers() {
  static auto* table = new TimerTable;
  return *table;
}

std::atomic<bool> g_virtual{false};
std::atomic<DWORD> g_virtualNow{0};

DWORD RealNow() {
  static const auto start = std::chrono::steady_clock::now();
  return static_cast<DWORD>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

bool Due(DWORD due, DWORD now) { return static_cast<int32_t>(now - due) >= 0; }

bool CaretClockRuns() {
  return g_virtual.load() || std::string_view(display::Current().Name()) != "headless";
}

}  // namespace

DWORD Now() { return g_virtual.load() ? g_virtualNow.load() : RealNow(); }

void SetVirtualClock(bool on, DWORD start) {
  g_virtualNow.store(start);
  g_virtual.store(on);
}

void AdvanceClock(DWORD milliseconds) {
  g_virtualNow.fetch_add(milliseconds);
  std::vector<DWORD> threads;
  {
    std::lock_guard lock(Timers().mutex);
    for (const Timer& t : Timers().timers) threads.push_back(t.thread);
  }
  std::sort(threads.begin(), threads.end());
  threads.erase(std::unique(threads.begin(), threads.end()), threads.end());
  for (DWORD t : threads) WakeThread(t);
}

bool TimerDue(DWORD thread, MSG& msg, bool remove, HWND filter) {
  const DWORD now = Now();
  std::lock_guard lock(Timers().mutex);
  for (Timer& t : Timers().timers) {
    if (t.thread != thread || t.caret || !Due(t.due, now)) continue;
    if (filter && filter != reinterpret_cast<HWND>(-1) && t.window != filter) continue;
    if (filter == reinterpret_cast<HWND>(-1) && t.window) continue;
    POINT pt{};
    msg = MSG{t.window, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), now, pt};
    if (remove) t.due = now + std::max<UINT>(t.elapse, 1);
    return true;
  }
  return false;
}

bool NextTimer(DWORD thread, DWORD& due) {
  if (g_virtual.load()) return false;  // a frozen clock never makes a timer due by waiting
  std::lock_guard lock(Timers().mutex);
  bool any = false;
  const bool caret = CaretClockRuns();
  for (const Timer& t : Timers().timers) {
    if (t.thread != thread || (t.caret && !caret)) continue;
    if (!any || static_cast<int32_t>(t.due - due) < 0) due = t.due;
    any = true;
  }
  return any;
}

void StartCaretTimer(HWND window, UINT elapse) {
  StopCaretTimer();
  std::lock_guard lock(Timers().mutex);
  Timers().timers.push_back(Timer{window, 0, ThisThread(), elapse, Now() + elapse, nullptr, true});
}

void StopCaretTimer() {
  std::lock_guard lock(Timers().mutex);
  auto& list = Timers().timers;
  const DWORD thread = ThisThread();
  list.erase(std::remove_if(list.begin(), list.end(), [&](const Timer& t) { return t.caret && t.thread == thread; }),
             list.end());
}

bool CaretBlinkDue(DWORD thread) {
  if (!CaretClockRuns()) return false;
  const DWORD now = Now();
  std::lock_guard lock(Timers().mutex);
  for (Timer& t : Timers().timers)
    if (t.caret && t.thread == thread && Due(t.due, now)) {
      t.due = now + t.elapse;
      return true;
    }
  return false;
}

void KillWindowTimers(HWND window) {
  std::lock_guard lock(Timers().mutex);
  auto& list = Timers().timers;
  list.erase(std::remove_if(list.begin(), list.end(), [&](const Timer& t) { return t.window == window; }),
             list.end());
}

bool TimerProcValid(HWND window, UINT_PTR id, TIMERPROC proc) {
  std::lock_guard lock(Timers().mutex);
  for (const Timer& t : Timers().timers)
    if (!t.caret && t.window == window && t.id == id && t.proc == proc) return true;
  return false;
}

}  // namespace user

using namespace user;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  DWORD thread = ThisThread();
  if (window) {
    WindowPtr w = FindWin(window);
    if (!w) return 0;
    UserLock lock;
    if (w->thread != ThisThread()) return Fail(ERROR_INVALID_WINDOW_HANDLE);
  }
  // Periods are held between 10 ms and 0x7FFFFFFF ms, as documented.
  elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
  ThisQueue();
  std::lock_guard lock(Timers().mutex);
  auto& list = Timers().timers;
  if (window) {
    for (Timer& t : list)
      if (t.window == window && t.id == id && !t.caret) {
        t.elapse = elapse;
        t.due = Now() + elapse;
        t.proc = proc;
        return id;
      }
  } else {
    id = Timers().nextThreadTimerId++;
  }
  list.push_back(Timer{window, id, thread, elapse, Now() + elapse, proc});
  return window ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  std::lock_guard lock(Timers().mutex);
  auto& list = Timers().timers;
  auto it = std::find_if(list.begin(), list.end(), [&](const Timer& t) {
    return !t.caret && t.window == window && t.id == id && (window || t.thread == ThisThread());
  });
  if (it == list.end()) return Fail(ERROR_INVALID_PARAMETER);
  list.erase(it);
  return TRUE;
}
