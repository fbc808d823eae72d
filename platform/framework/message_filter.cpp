// The framework's WH_MSGFILTER hook: modal loops that the window system runs
// (dialog boxes, message boxes, menus) give each message they read to the
// thread object, which offers it to the windows' PreTranslateMessage, as the
// framework's own loop does for the rest.
#include "platform/framework/app.h"
#include "platform/framework/thread_state.h"

namespace afx {
namespace {

LRESULT FilterProc(int code, WPARAM wParam, LPARAM lParam) {
  ThreadState& state = State();
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code < 0 || !msg || state.filtering >= 0) return CallNextHookEx(state.messageFilter, code, wParam, lParam);
  CWinThread* thread = AfxGetThread();
  state.filtering = code;
  const BOOL handled = thread ? thread->ProcessMessageFilter(code, msg) : CWinThread::FilterThroughWindows(msg);
  state.filtering = -1;
  return handled ? TRUE : CallNextHookEx(state.messageFilter, code, wParam, lParam);
}

}  // namespace

void InstallMessageFilter() {
  ThreadState& state = State();
  if (!state.messageFilter) state.messageFilter = ::SetWindowsHookExW(WH_MSGFILTER, &FilterProc, nullptr, 0);
}

void RemoveMessageFilter() {
  ThreadState& state = State();
  if (state.messageFilter) ::UnhookWindowsHookEx(state.messageFilter);
  state.messageFilter = nullptr;
}

}  // namespace afx

BOOL CWinThread::FilterThroughWindows(MSG* msg) {
  if (!msg->hwnd) return FALSE;
  return CWnd::WalkPreTranslateTree(::GetAncestor(msg->hwnd, GA_ROOT), msg);
}

BOOL CWinThread::ProcessMessageFilter(int code, MSG* msg) {
  switch (code) {
    case MSGF_DIALOGBOX:
    case MSGF_MESSAGEBOX:
    case MSGF_MENU: return FilterThroughWindows(msg);
    default: return FALSE;
  }
}
