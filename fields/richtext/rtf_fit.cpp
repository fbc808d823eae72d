#include "fields/richtext/rtf_fit.h"

#include <vector>

#include "fields/design/design_values.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_data.h"
#include "fields/richtext/rich_text_host.h"
#include "fields/richtext/rtf_field.h"

namespace {

// The rounds the fitting may take: far more steps than a font has sizes.
constexpr int kFitRounds = 1639;

int HeightAtStep(const std::vector<uint8_t>& text, int widthMils, int step) {
  return MeasureRichTextHeightStepped(text.data(), static_cast<int>(text.size()), widthMils, step);
}

}  // namespace

int FitRtfFontToHeight(CRtfField& field) {
  std::vector<uint8_t> text;
  if (field.width <= 0 || !ReadRtfFieldText(field, text)) return 0;
  int step = 0, kept = 0, direction = 0;
  for (int round = 0; round < kFitRounds; ++round) {
    const int height = HeightAtStep(text, field.width, step);
    kept = step;
    if (height == field.height) break;
    if (direction == 0) direction = height < field.height ? 1 : -1;
    if (direction < 0 && height < field.height) break;  // the first step that fits
    if (direction > 0 && height > field.height) {       // overflowed: the step before
      kept = step - 1;
      break;
    }
    step += direction;
  }
  field.fontSizeStep = static_cast<int16_t>(kept);
  return 1;
}

namespace {

bool IsSampledKind(FieldKind kind) {
  switch (kind) {
    case FieldKind::kText:
    case FieldKind::kBarcode:
    case FieldKind::kImage:
    case FieldKind::kParagraph:
    case FieldKind::kRtf: return true;
    default: return false;
  }
}

}  // namespace

bool UsesSampleData(const CField& field, unsigned flags) {
  if ((flags & kMeasureNoSampleData) || !IsFieldDataComputed(field)) return false;
  if (field.dataSourceType == ToShort(DataSourceType::kLinkToFile)) return true;
  return IsSampledKind(field.Kind()) && IsVariableSourceType(field.dataSourceType);
}

SIZE MeasureFieldWithSampleData(CRtfField& field, const CFieldList& list, const CLabelSetup& setup,
                                unsigned flags) {
  if (!UsesSampleData(field, flags)) return MeasureRtfFieldSize(field);
  AString own;
  GetFieldData(own, field);
  GetFieldDesignValue(field, list, setup, -1);
  const SIZE size = MeasureRtfFieldSize(field);
  SetFieldData(field, own);
  return size;
}
