#include "document/view/print_commands.h"

#include <atomic>

namespace {
std::atomic<const PrintCommands*> g_commands{nullptr};
}  // namespace

void SetPrintCommands(const PrintCommands* commands) { g_commands.store(commands); }
const PrintCommands* GetPrintCommands() { return g_commands.load(); }
