// The fuzzers' seed corpus and the inputs they found problems with, decoded
// the way the fuzz targets decode them: the first byte picks the file name
// (0 a plain name, 1 ".wmf", 2 ".emf"), the rest is the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

Decoded DecodeFuzzInput(const std::string& path, const TempFolder& temp) {
  std::vector<PLBYTE> bytes = ReadFile(path);
  EXPECT_FALSE(bytes.empty());
  if (bytes.empty()) return Decoded{};
  static constexpr const char* kNames[] = {"picture.bin", "picture.wmf", "picture.emf"};
  const std::string file = temp.File(kNames[bytes[0] % 3]);
  WriteFile(file, std::vector<PLBYTE>(bytes.begin() + 1, bytes.end()));
  return DecodeFile(file);
}

TEST(FuzzCorpus, EverySeedDecodes) {
  TempFolder temp;
  const auto files = FilesIn(std::string(TAV_TEST_DATA_DIR) + "/corpus");
  ASSERT_GE(files.size(), 30u);
  for (const std::string& path : files) {
    Decoded d = DecodeFuzzInput(path, temp);
    EXPECT_EQ(d.result, 1) << path;
    EXPECT_FALSE(d.threw) << path;
    EXPECT_GT(d.bmp->GetWidth(), 0) << path;
  }
}

// Inputs that once crashed or misbehaved, and the corpus the fuzz targets
// grew (fuzz/run.sh grow): each must be refused or decoded without touching
// memory it does not own (the sanitizers watch).
void ExpectEveryInputHandled(const std::string& folder) {
  TempFolder temp;
  for (const std::string& path : FilesIn(folder)) {
    Decoded d = DecodeFuzzInput(path, temp);
    EXPECT_TRUE(d.result == 0 || d.result == 1) << path;
    if (d.result == 1) {
      EXPECT_GT(d.bmp->GetWidth(), 0) << path;
      EXPECT_GT(d.bmp->GetHeight(), 0) << path;
    }
  }
}

TEST(FuzzRegressions, EveryInputIsHandled) { ExpectEveryInputHandled(std::string(TAV_TEST_DATA_DIR) + "/regress"); }

TEST(FuzzGrownCorpus, EveryInputIsHandled) {
  const std::string folder = std::string(TAV_TEST_DATA_DIR) + "/grown";
  EXPECT_GE(FilesIn(folder).size(), 100u);
  ExpectEveryInputHandled(folder);
}

}  // namespace

namespace {

using namespace dectest;

// Files that once crashed or cost half a gigabyte. The metafiles give a
// brush the address of a bitmap (a 16-bit one in the Windows metafile, a
// 32-bit one in the enhanced metafile): the brush is refused and the
// picture plays without it, white where it would have painted. The 5 KB
// bitmap that asks for 131,168 x 4,096 pixels is refused.
TEST(FuzzRegressions, CrashFilesAndSmallFilesAskingForHugePictures) {
  TempFolder temp;
  const std::string folder = std::string(TAV_TEST_DATA_DIR) + "/regress/";
  for (const char* name : {"wmf-dib-pattern-brush-address", "emf-dib-pattern-brush-address"}) {
    SCOPED_TRACE(name);
    Decoded d = DecodeFuzzInput(folder + name, temp);
    ASSERT_FALSE(d.threw);
    ASSERT_EQ(d.result, 1);
    const int w = d.bmp->GetWidth(), h = d.bmp->GetHeight();
    EXPECT_EQ(d.bmp->GetLineArray32()[h / 2][w / 2], PLPixel32(255, 255, 255, 255));
  }
  Decoded huge = DecodeFuzzInput(folder + "bmp-rle-huge-from-small", temp);
  EXPECT_TRUE(huge.result == 0 || huge.threw);
  EXPECT_NE(huge.bmp->GetWidth(), 131168);
}

}  // namespace
