// The tavrendel program on its own X server with a window manager (Xvfb and
// openbox, started by the test), driven by xdotool: windows found by name,
// xdotool commands, and pictures of the screen for a person to look at.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/core/instance_channel.h"
#include "document/file/layout_file.h"
#include "designer_app_fixture.h"
#include "program_runner.h"
#include "tests/platform/x11/x11_server.h"

namespace apptest {

class ProgramX11Test : public DesignerAppTest {
 public:
  static constexpr int kScreenWidth = 1280, kScreenHeight = 1024;

 protected:
  ProgramX11Test() { profileProgram = "tavrendel"; }

  static bool MainAnswers() { return CInstanceChannel::SendActivate(2000) == CInstanceChannel::Answer::Yes; }
  // The first shown window whose name matches, or "".
  std::string WindowNamed(const std::string& text) {
    std::string out;
    server.Run({"xdotool", "search", "--onlyvisible", "--name", text}, &out);
    return out.substr(0, out.find('\n'));
  }
  bool WaitForWindow(const std::string& text) {
    return WaitUntil([&] { return !WindowNamed(text).empty(); }, 20);
  }
  void Xdo(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    EXPECT_EQ(server.Run(argv), 0) << args.front();
  }
  void ClickAt(int x, int y, int clicks = 1) {
    Xdo({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
    Xdo({"click", "--repeat", std::to_string(clicks), "--delay", "80", "1"});
    Settle();
  }
  // A window's place on the screen: x, y, width, height.
  std::vector<long> Geometry(const std::string& id) {
    std::string shell;
    server.Run({"xdotool", "getwindowgeometry", "--shell", id}, &shell);
    std::vector<long> g(4, 0);
    std::istringstream lines(shell);
    for (std::string line; std::getline(lines, line);) {
      const size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      const std::string key = line.substr(0, eq);
      const long value = std::atol(line.c_str() + eq + 1);
      if (key == "X") g[0] = value;
      if (key == "Y") g[1] = value;
      if (key == "WIDTH") g[2] = value;
      if (key == "HEIGHT") g[3] = value;
    }
    return g;
  }
  // A double click at (x, y) that must open the window named `name`: *place
  // gets where it settled (x, y, width, height), the screen is pictured as
  // `picture`.
  void OpenWithDoubleClick(int x, int y, const std::string& name, const std::string& picture,
                           std::vector<long>* place) {
    ClickAt(x, y, 2);
    ASSERT_TRUE(WaitForWindow(name));
    Settle();
    *place = Geometry(WindowNamed(name));
    Picture(picture);
  }
  // OK, the default button at the lower right of the sheet named `name`
  // placed at `sheet`, pressed with the mouse; the sheet must close.
  void PressSheetOk(const std::vector<long>& sheet, const std::string& name) {
    ClickAt(static_cast<int>(sheet[0] + sheet[2] - 247), static_cast<int>(sheet[1] + sheet[3] - 43));
    ASSERT_TRUE(WaitUntil([&] { return WindowNamed(name).empty(); }, 20)) << "the sheet closed with OK";
  }
  // Ctrl+S in the window named `window`, waited for until `file` changes;
  // then the designer started as `designer` is asked to quit and must end well.
  void SaveAndQuit(const std::string& window, const std::string& file, pid_t designer) {
    const auto before = std::filesystem::last_write_time(file);
    Xdo({"windowactivate", "--sync", WindowNamed(window)});
    Xdo({"key", "--clearmodifiers", "ctrl+s"});
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::last_write_time(file) != before; }, 20));
    EXPECT_EQ(runner.Run({"-q"}), 0);
    EXPECT_EQ(runner.Wait(designer, 30), 0);
  }
  // A layout the program saved, read back: its label set-up, its fields, and
  // the one field it must hold as the kind the test edited.
  template <class Field>
  struct SavedLayout {
    CLabelSetup setup;
    CFieldList fields;
    const Field* field = nullptr;  // fields[0], while the list still owns it
  };

  // Reads `file` into *saved: it must open, hold one field, and that field
  // must be a `Field` (run it under ASSERT_NO_FATAL_FAILURE).
  template <class Field>
  static void LoadSavedField(const std::string& file, SavedLayout<Field>* saved) {
    ASSERT_EQ(LoadLayoutFile(file.c_str(), nullptr, saved->setup, saved->fields, nullptr), 1);
    ASSERT_EQ(saved->fields.size(), 1u);
    saved->field = dynamic_cast<const Field*>(saved->fields[0].get());
    ASSERT_NE(saved->field, nullptr);
  }
  // The program works through what it was sent; a picture is for a person
  // to look at, so give it time to paint.
  static void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(400)); }
  // The screen as pictures/program/x11_<name>.png in the build folder.
  void Picture(const std::string& name) {
    Settle();
    const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/program";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(server.SavePicture(0, 0, kScreenWidth, kScreenHeight, folder + "/x11_" + name + ".png"));
  }

  x11test::Server server{{kScreenWidth, kScreenHeight, true}};
  ScopedEnv onScreen{"TAV_DISPLAY", nullptr};
  ScopedEnv displayName{"DISPLAY", server.Name().c_str()};
  ProgramRunner runner{{}};
};

}  // namespace apptest
