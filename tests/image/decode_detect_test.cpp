// Format detection by the first bytes, in the order the rules are tried,
// reading only the bytes that exist.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "image/decode/planydec.h"
#include "tests/image/decode_test_util.h"

namespace {

using Bytes = std::vector<PLBYTE>;

// Detects on a heap copy of exactly the given size, so a read past it is
// caught by the address sanitizer.
int Detect(const Bytes& bytes) {
  std::unique_ptr<PLBYTE[]> copy(new PLBYTE[bytes.size() ? bytes.size() : 1]);
  std::copy(bytes.begin(), bytes.end(), copy.get());
  return PLAnyPicDecoder::DetectFileType(copy.get(), int(bytes.size()));
}

Bytes Text(const std::string& s, size_t size = 0) {
  Bytes b(s.begin(), s.end());
  if (b.size() < size) b.resize(size, 0);
  return b;
}

Bytes Targa() {
  Bytes b(18, 0);
  b[2] = 2;
  b[16] = 24;
  return b;
}

Bytes Pict(size_t size) {
  Bytes b(size, 0);
  b[522] = 0x00;
  b[523] = 0x11;
  b[524] = 0x02;
  b[525] = 0xFF;
  return b;
}

Bytes Eps(bool withPreview) {
  Bytes b = {0xC5, 0xD0, 0xD3, 0xC6};
  b.resize(32, 0);
  if (withPreview) {
    b[20] = 30;
    b[24] = 10;
  }
  return b;
}

TEST(DetectFileType, RulesInOrder) {
  struct Case {
    const char* name;
    Bytes bytes;
    int type;
  };
  Bytes pcxLikeTarga = {0x0A, 0x00, 0x01, 0x08, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0};
  const Case cases[] = {
      {"BM", Text("BM", 20), PL_FT_WINBMP},
      {"BA", Text("BA"), PL_FT_WINBMP},
      {"CI", Text("CI"), PL_FT_WINBMP},
      {"BM over Targa", [] { Bytes b = Targa(); b[0] = 'B'; b[1] = 'M'; return b; }(), PL_FT_WINBMP},
      {"Targa", Targa(), PL_FT_TARGA},
      {"Targa needs 18 bytes", [] { Bytes b = Targa(); b.pop_back(); return b; }(), PL_FT_UNKNOWN},
      {"PCX that fits the Targa rule", pcxLikeTarga, PL_FT_TARGA},
      {"GIF", Text("GIF89a", 20), PL_FT_GIF},
      {"TIFF II", Bytes{0x49, 0x49, 0x2A, 0x00, 8, 0, 0, 0}, PL_FT_TIFF},
      {"TIFF MM", Bytes{0x4D, 0x4D, 0x00, 0x2A, 0, 0, 0, 8}, PL_FT_TIFF},
      {"PICT", Pict(600), PL_FT_MACPICT},
      {"PICT of 540 bytes", Pict(540), PL_FT_UNKNOWN},
      {"JPEG", Bytes{0xFF, 0xD8, 0xFF, 0xE0}, PL_FT_JPEG},
      {"PNG", Bytes{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A}, PL_FT_PNG},
      {"EPS with preview", Eps(true), PL_FT_EPSTIFF},
      {"EPS without preview", Eps(false), PL_FT_UNKNOWN},
      {"PCX", Bytes{0x0A, 0x05, 0x01, 0x08, 1, 1, 1, 1}, PL_FT_PCX},
      {"P2", Text("P2\n"), PL_FT_PGM},
      {"P5", Text("P5\n"), PL_FT_PGM},
      {"P3", Text("P3\n"), PL_FT_PPM},
      {"P6", Text("P6\n"), PL_FT_PPM},
      {"PSD", Text("8BPS", 26), PL_FT_PSD},
      {"nothing known", Text("hello, world"), PL_FT_UNKNOWN},
      {"empty", Bytes{}, PL_FT_UNKNOWN},
      {"one byte", Text("B"), PL_FT_UNKNOWN},
  };
  for (const Case& c : cases) EXPECT_EQ(Detect(c.bytes), c.type) << c.name;
}

TEST(DetectFileType, ReadsOnlyTheBytesThatExist) {
  // Every prefix of every seed picture (ASan watches the reads); each whole
  // seed is a picture the detection knows, and the seeds are there to read.
  std::error_code ec;
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(TAV_TEST_DATA_DIR) + "/corpus", ec)) {
    Bytes bytes = dectest::ReadFile(entry.path().string());
    ASSERT_GT(bytes.size(), 1u) << entry.path();
    bytes.erase(bytes.begin());  // the fuzz targets' selector byte
    // Metafiles are known by their file name, every other picture by its bytes.
    const std::string name = entry.path().filename().string();
    if (name.rfind("wmf", 0) != 0 && name.rfind("emf", 0) != 0) {
      EXPECT_NE(Detect(bytes), PL_FT_UNKNOWN) << name;
    }
    ++seeds;
    for (size_t n = 0; n <= std::min<size_t>(bytes.size(), 600); ++n) Detect(Bytes(bytes.begin(), bytes.begin() + long(n)));
  }
  ASSERT_FALSE(ec) << ec.message();
  EXPECT_GE(seeds, 20);
}

TEST(AnyDecoder, UnknownDataIsRefusedWithoutMessage) {
  dectest::Decoded d = dectest::DecodeBytes(Text("not a picture at all"));
  EXPECT_EQ(d.result, 0);
  EXPECT_FALSE(d.threw);
}

TEST(AnyDecoder, EpsWithATiffPreviewDecodesThePreview) {
  Bytes tiff = dectest::ReadFile(std::string(TAV_TEST_DATA_DIR) + "/corpus/tif");
  ASSERT_GT(tiff.size(), 1u);
  tiff.erase(tiff.begin());  // the fuzzers' name byte
  dectest::Decoded plain = dectest::DecodeBytes(tiff);
  ASSERT_EQ(plain.result, 1);
  // The 30-byte EPS header, ten bytes of PostScript, then the preview.
  Bytes eps = {0xC5, 0xD0, 0xD3, 0xC6};
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) eps.push_back(PLBYTE(v >> (8 * i)));
  };
  put32(30);
  put32(10);
  put32(0);
  put32(0);
  put32(40);
  put32(uint32_t(tiff.size()));
  eps.insert(eps.end(), {0xFF, 0xFF});
  eps.insert(eps.end(), 10, '%');
  eps.insert(eps.end(), tiff.begin(), tiff.end());
  dectest::Decoded d = dectest::DecodeBytes(eps);
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.format, PL_FT_EPSTIFF);
  EXPECT_EQ(dectest::MaxDifference(dectest::Rgba(*d.bmp), dectest::Rgba(*plain.bmp)), 0);
}

TEST(AnyDecoder, MissingFileFails) {
  dectest::Decoded d = dectest::DecodeFile("/nonexistent/folder/picture.png");
  EXPECT_EQ(d.result, 0);
  EXPECT_FALSE(d.threw);
}

}  // namespace
