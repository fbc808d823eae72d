// Waiting on kernel handles from the user-interface thread without freezing
// its windows: the thread's messages are dispatched while it waits.
#pragma once

#include "platform/win.h"

// Waits until one of the handles is signalled or timeoutMs milliseconds have
// passed (INFINITE: no limit), dispatching the thread's messages meanwhile.
// Returns WAIT_OBJECT_0 + the index of the signalled handle, WAIT_TIMEOUT,
// or the wait's failure value. Messages are dispatched in batches between
// looks at the handles and the clock, so a stream of messages cannot hold
// the wait past its time. While it waits, the thread's top-level windows
// take no input, so the user cannot close what the caller holds; a WM_QUIT
// that arrives is posted again for the caller's loop and ends the wait with
// WAIT_TIMEOUT (nothing was signalled).
DWORD WaitWithMessages(DWORD count, const HANDLE* handles, DWORD timeoutMs);
DWORD WaitOneWithMessages(HANDLE handle, DWORD timeoutMs);
