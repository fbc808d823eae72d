// A label with a Code 128 field, text and a box, rendered and written in
// every export format, read back by independent readers (ImageMagick, netpbm
// for monochrome PCX, emf2svg for metafiles) to the rendered pixels, and the
// barcode decoded by zxing-cpp from each.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <regex>
#include <string>

#include "document/render/image_export.h"
#include "document/render/image_formats.h"
#include "document/render/label_metafile.h"
#include "document/render/label_render.h"
#include "fields/barcode/barcode_checks.h"
#include "image/bitmap/planybmp.h"
#include "image/bitmap/plwinbmp.h"
#include "image/filter/agcnvtdither.h"
#include "platform/gdi/metafile.h"
#include "platform/testing/png_writer.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/export_oracles.h"
#include "tests/fields/draw_fixture.h"

namespace {

using document_test::Rgb;
using document_test::TempFolder;

constexpr int kResolution = 300;
constexpr const char* kData = "TAV-128 export";

// 2.5 x 1.5 inches: the barcode on top, a line of text and a box around both.
struct ExportLabel {
  CLabelSetup setup = fields_test::SetupAt(kResolution);
  CFieldList fields;

  ExportLabel() {
    setup.labelWidth = 2500;
    setup.labelHeight = 1500;
    setup.deflt_shape = 1;  // a rectangle: the corners stay white either way
    auto code = std::make_unique<CBarcodeField>(kResolution);
    SetNewBarcodeDefaults(*code, setup);
    code->symbology = static_cast<int16_t>(kalvo::CodeOf(kalvo::Symbology::Code128));
    code->data = kData;
    code->barHeight = 500;
    code->showHr = 0;
    code->offset = {250, 200};
    const SIZE m = MeasureField(*code, {}, setup, 0);
    code->width = m.cx;
    code->height = m.cy;
    auto text = std::make_unique<CTextField>();
    text->data = "Hall 4, Gate 12";
    text->logFont.lfHeight = 12;
    text->offset = {250, 900};
    const SIZE t = MeasureField(*text, {}, setup, 0);
    text->width = t.cx;
    text->height = t.cy;
    auto box = std::make_unique<CBoxField>();
    box->offset = {100, 100};
    box->width = 2300;
    box->height = 1300;
    box->horizontalLineWidth = box->verticalLineWidth = 20;
    box->foreColor = 0x000000;
    fields.push_back(std::move(code));
    fields.push_back(std::move(text));
    fields.push_back(std::move(box));
  }
};

kalvo_test::Grey GreyOf(const Rgb& rgb) {
  kalvo_test::Grey g;
  g.width = rgb.width;
  g.height = rgb.height;
  for (size_t i = 0; i + 2 < rgb.bytes.size(); i += 3)
    g.pixels.push_back(static_cast<uint8_t>((rgb.bytes[i] + rgb.bytes[i + 1] + rgb.bytes[i + 2]) / 3));
  return g;
}

std::string DecodeCode128(const Rgb& rgb) {
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::Code128);
  hints.setTryHarder(true);
  const ZXing::Result r = kalvo_test::Decode(GreyOf(rgb), 0, hints);
  return r.isValid() ? kalvo_test::BytesOf(r) : std::string();
}

class LabelExport : public testing::Test {
 protected:
  void SetUp() override {
    bitmap_ = RenderLabelBitmap(label_.setup, label_.fields, kResolution, 0x302);
    ASSERT_NE(bitmap_, nullptr);
    ASSERT_TRUE(picture_.CreateFromHBitmap(bitmap_.get()));
    rendered_ = document_test::RgbOf(picture_);
  }
  ExportLabel label_;
  UniqueBitmap bitmap_;
  PLWinBmp picture_;
  Rgb rendered_;
  TempFolder folder_{"export"};
};

TEST_F(LabelExport, RendersAtTheLabelsPixelSize) {
  EXPECT_EQ(picture_.GetWidth(), 750);
  EXPECT_EQ(picture_.GetHeight(), 450);
  EXPECT_EQ(DecodeCode128(rendered_), kData);
  // For a person to look at.
  const std::string png = tavtest::BuildFolderPng("export_label_300dpi");
  EXPECT_TRUE(SaveBitmapAsImageFile(png.c_str(), picture_, kImageFormatPng));
}

struct FileCase {
  const char* name;
  int code;
  int bpp;  // of the bitmap written
  bool netpbm;
};

const FileCase kFileCases[] = {
    {"bmp", kImageFormatBmp, 32, false},  {"png", kImageFormatPng, 32, false},
    {"tif", kImageFormatTiff, 32, false}, {"pcx", kImageFormatPcx, 32, false},
    {"pcx", kImageFormatPcx, 8, false},   {"pcx", kImageFormatPcx, 1, true},
};

TEST_F(LabelExport, EveryFileFormatReadsBackToTheRenderedPixels) {
  for (const FileCase& c : kFileCases) {
    SCOPED_TRACE(testing::Message() << c.name << " of " << c.bpp << " bits");
    PLAnyBmp written;
    if (c.bpp == 1) {
      written.CreateCopy(picture_, 32);
      ASSERT_TRUE(AgCnvtDither(AG_DITHER_FLOYD_STEINBERG).ApplyInPlace(&written));
    } else {
      written.CreateCopy(picture_, c.bpp);
    }
    ASSERT_EQ(written.GetBitsPerPixel(), c.bpp);
    const Rgb want = document_test::RgbOf(written);
    const std::string path = folder_.File("label" + std::to_string(c.bpp) + "." + c.name);
    ASSERT_EQ(SaveBitmapAsImageFile(path.c_str(), written, c.code), 1);
    const auto read = c.netpbm ? document_test::ReadWithPcxToPpm(path) : document_test::ReadWithImageMagick(path);
    ASSERT_TRUE(read.has_value()) << "the reader failed on " << path;
    EXPECT_EQ(read->width, want.width);
    EXPECT_EQ(read->height, want.height);
    EXPECT_EQ(document_test::DifferentPixels(*read, want), 0u);
    EXPECT_EQ(DecodeCode128(*read), kData);
  }
}

TEST_F(LabelExport, WritingLeavesTheCallersBitmapAlone) {
  PLAnyBmp copy;
  copy.CreateCopy(picture_, 32);
  ASSERT_EQ(SaveBitmapAsImageFile(folder_.File("a.pcx").c_str(), copy, kImageFormatPcx), 1);
  EXPECT_EQ(document_test::DifferentPixels(document_test::RgbOf(copy), rendered_), 0u);
  EXPECT_EQ(SaveBitmapAsImageFile(folder_.File("a.emf").c_str(), copy, kImageFormatEmf), 0);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("a.emf")));
  EXPECT_EQ(SaveBitmapAsImageFile(folder_.File("no/such/folder.png").c_str(), copy, kImageFormatPng), 0);
}

TEST_F(LabelExport, TemporaryBmpRoundTripGivesTheSamePixelsAndLeavesNoFile) {
  const auto temporaries = [] {
    int n = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(TempImageFolder().GetData(), ec))
      n += entry.path().filename().string().rfind("tmpimg_", 0) == 0;
    return n;
  };
  const int before = temporaries();
  PLAnyBmp copy;
  copy.CreateCopy(picture_, 32);
  std::unique_ptr<PLWinBmp> back = ConvertToWinBmpViaTempFile(copy);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(document_test::DifferentPixels(document_test::RgbOf(*back), rendered_), 0u);
  EXPECT_EQ(temporaries(), before);
}

TEST_F(LabelExport, JpegIsCloseToTheRenderedPixels) {
  const std::string path = folder_.File("label.jpg");
  ASSERT_EQ(RenderLabelToImage(path.c_str(), label_.setup, label_.fields, kResolution, LabelOutput::kJpeg), 1);
  const auto read = document_test::ReadWithImageMagick(path);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->width, rendered_.width);
  EXPECT_LT(document_test::MeanDifference(*read, rendered_), 6.0);
  EXPECT_EQ(DecodeCode128(*read), kData);
}

TEST_F(LabelExport, ClipboardBitmapIsTheRenderedPicture) {
  ASSERT_EQ(RenderLabelToImage(nullptr, label_.setup, label_.fields, kResolution, LabelOutput::kClipboardBitmap), 1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE dib = GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  const size_t size = GlobalSize(dib);
  const auto* bytes = static_cast<const unsigned char*>(GlobalLock(dib));
  // A BMP file is the packed bitmap behind a 14-byte file header.
  std::vector<unsigned char> file{'B', 'M'};
  const uint32_t total = static_cast<uint32_t>(14 + size);
  const uint32_t offset = 14 + 40;  // 32-bit rows follow the header
  for (uint32_t v : {total, 0u, offset})
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<unsigned char>(v >> (8 * i)));
  file.insert(file.end(), bytes, bytes + size);
  GlobalUnlock(dib);
  EmptyClipboard();
  CloseClipboard();
  const std::string path = folder_.File("clipboard.bmp");
  document_test::WriteBytes(path, file);
  const auto read = document_test::ReadWithImageMagick(path);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(document_test::DifferentPixels(*read, rendered_), 0u);
  EXPECT_EQ(DecodeCode128(*read), kData);
}

// The picture emf2svg finds in a metafile: the size it gives the image and
// the image's own pixels.
struct SvgPicture {
  double width = 0;
  double height = 0;
  Rgb pixels;
};

std::optional<SvgPicture> ThroughEmf2Svg(const TempFolder& folder, const std::string& emf) {
  const std::string svg = folder.File("picture.svg");
  if (!document_test::RunCapture("emf2svg-conv -i " + document_test::Quoted(emf) + " -o " +
                                 document_test::Quoted(svg)))
    return std::nullopt;
  const auto bytes = document_test::ReadBytes(svg);
  const std::string text(bytes.begin(), bytes.end());
  // The picture's tag is long (its pixels inline in base64): it is cut out by
  // hand, since the standard library's regex recurses once per character.
  const size_t open = text.find("<image");
  const size_t close = open == std::string::npos ? open : text.find('>', open);
  if (close == std::string::npos) return std::nullopt;
  const std::string tag = text.substr(open, close - open + 1);
  const size_t base64 = tag.find("base64,");
  if (base64 == std::string::npos) return std::nullopt;
  const size_t start = base64 + 7;
  const size_t end = tag.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=", start);
  const std::string pixelsBase64 = tag.substr(start, end == std::string::npos ? end : end - start);
  const std::string attributes = tag.substr(0, base64) + (end == std::string::npos ? "" : tag.substr(end));
  std::smatch w, h;
  if (pixelsBase64.empty() || !std::regex_search(attributes, w, std::regex("width=\"([0-9.]+)\"")) ||
      !std::regex_search(attributes, h, std::regex("height=\"([0-9.]+)\"")))
    return std::nullopt;
  const std::string encoded = folder.File("image.b64");
  std::ofstream(encoded) << pixelsBase64;
  const std::string png = folder.File("image.png");
  if (!document_test::RunCapture("base64 -d " + document_test::Quoted(encoded) + " > " + document_test::Quoted(png)))
    return std::nullopt;
  auto pixels = document_test::ReadWithImageMagick(png);
  if (!pixels) return std::nullopt;
  return SvgPicture{std::stod(w[1].str()), std::stod(h[1].str()), std::move(*pixels)};
}

void ExpectTheLabelPicture(const std::optional<SvgPicture>& svg, const Rgb& rendered) {
  ASSERT_TRUE(svg.has_value()) << "emf2svg gave no picture";
  // Shown at the label's size on the screen: 2.5 x 1.5 inches at 96 pixels
  // an inch (within the rounding of the screen's millimetres).
  EXPECT_NEAR(svg->width, 240, 1.5);
  EXPECT_NEAR(svg->height, 144, 1.5);
  EXPECT_EQ(document_test::DifferentPixels(svg->pixels, rendered), 0u);
  EXPECT_EQ(DecodeCode128(svg->pixels), kData);
}

TEST_F(LabelExport, MetafileFileHoldsTheRenderedPicture) {
  const std::string path = folder_.File("label.emf");
  ASSERT_EQ(SaveBitmapAsMetafile(path.c_str(), nullptr, nullptr, bitmap_.get(), label_.setup.labelWidth,
                                 label_.setup.labelHeight, kResolution),
            1);
  ExpectTheLabelPicture(ThroughEmf2Svg(folder_, path), rendered_);
}

TEST_F(LabelExport, ClipboardMetafileHoldsTheRenderedPicture) {
  ASSERT_EQ(
      RenderLabelToImage(nullptr, label_.setup, label_.fields, kResolution, LabelOutput::kClipboardMetafile), 1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ASSERT_NE(metafile, nullptr);
  std::vector<unsigned char> bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  EmptyClipboard();
  CloseClipboard();
  const std::string path = folder_.File("clipboard.emf");
  document_test::WriteBytes(path, bytes);
  ExpectTheLabelPicture(ThroughEmf2Svg(folder_, path), rendered_);
}

}  // namespace
