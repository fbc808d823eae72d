#include "document/render/label_metafile.h"

#include <cmath>
#include <cstdio>

#include "platform/gdi/gdi_owners.h"

namespace {

// Two texts, each ended by a null character, and a final null.
constexpr char kDescription[] = "Tavrendel label designer\0Label picture\0";

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Records the bitmap into a new label metafile (in memory); null on failure.
HENHMETAFILE RecordBitmap(HDC source, HBITMAP bitmap, int widthMils, int heightMils, int resolution) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return nullptr;
  UniqueDc own;
  if (!source) {
    own.reset(CreateCompatibleDC(nullptr));
    source = own.get();
  }
  if (!source) return nullptr;
  HDC meta = CreateLabelMetafileDC(nullptr, widthMils / 1000.0, heightMils / 1000.0, resolution);
  if (!meta) return nullptr;
  bool copied;
  {
    SelectScope select(source, bitmap);
    copied = BitBlt(meta, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY) != 0;
  }
  HENHMETAFILE metafile = CloseEnhMetaFile(meta);
  if (!copied && metafile) {
    DeleteEnhMetaFile(metafile);
    return nullptr;
  }
  return metafile;
}

}  // namespace

HDC CreateLabelMetafileDC(const char* name, double widthInches, double heightInches, int resolution) {
  if (widthInches <= 0 || heightInches <= 0 || resolution <= 0) return nullptr;
  const RECT frame{0, 0, Round(widthInches * 2540), Round(heightInches * 2540)};
  WindowDc screen;
  HDC dc = CreateEnhMetaFileA(screen.get(), name, &frame, kDescription);
  if (!dc) return nullptr;
  const int horzRes = GetDeviceCaps(screen.get(), HORZRES), horzSize = GetDeviceCaps(screen.get(), HORZSIZE);
  const int vertRes = GetDeviceCaps(screen.get(), VERTRES), vertSize = GetDeviceCaps(screen.get(), VERTSIZE);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, Round(widthInches * resolution), Round(heightInches * resolution), nullptr);
  SetViewportExtEx(dc, Round(widthInches * 25.4 * horzRes / horzSize), Round(heightInches * 25.4 * vertRes / vertSize),
                   nullptr);
  return dc;
}

int SaveBitmapAsMetafile(const char* path, HDC source, HWND, HBITMAP bitmap, int widthMils, int heightMils,
                         int resolution) {
  if (!path) return 0;
  HENHMETAFILE metafile = RecordBitmap(source, bitmap, widthMils, heightMils, resolution);
  if (!metafile) return 0;
  HENHMETAFILE written = CopyEnhMetaFileA(metafile, path);
  DeleteEnhMetaFile(metafile);
  if (!written) return 0;
  DeleteEnhMetaFile(written);
  return 1;
}

int PutBitmapOnClipboardAsMetafile(HWND owner, HBITMAP bitmap, int widthMils, int heightMils, int resolution) {
  HENHMETAFILE metafile = RecordBitmap(nullptr, bitmap, widthMils, heightMils, resolution);
  if (!metafile) return 0;
  if (!OpenClipboard(owner)) {
    DeleteEnhMetaFile(metafile);
    return 0;
  }
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_ENHMETAFILE, metafile) != nullptr;
  CloseClipboard();
  if (!taken) DeleteEnhMetaFile(metafile);
  return taken ? 1 : 0;
}
