#include "print/job/abort_flag.h"

#include <atomic>

namespace {
std::atomic<bool> g_abort{false};
}  // namespace

void SetPrintAbort() { g_abort.store(true); }
void ClearPrintAbort() { g_abort.store(false); }
bool IsPrintAborted() { return g_abort.load(); }
