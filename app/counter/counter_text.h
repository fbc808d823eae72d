// Counters held as text: decimal, hexadecimal and letter-and-digit values
// stepped from the right, carries passing over characters that do not count
// ("A-99" + 1 is "A-100"), with an optional limit and reset value.
#pragma once

#include "foundation/string/astring.h"

// Counter kinds ("number base" of a counter field).
enum CounterKind : int {
  kCounterDecimal = 0,
  kCounterHexadecimal = 1,
  kCounterDecimalAlpha = 2,
};

// Steps one character in place by amount; returns the carry for the character
// to its left. *touched is set when the character counts in the kind.
int StepCounterChar(char* c, int kind, int amount, bool* touched);
// Compares two texts aligned on the right: -1 when the longer one's extra
// leading characters are not all '0', else the byte comparison of the shorter
// with the longer one's last characters.
int CompareAlignedText(const char* shorter, int shorterLength, const char* longer, int longerLength);
// The text stepped by step; with checkLimit, a value beyond the limit in the
// counting direction is replaced by the reset text and *rolledOver set to 1.
// A carry left over after the leftmost counting character is written in
// front of it in the counter's own base for hexadecimal counters ("FF" +
// 5000 is "1487"), in decimal for the others ("ZZ" + 1 is "1AA").
AString StepCounterText(const AString& text, int step, int kind, bool checkLimit, const AString& limit,
                        const AString& reset, int* rolledOver = nullptr);
