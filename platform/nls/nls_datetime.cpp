// Dates and times written through locale pictures (GetDateFormatA,
// GetTimeFormatA). The one locale is English (United States).
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/nls/nls.h"

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",
                                                     "May",     "June",     "July",      "August",
                                                     "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr const char* kShortDate = "M/d/yyyy";
constexpr const char* kLongDate = "dddd, MMMM d, yyyy";
constexpr const char* kTime = "h:mm:ss tt";

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int MonthDays(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

bool ValidDate(const SYSTEMTIME& t) {
  return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= MonthDays(t.wYear, t.wMonth);
}

bool ValidTime(const SYSTEMTIME& t) { return t.wHour <= 23 && t.wMinute <= 59 && t.wSecond <= 59; }

// Day of the week (0 Sunday) by Zeller's congruence, not trusting wDayOfWeek.
int WeekDay(int y, int m, int d) {
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  const int k = y % 100, j = y / 100;
  const int h = (d + 13 * (m + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 Saturday
  return (h + 6) % 7;
}

void AppendNumber(std::string& out, int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  out += buf;
}

// Length of the run of character c at the start of s.
size_t RunLength(std::string_view s, char c) {
  size_t n = 0;
  while (n < s.size() && s[n] == c) ++n;
  return n;
}

// Copies a quoted literal starting at s[0] == '\''; returns the characters used.
size_t CopyQuoted(std::string_view s, std::string& out) {
  size_t i = 1;
  while (i < s.size()) {
    if (s[i] == '\'') {
      if (i + 1 < s.size() && s[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      return i + 1;
    }
    out += s[i++];
  }
  return i;
}

// Walks a picture: quoted literals are copied, and each run of one
// character goes to expand(c, n, out), which writes what the run stands for.
template <class Expand>
std::string ExpandPicture(std::string_view picture, Expand expand) {
  std::string out;
  for (size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      i += CopyQuoted(picture.substr(i), out);
      continue;
    }
    const size_t n = RunLength(picture.substr(i), c);
    expand(c, n, out);
    i += n;
  }
  return out;
}

std::string FormatDatePicture(const SYSTEMTIME& t, std::string_view picture) {
  return ExpandPicture(picture, [&t](char c, size_t n, std::string& out) {
    if (c == 'd') {
      if (n <= 2) AppendNumber(out, t.wDay, static_cast<int>(n));
      else if (n == 3) out += std::string(kDayNames[WeekDay(t.wYear, t.wMonth, t.wDay)], 3);
      else out += kDayNames[WeekDay(t.wYear, t.wMonth, t.wDay)];
    } else if (c == 'M') {
      if (n <= 2) AppendNumber(out, t.wMonth, static_cast<int>(n));
      else if (n == 3) out += std::string(kMonthNames[t.wMonth - 1], 3);
      else out += kMonthNames[t.wMonth - 1];
    } else if (c == 'y') {
      if (n == 1) AppendNumber(out, t.wYear % 100, 1);
      else if (n == 2) AppendNumber(out, t.wYear % 100, 2);
      else AppendNumber(out, t.wYear, 4);
    } else if (c == 'g') {
      out += "A.D.";
    } else {
      out.append(n, c);
    }
  });
}

std::string FormatTimePicture(const SYSTEMTIME& t, std::string_view picture, DWORD flags) {
  const bool force24 = (flags & TIME_FORCE24HOURFORMAT) != 0;
  return ExpandPicture(picture, [&t, flags, force24](char c, size_t n, std::string& out) {
    const int width = n >= 2 ? 2 : 1;
    if (c == 'h' && !force24) {
      const int h12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
      AppendNumber(out, h12, width);
    } else if (c == 'h' || c == 'H') {
      AppendNumber(out, t.wHour, width);
    } else if (c == 'm') {
      if (flags & TIME_NOMINUTESORSECONDS) {
        // The separator before the minutes goes with them.
        while (!out.empty() && !std::isdigit(static_cast<unsigned char>(out.back()))) out.pop_back();
      } else {
        AppendNumber(out, t.wMinute, width);
      }
    } else if (c == 's') {
      if (flags & (TIME_NOSECONDS | TIME_NOMINUTESORSECONDS)) {
        while (!out.empty() && !std::isdigit(static_cast<unsigned char>(out.back()))) out.pop_back();
      } else {
        AppendNumber(out, t.wSecond, width);
      }
    } else if (c == 't') {
      if (!(flags & TIME_NOTIMEMARKER) && !force24) {
        const char* marker = t.wHour < 12 ? "AM" : "PM";
        out.append(marker, n >= 2 ? 2 : 1);
      } else {
        while (!out.empty() && out.back() == ' ') out.pop_back();
      }
    } else {
      out.append(n, c);
    }
  });
}

int Deliver(const std::string& text, LPSTR out, int size) {
  const int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (!out || size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(out, text.c_str(), static_cast<size_t>(needed));
  return needed;
}

int Refuse(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

int GetDateFormatA(LCID, DWORD flags, const SYSTEMTIME* date, LPCSTR format, LPSTR text, int size) {
  if (size < 0) return Refuse(ERROR_INVALID_PARAMETER);
  if (format && flags) return Refuse(ERROR_INVALID_FLAGS);
  SYSTEMTIME t{};
  if (date) t = *date;
  else GetLocalTime(&t);
  if (!ValidDate(t)) return Refuse(ERROR_INVALID_PARAMETER);
  const char* picture = format ? format : (flags & DATE_LONGDATE) ? kLongDate : kShortDate;
  return Deliver(FormatDatePicture(t, picture), text, size);
}

int GetTimeFormatA(LCID, DWORD flags, const SYSTEMTIME* time, LPCSTR format, LPSTR text, int size) {
  if (size < 0) return Refuse(ERROR_INVALID_PARAMETER);
  SYSTEMTIME t{};
  if (time) t = *time;
  else GetLocalTime(&t);
  if (!ValidTime(t)) return Refuse(ERROR_INVALID_PARAMETER);
  return Deliver(FormatTimePicture(t, format ? format : kTime, flags), text, size);
}
