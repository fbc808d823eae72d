#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "platform/win.h"

namespace {

std::string Folder(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

TEST(KernelModule, ExecutableModule) {
  char name[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameA(nullptr, name, sizeof name);
  ASSERT_GT(n, 0u);
  char resolved[PATH_MAX];
  ASSERT_NE(realpath("/proc/self/exe", resolved), nullptr);
  EXPECT_STREQ(name, resolved);
  EXPECT_EQ(GetModuleHandleA(nullptr), CurrentModuleHandle()) << "the test program is the executable";
  char same[MAX_PATH * 4];
  EXPECT_EQ(GetModuleFileNameA(CurrentModuleHandle(), same, sizeof same), n);
  EXPECT_STREQ(same, name);

  char small[8];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(small), std::string(name).substr(0, 7)) << "cut short and terminated";
}

TEST(KernelModule, SharedLibraryModuleAndFolder) {
  // The platform layer is itself a shared library loaded with this program.
  const HMODULE platform = ModuleFromAddress(reinterpret_cast<const void*>(&CreateFileA));
  ASSERT_NE(platform, nullptr);
  EXPECT_NE(platform, GetModuleHandleA(nullptr));
  char name[MAX_PATH * 4];
  ASSERT_GT(GetModuleFileNameA(platform, name, sizeof name), 0u);
  const std::string path(name);
  const std::string file = path.substr(path.rfind('/') + 1);
  EXPECT_EQ(file.rfind("lib", 0), 0u) << path;
  EXPECT_NE(file.find(".so"), std::string::npos) << path;
  EXPECT_EQ(GetFileAttributesA((Folder(path)).c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetModuleHandleA(file.c_str()), platform);
  EXPECT_EQ(GetModuleHandleA(path.c_str()), platform);
  HMODULE fromAddress = nullptr;
  EXPECT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCSTR>(&GetTickCount), &fromAddress));
  EXPECT_EQ(fromAddress, platform);

  WCHAR wide[MAX_PATH * 4];
  const DWORD units = GetModuleFileNameW(platform, wide, MAX_PATH * 4);
  EXPECT_EQ(units, path.size()) << "an ASCII path";

  EXPECT_EQ(GetModuleHandleA("libnothing-here.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  int onTheStack = 0;
  EXPECT_EQ(ModuleFromAddress(&onTheStack), nullptr);
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(&onTheStack), name, sizeof name), 0u);
}

}  // namespace
