// The designer's command line as a table: switches with either sign and in
// either case, names in several words, relative and absolute names.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "app/core/command_line.h"
#include "app_test_util.h"

namespace {

struct LineCase {
  const char* name;
  std::vector<std::string> arguments;  // "<cwd>" is the test's current folder
  const char* flags;                   // q a s n r for quit, activate, small, nosave, reader
  const char* rawName;
  const char* fileName;                // "<prog>" the program folder, "<cwd>" the current one
  int ignored;
};

const LineCase kCases[] = {
    {"none", {}, "", "", "", 0},
    {"existing file", {"label.bcd"}, "", "label.bcd", "<cwd>/label.bcd", 0},
    {"name in two words", {"My", "Label.bcd"}, "", "My Label.bcd", "<cwd>/My Label.bcd", 0},
    {"relative missing name", {"missing.bcd"}, "", "missing.bcd", "<prog>missing.bcd", 0},
    {"absolute missing name", {"/tmp/x.bcd"}, "", "/tmp/x.bcd", "/tmp/x.bcd", 0},
    {"quit with dash", {"-q"}, "q", "", "", 0},
    {"quit with slash upper case", {"/Q"}, "q", "", "", 0},
    {"quit after a name", {"label.bcd", "-Q"}, "q", "label.bcd", "<cwd>/label.bcd", 0},
    {"activate", {"-Activate"}, "a", "", "", 0},
    {"activate any case", {"/aCTIVATE"}, "a", "", "", 0},
    {"small", {"-small"}, "s", "", "", 0},
    {"nosave", {"-NOSAVE"}, "n", "", "", 0},
    {"reader", {"-Reader"}, "r", "", "", 0},
    {"readme with a character", {"-Readme1"}, "r", "", "", 0},
    {"readme alone", {"-Readme"}, "r", "", "", 0},
    {"readme is case-sensitive", {"-readme1"}, "", "", "", 1},
    {"unknown switch", {"-frobnicate"}, "", "", "", 1},
    {"slash that is no switch is a path", {"/frobnicate"}, "", "/frobnicate", "/frobnicate", 0},
    {"switch ends the joining", {"My", "-small", "Label.bcd"}, "s", "My", "<prog>My", 0},
    {"words before and after switches", {"-nosave", "My", "Label.bcd", "-small"}, "sn", "My Label.bcd",
     "<cwd>/My Label.bcd", 0},
    {"reference file", {"cikuguide.txt"}, "", "cikuguide.txt", "<prog>cikuguide.txt", 0},
};

class CommandLineTable : public testing::TestWithParam<LineCase> {};

std::string Expand(const std::string& text, const std::string& cwd, const std::string& prog) {
  std::string out = text;
  for (auto [key, value] : {std::pair<std::string, std::string>{"<cwd>", cwd}, {"<prog>", prog}})
    if (size_t at = out.find(key); at != std::string::npos) out.replace(at, key.size(), value);
  return out;
}

TEST_P(CommandLineTable, Parses) {
  const LineCase& c = GetParam();
  apptest::TempFolder cwd;
  apptest::WriteFile(cwd / "label.bcd", "x");
  apptest::WriteFile(cwd / "My Label.bcd", "x");
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(cwd.Path().c_str()), 0);
  const std::string prog = "/opt/tav/lib/tavrendel/";
  const CommandLine line = ParseDesignerCommandLine(c.arguments, prog);
  ASSERT_EQ(::chdir(old), 0);
  std::string flags;
  if (line.quit) flags += 'q';
  if (line.activate) flags += 'a';
  if (line.small) flags += 's';
  if (line.nosave) flags += 'n';
  if (line.reader) flags += 'r';
  EXPECT_EQ(flags, c.flags);
  EXPECT_EQ(line.rawName, c.rawName);
  EXPECT_EQ(line.fileName, Expand(c.fileName, cwd.Path(), prog));
  EXPECT_EQ(static_cast<int>(line.ignoredSwitches.size()), c.ignored);
  EXPECT_EQ(HasQuitSwitch(c.arguments), line.quit);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLineTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LineCase>& info) { return apptest::RowName(info.param.name); });

TEST(CommandLine, SlashNameOfAnExistingFileIsAPath) {
  // A file named like a switch at the root of the tree would be a path; the
  // root is not ours to write, so the rule is checked through a folder that
  // exists under that name: /tmp.
  std::string name;
  EXPECT_FALSE(IsSwitch("/tmp", name));
  EXPECT_TRUE(IsSwitch("/small", name));
  EXPECT_EQ(name, "small");
}

}  // namespace
