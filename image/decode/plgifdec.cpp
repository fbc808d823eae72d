#include "image/decode/plgifdec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "image/io/pltrace.h"

namespace {

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

int PLGIFDecoder::Open(PLDataSource* dataSrc) {
  CloseGif();
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
  int transparent = -1;
  const ColorMapObject* localMap = nullptr;
  bool imageRead = false;
  bool failed = false;
  GifRecordType record = UNDEFINED_RECORD_TYPE;
  while (!imageRead && !failed) {
    if (DGifGetRecordType(gif, &record) == GIF_ERROR) {
      ReportGifError(gif->Error);
      failed = true;
      break;
    }
    if (record == TERMINATE_RECORD_TYPE) break;
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
        ReportGifError(gif->Error);
        failed = true;
        break;
      }
      if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1)) transparent = block[4];
      while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
          ReportGifError(gif->Error);
          failed = true;
          break;
        }
      }
    } else if (record == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) == GIF_ERROR) {
        ReportGifError(gif->Error);
        failed = true;
        break;
      }
      const GifImageDesc& d = gif->Image;
      localMap = d.ColorMap;
      imageRead = true;
      if (d.Left < 0 || d.Top < 0 || d.Width <= 0 || d.Height <= 0 ||
          uint64_t(d.Width) * uint64_t(d.Height) > PLBmp::kMaxImageBytes) {
        char line[128];
        std::snprintf(line, sizeof line, "Image %d is empty or too large, aborted.\n", gif->ImageCount);
        Trace(0, line);
        failed = true;
        break;
      }
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
    } else {
      break;
    }
  }
  if (!imageRead || failed) return 0;

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
