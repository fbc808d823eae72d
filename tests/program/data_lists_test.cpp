// The database lists of the designer as the program starts and ends it: the
// data sources used in an earlier run come back at start-up from the user's
// data folder, and the ones used in this run are there for the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datasource/db_source_lists.h"
#include "designer_fixture.h"
#include "program/compose/program_services.h"

namespace {

using programtest::DesignerTest;

class DesignerDataLists : public DesignerTest {};

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const NamedValue& v : LikelyUsedDbSources()) names.emplace_back(v.text.GetData());
  return names;
}

TEST_F(DesignerDataLists, TheSourcesOfTheLastRunComeBackAndThisRunsAreKept) {
  WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=0\n");
  // A first start: no lists yet.
  ASSERT_TRUE(StartProgram({}));
  const std::string folder = App().Folders().perUser;
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(Names().empty());
  // Sources used in this run, written at its end.
  RememberDbSource(AString("Stock"), 0);
  RememberDbSource(AString("/srv/odbc/orders.dsn"), 1);
  SaveDesignerDataLists();
  StopProgram();
  EXPECT_TRUE(std::filesystem::exists(folder + "DbLst.bin"));
  EXPECT_TRUE(std::filesystem::exists(folder + "DbFDsnLst.bin"));
  // Another process's leftovers are not this start's: the lists are the files'.
  LikelyUsedDbSources().clear();
  RememberDbSource(AString("NotStored"), 0);
  ASSERT_TRUE(StartProgram({}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Stock", "/srv/odbc/orders.dsn"}));
  ASSERT_EQ(FileDsnList().GetSize(), 1);
  EXPECT_EQ(std::string(FileDsnList()[0].GetData()), "/srv/odbc/orders.dsn");
}

}  // namespace
