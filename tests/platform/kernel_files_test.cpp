#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win.h"
#include "tests/platform/kernel_test_util.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

class KernelFiles : public testing::Test {
 protected:
  ScratchFolder dir;
};

TEST_F(KernelFiles, CreateWriteReadSeekSize) {
  const std::string path = dir / "a.bin";
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(f, "hello world", 11, &written, nullptr));
  EXPECT_EQ(written, 11u);
  DWORD high = 7;
  EXPECT_EQ(GetFileSize(f, &high), 11u);
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(SetFilePointer(f, 6, nullptr, FILE_BEGIN), 6u);
  char buf[16] = {};
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(f, buf, sizeof buf, &read, nullptr));
  EXPECT_EQ(read, 5u) << "a short read at the end succeeds";
  EXPECT_STREQ(buf, "world");
  ASSERT_TRUE(ReadFile(f, buf, sizeof buf, &read, nullptr));
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(SetFilePointer(f, -5, nullptr, FILE_END), 6u);
  EXPECT_EQ(SetFilePointer(f, -1, nullptr, FILE_CURRENT), 5u);
  EXPECT_EQ(SetFilePointer(f, -10, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(SetFilePointer(f, 5, nullptr, FILE_BEGIN), 5u);
  ASSERT_TRUE(SetEndOfFile(f));
  EXPECT_TRUE(CloseHandle(f));
  EXPECT_EQ(ReadAll(path), "hello");
  EXPECT_FALSE(CloseHandle(f)) << "a handle closes once";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(ReadFile(f, buf, 1, &read, nullptr));
}

TEST_F(KernelFiles, Dispositions) {
  const std::string path = dir / "d.txt";
  struct Case {
    DWORD disposition;
    bool exists;
    bool succeeds;
    DWORD error;
    std::string contentAfter;  // "" = file absent or emptied
  } const cases[] = {
      {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
      {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
      {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, ""},
      {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
      {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
      {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, ""},
      {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "disposition " << c.disposition << " exists " << c.exists);
    std::remove(path.c_str());
    if (c.exists) WriteAll(path, "old");
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.disposition, 0, nullptr);
    const DWORD error = GetLastError();
    EXPECT_EQ(f != INVALID_HANDLE_VALUE, c.succeeds);
    EXPECT_EQ(error, c.error);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    EXPECT_EQ(ReadAll(path), c.contentAfter);
  }
  EXPECT_EQ(CreateFileA((dir / "missing/x").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(CreateFileA((dir / "missing/x").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND) << "a missing folder is told apart from a missing file";
  EXPECT_EQ(CreateFileA(dir.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE)
      << "a folder is no file";
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(KernelFiles, DeleteOnCloseAndReadOnlyCreation) {
  const std::string path = dir / "gone.tmp";
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Exists(path));
  CloseHandle(f);
  EXPECT_FALSE(Exists(path));

  const std::string ro = dir / "ro.txt";
  f = CreateFileA(ro.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written;
  EXPECT_TRUE(WriteFile(f, "x", 1, &written, nullptr)) << "the creating handle may still write";
  CloseHandle(f);
  EXPECT_EQ(GetFileAttributesA(ro.c_str()), FILE_ATTRIBUTE_READONLY);
}

TEST_F(KernelFiles, AttributesMapToWritePermission) {
  const std::string path = dir / "attr.txt";
  WriteAll(path, "x");
  EXPECT_EQ(GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_READONLY) << "hidden reads back clear";
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(DeleteFileA(path.c_str())) << "a read-only file is not deleted";
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_NORMAL);
  ::stat(path.c_str(), &st);
  EXPECT_NE(st.st_mode & S_IWUSR, 0u);
  EXPECT_TRUE(DeleteFileA(path.c_str()));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesA(dir.path().c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(SetFileAttributesA((dir / "none").c_str(), FILE_ATTRIBUTE_NORMAL));

  WIN32_FILE_ATTRIBUTE_DATA data;
  WriteAll(path, "12345");
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(KernelFiles, MoveCopyDeleteAndFolders) {
  const std::string a = dir / "a.txt", b = dir / "b.txt", c = dir / "c.txt";
  WriteAll(a, "alpha");
  WriteAll(b, "beta");
  EXPECT_FALSE(MoveFileA(a.c_str(), b.c_str()));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(MoveFileExA(a.c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(Exists(a));
  EXPECT_EQ(ReadAll(b), "alpha");
  EXPECT_TRUE(MoveFileA(b.c_str(), a.c_str()));

  EXPECT_TRUE(CopyFileA(a.c_str(), c.c_str(), TRUE));
  EXPECT_EQ(ReadAll(c), "alpha");
  EXPECT_FALSE(CopyFileA(a.c_str(), c.c_str(), TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  WriteAll(a, "gamma!");
  SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(CopyFileA(a.c_str(), c.c_str(), FALSE));
  EXPECT_EQ(ReadAll(c), "gamma!");
  EXPECT_EQ(GetFileAttributesA(c.c_str()), FILE_ATTRIBUTE_READONLY) << "the copy keeps read-only";
  WIN32_FILE_ATTRIBUTE_DATA da, dc;
  GetFileAttributesExA(a.c_str(), GetFileExInfoStandard, &da);
  GetFileAttributesExA(c.c_str(), GetFileExInfoStandard, &dc);
  EXPECT_EQ(CompareFileTime(&da.ftLastWriteTime, &dc.ftLastWriteTime), 0) << "the copy keeps the write time";
  EXPECT_FALSE(CopyFileA((dir / "nothing").c_str(), c.c_str(), FALSE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  const std::string sub = dir / "sub";
  EXPECT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  EXPECT_FALSE(CreateDirectoryA(sub.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CreateDirectoryA((dir / "x/y").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  WriteAll(sub + "/f", "");
  EXPECT_FALSE(RemoveDirectoryA(sub.c_str()));
  EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
  EXPECT_FALSE(DeleteFileA(sub.c_str())) << "a folder is not deleted as a file";
  EXPECT_TRUE(DeleteFileA((sub + "/f").c_str()));
  EXPECT_TRUE(RemoveDirectoryA(sub.c_str()));
  EXPECT_FALSE(DeleteFileA((dir / "nothing").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(KernelFiles, FopenATakesAnsiNamesAsCreateFileADoes) {
  const std::string ansi = dir / "caf\xE9.txt";  // 1252
  FILE* f = fopenA(ansi.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_GE(std::fputs("abc", f), 0);
  ASSERT_EQ(std::fclose(f), 0);
  EXPECT_TRUE(Exists(dir / "caf\xC3\xA9.txt"));
  EXPECT_FALSE(Exists(ansi)) << "the 1252 bytes are not a name of their own";

  HANDLE h = CreateFileA(ansi.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << "the kernel finds the same file";
  char bytes[4] = {};
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(h, bytes, 3, &read, nullptr));
  EXPECT_STREQ(bytes, "abc");
  CloseHandle(h);

  f = fopenA(ansi.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  SetLastError(0);
  EXPECT_EQ(fopenA((dir / "nothing").c_str(), "rb"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(fopenA((dir / "no/folder").c_str(), "rb"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(fopenA(nullptr, "rb"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(fopenA(ansi.c_str(), nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(KernelFiles, NamesInTheAnsiCodePageReachTheSystemAsUtf8) {
  const std::string ansi = dir / "caf\xE9.txt";  // 1252
  HANDLE f = CreateFileA(ansi.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  EXPECT_TRUE(Exists(dir / "caf\xC3\xA9.txt"));
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir / "caf*").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "caf\xE9.txt");
  FindClose(find);

  ASSERT_TRUE(SetProcessAnsiCodePage(936));
  const std::string gbk = dir / "\xD6\xD0.txt";  // 中
  f = CreateFileA(gbk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  EXPECT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  EXPECT_TRUE(Exists(dir / "\xE4\xB8\xAD.txt"));
  SetProcessAnsiCodePage(0);

  const WCHAR wide[] = u"\u00FC.txt";
  const std::string widePath = dir.path() + "\xC3\xBC.txt";
  std::u16string full;
  for (char ch : dir.path()) full += static_cast<char16_t>(static_cast<unsigned char>(ch));
  full += wide;
  f = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  EXPECT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  EXPECT_TRUE(Exists(widePath));
}

TEST_F(KernelFiles, FullPathNames) {
  char buf[MAX_PATH];
  LPSTR part = nullptr;
  struct Case {
    std::string in;
    std::string out;
    std::string filePart;
  } const cases[] = {
      {"/a/b/../c/./d.txt", "/a/c/d.txt", "d.txt"},
      {"/a//b/", "/a/b/", ""},
      {"/..", "/", ""},
      {"/x/y/..", "/x", "x"},
  };
  for (const Case& c : cases) {
    const DWORD n = GetFullPathNameA(c.in.c_str(), MAX_PATH, buf, &part);
    EXPECT_EQ(std::string(buf), c.out) << c.in;
    EXPECT_EQ(n, c.out.size());
    EXPECT_EQ(part ? std::string(part) : std::string(), c.filePart) << c.in;
  }
  char cwd[MAX_PATH * 4];
  ASSERT_GT(GetCurrentDirectoryA(sizeof cwd, cwd), 0u);
  GetFullPathNameA("rel/f.txt", MAX_PATH, buf, nullptr);
  EXPECT_EQ(std::string(buf), std::string(cwd) + "/rel/f.txt");
  EXPECT_EQ(GetFullPathNameA("/a/b", 3, buf, nullptr), 5u) << "too small: the size needed with the terminator";
}

TEST_F(KernelFiles, TempPathAndTempFileNames) {
  char tempPath[MAX_PATH];
  const DWORD n = GetTempPathA(MAX_PATH, tempPath);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(tempPath[n - 1], '/');
  EXPECT_EQ(GetFileAttributesA(tempPath), FILE_ATTRIBUTE_DIRECTORY);

  char name1[MAX_PATH], name2[MAX_PATH];
  const UINT u1 = GetTempFileNameA(dir.path().c_str(), "prefix", 0, name1);
  const UINT u2 = GetTempFileNameA(dir.path().c_str(), "prefix", 0, name2);
  ASSERT_NE(u1, 0u);
  ASSERT_NE(u2, 0u);
  EXPECT_NE(std::string(name1), std::string(name2));
  EXPECT_TRUE(Exists(name1));
  EXPECT_TRUE(Exists(name2));
  char expected[MAX_PATH];
  std::snprintf(expected, sizeof expected, "%spre%04X.TMP", dir.path().c_str(), u1);
  EXPECT_STREQ(name1, expected);

  EXPECT_EQ(GetTempFileNameA(dir.path().c_str(), "ab", 0x1A2B, name1), 0x1A2Bu);
  EXPECT_EQ(std::string(name1), dir.path() + "ab1A2B.TMP");
  EXPECT_FALSE(Exists(name1)) << "a given number only builds the name";
  EXPECT_EQ(GetTempFileNameA((dir / "missing").c_str(), "x", 0, name1), 0u);
}

TEST_F(KernelFiles, FileTimesRoundTrip) {
  const std::string path = dir / "t.bin";
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  SYSTEMTIME st{2021, 7, 0, 15, 10, 20, 30, 400};
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
  ASSERT_TRUE(SetFileTime(f, nullptr, nullptr, &ft));
  FILETIME back;
  ASSERT_TRUE(GetFileTime(f, nullptr, nullptr, &back));
  EXPECT_EQ(CompareFileTime(&ft, &back), 0);
  CloseHandle(f);
}

}  // namespace
