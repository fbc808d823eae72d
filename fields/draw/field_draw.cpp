#include "fields/draw/field_draw.h"

#include <algorithm>
#include <cmath>

#include "barcode/kalvo.h"
#include "fields/barcode/barcode_render.h"
#include "fields/design/design_values.h"
#include "fields/draw/polygon_clip.h"
#include "fields/draw/text_draw.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/geometry/units.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/measure/field_measure.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_data.h"
#include "fields/richtext/rtf_field.h"
#include "fields/services/label_setup.h"
#include "foundation/gdi_helpers/colour.h"
#include "foundation/gdi_helpers/shapes.h"
#include "foundation/geometry/angles.h"
#include "foundation/geometry/rotation.h"
#include "foundation/settings/process_settings.h"
#include "image/bitmap/planybmp.h"
#include "image/bitmap/plwinbmp.h"
#include "image/filter/agcnvtdither.h"
#include "image/filter/plfiltergrayscale.h"
#include "image/filter/plfilterrotate.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr DWORD kBarsTransparentRop = 0x00DA00CF;

void FillPolygon(HDC dc, const POINT* points, int count, HBRUSH brush, HPEN pen) {
  SelectScope selectBrush(dc, brush);
  SelectScope selectPen(dc, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(NULL_PEN));
  Polygon(dc, points, count);
}

bool ShowsPlaceholder(const CField& f, int target) {
  if (target) return false;
  const AString* file = nullptr;
  if (f.IsKind(FieldKind::kImage)) file = &static_cast<const CImageField&>(f).fileName;
  if (f.IsKind(FieldKind::kRtf)) file = &static_cast<const CRtfField&>(f).rtfFile;
  return f.UsesDataSource(ToShort(DataSourceType::kPromptBeforePrint)) ||
         f.UsesDataSource(ToShort(DataSourceType::kDatabase)) ||
         (f.UsesDataSource(ToShort(DataSourceType::kLinkExpression)) && file && file->IsEmpty());
}

}  // namespace

int GetShapeDrawMode(const CField& f) {
  if (f.IsKind(FieldKind::kLine)) {
    const auto& line = static_cast<const CLineField&>(f).line;
    if (line.style || line.roundEnds) return 2;
  }
  return IsRightAngle(f.rotation) ? 0 : 1;
}

int GetFieldOutputClass(const CField& f) {
  switch (f.Kind()) {
    case FieldKind::kText: return static_cast<const CTextField&>(f).windowsFont ? 10 : 0;
    case FieldKind::kParagraph: return static_cast<const CParagraphField&>(f).richFlag ? 10 : 0;
    case FieldKind::kBarcode: return 0;
    default: return 10;
  }
}

int IsGraphicFieldKind(const CField& f) {
  return !(f.IsKind(FieldKind::kText) || f.IsKind(FieldKind::kBarcode));
}

int GetLabelCornerSize(int width, int height) { return std::max(std::min(width, height) / 30, 20); }

SIZE GetPageExtent(const CLabelSetup& s) {
  if (!s.IsSysPrinter) {
    return GetStockSize(s.lastPrinterModel.GetData(), s.lastPrinter.GetData());
  }
  const int across = std::max<int>(1, s.deflt_lblsPerRow), down = std::max<int>(1, s.deflt_rowsPerPage);
  return {across * s.labelWidth + (across - 1) * s.deflt_hGap, down * s.labelHeight + (down - 1) * s.deflt_vGap};
}

int DrawFieldPlaceholder(HDC dc, const CField& f, int ox, int oy, int dpiX, int dpiY, int outline) {
  if (!dpiY) dpiY = dpiX;
  const auto corners = GetFieldCorners(f, ox, oy, dpiX, dpiY);
  const bool rtf = f.IsKind(FieldKind::kRtf);
  UniqueBrush hatch(CreateHatchBrush(HS_DIAGCROSS, rtf ? kRtfPlaceholderHatch : kImagePlaceholderHatch));
  UniquePen frame(CreatePen(PS_SOLID, 1, outline ? kPlaceholderOutlineFrame : f.foreColor));
  FillPolygon(dc, corners.data(), 4, hatch.get(), frame.get());
  PolygonClip clip(dc, corners.data(), 4);
  LOGFONTA lf = MakeFieldLogFont(-16, ANTIALIASED_QUALITY);
  lf.lfWeight = FW_BOLD;
  lf.lfEscapement = lf.lfOrientation = f.rotation / 100;
  UniqueFont font(CreateFontIndirectA(&lf));
  SelectScope selectFont(dc, font.get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, kPlaceholderCaption);
  const POINT at = RotatePointScreen(f.offset.x + 2, f.offset.y, f.rotation / 1000.0, f.offset.x, f.offset.y);
  const char* caption = rtf ? "RTF" : "Image";
  const char* source = f.dataSourceType == ToShort(DataSourceType::kDatabase) ? "DB" : "XX";
  AString text;
  text.Format("%s. %s", caption, source);
  TextOutA(dc, MilsToDevice(at.x, dpiX) + ox, MilsToDevice(at.y, dpiY) + oy, text.GetData(), text.GetLength());
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  return 1;
}

int DrawFieldImage(HDC dc, CImageField& f, int ox, int oy, int dpiX, int dpiY, int transparent) {
  if (!dpiY) dpiY = dpiX;
  const int width = MilsToDevice(f.width, dpiX), height = MilsToDevice(f.height, dpiY);
  if (width <= 0 || height <= 0) return 0;
  CFieldPicture& pic = f.picture;
  PLBmp* source = pic.GetBitmap(0, 0, 0, 0, nullptr);
  if (!source) return 0;
  const bool reuse = pic.sourceBitmap && pic.preparedRotation == f.rotation && pic.preparedWidth == width &&
                     pic.preparedHeight == height;
  if (!reuse) {
    PLAnyBmp work;
    work.CreateCopy(*source, 32);
    MirrorFlipBitmap(work, pic.mirror);
    const PLPoint frame{width, height};
    auto prepared = std::make_unique<PLWinBmp>();
    PLFilterRotate(f.rotation / 1000.0, nullptr, &frame).Apply(&work, prepared.get());
    if (pic.pictureOption == 2) PLFilterGrayscale().ApplyInPlace(prepared.get());
    if (pic.pictureOption == 1) AgCnvtDither(pic.ditherMethod).ApplyInPlace(prepared.get());
    pic.sourceBitmap = std::move(prepared);
    pic.preparedRotation = f.rotation;
    pic.preparedWidth = width;
    pic.preparedHeight = height;
  }
  const RECT bounds = GetFieldBoundingRect(f, ox, oy, dpiX, dpiY);
  auto* bmp = static_cast<PLWinBmp*>(pic.sourceBitmap.get());
  const DWORD rop = transparent ? SRCAND : SRCCOPY;
  if (IsRightAngle(f.rotation)) {
    bmp->Draw(dc, bounds.left, bounds.top, rop);
  } else {
    const auto corners = GetFieldCorners(f, ox, oy, dpiX, dpiY);
    PolygonClip clip(dc, corners.data(), 4);
    bmp->Draw(dc, bounds.left, bounds.top, rop);
  }
  return 1;
}

int DrawBarcodeField(HDC dc, CBarcodeField& f, const CLabelSetup& setup, int ox, int oy, int dpiX, int dpiY,
                     unsigned flags) {
  if (!dpiY) dpiY = dpiX;
  const SIZE measured = MeasureBarcodeField(f, {}, setup, kMeasureStoredData);
  RECT bars{f.offset.x, f.offset.y, f.offset.x + measured.cx, f.offset.y + measured.cy};
  const bool textFields = f.designerDrawsText && f.showHr && HasHumanReadableFields(f.symbology) &&
                          !Is2DBCode(f.symbology, f.subType);
  if (textFields) {
    if (f.textAlign < 0) bars.right -= f.hrGapWidth;
    if (f.textAlign > 0) bars.left += f.hrGapWidth;
    if (f.textAlign == 0) {
      bars.left += f.hrGapWidth / 2;
      bars.right -= f.hrGapWidth - f.hrGapWidth / 2;
    }
    const int room = f.textHeight + f.textGap;
    if (f.hrAbove) bars.top += room; else bars.bottom -= room;
  }
  CBoxField shape;
  shape.offset = {bars.left, bars.top};
  shape.width = bars.right - bars.left;
  shape.height = bars.bottom - bars.top;
  shape.rotation = f.rotation;
  // The bars' rectangle turns about the field's position, not its own corner.
  const POINT corner = RotatePointScreen(bars.left, bars.top, f.rotation / 1000.0, f.offset.x, f.offset.y);
  shape.offset = {corner.x, corner.y};
  const RECT bounds = GetFieldBoundingRect(shape, ox, oy, dpiX, dpiY);
  // The symbol is made at the label's resolution, where its modules are
  // whole dots, and handed over scaled to the device's, so that it fills
  // its field at every zoom as it will on the label.
  if (PLWinBmp* bmp = f.GetRendering(setup.dpiX, setup.lastPrinter.GetData(), setup.lastPrinterModel.GetData(),
                                     setup.driverFlag, dpiX, 0)) {
    const DWORD rop = (flags & kDrawBarsTransparent) ? kBarsTransparentRop : SRCAND;
    if (IsRightAngle(f.rotation)) {
      bmp->Draw(dc, bounds.left, bounds.top, rop);
    } else {
      // Turned by an odd angle the picture's box is rounded outwards: it is
      // centred on the turned bars and kept inside them.
      const auto corners = GetFieldCorners(shape, ox, oy, dpiX, dpiY);
      PolygonClip clip(dc, corners.data(), 4);
      const int cx = (bounds.left + bounds.right) / 2, cy = (bounds.top + bounds.bottom) / 2;
      bmp->Draw(dc, cx - bmp->GetWidth() / 2, cy - bmp->GetHeight() / 2, rop);
    }
  }
  if (textFields) {
    TextFieldArray texts;
    BuildHumanReadableFields(f, texts, false, setup);
    for (auto& t : texts) DrawTextField(dc, *t, setup, 1, ox, oy, dpiX, dpiY, flags & kDrawOutline, 0);
  }
  return 1;
}

std::unique_ptr<PLBmp> RenderParagraphToBitmap(CParagraphField& f, const CLabelSetup& setup, int dpi, int blackOnly) {
  if (f.width == 0) return nullptr;
  const COLORREF fore = f.foreColor, back = f.backColor;
  const int32_t rotation = f.rotation;
  if (blackOnly) f.foreColor = AdjustColor(f.foreColor, kAdjustContrast);
  f.rotation = 0;
  const RECT r = GetFieldBoundingRect(f, 0, 0, dpi, dpi);
  const int w = std::max<int>(1, r.right - r.left), h = std::max<int>(1, r.bottom - r.top);
  std::unique_ptr<PLBmp> out;
  {
    WindowDc screen;
    UniqueDc dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    if (dc && bitmap) {
      {
        SelectScope select(dc.get(), bitmap.get());
        UniqueBrush fill(CreateSolidBrush(f.backColor));
        RECT all{0, 0, w, h};
        FillRect(dc.get(), &all, fill.get());
        SetViewportOrgEx(dc.get(), -r.left, -r.top, nullptr);
        DrawField(dc.get(), f, setup, 0, 0, 0, dpi, dpi, 0, 1, 2);
      }
      auto bmp = std::make_unique<PLWinBmp>();
      if (bmp->CreateFromHBitmap(bitmap.get())) out = std::move(bmp);
    }
  }
  f.rotation = rotation;
  f.foreColor = fore;
  f.backColor = back;
  return out;
}

int DrawField(HDC dc, CField& f, const CLabelSetup& setup, int handleSize, int ox, int oy, int dpiX, int dpiY,
              unsigned flags, int target, int mode) {
  if (!dpiY) dpiY = dpiX;
  const bool outline = (flags & kDrawOutline) != 0;
  const bool transparent = outline || ConfigSettings().drawFldsOpaque == 0;
  const int oldRop = SetROP2(dc, transparent ? R2_NOTXORPEN : R2_COPYPEN);
  const int oldFill = SetPolyFillMode(dc, ALTERNATE);
  const bool lineColour = f.IsKind(FieldKind::kLine) || f.IsKind(FieldKind::kBox) || f.inverse;
  UniqueBrush brush(outline ? CreateHatchBrush(HS_DIAGCROSS, kOutlineHatch)
                            : CreateSolidBrush(lineColour ? f.foreColor : f.backColor));
  UniquePen pen(CreatePen(PS_SOLID, 1, f.foreColor));
  HPEN shapePen = outline ? pen.get() : nullptr;
  POINT p[23];
  GetFieldOutline(p, 23, f, handleSize, ox, oy, dpiX, dpiY, 0);
  const POINT corners[4] = {p[0], p[2], p[7], p[5]};
  switch (f.Kind()) {
    case FieldKind::kLine: {
      const auto& line = static_cast<const CLineField&>(f).line;
      if (!outline && MilsToDevice(f.height, dpiY) < 1) {
        // Thinner than one dot (a line drawn as a rectangle of no height):
        // a hairline along its middle, so that the line is not lost from
        // the print and the preview while the design view shows it.
        SelectScope selectPen(dc, pen.get());
        MoveToEx(dc, p[3].x, p[3].y, nullptr);
        LineTo(dc, p[4].x, p[4].y);
      } else if (GetShapeDrawMode(f) < 2 || outline) {
        FillPolygon(dc, corners, 4, brush.get(), shapePen);
      } else {
        StrokeLinePath(dc, p[3].x, p[3].y, p[4].x, p[4].y, line.style, MilsToDevice(f.height, dpiY), f.foreColor,
                       line.roundEnds != 0);
      }
      break;
    }
    case FieldKind::kBox: {
      const POINT inner[4] = {p[11], p[12], p[13], p[14]};
      if (transparent) {
        // The inner fill turns the inside back to what it was.
        FillPolygon(dc, corners, 4, brush.get(), shapePen);
        FillPolygon(dc, inner, 4, brush.get(), shapePen);
      } else {
        UniqueRgn outer(CreateVisiblePolygonRgn(dc, corners, 4, ALTERNATE));
        UniqueRgn hole(CreateVisiblePolygonRgn(dc, inner, 4, ALTERNATE));
        CombineRgn(outer.get(), outer.get(), hole.get(), RGN_DIFF);
        FillRgn(dc, outer.get(), brush.get());
      }
      break;
    }
    case FieldKind::kText:
      FillPolygon(dc, corners, 4, brush.get(), shapePen);
      DrawTextField(dc, static_cast<CTextField&>(f), setup, 1, ox, oy, dpiX, dpiY, outline, 0);
      break;
    case FieldKind::kBarcode:
      FillPolygon(dc, corners, 4, brush.get(), shapePen);
      DrawBarcodeField(dc, static_cast<CBarcodeField&>(f), setup, ox, oy, dpiX, dpiY,
                       flags | (transparent ? kDrawBarsTransparent : 0));
      break;
    case FieldKind::kImage:
      if (ShowsPlaceholder(f, target) ||
          !DrawFieldImage(dc, static_cast<CImageField&>(f), ox, oy, dpiX, dpiY, transparent))
        DrawFieldPlaceholder(dc, f, ox, oy, dpiX, dpiY, outline);
      break;
    case FieldKind::kOle:
      if (outline) FillPolygon(dc, corners, 4, brush.get(), pen.get());
      break;
    case FieldKind::kParagraph:
      FillPolygon(dc, corners, 4, brush.get(), shapePen);
      DrawFieldBitmapClipped(dc, static_cast<CParagraphField&>(f), setup, handleSize, ox, oy, dpiX, dpiY, outline,
                             transparent, target);
      break;
    case FieldKind::kRtf:
      if (ShowsPlaceholder(f, target)) {
        DrawFieldPlaceholder(dc, f, ox, oy, dpiX, dpiY, outline);
        break;
      }
      if (outline) FillPolygon(dc, corners, 4, brush.get(), pen.get());
      if (mode == kDrawModeDropRtfPictures) static_cast<CRtfField&>(f).picture.FreeBitmaps(1);
      // A file that cannot be read shows the placeholder instead of nothing.
      if (!DrawRtfFieldText(dc, static_cast<CRtfField&>(f), ox, oy, dpiX, dpiY, transparent))
        DrawFieldPlaceholder(dc, f, ox, oy, dpiX, dpiY, outline);
      break;
    case FieldKind::kEllipse: {
      const auto& e = static_cast<const CEllipseField&>(f);
      const int hw = std::max(f.width / 2, 2), hh = std::max(f.height / 2, 2);
      const POINT c = RotatePointScreen(f.offset.x + hw, f.offset.y + hh, f.rotation / 1000.0, f.offset.x,
                                        f.offset.y);
      DrawEllipseOrRoundRect(dc, MilsToDevice(c.x, dpiX) + ox, MilsToDevice(c.y, dpiY) + oy, MilsToDevice(hw, dpiX),
                             MilsToDevice(hh, dpiY), (f.styleFlags & 4) != 0, f.rotation,
                             (e.shapeFlags & kShapeFillInside) != 0, f.foreColor,
                             MilsToDevice(std::max(e.cornerRadius, 0) * 2, dpiX), MilsToDevice(e.line.width, dpiX),
                             e.line.style, static_cast<COLORREF>(e.line.color), e.line.roundEnds != 0, outline);
      break;
    }
    case FieldKind::kBorder: break;
  }
  if (f.doNotPrint) {
    UniquePen red(CreatePen(PS_SOLID, kMarkedFrameWidth, kMarkedFrame));
    const int rop = SetROP2(dc, R2_COPYPEN);
    SelectScope selectPen(dc, red.get());
    SelectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    Polygon(dc, corners, 4);
    SetROP2(dc, rop);
  }
  SetPolyFillMode(dc, oldFill);
  SetROP2(dc, oldRop);
  return 1;
}

int DrawFieldList(HDC dc, const CFieldList& list, const CLabelSetup& setup, int handleSize, int ox, int oy, int dpiX,
                  int dpiY, unsigned flags, int mode) {
  for (const auto& field : list) {
    CField* f = field.get();
    if ((flags & kDrawSkipMarked) && f->doNotPrint) continue;
    std::unique_ptr<CField> clone;
    if ((flags & kDrawDesignValues) && IsFieldDataComputed(*f)) {
      clone = CloneField(f, flags & kDrawOutline, 0);
      if (clone) {
        GetFieldDesignValue(*clone, list, setup, -1);
        clone->SetDataSourceType(0, 1);
      }
    } else if (f->IsKind(FieldKind::kText)) {
      const auto& t = static_cast<const CTextField&>(*f);
      if ((t.useFormatTemplate && !t.formatTemplate.IsEmpty()) || !t.prefix.IsEmpty() || t.numberFormat) {
        clone = CloneField(f, 0, 0);
        if (clone && !(flags & kDrawOutline)) FormatTextFieldValue(static_cast<CTextField&>(*clone));
      }
    }
    CField* drawn = clone ? clone.get() : f;
    if (drawn->IsKind(FieldKind::kRtf) && static_cast<CRtfField*>(drawn)->fitFont && mode == kDrawModeDropRtfPictures &&
        !(flags & kDrawOutline))
      continue;
    DrawField(dc, *drawn, setup, handleSize, ox, oy, dpiX, dpiY, flags, 0, mode);
  }
  return 1;
}
