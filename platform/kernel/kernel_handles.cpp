// Kernel handles live in the platform's handle table: their numbers are never
// reused, and callers hold a reference while they use an object, so a close on
// another thread never pulls an object from under a running call.
#include "platform/kernel/kernel_internal.h"

namespace kernel {

HANDLE AddHandle(std::shared_ptr<KernelObject> object) {
  const HandleKind kind = object->kind;
  return handles::Create<HANDLE>(kind, std::move(object));
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
  return handles::Lookup<KernelObject>(handle, kKernelHandleKinds);
}

bool RemoveHandle(HANDLE handle, HandleKinds kinds) { return handles::Destroy(handle, kinds); }

}  // namespace kernel

BOOL CloseHandle(HANDLE handle) {
  if (!kernel::RemoveHandle(handle, kKernelHandleKinds)) return kernel::Fail(ERROR_INVALID_HANDLE);
  return TRUE;
}
