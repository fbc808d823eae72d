// A layout that cannot be opened, in the running designer: the message says
// which file and why, in the interface language, and once it is answered the
// designer has the windows it had before the attempt, whether the file came
// on the command line or through File > Open.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "designer_fixture.h"
#include "document/core/rvo_doc.h"
#include "document/file/layout_file.h"
#include "platform/comdlg/comdlg_ids.h"
#include "platform/testing/ui.h"

namespace {

namespace fs = std::filesystem;
using programtest::DesignerTest;
using programtest::PicturePath;
using programtest::Press;
using programtest::ShownDialog;

enum class Route { kCommandLine, kFileOpen };

// What the file is and what the message must say of it, in English and in
// Simplified Chinese (the language files' own words).
struct FailedOpenRow {
  const char* name;
  const char* content;  // nullptr: a layout cut short after its first 200 bytes
  Route route;
  int language;  // the profile's AppLanguage
  const char* says;
};

const FailedOpenRow kRows[] = {
    {"text file on the command line", "just some words\n", Route::kCommandLine, 0, "not a layout file"},
    {"text file through Open", "just some words\n", Route::kFileOpen, 0, "not a layout file"},
    {"cut short through Open", nullptr, Route::kFileOpen, 0, "the version store's XML is damaged at line"},
    {"text file in Chinese on the command line", "just some words\n", Route::kCommandLine, 1, "不是布局文件"},
    {"cut short in Chinese through Open", nullptr, Route::kFileOpen, 1, "版本库的 XML 在第 "},
};

std::string Utf8(const std::u16string& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const WCHAR*>(text.data()),
                                      static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const WCHAR*>(text.data()), static_cast<int>(text.size()),
                        out.data(), n, nullptr, nullptr);
  return out;
}

// The message's bytes as the box draws them: the interface's code page.
std::string ShownAsUtf8(const std::string& bytes, int language) {
  const UINT codePage = language == 1 ? 936 : 1252;
  const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string wide(static_cast<size_t>(n), u'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<WCHAR*>(wide.data()), n);
  return Utf8(wide);
}

class FailedOpen : public DesignerTest, public testing::WithParamInterface<FailedOpenRow> {
 protected:
  std::string WriteBadFile() {
    const FailedOpenRow& row = GetParam();
    const std::string file = temp / "bad.bcd";
    if (row.content) {
      std::ofstream(file, std::ios::binary) << row.content;
      return file;
    }
    CLabelSetup setup;
    setup.LoadDefaults();
    CFieldList fields;
    EXPECT_EQ(SaveLayoutFile(file.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
    fs::resize_file(file, 200);
    return file;
  }

  // Whether the active layout window is maximised, and its place.
  std::array<long, 5> LayoutPlace() {
    auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandle(MainWindow()));
    BOOL maximised = FALSE;
    CMDIChildWnd* child = frame ? frame->MDIGetActive(&maximised) : nullptr;
    RECT r{};
    if (child) ::GetWindowRect(child->m_hWnd, &r);
    return {maximised, r.left, r.top, r.right, r.bottom};
  }

  // The layout windows in the main window and the shown windows of the
  // designer's thread, the welcome screen (which goes on a timer) taken
  // down first.
  std::pair<int, int> Windows() {
    App().CloseWelcome();
    Pump();
    int layouts = 0, shown = 0;
    if (auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandle(MainWindow()))) {
      for (HWND w = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) ++layouts;
    }
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM count) {
          if (::IsWindowVisible(w)) ++*reinterpret_cast<int*>(count);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return {layouts, shown};
  }
};

TEST_P(FailedOpen, SaysWhyAndLeavesNoWindowBehind) {
  const FailedOpenRow& row = GetParam();
  WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=" + std::to_string(row.language) + "\n");
  const std::string file = WriteBadFile();
  const std::string pictureName = "failed_open_" + apptest::RowName(row.name) + ".png";
  // The Open dialog is given the file's name; the message about the file is
  // pictured and answered.
  act = [&](const ShownDialog& d) {
    if (::GetDlgItem(d.window, edt1)) {
      picture = pictureName;
      ::SetDlgItemTextA(d.window, edt1, file.c_str());
      Press(d, IDOK);
      return;
    }
    Press(d, d.buttons.empty() ? IDOK : d.buttons.front());
  };
  std::pair<int, int> before;
  std::array<long, 5> placeBefore{};
  if (row.route == Route::kCommandLine) {
    // What a start without a file shows (the main window, no layout), then
    // the start with the file.
    ASSERT_TRUE(StartProgram({}));
    before = Windows();
    ASSERT_EQ(before.first, 0);
    picture = pictureName;
    ASSERT_TRUE(StartProgram({file}));
  } else {
    ASSERT_TRUE(StartProgram({}));
    // One layout already open: it stays, and stays the only one.
    ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_NEW, 0);
    Pump();
    ASSERT_NE(App().GetActiveLayoutDoc(), nullptr);
    before = Windows();
    ASSERT_EQ(before.first, 1);
    placeBefore = LayoutPlace();
    shown.clear();
    ::PostMessageA(MainWindow(), WM_COMMAND, ID_FILE_OPEN, 0);
    Pump();
  }
  Pump();
  std::vector<std::string> messages;
  for (const ShownDialog& d : shown)
    if (!d.text.empty()) messages.push_back(ShownAsUtf8(d.text, row.language));
  ASSERT_EQ(messages.size(), 1u) << "one message about the file";
  const std::string opening = row.language == 1 ? "无法打开 " + file + "：" : "Cannot open " + file + ": ";
  EXPECT_EQ(messages[0].rfind(opening, 0), 0u) << messages[0];
  EXPECT_NE(messages[0].find(row.says), std::string::npos) << messages[0];
  if (row.language == 1) EXPECT_EQ(messages[0].substr(messages[0].size() - 3), "。") << messages[0];
  EXPECT_EQ(Windows(), before) << "the designer has the windows it had before the attempt";
  if (row.route == Route::kFileOpen) {
    EXPECT_EQ(LayoutPlace(), placeBefore) << "the layout window where it was, neither maximised nor moved";
    auto* doc = dynamic_cast<CRvoDoc*>(App().GetActiveLayoutDoc());
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->GetPathName().IsEmpty()) << "the new layout is still the active one";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, FailedOpen, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<FailedOpenRow>& info) {
                           return apptest::RowName(info.param.name);
                         });

}  // namespace
