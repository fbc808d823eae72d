#include "datasource/ui/prompt/maxicode_lists.h"

#include "app/ui/ui_language.h"
#include "datasource/structured_checks.h"
#include "datasource/ui/prompt/prompt_list.h"
#include "fields/barcode/structured_parts.h"

namespace {

// Parts 0 to 6 stand in the first list.
constexpr size_t kFirstListParts = 7;
constexpr int kModeWithLetters = 3;

CPromptList* ListOf(const MaxiCodeLists& lists, size_t part) {
  return lists[part < kFirstListParts ? 0 : 1];
}

CPromptItem* RowOf(const MaxiCodeLists& lists, size_t part) {
  CPromptList* list = ListOf(lists, part);
  return list ? list->Item(static_cast<int>(part < kFirstListParts ? part : part - kFirstListParts)) : nullptr;
}

bool Filled(const MaxiCodeLists& lists) {
  return lists[0] && lists[1] && lists[0]->RowCount() + lists[1]->RowCount() == static_cast<int>(kUpsParts.size());
}

int MaximumOf(size_t part, int mode) {
  return part == 0 ? MaxiPostalCodeLength(mode) : kUpsParts[part].maximum;
}

// The row's text in the process code page (a rich edit's comes as UTF-16).
AString TextOf(CPromptItem& row) {
  AString text = row.GetText();
  if (text.IsWide()) text.ConvertToMultiByte(static_cast<int>(::GetACP()));
  text.TrimBoth();
  return text;
}

// The postal code's row after a change of mode: its length, its kind of
// characters and its text.
void FitPostalCode(CPromptItem& row, int mode) {
  row.m_maxLength = MaxiPostalCodeLength(mode);
  HWND edit = row.Editor();
  if (!edit) return;
  LONG style = ::GetWindowLongW(edit, GWL_STYLE) & ~(ES_UPPERCASE | ES_NUMBER);
  style |= mode == kModeWithLetters ? ES_UPPERCASE : ES_NUMBER;
  ::SetWindowLongW(edit, GWL_STYLE, style);
  if (row.m_source == kPartSourceFixed) ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(row.m_maxLength), 0);
  row.SetText(ShapeMaxiPostalCode(TextOf(row), mode, static_cast<uint8_t>(row.m_source)));
}

}  // namespace

void FillMaxiCodePartLists(const MaxiCodeLists& lists, int mode, const CBarcodeField& field, bool keepRows) {
  if (!lists[0] || !lists[1]) return;
  if (!Filled(lists)) {
    for (size_t part = 0; part < kUpsParts.size(); ++part) {
      CPromptList* list = ListOf(lists, part);
      const bool digits = part == 0 ? mode != kModeWithLetters : kUpsParts[part].numeric;
      const bool upper = part == 0 && mode == kModeWithLetters;
      auto* row = new CPromptItem;
      list->AddItem(row);
      row->Init(TranslateUiString(kUpsParts[part].name), field.upsField[part], -1, field.upsSource[part], PromptRowType::kPart, "", 1024, list, {},
                MaximumOf(part, mode), upper, digits);
    }
    for (CPromptList* list : lists) list->Invalidate();
    return;
  }
  if (keepRows || mode >= 4) return;
  FitPostalCode(*RowOf(lists, 0), mode);
  lists[0]->Invalidate();
}

int ReadMaxiCodePartLists(const MaxiCodeLists& lists, CBarcodeField& field, bool promptedOnly) {
  if (!Filled(lists)) return 0;
  for (size_t part = 0; part < kUpsParts.size(); ++part) {
    CPromptItem& row = *RowOf(lists, part);
    if (promptedOnly) {
      if (row.m_source == kPartSourcePrompt) field.upsField[part] = TextOf(row);
      continue;
    }
    field.upsField[part] = TextOf(row);
    field.upsSource[part] = static_cast<uint8_t>(row.m_source);
  }
  return 1;
}

int SelectMaxiCodePart(const MaxiCodeLists& lists, int n) {
  if (!Filled(lists) || n < 0 || n >= static_cast<int>(kUpsParts.size())) return 0;
  CPromptList* list = ListOf(lists, static_cast<size_t>(n));
  list->MakeCurrent(n < static_cast<int>(kFirstListParts) ? n : n - static_cast<int>(kFirstListParts), true);
  return 1;
}
