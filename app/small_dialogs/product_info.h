// What the program says about itself: version, product title, the maker's
// addresses and legal notice.
#pragma once

#include "foundation/string/astring.h"

// The program's own name and version, as the build names it; the About box
// and the welcome screen show them.
inline constexpr const char* kProgramName = "Tavrendel";
inline constexpr int kVersionMajor = TAV_VERSION_MAJOR;
inline constexpr int kVersionMinor = TAV_VERSION_MINOR;
// The product name the profile and the file type are registered under.
inline constexpr const char* kProductName = "Mirolune";
inline constexpr const char* kProductWebAddress = "www.zorvik.example";
inline constexpr const char* kSupportWebPage = "https://www.zorvik.example/support/mirolune";
inline constexpr const char* kSupportMailAddress = "support@zorvik.example";

// "0.1"; the numbers through the optional out-parameters.
AString GetVersionText(int* major = nullptr, int* minor = nullptr);
// The program's name, "Tavrendel".
AString GetProductTitle();
// The maker's notice, its year range ending with the given year.
AString LegalNotice(int year);
// The current year, local time.
int CurrentYear();
