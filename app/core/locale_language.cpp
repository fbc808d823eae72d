#include "app/core/locale_language.h"

#include <array>
#include <cstdlib>

namespace {

struct LocaleEntry {
  std::string_view prefix;  // language, or language_territory
  int languageId;
};

// Longer prefixes first: the territory decides between the Chinese scripts.
constexpr std::array<LocaleEntry, 4> kLocales{{
    {"zh_CN", 2052},
    {"zh_TW", 1028},
    {"zh_HK", 1028},
    {"de", 1031},
}};

struct RowEntry {
  int languageId;
  int row;
};
constexpr std::array<RowEntry, 4> kRows{{{1033, 0}, {2052, 1}, {1028, 2}, {1031, 3}}};

bool Matches(std::string_view locale, std::string_view prefix) {
  if (locale.substr(0, prefix.size()) != prefix) return false;
  // "de" must not take "dev"; after the prefix comes an end or a separator.
  if (locale.size() == prefix.size()) return true;
  const char next = locale[prefix.size()];
  return next == '_' || next == '.' || next == '@';
}

}  // namespace

std::string_view LocaleFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "C";
}

int InstallerLanguageForLocale(std::string_view locale) {
  for (const LocaleEntry& e : kLocales)
    if (Matches(locale, e.prefix)) return e.languageId;
  return 1033;
}

int UiLanguageRowForInstallerLanguage(int languageId) {
  for (const RowEntry& e : kRows)
    if (e.languageId == languageId) return e.row;
  return 0;
}
