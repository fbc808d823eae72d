// The designer among other running designers: handing a file to the one
// that runs, raising it, and taking the requests of later starts. Requests
// arrive on the channel's thread; they are answered there at once and
// carried out on the interface thread.
#include <string_view>

#include "app/shell/label_designer_app.h"
#include "app/ui/dialog_skin.h"

bool CLabelDesignerApp::HandOverToRunningInstance(const std::string& path) {
  if (path.empty()) return false;
  return CInstanceChannel::SendOpen(path) == CInstanceChannel::Answer::Yes;
}

bool CLabelDesignerApp::ActivateRunningInstance() {
  return CInstanceChannel::SendActivate() == CInstanceChannel::Answer::Yes;
}

namespace {

// Every dialog of the thread that runs modally (its owner disabled) ends as
// cancelled; the main frame's close follows once they are gone.
BOOL CancelModalDialog(HWND window, LPARAM mainWindow) {
  char cls[16] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  if (window != reinterpret_cast<HWND>(mainWindow) && ::IsWindowVisible(window) && std::string_view(cls) == "#32770")
    ::EndDialog(window, IDCANCEL);
  return TRUE;
}

}  // namespace

// Sees every message the thread takes, modal loops' included: a quit
// request that arrives while a dialog runs cancels the dialog.
LRESULT CLabelDesignerApp::QuitHook(int code, WPARAM wParam, LPARAM lParam) {
  CLabelDesignerApp* app = DesignerApp();
  if (!app) return 0;
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  const bool quit = code >= 0 && wParam == PM_REMOVE && msg && msg->hwnd == nullptr &&
                    msg->message == WM_APP_INSTANCE_REQUEST && app->m_quitRequested;
  // The skinned dialogs that are open cancel themselves once; dialogs
  // opened after this request are not touched by it.
  if (quit) {
    SetDialogQuitRequest(true);
    SetDialogQuitRequest(false);
  }
  if (quit && app->m_pMainFrame && app->m_pMainFrame->m_hWnd && !app->m_pMainFrame->IsWindowEnabled()) {
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelModalDialog,
                        reinterpret_cast<LPARAM>(app->m_pMainFrame->m_hWnd));
    // The main loop takes the request once the dialogs are gone.
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP_INSTANCE_REQUEST, 0, 0);
  }
  return ::CallNextHookEx(app->m_quitHook, code, wParam, lParam);
}

bool CLabelDesignerApp::StartChannel() {
  const DWORD thread = ::GetCurrentThreadId();
  if (!m_quitHook) m_quitHook = ::SetWindowsHookExA(WH_GETMESSAGE, &CLabelDesignerApp::QuitHook, nullptr, 0);
  CInstanceChannel::Handlers handlers;
  // A file is taken on receipt (so a slow open never makes the sender start
  // a designer of its own) and opened when the interface thread comes to it.
  handlers.open = [this, thread](const std::string& path) {
    if (m_exiting) return false;
    {
      std::lock_guard lock(m_handedOverMutex);
      m_handedOver.push_back(path);
    }
    m_requestPending = true;
    ::PostThreadMessageA(thread, WM_APP_INSTANCE_REQUEST, 0, 0);
    return true;
  };
  handlers.activate = [this, thread] {
    if (m_exiting) return false;
    m_activateRequested = true;
    m_requestPending = true;
    ::PostThreadMessageA(thread, WM_APP_INSTANCE_REQUEST, 0, 0);
    return true;
  };
  handlers.quit = [this, thread] {
    m_quitRequested = true;
    m_requestPending = true;
    ::PostThreadMessageA(thread, WM_APP_INSTANCE_REQUEST, 0, 0);
  };
  return m_channel.Start(std::move(handlers));
}

void CLabelDesignerApp::StopChannel() {
  m_channel.Stop();
  if (m_quitHook) ::UnhookWindowsHookEx(m_quitHook);
  m_quitHook = nullptr;
}

void CLabelDesignerApp::OpenHandedOverFiles() {
  std::vector<std::string> paths;
  {
    std::lock_guard lock(m_handedOverMutex);
    paths.swap(m_handedOver);
  }
  for (const std::string& path : paths) {
    BringToFront();
    OpenLayout(path.c_str(), false);
  }
}

void CLabelDesignerApp::CloseWelcome() {
  // The screen owns itself from the end of start-up and goes with its window.
  if (::IsWindow(m_welcomeWindow)) ::DestroyWindow(m_welcomeWindow);
  m_welcomeWindow = nullptr;
}

void CLabelDesignerApp::BringToFront() {
  if (!m_pMainFrame || !m_pMainFrame->m_hWnd) return;
  if (::IsIconic(m_pMainFrame->m_hWnd)) m_pMainFrame->ShowWindow(SW_RESTORE);
  ::SetForegroundWindow(m_pMainFrame->m_hWnd);
}

// The requests of other instances, carried out between messages of the
// main loop (never inside a dialog's loop).
void CLabelDesignerApp::TakeRequests() {
  if (!m_requestPending.exchange(false)) return;
  // Whatever a later start asks, the welcome screen must not stand over it.
  CloseWelcome();
  OpenHandedOverFiles();
  if (m_activateRequested.exchange(false)) BringToFront();
  // A quit request closes the main frame once; unsaved work may keep it
  // open, and the request is not repeated.
  if (m_quitRequested.exchange(false) && m_pMainFrame && m_pMainFrame->m_hWnd) m_pMainFrame->PostMessage(WM_CLOSE);
}

BOOL CLabelDesignerApp::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && (::GetAsyncKeyState(VK_CONTROL) & 0x8000) &&
      (msg->lParam & 0xFFFF) < 2) {
    if (!m_pMainFrame || !m_pMainFrame->IsWindowEnabled()) return FALSE;
    if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pMainFrame)) {
      const bool shift = (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
      ::SendMessageA(mdi->m_hWndMDIClient, WM_MDINEXT, 0, shift ? 1 : 0);
      return TRUE;
    }
  }
  TakeRequests();
  if (msg->hwnd == nullptr && msg->message == WM_APP_INSTANCE_REQUEST) return TRUE;
  return CWinApp::PreTranslateMessage(msg);
}
