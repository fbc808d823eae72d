#include "platform/framework/resources.h"

#include <atomic>

#include "platform/kernel/kernel.h"

namespace {

// Set once by the application at start-up (or by a test); read by every thread.
std::atomic<HINSTANCE> g_resources{nullptr};

}  // namespace

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() {
  HINSTANCE h = g_resources.load();
  return h ? h : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE instance) { g_resources.store(instance); }
