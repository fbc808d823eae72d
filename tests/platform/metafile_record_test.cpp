// Recording enhanced metafiles: the header, the records of a mapped bit-block
// transfer, playback to the same pixels, the file, and the clipboard's
// bitmap and metafile formats.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/metafile.h"
#include "platform/win.h"
#include "tests/platform/gdi_test_util.h"

namespace {

using gditest::Canvas;

constexpr COLORREF kInk = RGB(200, 30, 60);

// A 6 x 4 picture: a coloured block in the top-left corner, white elsewhere.
void PaintSource(Canvas& c) {
  c.Clear();
  const RECT block{0, 0, 3, 2};
  UniqueBrush brush(CreateSolidBrush(kInk));
  FillRect(c.dc(), &block, brush.get());
}

uint32_t U32(const std::vector<BYTE>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

std::vector<BYTE> BitsOf(HENHMETAFILE m) {
  std::vector<BYTE> bytes(GetEnhMetaFileBits(m, 0, nullptr));
  EXPECT_EQ(GetEnhMetaFileBits(m, static_cast<UINT>(bytes.size()), bytes.data()), bytes.size());
  return bytes;
}

// Record types in order.
std::vector<uint32_t> RecordTypes(const std::vector<BYTE>& b) {
  std::vector<uint32_t> types;
  for (size_t at = 0; at + 8 <= b.size();) {
    types.push_back(U32(b, at));
    const uint32_t size = U32(b, at + 4);
    if (size < 8) break;
    at += size;
  }
  return types;
}

TEST(MetafileRecord, ScaledCopyRecordsHeaderMappingAndPixels) {
  Canvas source(6, 4);
  PaintSource(source);
  // No frame given: the recorded bounds make it.
  HDC meta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, "Test\0Picture\0");
  ASSERT_NE(meta, nullptr);
  EXPECT_EQ(GetObjectType(meta), OBJ_ENHMETADC);
  SetMapMode(meta, MM_ANISOTROPIC);
  SetWindowExtEx(meta, 6, 4, nullptr);
  SetViewportExtEx(meta, 12, 8, nullptr);
  EXPECT_TRUE(BitBlt(meta, 0, 0, 6, 4, source.dc(), 0, 0, SRCCOPY));
  HENHMETAFILE m = CloseEnhMetaFile(meta);
  ASSERT_NE(m, nullptr);

  ENHMETAHEADER h{};
  ASSERT_EQ(GetEnhMetaFileHeader(m, sizeof h, &h), sizeof h);
  EXPECT_EQ(h.dSignature, ENHMETA_SIGNATURE);
  // 12 x 8 pixels of the 96-dpi screen (1920 pixels in 508 mm) in 0.01 mm.
  EXPECT_EQ(h.rclFrame.right, 318);
  EXPECT_EQ(h.rclFrame.bottom, 212);
  // The copy covers 12 x 8 reference pixels.
  EXPECT_EQ(h.rclBounds.left, 0);
  EXPECT_EQ(h.rclBounds.right, 11);
  EXPECT_EQ(h.rclBounds.bottom, 7);
  EXPECT_EQ(h.nDescription, 14u);  // "Test", "Picture" and three nulls
  const std::vector<BYTE> bytes = BitsOf(m);
  EXPECT_EQ(h.nBytes, bytes.size());
  const std::vector<uint32_t> want{1, 17, 9, 11, 76, 14};  // header, mode, window, viewport, BitBlt, end
  EXPECT_EQ(RecordTypes(bytes), want);
  EXPECT_EQ(h.nRecords, want.size());

  // Played into 12 x 8 pixels, each source pixel becomes 2 x 2.
  Canvas target(12, 8);
  const RECT all{0, 0, 12, 8};
  ASSERT_TRUE(PlayEnhMetaFile(target.dc(), m, &all));
  EXPECT_EQ(target.Picture(kInk),
            "######......\n"
            "######......\n"
            "######......\n"
            "######......\n"
            "............\n"
            "............\n"
            "............\n"
            "............\n");
  DeleteEnhMetaFile(m);
}

TEST(MetafileRecord, FileAndCopyHoldTheSameBytes) {
  Canvas source(6, 4);
  PaintSource(source);
  const auto folder = std::filesystem::temp_directory_path() / ("tav-emf-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "picture.emf").string();
  const RECT frame{0, 0, 1000, 500};  // 10 x 5 mm, as the caller gives it
  HDC meta = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
  BitBlt(meta, 0, 0, 6, 4, source.dc(), 0, 0, SRCCOPY);
  HENHMETAFILE m = CloseEnhMetaFile(meta);
  ASSERT_NE(m, nullptr);
  ENHMETAHEADER h{};
  GetEnhMetaFileHeader(m, sizeof h, &h);
  EXPECT_EQ(h.rclFrame.right, 1000);
  EXPECT_EQ(h.rclFrame.bottom, 500);
  EXPECT_EQ(h.nDescription, 0u);
  std::ifstream in(path, std::ios::binary);
  const std::vector<BYTE> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(file, BitsOf(m));
  const std::string copyPath = (folder / "copy.emf").string();
  HENHMETAFILE copy = CopyEnhMetaFileA(m, copyPath.c_str());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::filesystem::file_size(copyPath), file.size());
  // A folder that does not exist: no metafile, no file.
  HDC nowhere = CreateEnhMetaFileA(nullptr, (folder / "missing" / "x.emf").string().c_str(), nullptr, nullptr);
  BitBlt(nowhere, 0, 0, 6, 4, source.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(CloseEnhMetaFile(nowhere), nullptr);
  DeleteEnhMetaFile(copy);
  DeleteEnhMetaFile(m);
  std::filesystem::remove_all(folder);
}

TEST(MetafileRecord, ClipboardOwnsBitmapsAndMetafilesAndOffersTheBitmapAsDib) {
  Canvas source(6, 4);
  PaintSource(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source.dc(), 6, 4);
  {
    UniqueDc dc(CreateCompatibleDC(nullptr));
    SelectScope select(dc.get(), bitmap);
    BitBlt(dc.get(), 0, 0, 6, 4, source.dc(), 0, 0, SRCCOPY);
  }
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_EQ(SetClipboardData(CF_BITMAP, bitmap), bitmap);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  HANDLE dib = GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  EXPECT_EQ(info->biWidth, 6);
  EXPECT_EQ(info->biHeight, 4);
  EXPECT_EQ(info->biBitCount, 32);
  // Bottom-up rows: the top-left pixel is the first of the last row.
  const BYTE* top = reinterpret_cast<const BYTE*>(info + 1) + 3 * 6 * 4;
  EXPECT_EQ(RGB(top[2], top[1], top[0]), kInk);
  GlobalUnlock(dib);

  HDC meta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  BitBlt(meta, 0, 0, 6, 4, source.dc(), 0, 0, SRCCOPY);
  HENHMETAFILE m = CloseEnhMetaFile(meta);
  ASSERT_EQ(SetClipboardData(CF_ENHMETAFILE, m), m);
  EXPECT_EQ(GetClipboardData(CF_ENHMETAFILE), m);
  // Emptying deletes both: their handles are gone.
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(GetEnhMetaFileBits(m, 0, nullptr), 0u);
  BITMAP gone{};
  EXPECT_EQ(GetObjectW(bitmap, sizeof gone, &gone), 0);
}

}  // namespace
