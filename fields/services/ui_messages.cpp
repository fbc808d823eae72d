#include "fields/services/ui_messages.h"

#include <atomic>
#include <cstdio>
#include <utility>

namespace {
std::atomic<UiMessageHook> g_hook{nullptr};
}  // namespace

UiMessageHook SetUiMessageHook(UiMessageHook hook) { return g_hook.exchange(hook); }

UiMessageHook GetUiMessageHook() { return g_hook.load(); }

int UiMessageBox(HWND owner, UINT id, UINT style, std::vector<std::string> args) {
  const UiMessage message{id, style, std::move(args)};
  if (const UiMessageHook hook = g_hook.load()) return hook(owner, message);
  std::fprintf(stderr, "message %u not shown: the program installed no message hook\n", id);
  return 1;
}
