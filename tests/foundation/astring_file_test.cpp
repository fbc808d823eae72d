// The file form of AString: exact bytes, byte-for-byte round trips, and
// truncated or oversized records that fail cleanly.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "foundation/string/astring.h"
#include "tests/foundation/astring_test_util.h"

namespace {

using astring_test::Bytes;
using astring_test::Units;
using astring_test::Wide;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::string Fixture(const char* name) { return std::string(TAV_TEST_DATA_DIR) + "/astring/" + name; }

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

File OpenFixture(const char* name) { return File(std::fopen(Fixture(name).c_str(), "rb")); }

std::string ContentsOf(FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string out;
  for (int c; (c = std::fgetc(f)) != EOF;) out.push_back(static_cast<char>(c));
  return out;
}

std::string Stored(AString s) {
  File f(std::tmpfile());
  EXPECT_EQ(s.Serialize(false, f.get()), 1);
  return ContentsOf(f.get());
}

TEST(AStringFile, ExactBytes) {
  EXPECT_EQ(Stored(AString()), std::string(8, '\0'));
  EXPECT_EQ(Stored(AString("AB")), std::string("\x02\x00\x00\x00" "AB" "\x00\x00\xFF\xFF", 10));
  AString wide = Wide(u"\u4F60A");
  wide.SetCodePage(936);
  wide.SetFlagByte(5);
  EXPECT_EQ(Stored(wide), std::string("\x04\x00\x00\x00" "\x60\x4F\x41\x00" "\x01\x05\xA8\x03", 12));
}

TEST(AStringFile, FixturesLoadAndRoundTripByteForByte) {
  for (const char* name : {"empty.bin", "narrow_ab.bin", "wide_cp936.bin", "gbk_cp936.bin"}) {
    SCOPED_TRACE(name);
    File in = OpenFixture(name);
    ASSERT_TRUE(in);
    AString s("previous");
    ASSERT_EQ(s.Serialize(true, in.get()), 1);
    EXPECT_EQ(std::fgetc(in.get()), EOF);
    EXPECT_EQ(Stored(s), ReadWhole(Fixture(name)));
  }
}

TEST(AStringFile, LoadedFieldsLandInTheHeader) {
  File in = OpenFixture("wide_cp936.bin");
  AString s;
  ASSERT_EQ(s.Serialize(true, in.get()), 1);
  EXPECT_TRUE(s.IsWide());
  EXPECT_EQ(s.GetFlagByte(), 5);
  EXPECT_EQ(s.GetCodePage(), 936);
  EXPECT_EQ(Units(s), u"\u4F60A");
  EXPECT_EQ(s.GetHeader()->refs, 1);

  File empty = OpenFixture("empty.bin");
  ASSERT_EQ(s.Serialize(true, empty.get()), 1);
  EXPECT_EQ(s.GetHeader(), AString::SharedEmptyHeader());
}

TEST(AStringFile, ASequenceOfRecordsWithANoStringRecord) {
  File in = OpenFixture("sequence.bin");
  File out(std::tmpfile());
  AString s;
  ASSERT_EQ(s.Serialize(true, in.get()), 1);
  EXPECT_EQ(Bytes(s), "AB");
  ASSERT_EQ(s.Serialize(false, out.get()), 1);
  ASSERT_EQ(s.Serialize(true, in.get()), -1);
  EXPECT_TRUE(s.IsEmpty());
  const unsigned char none[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  std::fwrite(none, 1, 4, out.get());
  for (const char* expected : {"", "xyz"}) {
    ASSERT_EQ(s.Serialize(true, in.get()), 1);
    EXPECT_EQ(Bytes(s), expected);
    ASSERT_EQ(s.Serialize(false, out.get()), 1);
  }
  EXPECT_EQ(s.GetFlagByte(), 7);
  EXPECT_EQ(s.GetCodePage(), 1252);
  EXPECT_EQ(ContentsOf(out.get()), ReadWhole(Fixture("sequence.bin")));
}

TEST(AStringFile, NoStringRecordGivesMinusOneAndEmpty) {
  File in = OpenFixture("no_string.bin");
  AString s("previous");
  EXPECT_EQ(s.Serialize(true, in.get()), -1);
  EXPECT_EQ(s.GetHeader(), AString::SharedEmptyHeader());
}

TEST(AStringFile, MalformedRecordsFailCleanly) {
  for (const char* name : {"truncated_length.bin", "truncated_text.bin", "truncated_trailer.bin",
                           "oversized_length.bin", "wide_odd_length.bin"}) {
    SCOPED_TRACE(name);
    File in = OpenFixture(name);
    ASSERT_TRUE(in);
    AString s("previous");
    EXPECT_EQ(s.Serialize(true, in.get()), 0);
    EXPECT_EQ(s.GetHeader(), AString::SharedEmptyHeader());
  }
  AString s;
  EXPECT_EQ(s.Serialize(true, nullptr), 0);
}

// On a file that can tell its size, a length beyond what the file still holds
// is refused from the length alone: nothing of the text is read or allocated.
TEST(AStringFile, LengthBeyondTheFileIsRefusedBeforeReading) {
  for (const std::string& bytes : {std::string("\x00\x00\x00\x40" "AB\0\0\xFF\xFF", 10),
                                  std::string("\x03\x00\x00\x00" "ABC\0\0\xFF", 10)}) {
    File f(std::tmpfile());
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f.get()), bytes.size());
    std::rewind(f.get());
    AString s("previous");
    EXPECT_EQ(s.Serialize(true, f.get()), 0);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(std::ftell(f.get()), 4) << "only the length was read";
  }
}

// A stream that cannot tell its size (a pipe) is read in bounded chunks, so a
// record that claims 2 GB but holds a few bytes fails after a small read.
TEST(AStringFile, OversizedRecordOnAPipeFailsWithoutAHugeAllocation) {
  for (const char* name : {"oversized_length.bin", "truncated_text.bin", "narrow_ab.bin"}) {
    SCOPED_TRACE(name);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string bytes = ReadWhole(Fixture(name));
    std::thread writer([&] {
      EXPECT_EQ(write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
      close(fds[1]);
    });
    File in(fdopen(fds[0], "rb"));
    AString s;
    const int result = s.Serialize(true, in.get());
    writer.join();
    if (std::string(name) == "narrow_ab.bin") {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(Bytes(s), "AB");
    } else {
      EXPECT_EQ(result, 0);
      EXPECT_TRUE(s.IsEmpty());
    }
  }
}

}  // namespace
