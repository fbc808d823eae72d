// The per-user folders from the XDG variables, and their modes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/core/app_folders.h"
#include "app_test_util.h"

namespace {

int Mode(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

TEST(AppFolders, FromXdgVariables) {
  apptest::ScopedEnv config("XDG_CONFIG_HOME", "/c/fg");
  apptest::ScopedEnv data("XDG_DATA_HOME", "/d/ata/");
  const AppFolders f = LocateAppFolders("/opt/tav/lib/tavrendel");
  EXPECT_EQ(f.program, "/opt/tav/lib/tavrendel/");
  EXPECT_EQ(f.language, "/opt/tav/lib/tavrendel/DvrUIetc/");
  EXPECT_EQ(f.config, "/c/fg/Zorvik/");
  EXPECT_EQ(f.perUser, "/d/ata/Zorvik/");
  EXPECT_EQ(f.work, "/d/ata/Zorvik/WorkFiles/");
}

TEST(AppFolders, HomeDefaultsAndRelativeVariablesIgnored) {
  apptest::ScopedEnv home("HOME", "/home/u");
  apptest::ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
  apptest::ScopedEnv data("XDG_DATA_HOME", nullptr);
  const AppFolders f = LocateAppFolders("/p/");
  EXPECT_EQ(f.config, "/home/u/.config/Zorvik/");
  EXPECT_EQ(f.perUser, "/home/u/.local/share/Zorvik/");
}

TEST(AppFolders, MadePrivate) {
  apptest::TempFolder temp;
  apptest::ScopedEnv config("XDG_CONFIG_HOME", (temp / "config").c_str());
  apptest::ScopedEnv data("XDG_DATA_HOME", (temp / "share").c_str());
  const AppFolders f = LocateAppFolders("/p/");
  // An existing folder left open to others is narrowed.
  ASSERT_EQ(::mkdir((temp / "share").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((temp / "share/Zorvik").c_str(), 0755), 0);
  ::chmod((temp / "share/Zorvik").c_str(), 0755);
  ASSERT_TRUE(MakeAppFolders(f));
  EXPECT_EQ(Mode(temp / "config/Zorvik"), 0700);
  EXPECT_EQ(Mode(temp / "config"), 0700);  // new parents are private too
  EXPECT_EQ(Mode(temp / "share/Zorvik"), 0700);
  EXPECT_EQ(Mode(temp / "share/Zorvik/WorkFiles"), 0700);
  EXPECT_EQ(Mode(temp / "share"), 0755);  // an existing parent is not ours to change
}

}  // namespace
