// The tavrendel program on its own X server with a window manager, switched
// from English to Chinese in its Configuration sheet: the status bar and a
// message box that follows (its button) speak Chinese at once, drawn as the
// program started in Chinese draws them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "program_x11_fixture.h"

namespace {

using apptest::WaitUntil;

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};

class LanguageSwitch : public apptest::ProgramX11Test {
 protected:
  Box Geometry(const std::string& window) {
    std::string shape;
    server.Run({"xdotool", "getwindowgeometry", "--shell", window}, &shape);
    Box b;
    std::istringstream lines(shape);
    for (std::string line; std::getline(lines, line);) {
      const char* value = line.c_str() + line.find('=') + 1;
      if (line.rfind("X=", 0) == 0) b.x = std::atoi(value);
      if (line.rfind("Y=", 0) == 0) b.y = std::atoi(value);
      if (line.rfind("WIDTH=", 0) == 0) b.width = std::atoi(value);
      if (line.rfind("HEIGHT=", 0) == 0) b.height = std::atoi(value);
    }
    return b;
  }
  // Of the shown windows whose name matches, the largest (the main window)
  // or the smallest (a message box named as the program is).
  std::string Named(const std::string& text, bool largest) {
    std::string all, found;
    server.Run({"xdotool", "search", "--onlyvisible", "--name", text}, &all);
    long best = -1;
    std::istringstream ids(all);
    for (std::string id; std::getline(ids, id);) {
      const Box b = Geometry(id);
      const long area = static_cast<long>(b.width) * b.height;
      if (best < 0 || (largest ? area > best : area < best)) best = area, found = id;
    }
    return found;
  }
  // The pixels of a part of the screen, row by row.
  std::vector<uint32_t> Pixels(const Box& b) {
    const std::vector<uint32_t> shot = server.Screenshot();
    std::vector<uint32_t> out;
    for (int y = std::max(b.y, 0); y < b.y + b.height && y < kScreenHeight; ++y)
      for (int x = std::max(b.x, 0); x < b.x + b.width && x < kScreenWidth; ++x)
        out.push_back(shot[static_cast<size_t>(y) * kScreenWidth + x] & 0xFFFFFF);
    return out;
  }
  // The status bar's panes but the cursor's (the pointer's place): the rows
  // above the main window's bottom edge, its left 600 pixels (the label
  // size's pane begins there).
  std::vector<uint32_t> StatusBar() {
    // The window's bottom edge: where the black screen below it ends.
    const Box main = Geometry(Named("^Tavrendel", true));
    const std::vector<uint32_t> shot = server.Screenshot();
    int bottom = kScreenHeight - 1;
    while (bottom > 0 && (shot[static_cast<size_t>(bottom) * kScreenWidth + main.x + 5] & 0xFFFFFF) == 0) --bottom;
    return Pixels(Box{main.x, bottom - 18, std::min(main.width, 600), 16});
  }
  void Key(const std::string& window, const std::string& key) {
    Xdo({"windowactivate", "--sync", window});
    Xdo({"key", "--clearmodifiers", key});
    Settle();
  }
  // A layout that is not there, handed to the running designer: its
  // message, as pixels of the message box, which Return then closes.
  std::vector<uint32_t> MissingFileMessage(const std::string& name) {
    EXPECT_EQ(runner.Run({temp / "missing.bcd"}), 0);
    // The box, smaller than the main window (which the failed layout may
    // leave named as the program only).
    const Box main = Geometry(Named("^Tavrendel", true));
    std::string box;
    EXPECT_TRUE(WaitUntil([&] {
      box = Named("^Tavrendel$", false);
      return !box.empty() && Geometry(box).width < main.width;
    }, 20));
    if (box.empty()) return {};
    Picture(name);
    const std::vector<uint32_t> pixels = Pixels(Geometry(box));
    Key(box, "Return");
    EXPECT_TRUE(WaitUntil([&] {
      const std::string left = Named("^Tavrendel$", false);
      return left.empty() || Geometry(left).width >= main.width;
    }, 10));
    return pixels;
  }
};

TEST_F(LanguageSwitch, StatusBarAndMessagesSpeakChineseOnceSwitched) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=0\n");
  std::filesystem::copy_file(std::string(TAV_SOURCE_DIR) + "/examples/shipping_label.bcd", temp / "shipping_label.bcd");
  pid_t designer = runner.Start({temp / "shipping_label.bcd"});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("shipping_label"));
  Settle();
  const std::vector<uint32_t> englishBar = StatusBar();
  const std::vector<uint32_t> englishMessage = MissingFileMessage("language_0_message_en");
  ASSERT_FALSE(englishMessage.empty());

  // Options > Default Settings: the sheet's language list has the focus;
  // the next language is Simplified Chinese.
  Key(Named("^Tavrendel", true), "alt+o");
  Xdo({"key", "s"});
  ASSERT_TRUE(WaitForWindow("^Configuration$"));
  Picture("language_1_sheet");
  // The language list clicked open where the sheet's template puts it (in
  // the sheet's client area), the next language chosen with the keyboard.
  const std::string sheet = WindowNamed("^Configuration$");
  Xdo({"mousemove", "--sync", "--window", sheet, "309", "64"});
  Xdo({"click", "1"});
  Settle();
  Xdo({"key", "Down"});
  Xdo({"key", "Return"});
  Settle();
  Picture("language_1_chosen");
  Xdo({"key", "Return"});
  ASSERT_TRUE(WaitUntil([&] { return WindowNamed("^Configuration$").empty(); }, 10));
  EXPECT_TRUE(WaitUntil([&] { return Config("AppLanguage") == "1"; }, 10)) << "Simplified Chinese chosen";

  Settle();
  Picture("language_2_switched");
  const std::vector<uint32_t> switchedBar = StatusBar();
  EXPECT_NE(switchedBar, englishBar) << "the status bar is drawn again in Chinese";
  const std::vector<uint32_t> switchedMessage = MissingFileMessage("language_3_message_switched");
  EXPECT_NE(switchedMessage, englishMessage);
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0);

  // Started again in Chinese, from the profile: the same status bar, the
  // same message.
  designer = runner.Start({temp / "shipping_label.bcd"});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("shipping_label"));
  Settle();
  Picture("language_4_started_in_chinese");
  EXPECT_EQ(StatusBar(), switchedBar) << "the switched status bar is the one a Chinese start draws";
  EXPECT_EQ(MissingFileMessage("language_5_message_started_in_chinese"), switchedMessage);
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0);
}

}  // namespace
