#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <string>

#include "platform/win.h"

namespace {

constexpr BYTE kLogo[] = {1, 2, 3};
constexpr BYTE kData[] = {'d', 'a', 't', 'a'};
constexpr BYTE kEmpty[1] = {};
constexpr ModuleResource kResources[] = {
    {10, 200, kData},  // RT_RCDATA
    {"TEXT", 1, kLogo},
    {"TEXT", "Logo2", kData},
    {"EMPTY", 5, std::span<const BYTE>(kEmpty, 0)},
};
// The string table comes from resource_test.rc, compiled into this program.
const ModuleResourceRegistration registration(CurrentModuleHandle(), kResources);

std::string Bytes(HMODULE module, HRSRC res) {
  HGLOBAL h = LoadResource(module, res);
  const void* p = LockResource(h);
  return p ? std::string(static_cast<const char*>(p), SizeofResource(module, res)) : std::string("<null>");
}

TEST(Resource, FindByNumberTextOrHashNumber) {
  struct Case {
    LPCSTR name;
    LPCSTR type;
    std::string bytes;  // "" = not found
  } const cases[] = {
      {MAKEINTRESOURCEA(200), RT_RCDATA, "data"},
      {"#200", RT_RCDATA, "data"},
      {"#200", "#10", "data"},
      {MAKEINTRESOURCEA(1), "TEXT", "\x01\x02\x03"},
      {MAKEINTRESOURCEA(1), "text", "\x01\x02\x03"},
      {"LOGO2", "Text", "data"},
      {"logo2", "TEXT", "data"},
      {MAKEINTRESOURCEA(2), "TEXT", ""},
      {"#1x", "TEXT", ""},
      {MAKEINTRESOURCEA(1), RT_RCDATA, ""},
      {MAKEINTRESOURCEA(1), "OTHER", ""},
  };
  for (const Case& c : cases) {
    HRSRC res = FindResourceA(nullptr, c.name, c.type);
    if (c.bytes.empty()) {
      EXPECT_EQ(res, nullptr);
      continue;
    }
    ASSERT_NE(res, nullptr);
    EXPECT_EQ(Bytes(nullptr, res), c.bytes);
  }
  FindResourceA(nullptr, MAKEINTRESOURCEA(2), "TEXT");
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  FindResourceA(nullptr, MAKEINTRESOURCEA(1), "OTHER");
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
  EXPECT_NE(FindResourceA(CurrentModuleHandle(), MAKEINTRESOURCEA(1), "TEXT"), nullptr);
  HRSRC empty = FindResourceA(nullptr, MAKEINTRESOURCEA(5), "EMPTY");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, empty), 0u);
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(const_cast<BYTE*>(kData))), nullptr);
  EXPECT_FALSE(FreeResource(LoadResource(nullptr, empty)));
}

TEST(Resource, LoadStrings) {
  WCHAR wide[32];
  EXPECT_EQ(LoadStringW(nullptr, 1, wide, 32), 5);
  EXPECT_EQ(std::u16string(wide), u"Hello");
  EXPECT_EQ(LoadStringW(nullptr, 1, wide, 3), 2);
  EXPECT_EQ(std::u16string(wide), u"He");
  EXPECT_EQ(LoadStringW(nullptr, 4, wide, 3), 1) << "no half surrogate pair";
  EXPECT_EQ(LoadStringW(nullptr, 99, wide, 32), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  LPCWSTR direct = nullptr;
  EXPECT_EQ(LoadStringW(nullptr, 1, reinterpret_cast<LPWSTR>(&direct), 0), 5);
  EXPECT_EQ(std::u16string(direct, 5), u"Hello");

  char narrow[32];
  EXPECT_EQ(LoadStringA(nullptr, 1, narrow, 32), 5);
  EXPECT_STREQ(narrow, "Hello");
  EXPECT_EQ(LoadStringA(nullptr, 2, narrow, 32), 6);
  EXPECT_STREQ(narrow, "caf\xE9 ?") << "in 1252, with the default char";
  EXPECT_EQ(LoadStringA(nullptr, 3, narrow, 32), 0);
  EXPECT_STREQ(narrow, "");
  ASSERT_TRUE(SetProcessAnsiCodePage(936));
  EXPECT_EQ(LoadStringA(nullptr, 2, narrow, 32), 8);
  EXPECT_STREQ(narrow, "caf\xA8\xA6 \xD6\xD0");
  EXPECT_EQ(LoadStringA(nullptr, 2, narrow, 8), 6) << "a double-byte character is not cut";
  EXPECT_STREQ(narrow, "caf\xA8\xA6 ");
  SetProcessAnsiCodePage(0);
}

TEST(Resource, SharedLibraryRegistersWhileLoaded) {
  void* lib = dlopen(TAV_TEST_RESOURCE_MODULE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  auto moduleOf = reinterpret_cast<HMODULE (*)()>(dlsym(lib, "TavTestResourceModule"));
  ASSERT_NE(moduleOf, nullptr);
  const HMODULE module = moduleOf();
  ASSERT_NE(module, nullptr);
  EXPECT_NE(module, GetModuleHandleA(nullptr));

  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(101), "TEXT");
  ASSERT_NE(res, nullptr);
  EXPECT_EQ(Bytes(module, res), std::string("\x78\x9C\x01\x02\x03", 5));
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(101), "TEXT"), nullptr) << "the executable has no such resource";
  EXPECT_NE(FindResourceA(module, "named", RT_RCDATA), nullptr);
  char text[32];
  EXPECT_EQ(LoadStringA(module, 7, text, 32), 16);
  EXPECT_STREQ(text, "from the library");
  EXPECT_EQ(LoadStringA(nullptr, 7, text, 32), 0);

  char path[MAX_PATH * 4];
  ASSERT_GT(GetModuleFileNameA(module, path, sizeof path), 0u);
  char expected[PATH_MAX];
  ASSERT_NE(realpath(TAV_TEST_RESOURCE_MODULE, expected), nullptr);
  EXPECT_STREQ(path, expected) << "the module folder of a shared library";

  ASSERT_EQ(dlclose(lib), 0);
  EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(101), "TEXT"), nullptr) << "withdrawn when unloaded";
}

}  // namespace
