// The Date and Time group: format, offset and offset unit. The clock is
// always the PC's; its list keeps that one entry and stays hidden.
#include <algorithm>
#include <array>

#include "app/ui/ui_language.h"
#include "datasource/date_time_format.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_sections.h"
#include "datasource/ui/panel/panel_text.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/model/field_kinds.h"
#include "foundation/window_helpers/dialog_helpers.h"

namespace {

constexpr int kLowestOffset = -9999;
constexpr std::array<ComboChoice, 3> kDateUnits = {{{"Days", kUnitDays}, {"Months", kUnitMonths}, {"Years", kUnitYears}}};
constexpr std::array<ComboChoice, 2> kTimeUnits = {{{"Hours", kUnitHours}, {"Minutes", kUnitMinutes}}};
constexpr std::array<ComboChoice, 1> kClocks = {{{"PC Clock", 0}}};

// The members a text or barcode field keeps for its date or time: the
// format text, the offset, the unit of each kind and the clock.
struct DateTimeMembers {
  AString* format = nullptr;
  int32_t* offset = nullptr;
  int16_t* dateUnit = nullptr;
  int16_t* timeUnit = nullptr;
  int16_t* clock = nullptr;
};

DateTimeMembers MembersOf(CField& field) {
  auto take = [](auto& k) { return DateTimeMembers{&k.offsetUnit, &k.dateOffset, &k.dateFormat, &k.timeFormat, &k.clockSource}; };
  if (field.IsKind(FieldKind::kText)) return take(static_cast<CTextField&>(field));
  if (field.IsKind(FieldKind::kBarcode)) return take(static_cast<CBarcodeField&>(field));
  if (field.IsKind(FieldKind::kParagraph)) return take(static_cast<CParagraphField&>(field));
  return {};
}

bool IsTimeType(int type) { return type == static_cast<int>(DataSourceType::kTime); }

}  // namespace

void InitDateTimeControls(HWND dialog, CField& field, int type) {
  const DateTimeMembers m = MembersOf(field);
  if (m.clock) *m.clock = 0;
  FillChoiceCombo(dialog, IDC_DS_CLOCK, kClocks, 0);
  ShowDlgItem(dialog, IDC_DS_CLOCK, SW_HIDE);
  FillDateTimeControls(dialog, field, type);
  EnableIncrementControls(dialog, false, false);
}

void FillDateTimeControls(HWND dialog, const CField& field, int type) {
  const DateTimeMembers m = MembersOf(const_cast<CField&>(field));
  if (!m.format) return;
  const bool isTime = IsTimeType(type);
  ::SendDlgItemMessageW(dialog, IDC_DS_FORMAT, CB_RESETCONTENT, 0, 0);
  const int count = isTime ? TimeFormatCount() : DateFormatCount();
  const auto* barcode = field.IsKind(FieldKind::kBarcode) ? static_cast<const CBarcodeField*>(&field) : nullptr;
  for (int i = 0; i < count; ++i) {
    const char* format = isTime ? TimeFormatAt(i) : DateFormatAt(i);
    if (barcode && !IsDateFormatValidForSymbology(barcode->symbology, barcode->subType, format)) continue;
    AddComboText(dialog, IDC_DS_FORMAT, AString(format), i);
  }
  SelectComboStringExact(dialog, IDC_DS_FORMAT, m.format->GetData(), -1);
  for (const int id : {IDC_DS_OFFSET, IDC_DS_OFFSET_SPIN, IDC_DS_UNIT, IDC_DS_OFFSET_CAPTION, IDC_DS_UNIT_CAPTION})
    ShowDlgItem(dialog, id, SW_SHOWNA);
  const int unit = isTime ? *m.timeUnit : *m.dateUnit;
  if (isTime) FillChoiceCombo(dialog, IDC_DS_UNIT, kTimeUnits, unit);
  else FillChoiceCombo(dialog, IDC_DS_UNIT, kDateUnits, unit);
  if (::GetWindowTextLengthW(::GetDlgItem(dialog, IDC_DS_OFFSET)) == 0)
    ::SetDlgItemInt(dialog, IDC_DS_OFFSET, static_cast<UINT>(std::max(*m.offset, kLowestOffset)), TRUE);
}

int ApplyDateTimeControls(HWND dialog, CField& field, int type) {
  const DateTimeMembers m = MembersOf(field);
  if (!m.format) return 1;
  *m.clock = static_cast<int16_t>(GetComboSelData(dialog, IDC_DS_CLOCK, 0));
  *m.offset = GetItemNumber(dialog, IDC_DS_OFFSET, 0);
  const int unitSelection = GetComboSel(dialog, IDC_DS_UNIT);
  AString format;
  const bool hasFormat = GetComboSelText(dialog, IDC_DS_FORMAT, &format);
  if ((unitSelection < 0 || !hasFormat) && *m.offset != 0) return 0;
  if (unitSelection >= 0) {
    const auto unit = static_cast<int16_t>(GetComboSelData(dialog, IDC_DS_UNIT, 0));
    (IsTimeType(type) ? *m.timeUnit : *m.dateUnit) = unit;
  }
  *m.format = hasFormat ? format : AString();
  return 1;
}
