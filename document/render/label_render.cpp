#include "document/render/label_render.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "document/render/clipboard_picture.h"
#include "document/render/label_metafile.h"
#include "fields/draw/field_draw.h"
#include "foundation/gdi_helpers/marks.h"
#include "foundation/gdi_helpers/shapes.h"
#include "image/bitmap/pltextexception.h"
#include "image/bitmap/plwinbmp.h"
#include "image/encode/plbmpencoder.h"
#include "image/encode/pljpegencoder.h"
#include "image/filter/agcnvtdither.h"
#include "image/io/plmemsink.h"

namespace {

constexpr int kMinShapePixels = 8;

// Drawing flags of the fields for each output kind.
unsigned DrawFlagsFor(LabelOutput kind) {
  switch (kind) {
    case LabelOutput::kPreview: return 0x102;
    case LabelOutput::kClipboardBitmap: return 0x10302;
    default: return 0x302;
  }
}

long long Scaled(long long resolution, long long mils) { return resolution * mils / 1000; }

}  // namespace

void DrawLabelBackground(HDC dc, CLabelSetup& setup, const RECT& rect, int resolution) {
  setup.cornerSize = GetLabelCornerSize(setup.labelWidth, setup.labelHeight);
  const int corner = static_cast<int>(std::max<long long>(kMinShapePixels, Scaled(resolution, setup.cornerSize)));
  const int hole =
      static_cast<int>(std::max<long long>(kMinShapePixels, Scaled(resolution, setup.deflt_holeDiameter)));
  DrawLabelShape(dc, rect, setup.deflt_shape, corner, setup.deflt_hasHoleDiameter != 0, hole, false,
                 setup.deflt_bkclr, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!setup.deflt_hasBorder) return;
  int width = static_cast<int>(std::clamp<long long>(Scaled(resolution, setup.border.width), 0, 1 << 20));
  // An odd width keeps the border centred on whole pixels.
  if (width % 2 == 0) ++width;
  const COLORREF colour = static_cast<COLORREF>(setup.border.color);
  const bool roundEnds = setup.border.roundEnds != 0;
  if (setup.deflt_shape == kLabelEllipse) {
    StrokeEllipsePath(dc, rect, width, setup.border.style, colour, roundEnds);
  } else {
    StrokeRoundRectPath(dc, rect, 2 * corner, width, setup.border.style, colour, roundEnds);
  }
}

namespace {

std::vector<uint8_t> PreviewBmpOf(HBITMAP bitmap) {
  PLWinBmp picture;
  if (!picture.CreateFromHBitmap(bitmap)) return {};
  AgCnvtDither dither(AG_DITHER_FLOYD_STEINBERG);
  if (!dither.ApplyInPlace(&picture) || picture.GetBitsPerPixel() != 1) return {};
  PLMemSink sink;
  sink.Open("preview", 4096);
  if (!PLBmpEncoder().SaveBmp(&picture, &sink)) return {};
  return sink.TakeData();
}

int WritePreview(const char* path, HBITMAP bitmap) {
  const std::vector<uint8_t> bytes = PreviewBmpOf(bitmap);
  if (bytes.empty()) return 0;
  gzFile file = gzopen(path, "wb9");
  if (!file) return 0;
  const int written = gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size()));
  const int closed = gzclose(file);
  if (written != static_cast<int>(bytes.size()) || closed != Z_OK) {
    std::remove(path);
    return 0;
  }
  return 1;
}

int WriteJpeg(const char* path, HBITMAP bitmap) {
  PLWinBmp picture;
  if (!picture.CreateFromHBitmap(bitmap)) return 0;
  return PLJPEGEncoder().MakeFileFromBmp(path, &picture);
}

}  // namespace

SIZE LabelPixelSize(const CLabelSetup& setup, int resolution) {
  const long long w = Scaled(resolution, setup.labelWidth);
  const long long h = Scaled(resolution, setup.labelHeight);
  if (resolution <= 0 || w <= 0 || h <= 0 || w > kMaxLabelPixels / h) return SIZE{0, 0};
  return SIZE{static_cast<LONG>(w), static_cast<LONG>(h)};
}

UniqueBitmap RenderLabelBitmap(CLabelSetup& setup, const CFieldList& fields, int resolution, unsigned drawFlags) {
  const SIZE size = LabelPixelSize(setup, resolution);
  if (size.cx <= 0) return nullptr;
  UniqueBitmap bitmap;
  {
    WindowDc screen;
    bitmap.reset(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  }
  UniqueDc dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc) return nullptr;
  SelectScope select(dc.get(), bitmap.get());
  const RECT rect{0, 0, size.cx, size.cy};
  FillRect(dc.get(), &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawLabelBackground(dc.get(), setup, rect, resolution);
  DrawFieldList(dc.get(), fields, setup, 0, 0, 0, resolution, resolution, drawFlags, 0);
  return bitmap;
}

std::vector<uint8_t> RenderPreviewBmp(CLabelSetup& setup, const CFieldList& fields, int resolution) {
  UniqueBitmap bitmap = RenderLabelBitmap(setup, fields, resolution, DrawFlagsFor(LabelOutput::kPreview));
  if (!bitmap) return {};
  try {
    return PreviewBmpOf(bitmap.get());
  } catch (const PLTextException&) {
    return {};
  }
}

int RenderLabelToImage(const char* path, CLabelSetup& setup, const CFieldList& fields, int resolution,
                       LabelOutput kind) {
  UniqueBitmap bitmap = RenderLabelBitmap(setup, fields, resolution, DrawFlagsFor(kind));
  if (!bitmap) return 0;
  try {
    switch (kind) {
      case LabelOutput::kPreview: return path ? WritePreview(path, bitmap.get()) : 0;
      case LabelOutput::kJpeg: return path ? WriteJpeg(path, bitmap.get()) : 0;
      case LabelOutput::kClipboardBitmap: return PutBitmapOnClipboard(ClipboardOwnerWindow(), bitmap.release());
      case LabelOutput::kClipboardMetafile:
        return PutBitmapOnClipboardAsMetafile(ClipboardOwnerWindow(), bitmap.get(), setup.labelWidth,
                                              setup.labelHeight, resolution);
    }
  } catch (const PLTextException&) {
    if (path && kind != LabelOutput::kClipboardBitmap && kind != LabelOutput::kClipboardMetafile) std::remove(path);
  }
  return 0;
}
