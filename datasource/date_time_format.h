// Date and Time field values: the moment (the clock moved by the field's
// offset) and its text through a format of tokens ("dd.mm.yyyy", "hh12:mm").
#pragma once

#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

// Offset units of a Date or Time field.
enum DateTimeUnit : short {
  kUnitDays = 0,
  kUnitMonths = 1,
  kUnitYears = 2,
  kUnitHours = 3,
  kUnitMinutes = 4,
  kUnitSeconds = 5,
};

// What a Date or Time field keeps of its source.
struct DateTimeSource {
  bool isTime = false;  // a Time field (source 6) rather than a Date field (5)
  AString format;
  LONG offset = 0;
  short unit = kUnitDays;
  short clock = 0;  // 0 PC clock; the printer clock is named but not offered
};

// A token of a format and what it writes.
struct DateTimeToken {
  const char* text;
  int kind;   // the expansion (date_time_format.cpp); 0 copies the token
  int width;  // its part of the width estimate
};

// Days in a month of the Gregorian calendar.
int DaysInMonth(int year, int month);
// Day of the year, 1 for 1 January.
int DayOfYear(const SYSTEMTIME& t);

// The moment `now` moved by the source's offset: Time fields by hours,
// minutes or seconds; Date fields by days (keeping the time of day) or by
// months and years (the day clamped to the new month, the time 00:00:00).
SYSTEMTIME ComputeDateTime(const SYSTEMTIME& now, const DateTimeSource& source);
// The same from the current local time (GetLocalTime).
SYSTEMTIME ComputeFieldDateTime(const DateTimeSource& source);

// 1 and the token (position moved past it) when one starts at text[*position],
// the longest first, equal lengths in table order; else 0.
int MatchDateTimeToken(const char* text, int* position, const DateTimeToken** token);

// The text of a moment through a format; widthOut (when given) gets the width
// estimate of the tokens and literal bytes.
AString FormatDateTimeText(const char* format, const SYSTEMTIME& t, bool isTime, int* widthOut = nullptr);
// The value of a Date or Time source now.
AString FormatSourceDateTime(const DateTimeSource& source, int* widthOut = nullptr);

// The formats offered for Date and for Time fields, in list order.
int DateFormatCount();
const char* DateFormatAt(int index);
int TimeFormatCount();
const char* TimeFormatAt(int index);
