#include "foundation/system/system_message.h"

#include <atomic>
#include <cstdio>

FOUNDATION_BEGIN

namespace {
std::atomic<SystemMessageHandler> g_handler{nullptr};
}  // namespace

SystemMessageHandler SetSystemMessageHandler(SystemMessageHandler handler) { return g_handler.exchange(handler); }

SystemMessageHandler GetSystemMessageHandler() { return g_handler.load(); }

void ShowSystemMessage(const char* text, const char* caption) {
  if (SystemMessageHandler h = g_handler.load()) {
    h(text, caption);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

FOUNDATION_END
