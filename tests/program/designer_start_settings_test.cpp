// What the designer's start-up hands the lower layers from its settings, as
// the program starts it: the data-source folders (choose lists, text files,
// counters), the language of field data with the interface's, and layout
// windows maximised while it starts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "datasource/data_folders.h"
#include "designer_fixture.h"
#include "foundation/settings/process_settings.h"

namespace {

using programtest::DesignerTest;

std::string Folder(DataFolder kind) { return GetDataFolder(kind).GetData(); }

TEST_F(DesignerTest, DataSourceFoldersAreTheSettingsFolders) {
  const std::string lists = temp / "lists/";
  const std::string texts = temp / "texts/";
  const std::string counters = temp / "counters/";
  WriteProfile("[Config]\nbFirstTimeRun=0\nChooselist Files=" + lists + "\nText Files=" + texts +
               "\nCounter Files=" + counters + "\n");
  ASSERT_TRUE(StartProgram({}));
  EXPECT_EQ(Folder(::DataFolder::kChooseLists), lists);
  EXPECT_EQ(Folder(::DataFolder::kTextFiles), texts);
  EXPECT_EQ(Folder(::DataFolder::kCounters), counters);
}

struct LanguageCase {
  const char* what;
  int appLanguage;   // the profile's "AppLanguage" row
  SHORT dataKind;    // the language kind of field data
};

TEST_F(DesignerTest, FieldDataTakesTheInterfacesLanguage) {
  const LanguageCase cases[] = {
      {"English", 0, 0}, {"Simplified Chinese", 1, 1}, {"Traditional Chinese", 2, 2}};
  for (const LanguageCase& c : cases) {
    SCOPED_TRACE(c.what);
    AppDataLanguage() = -1;
    WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=" + std::to_string(c.appLanguage) + "\n");
    ASSERT_TRUE(StartProgram({}));
    EXPECT_EQ(AppDataLanguage(), c.dataKind);
    StopProgram();
  }
}

TEST_F(DesignerTest, LayoutWindowsOpenMaximisedOnlyWhileStarting) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(StartProgram({}));
  EXPECT_FALSE(App().MaximiseLayoutWindows()) << "start-up is over";
  App().m_startingUp = 1;
  EXPECT_TRUE(App().MaximiseLayoutWindows());
  App().m_startingUp = 0;
}

}  // namespace
