// The application object started in this process as the program starts it,
// with a command line of the table, in folders of the test's own: what it
// creates and writes, what it opens, and its flags.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/label_designer_app.h"
#include "app_test_util.h"
#include "designer_app_fixture.h"

namespace {

using apptest::DesignerAppTest;
using apptest::InFolder;

TEST_F(DesignerAppTest, FirstRunCreatesTheProfileAndANewLayout) {
  apptest::ScopedEnv lang("LANG", "zh_CN.UTF-8");
  ASSERT_TRUE(Start({}));
  const std::string profile = ProfilePath();
  EXPECT_EQ(apptest::FirstLine(profile), ";Init file for Mirolune");
  EXPECT_TRUE(app->IsFirstRun());
  EXPECT_EQ(Config("bFirstTimeRun"), "0");
  EXPECT_EQ(Config("AppLanguage"), "1");  // Simplified Chinese from the locale
  EXPECT_EQ(AppSettings().uiLanguage, 1);
  EXPECT_EQ(app->GetOpenDocumentCount(), 1);
  EXPECT_EQ(Mode(ConfigFolder()), 0700);
  EXPECT_EQ(Mode(DataFolder()), 0700);
  EXPECT_EQ(Mode(DataFolder() + "WorkFiles"), 0700);
  EXPECT_FALSE(app->IsStartingUp());
}

TEST_F(DesignerAppTest, LaterRunOpensNothingNew) {
  WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=0\n");
  ASSERT_TRUE(Start({}));
  EXPECT_FALSE(app->IsFirstRun());
  EXPECT_EQ(app->GetOpenDocumentCount(), 0);
}

TEST_F(DesignerAppTest, NamedFileIsOpened) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string path = WriteLayout("label.bcd", "first");
  ASSERT_TRUE(Start({path}));
  EXPECT_EQ(OpenPaths(), std::vector<std::string>{path});
}

TEST_F(DesignerAppTest, NameInTwoWordsIsJoined) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string path = WriteLayout("My Label.bcd", "two words");
  InFolder here(temp.Path());
  ASSERT_TRUE(Start({"My", "Label.bcd"}));
  EXPECT_EQ(OpenPaths(), std::vector<std::string>{path});
}

TEST_F(DesignerAppTest, RelativeMissingNameIsLookedUpInTheProgramFolder) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  InFolder here(temp.Path());
  ASSERT_TRUE(Start({"nowhere-to-be-found.bcd"}));
  EXPECT_EQ(app->Line().fileName, ExecutableFolder() + "nowhere-to-be-found.bcd");
  EXPECT_EQ(app->GetOpenDocumentCount(), 0);
}

TEST_F(DesignerAppTest, AbsoluteMissingNameIsTakenAsItStands) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string missing = temp / "x.bcd";
  ASSERT_TRUE(Start({missing}));
  EXPECT_EQ(app->Line().fileName, missing);
  EXPECT_EQ(app->GetOpenDocumentCount(), 0);
}

TEST_F(DesignerAppTest, QuitSwitchCreatesAndWritesNothing) {
  for (const char* sign : {"-q", "/Q"}) {
    EXPECT_FALSE(Start({"label.bcd", sign})) << sign;
    EXPECT_FALSE(std::filesystem::exists(ConfigFolder())) << sign;
    EXPECT_FALSE(std::filesystem::exists(DataFolder())) << sign;
    Stop();
  }
}

TEST_F(DesignerAppTest, ActivateWithoutInstanceEnds) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string before = apptest::ReadFile(ProfilePath());
  EXPECT_FALSE(Start({"-Activate"}));
  Stop();
  EXPECT_EQ(apptest::ReadFile(ProfilePath()), before);
}

TEST_F(DesignerAppTest, SmallSwitchPlacesAHalfFrame) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({"-small"}));
  EXPECT_TRUE(app->IsSmall());
  CRect desktop, frame;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  ::GetWindowRect(app->m_pMainWnd->m_hWnd, &frame);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.Width(), desktop.Width() - 2 * (desktop.Width() / 4));
  EXPECT_EQ(frame.Height(), (desktop.Height() - 2 * (desktop.Height() / 10)) / 2);
}

TEST_F(DesignerAppTest, NosaveAndReaderFlags) {
  struct Row {
    std::vector<std::string> arguments;
    bool nosave, reader;
  };
  const Row rows[] = {{{"-nosave"}, true, false}, {{"-Reader"}, false, true}, {{"-Readme1"}, false, true},
                      {{"-frobnicate"}, false, false}};
  for (const Row& row : rows) {
    WriteProfile("[Config]\nbFirstTimeRun=0\nLineSpacing=0.300000\n");
    ASSERT_TRUE(Start(row.arguments)) << row.arguments[0];
    EXPECT_EQ(app->IsNoSave(), row.nosave) << row.arguments[0];
    EXPECT_EQ(app->IsReaderMode(), row.reader) << row.arguments[0];
    EXPECT_DOUBLE_EQ(AppSettings().lineSpacing, row.reader ? 0.6 : 0.3) << row.arguments[0];
    Stop();
    EXPECT_EQ(Config("LineSpacing"), "0.300000") << row.arguments[0];
  }
}

TEST_F(DesignerAppTest, ReferenceFileOpensReadOnly) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string path = WriteLayout("cikuguide.txt", "reference");
  InFolder here(temp.Path());
  ASSERT_TRUE(Start({"cikuguide.txt"}));
  EXPECT_EQ(OpenPaths(), std::vector<std::string>{path});
  EXPECT_EQ(Mode(path) & 0222, 0);  // made read-only before it is opened
}

TEST_F(DesignerAppTest, ExitWritesTheSettingsInOrder) {
  WriteProfile("[Config]\nbFirstTimeRun=0\nTabStops=0\ngridDx=12.5\nshowGrid=1\n");
  ASSERT_TRUE(Start({}));
  EXPECT_EQ(AppSettings().tabStops, 1);
  Stop();
  const std::vector<std::string> keys = ConfigKeysByPython();
  const std::vector<std::string> exitOrder = {
      "drawFldsOpaque", "showGrid", "gridDx", "TabStops", "Text Files", "Chooselist Files", "Counter Files",
      "Custom Stock Files", "Image Files", "JobEdit Files", "Port Watch Files", "LineSpacing", "AppLanguage",
      "DefaultUnits", "DefaultBoxWidth", "addObjFrame", "usePrintServer", "pathPrintServer", "DoPrintLog",
      "pathLogFiles", "logFileOrganization", "logTextDelimiter", "clipbrdFmt_useBmp", "HdrFname", "HdrFontsz",
      "HdrPagenm", "HdrText"};
  // Keys the profile held keep their places; the others follow in exit's order.
  std::vector<std::string> fresh;
  for (const std::string& k : keys)
    if (k != "bFirstTimeRun" && k != "TabStops" && k != "gridDx" && k != "showGrid") fresh.push_back(k);
  std::vector<std::string> expected;
  for (const std::string& k : exitOrder)
    if (k != "TabStops" && k != "gridDx" && k != "showGrid") expected.push_back(k);
  EXPECT_EQ(fresh, expected);
  EXPECT_EQ(Config("TabStops"), "1");
  EXPECT_EQ(Config("gridDx"), "12.500000");
  EXPECT_EQ(Config("showGrid"), "0");
}

TEST_F(DesignerAppTest, OldWorkFilesAreCleanedAndYoungOnesKept) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  std::filesystem::create_directories(DataFolder() + "WorkFiles");
  const std::string old = DataFolder() + "WorkFiles/old.tmp";
  const std::string young = DataFolder() + "WorkFiles/young.tmp";
  const std::string other = DataFolder() + "WorkFiles/keep.txt";
  for (const std::string& p : {old, young, other}) apptest::WriteFile(p, "x");
  Age(old, 49);
  Age(other, 100);
  ::chmod(old.c_str(), 0444);  // read-only ones go too
  ASSERT_TRUE(Start({}));
  EXPECT_FALSE(std::filesystem::exists(old));
  EXPECT_TRUE(std::filesystem::exists(young));
  EXPECT_TRUE(std::filesystem::exists(other));
}

}  // namespace

namespace {

using apptest::DesignerAppTest;

TEST_F(DesignerAppTest, LayoutCodeReachesTheApplicationsSettingsAndFlags) {
  WriteProfile(
      "[Config]\nbFirstTimeRun=0\nDefaultLabelWidth=5000\nDefaultLabelHeight=50\ndeflt_lblsPerRow=0\n"
      "deflt_shape=2\nDefaultBoxWidth=33\n");
  ASSERT_TRUE(Start({"-Readme1", "-small"}));
  CLayoutShell* shell = LayoutShell();
  ASSERT_EQ(shell, static_cast<CLayoutShell*>(app.get()));
  const LabelDefaults d = shell->GetLabelDefaults();
  EXPECT_EQ(d.DefaultLabelWidth, 5000);
  EXPECT_EQ(d.DefaultLabelHeight, 2500);  // out of range: the default
  EXPECT_EQ(d.deflt_lblsPerRow, 1);
  EXPECT_EQ(d.deflt_shape, 2);
  EXPECT_EQ(shell->DefaultBoxWidth(), 33);
  EXPECT_TRUE(shell->IsReaderMode());
  EXPECT_TRUE(shell->IsSmall());
  EXPECT_FALSE(shell->IsNoSave());
  EXPECT_FALSE(shell->IsStartingUp());
  EXPECT_STREQ(shell->WorkFolder().GetData(), (DataFolder() + "WorkFiles/").c_str());
  EXPECT_STREQ(shell->ClipboardHolderPath().GetData(), (DataFolder() + "WorkFiles/zclpbrdhldr.clp").c_str());
  EXPECT_STREQ(shell->ProgramFolder().GetData(), ExecutableFolder().c_str());
  // Its profile calls reach the designer's profile.
  EXPECT_EQ(shell->GetProfileInt("Config", "DefaultLabelWidth", 0), 5000);
}

}  // namespace
