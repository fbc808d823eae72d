// Check characters shared by several symbologies.
#pragma once

#include <string>
#include <string_view>

namespace kalvo {

// GS1 modulo 10: weights 3 and 1 from the rightmost digit (which weighs 3).
char Gs1Mod10(std::string_view digits);
// MSI modulo 10 (Plessey and MSI).
char MsiMod10(std::string_view digits);
// POSTNET: the digit that makes the digit sum a multiple of 10.
char PostnetCheck(std::string_view digits);
// Code 39 modulo 43 over the upper-cased text (characters without a value are skipped).
char Code39Mod43(std::string_view text);

// ASCII upper-casing (the data reaching it has passed validation).
std::string UpperCased(std::string_view text);
void UpperCaseInPlace(char* text);

}  // namespace kalvo
