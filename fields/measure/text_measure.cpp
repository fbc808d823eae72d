#include "fields/measure/text_measure.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "fields/design/design_values.h"
#include "fields/draw/text_draw.h"
#include "fields/geometry/units.h"
#include "fields/measure/measure_dc.h"
#include "fields/model/field_data.h"
#include "foundation/geometry/rotation.h"
#include "foundation/util/value_format.h"
#include "platform/gdi/gdi_owners.h"

namespace {

int DpiOf(const CLabelSetup& setup) { return setup.dpiX > 0 ? setup.dpiX : 300; }

// The extent in pixels of a text field's string with its font at dpi.
SIZE ExtentAt(const CTextField& field, HDC dc, int dpi) {
  const int oldMap = SetMapMode(dc, MM_TEXT);
  const LOGFONTA lf = TextFontAt(field, dc, dpi);
  UniqueFont font(CreateFontIndirectA(&lf));
  SIZE size{0, 0};
  {
    SelectScope select(dc, font.get());
    size = field.data.GetTextExtent(dc);
  }
  SetMapMode(dc, oldMap);
  return size;
}

bool IsSourceOneOf(const CField& f, std::initializer_list<DataSourceType> types) {
  for (DataSourceType t : types)
    if (f.dataSourceType == ToShort(t)) return true;
  return false;
}

}  // namespace

LOGFONTA TextFontAt(const CTextField& field, HDC dc, int dpi) {
  LOGFONTA lf = field.logFont;
  // In double, bounded: a height read from a file may be anything.
  lf.lfHeight = -static_cast<LONG>(std::clamp(dpi * static_cast<double>(field.logFont.lfHeight) / 72.0, -1e9, 1e9));
  const LONG percent = field.logFont.lfWidth;
  lf.lfWidth = 0;
  if (percent != 0 && percent != 10000 && dc) {
    UniqueFont probe(CreateFontIndirectA(&lf));
    TEXTMETRICA tm{};
    {
      SelectScope select(dc, probe.get());
      GetTextMetricsA(dc, &tm);
    }
    lf.lfWidth = static_cast<LONG>((static_cast<long long>(tm.tmAveCharWidth) * percent + 5000) / 10000);
  }
  return lf;
}

SIZE MeasureTextExtent(const CTextField& field, const CLabelSetup& setup, HDC given, bool device) {
  MeasureDc dc(setup, given);
  if (!dc.get()) return {0, 0};
  const int dpi = DpiOf(setup);
  SIZE s = ExtentAt(field, dc.get(), dpi);
  if (!device) {
    s.cx = static_cast<LONG>(static_cast<long long>(s.cx) * 1000 / dpi);
    s.cy = static_cast<LONG>(static_cast<long long>(s.cy) * 1000 / dpi);
  }
  return s;
}

void FormatTextFieldValue(CTextField& field) {
  if (field.useFormatTemplate && !field.formatTemplate.IsEmpty()) {
    FormatValueBySpec(field.data, field.formatTemplate.GetData());
  } else if (field.numberFormat) {
    FormatNumberDecimals(field.data, field.decimalPlaces, field.showSign != 0);
  }
  if (!field.prefix.IsEmpty()) field.data = field.prefix + field.data;
}

SIZE MeasureTextField(CField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags) {
  AString kept;
  GetFieldData(kept, field);
  const int16_t keptMax = field.maxChars;
  bool substituted = false;
  const bool stored = (flags & (kMeasureStoredData | kMeasureRawData)) != 0;
  bool wanted = false;
  if (!stored && IsFieldDataComputed(field)) {
    using T = DataSourceType;
    wanted = IsSourceOneOf(field, {T::kPromptBeforePrint, T::kChooseFromList, T::kDate, T::kTime, T::kLinkExpression,
                                   T::kDatabase, T::kPortWatch, T::kStringsInFile, T::kLinkToFile});
    if (field.IsKind(FieldKind::kText)) {
      const auto& t = static_cast<const CTextField&>(field);
      wanted = wanted || (field.dataSourceType == 0 && t.data.IsWide() && !t.windowsFont);
    }
  }
  if (wanted || (flags & kMeasureForceDesign)) {
    GetFieldDesignValue(field, list, setup, -1);
    substituted = true;
    if (!IsSourceOneOf(field, {DataSourceType::kFixedData, DataSourceType::kLinkExpression}))
      PadFieldDataToMaxLength(field);
  }
  SIZE size{0, 0};
  if (field.IsKind(FieldKind::kText)) {
    auto& t = static_cast<CTextField&>(field);
    if (!(flags & kMeasureStoredData) && !t.data.IsWide()) {
      const AString blanks(' ', std::max<int>(1, t.tabSpaces));
      t.data.Replace(AString("\t"), blanks);
      ReplaceControlChars(t.data, 'M');
    }
    if (!substituted && !(flags & kMeasureRawData)) FormatTextFieldValue(t);
    size = MeasureTextExtent(t, setup, nullptr, (flags & kMeasureDevice) != 0);
  } else if (field.IsKind(FieldKind::kParagraph)) {
    size = LayoutFieldText(static_cast<CParagraphField&>(field), setup, nullptr, 0, 0, 0, 0,
                           kMeasureLayoutOnly | 0x2 | (flags & kMeasureDevice))
               .size;
  }
  SetFieldData(field, kept);
  field.maxChars = keptMax;
  return size;
}

CTextField& TextFieldFromParagraph(CTextField& t, const CParagraphField& p) {
  t.CopyGeometryFrom(&p);
  t.foreColor = p.foreColor;
  t.backColor = p.backColor;
  t.dataSourceType = p.dataSourceType;
  t.previousDataSourceType = p.previousDataSourceType;
  t.doNotPrint = p.doNotPrint;
  t.lockPosition = p.lockPosition;
  t.inverse = p.inverse;
  t.name = p.name;
  t.prompt = p.prompt;
  t.dataLanguage = p.dataLanguage;
  t.anchor = p.anchor;
  t.data = p.data;
  t.fontName = p.fontName;
  t.logFont = p.logFont;
  t.windowsFont = p.richFlag;
  t.fontVariation = p.fontVariation;
  t.offsetUnit = p.offsetUnit;
  t.fontSpare1 = p.fontSpare1;
  t.fontSpare2 = p.fontSpare2;
  t.fntId = p.fntId;
  t.clockSource = p.clockSource;
  t.dateOffset = p.dateOffset;
  t.dateFormat = p.dateFormat;
  t.timeFormat = p.timeFormat;
  t.minChars = p.paragraphMinChars;
  t.maxChars = static_cast<int16_t>(p.maxLines * 8);
  return t;
}

namespace {

// A line start moved right by an indentation in mils. The indentation comes
// from the layout file and may be anything: it is held to the geometry's
// bounds and the sum to the int range.
int ShiftedBy(int x, int64_t mils, int dpi) {
  const int64_t moved = int64_t{x} + MilsToDevice(ClampCoordinate(mils), dpi);
  return static_cast<int>(std::clamp<int64_t>(moved, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

ParagraphLayout LayoutFieldText(CParagraphField& p, const CLabelSetup& setup, HDC given, int originX, int originY,
                                int dpiX, int dpiY, unsigned flags) {
  ParagraphLayout out;
  if (!dpiX) dpiX = DpiOf(setup);
  if (!dpiY) dpiY = dpiX;
  MeasureDc mdc(setup, given);
  HDC dc = mdc.get();
  if (!dc) return out;
  CTextField t;
  TextFieldFromParagraph(t, p);
  auto extent = [&](const AString& s) {
    t.data = s;
    return ExtentAt(t, dc, dpiX);
  };
  const SIZE blank = extent(AString(" "));
  const SIZE x = extent(AString("X"));
  // The spacing comes from the layout file: anything not a sane factor
  // gives no layout.
  const double spacing = x.cy * (p.lineSpacing + 1.0);
  if (!(spacing > 0 && spacing < 1e7)) return out;
  const int L = static_cast<int>(spacing);
  if (L <= 0 || x.cx <= 0) return out;
  const int left = MilsToDevice(p.offset.x, dpiX) + originX;
  const int top = MilsToDevice(p.offset.y, dpiY) + originY;
  const int wrap = MilsToDevice(p.wrapWidth, dpiX);
  const int right = ShiftedBy(left, p.wrapWidth, dpiX);
  const int boxHeight = MilsToDevice(p.height, dpiY);
  const bool measureOnly = (flags & kMeasureLayoutOnly) != 0;
  long long bottom = measureOnly ? (p.lineCount && !p.fitFont ? 1LL * p.lineCount * L + top : (1LL << 40))
                                 : 1LL * top + boxHeight;
  const int savedType = p.GetSavedData() ? p.previousDataSourceType : p.dataSourceType;
  if (savedType == ToShort(DataSourceType::kPromptBeforePrint) || savedType == ToShort(DataSourceType::kDatabase))
    bottom = 1LL * p.maxLines * L + top + L / 2;
  const int pivotX = left, pivotY = top;
  const double degrees = p.rotation / 1000.0;
  // The lines are drawn by a copy whose font is in device units; t keeps
  // points for measuring.
  CTextField drawn;
  TextFieldFromParagraph(drawn, p);
  drawn.logFont = TextFontAt(t, dc, dpiX);
  drawn.logFont.lfEscapement = drawn.logFont.lfOrientation = p.rotation / 100;

  auto emit = [&](const AString& text, int lx, int ly, int width) {
    if (measureOnly && !(flags & kMeasureLinesOut)) return;
    const POINT at = RotatePointScreen(lx, ly, degrees, pivotX, pivotY);
    drawn.data = text;
    if (!measureOnly) DrawTextFieldOnDC(dc, drawn, at.x, at.y, 0, (flags & 0x17) == 0, (flags & 1) ? 1u : 0u, 0);
    if (flags & kMeasureLinesOut) {
      auto line = std::make_unique<CTextField>();
      TextFieldFromParagraph(*line, p);
      line->data = text;
      line->offset = {DeviceToMils(lx - originX, dpiX), DeviceToMils(ly - originY, dpiY)};
      line->width = DeviceToMils(width, dpiX);
      line->height = DeviceToMils(L, dpiY);
      out.lines.push_back(std::move(line));
    }
  };

  auto toMils = [&](SIZE s) {
    if (flags & kMeasureDevice) return s;
    return SIZE{DeviceToMils(s.cx, dpiX), DeviceToMils(s.cy, dpiY)};
  };

  using T = DataSourceType;
  if (IsSourceOneOf(p, {T::kPromptBeforePrint, T::kChooseFromList, T::kCounterFile, T::kDate, T::kTime,
                        T::kLinkExpression, T::kDatabase, T::kPortWatch, T::kStringsInFile})) {
    const int n = std::max(1, measureOnly ? static_cast<int>(p.maxLines) : (L / 2 + boxHeight) / L);
    const int height = static_cast<int>(n * L - x.cy * p.lineSpacing);
    if (measureOnly) {
      out.size = toMils({wrap, height});
      return out;
    }
    p.maxLines = static_cast<int16_t>(n);
    const int k = std::max(1, wrap / x.cx) * 4 / 3;
    for (int i = 0; i < n; ++i) {
      AString line('X', k);
      if (i == n / 2) {
        line = AString("XX<") + DataSourceName(p.dataSourceType) + ">";
        if (k - 5 > 0) line += AString('X', k - 5);
      }
      emit(line, left, top + i * L, extent(line).cx);
    }
    out.size = toMils({wrap, height});
    return out;
  }

  const AString& text = p.data;
  const int n = text.GetLength();
  const char* s = text.GetData();
  int tpos = 0, lines = 0;
  int y = top;
  bool first = true;
  while (tpos < n) {
    int lineX = left;
    if (p.indent > 0 && first) lineX = ShiftedBy(left, p.indent, dpiX);
    if (p.indent < 0 && !first) lineX = ShiftedBy(left, -int64_t{p.indent}, dpiX);
    const int start = tpos;
    int end = tpos;
    int next = tpos;
    bool overflow = false;
    while (end < n) {
      if (s[end] == '\r' || s[end] == '\n') {
        next = end + ((s[end] == '\r' && end + 1 < n && s[end + 1] == '\n') ? 2 : 1);
        break;
      }
      const int width = extent(text.Mid(start, end + 1 - start)).cx;
      if (int64_t{lineX} + width > right) {
        overflow = true;
        break;
      }
      ++end;
      next = end;
      if (int64_t{lineX} + width == right) {
        overflow = end < n && s[end] != '\r' && s[end] != '\n';
        break;
      }
    }
    if (overflow) {
      if (!p.wordWrap) {
        int k = end;
        while (k < n && s[k] != '\r' && s[k] != '\n') ++k;
        next = k < n ? k + ((s[k] == '\r' && k + 1 < n && s[k + 1] == '\n') ? 2 : 1) : n;
      } else if (s[end] == ' ' || (end > start && s[end - 1] == ' ')) {
        next = end;
        while (next < n && s[next] == ' ') ++next;
      } else {
        int k = end - 1;
        while (k > start && s[k] != ' ') --k;
        if (k > start) {
          end = k + 1;  // the blank stays at the end of the line
          next = end;
        } else {
          next = end;  // a word longer than the line is broken
        }
      }
      if (next == start) next = start + 1;  // not even one character fits: take it anyway
      if (end == start) end = next;
    }
    AString line = text.Mid(start, end - start);
    SIZE size = extent(line);
    int drawX = lineX;
    if (!measureOnly) {
      const int indentShift = (p.indent > 0 && first) || (p.indent < 0 && !first)
                                  ? ShiftedBy(0, std::abs(int64_t{p.indent}), dpiX) : 0;
      const int free = static_cast<int>(std::max<int64_t>(int64_t{wrap} - size.cx - indentShift,
                                                           std::numeric_limits<int>::min()));
      if (p.anchor == 0) drawX += free / 2;
      if (p.anchor == 1) drawX += free;
      if (p.anchor == 2 && line.Find(' ') >= 0 && blank.cx > 0) {
        int extra = (wrap - size.cx) / blank.cx;
        while (extra > 0) {
          bool inserted = false;
          for (int i = 0; i < line.GetLength() && extra > 0; ++i) {
            if (line.GetData()[i] != ' ') continue;
            line.Insert(i, ' ');
            --extra;
            inserted = true;
            while (i < line.GetLength() && line.GetData()[i] == ' ') ++i;
          }
          if (!inserted) break;
        }
        size.cx = wrap;
      }
      if (p.anchor == 2) size.cx = wrap;
    }
    emit(line, drawX, y, size.cx);
    ++lines;
    first = false;
    tpos = next;
    y += L;
    // A next line that ends exactly on the limit still fits: with no extra
    // spacing a line is as high as the step, and counting it out would lose
    // the last line at every re-measure.
    if (y + x.cy > bottom) break;
  }
  if (bottom < (1LL << 40)) p.lineCount = static_cast<int16_t>(lines);
  out.size = toMils({wrap, lines * L});
  return out;
}

CTextField& TextFieldFromBarcodeHr(CTextField& t, CBarcodeField& b) {
  t.CopyGeometryFrom(&b);
  t.foreColor = b.foreColor;
  t.backColor = b.backColor;
  t.dataSourceType = b.dataSourceType;
  t.previousDataSourceType = b.previousDataSourceType;
  t.doNotPrint = b.doNotPrint;
  t.lockPosition = b.lockPosition;
  t.inverse = b.inverse;
  t.name = b.name;
  t.prompt = b.prompt;
  t.data = b.hrResult.IsEmpty() ? b.data : b.hrResult;
  t.fontVariation = b.hrFontVariation;
  t.formatTemplate = b.textMask;
  t.offsetUnit = b.offsetUnit;
  t.fontSpare1 = b.hrFontSpare1;
  t.fontSpare2 = b.hrFontSpare2;
  t.fntId = b.hrFntId;
  t.maxChars = b.maxChars;
  t.minChars = b.minChars;
  t.anchor = b.anchor;
  t.clockSource = b.clockSource;
  t.dateOffset = b.dateOffset;
  t.dateFormat = b.dateFormat;
  t.timeFormat = b.timeFormat;
  if (b.designerDrawsText) {
    t.windowsFont = b.hrFontSet;
    t.fontName = b.hrFontFace;
    t.logFont = b.hrLogFont;
  } else {
    t.windowsFont = 1;
    t.fontName = "Arial";
    t.logFont = MakeFieldLogFont(std::max(1, b.textHeight * 72 / 1000), 4);
    t.logFont.lfWidth = b.textHeight ? t.logFont.lfHeight * b.textWidth / b.textHeight : 0;
    t.logFont.lfEscapement = b.hrLogFont.lfEscapement;
  }
  return t;
}
