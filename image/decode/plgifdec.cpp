#include "image/decode/plgifdec.h"

#include <gif_lib.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "image/io/pltrace.h"

namespace {

// A screen up to this size may be mostly background (16 MB at 8 bits).
constexpr uint64_t kMostBackgroundPixels = uint64_t{1} << 24;

// giflib's read callback: hands over what is left when less is asked for.
int ReadFn(GifFileType* gif, GifByteType* data, int length) {
  auto* source = static_cast<PLDataSource*>(gif->UserData);
  if (length <= 0) return 0;
  int n = length < source->GetBytesLeft() ? length : source->GetBytesLeft();
  if (n > 0) std::memcpy(data, source->ReadBytes(n), size_t(n));
  return n;
}

void ReportGifError(int code) {
  const char* text = GifErrorString(code);
  char line[256];
  std::snprintf(line, sizeof line, "GIF-LIB error: %s.\n", text ? text : "unknown");
  Trace(0, line);
}

}  // namespace

PLGIFDecoder::PLGIFDecoder() = default;

PLGIFDecoder::~PLGIFDecoder() { CloseGif(); }

void PLGIFDecoder::CloseGif() {
  if (m_pGif) {
    int error = 0;
    DGifCloseFile(m_pGif, &error);
  }
  m_pGif = nullptr;
}

void PLGIFDecoder::Close() {
  CloseGif();
  PLPicDecoder::Close();
}

uint64_t PLGIFDecoder::MostLzwPixels(uint64_t bytes) {
  constexpr uint64_t kTable = 4096;
  const uint64_t bits = bytes * 8;
  uint64_t used = 0, pixels = 0;
  // While the table fills, code i gives at most i pixels and is at least
  // one bit narrower than i's own width (the smallest code size counted).
  for (uint64_t i = 1; i < kTable; ++i) {
    const uint64_t width = std::max<uint64_t>(std::bit_width(i), 2) - 1;
    if (used + width > bits) return pixels;
    used += width;
    pixels += i;
  }
  // A full table: every further code is 12 bits and gives at most 4096.
  return pixels + (bits - used) / 12 * kTable;
}

bool PLGIFDecoder::ReadToFirstFrame() {
  GifFileType* gif = m_pGif;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &record) == GIF_ERROR) {
      ReportGifError(gif->Error);
      return false;
    }
    if (record == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) == GIF_ERROR) {
        ReportGifError(gif->Error);
        return false;
      }
      return true;
    }
    if (record != EXTENSION_RECORD_TYPE) return false;  // the end, or a record no reader knows
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
      ReportGifError(gif->Error);
      return false;
    }
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1)) m_Transparent = block[4];
    while (block) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
        ReportGifError(gif->Error);
        return false;
      }
    }
  }
}

int PLGIFDecoder::Open(PLDataSource* dataSrc) {
  CloseGif();
  m_Transparent = -1;
  int error = 0;
  m_pGif = DGifOpen(dataSrc, ReadFn, &error);
  if (!m_pGif) {
    ReportGifError(error);
    return 0;
  }
  const int width = m_pGif->SWidth;
  const int height = m_pGif->SHeight;
  if (!PLBmp::IsValidGeometry(width, height, 8)) {
    RaiseError(2, "GIF screen size is empty or too large.");
    CloseGif();
    return 0;
  }
  if (!ReadToFirstFrame()) {
    CloseGif();
    return 0;
  }
  const GifImageDesc& d = m_pGif->Image;
  if (d.Left < 0 || d.Top < 0 || d.Width <= 0 || d.Height <= 0 ||
      uint64_t(d.Width) * uint64_t(d.Height) > PLBmp::kMaxImageBytes) {
    Trace(0, "Image 1 is empty or too large, aborted.\n");
    CloseGif();
    return 0;
  }
  // What the data must fill: every row of an interlaced frame, else the
  // rows down to the screen's bottom. The screen around the frame is the
  // background, as the format says, but a large screen must be one the
  // data could fill: a few bytes never cost a gigabyte.
  const uint64_t rows = d.Interlace ? uint64_t(d.Height) : uint64_t(std::clamp(height - d.Top, 0, d.Height));
  const uint64_t most = MostLzwPixels(uint64_t(std::max(dataSrc->GetBytesLeft(), 0)));
  const uint64_t screen = uint64_t(width) * uint64_t(height);
  if (most < rows * uint64_t(d.Width) || (screen > kMostBackgroundPixels && most < screen)) {
    RaiseError(2, "GIF data cannot fill the picture it declares.");
    CloseGif();
    return 0;
  }
  SetDescription(width, height, 8, m_pGif->SColorResolution, dataSrc->GetFileSize(), false, false);
  return 1;
}

int PLGIFDecoder::GetImage(PLBmp& bmp) {
  if (!m_pGif) return 0;
  GifFileType* gif = m_pGif;
  const int screenWidth = gif->SWidth;
  const int screenHeight = gif->SHeight;
  {
    PLBmpLock lock(bmp, false, true);
    for (int y = 0; y < bmp.GetHeight(); ++y)
      std::memset(bmp.GetLineArray()[y], gif->SBackGroundColor, size_t(bmp.GetWidth()));
  }
  const int transparent = m_Transparent;
  const GifImageDesc& d = gif->Image;
  const ColorMapObject* localMap = d.ColorMap;
  bool failed = false;
  {
    // A frame that does not fit the logical screen is clipped to it, as
    // viewers show it: every line is read, and only what lies on the
    // screen is kept.
    std::vector<GifPixelType> line(size_t(d.Width));
    const int visible = d.Left < screenWidth ? std::min(d.Width, screenWidth - d.Left) : 0;
    PLBmpLock lock(bmp, false, true);
    PLBYTE** rows = bmp.GetLineArray();
    auto readLine = [&](int r) {
      if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) {
        ReportGifError(gif->Error);
        failed = true;
        return;
      }
      const long y = long(d.Top) + r;
      if (y < screenHeight && visible > 0) std::memcpy(rows[y] + d.Left, line.data(), size_t(visible));
    };
    if (d.Interlace) {
      static constexpr int kStart[4] = {0, 4, 2, 1};
      static constexpr int kStep[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4 && !failed; ++pass)
        for (int r = kStart[pass]; r < d.Height && !failed; r += kStep[pass]) readLine(r);
    } else {
      // Rows below the screen are never shown: reading stops there.
      for (int r = 0; r < d.Height && long(d.Top) + r < screenHeight && !failed; ++r) readLine(r);
    }
  }
  if (failed) return 0;

  const ColorMapObject* map = localMap ? localMap : gif->SColorMap;
  bmp.SetHasAlpha(transparent >= 0);
  SetHasAlpha(transparent >= 0);
  if (map && map->Colors) {
    for (int i = 0; i < map->ColorCount && i < 256; ++i) {
      const GifColorType& c = map->Colors[i];
      bmp.SetPaletteEntry(PLBYTE(i), c.Red, c.Green, c.Blue, i == transparent ? 0 : 255);
    }
  }
  return 1;
}
