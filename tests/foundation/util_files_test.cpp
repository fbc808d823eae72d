#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "foundation/util/file_io.h"
#include "foundation/scramble/scramble.h"
#include "foundation/util/text_files.h"
#include "platform/nls/nls.h"
#include "tests/foundation/string_map_test_util.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::string;

std::string Text(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A parameterised test's name holds a '/': keep the folder one level deep.
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = fs::temp_directory_path() / ("util_files_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  std::string Write(const char* name, const Bytes& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  Bytes Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
};

FilePtr MemoryFile(const Bytes& bytes) {
  FilePtr f(std::tmpfile());
  std::fwrite(bytes.data(), 1, bytes.size(), f.get());
  std::rewind(f.get());
  return f;
}

// ---- Whole files -----------------------------------------------------------

TEST_F(FilesTest, FileSizeKeepsThePosition) {
  FilePtr f(std::fopen(Write("f", "0123456789").c_str(), "rb"));
  std::fseek(f.get(), 3, SEEK_SET);
  EXPECT_EQ(FileSize(f.get()), 10);
  EXPECT_EQ(std::ftell(f.get()), 3);
  EXPECT_EQ(BytesLeftInFile(f.get()), 7);
}

TEST_F(FilesTest, ReadWholeFileAddsZeroedSlack) {
  int size = -1;
  auto buf = ReadWholeFile(Write("f", Bytes("ab\0c", 4)).c_str(), &size);
  ASSERT_TRUE(buf);
  ASSERT_EQ(size, 4);
  EXPECT_EQ(Bytes(reinterpret_cast<char*>(buf.get()), 4), Bytes("ab\0c", 4));
  for (int i = 4; i < 4 + 32; ++i) EXPECT_EQ(buf[i], 0);
  EXPECT_FALSE(ReadWholeFile(Path("missing").c_str(), &size));
  EXPECT_EQ(size, 0);
}

struct BomCase {
  const char* name;
  Bytes file;
  bool detect;
  Bytes text;
  int kind;
};

class ReadWithBom : public FilesTest, public ::testing::WithParamInterface<BomCase> {};

TEST_P(ReadWithBom, DropsAndSwaps) {
  const BomCase& c = GetParam();
  std::string path = Write("f", c.file);
  int kind = -1;
  AString s = ReadFileToString(path.c_str(), true, c.detect, &kind);
  EXPECT_EQ(Text(s), c.text);
  EXPECT_EQ(kind, c.kind);
  EXPECT_FALSE(s.IsWide());
  AString w = ReadFileToStringWide(path.c_str(), true, c.detect, &kind);
  EXPECT_EQ(Text(w), c.text);
  EXPECT_EQ(w.IsWide(), c.kind != 0 && !c.text.empty());
  if (c.detect) {
    EXPECT_EQ(DetectByteOrderMark(path.c_str()), c.kind);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadWithBom,
    ::testing::Values(BomCase{"Plain", "abc", true, "abc", 0},
                      BomCase{"LittleEndian", Bytes("\xFF\xFE" "a\0b\0", 6), true, Bytes("a\0b\0", 4), 1},
                      BomCase{"BigEndian", Bytes("\xFE\xFF\0a\0b", 6), true, Bytes("a\0b\0", 4), 2},
                      BomCase{"NotDetected", Bytes("\xFF\xFE" "a\0", 4), false, Bytes("\xFF\xFE" "a\0", 4), 0},
                      BomCase{"OneByte", "\xFF", true, "\xFF", 0},
                      BomCase{"OddUtf16Refused", Bytes("\xFE\xFF\0a\0", 5), true, "", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilesTest, MissingFileGivesAnEmptyString) {
  int kind = 5;
  EXPECT_TRUE(ReadFileToString(Path("missing").c_str(), false, true, &kind).IsEmpty());
  EXPECT_EQ(kind, 0);
  EXPECT_EQ(DetectByteOrderMark(Path("missing").c_str()), 0);
}

TEST_F(FilesTest, WriteTextFileKinds) {
  AString text(4, "a\0b\0");
  ASSERT_EQ(WriteTextFile(Path("le").c_str(), text, 1), 1);
  EXPECT_EQ(Read(Path("le")), Bytes("\xFF\xFE" "a\0b\0", 6));
  ASSERT_EQ(WriteTextFile(Path("be").c_str(), text, 2), 1);
  EXPECT_EQ(Read(Path("be")), Bytes("\xFE\xFF\0a\0b", 6));
  ASSERT_EQ(WriteTextFile(Path("raw").c_str(), text, 0), 1);
  EXPECT_EQ(Read(Path("raw")), Bytes("a\0b\0", 4));
  int kind = 0;
  EXPECT_EQ(Text(ReadFileToString(Path("be").c_str(), true, true, &kind)), Bytes("a\0b\0", 4));
  EXPECT_EQ(WriteTextFile(Path("no/such/dir").c_str(), text, 0), 0);
}

// File names are in the ANSI code page (1252 here) and reach the system as
// UTF-8, as the kernel's A functions pass them.
TEST_F(FilesTest, AnsiNamesAreConvertedForEveryFileUtility) {
  ASSERT_EQ(GetACP(), 1252u);
  const std::string ansi = Path("caf\xE9");
  const std::string utf8 = Path("caf\xC3\xA9");

  ASSERT_EQ(WriteTextFile(ansi.c_str(), AString("ab"), kBomNone), 1);
  EXPECT_EQ(Read(utf8), "ab");
  EXPECT_FALSE(fs::exists(ansi));
  EXPECT_EQ(Text(ReadFileToString(ansi.c_str(), true, false, nullptr)), "ab");
  int size = 0;
  EXPECT_TRUE(ReadWholeFile(ansi.c_str(), &size));
  EXPECT_EQ(size, 2);
  Write("caf\xC3\xA9", "\xFF\xFE" "a");
  EXPECT_EQ(DetectByteOrderMark(ansi.c_str()), kBomUtf16Le);

  AHashMap<AString, AString> map;
  map.SetAt(AString("k"), AString("v"));
  ASSERT_EQ(SaveMapFile(ansi.c_str(), map), 1);
  AHashMap<AString, AString> loaded;
  ASSERT_EQ(LoadMapFile(ansi.c_str(), loaded), 1);
  EXPECT_EQ(loaded.GetCount(), 1);

  const std::string scrambled = Path("\xE9t\xE9");
  ASSERT_EQ(ScrambleFile(AString(ansi.c_str()), AString(scrambled.c_str())), 1);
  EXPECT_TRUE(fs::exists(Path("\xC3\xA9t\xC3\xA9")));
}

TEST_F(FilesTest, AppendFileToAddsAtTheEnd) {
  FilePtr dst(std::fopen(Write("dst", "head-").c_str(), "r+b"));
  FilePtr src(std::fopen(Write("src", std::string(3000, 'x')).c_str(), "rb"));
  EXPECT_EQ(AppendFileTo(dst.get(), src.get()), 3000);
  dst.reset();
  EXPECT_EQ(Read(Path("dst")), "head-" + std::string(3000, 'x'));
}

// ---- String records --------------------------------------------------------

TEST(StringRecord, KnownBytesAndRoundTrip) {
  FilePtr f(std::tmpfile());
  EXPECT_EQ(WriteStringToFile(AString("AB"), f.get()), 2);
  EXPECT_EQ(WriteStringToFile(AString(), f.get()), 0);
  EXPECT_EQ(WriteStringToFile(AString(3, "\0\xFFz"), f.get()), 3);
  long size = std::ftell(f.get());
  std::rewind(f.get());
  Bytes bytes(static_cast<size_t>(size), '\0');
  ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), f.get()), bytes.size());
  EXPECT_EQ(bytes, Bytes("\x02\0\0\0AB" "\0\0\0\0" "\x03\0\0\0\0\xFFz", 4 + 2 + 4 + 4 + 3));
  std::rewind(f.get());
  AString a, b, c;
  EXPECT_EQ(ReadStringFromFile(a, f.get()), 2);
  EXPECT_EQ(ReadStringFromFile(b, f.get()), 0);
  EXPECT_EQ(ReadStringFromFile(c, f.get()), 3);
  EXPECT_EQ(Text(a), "AB");
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(Text(c), Bytes("\0\xFFz", 3));
  // Writing what was read gives the same bytes again.
  FilePtr again(std::tmpfile());
  for (const AString* s : {&a, &b, &c}) WriteStringToFile(*s, again.get());
  std::rewind(again.get());
  Bytes bytes2(bytes.size() + 1, '\0');
  EXPECT_EQ(std::fread(bytes2.data(), 1, bytes2.size(), again.get()), bytes.size());
  bytes2.resize(bytes.size());
  EXPECT_EQ(bytes2, bytes);
}

struct RecordCase {
  const char* name;
  Bytes file;
  int result;
};

class StringRecordRead : public ::testing::TestWithParam<RecordCase> {};

TEST_P(StringRecordRead, FailsCleanly) {
  auto f = MemoryFile(GetParam().file);
  AString s("previous");
  EXPECT_EQ(ReadStringFromFile(s, f.get()), GetParam().result);
  if (GetParam().result <= 0) {
    EXPECT_TRUE(s.IsEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, StringRecordRead,
                         ::testing::Values(RecordCase{"NoLength", "", -1}, RecordCase{"HalfALength", Bytes("\x02\0", 2), -1},
                                           RecordCase{"TextCutShort", Bytes("\x05\0\0\0ab", 6), -1},
                                           RecordCase{"HugeLength", Bytes("\xF0\xFF\xFF\x7Fxyz", 7), -1},
                                           RecordCase{"NegativeLength", Bytes("\xFF\xFF\xFF\xFF", 4), 0},
                                           RecordCase{"ZeroLength", Bytes("\0\0\0\0", 4), 0},
                                           RecordCase{"Exact", Bytes("\x01\0\0\0q", 5), 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StringRecord, LengthBeyondTheFileIsRefusedBeforeReading) {
  auto f = MemoryFile(Bytes("\x00\x00\x00\x40xyz", 7));
  AString s("previous");
  EXPECT_EQ(ReadStringFromFile(s, f.get()), -1);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(std::ftell(f.get()), 4) << "only the length was read";
}

TEST_F(FilesTest, StringRecordWriteFailureIsReported) {
  FilePtr f(std::fopen(Write("ro", "").c_str(), "rb"));
  EXPECT_EQ(WriteStringToFile(AString("AB"), f.get()), -1);
  EXPECT_EQ(WriteStringToFile(AString("AB"), nullptr), -1);
}

TEST(StringRecord, HugeLengthOnAPipeStopsAtTheEnd) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const char record[] = "\xF0\xFF\xFF\x7F" "0123456789";
  ASSERT_EQ(write(fds[1], record, 14), 14);
  close(fds[1]);
  FilePtr f(fdopen(fds[0], "rb"));
  AString s;
  EXPECT_EQ(ReadStringFromFile(s, f.get()), -1);
  EXPECT_TRUE(s.IsEmpty());
}

// ---- String map files ------------------------------------------------------

using string_map_test::Contents;

TEST_F(FilesTest, MapFileReadsTrimmedPairs) {
  std::string path = Write("map", Bytes("\x02\0\0\0 k1 \r\nv1\r\n\tk2\r\nv 2  \r\n", 4 + 22));
  AHashMap<AString, AString> m;
  ASSERT_EQ(LoadMapFile(path.c_str(), m), 1);
  EXPECT_EQ(Contents(m), (std::map<std::string, std::string>{{"k1", "v1"}, {"k2", "v 2"}}));
}

TEST_F(FilesTest, MapFileRoundTripsByteForByte) {
  AHashMap<AString, AString> m;
  // Keys in different buckets, so loading rebuilds the same iteration order.
  m.SetAt(AString("ab"), AString("first value"));
  m.SetAt(AString("x"), AString(""));
  for (int i = 0; i < 8; ++i) m.SetAt(AString(std::string(1, static_cast<char>('A' + i)).c_str()), AString("v"));
  ASSERT_EQ(m.GetCount(), 10);
  ASSERT_EQ(SaveMapFile(Path("one").c_str(), m), 1);
  Bytes one = Read(Path("one"));
  EXPECT_EQ(one.substr(0, 4), Bytes("\x0A\0\0\0", 4)) << "a count byte of 0x0A stays as it is";
  EXPECT_EQ(one.substr(4, 9), "A\r\nv\r\nB\r\n");  // bucket order: 'A' is 65, bucket 1
  AHashMap<AString, AString> back;
  ASSERT_EQ(LoadMapFile(Path("one").c_str(), back), 1);
  EXPECT_EQ(Contents(back), Contents(m));
  ASSERT_EQ(SaveMapFile(Path("two").c_str(), back), 1);
  EXPECT_EQ(Read(Path("two")), one);
}

struct MapFileCase {
  const char* name;
  Bytes file;
};

class MapFileRefused : public FilesTest, public ::testing::WithParamInterface<MapFileCase> {};

TEST_P(MapFileRefused, LeavesTheMapAsItWas) {
  AHashMap<AString, AString> m;
  m.SetAt(AString("old"), AString("1"));
  EXPECT_EQ(LoadMapFile(Write("map", GetParam().file).c_str(), m), 0);
  EXPECT_EQ(Contents(m), (std::map<std::string, std::string>{{"old", "1"}}));
}

INSTANTIATE_TEST_SUITE_P(Cases, MapFileRefused,
                         ::testing::Values(MapFileCase{"Empty", ""}, MapFileCase{"HalfACount", Bytes("\x01\0", 2)},
                                           MapFileCase{"FewerPairsThanCounted", Bytes("\x03\0\0\0a\r\nb\r\nc\r\nd\r\n", 16)},
                                           MapFileCase{"KeyWithoutValue", Bytes("\x01\0\0\0a\r\n", 7)},
                                           MapFileCase{"HugeCount", Bytes("\xFF\xFF\xFF\x7F" "a\r\nb\r\n", 10)},
                                           MapFileCase{"NegativeCount", Bytes("\xFF\xFF\xFF\xFF" "a\r\nb\r\n", 10)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilesTest, MapFileCutsLongLinesWithoutSplittingThem) {
  Bytes file = Bytes("\x01\0\0\0", 4) + std::string(3000, 'k') + "\r\nvalue\r\n";
  AHashMap<AString, AString> m;
  ASSERT_EQ(LoadMapFile(Write("map", file).c_str(), m), 1);
  AString v;
  ASSERT_EQ(m.Lookup(AString(std::string(1023, 'k').c_str()), v), 1);
  EXPECT_EQ(Text(v), "value");
}

// ---- Name-number files -------------------------------------------------------

TEST_F(FilesTest, NameNumberMapRoundTrips) {
  AHashMap<AString, int> m;
  m.SetAt(AString("alpha"), 12);
  m.SetAt(AString("%s%n"), -7);  // names are data, never a format
  m.SetAt(AString("z"), 2147483647);
  ASSERT_EQ(SaveNameNumberMap(Path("one").c_str(), m), 1);
  Bytes one = Read(Path("one"));
  EXPECT_NE(one.find("alpha\r\n12\r\n"), std::string::npos);
  EXPECT_NE(one.find("%s%n\r\n-7\r\n"), std::string::npos);
  AHashMap<AString, int> back;
  ASSERT_EQ(LoadNameNumberMap(Path("one").c_str(), back), 1);
  EXPECT_EQ(back.GetCount(), 3);
  int v = 0;
  ASSERT_EQ(back.Lookup(AString("%s%n"), v), 1);
  EXPECT_EQ(v, -7);
  ASSERT_EQ(SaveNameNumberMap(Path("two").c_str(), back), 1);
  EXPECT_EQ(Read(Path("two")), one);
}

TEST_F(FilesTest, NameNumberMapRefusesANameWithoutNumber) {
  AHashMap<AString, int> m;
  EXPECT_EQ(LoadNameNumberMap(Write("f", "a\r\n1\r\nb\r\n").c_str(), m), 0);
  EXPECT_EQ(m.GetCount(), 0);
  EXPECT_EQ(LoadNameNumberMap(Write("g", "a\n 5 \nb\r\n99999999999\r\n").c_str(), m), 1);
  int v = 0;
  ASSERT_EQ(m.Lookup(AString("a"), v), 1);
  EXPECT_EQ(v, 5);
  ASSERT_EQ(m.Lookup(AString("b"), v), 1);
  EXPECT_EQ(v, 2147483647);
}

// ---- String list files -----------------------------------------------------

std::vector<std::string> Texts(const AArray<AString>& a) {
  std::vector<std::string> out;
  for (int i = 0; i < a.GetSize(); ++i) out.push_back(Text(a[i]));
  return out;
}

struct ListCase {
  const char* name;
  Bytes file;
  int result;
  std::vector<std::string> lines;
};

class StringList : public FilesTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(StringList, Reads) {
  AArray<AString> out;
  out.AddChars("stale");
  EXPECT_EQ(ReadStringListFile(Write("list", GetParam().file).c_str(), out, 1000), GetParam().result);
  EXPECT_EQ(Texts(out), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringList,
    ::testing::Values(ListCase{"ThreeLines", Bytes("\x03\0\0\0a\r\nb\r\nc\r\n", 13), 1, {"a", "b", "c"}},
                      ListCase{"CountStopsReading", Bytes("\x02\0\0\0a\r\nb\r\nc\r\n", 13), 1, {"a", "b"}},
                      ListCase{"TrimmedAndEmptySkipped", Bytes("\x04\0\0\0 a \r\n\r\n\tb\r\nc", 16), 1, {"a", "b", "c"}},
                      ListCase{"CountCarriesALineFeedByte", Bytes("\x0A\0\0\0x\r\n", 7), 1, {"x"}},
                      ListCase{"FewerLinesThanCounted", Bytes("\x05\0\0\0a\r\n", 7), 1, {"a"}},
                      ListCase{"CountAboveTheLimit", Bytes("\xE9\x03\0\0a\r\n", 7), 0, {}},
                      ListCase{"NegativeCount", Bytes("\xFF\xFF\xFF\xFF" "a\r\n", 7), 0, {}},
                      ListCase{"HalfACount", Bytes("\x03\0", 2), 0, {}}, ListCase{"Empty", "", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilesTest, StringListRoundTripsByteForByte) {
  AArray<AString> a;
  for (const char* t : {"first", "second line", "%d%s", "x"}) a.AddChars(t);
  ASSERT_EQ(WriteStringArrayFile(Path("one").c_str(), a), 1);
  Bytes one = Read(Path("one"));
  EXPECT_EQ(one, Bytes("\x04\0\0\0", 4) + "first\r\nsecond line\r\n%d%s\r\nx\r\n");
  AArray<AString> back;
  ASSERT_EQ(ReadStringListFile(Path("one").c_str(), back), 1);
  EXPECT_EQ(Texts(back), Texts(a));
  ASSERT_EQ(WriteStringArrayFile(Path("two").c_str(), back), 1);
  EXPECT_EQ(Read(Path("two")), one);
  EXPECT_EQ(ReadStringListFile(Path("missing").c_str(), back), 0);
}

// ---- Define files ------------------------------------------------------------

TEST_F(FilesTest, DefineFile) {
  std::string path = Write("defs.h",
                           "#define SHORT 1\n"                        // 15 characters: read
                           "#define X 1\n"                            // shorter than 13: skipped
                           "#define NAME_A   value a  // comment\n"
                           "#define NAME_B \"quoted \"\"text\"\"\"\r\n"
                           "   #define\tTABBED\t42\n"
                           "#define EMPTY_VALUE     \n"
                           "// #define COMMENTED 5\n"
                           "int not_a_define_at_all = 5;\n");
  AHashMap<AString, AString> m;
  EXPECT_EQ(LoadDefineFile(path.c_str(), m), 4);
  std::map<std::string, std::string> expected = {
      {"SHORT", "1"}, {"NAME_A", "value a"}, {"NAME_B", "quoted   text"}, {"TABBED", "42"}};
  EXPECT_EQ(Contents(m), expected);
  EXPECT_EQ(LoadDefineFile(Path("missing").c_str(), m), 0);
}

TEST(FillMap, FromArraysUntilANullKey) {
  const char* keys[] = {"a", "b", "c", nullptr};
  const char* values[] = {"1", nullptr, "3", nullptr};
  AHashMap<AString, AString> m;
  m.SetAt(AString("old"), AString("x"));
  EXPECT_EQ(FillMapFromArrays(m, keys, values), 3);
  EXPECT_EQ(Contents(m), (std::map<std::string, std::string>{{"a", "1"}, {"b", ""}, {"c", "3"}}));
}

}  // namespace
