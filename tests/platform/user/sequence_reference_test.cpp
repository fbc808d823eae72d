// Message sequences against the reference implementation of the window
// interface: every scenario of user_reference/sequence_driver.cpp runs here
// and, cross-compiled, under wine on an Xvfb of its own, and the rows (less
// painting, the mouse's position and services that do not exist here) must
// be the same. The exact tables of window_sequence_test.cpp and
// dialog_sequence_test.cpp say per row where it comes from.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/platform/user_reference/sequence_driver.h"
#include "tests/platform/wine_reference.h"

namespace {

namespace fs = std::filesystem;

const fs::path kOut = fs::path(TAV_BUILD_DIR) / "sequence_reference";

// Runs the driver under wine once per build of it. Its windows are unmanaged:
// without a window manager the reference waits two seconds for each managed
// window it hides, and its rows are the same either way (less the caption
// text it reads to draw an unmanaged frame, left out as painting).
std::string EnsureReference() {
  winetest::WineRun run;
  run.outDir = kOut;
  run.stamp = winetest::StampOf({TAV_SEQUENCE_REFERENCE_DRIVER});
  run.command = {TAV_SEQUENCE_REFERENCE_DRIVER, (kOut / "answers.txt").string()};
  run.display = true;
  run.registry = {"HKCU\\Software\\Wine\\X11 Driver|Managed|N"};
  return winetest::EnsureAnswers(run);
}

std::string Join(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& r : rows) text += "  " + r + "\n";
  return text;
}

TEST(SequenceReference, EveryScenarioSendsWhatTheReferenceSends) {
  ASSERT_EQ(EnsureReference(), "");
  const auto ref = seqdriver::ParseResults(winetest::ReadText(kOut / "answers.txt"));
  const auto ours = seqdriver::RunScenarios();
  ASSERT_EQ(ours.size(), seqdriver::ScenarioNames().size());
  ASSERT_EQ(ref.size(), ours.size()) << "the reference answered a different number of scenarios";
  for (size_t i = 0; i < ours.size(); ++i) {
    SCOPED_TRACE(ours[i].name);
    ASSERT_EQ(ours[i].name, ref[i].name);
    EXPECT_FALSE(ours[i].rows.empty());
    EXPECT_EQ(ours[i].rows, ref[i].rows) << "ours:\n" << Join(ours[i].rows) << "reference:\n" << Join(ref[i].rows);
  }
}

}  // namespace
