#include "fields/services/ui_messages.h"

#include <mutex>
#include <utility>

namespace {
std::mutex g_lock;
UiMessageHook g_hook = nullptr;
std::vector<UiMessage> g_recorded;
}  // namespace

UiMessageHook SetUiMessageHook(UiMessageHook hook) {
  std::lock_guard<std::mutex> hold(g_lock);
  UiMessageHook old = g_hook;
  g_hook = hook;
  return old;
}

int UiMessageBox(HWND owner, UINT id, UINT style, std::vector<std::string> args) {
  UiMessage message{id, style, std::move(args)};
  UiMessageHook hook;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    hook = g_hook;
    if (!hook) g_recorded.push_back(message);
  }
  return hook ? hook(owner, message) : 1;
}

std::vector<UiMessage> TakeUiMessages() {
  std::lock_guard<std::mutex> hold(g_lock);
  return std::exchange(g_recorded, {});
}
