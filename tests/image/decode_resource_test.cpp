// Decoding pictures compiled into the module as resources: the decoders'
// resource entry point reaches them through the module's resource tables.
#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/pltextexception.h"
#include "image/decode/planydec.h"
#include "image/decode/plbmpdec.h"
#include "platform/resource/resource.h"
#include "tests/image/bitmap_test_util.h"

namespace {

using imgtest::Px;

// A 2 x 2 BMP at 24 bits, rows bottom-up, each padded from 6 to 8 bytes:
// red, green on top; blue, white below.
constexpr BYTE kBmp[] = {
    'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,              // file header, pixels at 54
    40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,            // size, width, height, planes, bits
    0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,  // BI_RGB, image size, 2835 per metre
    0, 0, 0, 0, 0, 0, 0, 0,                                      // colours used, important
    255, 0, 0, 255, 255, 255, 0, 0,                              // bottom row (BGR): blue, white
    0, 0, 255, 0, 255, 0, 0, 0,                                  // top row: red, green
};

// A binary PGM, 3 x 1.
constexpr BYTE kPgm[] = {'P', '5', '\n', '3', ' ', '1', '\n', '2', '5', '5', '\n', 0, 128, 255};

constexpr int kBmpId = 501;
constexpr int kPgmId = 502;
constexpr int kTruncatedId = 503;
constexpr int kNamedTypeId = 504;

const ModuleResource kResources[] = {
    {ResourceKey(10), ResourceKey(kBmpId), std::span<const BYTE>(kBmp)},
    {ResourceKey(10), ResourceKey(kPgmId), std::span<const BYTE>(kPgm)},
    {ResourceKey(10), ResourceKey(kTruncatedId), std::span<const BYTE>(kBmp, 60)},
    {ResourceKey("PICTURE"), ResourceKey(kNamedTypeId), std::span<const BYTE>(kBmp)},
};

class DecodeResource : public ::testing::Test {
 protected:
  ModuleResourceRegistration registration_{CurrentModuleHandle(), kResources};
};

void ExpectBmpPixels(const PLBmp& bmp) {
  ASSERT_EQ(bmp.GetWidth(), 2);
  ASSERT_EQ(bmp.GetHeight(), 2);
  ASSERT_EQ(bmp.GetBitsPerPixel(), 32);
  const std::vector<PLPixel32> expected = {Px(255, 0, 0), Px(0, 255, 0), Px(0, 0, 255), Px(255, 255, 255)};
  EXPECT_EQ(imgtest::Pixels32(bmp), expected);
}

TEST_F(DecodeResource, AnyDecoderReadsABmpFromRcData) {
  PLAnyPicDecoder decoder;
  PLAnyBmp bmp;
  ASSERT_EQ(decoder.MakeBmpFromResource(CurrentModuleHandle(), kBmpId, &bmp), 1);
  ExpectBmpPixels(bmp);
}

TEST_F(DecodeResource, FormatDecoderReadsAResourceOfANamedType) {
  PLBmpDecoder decoder;
  PLAnyBmp bmp;
  ASSERT_EQ(decoder.MakeBmpFromResource(CurrentModuleHandle(), kNamedTypeId, &bmp, 0, "PICTURE"), 1);
  ExpectBmpPixels(bmp);
}

TEST_F(DecodeResource, AnyDecoderReadsAPgm) {
  PLAnyPicDecoder decoder;
  PLAnyBmp bmp;
  ASSERT_EQ(decoder.MakeBmpFromResource(CurrentModuleHandle(), kPgmId, &bmp), 1);
  EXPECT_EQ(decoder.GetFileFormat(), PL_FT_PGM);
  ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
  EXPECT_EQ(imgtest::Bytes8(bmp), (std::vector<int>{0, 128, 255}));
}

TEST_F(DecodeResource, MissingResourceReportsFailure) {
  PLAnyPicDecoder decoder;
  PLAnyBmp bmp;
  EXPECT_EQ(decoder.MakeBmpFromResource(CurrentModuleHandle(), 599, &bmp), 0);
  // In the table, but not of the type asked for.
  EXPECT_EQ(decoder.MakeBmpFromResource(CurrentModuleHandle(), kNamedTypeId, &bmp), 0);
}

TEST_F(DecodeResource, TruncatedResourceIsNotReportedAsRead) {
  PLAnyPicDecoder decoder;
  PLAnyBmp bmp;
  int result = 1;
  try {
    result = decoder.MakeBmpFromResource(CurrentModuleHandle(), kTruncatedId, &bmp);
  } catch (const PLTextException& e) {
    result = 0;
    EXPECT_EQ(e.GetCode(), 11);
  }
  EXPECT_EQ(result, 0);
}

}  // namespace
