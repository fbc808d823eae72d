#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/win.h"
#include "tests/platform/kernel_test_util.h"

namespace {

std::vector<std::string> Find(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(data.cFileName);
  } while (FindNextFileA(h, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(h));
  return names;
}

TEST(KernelFind, PatternMatcher) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  } const cases[] = {
      {"a.txt", "*.txt", true},      {"a.TXT", "*.txt", true},     {"a.txt.bak", "*.txt", false},
      {"a.txt", "?.txt", true},      {"ab.txt", "?.txt", false},   {".txt", "*.txt", true},
      {"readme", "*.*", true},       {"readme", "*", true},        {"readme", "read*", true},
      {"readme", "*me", true},       {"readme", "r*d*e", true},    {"readme", "r*x*e", false},
      {"abc", "a?c", true},          {"ac", "a?c", false},         {"abc", "abc", true},
      {"abc", "ABC", true},          {"abc", "abcd", false},       {"name", "name.*", true},
      {"name.x", "name.*", true},    {"name2", "name.*", false},   {"aaa", "*a", true},
      {"\xE9t\xE9", "\xC9T\xC9", false},  // only ASCII letters fold
      {"", "*", true},               {"x", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathMatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
}

TEST(KernelFind, QuestionMarkTakesAWholeDoubleByteCharacter) {
  ASSERT_TRUE(SetProcessAnsiCodePage(932));
  EXPECT_TRUE(PathMatchesPattern("\x82\xA0.txt", "?.txt"));
  EXPECT_FALSE(PathMatchesPattern("\x82\xA0.txt", "??.txt"));
  // A trail byte equal to an ASCII letter does not fold or match on its own.
  EXPECT_FALSE(PathMatchesPattern("\x83\x61", "?A"));
  SetProcessAnsiCodePage(0);
  EXPECT_TRUE(PathMatchesPattern("\x82\xA0.txt", "??.txt")) << "in 1252 those are two characters";
}

TEST(KernelFind, FindsFilesAndFoldersByPattern) {
  ScratchFolder dir;
  for (const char* name : {"b.txt", "a.txt", "c.log", "data.TXT", "noext"}) std::ofstream(dir / name) << name;
  ASSERT_TRUE(CreateDirectoryA((dir / "sub.txt").c_str(), nullptr));

  EXPECT_EQ(Find(dir / "*.txt"), (std::vector<std::string>{"a.txt", "b.txt", "data.TXT", "sub.txt"}));
  EXPECT_EQ(Find(dir / "?.*"), (std::vector<std::string>{"..", "a.txt", "b.txt", "c.log"}))
      << "\"..\" is a name like any other";
  EXPECT_EQ(Find(dir / "noext"), (std::vector<std::string>{"noext"}));
  EXPECT_EQ(Find(dir / "*"), (std::vector<std::string>{".", "..", "a.txt", "b.txt", "c.log", "data.TXT", "noext",
                                                       "sub.txt"}));

  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir / "sub*").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  FindClose(h);
  h = FindFirstFileA((dir / "c.log").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  FILETIME zero{};
  EXPECT_GT(CompareFileTime(&data.ftLastWriteTime, &zero), 0);
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));

  EXPECT_EQ(FindFirstFileA((dir / "*.none").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirstFileA((dir / "missing/*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(FindFirstFileA(dir.path().c_str(), &data), INVALID_HANDLE_VALUE) << "a folder ending in '/'";
}

}  // namespace
