#include "datasource/ui/structured/structured_grids.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/structured_checks.h"
#include "datasource/ui/prompt/prompt_item.h"
#include "fields/barcode/structured_parts.h"
#include "foundation/uifonts/ui_fonts.h"
#include "fields/barcode/symbology_catalogue.h"
#include "grid/grid_combo.h"

namespace {

constexpr int kPartCol = 0;
constexpr int kDataCol = 1;
constexpr int kSourceCol = 2;
constexpr int kSlots = 6;

struct SourceChoice {
  const char* text;
  int source;
};
constexpr SourceChoice kSources[] = {
    {"Fixed Data", kPartSourceFixed},
    {"Prompt Before Print", kPartSourcePrompt},
    {"Link/Expression", kPartSourceLinked},
};

CGridCell* CellAt(CGridCtrl& grid, int row, int col) { return dynamic_cast<CGridCell*>(grid.GetCell(row, col)); }

CGridCellCombo* ComboAt(CGridCtrl& grid, int row, int col) {
  return dynamic_cast<CGridCellCombo*>(grid.GetCell(row, col));
}

void SetReadOnly(CGridCtrl& grid, int row, int col, bool readOnly) {
  if (CGridCell* cell = CellAt(grid, row, col)) cell->SetReadOnly(readOnly);
}

// A drop list cell of the options (item data = value), showing the one whose
// value is `value` (the first when none is).
void MakeListCell(CGridCtrl& grid, int row, int col, const AArray<AString>& texts, const AArray<int>& values,
                  int value) {
  grid.SetCellType(row, col, RUNTIME_CLASS(CGridCellCombo));
  CGridCellCombo* cell = ComboAt(grid, row, col);
  cell->SetOptions(texts, &values);
  cell->SetStyle(CBS_DROPDOWNLIST);
  int chosen = 0;
  for (int i = 0; i < values.GetSize(); ++i)
    if (values[i] == value) chosen = i;
  cell->m_nSelected = chosen;
  grid.SetItemText(row, col, texts[chosen]);
}

// The value of the chosen option of a list cell, or `otherwise`.
int ChosenValue(CGridCtrl& grid, int row, int col, int otherwise) {
  const CGridCellCombo* cell = ComboAt(grid, row, col);
  if (!cell || cell->m_nSelected < 0 || cell->m_nSelected >= cell->m_ItemData.GetSize()) return otherwise;
  return cell->m_ItemData[cell->m_nSelected];
}

void MakeSourceCell(CGridCtrl& grid, int row, int source) {
  AArray<AString> texts;
  AArray<int> values;
  for (const SourceChoice& s : kSources) {
    texts.Add(TranslateUiString(s.text));
    values.Add(s.source);
  }
  MakeListCell(grid, row, kSourceCol, texts, values, source);
}

int RowSource(CGridCtrl& grid, int row) { return ChosenValue(grid, row, kSourceCol, kPartSourceFixed); }

// The part column and the data column share what the source column leaves.
void SizeColumns(CGridCtrl& grid, double partShare) {
  grid.AutoSizeColumn(kSourceCol);
  CRect client;
  grid.GetClientRect(&client);
  const int rest = client.Width() - grid.GetColumnWidth(kSourceCol);
  grid.SetColumnWidth(kPartCol, static_cast<int>(rest * partShare));
  grid.SetColumnWidth(kDataCol, rest - grid.GetColumnWidth(kPartCol));
}

// The grid shows interface texts: its cells take the interface font, whose
// character set draws them.
void StartGrid(CGridCtrl& grid, int rows, int fixedRows) {
  if (HFONT font = GuiFont()) grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  grid.DeleteAllItems();
  grid.SetColumnCount(3);
  grid.SetRowCount(rows);
  grid.SetFixedRowCount(fixedRows);
  grid.SetFixedColumnCount(0);
}

// A refused row's message over the page; 50050 names the data.
void ShowRefusal(CWnd* page, const PartMessage& message) {
  if (message.number == 0) return;
  std::vector<UiArg> args;
  if (message.number == 50050) args.emplace_back(TranslateUiString("Data"));
  for (const std::string& a : message.arguments) args.emplace_back(std::string_view(a));
  UiMessageBoxArgs(page, message.number, kMsgBoxOk, false, args.data(), args.size());
}

// Takes the rows read from a grid into the field; a refusal is shown.
template <class Rows, class Check>
int CheckRows(CWnd* page, CBarcodeField& field, const Rows& rows, bool promptedOnly, int* badRow, Check check) {
  PartMessage message;
  const int accepted = check(field, rows, promptedOnly, badRow, &message);
  if (!accepted) ShowRefusal(page, message);
  return accepted;
}

// The data and source cells' read-only states: at design time a prompted
// row's data is asked before printing; in the prompt dialog only the data of
// prompted rows is editable.
void SetDataAccess(CGridCtrl& grid, int row, bool promptedOnly) {
  const bool prompted = RowSource(grid, row) == kPartSourcePrompt;
  SetReadOnly(grid, row, kDataCol, promptedOnly ? !prompted : prompted);
  SetReadOnly(grid, row, kSourceCol, promptedOnly);
}

}  // namespace

bool CreateGridInPlaceOf(CGridCtrl& grid, CWnd* parent, int id) {
  HWND placeholder = ::GetDlgItem(parent->m_hWnd, id);
  if (!placeholder) return false;
  RECT place{};
  ::GetWindowRect(placeholder, &place);
  ::MapWindowPoints(nullptr, parent->m_hWnd, reinterpret_cast<POINT*>(&place), 2);
  const bool visible = (::GetWindowLongW(placeholder, GWL_STYLE) & WS_VISIBLE) != 0;
  ::DestroyWindow(placeholder);
  CGridCtrl::RegisterWindowClass();
  DWORD style = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL;
  if (visible) style |= WS_VISIBLE;
  if (!grid.Create(place, parent, static_cast<UINT>(id), style)) return false;
  ::SetWindowPos(grid.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

void SetupAiGrid(CGridCtrl& grid, const CBarcodeField& field, bool promptedOnly) {
  StartGrid(grid, kSlots + 1, 1);
  grid.SetItemText(0, kPartCol, TranslateUiString("Application Identifier"));
  grid.SetItemText(0, kDataCol, TranslateUiString("Data"));
  grid.SetItemText(0, kSourceCol, TranslateUiString("Data source"));

  const auto defs = GetAiDefinitions();
  AArray<AString> texts;
  AArray<int> values;
  texts.Add(TranslateUiString("None"));
  values.Add(-1);
  for (size_t i = 0; i < defs.size(); ++i) {
    char line[128];
    std::snprintf(line, sizeof line, "%4s   %s", defs[i].identifier, defs[i].title);
    texts.Add(AString(line));
    values.Add(static_cast<int>(i));
  }
  for (int slot = 0; slot < kSlots; ++slot) {
    const int row = slot + 1;
    const size_t s = static_cast<size_t>(slot);
    int chosen = -1;
    if (const typAIdef* def = FindAIDefinition(field.aiCode[s].GetData())) chosen = static_cast<int>(def - defs.data());
    MakeListCell(grid, row, kPartCol, texts, values, chosen);
    grid.SetItemText(row, kDataCol, field.aiData[s]);
    MakeSourceCell(grid, row, field.aiSource[s]);
    SetReadOnly(grid, row, kPartCol, promptedOnly);
    RefreshAiGridRow(grid, row, promptedOnly);
  }
  SizeColumns(grid, 0.5);
  grid.Refresh();
}

void RefreshAiGridRow(CGridCtrl& grid, int row, bool promptedOnly) {
  CGridCell* data = CellAt(grid, row, kDataCol);
  if (!data) return;
  const int index = ChosenValue(grid, row, kPartCol, -1);
  const auto defs = GetAiDefinitions();
  const bool ruled = index >= 0 && static_cast<size_t>(index) < defs.size() && RowSource(grid, row) != kPartSourceLinked;
  data->m_nLengthLimit = ruled ? defs[static_cast<size_t>(index)].maxLength : -1;
  data->m_bDigitsOnly = ruled && AiDigitsOnly(defs[static_cast<size_t>(index)]);
  SetDataAccess(grid, row, promptedOnly);
  grid.RedrawRow(row);
}

int ApplyAiGrid(CWnd* page, CGridCtrl& grid, CBarcodeField& field, int* badRow, bool promptedOnly) {
  if (grid.GetRowCount() <= 1) return 1;
  const auto defs = GetAiDefinitions();
  std::array<AiRow, kSlots> rows{};
  for (int slot = 0; slot < kSlots && slot + 1 < grid.GetRowCount(); ++slot) {
    const int row = slot + 1;
    const int index = ChosenValue(grid, row, kPartCol, -1);
    AiRow& r = rows[static_cast<size_t>(slot)];
    if (index >= 0 && static_cast<size_t>(index) < defs.size()) r.code = defs[static_cast<size_t>(index)].identifier;
    r.data = grid.GetItemText(row, kDataCol);
    r.source = static_cast<uint8_t>(RowSource(grid, row));
  }
  return CheckRows(page, field, rows, promptedOnly, badRow, ApplyAiRows);
}

AString FormatInputRuleText(const typAIdef* rule) {
  if (!rule) return AString();
  std::string count = std::to_string(rule->minLength);
  if (rule->maxLength != rule->minLength) count += "-" + std::to_string(rule->maxLength);
  // One whole phrase per kind, so that a language puts the count and its
  // measure word where it needs them ("6 个数字字符", not "6 数字 个字符").
  const char* phrase = rule->charKinds == 1   ? "%s Numeric Characters"
                       : rule->charKinds == 2 ? "%s Alpha Characters"
                                              : "%s Alphanumeric Characters";
  const AString format = TranslateUiString(phrase);
  const UiArg countArg{std::string_view(count)};
  return FormatWithArgs(std::string_view(format.GetData(), static_cast<size_t>(format.GetLength())), &countArg, 1);
}

AString AiGridRowRule(CGridCtrl& grid, int row) {
  const int index = ChosenValue(grid, row, kPartCol, -1);
  const auto defs = GetAiDefinitions();
  if (index < 0 || static_cast<size_t>(index) >= defs.size()) return AString();
  return FormatInputRuleText(&defs[static_cast<size_t>(index)]);
}

void SetupHibcGrid(CGridCtrl& grid, const CBarcodeField& field, bool promptedOnly) {
  StartGrid(grid, kSlots, 0);
  for (int row = 0; row < kSlots; ++row) {
    const size_t r = static_cast<size_t>(row);
    const bool formatted = row == 3 || row == 4;
    if (formatted && !promptedOnly) {
      AArray<AString> texts;
      AArray<int> values;
      if (row == 3) {
        for (size_t i = 0; i < kHibcQuantityFormats.size(); ++i) {
          texts.Add(TranslateUiString(kHibcQuantityFormats[i].name));
          values.Add(static_cast<int>(i));
        }
      } else {
        const AString shown = TranslateUiString("Date Format: %s");
        for (size_t i = 0; i < kHibcDateFormats.size(); ++i) {
          const UiArg name(TranslateUiString(kHibcDateFormats[i].name));
          texts.Add(FormatWithArgs(std::string_view(shown.GetData(), static_cast<size_t>(shown.GetLength())), &name, 1));
          values.Add(static_cast<int>(i));
        }
      }
      MakeListCell(grid, row, kPartCol, texts, values, field.upsSource[row == 3 ? kHibcQuantityFormatSlot
                                                                                 : kHibcDateFormatSlot]);
    } else {
      grid.SetItemText(row, kPartCol, formatted ? AString() : TranslateUiString(kHibcRows[r].name));
      SetReadOnly(grid, row, kPartCol, true);
    }
    grid.SetItemText(row, kDataCol, field.aiData[r]);
    MakeSourceCell(grid, row, field.aiSource[r]);
    CGridCell* data = CellAt(grid, row, kDataCol);
    data->m_nLengthLimit = formatted ? (row == 3 ? 5 : 8) : kHibcRows[r].maximum;
    data->m_bDigitsOnly = row == 4;
    if (formatted && !promptedOnly) SetHibcDataCellLimit(grid, row, ChosenValue(grid, row, kPartCol, 0));
    SetDataAccess(grid, row, promptedOnly);
  }
  if (!promptedOnly) EnableHibcGridRows(grid, field);
  SizeColumns(grid, 0.4);
  grid.Refresh();
}

void SetHibcDataCellLimit(CGridCtrl& grid, int row, int formatIndex) {
  if (row != 3 && row != 4) return;
  const size_t f = static_cast<size_t>(formatIndex < 0 ? 0 : formatIndex);
  int length = 0;
  if (row == 3 && f < kHibcQuantityFormats.size()) length = kHibcQuantityFormats[f].length;
  if (row == 4 && f < kHibcDateFormats.size()) length = kHibcDateFormats[f].length;
  CGridCell* data = CellAt(grid, row, kDataCol);
  if (!data) return;
  data->m_nLengthLimit = length;
  data->m_bDigitsOnly = row == 4;
  if (length == 0) {
    grid.SetItemText(row, kDataCol, AString());
    SetReadOnly(grid, row, kDataCol, true);
    SetReadOnly(grid, row, kSourceCol, true);
  } else {
    SetDataAccess(grid, row, false);
  }
  grid.RedrawRow(row);
}

void RefreshHibcGridRow(CGridCtrl& grid, int row) {
  if (row == 3 || row == 4) SetHibcDataCellLimit(grid, row, ChosenValue(grid, row, kPartCol, 0));
  else SetDataAccess(grid, row, false);
  grid.RedrawRow(row);
}

void EnableHibcGridRows(CGridCtrl& grid, const CBarcodeField& field) {
  for (int row = 0; row < kSlots && row < grid.GetRowCount(); ++row) {
    const bool used = field.hibcForm == 0 || (field.hibcForm == 1 && row <= 2) || (field.hibcForm == 2 && row >= 3);
    const bool formatted = row == 3 || row == 4;
    if (!used) {
      for (int col = 0; col < 3; ++col) SetReadOnly(grid, row, col, true);
      continue;
    }
    if (formatted) {
      SetReadOnly(grid, row, kPartCol, false);
      SetHibcDataCellLimit(grid, row, ChosenValue(grid, row, kPartCol, 0));
    } else {
      SetDataAccess(grid, row, false);
    }
  }
  grid.Refresh();
}

int ApplyHibcGrid(CWnd* page, CGridCtrl& grid, CBarcodeField& field, int* badRow, bool promptedOnly) {
  if (grid.GetRowCount() <= 1) return 1;
  std::array<HibcRow, kSlots> rows{};
  for (int row = 0; row < kSlots && row < grid.GetRowCount(); ++row) {
    HibcRow& r = rows[static_cast<size_t>(row)];
    if (row == 3 || row == 4)
      r.formatIndex = ChosenValue(grid, row, kPartCol, field.upsSource[row == 3 ? kHibcQuantityFormatSlot
                                                                                : kHibcDateFormatSlot]);
    r.text = grid.GetItemText(row, kDataCol);
    r.source = static_cast<uint8_t>(RowSource(grid, row));
  }
  return CheckRows(page, field, rows, promptedOnly, badRow, ApplyHibcRows);
}

void NoteRowSources(CGridCtrl& grid, PromptedRowTexts& rows) {
  for (int row = 0; row < grid.GetRowCount() && row < static_cast<int>(rows.source.size()); ++row)
    rows.source[static_cast<size_t>(row)] = RowSource(grid, row);
}

void FollowRowSource(CGridCtrl& grid, int row, bool hibc, PromptedRowTexts& rows) {
  if (row < 0 || row >= static_cast<int>(rows.source.size()) || !CellAt(grid, row, kDataCol)) return;
  const size_t r = static_cast<size_t>(row);
  const int source = RowSource(grid, row);
  const int previous = rows.source[r];
  rows.source[r] = source;
  if (source == kPartSourcePrompt && previous != kPartSourcePrompt) {
    rows.kept[r] = grid.GetItemText(row, kDataCol);
    int count = 8;
    if (!hibc) {
      const int index = ChosenValue(grid, row, kPartCol, -1);
      const auto defs = GetAiDefinitions();
      if (index >= 0 && static_cast<size_t>(index) < defs.size())
        count = std::min(defs[static_cast<size_t>(index)].maxLength, 30);
    }
    grid.SetItemText(row, kDataCol, AString(std::string(static_cast<size_t>(std::max(count, 0)), 'X').c_str()));
  } else if (source != kPartSourcePrompt && previous == kPartSourcePrompt) {
    grid.SetItemText(row, kDataCol, rows.kept[r] ? *rows.kept[r] : AString());
    rows.kept[r].reset();
  }
  if (hibc) RefreshHibcGridRow(grid, row);
  else RefreshAiGridRow(grid, row, false);
  if (source == kPartSourceLinked && previous != kPartSourceLinked) grid.SetFocusCell(row, kDataCol);
}
