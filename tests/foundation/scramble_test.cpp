#include "foundation/scramble/scramble.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ScrambleFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("scramble_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
            std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  AString PathOf(const char* name) const { return AString((dir_ / name).string().c_str()); }
  fs::path dir_;
};

// Worked out by hand: 'A' 0x41 ^ 0xC7 = 0x86, 'B' 0x42 ^ 0xA9 = 0xEB,
// 'C' 0x43 ^ 0x3B = 0x78, 'D' 0x44 ^ 0xC7 (the key starts over) = 0x83.
TEST(ScrambleBuffer, MatchesAHandWorkedVector) {
  const uint8_t plain[] = {'A', 'B', 'C', 'D', 0x00, 0xFF};
  uint8_t out[6] = {};
  EXPECT_EQ(ScrambleBuffer(plain, out, 6), 1);
  const uint8_t expected[] = {0x86, 0xEB, 0x78, 0x83, 0xA9, 0xC4};
  EXPECT_EQ(std::vector<uint8_t>(out, out + 6), std::vector<uint8_t>(expected, expected + 6));
}

TEST(ScrambleBuffer, WorksInPlaceAndUndoesItself) {
  std::vector<uint8_t> data(1000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
  std::vector<uint8_t> copy = data;
  ScrambleBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  EXPECT_NE(data, copy);
  ScrambleBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  EXPECT_EQ(data, copy);
}

TEST(ScrambleBuffer, OutputByteDependsOnlyOnItsInputByteAndPositionModThree) {
  for (int i = 0; i < 9; ++i) {
    for (int v : {0x00, 0x5A, 0xFF}) {
      std::vector<uint8_t> a(9, 0x11), b(9, 0xEE), outA(9), outB(9);
      a[i] = b[i] = static_cast<uint8_t>(v);
      ScrambleBuffer(a.data(), outA.data(), 9);
      ScrambleBuffer(b.data(), outB.data(), 9);
      EXPECT_EQ(outA[i], outB[i]);
      EXPECT_EQ(outA[i], static_cast<uint8_t>(v ^ kScrambleKey[i % 3]));
    }
  }
}

TEST_F(ScrambleFileTest, TwiceGivesTheBytesBack) {
  std::vector<uint8_t> plain;
  for (int i = 0; i < 4099; ++i) plain.push_back(static_cast<uint8_t>((i * 131) ^ (i >> 3)));
  WriteBytes(dir_ / "plain", plain);
  ASSERT_EQ(ScrambleFile(PathOf("plain"), PathOf("scrambled")), 1);
  std::vector<uint8_t> scrambled = ReadBytes(dir_ / "scrambled");
  ASSERT_EQ(scrambled.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) ASSERT_EQ(scrambled[i], plain[i] ^ kScrambleKey[i % 3]) << i;
  ASSERT_EQ(ScrambleFile(PathOf("scrambled"), PathOf("back")), 1);
  EXPECT_EQ(ReadBytes(dir_ / "back"), plain);
}

TEST_F(ScrambleFileTest, EmptyFileGivesAnEmptyDestination) {
  WriteBytes(dir_ / "empty", {});
  ASSERT_EQ(ScrambleFile(PathOf("empty"), PathOf("out")), 1);
  ASSERT_TRUE(fs::exists(dir_ / "out"));
  EXPECT_EQ(fs::file_size(dir_ / "out"), 0u);
}

TEST_F(ScrambleFileTest, MissingSourceLeavesTheDestinationUntouched) {
  WriteBytes(dir_ / "out", {1, 2, 3});
  EXPECT_EQ(ScrambleFile(PathOf("missing"), PathOf("out")), 0);
  EXPECT_EQ(ReadBytes(dir_ / "out"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(ScrambleFileTest, UnwritableDestinationFails) {
  WriteBytes(dir_ / "plain", {1, 2, 3});
  EXPECT_EQ(ScrambleFile(PathOf("plain"), PathOf("no-such-folder/out")), 0);
}

}  // namespace
