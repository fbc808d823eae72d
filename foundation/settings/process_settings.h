// Process-wide settings that the application shell fills at start-up and the
// foundation, the fields and the library's code read. Tests set them directly.
#pragma once

#include "foundation/build.h"
#include "platform/win/types.h"

FOUNDATION_BEGIN

// Filled once at start-up from the operating-system version; never changed after.
struct OsVersionFlagsT {
  bool isNtFamily = true;       // platform id 2
  bool isNt5OrLater = true;     // NT version 5 or later
  bool isNt3 = false;           // NT version 3
  int version = 501;            // major * 100 + minor
  bool isDbcsChineseSystem = false;  // ANSI code page is multibyte and the default language id is 4
};

OsVersionFlagsT& OsVersionFlags();

// The language kind of the user interface (0 English, 1 Simplified Chinese,
// 2 Traditional Chinese, 4 Japanese, 5 Korean).
int& UiLanguageKind();

// The language kind of application data.
SHORT& AppDataLanguage();

// "Config" profile values read at start-up.
struct ConfigSettingsT {
  int tabStops = 4;        // "TabStops"; 0 is read as 1
  int drawFldsOpaque = 1;  // "drawFldsOpaque"; 0 draws fields with the not-xor mix
  bool pasteKeepsFormat = false;  // paste-format flag of the rich-edit control
};

ConfigSettingsT& ConfigSettings();

// "TabStops" as the fields take it: 0 reads as 1.
int EffectiveTabStops();

FOUNDATION_END
