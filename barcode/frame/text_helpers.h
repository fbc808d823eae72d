// Small text helpers of the library (the MaxiCode primary message uses them).
#pragma once

namespace kalvo {

// Index of the first character that is not a decimal digit, or `length` when
// all are digits; a length of 0 takes the text's own length.
int CountLeadingDigits(const char* text, int length);
// 1 when the text (length 0: its own length) is digits only, else 0.
int IsAllDigits(const char* text, int length);
// The decimal number in the first n characters of the text.
int ParseNumberPrefix(const char* text, int n);

}  // namespace kalvo
