// Formatting of field values (number formats and input masks), small number
// conversions between layout units and millimetres.
#pragma once

#include <cstddef>

#include "foundation/build.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// A spec beginning with "@@%" is a number format: the value is read as a
// number and printed with the text from its third character on. The format
// must hold exactly one conversion: a floating one (f F e E g G) prints the
// number, an integer one (d i u o x X) its integer part; flags, width and
// precision are allowed, and "%%" stands for a percent sign. Any other format
// text becomes the value as plain text. Any other spec is an input mask
// (ApplyMask, or ApplyMaskWide for a UTF-16 value). Returns the resulting
// length (1 for a number format).
int FormatValueBySpec(AString& value, const char* spec);

// Each '?' of the mask takes the next character of the value, every other mask
// character is copied; when the value runs out at a '?', the rest of the mask
// is copied without its '?'s. The result is narrow. Returns its byte length.
int ApplyMask(AString& value, const char* mask);
// The same in UTF-16 units (each mask byte one unit), except that the result
// ends where the value runs out at a '?'. The result is wide. Returns its byte length.
int ApplyMaskWide(AString& value, const char* mask);

// value = its number printed with `decimals` decimals (0..30), with a sign
// when withSign is set. A wide value is converted to multibyte first. Returns 1.
int FormatNumberDecimals(AString& value, int decimals, bool withSign);

// "%.12f" of x into buf (of bufSize bytes), then TrimTrailingZeros. Returns the length.
int FormatDoubleTrimmed(double x, char* buf, size_t bufSize);
// Only when the text holds a '.': drops trailing '0's, then a trailing '.';
// an empty result becomes "0". Returns the length.
int TrimTrailingZeros(char* buf);

// Replaces every "chr(" (any case) followed by decimal digits and ')' by the
// character of that code (low 8 bits). Returns the number of replacements.
int ReplaceChrCodes(AString& text);

// Two upper-case hex digits per byte ("%02X"); len <= 0 takes the C string's
// length. An odd last byte gives its own two digits.
AString HexPairs(const char* data, int len);

// The local time as "%x %X" (kind 0), "%x" (1) or "%X" (2); other kinds give "".
AString FormatCurrentDateTime(int kind);

// Thousandths of an inch to millimetres (unit 2) or to inches (any other unit).
void ConvertLayoutUnits(int a, int b, int unit, double* outA, double* outB);
double ThousandthsToMm(int v);
int MmToThousandths(double mm);
int ScaleByPoint254(double v);

FOUNDATION_END
