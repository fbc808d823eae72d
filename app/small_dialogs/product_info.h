// What the program says about itself: version, product title, the maker's
// addresses and legal notice.
#pragma once

#include "foundation/string/astring.h"

inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 12;
inline constexpr const char* kProductName = "Mirolune";
inline constexpr const char* kProductEdition = "Enterprise";
inline constexpr const char* kProductWebAddress = "www.zorvik.example";
inline constexpr const char* kSupportWebPage = "https://www.zorvik.example/support/mirolune";
inline constexpr const char* kSupportMailAddress = "support@zorvik.example";

// "3.12"; the numbers through the optional out-parameters.
AString GetVersionText(int* major = nullptr, int* minor = nullptr);
// "Mirolune Enterprise".
AString GetProductTitle();
// The maker's notice, its year range ending with the given year.
AString LegalNotice(int year);
// The current year, local time.
int CurrentYear();
