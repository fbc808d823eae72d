#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include "foundation/util/file_names.h"

namespace {

namespace fs = std::filesystem;

std::string Text(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

class FileNames : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() /
            ("util_names_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
             std::to_string(::getpid())))
               .string();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  std::string Touch(const std::string& name, int daysOld = 0) const {
    std::string path = dir_ + "/" + name;
    std::ofstream(path) << "x";
    if (daysOld) {
      utimbuf times;
      times.actime = times.modtime = std::time(nullptr) - daysOld * 86400L - 60;
      utime(path.c_str(), &times);
    }
    return path;
  }
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (auto& e : fs::directory_iterator(dir_))
      if (e.is_regular_file()) names.insert(e.path().filename().string());
    return names;
  }
  std::string dir_;
};

struct PathCase {
  const char* folder;
  const char* name;
  const char* ext;
  const char* path;
  const char* nameAfter;
};

class MakePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(MakePath, JoinsAndAddsTheExtension) {
  AString name(GetParam().name);
  EXPECT_EQ(Text(MakeFilePath(GetParam().folder, name, GetParam().ext)), GetParam().path);
  EXPECT_EQ(Text(name), GetParam().nameAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, MakePath,
                         ::testing::Values(PathCase{"/data", "label", ".lbl", "/data/label.lbl", "label.lbl"},
                                           PathCase{"/data/", "label.LBL", ".lbl", "/data/label.LBL", "label.LBL"},
                                           PathCase{"", "x", ".txt", "x.txt", "x.txt"},
                                           PathCase{"/d", "x", nullptr, "/d/x", "x"}));

struct AbsCase {
  const char* path;
  bool absolute;
};

class Absolute : public ::testing::TestWithParam<AbsCase> {};

TEST_P(Absolute, Test) { EXPECT_EQ(IsAbsolutePath(GetParam().path, 0), GetParam().absolute); }

INSTANTIATE_TEST_SUITE_P(Cases, Absolute,
                         ::testing::Values(AbsCase{"/home/a", true}, AbsCase{"C:/x", true}, AbsCase{"c:x", true},
                                           AbsCase{"\\\\server\\x", true}, AbsCase{"a/b", false},
                                           AbsCase{"/", false},  // shorter than 2: relative
                                           AbsCase{"", false}, AbsCase{"ab", false}));

TEST_F(FileNames, ResolvePath) {
  Touch("there.txt");
  AString out;
  int relative = -1;
  std::string base = dir_ + "/";
  EXPECT_EQ(ResolvePath(base.c_str(), AString("there.txt"), &out, false, &relative), 1);
  EXPECT_EQ(Text(out), base + "there.txt");
  EXPECT_EQ(relative, 1);
  EXPECT_EQ(ResolvePath(base.c_str(), AString("missing.txt"), &out, false, &relative), 0);
  EXPECT_EQ(ResolvePath(base.c_str(), AString("missing.txt"), &out, true, &relative), 1);
  EXPECT_EQ(ResolvePath("/ignored/", AString((base + "there.txt").c_str()), &out, false, &relative), 1);
  EXPECT_EQ(relative, 0);
  EXPECT_EQ(Text(out), base + "there.txt");
  EXPECT_EQ(ResolvePath(base.c_str(), AString("sub/"), &out, true, &relative), 0);  // ends in a separator
}

TEST_F(FileNames, IsDirectory) {
  Touch("file");
  EXPECT_EQ(IsDirectory(dir_.c_str()), 1);
  EXPECT_EQ(IsDirectory((dir_ + "/").c_str()), 1);
  EXPECT_EQ(IsDirectory("/"), 1);  // a root keeps its separator
  EXPECT_EQ(IsDirectory((dir_ + "/file").c_str()), 0);
  EXPECT_EQ(IsDirectory((dir_ + "/none").c_str()), 0);
  EXPECT_EQ(IsDirectory("C:/"), 0);
  EXPECT_EQ(IsDirectory(""), 0);
}

TEST_F(FileNames, NumberedAndDatedNames) {
  Touch("scan_000.png");
  Touch("scan_001.png");
  EXPECT_EQ(Text(MakeNumberedFileName("scan", dir_.c_str(), "png", 3)), dir_ + "/scan_002.png");
  EXPECT_EQ(Text(MakeNumberedFileName("%s%n", (dir_ + "/").c_str(), "%d", 1)), dir_ + "/%s%n_0.%d");
  EXPECT_EQ(Text(MakeNumberedFileName("big", dir_.c_str(), "x", 1000)),
            dir_ + "/big_" + std::string(20, '0') + ".x");  // width clamped
  char date[16];
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(date, sizeof date, "%y%m%d", &local);
  EXPECT_EQ(Text(MakeDatedFileName("log", dir_.c_str(), "txt")), dir_ + "/log" + date + ".txt");
}

struct CleanCase {
  const char* in;
  bool fullPath;
  const char* out;
};

class CleanName : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanName, RemovesInvalidCharacters) {
  AString s(GetParam().in);
  EXPECT_EQ(RemoveInvalidFileNameChars(s, GetParam().fullPath), static_cast<int>(std::strlen(GetParam().out)));
  EXPECT_EQ(Text(s), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, CleanName,
                         ::testing::Values(CleanCase{"C:/a:b?.txt", true, "C:/ab.txt"},
                                           CleanCase{"/home/u/a:b*.txt", true, "/home/u/ab.txt"},
                                           CleanCase{"a/b:c\\d", false, "abcd"},
                                           CleanCase{"<x>|\"y\"", false, "xy"}, CleanCase{"C:/", true, "C"},
                                           CleanCase{"ok.txt", false, "ok.txt"}));

TEST_F(FileNames, ListFilesSkipsFolders) {
  Touch("a.txt");
  Touch("B.TXT");
  Touch("c.dat");
  fs::create_directories(dir_ + "/d.txt");
  AArray<AString> out;
  out.AddChars("stale");
  EXPECT_EQ(ListFilesByPattern((dir_ + "/").c_str(), "*.txt", out), 2);
  std::set<std::string> names;
  for (int i = 0; i < out.GetSize(); ++i) names.insert(Text(out[i]));
  EXPECT_EQ(names, (std::set<std::string>{"a.txt", "B.TXT"}));
}

TEST_F(FileNames, DeleteFilesByAgeAndKeepList) {
  Touch("new.tmp");
  Touch("old.tmp", 3);
  Touch("kept.tmp", 3);
  Touch("other.dat", 3);
  AHashMap<AString, void*> keep;
  keep.SetAt(AString("kept.tmp"), nullptr);
  EXPECT_EQ(DeleteFilesByPattern(dir_.c_str(), "*.tmp", 48, false, &keep), 1);  // 3 days * 24 >= 48
  EXPECT_EQ(Files(), (std::set<std::string>{"new.tmp", "kept.tmp", "other.dat"}));
  EXPECT_EQ(DeleteFilesByPattern(dir_.c_str(), "*.tmp", 96, false, nullptr), 0);  // 72 < 96
  EXPECT_EQ(DeleteFilesByPattern(dir_.c_str(), "*.tmp", 0, false, nullptr), 2);
  EXPECT_EQ(Files(), (std::set<std::string>{"other.dat"}));
  EXPECT_EQ(DeleteFilesByPattern("", "*", 0, false, nullptr), 0);
}

TEST_F(FileNames, OnlyForcedDeletionRemovesReadOnlyFiles) {
  std::string path = Touch("locked.tmp");
  SetFileAttributesFlags(path.c_str(), true, false);
  EXPECT_EQ(DeleteFilesByPattern(dir_.c_str(), "*.tmp", 0, false, nullptr), 0);
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(DeleteFilesByPattern(dir_.c_str(), "*.tmp", 0, true, nullptr), 1);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(FileNames, AttributesAndForcedDeletion) {
  std::string path = Touch("ro.txt");
  EXPECT_EQ(SetFileAttributesFlags(path.c_str(), true, false), 1);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_EQ(SetFileAttributesFlags(path.c_str(), true, false), 0);  // already read-only
  EXPECT_EQ(SetFileAttributesFlags(path.c_str(), false, true), 1);  // hidden always reads clear
  EXPECT_EQ(ClearFileAttributes(path.c_str(), true, true), 1);
  EXPECT_EQ(ClearFileAttributes(path.c_str(), true, true), 0);
  SetFileAttributesFlags(path.c_str(), true, false);
  EXPECT_EQ(ForceDeleteFile(path.c_str()), 1);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(ForceDeleteFile(path.c_str()), 0);
  EXPECT_EQ(ClearFileAttributes(path.c_str(), true, false), 0);
}

}  // namespace
