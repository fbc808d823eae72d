// Data sources: reading, progress, open failures, the libjpeg source manager
// and the libtiff memory stream.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "platform/kernel/kernel.h"
#include "platform/resource/resource.h"

#include <jpeglib.h>
#include <tiffio.h>

#include "image/bitmap/pltextexception.h"
#include "image/encode/pljpegencoder.h"
#include "image/encode/pltiffencoder.h"
#include "image/io/jpeg_adapters.h"
#include "image/io/plfilesource.h"
#include "image/io/plmemsink.h"
#include "image/io/plmemsource.h"
#include "image/io/plresourcesource.h"
#include "image/io/tiff_stream.h"
#include "platform/kernel/kernel.h"
#include "platform/resource/resource.h"
#include "tests/image/bitmap_test_util.h"

namespace {

class RecordingNotifier : public ProgressNotifier {
 public:
  void OnProgress(double part) override { parts.push_back(part); }
  std::vector<double> parts;
};

TEST(MemSourceTest, ReadsUpToTheEndThenThrows) {
  const PLBYTE data[5] = {1, 2, 3, 4, 5};
  PLMemSource src;
  ASSERT_EQ(src.Open(data, 5), 0);
  EXPECT_STREQ(src.GetName(), "Mem");
  EXPECT_EQ(src.GetFileSize(), 5);
  EXPECT_EQ(src.PeekBytes(2), data);
  EXPECT_EQ(src.ReadBytes(2), data);
  EXPECT_EQ(src.GetCurrentData(), data + 2);
  EXPECT_EQ(src.ReadBytes(3), data + 2);  // exactly to the end
  EXPECT_EQ(src.GetBytesLeft(), 0);
  try {
    src.ReadBytes(1);
    FAIL() << "no exception";
  } catch (const PLTextException& e) {
    EXPECT_EQ(e.GetCode(), 11);
    EXPECT_STREQ(e.GetText(), "End of file reached while decoding.\n");
  }
  EXPECT_EQ(src.GetBytesRead(), 5);  // a refused read does not move
  EXPECT_THROW(src.ReadBytes(-1), PLTextException);
  src.Close();
  EXPECT_EQ(src.GetFileSize(), 0);
}

TEST(MemSourceTest, RefusesANegativeSize) {
  const PLBYTE data[1] = {0};
  PLMemSource src;
  EXPECT_EQ(src.Open(data, -1), 4);
}

TEST(FileSourceTest, MapsTheFileAndReportsProgressPer1024Bytes) {
  imgtest::TempFolder dir;
  std::string path = dir.File("data.bin");
  std::vector<char> bytes(3000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  RecordingNotifier notifier;
  {
    PLFileSource src(&notifier);
    ASSERT_EQ(src.Open(path.c_str()), 0);
    EXPECT_STREQ(src.GetName(), path.c_str());
    EXPECT_EQ(src.GetFileSize(), 3000);
    EXPECT_EQ(std::memcmp(src.ReadBytes(1000), bytes.data(), 1000), 0);  // 0 -> 0 KB: silent
    src.ReadBytes(100);                                                  // crosses 1024
    src.ReadBytes(900);                                                  // 2000: silent
    src.ReadBytes(1000);                                                 // 3000: crosses 2048
    src.Close();
  }
  ASSERT_EQ(notifier.parts.size(), 3u);
  EXPECT_DOUBLE_EQ(notifier.parts[0], 1100.0 / 3000);
  EXPECT_DOUBLE_EQ(notifier.parts[1], 1.0);
  EXPECT_DOUBLE_EQ(notifier.parts[2], 1.0);  // Close
}

TEST(FileSourceTest, OpenFailures) {
  imgtest::TempFolder dir;
  std::string empty = dir.File("empty.bin");
  std::ofstream(empty).close();
  struct Case {
    std::string path;
    int result;
  };
  const Case cases[] = {{dir.File("missing.png"), 4}, {dir.File("nofolder/missing.png"), 3}, {empty, 5}};
  for (const Case& c : cases) {
    PLFileSource src;
    EXPECT_EQ(src.Open(c.path.c_str()), c.result) << c.path;
    EXPECT_FALSE(src.IsOpen());
  }
}

TEST(ResourceSourceTest, NullTypeLooksInRcData) {
  static const BYTE kData[] = {9, 8, 7};
  static const ModuleResource resources[] = {{ResourceKey(10), ResourceKey(42), std::span<const BYTE>(kData)},
                                             {ResourceKey("PICTURE"), ResourceKey(43), std::span<const BYTE>(kData, 2)}};
  ModuleResourceRegistration registration(CurrentModuleHandle(), resources);
  PLResourceSource src;
  ASSERT_EQ(src.Open(CurrentModuleHandle(), 42), 0);
  EXPECT_STREQ(src.GetName(), "Resource: 42");
  EXPECT_EQ(src.GetFileSize(), 3);
  EXPECT_EQ(src.ReadBytes(3)[2], 7);
  src.Close();
  ASSERT_EQ(src.Open(CurrentModuleHandle(), 43, "PICTURE"), 0);
  EXPECT_EQ(src.GetFileSize(), 2);
  src.Close();
  EXPECT_EQ(src.Open(CurrentModuleHandle(), 43), 4);
  EXPECT_EQ(src.Open(CurrentModuleHandle(), 44), 4);
}

// Decompresses a JPEG through the memory source manager, counting warnings.
struct JpegRead {
  int warnings120 = 0;
  int rows = 0;
  bool ok = false;
};

int g_Warnings120 = 0;
void CountWarning(j_common_ptr cinfo, int level) {
  if (level == -1 && cinfo->err->msg_code == 120) ++g_Warnings120;
}

JpegRead DecodeWithMemorySource(const std::vector<PLBYTE>& data) {
  JpegRead result;
  // Nothing with a destructor may be made after the setjmp below.
  std::vector<JSAMPLE> row(4096);
  JSAMPROW rows[1] = {row.data()};
  jpeg_decompress_struct cinfo{};
  PLJpegErrorManager err;
  cinfo.err = InitJpegErrorManager(&err);
  err.pub.emit_message = CountWarning;
  g_Warnings120 = 0;
  if (setjmp(err.jumpBuffer)) {
    jpeg_destroy_decompress(&cinfo);
    return result;
  }
  jpeg_create_decompress(&cinfo);
  InstallJpegMemorySource(&cinfo, data.data(), int(data.size()), nullptr, nullptr);
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width * cinfo.output_components > row.size()) return result;
  while (cinfo.output_scanline < cinfo.output_height) {
    jpeg_read_scanlines(&cinfo, rows, 1);
    ++result.rows;
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  result.ok = true;
  result.warnings120 = g_Warnings120;
  return result;
}

TEST(JpegMemorySourceTest, DataThatStopsEarlyEndsWithAnEndOfImage) {
  // A busy picture, so that most of the file is scan data.
  std::vector<PLPixel32> p;
  for (int i = 0; i < 64 * 64; ++i) p.push_back(imgtest::Px(i * 37 % 256, i * 91 % 256, i * 13 % 256));
  auto bmp = imgtest::Make32(64, 64, p);
  PLMemSink sink;
  sink.Open("mem", 0);
  ASSERT_EQ(PLJPEGEncoder().SaveBmp(bmp.get(), &sink), 1);
  std::vector<PLBYTE> whole = sink.TakeData();
  JpegRead full = DecodeWithMemorySource(whole);
  EXPECT_TRUE(full.ok);
  EXPECT_EQ(full.rows, 64);
  EXPECT_EQ(full.warnings120, 0);
  std::vector<PLBYTE> half(whole.begin(), whole.begin() + long(whole.size() / 2));
  JpegRead cut = DecodeWithMemorySource(half);
  EXPECT_TRUE(cut.ok);
  EXPECT_EQ(cut.rows, 64);
  EXPECT_GE(cut.warnings120, 1);
}

TEST(JpegMemorySourceTest, ProgressManagerGetsTheSource) {
  jpeg_decompress_struct cinfo{};
  PLJpegErrorManager err;
  cinfo.err = InitJpegErrorManager(&err);
  jpeg_create_decompress(&cinfo);
  PLMemSource src;
  const PLBYTE data[2] = {0xFF, 0xD8};
  src.Open(data, 2);
  auto progress = [](j_common_ptr) {};
  InstallJpegMemorySource(&cinfo, data, 2, &src, progress);
  ASSERT_NE(cinfo.progress, nullptr);
  EXPECT_EQ(cinfo.client_data, &src);
  EXPECT_EQ(cinfo.src->bytes_in_buffer, 2u);
  jpeg_destroy_decompress(&cinfo);
}

// Closes a stream without letting libtiff write a directory.
void Discard(TIFF* tiff) {
  TIFFCloseProc close = TIFFGetCloseProc(tiff);
  thandle_t handle = TIFFClientdata(tiff);
  TIFFCleanup(tiff);
  close(handle);
}

TEST(TiffStreamTest, WritingSeeksAndGrowsTheLength) {
  InstallTiffMessageHandlers();
  std::vector<PLBYTE> buffer(64, 0xEE);
  int length = -1;
  TIFF* tiff = OpenTiffMemoryStream(buffer.data(), 64, &length);
  ASSERT_NE(tiff, nullptr);
  EXPECT_EQ(length, 8);  // libtiff wrote its header
  thandle_t h = TIFFClientdata(tiff);
  TIFFSeekProc seek = TIFFGetSeekProc(tiff);
  TIFFReadWriteProc write = TIFFGetWriteProc(tiff);
  TIFFReadWriteProc read = TIFFGetReadProc(tiff);
  EXPECT_EQ(seek(h, 0, SEEK_END), 8u);
  char more[4] = {1, 2, 3, 4};
  EXPECT_EQ(write(h, more, 4), 4);
  EXPECT_EQ(length, 12);
  EXPECT_EQ(seek(h, 100, SEEK_SET), 100u);
  EXPECT_EQ(length, 64);  // the length grows with a seek, up to the capacity
  EXPECT_EQ(write(h, more, 4), 0);  // beyond the capacity nothing moves
  EXPECT_EQ(seek(h, 62, SEEK_SET), 62u);
  EXPECT_EQ(write(h, more, 4), 2);
  EXPECT_EQ(read(h, more, 4), 0);  // no reading in write mode
  Discard(tiff);
}

TEST(TiffStreamTest, ReadingClampsToTheCapacity) {
  // A TIFF made by the encoder, read back through a read stream.
  auto bmp = imgtest::Make32(3, 2, {imgtest::Px(1, 2, 3), imgtest::Px(4, 5, 6), imgtest::Px(7, 8, 9),
                                    imgtest::Px(10, 11, 12), imgtest::Px(13, 14, 15), imgtest::Px(16, 17, 18)});
  PLMemSink sink;
  sink.Open("mem", 0);
  ASSERT_EQ(PLTIFFEncoder().SaveBmp(bmp.get(), &sink), 1);
  std::vector<PLBYTE> file = sink.TakeData();
  TIFF* tiff = OpenTiffMemoryStream(file.data(), int(file.size()), nullptr);
  ASSERT_NE(tiff, nullptr);
  uint32_t w = 0, h = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
  EXPECT_EQ(w, 3u);
  EXPECT_EQ(h, 2u);
  std::vector<PLBYTE> row(9);
  ASSERT_EQ(TIFFReadScanline(tiff, row.data(), 0, 0), 1);  // packed rows are read in order
  ASSERT_EQ(TIFFReadScanline(tiff, row.data(), 1, 0), 1);
  EXPECT_EQ(row, (std::vector<PLBYTE>{10, 11, 12, 13, 14, 15, 16, 17, 18}));
  thandle_t handle = TIFFClientdata(tiff);
  EXPECT_EQ(TIFFGetSizeProc(tiff)(handle), file.size());
  EXPECT_EQ(TIFFGetSeekProc(tiff)(handle, -2, SEEK_END), file.size() - 2);
  char tail[8];
  EXPECT_EQ(TIFFGetReadProc(tiff)(handle, tail, 8), 2);
  EXPECT_EQ(TIFFGetReadProc(tiff)(handle, tail, 8), 0);
  TIFFClose(tiff);
}

}  // namespace
