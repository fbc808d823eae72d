// The interface languages: the table of languages, the current language file
// and the lookup of an English interface text in it.
//
// A language file is an INI file whose section "UI_STR" maps each English
// text (normalised: no accelerator ampersands, no trailing dots or colon) or
// message number to its translation, in the language's code page. The file
// is read at every lookup, so an edited file takes effect at once.
#pragma once

#include <span>

#include "foundation/string/astring.h"
#include "platform/win.h"

struct UiLanguageRow {
  const char* name;
  int flags;  // kLanguageNameUntranslated
  const char* fileStem;
  const char* helpSuffix;
};
inline constexpr int kLanguageNameUntranslated = 1;

inline constexpr int kUiEnglish = 0;
inline constexpr int kUiChineseSimplified = 1;
inline constexpr int kUiChineseTraditional = 2;
inline constexpr int kUiGerman = 3;
inline constexpr int kUiJapanese = 4;
inline constexpr int kUiKorean = 5;

// Every language a file may exist for, by language index.
std::span<const UiLanguageRow> UiLanguageTable();
// The languages the user may choose, in the order they are offered.
std::span<const int> OfferedUiLanguages();

// A stored language index outside the table means English.
int ClampUiLanguage(int language);

// The folder of the language files, ending with '/'. It starts as the
// program folder's "DvrUIetc/".
const AString& UiLanguageFolder();
void SetUiLanguageFolder(const char* folder);

// Makes `language` (clamped) the current language: its file becomes the
// current language file ("<folder><stem>.ui") and the foundation's interface
// language kind follows it. The settings' language is passed in by whoever
// owns the settings (start-up, the options sheet).
void SetUiLanguageFile(int language);
int UiLanguage();
bool IsEnglishUi();
const AString& UiLanguageFilePath();
// The path of one language's file in the language folder.
AString UiLanguageFileOf(int language);

// The code page of the current language's texts: 936, 950, 932, 949, else 1252.
int UiCodePage();

// The translation of an interface text. Without force an English interface
// gives the text itself; with force the current file is read even then (the
// English file holds the texts of the numbered messages). A text the file
// lacks comes back as given.
void TranslateUiString(AString& result, const char* text, bool force = false);
AString TranslateUiString(const char* text, bool force = false);

// The key an interface text is looked up by, and whether a language file
// holds a translation for the text (both tries of the lookup).
AString UiTextKey(const char* text);
bool HasUiTranslation(const char* text, const char* file);

// The raw value of a key of section "UI_STR" of a language file (the current
// one when file is null); false when the key is missing or empty. "\n" pairs
// are left as they stand.
bool ReadUiString(const char* key, AString& value, const char* file = nullptr);

// The current language's help suffix ("_CN" for Simplified Chinese), else "".
void GetHelpFileSuffix(AString& result);

// Fills a combo box of a dialog with the offered languages, each item's data
// its language index, and selects `current` (the first entry when it is not
// offered). Names are translated unless their row says otherwise.
void FillLanguageCombo(int id, HWND dialog, int current);

// Clears a combo box and adds each text of a list ending with a null or empty
// entry, translated; a non-zero entry of itemData becomes its item's data.
// Selects item `selection`; returns the number of items added.
int FillTranslatedCombo(int id, HWND dialog, const char* const* texts, int selection,
                        const DWORD_PTR* itemData = nullptr);

// Interface text in the current language's code page as UTF-16 (for the W
// calls of the window system).
std::u16string UiTextToWide(const AString& text);
std::u16string UiTextToWide(const char* text, int length = -1);
