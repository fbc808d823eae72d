// Sending messages: within a thread a call; to another thread queued to the
// owner while the sender waits, answering whatever is sent to it meanwhile,
// so two threads that send to each other both complete.
#include <chrono>

#include "platform/user/window_internal.h"

namespace user {
namespace {

// Marks a sent message answered and wakes its sender.
void Reply(const SentPtr& s, LRESULT result) {
  QueuePtr sender = QueueOf(s->senderThread);
  if (!sender) return;
  std::lock_guard lock(sender->mutex);
  if (s->replied) return;
  s->result = result;
  s->replied = true;
  if (s->callback) {
    // The callback runs on the sender's thread when it next reads messages.
    auto back = std::make_shared<SentMessage>(*s);
    back->notify = true;
    back->window = nullptr;
    sender->sent.push_back(std::move(back));
  }
  sender->wake.notify_all();
}

// Waits for the answer to `s`, answering messages sent to this thread.
// Returns false at the deadline.
bool AwaitReply(const SentPtr& s, const std::chrono::steady_clock::time_point* deadline) {
  Queue& me = ThisQueue();
  for (;;) {
    {
      std::unique_lock lock(me.mutex);
      auto ready = [&] { return s->replied || !me.sent.empty(); };
      if (deadline) {
        if (!me.wake.wait_until(lock, *deadline, ready)) return s->replied;
      } else {
        me.wake.wait(lock, ready);
      }
      if (s->replied) return true;
    }
    AnswerSentMessages(me);
  }
}

LRESULT SendAcross(const WindowPtr& w, DWORD thread, UINT message, WPARAM wParam, LPARAM lParam, UINT timeout,
                   bool* timedOut, bool notify, SENDASYNCPROC callback, ULONG_PTR data) {
  QueuePtr target = QueueOf(thread);
  if (!target) {
    if (timedOut) *timedOut = true;
    return 0;
  }
  auto s = std::make_shared<SentMessage>();
  s->window = w->handle;
  s->message = message;
  s->wParam = wParam;
  s->lParam = lParam;
  s->notify = notify;
  s->callback = callback;
  s->callbackData = data;
  s->senderThread = ThisThread();
  ThisQueue();  // the sender needs a queue to be woken through
  {
    std::lock_guard lock(target->mutex);
    target->sent.push_back(s);
    target->changed |= QS_SENDMESSAGE;
    target->wake.notify_all();
  }
  if (notify || callback) return TRUE;
  if (timeout == INFINITE) {
    AwaitReply(s, nullptr);
    return s->result;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout);
  if (!AwaitReply(s, &deadline)) {
    if (timedOut) *timedOut = true;
    return 0;
  }
  return s->result;
}

}  // namespace

bool AnswerSentMessages(Queue& queue) {
  bool any = false;
  for (;;) {
    SentPtr s;
    {
      std::lock_guard lock(queue.mutex);
      if (queue.sent.empty()) return any;
      s = queue.sent.front();
      queue.sent.pop_front();
    }
    any = true;
    if (s->notify && !s->window) {  // an answer coming back for SendMessageCallback
      if (s->callback) {
        Unlocked unlocked;
        s->callback(nullptr, s->message, s->callbackData, s->result);
      }
      continue;
    }
    LRESULT result = 0;
    if (WindowPtr w = FindWinQuiet(s->window)) {
      queue.receiving.push_back(s);
      result = CallProc(w, s->message, s->wParam, s->lParam);
      queue.receiving.pop_back();
    }
    if (!s->notify) Reply(s, result);
  }
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  DWORD thread;
  {
    UserLock lock;
    thread = w->thread;
  }
  if (thread == ThisThread()) return CallProc(w, message, wParam, lParam);
  return SendAcross(w, thread, message, wParam, lParam, INFINITE, nullptr, false, nullptr, 0);
}

}  // namespace user

using namespace user;

namespace {

// The A calls hand their message to the W path: the strings and characters
// in it are converted on the way in and out.
LRESULT SendA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  DWORD thread;
  WNDPROC proc;
  bool unicode;
  {
    UserLock lock;
    thread = w->thread;
    proc = w->proc;
    unicode = w->unicode;
  }
  if (thread == ThisThread()) {
    {
      UserLock lock;
      if (w->life == Life::Dead) return 0;
    }
    return CallProcA(proc, unicode, window, message, wParam, lParam);
  }
  // Across threads the message travels as W: convert here.
  switch (message) {
    case WM_SETTEXT: {
      const std::u16string text = ToWide(reinterpret_cast<LPCSTR>(lParam));
      return Send(window, message, wParam, lParam ? reinterpret_cast<LPARAM>(text.c_str()) : 0);
    }
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPSTR>(lParam);
      if (!out || !wParam) return 0;
      std::vector<WCHAR> buffer(wParam + 1, 0);
      Send(window, message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
      buffer.back() = 0;
      return CopyOut(ToAnsi(buffer.data()), out, static_cast<int>(wParam));
    }
    default: return Send(window, message, wParam, lParam);
  }
}

}  // namespace

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Send(window, message, wParam, lParam);
}
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendA(window, message, wParam, lParam);
}

LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT, UINT timeout,
                            PDWORD_PTR result) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  DWORD thread;
  {
    UserLock lock;
    thread = w->thread;
  }
  LRESULT answer;
  if (thread == ThisThread()) {
    answer = CallProc(w, message, wParam, lParam);
  } else {
    bool timedOut = false;
    answer = SendAcross(w, thread, message, wParam, lParam, timeout, &timedOut, false, nullptr, 0);
    if (timedOut) {
      SetLastError(ERROR_TIMEOUT);
      return 0;
    }
  }
  if (result) *result = static_cast<DWORD_PTR>(answer);
  return TRUE;
}

LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                            PDWORD_PTR result) {
  if (message == WM_SETTEXT && lParam) {
    const std::u16string text = ToWide(reinterpret_cast<LPCSTR>(lParam));
    return SendMessageTimeoutW(window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()), flags, timeout,
                               result);
  }
  return SendMessageTimeoutW(window, message, wParam, lParam, flags, timeout, result);
}

BOOL SendNotifyMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  DWORD thread;
  {
    UserLock lock;
    thread = w->thread;
  }
  if (thread == ThisThread()) {
    CallProc(w, message, wParam, lParam);
    return TRUE;
  }
  return SendAcross(w, thread, message, wParam, lParam, INFINITE, nullptr, true, nullptr, 0) ? TRUE : FALSE;
}
BOOL SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendNotifyMessageW(window, message, wParam, lParam);
}

BOOL SendMessageCallbackW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SENDASYNCPROC callback,
                          ULONG_PTR data) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  DWORD thread;
  {
    UserLock lock;
    thread = w->thread;
  }
  if (thread == ThisThread()) {
    const LRESULT r = CallProc(w, message, wParam, lParam);
    if (callback) callback(window, message, data, r);
    return TRUE;
  }
  return SendAcross(w, thread, message, wParam, lParam, INFINITE, nullptr, false, callback, data) ? TRUE : FALSE;
}

BOOL InSendMessage() {
  Queue& q = ThisQueue();
  return !q.receiving.empty() && !q.receiving.back()->notify;
}

DWORD InSendMessageEx(LPVOID) {
  Queue& q = ThisQueue();
  if (q.receiving.empty()) return ISMEX_NOSEND;
  const SentPtr& s = q.receiving.back();
  DWORD flags = s->notify ? ISMEX_NOTIFY : ISMEX_SEND;
  if (s->replied) flags |= ISMEX_REPLIED;
  return flags;
}

BOOL ReplyMessage(LRESULT result) {
  Queue& q = ThisQueue();
  if (q.receiving.empty() || q.receiving.back()->notify) return FALSE;
  SentPtr s = q.receiving.back();
  QueuePtr sender = QueueOf(s->senderThread);
  if (!sender) return FALSE;
  std::lock_guard lock(sender->mutex);
  if (s->replied) return FALSE;
  s->result = result;
  s->replied = true;
  sender->wake.notify_all();
  return TRUE;
}
