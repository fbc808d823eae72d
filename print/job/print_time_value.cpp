#include "print/job/print_time_value.h"

#include "app/counter/counter_text.h"
#include "datasource/data_folders.h"
#include "datasource/db_bindings.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"
#include "fields/services/field_services.h"
#include "print/job/print_context.h"

namespace {

using Source = DataSourceType;

bool Uses(const CField& f, Source s) { return f.UsesDataSource(static_cast<int16_t>(s)) != 0; }

// The value of the field's source for label n, when the source gives one.
bool SourceValue(int n, const CField& f, CPrintJob& job, AString* out) {
  if (Uses(f, Source::kDatabase)) return GetDbFieldValue(job.data, f, n, out) != 0;
  if (Uses(f, Source::kStringsInFile)) return GetStringsInFileValue(job.data, f, n, out) != 0;
  if (Uses(f, Source::kCounterFile)) {
    CCounterFileData counter;
    if (!ReadCounterFile(DataFilePath(DataFolder::kCounters, f.counterFile).GetData(), &counter)) return false;
    *out = counter.value;
    return true;
  }
  if (f.dataSourceType == static_cast<int16_t>(Source::kDate) ||
      f.dataSourceType == static_cast<int16_t>(Source::kTime)) {
    int width = 0;
    *out = FormatFieldDateTime(f, &width);
    return true;
  }
  return false;
}

// The counter advanced to label n; the layout's field follows a roll-over.
template <class Field>
void Count(int n, Field& copy, Field& original, int kind) {
  if (!copy.increment || n <= 0) return;
  int rolledOver = 0;
  const long long steps = static_cast<long long>(copy.increment) * n;
  copy.data = StepCounterText(copy.data, static_cast<int>(steps), kind, copy.rollover != 0, copy.rolloverLimit,
                              copy.rolloverResetTo, &rolledOver);
  if (rolledOver) original.data = copy.data;
}

}  // namespace

int FieldHasNoJobCounter(const CField& field) {
  if (field.IsKind(FieldKind::kText)) return static_cast<const CTextField&>(field).increment == 0;
  if (field.IsKind(FieldKind::kBarcode)) return static_cast<const CBarcodeField&>(field).increment == 0;
  return 1;
}

int IsLineOrBoxField(const CField& field) { return field.IsKind(FieldKind::kLine) || field.IsKind(FieldKind::kBox); }

int GetPrintTimeValue(int n, CField& copy, CField& original, CPrintJob& job) {
  int ownValue = 0;
  AString value;
  const bool sourced = SourceValue(n, copy, job, &value);
  if (copy.IsKind(FieldKind::kText)) {
    auto& text = static_cast<CTextField&>(copy);
    if (sourced) text.data = value;
    Count(n, text, static_cast<CTextField&>(original), text.counterType);
    if (!text.prefix.IsEmpty()) {
      AString prefixed = text.prefix;
      prefixed += text.data;
      text.data = prefixed;
    }
  } else if (copy.IsKind(FieldKind::kBarcode)) {
    auto& barcode = static_cast<CBarcodeField&>(copy);
    if (sourced) barcode.data = value;
    if (barcode.data.IsEmpty()) return 0;
    Count(n, barcode, static_cast<CBarcodeField&>(original), barcode.symbology == 0 ? 0 : barcode.counterType);
    ownValue = barcode.increment != 0 && !barcode.showHr;
  } else if (sourced && copy.IsKind(FieldKind::kParagraph)) {
    static_cast<CParagraphField&>(copy).data = value;
  }
  const SIZE size = MeasureField(copy, {}, *job.setup, 0);
  if (size.cx > 0 && size.cy > 0) {
    copy.width = size.cx;
    copy.height = size.cy;
  }
  return ownValue;
}
