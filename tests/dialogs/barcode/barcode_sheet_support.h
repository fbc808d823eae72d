// Support of the barcode sheet's tests: the sheet run through its runner
// with a script acting on it as a person would (tabs, lists, OK); every
// window it opens meanwhile (a message box, the rollover dialog) goes to a
// second script or is closed with OK.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/msg_box.h"
#include "datasource/ui/panel/panel_ids.h"
#include "dialogs/barcode/barcode_runner.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"
#include "grid/grid_ctrl.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/dialogs_test_support.h"

namespace barcode_sheet_test {

using namespace dialogstest;
using apptest::LanguageScope;

// The structured data's grid of a Barcode / Data page (IDC_BC_AI_GRID or
// IDC_BC_HIBC_GRID).
inline CGridCtrl* GridOf(HWND page, int id) {
  return dynamic_cast<CGridCtrl*>(CWnd::FromHandlePermanent(::GetDlgItem(page, id)));
}

// An existing UCC/EAN 128 Multi field whose first identifier is a GTIN.
inline std::unique_ptr<CBarcodeField> MultiFieldWithGtin(const CLabelSetup& setup) {
  auto field = std::make_unique<CBarcodeField>(setup.dpiX);
  field->name = "Barcode_1";
  field->symbology = 20;
  field->aiCode[0] = "01";
  field->aiData[0] = "12345678901231";
  return field;
}

// The data-source panel the Barcode / Data page hosts.
inline HWND PanelOf(HWND dataPage) { return ::FindWindowExW(dataPage, nullptr, u"#32770", nullptr); }

// Chooses the item whose data is `data`, as a person picking it from the list.
inline bool ChooseData(HWND page, int id, int data) {
  HWND combo = ::GetDlgItem(page, id);
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) != data) continue;
    Choose(page, id, i);
    uitest::RunUntilIdle();
    return true;
  }
  return false;
}

inline std::vector<int> ItemData(HWND page, int id) {
  HWND combo = ::GetDlgItem(page, id);
  std::vector<int> out;
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    out.push_back(static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
  return out;
}

inline int Selected(HWND page, int id) {
  return static_cast<int>(::SendMessageW(::GetDlgItem(page, id), CB_GETCURSEL, 0, 0));
}

inline bool Enabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }

inline void PressOk(HWND sheet) {
  ::SendMessageW(sheet, WM_COMMAND, IDOK, 0);
  uitest::RunUntilIdle();
}

// One run: the first modal window is the sheet, which `script` acts on;
// every later one goes to `nested`, or is closed with OK when there is none.
struct SheetRun {
  std::function<void(HWND)> script;
  std::function<void(HWND)> nested;
  std::vector<std::string> nestedCaptions;
  std::string caption;
  int modalCount = 0;
};

inline void NestedHook(HWND window, void* context) {
  auto* run = static_cast<SheetRun*>(context);
  // The hook serves one dialog at a time: a dialog opened from this one
  // comes here too.
  user::SetModalDialogHook(&NestedHook, run);
  ++run->modalCount;
  uitest::RunUntilIdle();
  char caption[128] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  run->nestedCaptions.emplace_back(caption);
  if (run->nested) run->nested(window);
  else ::EndDialog(window, IDOK);
}

inline void SheetHook(HWND window, void* context) {
  auto* run = static_cast<SheetRun*>(context);
  ++run->modalCount;
  user::SetModalDialogHook(&NestedHook, run);
  uitest::RunUntilIdle();
  char caption[128] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  run->caption = caption;
  run->script(window);
  if (::IsWindow(window)) ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

// The text of every message box shown meanwhile, each closed with OK.
inline void RecordBoxes(SheetRun& run, std::vector<std::string>& shown) {
  run.nested = [&shown](HWND box) {
    if (auto* b = dynamic_cast<CMsgBoxDlg*>(CWnd::FromHandlePermanent(box)))
      shown.emplace_back(b->m_text.GetData(), static_cast<size_t>(b->m_text.GetLength()));
    ::EndDialog(box, IDOK);
  };
}

// Runs the barcode runner on *field (null: a new field, handed back).
inline int RunSheet(CLabelSetup& setup, CField** field, int hibc, SheetRun& run,
                    std::unique_ptr<CField>* undo = nullptr) {
  CFieldList list;
  user::SetModalDialogHook(&SheetHook, &run);
  const int result = RunBarcodeSetupSheet(&setup, field, hibc, list, undo);
  user::SetModalDialogHook(nullptr, nullptr);
  return result;
}

}  // namespace barcode_sheet_test
