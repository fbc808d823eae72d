// Running designers as processes: the tavrendel program handing files to a
// designer that runs, raising it, closing every one with "q", and running
// alone once the first was killed. Headless (TAV_DISPLAY=headless).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/instance_channel.h"
#include "designer_app_fixture.h"
#include "program_runner.h"

namespace {

using apptest::ProgramRunner;
using apptest::WaitUntil;

// Every file under a folder with its bytes, in name order: equal listings
// mean the folder was left as it was.
std::string Listing(const std::string& folder) {
  std::vector<std::string> entries;
  if (!std::filesystem::exists(folder)) return "<none>";
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    std::string line = e.path().string();
    if (e.is_regular_file()) line += "=" + apptest::ReadFile(e.path().string());
    entries.push_back(line);
  }
  std::sort(entries.begin(), entries.end());
  std::string all;
  for (const std::string& e : entries) all += e + "\n";
  return all;
}

class InstanceProcessTest : public apptest::DesignerAppTest {
 protected:
  InstanceProcessTest() { profileProgram = "tavrendel"; }
  std::string Folders() { return Listing(temp / "config") + Listing(temp / "share"); }
  // Some designer holds "main" and answers.
  static bool MainAnswers() { return CInstanceChannel::SendActivate(2000) == CInstanceChannel::Answer::Yes; }
  ProgramRunner runner{{}};
};

TEST_F(InstanceProcessTest, SecondStartHandsItsFileOverAndExits) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({"-nosave"}));  // the first designer, in this process
  const std::string path = WriteLayout("handed over.bcd", "second");
  const std::string before = Folders();
  EXPECT_EQ(runner.Run({path}), 0);  // ends at once
  EXPECT_EQ(Folders(), before);      // and leaves the profile as it was
  ASSERT_TRUE(WaitUntil([&] {
    app->PumpAll();
    return !OpenPaths().empty();
  }));
  EXPECT_EQ(OpenPaths(), std::vector<std::string>{path});
}

TEST_F(InstanceProcessTest, NameInTwoWordsArrivesJoined) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({}));
  const std::string path = WriteLayout("My Label.bcd", "joined");
  apptest::InFolder here(temp.Path());
  EXPECT_EQ(runner.Run({"My", "Label.bcd"}), 0);
  ASSERT_TRUE(WaitUntil([&] {
    app->PumpAll();
    return !OpenPaths().empty();
  }));
  EXPECT_EQ(OpenPaths(), std::vector<std::string>{path});
}

TEST_F(InstanceProcessTest, ActivateWithAndWithoutADesigner) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string before = Folders();
  EXPECT_EQ(runner.Run({"-Activate"}), 0);
  EXPECT_EQ(Folders(), before);
  ASSERT_TRUE(Start({}));
  EXPECT_EQ(runner.Run({"-Activate"}), 0);
  EXPECT_EQ(runner.Run({"/activate"}), 0);
  app->PumpAll();
  EXPECT_NE(app->m_pMainWnd, nullptr);  // still running
}

TEST_F(InstanceProcessTest, QuitLeavesFoldersAloneAndClosesEveryDesigner) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  for (const char* sign : {"-q", "/Q"}) {
    const std::string before = Folders();
    EXPECT_EQ(runner.Run({sign}), 0) << sign;
    EXPECT_EQ(Folders(), before) << sign;
  }
  const pid_t first = runner.Start({"-nosave"});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  const pid_t second = runner.Start({"-nosave", "-small"});
  // The second is up once two sockets answer.
  ASSERT_TRUE(WaitUntil([] {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(CInstanceChannel::Folder()))
      n += e.path().extension() == ".sock";
    return n == 2;
  }));
  EXPECT_EQ(runner.Run({"/Q"}), 0);
  EXPECT_EQ(runner.Wait(first, 30), 0);
  EXPECT_EQ(runner.Wait(second, 30), 0);
  // They wrote their settings at exit.
  EXPECT_EQ(Config("drawFldsOpaque"), "1");
  EXPECT_EQ(Config("HdrText"), "0");
}

TEST_F(InstanceProcessTest, AfterTheFirstIsKilledANewStartRunsAlone) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const pid_t first = runner.Start({"-nosave"});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  runner.Kill(first);  // leaves its sockets behind
  EXPECT_FALSE(MainAnswers());
  const std::string path = WriteLayout("alone.bcd", "alone");
  const pid_t second = runner.Start({path});
  EXPECT_EQ(runner.Wait(second, 2), -1);  // it did not hand over: it runs
  ASSERT_TRUE(WaitUntil(MainAnswers));
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(second, 30), 0);
}

}  // namespace
