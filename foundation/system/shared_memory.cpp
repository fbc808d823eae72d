#include "foundation/system/shared_memory.h"

#include "foundation/system/system_message.h"
#include "platform/kernel/kernel.h"

FOUNDATION_BEGIN

namespace {
constexpr const char* kErrorCaption = "Error!!!";
}  // namespace

HANDLE CreateSharedMemory(const char* name, void** view, DWORD size) {
  if (view) *view = nullptr;
  // The platform creates named memory with owner-only permissions, so no
  // security attributes open it to other users.
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
  if (!mapping) {
    ShowSystemMessage("error creating map file", kErrorCaption);
    return nullptr;
  }
  void* p = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!p) {
    ShowSystemMessage("Could not map view of file", kErrorCaption);
    CloseHandle(mapping);
    return nullptr;
  }
  if (view)
    *view = p;
  else
    UnmapViewOfFile(p);
  return mapping;
}

HANDLE OpenSharedMemory(const char* name, void** view) {
  if (view) *view = nullptr;
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
  if (!mapping) return nullptr;
  void* p = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (view)
    *view = p;
  else if (p)
    UnmapViewOfFile(p);
  return mapping;
}

void CloseSharedMemory(HANDLE* mapping, void** view) {
  if (view && *view) UnmapViewOfFile(*view);
  if (mapping && *mapping) CloseHandle(*mapping);
  if (view) *view = nullptr;
  if (mapping) *mapping = nullptr;
}

FOUNDATION_END
