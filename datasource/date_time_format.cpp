// Date and time formats of Date and Time fields.
#include "datasource/date_time_format.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "platform/kernel/kernel.h"

namespace {

enum Expansion : int {
  kCopy = 0,
  kDay,
  kDay2,
  kDayOfYear3,
  kMonthOrMinute,
  kMonthOrMinute2,
  kMonthShort,
  kMonthLong,
  kYear2,
  kYear4,
  kYearMod1000,
  kWeek2,
  kWeekdayShort,
  kWeekdayLong,
  kHour,
  kHour2,
  kHour12,
  kHour12Pad,
  kSecond,
  kSecond2,
};

// The token table in its documented order. Tokens without an expansion are
// copied as they stand; "m" and "mm" appear twice and the first entry rules.
constexpr std::array<DateTimeToken, 50> kTokens = {{
    {"d", kDay, 2},          {"dd", kDay2, 2},          {"ddd", kDayOfYear3, 3},
    {"D", kCopy, 1},         {"DD", kCopy, 2},          {"DDD", kCopy, 3},
    {"m", kMonthOrMinute, 2}, {"mm", kMonthOrMinute2, 2}, {"mmm", kMonthShort, 3},
    {"mmmm", kMonthLong, 9}, {"M", kCopy, 1},           {"MM", kCopy, 2},
    {"yy", kYear2, 2},       {"yyyy", kYear4, 4},       {"y", kYearMod1000, 1},
    {"YY", kCopy, 2},        {"YYYY", kCopy, 4},        {"Y", kCopy, 1},
    {"ww", kWeek2, 2},       {"WW", kCopy, 2},          {"w", kCopy, 1},
    {"W", kCopy, 1},         {"www", kWeekdayShort, 5}, {"WWW", kCopy, 3},
    {"wwww", kWeekdayLong, 9}, {"WWWW", kCopy, 4},      {"h", kHour, 2},
    {"hh", kHour2, 2},       {"H", kCopy, 1},           {"HH", kCopy, 2},
    {"h12", kHour12, 2},     {"hh12", kHour12Pad, 2},   {"H12", kCopy, 3},
    {"HH12", kCopy, 4},      {"m", kMonthOrMinute, 2},  {"mm", kMonthOrMinute2, 2},
    {"MT", kCopy, 2},        {"MMT", kCopy, 3},         {"s", kSecond, 2},
    {"ss", kSecond2, 2},     {"S", kCopy, 1},           {"SS", kCopy, 2},
    {"/", kCopy, 1},         {"-", kCopy, 1},           {" ", kCopy, 1},
    {".", kCopy, 1},         {":", kCopy, 1},           {",", kCopy, 1},
    {";", kCopy, 1},         {"U", kCopy, 1},
}};

constexpr bool WidthsOfCopiedTokensAreTheirLengths() {
  for (const DateTimeToken& t : kTokens) {
    if (t.kind == kCopy && static_cast<size_t>(t.width) != std::char_traits<char>::length(t.text)) return false;
  }
  return true;
}
static_assert(WidthsOfCopiedTokensAreTheirLengths());

constexpr std::array<const char*, 12> kMonthShortNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 12> kMonthLongNames = {"January", "February", "March",     "April",
                                                         "May",     "June",     "July",      "August",
                                                         "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kWeekdayShortNames = {"Sun", "Mon", "Tues", "Wed", "Thurs", "Fri", "Sat"};
constexpr std::array<const char*, 7> kWeekdayLongNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                          "Thursday", "Friday", "Saturday"};

constexpr std::array<const char*, 37> kDateFormats = {
    "dd/mm/yy",   "dd/mm/yyyy", "dd-mm-yy",   "dd-mm-yyyy",   "dd.mm.yy",   "dd.mm.yyyy", "dd.mmmm.yyyy",
    "dd.mmm.yyyy", "dd",        "ddd",        "mm/dd/yy",     "mm/dd/yyyy", "mm-dd-yy",   "mm-dd-yyyy",
    "mm.dd.yy",   "mm.dd.yyyy", "mmm dd,yyyy", "m-d-yy",      "m/d/yy",     "m.d.yy",     "mm.yy",
    "mm/dd",      "mm",         "mmm",        "mmmm",         "yy/mm/dd",   "yyyy/mm/dd", "yy-mm-dd",
    "yyyy-mm-dd", "yy.mm.dd",   "yyyy.mm.dd", "yy-mmm-dd",    "yy",         "yyyy",       "ww",
    "www",        "wwww"};
constexpr std::array<const char*, 7> kTimeFormats = {"hh:mm", "hh12:mm", "h:mm", "hh", "hh12", "mm", "ss"};

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// The moment moved by a number of seconds, through the file-time scale; the
// day of the week follows. A moment the scale cannot hold stays as it was.
SYSTEMTIME AddSeconds(const SYSTEMTIME& t, long long seconds) {
  FILETIME ft{};
  SYSTEMTIME base = t;
  base.wMilliseconds = 0;
  if (!SystemTimeToFileTime(&base, &ft)) return t;
  const long long ticks = static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) |
                                                 ft.dwLowDateTime) +
                          seconds * 10000000LL;
  if (ticks < 0) return t;
  ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
  ft.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks) >> 32);
  SYSTEMTIME out{};
  if (!FileTimeToSystemTime(&ft, &out)) return t;
  out.wMilliseconds = t.wMilliseconds;
  return out;
}

void AppendNumber(AString& out, const char* format, int value) {
  char buf[24];
  std::snprintf(buf, sizeof buf, format, value);
  out += buf;
}

int Hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

void Expand(AString& out, int kind, const SYSTEMTIME& t, bool isTime) {
  switch (kind) {
    case kDay: AppendNumber(out, "%d", t.wDay); break;
    case kDay2: AppendNumber(out, "%02d", t.wDay); break;
    case kDayOfYear3: AppendNumber(out, "%03d", DayOfYear(t)); break;
    case kMonthOrMinute: AppendNumber(out, "%d", isTime ? t.wMinute : t.wMonth); break;
    case kMonthOrMinute2: AppendNumber(out, "%02d", isTime ? t.wMinute : t.wMonth); break;
    case kMonthShort: out += kMonthShortNames[(t.wMonth + 11) % 12]; break;
    case kMonthLong: out += kMonthLongNames[(t.wMonth + 11) % 12]; break;
    case kYear2: AppendNumber(out, "%02d", t.wYear % 100); break;
    case kYear4: AppendNumber(out, "%04d", t.wYear); break;
    case kYearMod1000: AppendNumber(out, "%d", t.wYear % 1000); break;
    case kWeek2: AppendNumber(out, "%02d", DayOfYear(t) / 7); break;
    case kWeekdayShort: out += kWeekdayShortNames[t.wDayOfWeek % 7]; break;
    case kWeekdayLong: out += kWeekdayLongNames[t.wDayOfWeek % 7]; break;
    case kHour: AppendNumber(out, "%d", t.wHour); break;
    case kHour2: AppendNumber(out, "%02d", t.wHour); break;
    case kHour12: AppendNumber(out, "%d", Hour12(t.wHour)); break;
    case kHour12Pad: AppendNumber(out, "%02d", Hour12(t.wHour)); break;
    case kSecond: AppendNumber(out, "%d", t.wSecond); break;
    case kSecond2: AppendNumber(out, "%02d", t.wSecond); break;
    default: break;
  }
}

}  // namespace

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 30;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DayOfYear(const SYSTEMTIME& t) {
  int days = t.wDay;
  for (int m = 1; m < t.wMonth && m <= 12; ++m) days += DaysInMonth(t.wYear, m);
  return days;
}

SYSTEMTIME ComputeDateTime(const SYSTEMTIME& now, const DateTimeSource& source) {
  const long long offset = source.offset;
  if (source.isTime) {
    switch (source.unit) {
      case kUnitHours: return AddSeconds(now, offset * 3600);
      case kUnitMinutes: return AddSeconds(now, offset * 60);
      case kUnitSeconds: return AddSeconds(now, offset);
      default: return now;
    }
  }
  if (source.unit == kUnitDays) return AddSeconds(now, offset * 86400);
  if (source.unit != kUnitMonths && source.unit != kUnitYears) return now;
  const long long months = source.unit == kUnitYears ? offset * 12 : offset;
  const long long index = static_cast<long long>(now.wMonth) - 1 + months;
  const long long yearMove = index >= 0 ? index / 12 : -((-index + 11) / 12);
  const long long year = now.wYear + yearMove;
  if (year < 1601 || year > 30827) return now;
  SYSTEMTIME out{};
  out.wYear = static_cast<WORD>(year);
  out.wMonth = static_cast<WORD>(index - yearMove * 12 + 1);
  out.wDay = static_cast<WORD>(std::min<int>(now.wDay, DaysInMonth(out.wYear, out.wMonth)));
  return AddSeconds(out, 0);  // fills the day of the week
}

SYSTEMTIME ComputeFieldDateTime(const DateTimeSource& source) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return ComputeDateTime(now, source);
}

int MatchDateTimeToken(const char* text, int* position, const DateTimeToken** token) {
  if (!text || !position) return 0;
  const char* at = text + *position;
  const DateTimeToken* best = nullptr;
  size_t bestLength = 0;
  for (const DateTimeToken& t : kTokens) {
    const size_t n = std::strlen(t.text);
    if (n > bestLength && std::strncmp(at, t.text, n) == 0) {
      best = &t;
      bestLength = n;
    }
  }
  if (!best) return 0;
  *position += static_cast<int>(bestLength);
  if (token) *token = best;
  return 1;
}

AString FormatDateTimeText(const char* format, const SYSTEMTIME& t, bool isTime, int* widthOut) {
  AString out;
  int width = 0, matched = 0;
  bool wantsMarker = false;
  int pos = 0;
  while (format && format[pos]) {
    const DateTimeToken* token = nullptr;
    const int start = pos;
    if (MatchDateTimeToken(format, &pos, &token)) {
      ++matched;
      width += token->width;
      if (token->kind == kCopy) out.Append(format + start, pos - start);
      else Expand(out, token->kind, t, isTime);
      if (token->kind == kHour12Pad) wantsMarker = true;
    } else {
      out += format[pos++];
      ++width;
    }
  }
  if (wantsMarker && matched > 1) {
    out += t.wHour < 12 ? " AM" : " PM";
    width += 3;
  }
  if (widthOut) *widthOut = width;
  return out;
}

AString FormatSourceDateTime(const DateTimeSource& source, int* widthOut) {
  const SYSTEMTIME moment = ComputeFieldDateTime(source);
  return FormatDateTimeText(source.format.GetData(), moment, source.isTime, widthOut);
}

int DateFormatCount() { return static_cast<int>(kDateFormats.size()); }
const char* DateFormatAt(int index) {
  return index >= 0 && index < DateFormatCount() ? kDateFormats[static_cast<size_t>(index)] : nullptr;
}
int TimeFormatCount() { return static_cast<int>(kTimeFormats.size()); }
const char* TimeFormatAt(int index) {
  return index >= 0 && index < TimeFormatCount() ? kTimeFormats[static_cast<size_t>(index)] : nullptr;
}
