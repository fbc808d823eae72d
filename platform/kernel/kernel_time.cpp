// System and local time, file times, tick counts, sleeping, ids.
#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <optional>

#include "platform/kernel/kernel_internal.h"

namespace {

constexpr long long kTicksPerSecond = 10000000LL;
constexpr long long kTicksPerDay = 86400LL * kTicksPerSecond;
// Days from 1601-01-01 to 1970-01-01.
constexpr long long kDaysTo1970 = 134774;

unsigned long long Ticks(const FILETIME& t) {
  return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

FILETIME FromTicks(unsigned long long ticks) {
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int* y, unsigned* m, unsigned* d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (*m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(int y, unsigned m) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

void ToSystemTime(const tm& t, long nanoseconds, SYSTEMTIME* out) {
  out->wYear = static_cast<WORD>(t.tm_year + 1900);
  out->wMonth = static_cast<WORD>(t.tm_mon + 1);
  out->wDayOfWeek = static_cast<WORD>(t.tm_wday);
  out->wDay = static_cast<WORD>(t.tm_mday);
  out->wHour = static_cast<WORD>(t.tm_hour);
  out->wMinute = static_cast<WORD>(t.tm_min);
  out->wSecond = static_cast<WORD>(t.tm_sec);
  out->wMilliseconds = static_cast<WORD>(nanoseconds / 1000000);
}

// Seconds east of UTC in effect at the given time.
long LocalOffsetAt(time_t when) {
  tm local{};
  localtime_r(&when, &local);
  return local.tm_gmtoff;
}

// The moment tests fixed for GetLocalTime, if any.
std::mutex g_testClockLock;
std::optional<SYSTEMTIME> g_testClock;

long long MonotonicNanoseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

}  // namespace

void GetSystemTime(SYSTEMTIME* time) {
  if (!time) return;
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm t{};
  gmtime_r(&ts.tv_sec, &t);
  ToSystemTime(t, ts.tv_nsec, time);
}

void SetLocalTimeForTesting(const SYSTEMTIME* moment) {
  std::lock_guard lock(g_testClockLock);
  if (!moment) {
    g_testClock.reset();
    return;
  }
  SYSTEMTIME fixed = *moment;
  const long long days = DaysFromCivil(fixed.wYear, fixed.wMonth, fixed.wDay);
  fixed.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  g_testClock = fixed;
}

void GetLocalTime(SYSTEMTIME* time) {
  if (!time) return;
  {
    std::lock_guard lock(g_testClockLock);
    if (g_testClock) {
      *time = *g_testClock;
      return;
    }
  }
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm t{};
  localtime_r(&ts.tv_sec, &t);
  ToSystemTime(t, ts.tv_nsec, time);
}

void GetSystemTimeAsFileTime(FILETIME* time) {
  if (!time) return;
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  *time = kernel::FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  if (!fileTime || !systemTime) return kernel::Fail(ERROR_INVALID_PARAMETER);
  const unsigned long long ticks = Ticks(*fileTime);
  if (ticks > 0x7FFFFFFFFFFFFFFFULL) return kernel::Fail(ERROR_INVALID_PARAMETER);
  const long long days = static_cast<long long>(ticks / kTicksPerDay);
  const unsigned long long rest = ticks % kTicksPerDay;
  int y;
  unsigned m, d;
  CivilFromDays(days - kDaysTo1970, &y, &m, &d);
  systemTime->wYear = static_cast<WORD>(y);
  systemTime->wMonth = static_cast<WORD>(m);
  systemTime->wDay = static_cast<WORD>(d);
  systemTime->wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
  systemTime->wHour = static_cast<WORD>(rest / (3600 * kTicksPerSecond));
  systemTime->wMinute = static_cast<WORD>(rest / (60 * kTicksPerSecond) % 60);
  systemTime->wSecond = static_cast<WORD>(rest / kTicksPerSecond % 60);
  systemTime->wMilliseconds = static_cast<WORD>(rest / 10000 % 1000);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* s, FILETIME* fileTime) {
  if (!s || !fileTime) return kernel::Fail(ERROR_INVALID_PARAMETER);
  if (s->wYear < 1601 || s->wYear > 30827 || s->wMonth < 1 || s->wMonth > 12 || s->wDay < 1 ||
      s->wDay > DaysInMonth(s->wYear, s->wMonth) || s->wHour > 23 || s->wMinute > 59 || s->wSecond > 59 ||
      s->wMilliseconds > 999) {
    return kernel::Fail(ERROR_INVALID_PARAMETER);
  }
  const long long days = DaysFromCivil(s->wYear, s->wMonth, s->wDay) + kDaysTo1970;
  const long long seconds = days * 86400LL + s->wHour * 3600LL + s->wMinute * 60LL + s->wSecond;
  *fileTime = FromTicks(static_cast<unsigned long long>(seconds * kTicksPerSecond + s->wMilliseconds * 10000LL));
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime) {
  if (!fileTime || !localFileTime) return kernel::Fail(ERROR_INVALID_PARAMETER);
  long long seconds;
  long ns;
  kernel::UnixFromFileTime(*fileTime, &seconds, &ns);
  const long long offset = LocalOffsetAt(static_cast<time_t>(seconds));
  *localFileTime = FromTicks(Ticks(*fileTime) + static_cast<unsigned long long>(offset * kTicksPerSecond));
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime) {
  if (!localFileTime || !fileTime) return kernel::Fail(ERROR_INVALID_PARAMETER);
  long long seconds;
  long ns;
  kernel::UnixFromFileTime(*localFileTime, &seconds, &ns);
  // The offset in effect at the UTC time the local time stands for.
  long long offset = LocalOffsetAt(static_cast<time_t>(seconds));
  offset = LocalOffsetAt(static_cast<time_t>(seconds - offset));
  *fileTime = FromTicks(Ticks(*localFileTime) - static_cast<unsigned long long>(offset * kTicksPerSecond));
  return TRUE;
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b) {
  const unsigned long long x = Ticks(*a), y = Ticks(*b);
  return x < y ? -1 : x > y ? 1 : 0;
}

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

ULONGLONG GetTickCount64() { return static_cast<ULONGLONG>(MonotonicNanoseconds() / 1000000); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) return kernel::Fail(ERROR_INVALID_PARAMETER);
  count->QuadPart = MonotonicNanoseconds();
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return kernel::Fail(ERROR_INVALID_PARAMETER);
  frequency->QuadPart = 1000000000LL;
  return TRUE;
}

void Sleep(DWORD milliseconds) {
  if (milliseconds == 0) {
    sched_yield();
    return;
  }
  timespec left{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

namespace {

// The thread's id is asked for on every message sent or posted: a system call
// each time cost more than many a message itself. Kept once a thread; a
// forked child's thread (the one that forked) asks again.
thread_local DWORD t_threadId = 0;

void ForgetThreadId() { t_threadId = 0; }

}  // namespace

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) {
    static const int registered = ::pthread_atfork(nullptr, nullptr, ForgetThreadId);
    (void)registered;
    t_threadId = static_cast<DWORD>(::syscall(SYS_gettid));
  }
  return t_threadId;
}
