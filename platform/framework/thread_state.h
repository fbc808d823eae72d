// What the framework keeps per thread: the maps from handles to objects, the
// window being created, the message being handled, the wait cursor.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/win.h"

class CWnd;
class CWinThread;

namespace afx {

struct ThreadState {
  ~ThreadState();
  std::unordered_map<HWND, CWnd*> permanentWindows;
  std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaryWindows;
  CWnd* wndInit = nullptr;
  MSG lastSent{};
  int waitCursorCount = 0;
  HCURSOR cursorBeforeWait = nullptr;
  CWinThread* thread = nullptr;
};

ThreadState& State();

}  // namespace afx
