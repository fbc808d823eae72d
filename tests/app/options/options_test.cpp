// The options sheet and the Default Folders dialog driven as a person would:
// the language and unit of new labels on a copy of the settings, menus in
// the new language at once, folders changed through the picker and refused
// while one is missing; pictures in English and Chinese.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../dialog_script.h"
#include "../frame/frame_test_app.h"
#include "../frame/frame_test_util.h"
#include "app/core/app_settings.h"
#include "app/frame/owner_draw_menu.h"
#include "app/options/default_folders_dlg.h"
#include "app/options/options_ids.h"
#include "app/options/options_sheet.h"
#include "app/ui/ui_language.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using apptest::Press;

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

// Selects the combo item whose data is `data`, as a person choosing it.
void ChooseByData(HWND dialog, int id, LPARAM data) {
  HWND combo = ::GetDlgItem(dialog, id);
  const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
      ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
      return;
    }
  }
  ADD_FAILURE() << "no item with data " << data;
}

// What a menu item shows: an owner-drawn item its record's label in the
// interface language (and its shortcut), a plain one its text.
std::u16string MenuText(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  if ((info.fType & MFT_OWNERDRAW) && info.dwItemData) {
    const auto& record = *reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
    std::u16string shown = UiTextToWide(MenuItemLabel(record));
    const std::string text = record.text.GetData();
    if (const size_t tab = text.find('\t'); tab != std::string::npos)
      shown += u'\t' + UiTextToWide(text.substr(tab + 1).c_str());
    return shown;
  }
  char16_t text[128] = {};
  ::GetMenuStringW(menu, position, reinterpret_cast<LPWSTR>(text), 128, MF_BYPOSITION);
  return text;
}

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<frametest::CFrameTestApp>();
    app->m_profile = dir / "options.ini";
    ASSERT_TRUE(app->InitInstance());
    frame = static_cast<CMainFrame*>(app->m_pMainWnd);
    frametest::Pump(app.get());
    saved.CopyFrom(AppSettings());
  }
  void TearDown() override {
    AppSettings().CopyFrom(saved);
    if (app->m_pMainWnd) ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    uitest::RunUntilIdle();
    app->ExitInstance();
    app.reset();
    CWnd::DeleteTempMap();
  }

  frametest::Scratch dir;
  std::unique_ptr<frametest::CFrameTestApp> app;
  CMainFrame* frame = nullptr;
  CAppSettings saved;
};

TEST_F(OptionsTest, ChoosingChineseRebuildsTheMenusAndWritesTheLanguageAtOnce) {
  LanguageScope scope(kUiEnglish);
  AppSettings().uiLanguage = kUiEnglish;
  AppSettings().units = 1;
  HMENU bar = ::GetMenu(frame->m_hWnd);
  EXPECT_EQ(MenuText(bar, 0), u"&File");
  DialogScript script;
  script.Then([](HWND sheet) {
    HWND page = CurrentPage(sheet);
    uitest::SaveWindowPng(sheet, frametest::PicturePath("configuration_en.png"));
    ChooseByData(page, IDC_UI_LANGUAGE, kUiChineseSimplified);
    Press(sheet, IDOK);
  });
  EXPECT_EQ(RunOptionsSheet(), IDOK);
  EXPECT_EQ(AppSettings().uiLanguage, kUiChineseSimplified);
  EXPECT_EQ(UiLanguage(), kUiChineseSimplified);
  EXPECT_EQ(app->GetProfileInt("Config", "AppLanguage", -1), kUiChineseSimplified);
  EXPECT_EQ(script.captions.front(), "Configuration");
  // The menu bar speaks Chinese now ("文件" for File), shortcuts kept.
  EXPECT_EQ(MenuText(bar, 0), u"\u6587\u4ef6");
  HMENU file = ::GetSubMenu(bar, 0);
  EXPECT_NE(MenuText(file, 0).find(u"\tCtrl+N"), std::u16string::npos);
  uitest::SaveWindowPng(frame->m_hWnd, frametest::PicturePath("main_frame_zh.png"));

  // In Chinese: a picture of the sheet, and Cancel changes nothing.
  DialogScript again;
  again.Then([](HWND sheet) {
    uitest::SaveWindowPng(sheet, frametest::PicturePath("configuration_zh.png"));
    ChooseByData(CurrentPage(sheet), IDC_UI_LANGUAGE, kUiEnglish);
    Press(sheet, IDCANCEL);
  });
  EXPECT_EQ(RunOptionsSheet(), IDCANCEL);
  EXPECT_EQ(AppSettings().uiLanguage, kUiChineseSimplified);
  // Back to English: the menus follow.
  DialogScript back;
  back.Then([](HWND sheet) {
    ChooseByData(CurrentPage(sheet), IDC_UI_LANGUAGE, kUiEnglish);
    Press(sheet, IDOK);
  });
  EXPECT_EQ(RunOptionsSheet(), IDOK);
  EXPECT_EQ(MenuText(bar, 0), u"&File");
  EXPECT_EQ(app->GetProfileInt("Config", "AppLanguage", -1), kUiEnglish);
}

TEST_F(OptionsTest, MillimetresForNewLabels) {
  LanguageScope scope(kUiEnglish);
  AppSettings().units = 1;
  DialogScript script;
  script.Then([](HWND sheet) {
    HWND page = CurrentPage(sheet);
    HWND unit = ::GetDlgItem(page, IDC_NEW_LABEL_UNIT);
    EXPECT_EQ(::SendMessageA(unit, CB_GETCURSEL, 0, 0), 0);  // Inch
    ::SendMessageA(unit, CB_SETCURSEL, 1, 0);
    Press(sheet, IDOK);
  });
  EXPECT_EQ(RunOptionsSheet(), IDOK);
  EXPECT_EQ(AppSettings().units, 2);
}

TEST_F(OptionsTest, ALanguageNotOfferedShowsEnglishAndOkSwitchesToIt) {
  LanguageScope scope(kUiEnglish);
  AppSettings().uiLanguage = kUiGerman;
  DialogScript script;
  LRESULT selectedData = -1;
  script.Then([&](HWND sheet) {
    HWND combo = ::GetDlgItem(CurrentPage(sheet), IDC_UI_LANGUAGE);
    const LRESULT selected = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    selectedData = ::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
    Press(sheet, IDOK);
  });
  EXPECT_EQ(RunOptionsSheet(), IDOK);
  EXPECT_EQ(selectedData, kUiEnglish);
  EXPECT_EQ(AppSettings().uiLanguage, kUiEnglish);
}

class FoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"text", "choose", "counter", "image", "stock", "other"}) {
      const std::string path = dir / name;
      ::mkdir(path.c_str(), 0700);
      folders.push_back(path + "/");
    }
  }
  void Fill(CDefaultFoldersDlg& dlg) {
    dlg.m_textFolder = folders[0].c_str();
    dlg.m_chooselistFolder = folders[1].c_str();
    dlg.m_counterFolder = folders[2].c_str();
    dlg.m_imageFolder = folders[3].c_str();
    dlg.m_stockFolder = folders[4].c_str();
  }
  frametest::Scratch dir;
  std::vector<std::string> folders;
};

std::string Cell(HWND list, int row, int column) {
  char text[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST_F(FoldersTest, ListsTheFiveFoldersAndClosesWhenAllExist) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    CDefaultFoldersDlg dlg;
    Fill(dlg);
    DialogScript script;
    std::vector<std::string> names, paths;
    script.Then([&](HWND d) {
      HWND list = ::GetDlgItem(d, IDC_FOLDER_LIST);
      for (int row = 0; row < 5; ++row) {
        names.push_back(Cell(list, row, 0));
        paths.push_back(Cell(list, row, 1));
      }
      EXPECT_EQ(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
      uitest::SaveWindowPng(d, frametest::PicturePath(language == kUiEnglish ? "default_folders_en.png"
                                                                             : "default_folders_zh.png"));
      Press(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(paths, std::vector<std::string>(folders.begin(), folders.begin() + 5));
    if (language == kUiEnglish) {
      EXPECT_EQ(names, (std::vector<std::string>{"Text Files", "Chooselist Files", "Counter Files", "Image Files",
                                                 "Custom Stock Files"}));
    }
  }
}

TEST_F(FoldersTest, AMissingFolderBlocksCloseUntilChanged) {
  LanguageScope scope(kUiEnglish);
  CDefaultFoldersDlg dlg;
  Fill(dlg);
  std::filesystem::remove(folders[2].substr(0, folders[2].size() - 1));
  DialogScript script;
  LRESULT selectedAfterRefusal = -1;
  HWND dialog = nullptr;
  script.Then([&](HWND d) {
    dialog = d;
    Press(d, IDOK);  // refused: message 50092, then the counter folder's row is selected
    selectedAfterRefusal =
        ::SendMessageA(::GetDlgItem(d, IDC_FOLDER_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    Press(d, IDC_FOLDER_CHANGE);  // the picker: another folder
    Press(d, IDOK);
  });
  script.Then([](HWND box) { Press(box, IDOK); });
  const std::string other = folders[5];
  script.Then([&](HWND picker) {
    ::SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(other.c_str()));
    uitest::RunUntilIdle();
    Press(picker, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ASSERT_GE(script.captions.size(), 3u);
  EXPECT_NE(script.captions[1].find("50092"), std::string::npos) << script.captions[1];
  EXPECT_EQ(selectedAfterRefusal, 2);
  EXPECT_EQ(std::string(dlg.m_counterFolder.GetData()), other);
  EXPECT_EQ(std::string(dlg.m_textFolder.GetData()), folders[0]);
}

}  // namespace
