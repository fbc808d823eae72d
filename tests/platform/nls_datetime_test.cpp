// Dates and times through locale pictures, and the clock tests can set.
#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"
#include "tests/platform/system_time_test_util.h"

namespace {

using system_time_test::Moment;

std::string Date(DWORD flags, const SYSTEMTIME& t, const char* picture = nullptr) {
  char buf[128] = {};
  const int n = GetDateFormatA(LOCALE_USER_DEFAULT, flags, &t, picture, buf, sizeof buf);
  EXPECT_EQ(n, static_cast<int>(std::string(buf).size()) + (n ? 1 : 0));
  return buf;
}

std::string Time(DWORD flags, const SYSTEMTIME& t, const char* picture = nullptr) {
  char buf[128] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &t, picture, buf, sizeof buf);
  return buf;
}

TEST(NlsDateTime, LocaleFormats) {
  const SYSTEMTIME t = Moment(2024, 2, 29, 13, 5, 9);
  EXPECT_EQ(Date(DATE_SHORTDATE, t), "2/29/2024");
  EXPECT_EQ(Date(DATE_LONGDATE, t), "Thursday, February 29, 2024");
  EXPECT_EQ(Time(0, t), "1:05:09 PM");
  EXPECT_EQ(Time(TIME_NOSECONDS, t), "1:05 PM");
  EXPECT_EQ(Time(TIME_FORCE24HOURFORMAT, t), "13:05:09");
  EXPECT_EQ(Time(TIME_NOTIMEMARKER, t), "1:05:09");
  EXPECT_EQ(Time(0, Moment(2024, 1, 1, 0, 0, 0)), "12:00:00 AM");
  EXPECT_EQ(Time(0, Moment(2024, 1, 1, 12, 0, 0)), "12:00:00 PM");
}

TEST(NlsDateTime, Pictures) {
  const SYSTEMTIME t = Moment(2003, 7, 4, 9, 3, 2);
  EXPECT_EQ(Date(0, t, "dd'.'MM'.'yy ddd MMM"), "04.07.03 Fri Jul");
  EXPECT_EQ(Date(0, t, "'it''s' yyyy"), "it's 2003");
  EXPECT_EQ(Time(0, t, "HH:mm:ss t"), "09:03:02 A");
}

TEST(NlsDateTime, SizesAndRefusals) {
  const SYSTEMTIME t = Moment(2024, 12, 25, 0, 0, 0);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, nullptr, 0), 11);
  char small[4];
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, small, sizeof small), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  const SYSTEMTIME bad = Moment(2023, 2, 29, 0, 0, 0);
  char buf[32];
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &bad, "d", buf, sizeof buf), 0);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, "d", buf, sizeof buf), 0);
}

TEST(NlsDateTime, TheTestClockStandsStill) {
  const SYSTEMTIME fixed = Moment(2100, 2, 28, 23, 59, 59);
  SetLocalTimeForTesting(&fixed);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char buf[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, buf, sizeof buf);
  SetLocalTimeForTesting(nullptr);
  EXPECT_EQ(now.wYear, 2100);
  EXPECT_EQ(now.wDayOfWeek, 0);  // a Sunday
  EXPECT_STREQ(buf, "Sunday, February 28, 2100");
  GetLocalTime(&now);
  EXPECT_NE(now.wYear, 2100);
}

}  // namespace
