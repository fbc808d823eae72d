// The table of kernel handles. A handle is the address of its object; the
// table keeps the object alive until the handle is closed, and callers hold a
// reference while they use it, so a close on another thread never pulls an
// object from under a running call.
#include <mutex>
#include <unordered_map>

#include "platform/kernel/kernel_internal.h"

namespace kernel {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> objects;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // outlives every static destructor
  return *table;
}

}  // namespace

HANDLE AddHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& t = Table();
  HANDLE handle = object.get();
  std::lock_guard lock(t.mutex);
  t.objects.emplace(handle, std::move(object));
  return handle;
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.objects.find(handle);
  return it == t.objects.end() ? nullptr : it->second;
}

bool RemoveHandle(HANDLE handle, bool (*matches)(const KernelObject&)) {
  std::shared_ptr<KernelObject> doomed;  // destroyed outside the lock
  HandleTable& t = Table();
  {
    std::lock_guard lock(t.mutex);
    auto it = t.objects.find(handle);
    if (it == t.objects.end() || (matches && !matches(*it->second))) return false;
    doomed = std::move(it->second);
    t.objects.erase(it);
  }
  return true;
}

}  // namespace kernel

BOOL CloseHandle(HANDLE handle) {
  if (!kernel::RemoveHandle(handle, nullptr)) return kernel::Fail(ERROR_INVALID_HANDLE);
  return TRUE;
}
