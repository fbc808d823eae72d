// The small dialogs driven as a person would: the About box and its links,
// the welcome screen on the platform's clock, the input prompt's refusals
// and its wide values; pictures in English and Chinese.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../dialog_script.h"
#include "../frame/frame_test_util.h"
#include "app/small_dialogs/about_dlg.h"
#include "app/small_dialogs/product_info.h"
#include "app/small_dialogs/prompt_input_dlg.h"
#include "app/small_dialogs/small_dialogs_ids.h"
#include "app/small_dialogs/static_hotlink.h"
#include "app/small_dialogs/welcome_dlg.h"
#include "app/ui/ui_language.h"
#include "document/layout_shell.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using apptest::Press;

using frametest::PicturePath;

// The program's folder is the build folder, where the welcome picture is.
class CDialogsTestApp : public CWinApp, public CLayoutShell {
 public:
  CDialogsTestApp() : CWinApp("Mirolune") {}
  AString ProgramFolder() override { return AString(programFolder.c_str()); }
  using CWinApp::GetProfileInt;
  using CWinApp::GetProfileString;
  using CWinApp::WriteProfileInt;
  using CWinApp::WriteProfileString;
  std::string programFolder = std::string(TAV_BUILD_DIR) + "/";
};

std::string Text(HWND dialog, int id) {
  char text[256] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

class SmallDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = shell::SetLauncher([this](const std::vector<std::string>& argv) {
      opened.push_back(argv.at(1));
      return true;
    });
  }
  void TearDown() override {
    shell::SetLauncher(old_);
    CWnd::DeleteTempMap();
  }
  CDialogsTestApp app;
  std::vector<std::string> opened;

 private:
  shell::Launcher old_;
};

TEST_F(SmallDialogs, AboutShowsProductVersionLinksAndThisYear) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    opened.clear();
    DialogScript script;
    std::string product, version, legal, web, mail;
    script.Then([&](HWND dlg) {
      product = Text(dlg, IDC_ABOUT_PRODUCT);
      version = Text(dlg, IDC_ABOUT_VERSION);
      legal = Text(dlg, IDC_ABOUT_LEGAL);
      web = Text(dlg, IDC_ABOUT_WEB);
      mail = Text(dlg, IDC_ABOUT_MAIL);
      uitest::SaveWindowPng(dlg, PicturePath(language == kUiEnglish ? "about_en.png" : "about_zh.png"));
      uitest::Click(::GetDlgItem(dlg, IDC_ABOUT_WEB));
      uitest::Click(::GetDlgItem(dlg, IDC_ABOUT_MAIL));
      Press(dlg, IDOK);
    });
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
    if (language == kUiEnglish) {
      // The program's own name and the version of its build.
      EXPECT_EQ(product, "Tavrendel");
      EXPECT_EQ(version, "Version " + std::string(GetVersionText().GetData()));
    }
    EXPECT_NE(version.find(GetVersionText().GetData()), std::string::npos);
    EXPECT_NE(legal.find("-" + std::to_string(CurrentYear()) + " "), std::string::npos) << legal;
    EXPECT_EQ(web, kProductWebAddress);
    EXPECT_EQ(mail, kSupportMailAddress);
    EXPECT_EQ(opened, (std::vector<std::string>{kSupportWebPage, std::string("mailto:") + kSupportMailAddress}));
  }
}

TEST(StaticHotlink, ClickTargets) {
  struct TargetCase {
    const char* text;
    const char* link;
    int mail;
    const char* target;
  };
  const TargetCase cases[] = {
      {"support@zorvik.example", "", 1, "mailto:support@zorvik.example"},
      {"support@zorvik.example", "https://ignored.example", 1, "mailto:support@zorvik.example"},
      {"www.zorvik.example", "https://www.zorvik.example/a", 0, "https://www.zorvik.example/a"},
      {"www.zorvik.example", "", 0, "www.zorvik.example"},
      {"", "https://www.zorvik.example/a", 0, ""},
  };
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, "Static", "", WS_POPUP, 0, 0, 100, 40, nullptr, nullptr));
  for (const TargetCase& c : cases) {
    CStaticHotlink link;
    ASSERT_TRUE(link.Create(c.text, WS_CHILD | SS_NOTIFY, CRect(0, 0, 80, 16), &parent, 10));
    link.m_link = c.link;
    link.m_mail = c.mail;
    EXPECT_EQ(std::string(link.ClickTarget().GetData()), c.target) << c.text;
    link.DestroyWindow();
  }
  parent.DestroyWindow();
}

TEST_F(SmallDialogs, WelcomeStaysAtLeast1600MsOnThePlatformClock) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    uitest::VirtualClock clock;
    auto* welcome = new CWelcomeDlg(0, nullptr);
    ASSERT_TRUE(welcome->Create(nullptr));
    HWND window = welcome->m_hWnd;
    welcome->ShowWindow(SW_SHOW);
    uitest::RunUntilIdle();
    EXPECT_TRUE(welcome->HasPicture());
    CRect r;
    welcome->GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 480);
    EXPECT_EQ(r.Height(), 300);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, IDOK)));
    uitest::SaveWindowPng(window, PicturePath(language == kUiEnglish ? "welcome_en.png" : "welcome_zh.png"));
    clock.Advance(700);  // start-up's own work
    welcome->CloseWhenShownLongEnough();
    clock.Advance(899);
    EXPECT_TRUE(::IsWindow(window));
    clock.Advance(1);
    EXPECT_FALSE(::IsWindow(window));
  }
}

TEST_F(SmallDialogs, WelcomeWithoutItsPictureStillCloses) {
  app.programFolder = "/nonexistent-folder/";
  uitest::VirtualClock clock;
  auto* welcome = new CWelcomeDlg(0, nullptr);
  ASSERT_TRUE(welcome->Create(nullptr));
  HWND window = welcome->m_hWnd;
  EXPECT_FALSE(welcome->HasPicture());
  clock.Advance(2000);
  welcome->CloseWhenShownLongEnough();  // long enough already: at once
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(SmallDialogs, InputRefusesEmptyAndTooLongValues) {
  struct InputCase {
    const char* why;
    const char* value;
    int maxLength;
    const char* typed;
    std::vector<std::string> messages;  // captions of the boxes before OK is taken
    bool accepted;
  };
  const std::vector<InputCase> cases = {
      {"plain", "abc", -1, "label one", {}, true},
      {"empty", "abc", -1, "", {"50064"}, false},
      {"maximum 0 refuses every value", "", 0, "x", {"50062"}, false},
      {"maximum 0, empty value: 50064 first", "", 0, "", {"50064"}, false},
      {"longer than the maximum", "", 3, "abcd", {"50062"}, false},
      {"as long as the maximum", "", 4, "abcd", {}, true},
  };
  for (const InputCase& c : cases) {
    DialogScript script;
    script.Then([&](HWND dlg) {
      // Typed over the selection, as a person replaces the value.
      ::SetDlgItemTextA(dlg, IDC_PROMPT_VALUE, c.typed);
      Press(dlg, IDOK);
      if (!c.accepted) Press(dlg, IDCANCEL);
    });
    for (size_t i = 0; i < c.messages.size(); ++i) script.Then([](HWND box) { Press(box, IDOK); });
    CPromptInputDlg input;
    input.m_prompt = "Name:";
    input.m_value = c.value;
    input.m_maxLength = c.maxLength;
    const INT_PTR result = input.DoModal();
    EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL) << c.why;
    ASSERT_EQ(script.captions.size(), 1 + c.messages.size()) << c.why;
    for (size_t i = 0; i < c.messages.size(); ++i) {
      EXPECT_NE(script.captions[1 + i].find(c.messages[i]), std::string::npos) << c.why << ": " << script.captions[1 + i];
    }
    if (c.accepted) {
      EXPECT_EQ(std::string(input.m_value.GetData()), c.typed) << c.why;
    }
  }
}

TEST_F(SmallDialogs, InputKeepsAWideValueWhole) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    const std::u16string text = u"\u6807\u7b7e \U0001F4E6 A";
    AString value(static_cast<int>(text.size() * 2), reinterpret_cast<const char*>(text.data()));
    value.SetWide(true);
    DialogScript script;
    std::u16string shown;
    script.Then([&](HWND dlg) {
      char16_t buffer[64] = {};
      ::GetWindowTextW(::GetDlgItem(dlg, IDC_PROMPT_VALUE), reinterpret_cast<LPWSTR>(buffer), 64);
      shown = buffer;
      uitest::SaveWindowPng(dlg, PicturePath(language == kUiEnglish ? "input_en.png" : "input_zh.png"));
      Press(dlg, IDOK);
    });
    CPromptInputDlg input;
    input.m_prompt = "Name:";
    input.m_value = value;
    ASSERT_EQ(input.DoModal(), IDOK);
    EXPECT_EQ(shown, text);
    EXPECT_TRUE(input.m_value.IsWide());
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(input.m_value.GetData()),
                             static_cast<size_t>(input.m_value.GetLength()) / 2),
              text);
  }
}

}  // namespace
