// The install target in a temporary prefix: the program in lib/tavrendel
// linked from bin, its desktop entry valid, and the layout file type known
// to the desktop's MIME database (shared-mime-info's own tools as judges).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app_test_util.h"

namespace {

using apptest::Quote;
using apptest::RunCommand;

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

TEST(DesktopInstall, PrefixHoldsProgramEntryAndFileType) {
  apptest::TempFolder prefix;
  int status = -1;
  const std::string log = RunCommand("cmake --install " + Quote(TAV_BUILD_DIR) + " --prefix " + Quote(prefix.Path()) +
                                         " 2>&1",
                                     &status);
  ASSERT_EQ(status, 0) << log;

  // The program and the link to it.
  const std::filesystem::path program = prefix / "lib/tavrendel/tavrendel";
  const std::filesystem::path link = prefix / "bin/tavrendel";
  ASSERT_TRUE(std::filesystem::is_regular_file(program));
  ASSERT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::canonical(link), std::filesystem::canonical(program));

  // The desktop entry.
  const std::string entry = prefix / "share/applications/tavrendel.desktop";
  const std::string validation = RunCommand("desktop-file-validate " + Quote(entry) + " 2>&1", &status);
  EXPECT_EQ(status, 0) << validation;
  EXPECT_EQ(validation, "");
  EXPECT_NE(apptest::ReadFile(entry).find("\nExec=tavrendel %f\n"), std::string::npos);

  // The type: the MIME database built from the installed package, then
  // asked about a layout file by the desktop's own query.
  const std::string mime = prefix / "share/mime";
  const std::string built = RunCommand("update-mime-database " + Quote(mime) + " 2>&1", &status);
  ASSERT_EQ(status, 0) << built;
  const std::string layout = prefix / "label.bcd";
  apptest::WriteFile(layout, "<?xml version=\"1.0\"?><store/>\n");
  const std::string env = "env XDG_DATA_HOME=" + Quote(prefix / "share") + " XDG_DATA_DIRS=" +
                          Quote(prefix / "share") + ":/usr/share XDG_CURRENT_DESKTOP= DE= ";
  const std::string type = RunCommand(env + "xdg-mime query filetype " + Quote(layout) + " 2>&1", &status);
  EXPECT_EQ(status, 0) << type;
  EXPECT_EQ(Trimmed(type), "application/x-mirolune-document");
  const std::string comment = RunCommand(env + "mimetype --describe --brief " + Quote(layout) + " 2>&1", &status);
  EXPECT_EQ(Trimmed(comment), "Mirolune Document");
}

}  // namespace
