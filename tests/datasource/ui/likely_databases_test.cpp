// The Likely-Used Databases dialog as a person edits the list the database
// combos offer first: the remembered sources shown (a file data source by
// its file name, its path below the list), a row deleted (the same place
// selected, the last row after the last), the rows sorted one way and the
// other, OK making the rows the list and Cancel leaving it; in English and
// Chinese.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datasource/db_source_lists.h"
#include "datasource/ui/select_source/select_data_source_dlg.h"
#include "datasource/ui/select_source/select_source_ids.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

std::vector<std::string> Rows(HWND dialog) {
  return dsui_test::ListItems(dialog, IDC_SOURCE_LIST, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int Selected(HWND dialog) { return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_SOURCE_LIST, LB_GETCURSEL, 0, 0)); }

void Select(HWND dialog, int row) {
  HWND list = ::GetDlgItem(dialog, IDC_SOURCE_LIST);
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SOURCE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  uitest::RunUntilIdle();
}

std::vector<std::string> Likely() {
  std::vector<std::string> names;
  for (const NamedValue& v : LikelyUsedDbSources()) names.push_back(std::string(v.text.GetData()) + "|" + std::to_string(v.value));
  return names;
}

void Remember(std::initializer_list<std::pair<const char*, int>> sources) {
  LikelyUsedDbSources().clear();
  for (const auto& [name, file] : sources) LikelyUsedDbSources().push_back(NamedValue{AString(name), file});
}

struct Language {
  int language;
  const char* name;
  const char* caption;
};

class LikelyDatabases : public ::testing::TestWithParam<Language> {
 protected:
  void TearDown() override {
    LikelyUsedDbSources().clear();
    CWnd::DeleteTempMap();
  }
};

TEST_P(LikelyDatabases, RowsAreDeletedSortedAndKeptOnOk) {
  apptest::LanguageScope language(GetParam().language);
  Remember({{"stock", 0}, {"/srv/odbc/orders.dsn", 1}, {"Archive", 0}, {"billing", 0}});
  DialogScript script;
  script.Then([&](HWND dialog) {
    // The skin draws the translated caption (the picture shows it).
    if (GetParam().language == kUiEnglish) {
      EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemTextOf(dialog)), GetParam().caption);
    }
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"stock", "orders.dsn", "Archive", "billing"}));
    EXPECT_EQ(Selected(dialog), 0);
    Select(dialog, 1);
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(dialog, IDC_SOURCE_FULL_TEXT)), "/srv/odbc/orders.dsn");
    uitest::SaveWindowPng(dialog, dsui_test::PicturePath(std::string("likely_databases_") + GetParam().name + ".png"));
    // Sort: ascending, then descending, without regard to case.
    Press(dialog, IDC_SOURCE_SORT);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Archive", "billing", "orders.dsn", "stock"}));
    EXPECT_EQ(Selected(dialog), 0);
    Press(dialog, IDC_SOURCE_SORT);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"stock", "orders.dsn", "billing", "Archive"}));
    // Deleting a middle row keeps its place selected; the last row, the new last.
    Select(dialog, 1);
    Press(dialog, IDC_SOURCE_DELETE);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"stock", "billing", "Archive"}));
    EXPECT_EQ(Selected(dialog), 1);
    Select(dialog, 2);
    Press(dialog, IDC_SOURCE_DELETE);
    EXPECT_EQ(Selected(dialog), 1);
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(dialog, IDC_SOURCE_FULL_TEXT)), "billing");
    Press(dialog, IDOK);
  });
  CSelectDataSourceDlg dialog(nullptr, IDD_LIKELY_DATA_SOURCES);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(Likely(), (std::vector<std::string>{"stock|0", "billing|0"}));
}

TEST_P(LikelyDatabases, CancelLeavesTheList) {
  apptest::LanguageScope language(GetParam().language);
  Remember({{"stock", 0}, {"/srv/odbc/orders.dsn", 1}});
  DialogScript script;
  script.Then([&](HWND dialog) {
    Press(dialog, IDC_SOURCE_DELETE);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"orders.dsn"}));
    Press(dialog, IDCANCEL);
  });
  CSelectDataSourceDlg dialog(nullptr, IDD_LIKELY_DATA_SOURCES);
  ASSERT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(Likely(), (std::vector<std::string>{"stock|0", "/srv/odbc/orders.dsn|1"}));
}

INSTANTIATE_TEST_SUITE_P(Languages, LikelyDatabases,
                         ::testing::Values(Language{kUiEnglish, "en", "Likely-Used Databases"},
                                           Language{kUiChineseSimplified, "zh", "常用数据库"}),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

}  // namespace
