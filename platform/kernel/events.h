// Events, the kernel's waitable objects, and the waits on them. An event is
// signalled by SetEvent; a wait on an auto-reset event takes the signal, a
// manual-reset one stays signalled until ResetEvent.
#pragma once

#include "platform/kernel/types.h"

struct SECURITY_ATTRIBUTES;

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_ABANDONED_0 = 0x80;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
// The most handles one wait takes.
inline constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// Unnamed events only: a name gives null and ERROR_NOT_SUPPORTED (nothing
// here shares events between processes).
HANDLE CreateEventW(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
HANDLE CreateEventA(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// WAIT_OBJECT_0 + the index of the first signalled handle (with waitAll,
// once all are signalled together), WAIT_TIMEOUT, or WAIT_FAILED with
// ERROR_INVALID_HANDLE for a handle that cannot be waited on and
// ERROR_INVALID_PARAMETER for no handles or more than MAXIMUM_WAIT_OBJECTS.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
