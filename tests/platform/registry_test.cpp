#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/win.h"
#include "tests/fontconfig_oracle.h"

namespace {

constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr const char* kSubstitutesKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes";

struct Key {
  HKEY key = nullptr;
  ~Key() {
    if (key) RegCloseKey(key);
  }
};

std::string Query(HKEY key, const char* name) {
  DWORD size = 0;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "<missing>";
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  std::string data(size, '\0');
  EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(data.data()), &size), ERROR_SUCCESS);
  EXPECT_EQ(data.back(), '\0');
  data.pop_back();
  return data;
}

TEST(Registry, OpensOnlyTheServedKeysForReading) {
  const struct {
    HKEY root;
    const char* path;
    REGSAM access;
    LSTATUS expect;
  } cases[] = {
      {HKEY_LOCAL_MACHINE, kFontsKey, KEY_READ, ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\fonts\\", KEY_QUERY_VALUE, ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, kSubstitutesKey, KEY_READ, ERROR_SUCCESS},
      {HKEY_CURRENT_USER, kFontsKey, KEY_READ, ERROR_FILE_NOT_FOUND},
      {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", KEY_READ, ERROR_FILE_NOT_FOUND},
      {HKEY_LOCAL_MACHINE, "SOFTWARE\\Tavrendel", KEY_READ, ERROR_FILE_NOT_FOUND},
      {HKEY_LOCAL_MACHINE, kFontsKey, KEY_WRITE, ERROR_ACCESS_DENIED},
      {HKEY_LOCAL_MACHINE, kFontsKey, KEY_ALL_ACCESS, ERROR_ACCESS_DENIED},
  };
  for (const auto& c : cases) {
    Key k;
    EXPECT_EQ(RegOpenKeyExA(c.root, c.path, 0, c.access, &k.key), c.expect) << c.path;
    EXPECT_EQ(k.key != nullptr, c.expect == ERROR_SUCCESS) << c.path;
  }
}

TEST(Registry, OpensAKeyBelowAnOpenKey) {
  Key software, fonts;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubstitutesKey, 0, KEY_READ, &software.key), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(software.key, "", 0, KEY_READ, &fonts.key), ERROR_SUCCESS);
  EXPECT_EQ(Query(fonts.key, "Arial"), "Liberation Sans");
  EXPECT_EQ(Query(fonts.key, "Arial Bold"), "Liberation Sans Bold");
  EXPECT_EQ(Query(fonts.key, "Times New Roman Bold Italic"), "Liberation Serif Bold Italic");
  EXPECT_EQ(Query(fonts.key, "Tahoma Italic"), "<missing>");  // DejaVu Sans has no face of that name
  Key none;
  EXPECT_EQ(RegOpenKeyExA(software.key, "Deeper", 0, KEY_READ, &none.key), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, FontListNamesInstalledFacesWithTheirFiles) {
  Key k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_READ, &k.key), ERROR_SUCCESS);
  const std::string regular = FcMatchFile("Liberation Sans:style=Regular");
  const std::string bold = FcMatchFile("Liberation Sans:style=Bold");
  ASSERT_FALSE(regular.empty());
  EXPECT_EQ(Query(k.key, "Liberation Sans (TrueType)"), regular);
  EXPECT_EQ(Query(k.key, "LIBERATION SANS BOLD (TRUETYPE)"), bold);  // names compare without case
  EXPECT_EQ(Query(k.key, "Arial (TrueType)"), "<missing>");

  int count = 0;
  for (DWORD i = 0;; ++i) {
    char name[300];
    char data[300];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = REG_NONE;
    const LSTATUS s = RegEnumValueA(k.key, i, name, &nameSize, nullptr, &type, reinterpret_cast<LPBYTE>(data), &dataSize);
    if (s == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(s, ERROR_SUCCESS);
    ++count;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(nameSize, std::strlen(name));
    EXPECT_EQ(dataSize, std::strlen(data) + 1);
    EXPECT_EQ(data[0], '/') << name;
    EXPECT_TRUE(std::filesystem::exists(data)) << data;
  }
  EXPECT_GT(count, 10);
}

TEST(Registry, ShortBuffersReportTheSizeNeeded) {
  Key k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubstitutesKey, 0, KEY_READ, &k.key), ERROR_SUCCESS);
  char data[8] = "xxxxxxx";
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExA(k.key, "Arial", nullptr, nullptr, reinterpret_cast<LPBYTE>(data), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, sizeof "Liberation Sans");
  EXPECT_STREQ(data, "xxxxxxx");
  EXPECT_EQ(RegQueryValueExA(k.key, "No such value", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(k.key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

  char name[2];
  DWORD nameSize = sizeof name;
  EXPECT_EQ(RegEnumValueA(k.key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  char big[64];
  nameSize = sizeof big;
  DWORD dataSize = 0;
  EXPECT_EQ(RegEnumValueA(k.key, 0, big, &nameSize, nullptr, nullptr, nullptr, &dataSize), ERROR_SUCCESS);
  EXPECT_EQ(dataSize, Query(k.key, big).size() + 1);
  nameSize = sizeof big;
  EXPECT_EQ(RegEnumValueA(k.key, 100000, big, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST(Registry, ClosedKeysAreNoLongerValid) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubstitutesKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Arial", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  HKEY child = nullptr;
  EXPECT_EQ(RegOpenKeyExA(key, "", 0, KEY_READ, &child), ERROR_INVALID_HANDLE);
}

}  // namespace
