// The picture preview: what it decodes again and what it only repaints, the
// one-bit case, the square turned by 45 degrees, and a picture of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "app/controls/shape_preview.h"
#include "controls_test_util.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"

namespace {

void Put16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, unsigned v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A BMP file of one colour (24 bits) or of black and white halves (1 bit).
void WriteBmp(const std::string& path, int w, int h, int bpp, COLORREF colour) {
  const int row = ((w * bpp + 31) / 32) * 4;
  const unsigned palette = bpp == 1 ? 8 : 0;
  std::vector<uint8_t> b{'B', 'M'};
  Put32(b, 54 + palette + static_cast<unsigned>(row * h));
  Put32(b, 0);
  Put32(b, 54 + palette);
  Put32(b, 40);
  Put32(b, static_cast<unsigned>(w));
  Put32(b, static_cast<unsigned>(h));
  Put16(b, 1);
  Put16(b, static_cast<unsigned>(bpp));
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  if (bpp == 1) {
    for (uint8_t v : {0, 0, 0, 0, 255, 255, 255, 0}) b.push_back(v);
  }
  for (int y = 0; y < h; ++y) {
    std::vector<uint8_t> line(static_cast<size_t>(row), 0);
    for (int x = 0; x < w; ++x) {
      if (bpp == 24) {
        line[static_cast<size_t>(3 * x)] = GetBValue(colour);
        line[static_cast<size_t>(3 * x + 1)] = GetGValue(colour);
        line[static_cast<size_t>(3 * x + 2)] = GetRValue(colour);
      } else if (x >= w / 2) {
        line[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
      }
    }
    b.insert(b.end(), line.begin(), line.end());
  }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
}

// The colour of the decoded picture's top-left pixel.
COLORREF Decoded(const CShapePreview& preview) {
  PLPixel32** lines = preview.m_picture->GetLineArray32();
  const PLPixel32& p = lines[0][0];
  return RGB(p.GetR(), p.GetG(), p.GetB());
}

struct PreviewFixture {
  ctltest::Scratch scratch;
  ctltest::CRecordingParent parent{240, 200};
  CShapePreview preview;
  PreviewFixture() { preview.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 230, 190), &parent); }
};

TEST(ShapePreview, DecodesOnlyForANewNameOrNewBrightnessOrContrast) {
  PreviewFixture f;
  const std::string file = f.scratch / "picture.bmp";
  WriteBmp(file, 40, 20, 24, RGB(200, 0, 0));
  EXPECT_EQ(f.preview.SetImageFile(file.c_str(), 0, 0, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(Decoded(f.preview), RGB(200, 0, 0));
  // The file changes on disk; setting it again as it was does not read it.
  WriteBmp(file, 40, 20, 24, RGB(0, 0, 200));
  EXPECT_EQ(f.preview.SetImageFile(file.c_str(), 0, 0, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(Decoded(f.preview), RGB(200, 0, 0)) << "same name and settings: not decoded again";
  EXPECT_EQ(f.preview.SetImageFile(file.c_str(), 1, 45000, 0, 0, 1, 2, 0), 1);
  EXPECT_EQ(Decoded(f.preview), RGB(200, 0, 0)) << "rotation, mirror, negative, grey: repainted, not decoded";
  EXPECT_EQ(f.preview.SetImageFile(file.c_str(), 1, 45000, 10, 0, 1, 2, 0), 1);
  EXPECT_NE(Decoded(f.preview), RGB(200, 0, 0)) << "a new brightness decodes the file again";
  const std::string other = f.scratch / "PICTURE.BMP";
  EXPECT_EQ(f.preview.SetImageFile((f.scratch / "none.bmp").c_str(), 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(f.preview.m_picture, nullptr) << "a missing file clears the preview";
  EXPECT_EQ(f.preview.SetImageFile(nullptr, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(f.preview.SetImageFile("", 0, 0, 0, 0, 0, 0, 0), 0);
}

TEST(ShapePreview, OneBitPicturesKeepTheirBlackAndWhite) {
  PreviewFixture f;
  const std::string mono = f.scratch / "mono.bmp", colour = f.scratch / "colour.bmp";
  WriteBmp(mono, 16, 8, 1, 0);
  WriteBmp(colour, 16, 8, 24, RGB(0, 0, 0));
  ASSERT_EQ(f.preview.SetImageFile(mono.c_str(), 0, 0, 60, 40, 0, 0, 0), 1);
  EXPECT_EQ(Decoded(f.preview), RGB(0, 0, 0)) << "a one-bit file: no brightness or contrast";
  ASSERT_EQ(f.preview.SetImageFile(colour.c_str(), 0, 0, 60, 40, 0, 0, 0), 1);
  EXPECT_NE(Decoded(f.preview), RGB(0, 0, 0)) << "a colour file is made brighter";
}

TEST(ShapePreview, ASquareTurnedBy45DegreesFillsASquare) {
  PreviewFixture f;
  const std::string file = f.scratch / "square.bmp";
  WriteBmp(file, 30, 30, 24, RGB(0, 120, 0));
  ASSERT_EQ(f.preview.SetImageFile(file.c_str(), 0, 45000, 0, 0, 0, 0, 0), 1);
  const RECT r = f.preview.DrawingRect(RECT{0, 0, 220, 180});
  EXPECT_EQ(r.right - r.left, r.bottom - r.top);
  EXPECT_EQ(r.bottom - r.top, 174);
  WriteBmp(file, 60, 30, 24, RGB(0, 120, 0));
  ASSERT_EQ(f.preview.SetImageFile((f.scratch / "wide.bmp").c_str(), 0, 0, 0, 0, 0, 0, 0), 0);
}

TEST(ShapePreview, PictureOfTheLooks) {
  ctltest::Scratch scratch;
  const std::string file = scratch / "gradient.png";
  const std::string command = "convert -size 90x60 gradient:'#e03020'-'#2040e0' -fill white -draw 'rectangle 10,10 40,30' '" +
                              file + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << "ImageMagick made the picture";
  ctltest::CRecordingParent parent{520, 140};
  struct Look {
    int mirror, rotation, brightness, contrast, negative, mode, dither;
  };
  const Look looks[] = {{0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0}, {0, 30000, 0, 0, 0, 0, 0},
                        {0, 0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 0, 2, 0}, {0, 0, 0, 0, 0, 1, 0}};
  CShapePreview previews[6];
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(previews[i].Create("", WS_CHILD | WS_VISIBLE, CRect(5 + i * 85, 10, 85 + i * 85, 130), &parent));
    const Look& l = looks[i];
    EXPECT_EQ(previews[i].SetImageFile(file.c_str(), l.mirror, l.rotation, l.brightness, l.contrast, l.negative, l.mode,
                                       l.dither),
              1);
  }
  uitest::RunUntilIdle();
  // The plain look shows the picture's red top edge inside the grey frame,
  // the mirrored one its white box on the right.
  const RECT drawing = previews[0].DrawingRect(RECT{0, 0, 80, 120});
  const COLORREF top = uitest::ClientPixel(previews[0].m_hWnd, drawing.left + 1, drawing.top + 1);
  EXPECT_GT(GetRValue(top), 150);
  EXPECT_LT(GetBValue(top), 100);
  EXPECT_EQ(uitest::ClientPixel(previews[0].m_hWnd, drawing.left + 12, drawing.top + 12), RGB(255, 255, 255));
  EXPECT_NE(uitest::ClientPixel(previews[1].m_hWnd, drawing.left + 12, drawing.top + 12), RGB(255, 255, 255));
  EXPECT_EQ(uitest::ClientPixel(previews[1].m_hWnd, drawing.right - 13, drawing.top + 12), RGB(255, 255, 255));
  EXPECT_EQ(uitest::ClientPixel(previews[0].m_hWnd, 40, 1), RGB(0x80, 0x80, 0x80));
  EXPECT_TRUE(uitest::SaveWindowPng(parent.m_hWnd, tavtest::BuildFolderPng("app_shape_preview")));
}

}  // namespace
