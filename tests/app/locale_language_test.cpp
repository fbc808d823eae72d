// The first run's language from the locale.
#include <gtest/gtest.h>

#include "app/core/locale_language.h"
#include "app_test_util.h"

namespace {

struct LocaleCase {
  const char* locale;
  int languageId;
  int row;
};

const LocaleCase kCases[] = {
    {"zh_CN.UTF-8", 2052, 1}, {"zh_CN", 2052, 1},        {"zh_TW.UTF-8", 1028, 2}, {"zh_HK.UTF-8", 1028, 2},
    {"zh_SG.UTF-8", 1033, 0}, {"de_DE.UTF-8", 1031, 3},   {"de_AT@euro", 1031, 3},  {"de", 1031, 3},
    {"dev_IN", 1033, 0},      {"en_US.UTF-8", 1033, 0},   {"C", 1033, 0},           {"C.UTF-8", 1033, 0},
    {"fr_FR.UTF-8", 1033, 0}, {"ja_JP.UTF-8", 1033, 0},
};

class LocaleTable : public testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleTable, GivesLanguageAndRow) {
  const LocaleCase& c = GetParam();
  EXPECT_EQ(InstallerLanguageForLocale(c.locale), c.languageId);
  EXPECT_EQ(UiLanguageRowForInstallerLanguage(InstallerLanguageForLocale(c.locale)), c.row);
}

INSTANTIATE_TEST_SUITE_P(Table, LocaleTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LocaleCase>& info) { return apptest::RowName(info.param.locale); });

TEST(Locale, AllBeforeMessagesBeforeLang) {
  apptest::ScopedEnv lang("LANG", "de_DE.UTF-8");
  apptest::ScopedEnv messages("LC_MESSAGES", "zh_TW.UTF-8");
  {
    apptest::ScopedEnv all("LC_ALL", "zh_CN.UTF-8");
    EXPECT_EQ(LocaleFromEnvironment(), "zh_CN.UTF-8");
  }
  apptest::ScopedEnv all("LC_ALL", nullptr);
  EXPECT_EQ(LocaleFromEnvironment(), "zh_TW.UTF-8");
  apptest::ScopedEnv noMessages("LC_MESSAGES", nullptr);
  EXPECT_EQ(LocaleFromEnvironment(), "de_DE.UTF-8");
}

}  // namespace
