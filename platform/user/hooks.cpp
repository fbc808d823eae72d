// Per-thread hooks: WH_GETMESSAGE on every message read, and WH_MSGFILTER,
// which the modal loops (dialogs, message boxes, menus) call through
// CallMsgFilter before they act on a message, so a program's filter can take
// it first. Hook handles come from the one handle table: an unhooked handle
// is dead for good.
#include <algorithm>

#include "platform/kernel/handle_table.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

// What the table holds for a hook; the queue keeps the chain order.
struct HookRecord {
  int kind;
  DWORD thread;
};

bool Known(int kind) { return kind == WH_GETMESSAGE || kind == WH_MSGFILTER; }

// The newest hook of `kind` in the calling thread's chain, or the next older
// one after `after`.
HOOKPROC NextProc(Queue& q, int kind, HHOOK after) {
  std::lock_guard lock(q.mutex);
  auto it = q.hooks.rbegin();
  if (after) {
    it = std::find_if(q.hooks.rbegin(), q.hooks.rend(), [&](const Hook& h) { return h.handle == after; });
    if (it == q.hooks.rend()) return nullptr;
    ++it;
  }
  it = std::find_if(it, q.hooks.rend(), [&](const Hook& h) { return h.kind == kind; });
  return it == q.hooks.rend() ? nullptr : it->proc;
}

}  // namespace

void RunGetMessageHooks(Queue& queue, MSG& msg, UINT remove) {
  HOOKPROC newest = NextProc(queue, WH_GETMESSAGE, nullptr);
  if (!newest) return;
  // Each hook decides through CallNextHookEx whether the older ones run.
  Unlocked unlocked;
  newest(HC_ACTION, remove & PM_REMOVE, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace user

using namespace user;

HHOOK SetWindowsHookExW(int kind, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (!Known(kind) || !proc || (threadId != 0 && threadId != ThisThread())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Queue& q = ThisQueue();
  HHOOK handle = handles::Create<HHOOK>(HandleKind::Hook, std::make_shared<HookRecord>(HookRecord{kind, ThisThread()}));
  std::lock_guard lock(q.mutex);
  q.hooks.push_back(Hook{handle, kind, proc, true});
  return handle;
}
HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE instance, DWORD threadId) {
  return SetWindowsHookExW(kind, proc, instance, threadId);
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  std::shared_ptr<HookRecord> record = handles::Lookup<HookRecord>(hook, HandleKind::Hook);
  // A hook is taken off by the thread that set it, whose queue holds its place.
  if (!record || record->thread != ThisThread()) return Fail(ERROR_INVALID_HOOK_HANDLE);
  handles::Destroy(hook, HandleKind::Hook);
  Queue& q = ThisQueue();
  std::lock_guard lock(q.mutex);
  std::erase_if(q.hooks, [&](const Hook& h) { return h.handle == hook; });
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<HookRecord> record = handles::Lookup<HookRecord>(hook, HandleKind::Hook);
  if (!record) return 0;
  HOOKPROC next = NextProc(ThisQueue(), record->kind, hook);
  return next ? next(code, wParam, lParam) : 0;
}

BOOL CallMsgFilterW(LPMSG msg, int code) {
  if (!msg) return FALSE;
  HOOKPROC newest = NextProc(ThisQueue(), WH_MSGFILTER, nullptr);
  return newest && newest(code, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}
BOOL CallMsgFilterA(LPMSG msg, int code) { return CallMsgFilterW(msg, code); }
