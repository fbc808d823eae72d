#include "datasource/ui/structured/maxicode_lists.h"

#include "app/ui/ui_language.h"
#include "datasource/structured_checks.h"
#include "fields/barcode/structured_parts.h"

namespace {

constexpr int kPartsInFirst = 7;

CPromptItem* PartRow(CPromptList& first, CPromptList& second, int n) {
  return n < kPartsInFirst ? first.Item(n) : second.Item(n - kPartsInFirst);
}

// A row's text as the field keeps a part: narrow, trimmed at both ends.
AString PartText(CPromptItem& row) {
  AString text = row.GetText();
  if (text.IsWide()) text.ConvertToMultiByte(static_cast<int>(::GetACP()));
  text.TrimBoth();
  return text;
}

// The postal code's edit: digits only, or upper case in mode 3; Fixed Data
// no longer than the mode allows.
void ShapePostalRow(CPromptItem& row, int mode) {
  row.m_maxLength = MaxiPostalCodeLength(mode);
  if (HWND edit = row.Editor()) {
    LONG style = ::GetWindowLongW(edit, GWL_STYLE) & ~(ES_NUMBER | ES_UPPERCASE);
    style |= mode == 3 ? ES_UPPERCASE : ES_NUMBER;
    ::SetWindowLongW(edit, GWL_STYLE, style);
    if (row.m_source == kPartSourceFixed)
      ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(row.m_maxLength), 0);
  }
  row.SetText(ShapeMaxiPostalCode(PartText(row), mode, static_cast<uint8_t>(row.m_source)));
}

}  // namespace

void FillMaxiCodePartLists(CPromptList& first, CPromptList& second, int mode, const CBarcodeField& field,
                           bool keepRows) {
  if (first.RowCount() == 0 && second.RowCount() == 0) {
    for (size_t i = 0; i < kUpsParts.size(); ++i) {
      CPromptList& list = i < kPartsInFirst ? first : second;
      auto* row = new CPromptItem;
      list.AddItem(row);
      const bool postal = i == 0;
      const int maxLength = postal ? MaxiPostalCodeLength(mode) : kUpsParts[i].maximum;
      row->Init(TranslateUiString(kUpsParts[i].name), field.upsField[i], -1, field.upsSource[i], PromptRowType::kPart,
                AString(), 256, &list, {}, maxLength, postal && mode == 3,
                kUpsParts[i].numeric && !(postal && mode == 3));
    }
    first.Invalidate();
    second.Invalidate();
    return;
  }
  if (keepRows || mode >= 4) return;
  if (CPromptItem* postal = first.Item(0)) ShapePostalRow(*postal, mode);
  first.Invalidate();
}

int ReadMaxiCodePartLists(CPromptList& first, CPromptList& second, CBarcodeField& field, bool promptedOnly) {
  for (size_t i = 0; i < kUpsParts.size(); ++i) {
    CPromptItem* row = PartRow(first, second, static_cast<int>(i));
    if (!row) continue;
    if (promptedOnly) {
      if (row->m_source == kPartSourcePrompt) field.upsField[i] = PartText(*row);
      continue;
    }
    field.upsField[i] = PartText(*row);
    field.upsSource[i] = static_cast<uint8_t>(row->m_source);
  }
  return 1;
}

int SelectMaxiCodePart(CPromptList& first, CPromptList& second, int n) {
  if (first.RowCount() == 0 && second.RowCount() == 0) return 0;
  if (n < kPartsInFirst) first.MakeCurrent(n, true);
  else second.MakeCurrent(n - kPartsInFirst, true);
  return 1;
}
