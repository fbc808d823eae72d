#include "print/thread/print_thread.h"

#include <algorithm>
#include <chrono>

#include "print/job/abort_flag.h"
#include "print/print_ids.h"
#include "print/thread/print_status_dlg.h"

CPrintThread::CPrintThread() = default;

CPrintThread::~CPrintThread() { Quit(); }

BOOL CPrintThread::InitInstance() {
  auto dialog = std::make_unique<CPrintStatusDlg>();
  if (dialog->Create(IDD_PRINT_STATUS, nullptr)) {
    m_pMainWnd = dialog.get();
    window_.store(dialog->m_hWnd);
    dialog_ = std::move(dialog);
  }
  hiddenByRequest_ = false;
  // Also without a window: the main thread's wait ends, and the run goes on
  // without a status window.
  {
    std::lock_guard<std::mutex> lock(answerLock_);
    initialised_ = true;
  }
  answered_.notify_all();
  return TRUE;
}

int CPrintThread::ExitInstance() {
  m_pMainWnd = nullptr;
  window_.store(nullptr);
  if (dialog_ && dialog_->m_hWnd) dialog_->DestroyWindow();
  dialog_.reset();
  return CWinThread::ExitInstance();
}

BOOL CPrintThread::PreTranslateMessage(MSG* msg) {
  if (!msg->hwnd && msg->message >= kPrintStatusText && msg->message <= kPrintStatusStop) {
    Handle(*msg);
    return TRUE;
  }
  return CWinThread::PreTranslateMessage(msg);
}

void CPrintThread::Handle(const MSG& msg) {
  HWND window = window_.load();
  std::string shown;
  switch (msg.message) {
    case kPrintStatusText:
      if (window) {
        AString text;
        int selector = 0;
        {
          std::lock_guard<std::mutex> lock(textLock_);
          text = text_;
          selector = selector_;
        }
        shown = text.GetData();
        // Selector 1 names a line the window does not have: nothing shows.
        if (HWND line = ::GetDlgItem(window, IDC_PRINT_STATUS_LINE + (selector != 0 ? 1 : 0)))
          ::SetWindowTextA(line, text.GetData());
      }
      break;
    case kPrintStatusStart:
      if (window) {
        ClearPrintAbort();
        ::SetDlgItemTextA(window, IDC_PRINT_STATUS_LINE, "");
        dialog_->ShowAndEnable();
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        hiddenByRequest_ = false;
      }
      break;
    case kPrintStatusShow:
      if (window && !IsPrintAborted()) {
        if (msg.wParam == 0) {
          hiddenByRequest_ = msg.lParam != 0;
          ::ShowWindow(window, SW_HIDE);
        } else if (!hiddenByRequest_ || msg.lParam != 0) {
          ::ShowWindow(window, SW_SHOWNA);
          ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
      }
      break;
    case kPrintStatusStop:
      SetPrintAbort();
      if (window) {
        ::ShowWindow(window, SW_HIDE);
        ::EnableWindow(::GetDlgItem(window, IDCANCEL), FALSE);
      }
      break;
    default:
      return;
  }
  {
    std::lock_guard<std::mutex> lock(textLock_);
    handled_.push_back(Handled{msg.message, msg.wParam, msg.lParam, shown});
  }
  Answer();
}

void CPrintThread::Answer() {
  {
    std::lock_guard<std::mutex> lock(answerLock_);
    ++answeredUpTo_;
  }
  answered_.notify_all();
}

bool CPrintThread::Post(UINT message, WPARAM wParam, LPARAM lParam, uint64_t* request) {
  if (!started_.load()) return false;
  std::lock_guard<std::mutex> lock(answerLock_);
  if (!initialised_ || !::PostThreadMessageA(m_nThreadID, message, wParam, lParam)) return false;
  *request = ++posted_;
  return true;
}

bool CPrintThread::WaitForPosted(DWORD milliseconds) {
  if (!started_.load()) return true;
  return WaitUntil([&] { return answeredUpTo_ >= posted_; }, milliseconds);
}

bool CPrintThread::WaitFor(uint64_t request, DWORD milliseconds) {
  return WaitUntil([&] { return answeredUpTo_ >= request; }, milliseconds);
}

template <class Ready>
bool CPrintThread::WaitUntil(Ready ready, DWORD milliseconds) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(answerLock_);
      const auto slice = std::min(end, Clock::now() + std::chrono::milliseconds(10));
      if (answered_.wait_until(lock, slice, ready)) return true;
    }
    if (Clock::now() >= end) return false;
    // Messages another thread sends to this one are answered while waiting.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD);
  }
}

bool CPrintThread::PostAndWait(UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds) {
  uint64_t request = 0;
  return Post(message, wParam, lParam, &request) && WaitFor(request, milliseconds);
}

bool CPrintThread::BeginRun(HWND owner) {
  owner_.store(owner);
  if (!started_.load()) {
    if (!CreateThread()) return false;
    started_.store(true);
    if (!WaitUntil([&] { return initialised_; }, kPrintStatusWaitMs)) return false;
  }
  return HasDialog() && PostAndWait(kPrintStatusStart, 0, 0, kPrintStatusWaitMs);
}

void CPrintThread::SetStatusText(int selector, const AString& text) {
  if (!HasDialog()) return;
  {
    std::lock_guard<std::mutex> lock(textLock_);
    selector_ = selector;
    text_ = text;
  }
  PostAndWait(kPrintStatusText, 0, 0, kPrintStatusTextWaitMs);
  DrainMessages(30);
}

void CPrintThread::PostShow(bool show, int value) {
  uint64_t request = 0;
  Post(kPrintStatusShow, show ? 1 : 0, value, &request);
}

void CPrintThread::PostStop() {
  uint64_t request = 0;
  Post(kPrintStatusStop, 0, 0, &request);
}

void CPrintThread::Quit() {
  if (!started_.exchange(false)) return;
  ::PostThreadMessageA(m_nThreadID, WM_QUIT, 0, 0);
  Join();
}

std::vector<CPrintThread::Handled> CPrintThread::HandledMessages() const {
  std::lock_guard<std::mutex> lock(textLock_);
  return handled_;
}

void CPrintThread::ClearHandled() {
  std::lock_guard<std::mutex> lock(textLock_);
  handled_.clear();
}

namespace {

std::unique_ptr<CPrintThread>& TheThread() {
  static std::unique_ptr<CPrintThread> thread;
  return thread;
}

thread_local std::vector<MSG> t_held;

// Messages that would act on the layout or end the program while a run
// uses it.
bool HeldDuringRun(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK) || message == WM_COMMAND ||
         message == WM_SYSCOMMAND || message == WM_CLOSE || message == WM_QUIT;
}

}  // namespace

CPrintThread* PrintThread() {
  auto& thread = TheThread();
  if (!thread) {
    thread = std::make_unique<CPrintThread>();
    thread->m_bAutoDelete = FALSE;
  }
  return thread.get();
}

CPrintThread* ExistingPrintThread() { return TheThread().get(); }

void EndPrintThread() { TheThread().reset(); }

int DrainMessages(int n) {
  int removed = 0;
  MSG msg;
  while (removed <= n && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
    ++removed;
    if (HeldDuringRun(msg.message)) {
      t_held.push_back(msg);
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return removed;
}

void RepostHeldMessages() {
  std::vector<MSG> held;
  held.swap(t_held);
  for (const MSG& msg : held) {
    if (msg.message == WM_QUIT) ::PostQuitMessage(static_cast<int>(msg.wParam));
    else if (msg.hwnd) ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    else ::PostThreadMessageA(::GetCurrentThreadId(), msg.message, msg.wParam, msg.lParam);
  }
}
