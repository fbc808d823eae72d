// What the window layer needs of the kernel's waits: waiting on handles and
// on a message queue together.
#pragma once

#include <functional>
#include <span>

#include "platform/kernel/types.h"

namespace kernel {

// Takes the signal of the first signalled handle (an auto-reset event is
// reset): its index, -1 when none is signalled, -2 when a handle cannot be
// waited on.
int TryWaitAny(std::span<const HANDLE> handles);
// Whether every handle can be waited on; takes no signal.
bool AreWaitable(std::span<const HANDLE> handles);

// Calls `wake` (on the signalling thread, outside every kernel lock) each time
// one of the handles is signalled, until the watch is destroyed.
class WaitWatch {
 public:
  WaitWatch(std::span<const HANDLE> handles, std::function<void()> wake);
  ~WaitWatch();
  WaitWatch(const WaitWatch&) = delete;
  WaitWatch& operator=(const WaitWatch&) = delete;

 private:
  int id_;
};

}  // namespace kernel
