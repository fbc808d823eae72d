#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/util/archive_text.h"

namespace {

// An archive over a byte vector, reading and writing as the framework's does.
struct MemoryArchive {
  std::vector<uint8_t> bytes;
  size_t at = 0;
  UINT Read(void* out, UINT n) {
    UINT k = static_cast<UINT>(std::min<size_t>(n, bytes.size() - at));
    std::memcpy(out, bytes.data() + at, k);
    at += k;
    return k;
  }
  void Write(const void* in, UINT n) {
    auto* p = static_cast<const uint8_t*>(in);
    bytes.insert(bytes.end(), p, p + n);
  }
};

// "中文AB" in code page 936: 中 D6 D0 (U+4E2D), 文 CE C4 (U+6587).
const std::string kGbk = "\xD6\xD0\xCE\xC4" "AB";

struct ModeCase {
  int mode;
  std::vector<uint8_t> stored;
};

class ArchiveText : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ArchiveText, WritesAndReadsBack) {
  MemoryArchive ar;
  EXPECT_EQ(WriteArchiveText(ar, kGbk.data(), static_cast<int>(kGbk.size()), GetParam().mode),
            static_cast<int>(GetParam().stored.size()));
  EXPECT_EQ(ar.bytes, GetParam().stored);
  char buf[16] = {};
  EXPECT_EQ(ReadArchiveText(ar, buf, static_cast<int>(kGbk.size()), GetParam().mode), static_cast<int>(kGbk.size()));
  EXPECT_EQ(std::string(buf, kGbk.size()), kGbk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveText,
    ::testing::Values(ModeCase{0, {0xD6, 0xD0, 0xCE, 0xC4, 'A', 'B'}},
                      ModeCase{1, {0x2D, 0x4E, 0x87, 0x65, 'A', 0, 'B', 0}},
                      ModeCase{2, {0x4E, 0x2D, 0x65, 0x87, 0, 'A', 0, 'B'}}));

TEST(ArchiveTextRead, ShortArchiveFails) {
  MemoryArchive ar;
  ar.bytes = {0x2D, 0x4E, 0x87};  // one unit and a half
  char buf[8];
  EXPECT_EQ(ReadArchiveText(ar, buf, 4, 1), -1);
  MemoryArchive raw;
  raw.bytes = {'a', 'b'};
  EXPECT_EQ(ReadArchiveText(raw, buf, 3, 0), -1);
}

TEST(ArchiveTextRead, ACharacterThatDoesNotFitEndsTheText) {
  MemoryArchive ar;
  ar.bytes = {0x2D, 0x4E, 0x87, 0x65};
  char buf[3] = {};
  EXPECT_EQ(ReadArchiveText(ar, buf, 3, 1), 2);  // 中 fits, 文 would need bytes 3 and 4
  EXPECT_EQ(std::string(buf, 2), "\xD6\xD0");
}

}  // namespace
