// FormatMessage from the system table: texts by code, the caller's size
// respected, allocation through LocalAlloc, and the failures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win.h"

namespace {

constexpr DWORD kSystem = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

TEST(FormatMessage, SystemTextsAsTableOfCases) {
  struct Row {
    DWORD flags;
    DWORD code;
    DWORD size;
    DWORD result;
    DWORD error;  // GetLastError after a failure
  } const rows[] = {
      {kSystem, ERROR_FILE_NOT_FOUND, 64, 30, 0},
      {kSystem, ERROR_FILE_NOT_FOUND, 31, 30, 0},                          // text, CR LF and zero fit exactly
      {kSystem, ERROR_FILE_NOT_FOUND, 30, 0, ERROR_INSUFFICIENT_BUFFER},   // one short: nothing written
      {kSystem, 99999, 64, 0, ERROR_MR_MID_NOT_FOUND},
      {FORMAT_MESSAGE_FROM_STRING, ERROR_FILE_NOT_FOUND, 64, 0, ERROR_INVALID_PARAMETER},
  };
  for (const Row& r : rows) {
    char buffer[80];
    std::memset(buffer, '#', sizeof buffer);
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(r.flags, nullptr, r.code, 0, buffer, r.size, nullptr), r.result) << r.code << "/" << r.size;
    if (r.result) {
      EXPECT_EQ(std::string(buffer), "The file could not be found.\r\n");
    } else {
      EXPECT_EQ(GetLastError(), r.error) << r.code << "/" << r.size;
      EXPECT_EQ(buffer[0], '#') << "a failure writes nothing";
    }
    EXPECT_EQ(buffer[r.size], '#') << "nothing past the size";
  }
}

TEST(FormatMessage, AllocatedAndWideTexts) {
  LPSTR text = nullptr;
  const DWORD length = FormatMessageA(kSystem | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, ERROR_ACCESS_DENIED, 0,
                                      reinterpret_cast<LPSTR>(&text), 0, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(length, std::strlen(text));
  EXPECT_EQ(std::string(text), "Access was refused.\r\n");
  EXPECT_EQ(LocalFree(text), nullptr);
  WCHAR wide[40] = {};
  EXPECT_EQ(FormatMessageW(kSystem, nullptr, ERROR_DISK_FULL, 0, wide, 40, nullptr), 19u);
  EXPECT_EQ(std::u16string(wide), u"The disk is full.\r\n");
}

}  // namespace
