// Small control helpers the barcode pages share: lists filled from choices
// (translated or as they stand), selection by item data, and showing,
// hiding and enabling groups of controls.
#pragma once

#include <initializer_list>
#include <vector>

#include "dialogs/barcode/barcode_lists.h"
#include "dialogs/setup/field_sheet_page.h"
#include "fields/model/field_kinds.h"
#include "platform/framework.h"

enum class Words : bool { kAsTheyStand = false, kTranslated = true };

// Clears the combo and adds the choices with their data; selects nothing.
void FillChoices(HWND dialog, int id, const std::vector<ListChoice>& choices, Words words);
// Selects the first item whose data equals `data`; false (no selection
// change) when none does.
bool SelectData(HWND dialog, int id, int data);
void SelectIndex(HWND dialog, int id, int index);
int SelectedIndex(HWND dialog, int id);
// The selected item's data, or `otherwise` when nothing is selected.
int SelectedData(HWND dialog, int id, int otherwise);
void ShowControls(HWND dialog, std::initializer_list<int> ids, bool shown);
void EnableControls(HWND dialog, std::initializer_list<int> ids, bool enabled);
bool IsShown(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

// The sheet's working field when it is a barcode field, else null.
CBarcodeField* BarcodeFieldOf(const FieldSheetContext& context);
