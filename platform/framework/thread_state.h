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
  HHOOK messageFilter = nullptr;  // the thread's WH_MSGFILTER hook (message_filter.cpp)
  int filtering = -1;             // the MSGF_ code of the modal loop being filtered, -1 outside one
};

ThreadState& State();
// The framework's message filter: the modal loops of dialogs, message boxes
// and menus hand their messages to the windows' PreTranslateMessage through
// it. Set once per thread when the thread's first framework window is
// attached; taken off when an interface thread ends.
void InstallMessageFilter();
void RemoveMessageFilter();

}  // namespace afx
