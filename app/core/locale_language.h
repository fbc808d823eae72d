// The language a first run starts in, from the user's locale: the installer
// language id the locale stands for, and the row of the UI language table
// that id gives.
#pragma once

#include <string_view>

// LC_ALL, else LC_MESSAGES, else LANG; "C" when none is set.
std::string_view LocaleFromEnvironment();
// zh_CN 2052, zh_TW and zh_HK 1028, de 1031, anything else 1033.
int InstallerLanguageForLocale(std::string_view locale);
// 1033 row 0, 2052 row 1, 1028 row 2, 1031 row 3, any other row 0.
int UiLanguageRowForInstallerLanguage(int languageId);
