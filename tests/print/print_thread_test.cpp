// The print thread's status window driven through its messages, and the
// main thread's queue while a run keeps it busy.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "print/job/abort_flag.h"
#include "print/print_ids.h"
#include "print/thread/print_thread.h"

namespace {

// The print thread lives until the program ends it, as the designer does on
// exit: a thread still painting its status window while the process tears
// down its static tables (the font cache) would read freed memory.
class PrintThreadEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { EndPrintThread(); }
};

const auto* const kPrintThreadEnvironment = ::testing::AddGlobalTestEnvironment(new PrintThreadEnvironment);

// Waits until the thread has handled `count` messages since the last clear.
bool HandledCount(CPrintThread& thread, size_t count) {
  for (int i = 0; i < 2000; ++i) {
    if (thread.HandledMessages().size() >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

std::string StatusLine(HWND status) {
  char text[64] = {};
  ::GetDlgItemTextA(status, IDC_PRINT_STATUS_LINE, text, sizeof text);
  return text;
}

TEST(PrintThread, ShowsHidesAndStopsAsAsked) {
  CPrintThread& thread = *PrintThread();
  ASSERT_TRUE(thread.BeginRun(nullptr));
  HWND status = thread.StatusWindow();
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(::IsWindowVisible(status));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(status, IDCANCEL)));
  thread.ClearHandled();
  // A status line the window does not have (selector 1) shows nothing.
  thread.SetStatusText(1, "4 / 12");
  ASSERT_TRUE(HandledCount(thread, 1));
  EXPECT_EQ(StatusLine(status), "");
  thread.SetStatusText(0, "8 / 12");
  ASSERT_TRUE(HandledCount(thread, 2));
  EXPECT_EQ(StatusLine(status), "8 / 12");
  // Hidden for a question: a later "show" that is not the question's own
  // leaves it hidden; the question's own brings it back.
  thread.PostShow(false, 1);
  thread.PostShow(true, 0);
  ASSERT_TRUE(HandledCount(thread, 4));
  EXPECT_FALSE(::IsWindowVisible(status));
  thread.PostShow(true, 1);
  ASSERT_TRUE(HandledCount(thread, 5));
  EXPECT_TRUE(::IsWindowVisible(status));
  // Stop: hidden, Abort off, the run told to end.
  thread.PostStop();
  ASSERT_TRUE(HandledCount(thread, 6));
  EXPECT_FALSE(::IsWindowVisible(status));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(status, IDCANCEL)));
  EXPECT_TRUE(IsPrintAborted());
  // A stop that came after a run does not hold up the next one: start
  // clears the flag and brings the window back with Abort on.
  thread.PostStop();
  ASSERT_TRUE(thread.BeginRun(nullptr));
  EXPECT_FALSE(IsPrintAborted());
  EXPECT_TRUE(::IsWindowVisible(status));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(status, IDCANCEL)));
  thread.PostStop();
  ClearPrintAbort();
}

// While a run keeps the main thread busy, its queue is looked at: harmless
// messages are handled, input is kept and comes back after the run.
TEST(PrintThread, MessagesWaitingDuringARunAreKept) {
  static std::vector<UINT> handled;
  static const uitest::TestWindowClass kClass{
      u"PrintDrainWindow", [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_APP + 1 || message == WM_KEYDOWN || message == WM_LBUTTONDOWN) handled.push_back(message);
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
      }};
  ASSERT_TRUE(uitest::RegisterTestClass(kClass));
  HWND window = uitest::CreateTestWindow(kClass, u"drain", WS_OVERLAPPED, 0, 0, 20, 20);
  ASSERT_NE(window, nullptr);
  uitest::RunUntilIdle();
  handled.clear();
  ::PostMessageA(window, WM_KEYDOWN, 'A', 0);
  ::PostMessageA(window, WM_APP + 1, 0, 0);
  ::PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
  EXPECT_GE(DrainMessages(30), 3);
  EXPECT_EQ(handled, (std::vector<UINT>{WM_APP + 1}));
  RepostHeldMessages();
  uitest::RunUntilIdle();
  EXPECT_EQ(handled, (std::vector<UINT>{WM_APP + 1, WM_KEYDOWN, WM_LBUTTONDOWN}));
  ::DestroyWindow(window);
}

}  // namespace
