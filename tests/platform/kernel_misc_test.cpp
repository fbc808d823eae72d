#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/win.h"
#include "tests/platform/kernel_test_util.h"

namespace {

TEST(KernelTime, SystemTimeAndFileTimeConversions) {
  struct Case {
    SYSTEMTIME st;
    unsigned long long ticks;
    WORD dayOfWeek;
  } const cases[] = {
      {{1601, 1, 0, 1, 0, 0, 0, 0}, 0ULL, 1},                         // a Monday
      {{1970, 1, 0, 1, 0, 0, 0, 0}, 116444736000000000ULL, 4},        // a Thursday
      // date -u -d '2000-02-29 12:34:56' +%s gives 951827696; a Tuesday, leap day
      {{2000, 2, 0, 29, 12, 34, 56, 789}, 951827696789ULL * 10000 + 116444736000000000ULL, 2},
  };
  for (const Case& c : cases) {
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft));
    EXPECT_EQ((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime, c.ticks);
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(back.wYear, c.st.wYear);
    EXPECT_EQ(back.wMonth, c.st.wMonth);
    EXPECT_EQ(back.wDay, c.st.wDay);
    EXPECT_EQ(back.wHour, c.st.wHour);
    EXPECT_EQ(back.wMinute, c.st.wMinute);
    EXPECT_EQ(back.wSecond, c.st.wSecond);
    EXPECT_EQ(back.wMilliseconds, c.st.wMilliseconds);
    EXPECT_EQ(back.wDayOfWeek, c.dayOfWeek);
  }
  const SYSTEMTIME bad[] = {{2001, 2, 0, 29, 0, 0, 0, 0}, {1600, 1, 0, 1, 0, 0, 0, 0}, {2000, 13, 0, 1, 0, 0, 0, 0},
                            {2000, 1, 0, 1, 24, 0, 0, 0}, {2000, 1, 0, 1, 0, 0, 0, 1000}};
  for (const SYSTEMTIME& st : bad) {
    FILETIME ft;
    EXPECT_FALSE(SystemTimeToFileTime(&st, &ft));
  }
}

TEST(KernelTime, NowAgreesWithTheCLibrary) {
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  const time_t now = time(nullptr);
  tm t{};
  gmtime_r(&now, &t);
  EXPECT_EQ(utc.wYear, t.tm_year + 1900);
  EXPECT_EQ(utc.wDayOfWeek, t.tm_wday);
  FILETIME ft, lft;
  GetSystemTimeAsFileTime(&ft);
  ASSERT_TRUE(FileTimeToLocalFileTime(&ft, &lft));
  FILETIME again;
  ASSERT_TRUE(LocalFileTimeToFileTime(&lft, &again));
  EXPECT_EQ(CompareFileTime(&ft, &again), 0);
  SYSTEMTIME fromLocal;
  FileTimeToSystemTime(&lft, &fromLocal);
  EXPECT_EQ(fromLocal.wHour, local.wHour);
}

TEST(KernelTime, TickCountAdvancesOverASleep) {
  const ULONGLONG before = GetTickCount64();
  Sleep(20);
  EXPECT_GE(GetTickCount64() - before, 20u);
  LARGE_INTEGER freq, count;
  EXPECT_TRUE(QueryPerformanceFrequency(&freq));
  EXPECT_TRUE(QueryPerformanceCounter(&count));
  EXPECT_GT(freq.QuadPart, 0);
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
}

TEST(KernelGlobal, MovableAndFixedBlocks) {
  HGLOBAL h = GlobalAlloc(GHND, 10);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 10u);
  auto* p = static_cast<char*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(p, 10), std::string(10, '\0')) << "zero-initialised";
  std::memcpy(p, "abcdefghij", 10);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), NO_ERROR);
  HGLOBAL h2 = GlobalReAlloc(h, 100000, GMEM_ZEROINIT);
  EXPECT_EQ(h2, h) << "a movable handle survives reallocation";
  p = static_cast<char*>(GlobalLock(h));
  EXPECT_EQ(std::string(p, 10), "abcdefghij");
  EXPECT_EQ(p[99999], 0);
  EXPECT_TRUE(GlobalLock(h) != nullptr);
  EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalFree(h), h) << "freed twice fails";
  EXPECT_EQ(GlobalSize(h), 0u);

  HGLOBAL fixed = GlobalAlloc(GPTR, 4);
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(GlobalLock(fixed), fixed) << "a fixed block's handle is its address";
  std::memcpy(fixed, "xyz", 4);
  EXPECT_STREQ(static_cast<char*>(GlobalLock(fixed)), "xyz");
  EXPECT_EQ(GlobalFree(fixed), nullptr);
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  EXPECT_EQ(GlobalSize(empty), 0u);
  GlobalFree(empty);
}

TEST(KernelMapping, FileViewsWriteThrough) {
  ScratchFolder dir;
  const std::string path = dir / "m.bin";
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileMappingA(f, nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr) << "an empty file";
  HANDLE m = CreateFileMappingA(f, nullptr, PAGE_READWRITE, 0, 8192, nullptr);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetFileSize(f, nullptr), 8192u) << "the mapping extends the file";
  auto* view = static_cast<char*>(MapViewOfFile(m, FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  std::memcpy(view + 4096, "mapped", 6);
  CloseHandle(m);  // the view outlives the mapping handle
  view[4102] = '!';
  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_FALSE(UnmapViewOfFile(view));
  char buf[8] = {};
  DWORD read;
  SetFilePointer(f, 4096, nullptr, FILE_BEGIN);
  ReadFile(f, buf, 7, &read, nullptr);
  EXPECT_STREQ(buf, "mapped!");
  HANDLE ro = CreateFileMappingA(f, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(ro, nullptr);
  EXPECT_EQ(MapViewOfFile(ro, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  void* second = MapViewOfFile(ro, FILE_MAP_READ, 0, 4096, 16);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(std::memcmp(second, "mapped!", 7), 0);
  UnmapViewOfFile(second);
  CloseHandle(ro);
  CloseHandle(f);
}

TEST(KernelMapping, NamedSharedMemoryIsSeenByAnotherProcess) {
  const std::string name = "Local\\tav-kernel-test-" + std::to_string(getpid());
  void* view = nullptr;
  HANDLE m = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name.c_str());
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  view = MapViewOfFile(m, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  ASSERT_NE(view, nullptr);
  const pid_t child = fork();
  if (child == 0) {
    HANDLE o = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    char* v = o ? static_cast<char*>(MapViewOfFile(o, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
    if (v) std::strcpy(v, "from child");
    _exit(v ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_STREQ(static_cast<char*>(view), "from child");
  HANDLE again = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name.c_str());
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(again);
  UnmapViewOfFile(view);
  CloseHandle(m);
  EXPECT_EQ(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()), nullptr) << "gone with its creator's handle";
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
