// What the field dialog tests share: the messages the dialogs show, recorded
// instead of shown; typing into and clicking controls as a person would;
// the folder the pictures go to; and a command's enabled state as the menus
// would ask for it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fields/records/field_list_stream.h"
#include "app/ui/ui_language.h"
#include "fields/services/ui_messages.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace dialogstest {

// The interface languages each dialog's pictures are taken in, with the
// suffix of the picture's file name.
struct PictureLanguage {
  int language;
  const char* suffix;
};
inline constexpr PictureLanguage kPictureLanguages[] = {{kUiEnglish, "en"}, {kUiChineseSimplified, "zh"}};

// Records every numbered message instead of showing it, for its lifetime.
class MessageRecorder {
 public:
  MessageRecorder() {
    self_ = this;
    old_ = SetUiMessageHook(&MessageRecorder::Hook);
  }
  ~MessageRecorder() {
    SetUiMessageHook(old_);
    self_ = nullptr;
  }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;
  std::vector<UiMessage> shown;
  UINT Last() const { return shown.empty() ? 0 : shown.back().id; }

 private:
  static int Hook(HWND, const UiMessage& message) {
    if (self_) self_->shown.push_back(message);
    return IDOK;
  }
  static inline MessageRecorder* self_ = nullptr;
  UiMessageHook old_ = nullptr;
};

inline std::string PicturePath(const std::string& name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/dialogs";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder + "/" + name;
}

inline std::string Text(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// Replaces an edit's (or an editable combo's) text, as typing would.
inline void Type(HWND dialog, int id, const std::string& text) {
  HWND control = ::GetDlgItem(dialog, id);
  ASSERT_NE(control, nullptr) << "no control " << id;
  ::SetWindowTextA(control, text.c_str());
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
}

inline void Press(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

inline bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

inline void SetCheck(HWND dialog, int id, bool on) {
  if (Checked(dialog, id) != on) Press(dialog, id);
}

inline bool Shown(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }

// Chooses a combo entry by index, as a person picking it.
inline void Choose(HWND dialog, int id, int index) {
  HWND combo = ::GetDlgItem(dialog, id);
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// A press on a spinner: up (towards larger values) or down.
inline void Spin(HWND dialog, int scrollBarId, bool up) {
  ::SendMessageA(dialog, WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN,
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, scrollBarId)));
}

// The page a property sheet shows, and turning to page index.
inline HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

inline HWND ShowPage(HWND sheet, int index) {
  ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  uitest::RunUntilIdle();
  return CurrentPage(sheet);
}

// How many random fields of each kind an untouched OK is tried on in each
// unit of measure: a thousand a kind, half in inches, half in millimetres.
// Each unit is a test suite of its own (a ctest entry of its own),
// instantiated as below with the layout's DefaultUnits value; under the
// sanitizers a sheet's open and OK costs about 70 ms, so an entry takes
// about 35 s of one core.
inline constexpr int kRoundTripFields = 500;
enum RoundTripUnit : int { kRoundTripInches = 1, kRoundTripMillimetres = 2 };

inline std::vector<uint8_t> RecordBytes(const CField& field) {
  std::vector<uint8_t> bytes;
  AppendFieldRecord(bytes, field);
  return bytes;
}

// A data string as UTF-16, whether the field keeps it wide or narrow (ASCII).
inline std::u16string DataText(const AString& data) {
  std::u16string out;
  const char* bytes = data.GetData();
  if (data.IsWide()) {
    // A wide string's length counts its bytes.
    for (int i = 0; i + 1 < data.GetLength(); i += 2)
      out.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8));
  } else {
    for (int i = 0; i < data.GetLength(); ++i) out.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i])));
  }
  return out;
}

// Whether the command is on, as a menu would ask the target.
inline bool CommandEnabled(CCmdTarget* target, UINT id) {
  struct Probe : CCmdUI {
    bool enabled = false;
    void Enable(BOOL on) override {
      enabled = on != FALSE;
      m_bEnableChanged = TRUE;
    }
  } probe;
  probe.m_nID = id;
  probe.DoUpdate(target, TRUE);
  return probe.enabled;
}

}  // namespace dialogstest

// One suite per unit of measure for a round-trip test parameterised by the
// layout's DefaultUnits value: "Inches/<Suite>" and "Millimetres/<Suite>".
#define TAV_ROUND_TRIP_UNITS(Suite)                                                             \
  INSTANTIATE_TEST_SUITE_P(Inches, Suite, ::testing::Values(::dialogstest::kRoundTripInches)); \
  INSTANTIATE_TEST_SUITE_P(Millimetres, Suite, ::testing::Values(::dialogstest::kRoundTripMillimetres))
