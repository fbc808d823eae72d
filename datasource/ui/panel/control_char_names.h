// Control characters written as their names in square brackets ("[cr]",
// "[gs]"), so the data boxes can show and take bytes below 32.
#pragma once

#include <string_view>

#include "foundation/string/astring.h"

// The name of a byte below 32 ("nul" ... "us"); null for any other.
const char* ControlCharName(int byte);
// The byte a name stands for (names compare case-sensitively); -1 for none.
int ControlCharByName(std::string_view name);

// Every byte below 32 becomes "[name]", except CR, LF and tab when
// keepLineBreaks is set; every other byte is copied.
void EncodeControlCharNames(AString& out, const AString& text, bool keepLineBreaks);
// Each "[name]" of a known name of 2 or 3 letters becomes its byte; the scan
// goes on after the "]"; anything else is copied. A wide text decodes
// by UTF-16 units and stays wide.
void DecodeControlCharNames(AString& out, const AString& text);
