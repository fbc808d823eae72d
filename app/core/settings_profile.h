// Reading the settings record from the profile's "Config" section at
// start-up and writing it back at exit. Values the rest of the designer
// divides by or indexes with are checked here, once: a stored value out of
// its range gives the key's default.
#pragma once

#include <string>

#include "app/core/app_settings.h"
#include "app/core/profile_file.h"

inline constexpr const char* kConfigSection = "Config";
inline constexpr int kUiLanguageCount = 6;  // rows of the language table

struct SettingsContext {
  std::string perUserFolder;  // ends with '/': the data folders' defaults live here
  bool readerMode = false;    // line spacing 0.6, and the profile's value left alone
};

// Every key read at start-up (the data folders included), checked.
void LoadAppSettings(CAppSettings& settings, const CProfileFile& profile, const SettingsContext& context);
// "AppLanguage", checked (the first run takes the locale's language instead).
int ReadUiLanguage(const CProfileFile& profile);
// The seven data folders, each as a string, in index order.
void SaveDataFolders(const CAppSettings& settings, const CProfileFile& profile);
// What exit writes, in the order exit writes it.
void SaveAppSettings(const CAppSettings& settings, const CProfileFile& profile, const SettingsContext& context);

// Parses a decimal number kept as text ("gridDx", "LineSpacing"); false when
// the text is not a finite number.
bool ParseDecimal(const char* text, double& value);
