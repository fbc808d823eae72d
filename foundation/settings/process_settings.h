// Process-wide settings that the application shell fills at start-up and the
// foundation, the fields and the library's code read. Tests set them directly.
#pragma once

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

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
// Fills the flags from the platform (an NT 5.1 family system; the Chinese
// double-byte flag from the ANSI code page and the system language).
void InitOsVersionFlags();

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
// Reads "TabStops" and "drawFldsOpaque" from the "Config" section of the
// profile file (defaults 4 and 1 when missing).
void LoadConfigSettings(const char* profileFile);

// "TabStops" as the fields take it: 0 reads as 1.
int EffectiveTabStops();

// The folders put before relative file names: linked text files, image files,
// counter files and choose lists. Each ends with '/' (SetFolder adds it when
// missing; an empty folder stays empty, meaning the current folder). They
// start as the program's folder; the program sets them from its settings.
enum class FolderKind { kLinkedText, kImage, kCounter, kChooseList };
const AString& GetFolder(FolderKind kind);
void SetFolder(FolderKind kind, const AString& folder);

// The application's table of data languages: a field's data language is an
// index into it. Each entry names a language kind (0 English, 1 Simplified
// Chinese, 2 Traditional Chinese, 4 Japanese, 5 Korean).
struct DataLanguageEntry {
  const char* name;
  int kind;
};
int DataLanguageCount();
// The entry at index, or null outside the table.
const DataLanguageEntry* GetDataLanguage(int index);
// The language kind of a data language index; English outside the table.
int DataLanguageKind(int index);

FOUNDATION_END
