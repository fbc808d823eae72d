// SYSTEMTIME values for date and time tests, built field by field.
#pragma once

#include "platform/kernel/kernel.h"

namespace system_time_test {

// The fields as given, the day of the week and milliseconds left 0: the
// date need not exist, so tests can hand in impossible ones.
inline SYSTEMTIME Moment(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(y);
  t.wMonth = static_cast<WORD>(mo);
  t.wDay = static_cast<WORD>(d);
  t.wHour = static_cast<WORD>(h);
  t.wMinute = static_cast<WORD>(mi);
  t.wSecond = static_cast<WORD>(s);
  return t;
}

}  // namespace system_time_test
