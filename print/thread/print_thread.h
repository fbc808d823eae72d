// The print thread: a second interface thread that owns the modeless
// "Status" window (the page being printed and an Abort button) while the
// main thread is busy with a run. The main thread drives it only through
// thread messages and waits for each request's answer; the Abort button and
// the print job meet in the process-wide abort flag.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "foundation/string/astring.h"
#include "platform/framework.h"

// The thread messages of the print thread.
inline constexpr UINT kPrintStatusText = 1044;  // show the status text
inline constexpr UINT kPrintStatusStart = 1045;  // clear the abort flag, show the window
inline constexpr UINT kPrintStatusShow = 1046;  // wParam 1 show, 0 hide; lParam "hidden by a question"
inline constexpr UINT kPrintStatusStop = 1047;  // set the abort flag, hide the window
// How long the main thread waits for the thread to start or show its window,
// and for a status text.
inline constexpr DWORD kPrintStatusWaitMs = 720000;
inline constexpr DWORD kPrintStatusTextWaitMs = 1;

class CPrintStatusDlg;

class CPrintThread : public CWinThread {
 public:
  CPrintThread();
  ~CPrintThread() override;

  // Print thread.
  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // Main thread. Starts the thread on first use and waits until its window
  // exists, then shows the window for a run (message 1045). False when the
  // thread did not answer in time.
  bool BeginRun(HWND owner);
  // Puts the text into the status line (selector 0; 1 names a line the
  // window does not have) and lets the main thread's waiting messages through.
  void SetStatusText(int selector, const AString& text);
  void PostShow(bool show, int value);
  void PostStop();
  // Waits until the thread has handled every request posted so far (a stop
  // posted after a run sets the abort flag when it is handled: a run after
  // it waits for that first). False when the thread did not answer in time.
  bool WaitForPosted(DWORD milliseconds);
  // Ends the thread's loop, destroys its window and waits for it.
  void Quit();

  bool HasDialog() const { return window_.load() != nullptr; }
  HWND StatusWindow() const { return window_.load(); }
  HWND Owner() const { return owner_.load(); }

  // What the thread handled, in order (tests read the hand-shake of a run).
  struct Handled {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;
  };
  std::vector<Handled> HandledMessages() const;
  void ClearHandled();

 private:
  bool PostAndWait(UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds);
  bool Post(UINT message, WPARAM wParam, LPARAM lParam, uint64_t* request);
  // Waits until the thread has answered request number `request`; sent
  // messages of other threads are answered meanwhile.
  bool WaitFor(uint64_t request, DWORD milliseconds);
  // Waits until `ready` (called under answerLock_) holds.
  template <class Ready>
  bool WaitUntil(Ready ready, DWORD milliseconds);
  void Answer();
  void Handle(const MSG& msg);

  std::unique_ptr<CPrintStatusDlg> dialog_;  // print thread only
  std::atomic<HWND> window_{nullptr};
  std::atomic<HWND> owner_{nullptr};
  std::atomic<bool> started_{false};
  bool hiddenByRequest_ = false;  // print thread only

  // The status text crosses threads under this lock, copied out by the
  // reader, never shared while it is written.
  mutable std::mutex textLock_;
  AString text_;
  int selector_ = 0;
  std::vector<Handled> handled_;

  // Requests are numbered; the thread answers each in turn, so a late
  // answer to an earlier request never ends the wait for a later one.
  std::mutex answerLock_;
  std::condition_variable answered_;
  uint64_t posted_ = 0;        // main thread, under answerLock_
  uint64_t answeredUpTo_ = 0;  // under answerLock_
  bool initialised_ = false;   // under answerLock_
};

// The process's print thread (made on first use, not started until a run
// needs its window), and its end at exit.
CPrintThread* PrintThread();
CPrintThread* ExistingPrintThread();
void EndPrintThread();

// Removes up to n + 1 waiting messages of the calling thread while a run
// keeps it busy: painting, timers and other harmless messages are
// dispatched; input, commands, close and quit requests are held and posted
// again by RepostHeldMessages when the run is over, so nothing is lost and
// nothing edits the layout under the run. Returns the number removed.
int DrainMessages(int n);
void RepostHeldMessages();
