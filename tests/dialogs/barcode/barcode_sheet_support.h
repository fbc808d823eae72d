// Support of the barcode sheet's tests: the sheet run around a working field
// with a script acting on it as a person would (tabs, lists, edits, OK), the
// messages it shows recorded, and a field's stored record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"
#include "dialogs/barcode/barcode_sheet.h"
#include "fields/records/field_list_stream.h"
#include "fields/services/label_setup.h"
#include "fields/services/ui_messages.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"

namespace barcode_sheet_test {

inline std::string PicturePath(const std::string& name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/dialogs";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder + "/" + name;
}

// The shipped language files in one language for a scope; English after.
class LanguageScope {
 public:
  explicit LanguageScope(int language) {
    SetUiLanguageFolder(TAV_UI_LANGUAGE_DIR);
    SetUiLanguageFile(language);
    CreateUiFonts(true);
  }
  ~LanguageScope() {
    SetUiLanguageFile(kUiEnglish);
    CreateUiFonts(true);
  }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;
};

// The numbers of the field code's messages, recorded instead of shown.
class FieldMessages {
 public:
  FieldMessages() { old_ = SetUiMessageHook(&Record); Current() = this; }
  ~FieldMessages() { SetUiMessageHook(old_); Current() = nullptr; }
  FieldMessages(const FieldMessages&) = delete;
  FieldMessages& operator=(const FieldMessages&) = delete;
  std::vector<UINT> ids;

 private:
  static FieldMessages*& Current() {
    static FieldMessages* current = nullptr;
    return current;
  }
  static int Record(HWND, const UiMessage& message) {
    if (Current()) Current()->ids.push_back(message.id);
    return IDOK;
  }
  UiMessageHook old_ = nullptr;
};

inline HWND PageWindow(HWND sheet, int index) {
  ::SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  uitest::RunUntilIdle();
  return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// Chooses the item whose data is `data`, as a person picking it from the list.
inline bool Choose(HWND page, int id, int data) {
  HWND combo = ::GetDlgItem(page, id);
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) != data) continue;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    uitest::RunUntilIdle();
    return true;
  }
  return false;
}

inline void ChooseIndex(HWND page, int id, int index) {
  HWND combo = ::GetDlgItem(page, id);
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  uitest::RunUntilIdle();
}

inline void Type(HWND page, int id, const std::string& text) {
  ::SetDlgItemTextA(page, id, text.c_str());
  uitest::RunUntilIdle();
}

inline void Click(HWND page, int id) {
  ::SendMessageW(::GetDlgItem(page, id), BM_CLICK, 0, 0);
  uitest::RunUntilIdle();
}

inline std::vector<int> ItemData(HWND page, int id) {
  HWND combo = ::GetDlgItem(page, id);
  std::vector<int> out;
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    out.push_back(static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
  return out;
}

inline std::string ItemText(HWND page, int id, int index) {
  char text[256] = {};
  ::SendMessageA(::GetDlgItem(page, id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

inline int Selected(HWND page, int id) {
  return static_cast<int>(::SendMessageW(::GetDlgItem(page, id), CB_GETCURSEL, 0, 0));
}

inline bool Visible(HWND page, int id) { return ::IsWindowVisible(::GetDlgItem(page, id)) != FALSE; }
inline bool Enabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }

// Presses OK; a message box the sheet shows meanwhile is answered and its
// text kept in `shown`.
inline void PressOk(HWND sheet) {
  ::SendMessageW(sheet, WM_COMMAND, IDOK, 0);
  uitest::RunUntilIdle();
}

// One run of the sheet: the first modal window is the sheet, which the
// script acts on; every later one (a message box, a dialog a page opens)
// goes to `nested`, or is closed with OK when there is none.
struct SheetRun {
  std::function<void(HWND)> script;
  std::function<void(HWND)> nested;
  std::vector<std::string> nestedCaptions;
  int modalCount = 0;
};

inline INT_PTR RunSheet(CLabelSetup& setup, CBarcodeField& working, bool newField, SheetRun& run,
                        SIZE* measured = nullptr) {
  const CFieldList fields;
  BarcodeSheetPages pages(setup, working, fields, newField);
  CMyPropSheet sheet(nullptr);
  sheet.SetTitle(TranslateUiString(BarcodeSheetTitle(working.useHibc != 0)).GetData());
  pages.AddTo(sheet);
  user::SetModalDialogHook(
      [](HWND window, void* context) {
        auto* r = static_cast<SheetRun*>(context);
        user::SetModalDialogHook(nullptr, nullptr);
        const int index = r->modalCount++;
        user::SetModalDialogHook(+[](HWND w, void* c) {
          auto* inner = static_cast<SheetRun*>(c);
          ++inner->modalCount;
          uitest::RunUntilIdle();
          char caption[128] = {};
          ::GetWindowTextA(w, caption, sizeof caption);
          inner->nestedCaptions.emplace_back(caption);
          if (inner->nested) inner->nested(w);
          else ::EndDialog(w, IDOK);
        }, r);
        uitest::RunUntilIdle();
        if (index == 0) r->script(window);
        if (::IsWindow(window)) ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      },
      &run);
  const INT_PTR result = sheet.DoModal();
  user::SetModalDialogHook(nullptr, nullptr);
  if (measured) *measured = pages.MeasuredSize();
  return result;
}

inline std::vector<uint8_t> RecordOf(const CField& field) {
  std::vector<uint8_t> bytes;
  AppendFieldRecord(bytes, field);
  return bytes;
}

}  // namespace barcode_sheet_test
