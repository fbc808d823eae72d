// Date and Time field texts: the token rules by hand, and every offered format
// at fixed moments against texts computed by Python's datetime
// (data/date_time_cases.py writes data/date_time_cases.tsv).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "datasource/date_time_format.h"
#include "platform/kernel/kernel.h"
#include "tests/platform/system_time_test_util.h"

namespace {

SYSTEMTIME Moment(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  SYSTEMTIME t = system_time_test::Moment(y, mo, d, h, mi, s);
  // The day of the week through the kernel's calendar.
  FILETIME ft{};
  SystemTimeToFileTime(&t, &ft);
  FileTimeToSystemTime(&ft, &t);
  return t;
}

SYSTEMTIME Parse(const std::string& text) {
  int y, mo, d, h, mi, s;
  EXPECT_EQ(std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6) << text;
  return Moment(y, mo, d, h, mi, s);
}

std::string Text(const char* format, const SYSTEMTIME& t, bool isTime, int* width = nullptr) {
  const AString s = FormatDateTimeText(format, t, isTime, width);
  return std::string(s.GetData(), static_cast<size_t>(s.GetLength()));
}

struct ByHand {
  const char* why;
  const char* format;
  SYSTEMTIME moment;
  bool isTime;
  const char* expected;
};

TEST(DateTimeFormat, CasesByHand) {
  const ByHand cases[] = {
      {"long month name spelt out", "dd.mmmm.yyyy", Moment(2024, 2, 3), false, "03.February.2024"},
      {"long weekday, Wednesday", "wwww", Moment(2024, 9, 11), false, "Wednesday"},
      {"short weekday, Wednesday", "www", Moment(2024, 9, 11), false, "Wed"},
      {"short weekday, Tuesday", "www", Moment(2024, 9, 10), false, "Tues"},
      {"12:05 is after noon", "hh12:mm", Moment(2024, 1, 1, 12, 5), true, "12:05 PM"},
      {"00:05 is 12:05 before noon", "hh12:mm", Moment(2024, 1, 1, 0, 5), true, "12:05 AM"},
      {"13:05", "hh12:mm", Moment(2024, 1, 1, 13, 5), true, "01:05 PM"},
      {"hh12 alone has no marker", "hh12", Moment(2024, 1, 1, 12, 5), true, "12"},
      {"mm of a Time field is minutes", "mm", Moment(2024, 1, 1, 12, 7), true, "07"},
      {"mm of a Date field is the month", "mm", Moment(2024, 1, 1, 12, 7), false, "01"},
      {"y in 2024", "y", Moment(2024, 5, 5), false, "24"},
      {"y in 2105", "y", Moment(2105, 5, 5), false, "105"},
      {"ww on 6 January", "ww", Moment(2024, 1, 6), false, "00"},
      {"ww on 7 January", "ww", Moment(2024, 1, 7), false, "01"},
      {"tokens without expansion and literal bytes", "dd/xx", Moment(2024, 1, 9), false, "09/xx"},
      {"upper-case tokens stand as they are", "DD-MM-YYYY U", Moment(2024, 1, 9), false, "DD-MM-YYYY U"},
      {"day of the year", "ddd", Moment(2024, 12, 31), false, "366"},
  };
  for (const ByHand& c : cases) EXPECT_EQ(Text(c.format, c.moment, c.isTime), c.expected) << c.why;
}

TEST(DateTimeFormat, WidthEstimates) {
  const SYSTEMTIME t = Moment(2024, 2, 3, 12, 5);
  int width = 0;
  Text("dd.mmmm.yyyy", t, false, &width);
  EXPECT_EQ(width, 2 + 1 + 9 + 1 + 4);
  Text("wwww", t, false, &width);
  EXPECT_EQ(width, 9);
  Text("hh12:mm", t, true, &width);
  EXPECT_EQ(width, 2 + 1 + 2 + 3);
  Text("dd/xx", t, false, &width);
  EXPECT_EQ(width, 2 + 1 + 1 + 1);
}

TEST(DateTimeFormat, TokenMatchingTakesTheLongest) {
  struct Case {
    const char* text;
    int length;
  } cases[] = {{"mmmm", 4}, {"mmm.", 3}, {"hh12:", 4}, {"h12", 3}, {"HH12", 4}, {"wwwx", 3}, {"q", 0}};
  for (const Case& c : cases) {
    int pos = 0;
    const DateTimeToken* token = nullptr;
    EXPECT_EQ(MatchDateTimeToken(c.text, &pos, &token), c.length > 0 ? 1 : 0) << c.text;
    EXPECT_EQ(pos, c.length) << c.text;
  }
}

TEST(DateTimeFormat, DaysInMonthIsGregorian) {
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

TEST(DateTimeFormat, MonthMovesClampTheDayAndStartTheDay) {
  struct Case {
    SYSTEMTIME from;
    short unit;
    LONG offset;
    SYSTEMTIME expected;
  } cases[] = {
      {Moment(2024, 1, 15, 8), kUnitMonths, -12, Moment(2023, 1, 15)},
      {Moment(2024, 1, 31, 8), kUnitMonths, 1, Moment(2024, 2, 29)},
      {Moment(2024, 1, 31, 8), kUnitMonths, -13, Moment(2022, 12, 31)},
      {Moment(2100, 1, 31, 8), kUnitMonths, 1, Moment(2100, 2, 28)},
      {Moment(2024, 2, 29, 8), kUnitYears, 1, Moment(2025, 2, 28)},
      {Moment(2024, 3, 15, 10, 30), kUnitDays, -15, Moment(2024, 2, 29, 10, 30)},
  };
  for (const Case& c : cases) {
    DateTimeSource source;
    source.unit = c.unit;
    source.offset = c.offset;
    const SYSTEMTIME got = ComputeDateTime(c.from, source);
    EXPECT_EQ(std::make_tuple(got.wYear, got.wMonth, got.wDay, got.wHour, got.wMinute, got.wDayOfWeek),
              std::make_tuple(c.expected.wYear, c.expected.wMonth, c.expected.wDay, c.expected.wHour,
                              c.expected.wMinute, c.expected.wDayOfWeek));
  }
}

TEST(DateTimeFormat, EveryFormatAtFixedMomentsAgreesWithPython) {
  std::ifstream in(TAV_TEST_DATA_DIR "/date_time_cases.tsv");
  ASSERT_TRUE(in) << "date_time_cases.tsv";
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    ASSERT_EQ(cells.size(), 7u) << line;
    DateTimeSource source;
    source.isTime = cells[0] == "time";
    source.unit = static_cast<short>(std::stoi(cells[2]));
    source.offset = std::stoi(cells[3]);
    const SYSTEMTIME moment = ComputeDateTime(Parse(cells[1]), source);
    int width = 0;
    EXPECT_EQ(Text(cells[4].c_str(), moment, source.isTime, &width), cells[5]) << line;
    EXPECT_EQ(width, std::stoi(cells[6])) << line;
    ++rows;
  }
  EXPECT_GT(rows, 800);
}

TEST(DateTimeFormat, OfferedFormatsAreTheDocumentedLists) {
  EXPECT_EQ(DateFormatCount(), 37);
  EXPECT_STREQ(DateFormatAt(0), "dd/mm/yy");
  EXPECT_STREQ(DateFormatAt(36), "wwww");
  EXPECT_EQ(DateFormatAt(37), nullptr);
  EXPECT_EQ(TimeFormatCount(), 7);
  EXPECT_STREQ(TimeFormatAt(1), "hh12:mm");
}

TEST(DateTimeFormat, FieldValueReadsTheClockTestsSet) {
  const SYSTEMTIME fixed = Moment(2024, 2, 29, 13, 5, 0);
  SetLocalTimeForTesting(&fixed);
  DateTimeSource date;
  date.format = "dd.mm.yyyy";
  date.unit = kUnitDays;
  date.offset = 1;
  DateTimeSource time;
  time.isTime = true;
  time.format = "hh12:mm";
  time.unit = kUnitMinutes;
  time.offset = -10;
  const AString d = FormatSourceDateTime(date);
  const AString t = FormatSourceDateTime(time);
  SetLocalTimeForTesting(nullptr);
  EXPECT_STREQ(d.GetData(), "01.03.2024");
  EXPECT_STREQ(t.GetData(), "12:55 PM");
}

}  // namespace
