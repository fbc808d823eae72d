// Paragraphs and rich text drawn through their picture cache: the turned
// picture is kept in the field and drawn again while nothing it shows changed.
#include <sys/stat.h>

#include "fields/draw/field_draw.h"
#include "fields/draw/polygon_clip.h"
#include "fields/geometry/field_outline.h"
#include "fields/geometry/units.h"
#include "fields/measure/text_measure.h"
#include "fields/richtext/rtf_field.h"
#include "fields/services/label_setup.h"
#include "foundation/geometry/angles.h"
#include "image/bitmap/plwinbmp.h"
#include "image/filter/plfilterrotate.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr DWORD kSourceAnd = 0x008800C6;

// The field's appearance with what else the picture depends on: the
// resolution and mode, the anchor, the data source (a prompted paragraph lays
// out placeholder lines), and the printer its text is measured on.
AString DrawingKey(const CField& f, const CLabelSetup& setup, int dpiX, int dpiY, int outline, int transparent) {
  AString key;
  f.GetAppearanceKey(key);
  AString more;
  more.Format("@%d@%d@%d@%d@%d@%d@%d@%d@", dpiX, dpiY, outline, transparent, static_cast<int>(f.anchor),
              static_cast<int>(f.dataSourceType), static_cast<int>(f.previousDataSourceType),
              static_cast<int>(setup.IsSysPrinter));
  key += more + setup.lastPrinter;
  if (f.IsKind(FieldKind::kParagraph)) {
    const auto& p = static_cast<const CParagraphField&>(f);
    more.Format("@%d@", static_cast<int>(p.richFlag));
    key += more + p.fontName;
  }
  if (f.IsKind(FieldKind::kRtf)) {
    // The linked file may change under the same name.
    AString path;
    f.GetFilePath(path);
    struct stat st {};
    if (!path.IsEmpty() && ::stat(path.GetData(), &st) == 0) {
      more.Format("@%lld@%lld@%ld", static_cast<long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
                  static_cast<long>(st.st_mtim.tv_nsec));
      key += path + more;
    }
  }
  return key;
}

bool CacheFits(const CFieldPicture& pic, const CField& f, int width, int height, const AString& key) {
  return pic.sourceBitmap && pic.preparedRotation == f.rotation && pic.preparedWidth == width &&
         pic.preparedHeight == height && pic.preparedKey == key;
}

void Keep(CFieldPicture& pic, std::unique_ptr<PLBmp> bitmap, const CField& f, int width, int height,
          const AString& key) {
  pic.sourceBitmap = std::move(bitmap);
  pic.preparedRotation = f.rotation;
  pic.preparedWidth = width;
  pic.preparedHeight = height;
  pic.preparedKey = key;
}

// The paragraph's lines, turned, on a picture of its outline's bounds: the
// background colour, or white to be ANDed in transparent mode.
std::unique_ptr<PLBmp> RenderParagraphPicture(CParagraphField& f, const CLabelSetup& setup, const RECT& bounds,
                                              int ox, int oy, int dpiX, int dpiY, int outline, int transparent) {
  const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
  WindowDc screen;
  UniqueDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
  if (!dc || !bitmap) return nullptr;
  {
    SelectScope select(dc.get(), bitmap.get());
    UniqueBrush fill(CreateSolidBrush(transparent ? RGB(255, 255, 255) : f.backColor));
    RECT all{0, 0, w, h};
    FillRect(dc.get(), &all, fill.get());
    SetViewportOrgEx(dc.get(), -bounds.left, -bounds.top, nullptr);
    LayoutFieldText(f, setup, dc.get(), ox, oy, dpiX, dpiY, outline ? 1 : 0);
  }
  auto bmp = std::make_unique<PLWinBmp>();
  if (!bmp->CreateFromHBitmap(bitmap.get())) return nullptr;
  return bmp;
}

}  // namespace

int DrawFieldBitmapClipped(HDC dc, CParagraphField& f, const CLabelSetup& setup, int, int ox, int oy, int dpiX,
                           int dpiY, int outline, int transparent, int target) {
  if (!dpiY) dpiY = dpiX;
  const RECT bounds = GetFieldBoundingRect(f, ox, oy, dpiX, dpiY);
  const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
  if (w <= 0 || h <= 0) return 0;
  CFieldPicture& pic = f.picture;
  const AString key = DrawingKey(f, setup, dpiX, dpiY, outline, transparent);
  if (!CacheFits(pic, f, w, h, key)) {
    pic.sourceBitmap.reset();
    auto made = RenderParagraphPicture(f, setup, bounds, ox, oy, dpiX, dpiY, outline, transparent);
    if (!made) return 0;
    Keep(pic, std::move(made), f, w, h, key);
  }
  auto* bmp = static_cast<PLWinBmp*>(pic.sourceBitmap.get());
  const auto corners = GetFieldCorners(f, ox, oy, dpiX, dpiY);
  const bool turned = !IsRightAngle(f.rotation);
  PolygonClip clip(dc, corners.data(), turned ? 4 : 0);
  const DWORD rop = transparent ? kSourceAnd : SRCCOPY;
  if (target == 0 || setup.IsSysPrinter == 0) {
    bmp->Draw(dc, bounds.left, bounds.top, rop);
  } else {
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    bmp->StretchDraw(dc, bounds.left, bounds.top, bmp->GetWidth(), bmp->GetHeight(), rop);
    SetStretchBltMode(dc, oldMode);
  }
  return 1;
}

int DrawRtfFieldText(HDC dc, CRtfField& f, int ox, int oy, int dpiX, int dpiY, int transparent) {
  if (!dpiY) dpiY = dpiX;
  const int size[2] = {MilsToDevice(f.width, dpiX), MilsToDevice(f.height, dpiY)};
  if (size[0] <= 0 || size[1] <= 0) return 0;
  CFieldPicture& pic = f.picture;
  const AString key = DrawingKey(f, CLabelSetup(), dpiX, dpiY, 0, 0);
  if (!CacheFits(pic, f, size[0], size[1], key)) {
    pic.sourceBitmap.reset();
    std::unique_ptr<PLWinBmp> picture = BuildRtfFieldPicture(f, size);
    if (!picture) return 0;
    auto turned = std::make_unique<PLWinBmp>();
    const PLPoint frame{size[0], size[1]};
    PLFilterRotate(f.rotation / 1000.0, nullptr, &frame).Apply(picture.get(), turned.get());
    Keep(pic, std::move(turned), f, size[0], size[1], key);
  }
  auto* bmp = static_cast<PLWinBmp*>(pic.sourceBitmap.get());
  const RECT bounds = GetFieldBoundingRect(f, ox, oy, dpiX, dpiY);
  const DWORD rop = transparent ? SRCAND : SRCCOPY;
  const auto corners = GetFieldCorners(f, ox, oy, dpiX, dpiY);
  PolygonClip clip(dc, corners.data(), IsRightAngle(f.rotation) ? 0 : 4);
  bmp->Draw(dc, bounds.left, bounds.top, rop);
  return 1;
}
