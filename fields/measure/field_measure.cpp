#include "fields/measure/field_measure.h"

#include "fields/richtext/rtf_fit.h"

#include <algorithm>
#include <cmath>

#include "barcode/kalvo.h"
#include "fields/barcode/barcode_render.h"
#include "fields/design/design_values.h"
#include "fields/geometry/units.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_data.h"
#include "fields/services/label_setup.h"
#include "foundation/geometry/rotation.h"
#include "image/bitmap/planybmp.h"
#include "image/decode/planydec.h"

namespace {

int DpiX(const CLabelSetup& s) { return s.dpiX > 0 ? s.dpiX : 300; }
int DpiY(const CLabelSetup& s) { return s.dpiY > 0 ? s.dpiY : DpiX(s); }

SIZE ToMils(SIZE px, const CLabelSetup& s) { return {DeviceToMils(px.cx, DpiX(s)), DeviceToMils(px.cy, DpiY(s))}; }

bool IsEanUpcGroups(int symbology) { return symbology == 5 || symbology == 6 || symbology == 21 || symbology == 22; }

// A text field of the barcode's line, measured with Fixed Data.
std::unique_ptr<CTextField> HrPiece(CBarcodeField& b, const AString& text, const CLabelSetup& setup, SIZE* size) {
  auto t = std::make_unique<CTextField>();
  TextFieldFromBarcodeHr(*t, b);
  t->customHR = b.designerDrawsText ? 1 : 2;
  t->data = text;
  t->dataSourceType = 0;
  t->SetRotation(0);
  *size = MeasureTextExtent(*t, setup, nullptr, false);
  t->width = size->cx;
  t->height = size->cy;
  return t;
}

// The add-on digits, centred over the add-on bars, where the library prints
// its own: at the field's top over the add-on bars when the text is below the
// bars, in the text row when it is above them (the add-on bars then start
// with the main bars). With the text below, the add-on bars end with the main
// bars under a band as tall as the text row, and the digits take the row's
// height A. A text row taller than half the bars would leave the add-on bars
// too short to read: the library then keeps them half the bars' height and
// narrows the band, and shrinks its digits' font with it. These digits shrink
// by the same share (the band over the row, in whole points) so that they and
// their gap stay in the band, clear of the bars.
std::unique_ptr<CTextField> AddOnDigitsPiece(CBarcodeField& b, const AString& digits, const CLabelSetup& setup, int A) {
  SIZE size{};
  auto t = HrPiece(b, digits, setup, &size);
  if (A > 0) t->height = A;
  // In 64 bits: the heights come from a layout file.
  const int64_t row = int64_t{b.textGap} + b.textHeight;
  const int64_t band = std::max<int64_t>(int64_t{b.barHeight} - b.suppBarHeight, 0);
  LONG& points = t->logFont.lfHeight;
  if (!b.hrAbove && 2 * row > b.barHeight && band < row && points != 0) {
    const LONG sign = points < 0 ? -1 : 1;
    points = static_cast<LONG>(points * band / row);
    if (points == 0) points = sign;
    size = MeasureTextExtent(*t, setup, nullptr, false);
    // Rounded to whole pixels the text may still be a little taller.
    while (size.cy > band && points != sign) {
      points -= sign;
      size = MeasureTextExtent(*t, setup, nullptr, false);
    }
    t->width = size.cx;
    t->height = size.cy;
  }
  t->offset = {b.offset.x + b.suppX + (b.suppWidth - size.cx) / 2, b.offset.y};
  return t;
}

}  // namespace

bool HasHumanReadableFields(int symbology) {
  if (symbology == 8 || (symbology >= 13 && symbology <= 16) || symbology == 24 || symbology == 25) return false;
  return symbology >= 0 && symbology <= 26;
}

int BuildHumanReadableFields(CBarcodeField& b, TextFieldArray& out, bool oneLine, const CLabelSetup& setup) {
  if (!HasHumanReadableFields(b.symbology)) return 0;
  const size_t first = out.size();
  const int32_t rotation = b.rotation;
  const int X0 = b.offset.x, Y0 = b.offset.y;
  const int bearers = b.symbology == 11 ? 2 * b.bearerWidth : 0;
  if (!IsEanUpcGroups(b.symbology) || oneLine) {
    BuildBarcodeHrText(&b);
    AString text = b.hrResult.IsEmpty() ? b.data : b.hrResult;
    if (oneLine && text.GetLength() > 1) text = text.Left(1);
    SIZE size{};
    auto t = HrPiece(b, text, setup, &size);
    t->width = b.hrWidth ? b.hrWidth : size.cx;
    t->height = std::max(size.cy, b.height - b.barHeight - b.textGap - bearers);
    int y = Y0 + (b.hrAbove ? 0 : b.barHeight + b.textGap + bearers);
    int x = X0;
    const int spare = b.width - t->width;
    if (b.textAlign == 0) x += spare / 2;
    if (b.textAlign > 0) x += spare;
    t->offset = {x, y};
    out.push_back(std::move(t));
  } else {
    // The digits with their check digit; UPC-E gets its number system "0".
    AString main = b.data;
    const int addOn = IsPlus2(b.symbology, b.subType) ? 2 : IsPlus5(b.symbology, b.subType) ? 5 : 0;
    AString supplement;
    if (addOn && main.GetLength() > addOn) {
      supplement = main.Right(addOn);
      main = main.Left(main.GetLength() - addOn);
    }
    // The library's check digit sets the add-on aside by the sub-type itself,
    // so it is asked with the whole data: asked with the main digits alone it
    // would cut them short once more.
    AString check;
    BuildEncoderInput(&b, b.data, 0, &check);
    AString digits = main + check;
    if (b.symbology == 22) digits = AString("0") + digits;
    const int D = X0 + b.textLeft;
    const int E = b.width - b.textLeft - (addOn ? b.suppWidth + b.suppGap : b.textRight);
    const int A = b.height - b.barHeight - b.textGap;
    const int ty = Y0 + (b.hrAbove ? 0 : b.barHeight + b.textGap);
    auto add = [&](const AString& text, int x, int y, int height) {
      SIZE size{};
      auto t = HrPiece(b, text, setup, &size);
      t->offset = {x, y};
      if (height > 0) t->height = height;
      out.push_back(std::move(t));
      return size;
    };
    struct Groups {
      int leftFrom, leftCount, rightFrom, rightCount;
      bool lead, trailing;
    };
    Groups g{};
    switch (b.symbology) {
      case 6: g = {1, 6, 7, 6, true, false}; break;
      case 21: g = {1, 5, 6, 5, true, true}; break;
      case 5: g = {0, 4, 4, 4, false, false}; break;
      default: g = {1, 6, 0, 0, true, true}; break;  // UPC-E
    }
    if (g.lead) add(digits.Left(1), X0, ty, A);
    const bool upcE = b.symbology == 22;
    const int boxFrom = upcE ? D : D + b.threeModules / 2;
    const int boxTo = upcE ? D + E - b.threeModules * 2 / 3 : D + E / 2;
    const int H = boxTo - boxFrom;
    SIZE probe{};
    const AString left = digits.Mid(g.leftFrom, g.leftCount);
    HrPiece(b, left, setup, &probe);
    const int leftX = X0 + b.textLeft + (upcE ? 0 : b.threeModules / 2) + (H - probe.cx) / 2;
    add(left, leftX, ty, 0);
    if (g.rightCount) add(digits.Mid(g.rightFrom, g.rightCount), leftX + H, ty, 0);
    if (g.trailing) add(digits.Right(1), D + E, ty, A);
    if (addOn && !supplement.IsEmpty()) out.push_back(AddOnDigitsPiece(b, supplement, setup, A));
  }
  for (size_t i = first; i < out.size(); ++i) {
    CTextField& t = *out[i];
    const POINT at = RotatePointScreen(t.offset.x, t.offset.y, rotation / 1000.0, X0, Y0);
    t.offset = {at.x, at.y};
    t.SetRotation(rotation);
  }
  return static_cast<int>(out.size() - first);
}

SIZE MeasureBarcodeField(CBarcodeField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags) {
  std::unique_ptr<CField> clone;
  CBarcodeField* b = &field;
  if (!(flags & kMeasureStoredData)) {
    if (IsVariableDataField(field, 0) || field.dataSourceType == ToShort(DataSourceType::kLinkToFile)) {
      clone = CloneField(&field, 0, 0);
      b = static_cast<CBarcodeField*>(clone.get());
      GetFieldDesignValue(*b, list, setup, -1);
    } else if (field.useHibc) {
      GetFieldDesignValue(field, list, setup, -1);
    }
  }
  SIZE result{0, 0};
  const int32_t rotation = b->rotation;
  const bool hrLine = b->showHr && b->designerDrawsText && !Is2DBCode(b->symbology, b->subType) &&
                      HasHumanReadableFields(b->symbology);
  // A field's size is its unturned size: the outline turns it.
  b->rotation = 0;
  if (!hrLine) {
    b->textHeight = 0;
    b->hrGapWidth = 0;
    POINT px{};
    RenderBarcodeToBitmap(b, DpiX(setup), 0, &px, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
    result = ToMils({px.x, px.y}, setup);
  } else {
    POINT px{};
    const int32_t barsTextHeight = b->textHeight;
    RenderBarcodeToBitmap(b, DpiX(setup), 0, &px, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
    BuildBarcodeHrText(b);
    CTextField probe;
    TextFieldFromBarcodeHr(probe, *b);
    probe.dataSourceType = 0;
    probe.SetRotation(0);
    const SIZE text = MeasureTextExtent(probe, setup, nullptr, false);
    b->hrWidth = text.cx;
    b->textHeight = text.cy;
    // The symbol's extent follows its text row (the outer digits of EAN and
    // UPC stand beside the bars at the text's size): bars measured with
    // another text height are measured again, so that measuring twice gives
    // the same size.
    // Rendering writes the library's own text back; the line's text is
    // built again after it, as after the first.
    if (text.cy != barsTextHeight) {
      RenderBarcodeToBitmap(b, DpiX(setup), 0, &px, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
      BuildBarcodeHrText(b);
    }
    const SIZE bars = ToMils({px.x, px.y}, setup);
    // In 64 bits and bounded: the sizes come from a layout file.
    auto bounded = [](int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, -2000000000, 2000000000)); };
    const int64_t total = int64_t{text.cy} + b->barHeight + b->textGap +
                          (b->symbology == 11 ? 2 * int64_t{b->bearerWidth} : 0);
    result = {std::max(bars.cx, text.cx), std::max(bars.cy, bounded(total))};
    b->hrGapWidth = text.cx > bars.cx ? bounded(int64_t{text.cx} - bars.cx) : 0;
  }
  b->rotation = rotation;
  if (b->symbology == 24) result.cy = 160;
  if (b != &field) {
    field.encodeResult = b->encodeResult;
    field.hrWidth = b->hrWidth;
    field.hrGapWidth = b->hrGapWidth;
    field.textHeight = b->textHeight;
  }
  if (flags & kMeasureDevice)
    result = {MilsToDevice(result.cx, DpiX(setup)), MilsToDevice(result.cy, DpiY(setup))};
  return result;
}

SIZE GetImageFileSize(const char* path) {
  if (!path || !*path) return {0, 0};
  try {
    PLAnyPicDecoder decoder;
    PLAnyBmp bmp;
    if (!decoder.MakeBmpFromFile(path, &bmp, 32)) return {0, 0};
    return {bmp.GetWidth(), bmp.GetHeight()};
  } catch (...) {
    return {0, 0};
  }
}

SIZE GetImageFieldSize(const CImageField& field, const CLabelSetup& setup) {
  if (field.dataSourceType == ToShort(DataSourceType::kPromptBeforePrint) ||
      field.dataSourceType == ToShort(DataSourceType::kDatabase))
    return {750, 520};
  AString path;
  field.GetFilePath(path);
  return ToMils(GetImageFileSize(path.GetData()), setup);
}

SIZE MeasureField(CField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags) {
  SIZE size{field.width, field.height};
  switch (field.Kind()) {
    case FieldKind::kText:
    case FieldKind::kParagraph: return MeasureTextField(field, list, setup, flags);
    case FieldKind::kBarcode: return MeasureBarcodeField(static_cast<CBarcodeField&>(field), list, setup, flags);
    case FieldKind::kImage: size = GetImageFieldSize(static_cast<CImageField&>(field), setup); break;
    case FieldKind::kRtf:
      size = MeasureFieldWithSampleData(static_cast<CRtfField&>(field), list, setup, flags);
      break;
    default: break;  // lines, boxes, ellipses keep their box
  }
  if (flags & kMeasureDevice) size = {MilsToDevice(size.cx, DpiX(setup)), MilsToDevice(size.cy, DpiY(setup))};
  return size;
}

int GetDefaultHrFontHeight(const CBarcodeField& f) {
  const double group = IsUPCEANGroup(f.symbology) ? f.narrowBar * 5.0 : std::floor(f.narrowBar) * 10.0;
  return static_cast<int>(std::lround(group * 2.3));
}

int AdjustFontHeight(CField& field, int step) {
  LOGFONTA* font = nullptr;
  if (field.IsKind(FieldKind::kText)) font = &static_cast<CTextField&>(field).logFont;
  else if (field.IsKind(FieldKind::kBarcode)) font = &static_cast<CBarcodeField&>(field).hrLogFont;
  else if (field.IsKind(FieldKind::kParagraph)) font = &static_cast<CParagraphField&>(field).logFont;
  if (!font) return 0;
  const LONG before = font->lfHeight;
  font->lfHeight = std::max<LONG>(1, font->lfHeight + step);
  return font->lfHeight != before;
}

int FitParagraphFontToHeight(CParagraphField& p, const CLabelSetup& setup, HDC dc) {
  int direction = 0;
  for (int round = 0; round < 10000; ++round) {
    const int h = LayoutFieldText(p, setup, dc, 0, 0, 0, 0, kMeasureLayoutOnly).size.cy;
    const int diff = p.height - h;
    if (diff == 0) break;
    if (direction == 0) direction = diff > 0 ? 1 : -1;
    if (direction < 0) {
      if (diff >= 0 || !AdjustFontHeight(p, -1)) break;
    } else {
      if (diff < 0) {
        AdjustFontHeight(p, -1);
        break;
      }
      AdjustFontHeight(p, +1);
    }
  }
  const SIZE measured = LayoutFieldText(p, setup, dc, 0, 0, 0, 0, kMeasureLayoutOnly).size;
  if (p.fitFont && measured.cy > p.height) p.height = measured.cy;
  return 1;
}
