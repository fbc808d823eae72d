// Named shared memory between instances of the designer. The memory is
// created for the current user only.
#pragma once

#include "foundation/build.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

// A read-write mapping of size bytes mapped whole into *view; the mapping's
// handle, or null after the message "error creating map file" or "Could not
// map view of file" (caption "Error!!!").
HANDLE CreateSharedMemory(const char* name, void** view, DWORD size);
// An existing mapping mapped with all access; null (and a null view) when
// there is none.
HANDLE OpenSharedMemory(const char* name, void** view);
// Unmaps the view and closes the handle; both become null.
void CloseSharedMemory(HANDLE* mapping, void** view);

FOUNDATION_END
