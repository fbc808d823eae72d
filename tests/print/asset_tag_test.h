// The fixtures of the tests that print the example asset tag: its layouts
// in a folder of the test print server's, the counters kept there; and for
// the tests that print through the print dialog, the tag's counter at
// ASSET-000500 before each test and the run's messages recorded.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "asset_tag_layout.h"
#include "cups_server.h"
#include "datasource/data_folders.h"
#include "datasource/field_sources.h"
#include "document/core/rvo_doc.h"
#include "document/tools/example_layouts.h"
#include "print/job/abort_flag.h"
#include "tests/document/recording_layout_shell.h"

namespace print_test {

class AssetTagTest : public ::testing::Test {
 protected:
  // The example layouts written to `subfolder` of the print server's folder
  // (from the suite's set-up).
  static void WriteLayouts(const char* subfolder) {
    ASSERT_FALSE(cups_test::ServerFolder().empty()) << "no print server";
    InstallDataSourceServices();
    folder_ = cups_test::ServerFolder() + "/" + subfolder;
    ASSERT_EQ(WriteExampleLayouts(folder_).size(), 3u);
  }
  // Counters from the layouts' folder, no abort left from a test before.
  void SetUp() override {
    SetDataFolder(DataFolder::kCounters, AString((folder_ + "/").c_str()));
    ClearPrintAbort();
  }

  static void WriteCounter(const char* value) { ASSERT_TRUE(WriteAssetCounter(folder_, value)); }
  static std::string CounterPath() { return AssetCounterPath(folder_); }
  static std::string CounterValue() { return AssetCounterValue(folder_); }
  // The asset tag on a Letter sheet of the queue (the label where the
  // printable area starts), one tag a page.
  static void Load(CRvoDoc& doc, const char* printer) { ASSERT_TRUE(LoadAssetTag(doc, folder_, printer)); }

  static inline std::string folder_;
};

class AssetTagDialogTest : public AssetTagTest {
 protected:
  // The tag's counter back at its first number, no messages yet.
  void StartAtFirstTag() {
    WriteCounter("ASSET-000500");
    recorded_.shell().shownMessages.clear();
  }

  static std::string Text(HWND dialog, int id) {
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }

  // The run's messages and questions, recorded and answered by default.
  RecordedLayoutMessages recorded_;
};

}  // namespace print_test
