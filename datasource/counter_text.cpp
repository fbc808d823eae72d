#include "datasource/counter_text.h"

AString AdvanceCounterValue(const AString& value, int amount, int base, bool rollover, const AString& limit,
                            const AString& reset, int* rolledOver) {
  return StepCounterText(value, amount, base, rollover, limit, reset, rolledOver);
}
