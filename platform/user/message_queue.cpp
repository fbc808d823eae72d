// Per-thread message queues: posting, reading (PeekMessage, GetMessage) in
// the documented order (sent messages, posted messages and input, WM_QUIT,
// then WM_PAINT and WM_TIMER made when nothing else waits), dispatching,
// and waiting (hooks are in hooks.cpp).
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <span>
#include <unordered_map>

#include "platform/display/display.h"
#include "platform/kernel/handle_table.h"
#include "platform/kernel/wait_internal.h"
#include "platform/user/window_internal.h"

namespace user {

QueueWake::~QueueWake() {
  if (fd_ >= 0) close(fd_);
}

void QueueWake::notify_all() {
  cv_.notify_all();
  if (fd_ >= 0) {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(fd_, &one, sizeof one);
  }
}

int QueueWake::Descriptor() {
  if (fd_ < 0) fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  return fd_;
}

void QueueWake::Drain() {
  uint64_t count;
  if (fd_ >= 0) [[maybe_unused]] const ssize_t n = read(fd_, &count, sizeof count);
}

namespace {

struct QueueRegistry {
  std::mutex mutex;
  std::unordered_map<DWORD, std::weak_ptr<Queue>> queues;
};
QueueRegistry& Queues() {
  static auto* registry = new QueueRegistry;
  return *registry;
}

// The windows a thread made go with it: each whose parent belongs to another
// thread (or is the desktop) is destroyed, and its children with it.
void DestroyThreadWindows(DWORD thread) {
  std::vector<HWND> roots;
  for (const WindowPtr& w : AllWindows()) {
    UserLock lock;
    if (w->desktop || w->thread != thread || w->life == Life::Dead) continue;
    if (!w->parent || w->parent->desktop || w->parent->thread != thread) roots.push_back(w->handle);
  }
  for (HWND h : roots)
    if (IsWindow(h)) DestroyWindow(h);
}

// The thread's queue lives as long as the thread; messages still waiting
// for an answer from it are answered with 0 when it goes.
struct QueueHolder {
  QueuePtr queue;
  ~QueueHolder() {
    if (!queue) return;
    DestroyThreadWindows(queue->thread);
    // A thread's hooks end with it.
    std::vector<Hook> hooks;
    {
      std::lock_guard lock(queue->mutex);
      hooks.swap(queue->hooks);
    }
    for (const Hook& h : hooks) handles::Destroy(h.handle, HandleKind::Hook);
    {
      std::lock_guard lock(Queues().mutex);
      Queues().queues.erase(queue->thread);
    }
    std::deque<SentPtr> pending;
    {
      std::lock_guard lock(queue->mutex);
      pending.swap(queue->sent);
    }
    for (auto& s : pending) {
      QueuePtr sender = QueueOf(s->senderThread);
      if (!sender) continue;
      std::lock_guard lock(sender->mutex);
      s->replied = true;
      sender->wake.notify_all();
    }
  }
};
thread_local QueueHolder t_queue;

bool InRange(UINT message, UINT first, UINT last) {
  if (first == 0 && last == 0) return true;
  return message >= first && message <= last;
}

bool WindowMatches(HWND target, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return target == nullptr;
  if (target == filter) return true;
  return target && IsChild(filter, target);
}

DWORD QueueBitFor(UINT message) {
  if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) return QS_MOUSEMOVE;
  if ((message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) ||
      (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK))
    return QS_MOUSEBUTTON;
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST) return QS_KEY;
  return QS_POSTMESSAGE;
}

// Key and button state as of the message now read.
void NoteInput(Queue& queue, const MSG& msg) {
  auto setKey = [&](int vk, bool down) {
    BYTE& k = queue.keyState[vk & 0xFF];
    if (down && !(k & 0x80)) k ^= 0x01;  // toggled on each press
    k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
  };
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // Alt or F10 let go with no other key or button between enters the menu bar.
      const int vk = static_cast<int>(msg.wParam);
      const bool repeat = (static_cast<DWORD>(msg.lParam) & 0x40000000) != 0;
      if (vk == VK_MENU || vk == VK_F10) {
        if (!repeat) queue.menuKeyAlone = vk;
      } else {
        queue.menuKeyAlone = 0;
      }
      setKey(vk, true);
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: setKey(static_cast<int>(msg.wParam), false); break;
    default: break;
  }
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.message != WM_MOUSEWHEEL &&
      msg.message != WM_MOUSEHWHEEL) {
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) queue.menuKeyAlone = 0;
    setKey(VK_LBUTTON, (msg.wParam & MK_LBUTTON) != 0);
    setKey(VK_RBUTTON, (msg.wParam & MK_RBUTTON) != 0);
    setKey(VK_MBUTTON, (msg.wParam & MK_MBUTTON) != 0);
  }
}

// Posted messages come before input (so the WM_CHAR that TranslateMessage
// posts is read before the key's WM_KEYUP), each kind in order.
bool TakePosted(Queue& queue, MSG& msg, HWND filter, UINT first, UINT last, bool remove) {
  std::lock_guard lock(queue.mutex);
  for (int pass = 0; pass < 2; ++pass) {
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
      const bool input = QueueBitFor(it->message) != QS_POSTMESSAGE;
      if (input != (pass == 1)) continue;
      if (!InRange(it->message, first, last)) continue;
      if (!WindowMatches(it->hwnd, filter)) continue;
      msg = *it;
      if (remove) queue.posted.erase(it);
      return true;
    }
  }
  return false;
}

// Reads one message without waiting; the core of PeekMessage and GetMessage.
bool ReadMessage(MSG& msg, HWND filter, UINT first, UINT last, UINT remove) {
  Queue& queue = ThisQueue();
  // What the display has for this thread becomes device input first.
  display::Current().Pump();
  AnswerSentMessages(queue);
  BlinkCaretIfDue(queue);
  bool found = TakePosted(queue, msg, filter, first, last, remove & PM_REMOVE);
  while (!found && CookDeviceEvent(queue)) {
    AnswerSentMessages(queue);
    found = TakePosted(queue, msg, filter, first, last, remove & PM_REMOVE);
  }
  if (!found) {
    std::lock_guard lock(queue.mutex);
    if (queue.quit && (filter == nullptr || filter == reinterpret_cast<HWND>(-1)) && InRange(WM_QUIT, first, last)) {
      msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, Now(), queue.last.pt};
      if (remove & PM_REMOVE) queue.quit = false;
      found = true;
    }
  }
  if (!found && InRange(WM_PAINT, first, last)) {
    if (HWND painter = PaintNeeded(queue.thread, filter)) {
      POINT pt{};
      GetCursorPos(&pt);
      msg = MSG{painter, WM_PAINT, 0, 0, Now(), pt};
      found = true;
    }
  }
  if (!found && InRange(WM_TIMER, first, last)) found = TimerDue(queue.thread, msg, remove & PM_REMOVE, filter);
  if (!found) return false;
  if (remove & PM_REMOVE) {
    NoteInput(queue, msg);
    queue.last = msg;
  }
  RunGetMessageHooks(queue, msg, remove);
  return true;
}

}  // namespace

DWORD ThisThread() { return GetCurrentThreadId(); }

Queue& ThisQueue() {
  if (!t_queue.queue) {
    auto q = std::make_shared<Queue>();
    q->thread = ThisThread();
    q->caret.hideCount = 1;
    {
      std::lock_guard lock(Queues().mutex);
      Queues().queues[q->thread] = q;
    }
    t_queue.queue = std::move(q);
  }
  return *t_queue.queue;
}

QueuePtr QueueOf(DWORD thread) {
  if (thread == ThisThread()) {
    ThisQueue();
    return t_queue.queue;
  }
  std::lock_guard lock(Queues().mutex);
  auto it = Queues().queues.find(thread);
  return it == Queues().queues.end() ? nullptr : it->second.lock();
}

void WakeThread(DWORD thread) {
  QueuePtr q = QueueOf(thread);
  if (!q) return;
  std::lock_guard lock(q->mutex);
  q->wake.notify_all();
}

// Wakes a thread's queue wait for a signalled kernel object: the wait then
// looks at its handles again.
static void WakeForObject(DWORD thread) {
  QueuePtr q = QueueOf(thread);
  if (!q) return;
  std::lock_guard lock(q->mutex);
  q->changed |= kQueueObjectSignalled;
  q->wake.notify_all();
}

bool PostTo(DWORD thread, const MSG& msg) {
  QueuePtr q = QueueOf(thread);
  if (!q) return false;
  std::lock_guard lock(q->mutex);
  q->posted.push_back(msg);
  q->changed |= QueueBitFor(msg.message);
  q->wake.notify_all();
  return true;
}

void PostInput(DWORD thread, const MSG& msg) {
  QueuePtr q = QueueOf(thread);
  if (!q) return;
  std::lock_guard lock(q->mutex);
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    // A move that nobody read yet is replaced by the newer one.
    if (!q->posted.empty()) {
      MSG& back = q->posted.back();
      if (back.message == msg.message && back.hwnd == msg.hwnd) {
        back = msg;
        return;
      }
    }
  }
  q->posted.push_back(msg);
  q->changed |= QueueBitFor(msg.message);
  q->wake.notify_all();
}

}  // namespace user

using namespace user;

namespace {

BOOL PostImpl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  POINT pt{};
  GetCursorPos(&pt);
  if (!window) return PostTo(ThisThread(), MSG{nullptr, message, wParam, lParam, Now(), pt}) ? TRUE : FALSE;
  if (window == reinterpret_cast<HWND>(0xFFFF)) {  // HWND_BROADCAST: every top-level window
    std::vector<std::pair<HWND, DWORD>> targets;
    {
      UserLock lock;
      for (const Window* w : Desktop().children) targets.emplace_back(w->handle, w->thread);
    }
    for (auto& [h, t] : targets) PostTo(t, MSG{h, message, wParam, lParam, Now(), pt});
    return TRUE;
  }
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  DWORD thread;
  {
    UserLock lock;
    if (w->life == Life::Dead || w->desktop) return Fail(ERROR_INVALID_WINDOW_HANDLE);
    thread = w->thread;
  }
  if (!PostTo(thread, MSG{window, message, wParam, lParam, Now(), pt})) return Fail(ERROR_INVALID_THREAD_ID);
  return TRUE;
}

WPARAM AnsiCharToWide(UINT message, WPARAM wParam) {
  if (message != WM_CHAR && message != WM_SYSCHAR && message != WM_DEADCHAR) return wParam;
  char bytes[2];
  int n = 0;
  if (wParam > 0xFF) bytes[n++] = static_cast<char>((wParam >> 8) & 0xFF);
  bytes[n++] = static_cast<char>(wParam & 0xFF);
  const std::u16string wide = ToWide(bytes, n);
  return wide.empty() ? u'?' : wide[0];
}

void WideCharToAnsiMsg(MSG& msg) {
  if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR && msg.message != WM_DEADCHAR) return;
  const char16_t c = static_cast<char16_t>(msg.wParam);
  const std::string bytes = ToAnsi(std::u16string_view(&c, 1));
  if (bytes.size() == 2)
    msg.wParam = static_cast<BYTE>(bytes[1]) | (static_cast<WPARAM>(static_cast<BYTE>(bytes[0])) << 8);
  else
    msg.wParam = bytes.empty() ? '?' : static_cast<BYTE>(bytes[0]);
}

bool BadFilter(HWND filter) {
  if (!filter || filter == reinterpret_cast<HWND>(-1)) return false;
  WindowPtr w = FindWin(filter);
  if (!w) return true;
  UserLock lock;
  if (w->thread != ThisThread()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return true;
  }
  return false;
}

// The thread that reads the display waits on the display's descriptor and
// on its queue's at once: nothing polls.
void WaitWithDisplay(Queue& queue, std::unique_lock<std::mutex>& lock, int displayFd,
                     std::chrono::steady_clock::time_point until) {
  const int wakeFd = queue.wake.Descriptor();
  lock.unlock();
  // Events the display already read are reported first (they would never
  // make its descriptor readable again).
  display::Current().Pump();
  int timeout = -1;
  if (until != std::chrono::steady_clock::time_point::max()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
    timeout = static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
  }
  pollfd fds[2] = {{displayFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
  while (poll(fds, wakeFd >= 0 ? 2 : 1, timeout) < 0 && errno == EINTR) {
  }
  lock.lock();
  queue.wake.Drain();
}

// Waits until something may have arrived for the thread, or the deadline.
// Returns false when the deadline passed.
bool WaitForQueue(Queue& queue, const std::chrono::steady_clock::time_point* deadline) {
  std::unique_lock lock(queue.mutex);
  if (!queue.sent.empty() || queue.changed || !queue.device.empty()) {
    queue.changed = 0;
    return true;
  }
  DWORD due = 0;
  lock.unlock();
  const bool timer = NextTimer(queue.thread, due);
  lock.lock();
  auto until = std::chrono::steady_clock::time_point::max();
  if (deadline) until = *deadline;
  if (timer) {
    const DWORD now = Now();
    const auto wait = std::chrono::milliseconds(due > now ? due - now : 0);
    until = std::min(until, std::chrono::steady_clock::now() + wait);
  }
  if (const int displayFd = display::Current().WaitDescriptor(); displayFd >= 0) {
    WaitWithDisplay(queue, lock, displayFd, until);
  } else if (until == std::chrono::steady_clock::time_point::max()) {
    queue.wake.wait(lock, [&] { return !queue.sent.empty() || queue.changed || !queue.device.empty(); });
  } else {
    // Device input may come from the display's thread, for this thread's windows.
    queue.wake.wait_until(lock, until, [&] { return !queue.sent.empty() || queue.changed || !queue.device.empty(); });
  }
  queue.changed = 0;
  return !deadline || std::chrono::steady_clock::now() < *deadline;
}

}  // namespace

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostImpl(window, message, wParam, lParam);
}
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostImpl(window, message, AnsiCharToWide(message, wParam), lParam);
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  POINT pt{};
  GetCursorPos(&pt);
  if (!PostTo(threadId, MSG{nullptr, message, wParam, lParam, Now(), pt})) return Fail(ERROR_INVALID_THREAD_ID);
  return TRUE;
}
BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostThreadMessageW(threadId, message, AnsiCharToWide(message, wParam), lParam);
}

void PostQuitMessage(int exitCode) {
  Queue& q = ThisQueue();
  std::lock_guard lock(q.mutex);
  q.quit = true;
  q.quitCode = exitCode;
  q.changed |= QS_POSTMESSAGE;
  q.wake.notify_all();
}

BOOL PeekMessageW(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
  if (!msg) return Fail(ERROR_INVALID_PARAMETER);
  if (BadFilter(window)) return FALSE;
  return ReadMessage(*msg, window, first, last, remove) ? TRUE : FALSE;
}

BOOL PeekMessageA(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
  const BOOL got = PeekMessageW(msg, window, first, last, remove);
  if (got) WideCharToAnsiMsg(*msg);
  return got;
}

BOOL GetMessageW(LPMSG msg, HWND window, UINT first, UINT last) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (BadFilter(window)) return -1;
  Queue& queue = ThisQueue();
  for (;;) {
    if (ReadMessage(*msg, window, first, last, PM_REMOVE)) return msg->message == WM_QUIT ? 0 : 1;
    WaitForQueue(queue, nullptr);
  }
}

BOOL GetMessageA(LPMSG msg, HWND window, UINT first, UINT last) {
  const BOOL got = GetMessageW(msg, window, first, last);
  if (got > 0) WideCharToAnsiMsg(*msg);
  return got;
}

BOOL WaitMessage() {
  Queue& queue = ThisQueue();
  MSG msg;
  while (!ReadMessage(msg, nullptr, 0, 0, PM_NOREMOVE)) WaitForQueue(queue, nullptr);
  return TRUE;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds, DWORD wakeMask,
                                  DWORD flags) {
  if (count > MAXIMUM_WAIT_OBJECTS || (count && !handles) || (flags & MWMO_WAITALL)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  const std::span<const HANDLE> objects(handles, count);
  if (!kernel::AreWaitable(objects)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  Queue& queue = ThisQueue();
  // A signal from another thread wakes this queue's wait to look again.
  const kernel::WaitWatch watch(objects, [thread = queue.thread] { WakeForObject(thread); });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    AnswerSentMessages(queue);
    if (const int index = kernel::TryWaitAny(objects); index >= 0) return WAIT_OBJECT_0 + static_cast<DWORD>(index);
    if (GetQueueStatus(wakeMask) >> 16) return WAIT_OBJECT_0 + count;
    if (milliseconds == 0) return WAIT_TIMEOUT;
    if (!WaitForQueue(queue, milliseconds == INFINITE ? nullptr : &deadline)) {
      if (const int index = kernel::TryWaitAny(objects); index >= 0)
        return WAIT_OBJECT_0 + static_cast<DWORD>(index);
      if (GetQueueStatus(wakeMask) >> 16) return WAIT_OBJECT_0 + count;
      return WAIT_TIMEOUT;
    }
  }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, DWORD wakeMask) {
  return MsgWaitForMultipleObjectsEx(count, handles, milliseconds, wakeMask, waitAll ? MWMO_WAITALL : 0);
}

DWORD GetQueueStatus(UINT flags) {
  Queue& queue = ThisQueue();
  DWORD now = 0;
  {
    std::lock_guard lock(queue.mutex);
    for (const MSG& m : queue.posted) now |= QueueBitFor(m.message);
    for (const DeviceEvent& e : queue.device)
      now |= e.kind == DeviceEvent::Kind::Move ? QS_MOUSEMOVE
             : e.kind == DeviceEvent::Kind::Key || e.kind == DeviceEvent::Kind::Char ? QS_KEY
                                                                                     : QS_MOUSEBUTTON;
    if (queue.quit) now |= QS_POSTMESSAGE;
    if (!queue.sent.empty()) now |= QS_SENDMESSAGE;
  }
  if (PaintNeeded(queue.thread, nullptr)) now |= QS_PAINT;
  MSG timer;
  if (TimerDue(queue.thread, timer, false, nullptr)) now |= QS_TIMER;
  now &= flags;
  return (now << 16) | now;
}

BOOL GetInputState() { return (GetQueueStatus(QS_INPUT) >> 16) != 0; }
DWORD GetMessageTime() { return ThisQueue().last.time; }
DWORD GetMessagePos() {
  const POINT p = ThisQueue().last.pt;
  return MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}
LPARAM GetMessageExtraInfo() { return 0; }

namespace {

LRESULT DispatchImpl(const MSG* msg, bool ansi) {
  if (!msg) return static_cast<LRESULT>(Fail(ERROR_INVALID_PARAMETER));
  if (msg->message == WM_TIMER && msg->lParam) {
    // Only a procedure of a live timer is called: lParam is not trusted.
    if (!TimerProcValid(msg->hwnd, msg->wParam, reinterpret_cast<TIMERPROC>(msg->lParam))) return 0;
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  if (!msg->hwnd) return 0;
  WindowPtr w = FindWin(msg->hwnd);
  if (!w) return 0;
  {
    UserLock lock;
    if (w->thread != ThisThread()) return static_cast<LRESULT>(Fail(ERROR_MESSAGE_SYNC_ONLY));
  }
  if (msg->message == WM_PAINT) {
    const LRESULT r = CallProc(w, WM_PAINT, msg->wParam, msg->lParam);
    // A window that answers WM_PAINT without painting would be asked forever.
    UserLock lock;
    if (w->life != Life::Dead && (!w->update.Empty() || w->framePending || w->internalPaint)) {
      w->update = gdi::SpanRegion();
      w->framePending = w->erasePending = w->internalPaint = false;
    }
    return r;
  }
  if (!ansi) return CallProc(w, msg->message, msg->wParam, msg->lParam);
  WNDPROC proc;
  bool unicode;
  {
    UserLock lock;
    if (w->life == Life::Dead) return 0;
    proc = w->proc;
    unicode = w->unicode;
  }
  return CallProcA(proc, unicode, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

}  // namespace

LRESULT DispatchMessageW(const MSG* msg) { return DispatchImpl(msg, false); }
LRESULT DispatchMessageA(const MSG* msg) { return DispatchImpl(msg, true); }

