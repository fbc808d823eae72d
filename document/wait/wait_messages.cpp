#include "document/wait/wait_messages.h"

#include <vector>

namespace {

// Disables the thread's enabled top-level windows for its lifetime, as a
// modal loop would: painting goes on, clicks and keys are refused.
class InputHold {
 public:
  InputHold() { EnumThreadWindows(GetCurrentThreadId(), &InputHold::Collect, reinterpret_cast<LPARAM>(this)); }
  ~InputHold() {
    for (HWND w : held_)
      if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

 private:
  static BOOL Collect(HWND window, LPARAM self) {
    if (IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      reinterpret_cast<InputHold*>(self)->held_.push_back(window);
    }
    return TRUE;
  }
  std::vector<HWND> held_;
};

// Messages dispatched before the handles are looked at again: a window that
// posts itself a message for every one it handles cannot hold the wait.
constexpr int kDispatchBatch = 64;

// Dispatches the queued messages (at most a batch); false when WM_QUIT came,
// which is posted again so that the caller's own loop still ends.
bool DispatchQueued() {
  MSG msg;
  for (int n = 0; n < kDispatchBatch && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace

DWORD WaitWithMessages(DWORD count, const HANDLE* handles, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  DWORD remaining = timeoutMs;
  const InputHold hold;
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjectsEx(count, handles, remaining, QS_ALLINPUT, 0);
    if (result != WAIT_OBJECT_0 + count) return result;
    if (!DispatchQueued()) return WAIT_TIMEOUT;
    if (timeoutMs == INFINITE) continue;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return WAIT_TIMEOUT;
    remaining = timeoutMs - elapsed;
  }
}

DWORD WaitOneWithMessages(HANDLE handle, DWORD timeoutMs) { return WaitWithMessages(1, &handle, timeoutMs); }
