#include "fields/geometry/resize_content.h"

#include <algorithm>
#include <vector>

#include "barcode/kalvo.h"
#include "fields/barcode/barcode_fit.h"
#include "fields/design/design_values.h"
#include "fields/measure/field_measure.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_data.h"
#include "fields/richtext/rich_text_host.h"
#include "fields/richtext/rtf_field.h"
#include "fields/richtext/rtf_fit.h"
#include "fields/services/label_setup.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr int kWidthTolerance = 3;   // mils
constexpr int kFitRounds = 10000;
constexpr int kNormalWidth = 10000;  // percent x 100
constexpr int kNarrowestWidth = 1000;

CLabelSetup SetupAt(int dpi) {
  CLabelSetup setup;
  setup.dpiX = setup.dpiY = dpi;
  return setup;
}

int ViewDpi(const IDesignView* view, HDC screen) {
  if (view && view->ZoomX() > 0) return view->ZoomX();
  return std::max(1, screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96);
}

// The average character width of the field's font at normal width, in mils.
int AverageWidthMils(const CTextField& field, HDC dc, int dpi) {
  CTextField normal;
  normal.logFont = field.logFont;
  normal.logFont.lfWidth = 0;
  const LOGFONTA lf = TextFontAt(normal, dc, dpi);
  UniqueFont font(CreateFontIndirectA(&lf));
  TEXTMETRICA tm{};
  {
    SelectScope select(dc, font.get());
    GetTextMetricsA(dc, &tm);
  }
  return std::max(1, static_cast<int>(static_cast<long long>(tm.tmAveCharWidth) * 1000 / dpi));
}

void FitText(CTextField& t, HDC dc, int dpi, int keepMinimum) {
  t.logFont.lfHeight = std::max(2, t.height * 72 / 1000);
  t.logFont.lfWidth = FitTextWidthPercent(t, dc, dpi);
  if (keepMinimum) {
    const SIZE s = MeasureTextExtent(t, SetupAt(dpi), dc, false);
    t.width = s.cx;
    t.height = s.cy;
  }
}

void FitParagraph(CParagraphField& p, HDC dc, int dpi) {
  p.wrapWidth = p.width;
  CTextField blank;
  TextFieldFromParagraph(blank, p);
  blank.data = " ";
  const CLabelSetup setup = SetupAt(dpi);
  p.height = std::max<int32_t>(p.height, MeasureTextExtent(blank, setup, dc, false).cy);
  if (p.fitFont) FitParagraphFontToHeight(p, setup, dc);
}

void FitRtf(CRtfField& r, int keepMinimum) {
  if (!r.UsesDataSource(ToShort(DataSourceType::kPromptBeforePrint)) &&
      !r.UsesDataSource(ToShort(DataSourceType::kDatabase))) {
    if (r.fitFont) {
      FitRtfFontToHeight(r);
    } else {
      std::vector<uint8_t> text;
      if (r.width > 0 && ReadRtfFieldText(r, text)) {
        const int h = MeasureRichTextHeight(text.data(), static_cast<int>(text.size()), r.width);
        if (h > 0) r.height = h;
      }
    }
  }
  if (keepMinimum) r.picture.FreeBitmaps(1);
}

}  // namespace

bool StashShownValue(CField& field) {
  if (IsFieldDataComputed(field)) {
    field.StashData();
    GetFieldDesignValue(field, {}, CLabelSetup(), -1);
    field.dataSourceType = ToShort(DataSourceType::kFixedData);
    return true;
  }
  if (field.IsKind(FieldKind::kText)) {
    auto& t = static_cast<CTextField&>(field);
    if ((t.useFormatTemplate && !t.formatTemplate.IsEmpty()) || !t.prefix.IsEmpty() || t.numberFormat) {
      field.StashData();
      FormatTextFieldValue(t);
      return true;
    }
  }
  return false;
}

void RestoreShownValue(CField& field, bool stashed) {
  if (stashed) field.RestoreData();
}

int FitTextWidthPercent(CTextField& t, HDC dc, int dpi) {
  // Nothing to fill the box with: the width stays as it is.
  if (t.data.IsEmpty()) return t.logFont.lfWidth;
  const int characters = std::max(1, GetFieldDataLength(t));
  const int average = AverageWidthMils(t, dc, dpi);
  const CLabelSetup setup = SetupAt(dpi);
  int percent = std::max(1, t.width / characters * kNormalWidth / average);
  bool widening = false;
  int lastStep = 0;
  for (int round = 0; round < kFitRounds; ++round) {
    t.logFont.lfWidth = percent;
    const int measured = MeasureTextExtent(t, setup, dc, false).cx;
    if (measured <= 0) break;  // blanks or a font without widths: nothing to fit
    const int difference = t.width - measured;
    if (difference >= -kWidthTolerance && difference <= kWidthTolerance) break;
    // In the width's own unit (hundredths of a percent): a step in whole
    // percent would take thousands of measurements for one drag.
    const int step = difference * kNormalWidth / characters / 2 / average;
    if (difference < 0) {
      if (widening) {  // widened past the width: one step back
        percent -= lastStep;
        break;
      }
      percent += std::min(step, -1);
      if (percent <= kNarrowestWidth) {
        percent = kNormalWidth;
        break;
      }
    } else {
      widening = true;
      lastStep = std::max(step, 1);
      percent += lastStep;
    }
  }
  return percent;
}

void FitContentToResizedField(CField& f, const IDesignView* view, int keepMinimum) {
  WindowDc screen;
  const int dpi = ViewDpi(view, screen.get());
  switch (f.Kind()) {
    case FieldKind::kText:
      if (screen) FitText(static_cast<CTextField&>(f), screen.get(), dpi, keepMinimum);
      break;
    case FieldKind::kBarcode: {
      auto& b = static_cast<CBarcodeField&>(f);
      const CLabelSetup fallback;
      const CLabelSetup& setup = view && view->LabelSetup() ? *view->LabelSetup() : fallback;
      if (Is2DBCode(b.symbology, b.subType)) FitModulesToSize(b, setup, keepMinimum);
      else FitNarrowBarToWidth(b, setup, keepMinimum);
      b.FreeCachedBitmap();
      break;
    }
    case FieldKind::kParagraph:
      if (screen) FitParagraph(static_cast<CParagraphField&>(f), screen.get(), dpi);
      break;
    case FieldKind::kRtf:
      FitRtf(static_cast<CRtfField&>(f), keepMinimum);
      break;
    default:
      break;
  }
}
