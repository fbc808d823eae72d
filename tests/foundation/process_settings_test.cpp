#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/settings/process_settings.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"

namespace {

TEST(ProcessSettings, Defaults) {
  EXPECT_TRUE(OsVersionFlags().isNtFamily);
  EXPECT_EQ(UiLanguageKind(), 0);
  EXPECT_EQ(AppDataLanguage(), 0);
  EXPECT_EQ(ConfigSettings().tabStops, 4);
  EXPECT_EQ(ConfigSettings().drawFldsOpaque, 1);
  EXPECT_FALSE(ConfigSettings().pasteKeepsFormat);
}

TEST(ProcessSettings, OsVersionFlagsFromThePlatform) {
  struct Case {
    UINT ansiCodePage;
    bool dbcsChinese;
  } const cases[] = {{1252, false}, {936, true}, {950, true}, {932, false}, {949, false}};
  for (const Case& c : cases) {
    ASSERT_TRUE(SetProcessAnsiCodePage(c.ansiCodePage));
    InitOsVersionFlags();
    EXPECT_EQ(OsVersionFlags().isDbcsChineseSystem, c.dbcsChinese) << c.ansiCodePage;
    EXPECT_TRUE(OsVersionFlags().isNtFamily);
    EXPECT_EQ(OsVersionFlags().version, 501);
  }
  SetProcessAnsiCodePage(0);
  InitOsVersionFlags();
}

TEST(ProcessSettings, TabStopsZeroReadsAsOne) {
  const int saved = ConfigSettings().tabStops;
  ConfigSettings().tabStops = 0;
  EXPECT_EQ(EffectiveTabStops(), 1);
  ConfigSettings().tabStops = 8;
  EXPECT_EQ(EffectiveTabStops(), 8);
  ConfigSettings().tabStops = saved;
}

TEST(ProcessSettings, ConfigFromTheProfile) {
  char dir[] = TAV_BUILD_DIR "/settings-test-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string ini = std::string(dir) + "/app.ini";
  const ConfigSettingsT saved = ConfigSettings();
  LoadConfigSettings(ini.c_str());
  EXPECT_EQ(ConfigSettings().tabStops, 4) << "no profile: defaults";
  EXPECT_EQ(ConfigSettings().drawFldsOpaque, 1);
  ASSERT_TRUE(WritePrivateProfileStringA("Config", "TabStops", "0", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Config", "drawFldsOpaque", "0", ini.c_str()));
  LoadConfigSettings(ini.c_str());
  EXPECT_EQ(ConfigSettings().tabStops, 0);
  EXPECT_EQ(EffectiveTabStops(), 1);
  EXPECT_EQ(ConfigSettings().drawFldsOpaque, 0);
  ConfigSettings() = saved;
  std::remove(ini.c_str());
  rmdir(dir);
}

TEST(ProcessSettings, FoldersStartAtTheProgramFolderAndEndInASeparator) {
  char exe[PATH_MAX];
  ASSERT_NE(realpath("/proc/self/exe", exe), nullptr);
  std::string program(exe);
  program.resize(program.rfind('/') + 1);
  for (FolderKind kind : {FolderKind::kLinkedText, FolderKind::kImage, FolderKind::kCounter, FolderKind::kChooseList}) {
    EXPECT_EQ(std::string(GetFolder(kind).GetData()), program);
  }
  SetFolder(FolderKind::kImage, AString("/data/images"));
  EXPECT_EQ(std::string(GetFolder(FolderKind::kImage).GetData()), "/data/images/");
  SetFolder(FolderKind::kImage, AString("/data/pictures/"));
  EXPECT_EQ(std::string(GetFolder(FolderKind::kImage).GetData()), "/data/pictures/");
  EXPECT_EQ(std::string(GetFolder(FolderKind::kCounter).GetData()), program) << "each folder is its own";
  SetFolder(FolderKind::kImage, AString(program.c_str()));
}

TEST(ProcessSettings, DataLanguageTable) {
  ASSERT_EQ(DataLanguageCount(), 5);
  const int kinds[] = {0, 1, 2, 4, 5};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(DataLanguageKind(i), kinds[i]);
  EXPECT_EQ(DataLanguageKind(-1), 0);
  EXPECT_EQ(DataLanguageKind(5), 0);
  EXPECT_EQ(GetDataLanguage(5), nullptr);
  EXPECT_STREQ(GetDataLanguage(1)->name, "Simplified Chinese");
}

}  // namespace
