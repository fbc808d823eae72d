#include "foundation/settings/process_settings.h"

FOUNDATION_BEGIN

OsVersionFlagsT& OsVersionFlags() {
  static OsVersionFlagsT flags;
  return flags;
}

int& UiLanguageKind() {
  static int kind = 0;
  return kind;
}

SHORT& AppDataLanguage() {
  static SHORT kind = 0;
  return kind;
}

ConfigSettingsT& ConfigSettings() {
  static ConfigSettingsT settings;
  return settings;
}

int EffectiveTabStops() {
  const int t = ConfigSettings().tabStops;
  return t == 0 ? 1 : t;
}

FOUNDATION_END
