// The tavrendel program on an X server (Xvfb, started by the test): the
// command lines of the headless tests again, with the main window on the
// screen, looked for by its title, and a picture of the screen.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <string>

#include "app/core/instance_channel.h"
#include "document/file/layout_file.h"
#include "designer_app_fixture.h"
#include "program_runner.h"
#include "tests/platform/x11/x11_server.h"

namespace {

using apptest::ProgramRunner;
using apptest::WaitUntil;

// A layout file written by the document code: a new label's defaults, no fields.
std::string WriteEmptyLayout(const std::string& path) {
  CLabelSetup setup;
  setup.LoadDefaults();
  CFieldList fields;
  EXPECT_EQ(SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
  return path;
}

class ProgramX11Test : public apptest::DesignerAppTest {
 protected:
  ProgramX11Test() { profileProgram = "tavrendel"; }
  static bool MainAnswers() { return CInstanceChannel::SendActivate(2000) == CInstanceChannel::Answer::Yes; }
  // The ids of the top-level windows whose title holds the text.
  std::string WindowsNamed(const std::string& text) {
    std::string out;
    server.Run({"xdotool", "search", "--name", text}, &out);
    return out;
  }
  // The place of the shown main window as xdotool reports it, waited for
  // until it holds every expected part (the window manager, or the program
  // itself, may still be placing a window that is already named); what the
  // last report said, with every window of the name, when it never does.
  std::string MainGeometryHolding(const std::vector<std::string>& expected) {
    std::string geometry;
    const bool placed = WaitUntil(
        [&] {
          geometry.clear();
          std::string ids;
          server.Run({"xdotool", "search", "--onlyvisible", "--name", "^Tavrendel"}, &ids);
          if (ids.empty()) return false;
          server.Run({"xdotool", "getwindowgeometry", ids.substr(0, ids.find('\n'))}, &geometry);
          for (const std::string& part : expected)
            if (geometry.find(part) == std::string::npos) return false;
          return true;
        },
        20);
    if (placed) return geometry;
    std::string all;
    server.Run({"xdotool", "search", "--name", "Tavrendel", "getwindowgeometry", "%@"}, &all);
    return geometry + "\nevery window of the name:\n" + all;
  }
  x11test::Server server;
  apptest::ScopedEnv onScreen{"TAV_DISPLAY", nullptr};
  apptest::ScopedEnv displayName{"DISPLAY", server.Name().c_str()};
  ProgramRunner runner{{}};
};

TEST_F(ProgramX11Test, CommandLinesOnTheScreen) {
  ASSERT_TRUE(server.Running());
  // -q and -Activate with nobody running: nothing made, nothing shown.
  for (const char* line : {"-q", "/Q", "-Activate"}) EXPECT_EQ(runner.Run({line}), 0) << line;
  EXPECT_FALSE(std::filesystem::exists(ConfigFolder()));

  // The first run: the main window comes up; the profile with its comment.
  const pid_t first = runner.Start({"-frobnicate"});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitUntil([&] { return !WindowsNamed("Tavrendel").empty(); }));
  EXPECT_EQ(apptest::FirstLine(ProfilePath()), ";Init file for Mirolune");
  EXPECT_EQ(Config("bFirstTimeRun"), "0");
  // Placed from the screen's size (1280 x 1024 at 96 dpi): a sixth of what
  // 1.3 by 0.9 inches leave of it on each side.
  const std::string geometry = MainGeometryHolding({"Position: 192,156", "Geometry: 896x712"});
  EXPECT_NE(geometry.find("Position: 192,156"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("Geometry: 896x712"), std::string::npos) << geometry;
  std::filesystem::create_directories(std::string(TAV_BUILD_DIR) + "/pictures/app");
  EXPECT_TRUE(server.SavePicture(0, 0, 1280, 1024, std::string(TAV_BUILD_DIR) + "/pictures/app/x11_first_run.png"));

  // A second start with -Activate, and one with a file, end at once; the
  // profile is left as it was.
  const std::string before = apptest::ReadFile(ProfilePath());
  EXPECT_EQ(runner.Run({"-Activate"}), 0);
  const std::string layout = WriteEmptyLayout(temp / "Handed Over.bcd");
  EXPECT_EQ(runner.Run({layout}), 0);
  EXPECT_EQ(apptest::ReadFile(ProfilePath()), before);
  EXPECT_EQ(runner.Wait(first, 0.1), -1);  // the first still runs
  // The first shows the layout: its name in the main window's title.
  EXPECT_TRUE(WaitUntil([&] { return !WindowsNamed("Handed Over").empty(); }));
  EXPECT_TRUE(server.SavePicture(0, 0, 1280, 1024, std::string(TAV_BUILD_DIR) + "/pictures/app/x11_handed_over.png"));

  // "q" closes it; it writes its settings as it goes.
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(first, 30), 0);
  EXPECT_EQ(Config("drawFldsOpaque"), "1");
  EXPECT_TRUE(WindowsNamed("Tavrendel").empty());
}

}  // namespace

namespace {

// One command line on the screen: what its window's title holds once it is
// up, and for "-small" the window's size.
struct ScreenRow {
  const char* name;
  std::vector<std::string> arguments;  // "<dir>" is the test's folder
  const char* titleHolds;
  const char* geometry;  // "" for any
};

const ScreenRow kScreenRows[] = {
    {"file", {"<dir>/label.bcd"}, "label", ""},
    {"name in two words", {"<dir>/My", "Label.bcd"}, "My Label", ""},
    {"relative missing name", {"missing-one.bcd"}, "Tavrendel", ""},
    {"absolute missing name", {"<dir>/x.bcd"}, "Tavrendel", ""},
    {"small", {"-small"}, "Tavrendel", "Geometry: 640x410"},
    {"nosave", {"-nosave"}, "Tavrendel", ""},
    {"reader", {"-Reader", "<dir>/label.bcd"}, "label", ""},
    {"readme with a character", {"-Readme1", "<dir>/label.bcd"}, "label", ""},
    {"unknown switch", {"-frobnicate"}, "Tavrendel", ""},
    {"reference file", {"cikuguide.txt"}, "Tavrendel", ""},
};

class ProgramX11Table : public ProgramX11Test, public testing::WithParamInterface<ScreenRow> {};

TEST_P(ProgramX11Table, ShowsItsWindowAndQuits) {
  ASSERT_TRUE(server.Running());
  const ScreenRow& row = GetParam();
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  WriteEmptyLayout(temp / "label.bcd");
  WriteEmptyLayout(temp / "My Label.bcd");
  std::vector<std::string> arguments;
  for (std::string a : row.arguments) {
    if (a.rfind("<dir>", 0) == 0) a = temp.Path() + a.substr(5);
    arguments.push_back(a);
  }
  const pid_t designer = runner.Start(arguments);
  ASSERT_TRUE(WaitUntil(MainAnswers)) << row.name;
  ASSERT_TRUE(WaitUntil([&] { return !WindowsNamed(row.titleHolds).empty(); })) << row.name;
  if (*row.geometry) {
    const std::string geometry = MainGeometryHolding({row.geometry});
    EXPECT_NE(geometry.find(row.geometry), std::string::npos) << geometry;
  }
  std::filesystem::create_directories(std::string(TAV_BUILD_DIR) + "/pictures/app");
  // The picture is for a person to look at: give the window time to paint.
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  server.SavePicture(0, 0, 1280, 1024,
                     std::string(TAV_BUILD_DIR) + "/pictures/app/x11_" + apptest::RowName(row.name) + ".png");
  // "q" closes it, a box it may show included.
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0) << row.name;
  EXPECT_EQ(Config("drawFldsOpaque"), "1");
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramX11Table, testing::ValuesIn(kScreenRows),
                         [](const testing::TestParamInfo<ScreenRow>& info) { return apptest::RowName(info.param.name); });

}  // namespace
