// PNG and JPEG pictures in rich text draw decoded: the rich-text host
// installs the image library's decoder, and a picture written by libpng or
// libjpeg shows its own colours where the text services place it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fields/richtext/rich_text_host.h"
#include "image/bitmap/planybmp.h"
#include "image/encode/pljpegencoder.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/test_canvas.h"

namespace {

constexpr int kSide = 16;  // pixels of the picture: red on the left, blue on the right
constexpr COLORREF kLeft = RGB(220, 20, 20), kRight = RGB(20, 40, 210);

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class RichPictureFiles {
 public:
  RichPictureFiles() {
    folder_ = std::filesystem::temp_directory_path() / ("tav-richpic-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    std::vector<uint8_t> bgrx(kSide * kSide * 4);
    PLAnyBmp bmp;
    bmp.Create(kSide, kSide, 32, 32, 0, false, false);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const COLORREF c = x < kSide / 2 ? kLeft : kRight;
        uint8_t* p = &bgrx[(y * kSide + x) * 4];
        p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c), p[3] = 0;
        bmp.GetLineArray32()[y][x].Set(GetRValue(c), GetGValue(c), GetBValue(c), 255);
      }
    tavtest::WritePng((folder_ / "p.png").string(), kSide, kSide, bgrx.data());
    PLJPEGEncoder jpeg;
    jpeg.SetQuality(95);
    jpeg.MakeFileFromBmp((folder_ / "p.jpg").string().c_str(), &bmp);
  }
  ~RichPictureFiles() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  std::vector<uint8_t> Bytes(const char* name) const { return ReadAll(folder_ / name); }

 private:
  std::filesystem::path folder_;
};

// RTF holding the picture at one inch square.
std::string PictureRtf(const char* blip, const std::vector<uint8_t>& data) {
  std::string rtf = std::string("{\\rtf1\\ansi{\\pict\\") + blip + "\\picw16\\pich16\\picwgoal1440\\pichgoal1440 ";
  char hex[3];
  for (uint8_t b : data) {
    std::snprintf(hex, sizeof hex, "%02x", b);
    rtf += hex;
  }
  return rtf + "}\\par}";
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 24 && std::abs(GetGValue(a) - GetGValue(b)) < 24 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 24;
}

TEST(RichPictures, PngAndJpegInRtfDrawDecoded) {
  const RichPictureFiles files;
  const struct {
    const char* blip;
    const char* file;
  } cases[] = {{"pngblip", "p.png"}, {"jpegblip", "p.jpg"}};
  for (const auto& c : cases) {
    const std::vector<uint8_t> data = files.Bytes(c.file);
    ASSERT_GT(data.size(), 20u) << c.file;
    const std::string rtf = PictureRtf(c.blip, data);
    IRichTextHost* host = GetRichTextHost();
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(host->SetText(rtf.data(), static_cast<int>(rtf.size())), 0);
    tavtest::TestCanvas canvas(160, 140);
    const RECT bounds{0, 0, 160, 140};
    ASSERT_EQ(host->Draw(canvas.dc(), &bounds, 1.0), 0) << c.file;
    // One inch at the screen's 96 dots per inch: red at the left quarter, blue at the right.
    EXPECT_TRUE(Near(canvas.Device(20, 48), kLeft)) << c.file << " " << std::hex << canvas.Device(20, 48);
    EXPECT_TRUE(Near(canvas.Device(76, 48), kRight)) << c.file << " " << std::hex << canvas.Device(76, 48);
    EXPECT_TRUE(Near(canvas.Device(4, 90), kLeft)) << c.file;
    EXPECT_TRUE(Near(canvas.Device(92, 4), kRight)) << c.file;
    // Nothing of the picture past its inch.
    EXPECT_TRUE(canvas.IsWhite(120, 48)) << c.file;
  }
}

}  // namespace
