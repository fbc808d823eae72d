// The print run's counter stepping, over the shell's counter text stepping.
#pragma once

#include "app/counter/counter_text.h"

// The print run's form: the value after `amount` more labels.
AString AdvanceCounterValue(const AString& value, int amount, int base, bool rollover, const AString& limit,
                            const AString& reset, int* rolledOver = nullptr);
