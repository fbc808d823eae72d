// A file that is not a layout, in the real program on its own X server with
// a window manager: given on the command line and then through File > Open,
// the designer says so, and once the message is answered its main window
// shows what it showed before the attempt (no layout window left behind).
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "program_x11_fixture.h"

namespace {

using apptest::WaitUntil;

class FailedOpenX11 : public apptest::ProgramX11Test {
 protected:
  // How many shown windows the title matches.
  int Count(const std::string& title) {
    std::string out;
    server.Run({"xdotool", "search", "--onlyvisible", "--name", title}, &out);
    int n = 0;
    for (char c : out) n += c == '\n';
    return n;
  }
  // The pixels of the middle of the main window's client area, below its
  // bars: where a layout window shows itself.
  std::vector<uint32_t> Middle() {
    const std::vector<long> g = Geometry(WindowNamed("^Tavrendel"));
    const std::vector<uint32_t> screen = server.Screenshot();
    std::vector<uint32_t> middle;
    for (long y = g[1] + g[3] * 3 / 10; y < g[1] + g[3] * 8 / 10; ++y)
      for (long x = g[0] + g[2] / 5; x < g[0] + g[2] * 4 / 5; ++x)
        if (x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight)
          middle.push_back(screen[static_cast<size_t>(y) * kScreenWidth + x] & 0xFFFFFF);
    return middle;
  }
  // The message about the file (a second window of the program's name over
  // the main window) answered with Return.
  void AnswerMessage(const std::string& picture) {
    ASSERT_TRUE(WaitUntil([&] { return Count("^Tavrendel$") + Count("^Tavrendel - ") == 2; }, 20))
        << "the message about the file";
    Picture(picture);
    Xdo({"key", "Return"});
    ASSERT_TRUE(WaitUntil([&] { return Count("^Tavrendel$") + Count("^Tavrendel - ") == 1; }, 20));
  }
};

TEST_F(FailedOpenX11, NoWindowIsLeftBehind) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string file = temp / "notes.bcd";
  std::ofstream(file) << "just some words\n";

  // On the command line: once the message is answered the main window holds
  // no layout: its middle is the empty workspace, one colour (waited for,
  // as the welcome screen goes on its timer).
  const pid_t designer = runner.Start({file});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  AnswerMessage("failed_open_1_command_line_message");
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::vector<uint32_t> middle = Middle();
        return !middle.empty() && std::set<uint32_t>(middle.begin(), middle.end()).size() == 1;
      },
      20))
      << "an empty workspace";
  Picture("failed_open_2_command_line_after");
  EXPECT_EQ(Count("^Tavrendel$"), 1) << "the main window's title names no layout";

  // Through File > Open with a new layout open: the layout is what the
  // main window shows, before and after.
  Xdo({"windowactivate", "--sync", WindowNamed("^Tavrendel")});
  Xdo({"key", "--clearmodifiers", "ctrl+n"});
  ASSERT_TRUE(WaitForWindow("Layout1"));
  Settle();
  const std::vector<uint32_t> before = Middle();
  ASSERT_GT(std::set<uint32_t>(before.begin(), before.end()).size(), 1u) << "the layout is drawn";
  Picture("failed_open_3_layout_before");
  Xdo({"key", "--clearmodifiers", "alt+f"});
  Xdo({"key", "o"});
  ASSERT_TRUE(WaitForWindow("^Open$"));
  Xdo({"type", "--delay", "20", file});
  Xdo({"key", "Return"});
  ASSERT_TRUE(WaitUntil([&] { return WindowNamed("^Open$").empty(); }, 20));
  AnswerMessage("failed_open_4_file_open_message");
  EXPECT_TRUE(WaitUntil([&] { return Middle() == before; }, 20)) << "the main window shows what it showed";
  Picture("failed_open_5_file_open_after");
  EXPECT_FALSE(WindowNamed("Layout1").empty());

  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0);
}

}  // namespace
