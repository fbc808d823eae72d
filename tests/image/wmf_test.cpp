// The metafile decoder: Windows metafiles (placeable or not) and enhanced
// metafiles, built by hand, played onto white and read back pixel by pixel.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "image/decode/plwemfdec.h"
#include "platform/gdi/gdi.h"
#include "tests/image/decode_test_util.h"
#include "tests/image/wmf_builder.h"

namespace {

using namespace dectest;
using wmftest::EmfBuilder;
using wmftest::WmfBuilder;

constexpr uint32_t kGreen = 0x0000FF00;  // 0x00BBGGRR
constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kBlue = 0x00FF0000;

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi;
}

Decoded DecodeAs(const TempFolder& temp, const std::string& name, const std::vector<PLBYTE>& bytes) {
  WriteFile(temp.File(name), bytes);
  return DecodeFile(temp.File(name));
}

PLPixel32 At(const PLBmp& bmp, int x, int y) {
  if (bmp.GetBitsPerPixel() == 8) return bmp.GetPalette()[bmp.GetLineArray()[y][x]];
  return bmp.GetLineArray32()[y][x];
}

// A 80 x 60 unit picture: a green rectangle with a red outline and a blue
// ellipse.
WmfBuilder Drawing() {
  WmfBuilder b;
  b.WindowOrg(0, 0).WindowExt(80, 60).Pen(1, kRed).Brush(kGreen).Select(0).Select(1);
  b.Rectangle(10, 10, 60, 40).Brush(kBlue).Select(2).Ellipse(50, 42, 78, 58).Delete(0).Delete(1);
  return b;
}

TEST(WindowsMetafile, PlaceableHeaderGivesTheSizeAtScreenResolution) {
  TempFolder temp;
  const int dpi = ScreenDpi();
  // 1440 x 720 units at 1440 a inch: one inch by half an inch.
  Decoded d = DecodeAs(temp, "box.wmf", Drawing().BuildPlaceable(0, 0, 1440, 720, 1440));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.format, PL_FT_WMF);
  EXPECT_EQ(d.bmp->GetWidth(), dpi);
  EXPECT_EQ(d.bmp->GetHeight(), dpi / 2);
}

TEST(WindowsMetafile, DrawsItsRecordsOnWhiteAndIsOpaque) {
  TempFolder temp;
  const int dpi = ScreenDpi();
  // 80 x 60 units at the screen's own resolution: one unit, one pixel.
  Decoded d = DecodeAs(temp, "drawing.WMF", Drawing().BuildPlaceable(0, 0, 80, 60, dpi));
  ASSERT_EQ(d.result, 1);
  const PLBmp& bmp = *d.bmp;
  ASSERT_EQ(bmp.GetWidth(), 80);
  ASSERT_EQ(bmp.GetHeight(), 60);
  EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
  EXPECT_FALSE(bmp.HasAlpha());
  EXPECT_EQ(At(bmp, 30, 25), PLPixel32(0, 255, 0, 255));  // inside the rectangle
  EXPECT_EQ(At(bmp, 10, 20), PLPixel32(255, 0, 0, 255));  // its outline
  EXPECT_EQ(At(bmp, 64, 50), PLPixel32(0, 0, 255, 255));  // inside the ellipse
  EXPECT_EQ(At(bmp, 5, 5), PLPixel32(255, 255, 255, 255));
  EXPECT_EQ(At(bmp, 70, 20), PLPixel32(255, 255, 255, 255));
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) ASSERT_EQ(At(bmp, x, y).a, 255) << x << "," << y;
}

TEST(WindowsMetafile, WithoutPlaceableHeaderTheWindowGivesTheSize) {
  TempFolder temp;
  Decoded d = DecodeAs(temp, "plain.wmf", Drawing().Build());
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetWidth(), 80);
  EXPECT_EQ(d.bmp->GetHeight(), 60);
  EXPECT_EQ(At(*d.bmp, 30, 25), PLPixel32(0, 255, 0, 255));
}

TEST(WindowsMetafile, WithoutAnySizeIs320By200) {
  TempFolder temp;
  WmfBuilder b;
  b.Brush(kGreen).Select(0).Rectangle(0, 0, 10, 10);
  Decoded d = DecodeAs(temp, "nosize.wmf", b.Build());
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetWidth(), 320);
  EXPECT_EQ(d.bmp->GetHeight(), 200);
  EXPECT_EQ(At(*d.bmp, 5, 5), PLPixel32(0, 255, 0, 255));
  EXPECT_EQ(At(*d.bmp, 100, 100), PLPixel32(255, 255, 255, 255));
}

TEST(WindowsMetafile, ZeroUnitsPerInchIsRefused) {
  TempFolder temp;
  Decoded d = DecodeAs(temp, "zero.wmf", Drawing().BuildPlaceable(0, 0, 80, 60, 0));
  EXPECT_EQ(d.result, 0);
  EXPECT_FALSE(d.threw);
}

TEST(WindowsMetafile, EnhancedDataUnderAWmfNameDoesNotLoad) {
  TempFolder temp;
  Decoded d = DecodeAs(temp, "x.wmf", EmfBuilder().Rectangle(0, 0, 5, 5).Build(1000, 1000));
  EXPECT_EQ(d.result, 0);
}

TEST(EnhancedMetafile, FrameGivesTheSizeAndRecordsAreDrawn) {
  TempFolder temp;
  // The reference device: 1920 pixels in 508 mm; a frame of 2540 x 1270
  // hundredths of a millimetre is 96 x 48 of its pixels.
  EmfBuilder b;
  b.Pen(1, 0, kRed).Brush(2, kGreen).Select(1).Select(2).Rectangle(10, 10, 60, 40);
  Decoded d = DecodeAs(temp, "pic.emf", b.Build(2540, 1270));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.format, PL_FT_EMF);
  ASSERT_EQ(d.bmp->GetWidth(), 96);
  ASSERT_EQ(d.bmp->GetHeight(), 48);
  EXPECT_EQ(d.bmp->GetBitsPerPixel(), 32);
  EXPECT_FALSE(d.bmp->HasAlpha());
  EXPECT_EQ(At(*d.bmp, 30, 25), PLPixel32(0, 255, 0, 255));
  EXPECT_EQ(At(*d.bmp, 80, 44), PLPixel32(255, 255, 255, 255));
}

TEST(EnhancedMetafile, EmptyFrameIs320By200) {
  TempFolder temp;
  Decoded d = DecodeAs(temp, "empty.emf", EmfBuilder().Build(0, 0));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetWidth(), 320);
  EXPECT_EQ(d.bmp->GetHeight(), 200);
  EXPECT_EQ(At(*d.bmp, 160, 100), PLPixel32(255, 255, 255, 255));
}

TEST(EnhancedMetafile, SixteenPaletteEntriesGiveAnEightBitBitmap) {
  TempFolder temp;
  std::vector<uint32_t> palette;
  for (uint32_t i = 0; i < 16; ++i) palette.push_back(i * 0x00101010u);
  palette[3] = 0x0000FF00;  // peRed 0, peGreen 255, peBlue 0
  EmfBuilder b;
  b.Brush(1, kGreen).Select(1).Rectangle(0, 0, 20, 20).Palette(palette);
  Decoded d = DecodeAs(temp, "pal.emf", b.Build(2540, 1270));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetBitsPerPixel(), 8);
  EXPECT_EQ(d.bmp->GetLineArray()[5][5], 3);
  EXPECT_EQ(At(*d.bmp, 5, 5), PLPixel32(0, 255, 0, 255));
}

// Refused for any frame: a reversed frame would otherwise fall back to
// 320 x 200 and an empty one divide zero by zero.
TEST(EnhancedMetafile, ZeroReferenceMillimetresAreRefused) {
  TempFolder temp;
  const int frames[][2] = {{2540, 1270}, {-2540, -1270}, {0, 0}};
  for (const auto& frame : frames) {
    SCOPED_TRACE(frame[0]);
    Decoded d = DecodeAs(temp, "zero.emf", EmfBuilder().Build(frame[0], frame[1], 1920, 0));
    EXPECT_EQ(d.result, 0);
  }
}

TEST(MetafileNames, OnlyTheExtensionCounts) {
  EXPECT_TRUE(PLWEMFDecoder::HasExtension("a/b/PICTURE.wmf", ".WMF"));
  EXPECT_TRUE(PLWEMFDecoder::HasExtension("x.Emf", ".EMF"));
  EXPECT_FALSE(PLWEMFDecoder::HasExtension("PICTURE.WMF.BAK", ".WMF"));
  EXPECT_FALSE(PLWEMFDecoder::HasExtension("folder.wmf/picture.png", ".WMF"));
  EXPECT_FALSE(PLWEMFDecoder::HasExtension("wmf", ".WMF"));

  TempFolder temp;
  std::vector<PLBYTE> png = ReadFile(std::string(TAV_TEST_DATA_DIR) + "/corpus/png8");
  ASSERT_GT(png.size(), 1u);
  png.erase(png.begin());  // the fuzzers' name byte
  std::filesystem::create_directories(temp.File("folder.wmf"));
  Decoded inFolder = DecodeAs(temp, "folder.wmf/picture", png);
  EXPECT_EQ(inFolder.result, 1);
  EXPECT_EQ(inFolder.format, PL_FT_PNG);
  Decoded backup = DecodeAs(temp, "picture.emf.bak", png);
  EXPECT_EQ(backup.format, PL_FT_PNG);
  // A picture of another kind named .emf goes to the metafile decoder.
  Decoded misnamed = DecodeAs(temp, "picture.emf", png);
  EXPECT_EQ(misnamed.format, PL_FT_EMF);
  EXPECT_EQ(misnamed.result, 0);
}

TEST(MetafileDecoding, LeavesNoFileInTheCurrentFolder) {
  TempFolder temp;
  std::set<std::string> before;
  for (const auto& e : std::filesystem::directory_iterator(".")) before.insert(e.path().string());
  // Into a plain heap bitmap (not a device-independent one) at 32 bits.
  WriteFile(temp.File("d.wmf"), Drawing().Build());
  PLAnyPicDecoder decoder;
  PLAnyBmp bmp;
  ASSERT_EQ(decoder.MakeBmpFromFile(temp.File("d.wmf").c_str(), &bmp, 32), 1);
  EXPECT_EQ(At(bmp, 30, 25), PLPixel32(0, 255, 0, 255));
  std::set<std::string> after;
  for (const auto& e : std::filesystem::directory_iterator(".")) after.insert(e.path().string());
  EXPECT_EQ(before, after);
}

}  // namespace
