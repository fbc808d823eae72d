// Character and text tests, splitting, checksums and UTF-16 search.
#pragma once

#include <cstdint>

#include "foundation/build.h"
#include "foundation/containers/aarray.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// A letter or digit (C locale), '_' or '$'.
bool IsIdentChar(int c);
// A letter, digit or '_' without the high bit.
bool IsWordChar(int c);
// A letter or decimal digit (C locale).
bool IsAlnumChar(int c);
// 1 when s begins with a letter and consists of IsIdentChar characters; else 0
// with the index of the first offending character in badPos (0 when the first
// is not a letter).
int IsIdentifier(const char* s, int* badPos);

// Index of the first character outside '0'..'9' among the first len (0: all)
// characters, else len. The text's terminator counts as a non-digit, so
// nothing is read past it.
int CountLeadingDigits(const char* s, int len);
bool IsAllDigits(const char* s, int len);
// The same over the UTF-16 units of s (at most maxUnits, 0: all); a digit unit
// has a zero high byte.
int CountLeadingDigitsWide(const AString& s, int maxUnits);
// IsAllDigits over the first n characters (0: all), narrow or wide by the string's flag.
bool IsAllDigitsText(const AString& s, int n);

// 1 for '0'..'9', 2 for 'a'..'f', 3 for 'A'..'F' (the digit's value stored
// when value is given), 0 otherwise.
int HexDigitValue(int c, int* value);

// When the first len characters (0: the whole text) are all blanks, tabs,
// carriage returns or line feeds, returns 0 and leaves s alone; otherwise
// strips those characters from both ends of the text in place and returns 1.
int TrimWhitespace(char* s, int len);

// Splits at the first tab; without one, before gets the whole text and after
// is emptied. Returns 1.
int SplitAtTab(AString text, AString& before, AString& after);

// Appends each trimmed, non-empty piece of text between separators (with
// stripQuotes, every '"' is removed from the last piece). Then, in every
// element longer than one character, an unmatched bracket is removed: all ')'
// when it holds no '(', all '(' when it holds no ')'. Returns the pieces added.
int SplitToStringArray(AArray<AString>& out, const char* text, char sep, bool stripQuotes);

// 1 when (a1, a2) equals (b1, b2) or (b2, b1), without regard to case.
int MatchPairEitherOrder(const char* a1, const char* a2, const char* b1, const char* b2);

// Sum of s[i] * (i mod 10000) over the characters, each a signed byte (wrapping).
int StringChecksum(const char* s);
// h = h * 33 + c over the bytes of the text (signed), from 0 (wrapping).
uint32_t StringHash(const AString& s);

// Unit index of a UTF-16 needle in a UTF-16 text, forward from start (negative:
// 0) or backward from start (negative or past the end: from the last possible
// position); -1 when absent. With ignoreCase, units below 256 compare with
// 'A'..'Z' folded to lower case.
int FindWide(const AString& hay, const AString& needle, int start, bool ignoreCase);
int ReverseFindWide(const AString& hay, const AString& needle, int start, bool ignoreCase);

FOUNDATION_END
