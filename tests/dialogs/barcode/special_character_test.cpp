// "Insert Special Character" on the Barcode / Data page, used as a person
// would: the caret put in the data with the keyboard, the button clicked, a
// name picked from the popup of control characters with the arrow keys and
// Enter (or the popup dismissed with Esc), OK; the field's data afterwards
// holds the character itself. The button is enabled only for the codes that
// carry control characters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/barcode/barcode_ids.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"

namespace {

using namespace barcode_sheet_test;

std::unique_ptr<CBarcodeField> FieldOf(int symbology, int subType, const char* data, int16_t type = 0) {
  auto f = std::make_unique<CBarcodeField>(300);
  f->name = "Barcode_1";
  f->symbology = static_cast<int16_t>(symbology);
  f->subType = static_cast<int16_t>(subType);
  f->data = data;
  f->dataSourceType = type;
  f->offset = {500, 500};
  return f;
}

int Edit(CBarcodeField& field, std::function<void(HWND)> script) {
  CLabelSetup setup;
  SheetRun run;
  run.script = std::move(script);
  CField* edited = &field;
  return RunSheet(setup, &edited, field.useHibc, run);
}

// In the next popup: the screen saved (when a path is given), then `downs`
// presses of Down and the last key.
struct MenuPick {
  int downs = 0;
  int key = VK_RETURN;
  std::string picture;
  bool shown = false;
};

void PickInNextMenu(MenuPick& pick) {
  user::SetMenuLoopHook(
      [](HWND popup, void* context) {
        user::SetMenuLoopHook(nullptr, nullptr);
        auto* p = static_cast<MenuPick*>(context);
        p->shown = true;
        if (!p->picture.empty()) uitest::SaveScreenPng(p->picture);
        // The keys reach the popup as the keyboard's would, through its loop.
        for (int i = 0; i < p->downs; ++i) ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(popup, WM_KEYDOWN, static_cast<WPARAM>(p->key), 0);
      },
      &pick);
}

std::string Bytes(const AString& data) { return std::string(data.GetData(), static_cast<size_t>(data.GetLength())); }

TEST(BarcodeSpecialCharacter, EnabledForTheCodesThatCarryControlCharacters) {
  struct Row {
    const char* what;
    int symbology, subType;
    const char* data;
    bool enabled;
  };
  const Row rows[] = {
      {"Code 39 Full Ascii", 2, 0, "AB", true},   {"Code 39", 1, 0, "AB", false},
      {"Code 128, sub-type 0", 4, 0, "AB", true}, {"Code 128, sub-type 1", 4, 1, "AB", true},
      {"Code 128, sub-type 2", 4, 2, "AB", false}, {"UCC/EAN 128", 19, 0, "0112345678901231", true},
      {"EAN 128", 7, 0, "0112345678901231", true}, {"PDF 417", 27, 0, "AB", true},
      {"EAN13", 6, 0, "590123412345", false},      {"QR Code", 33, 0, "AB", false},
      {"Datamatrix", 29, 0, "AB", false},          {"Codabar", 0, 0, "123", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto f = FieldOf(row.symbology, row.subType, row.data);
    Edit(*f, [&](HWND sheet) {
      HWND panel = PanelOf(CurrentPage(sheet));
      ASSERT_NE(panel, nullptr);
      EXPECT_TRUE(Shown(panel, IDC_DS_SPECIAL_CHAR));
      EXPECT_EQ(Enabled(panel, IDC_DS_SPECIAL_CHAR), row.enabled);
    });
  }
}

TEST(BarcodeSpecialCharacter, ThePickedNameGoesInAtTheCaretAndOkStoresTheCharacter) {
  struct Row {
    const char* what;
    int symbology, subType;
    const char* data;
    int16_t type;
    std::vector<int> caretKeys;  // after Ctrl+Home in the data box
    int downs;                   // Down presses in the popup: item downs - 1, the byte `downs`
    int key;                     // Enter picks, Esc dismisses
    std::string shown;           // the box after the pick
    std::string stored;          // the field's data after OK
  };
  const Row rows[] = {
      {"Code 128: GS between A and B", 4, 0, "AB", 0, {VK_RIGHT}, 29, VK_RETURN, "A[gs]B", "A\x1D" "B"},
      {"Code 128: CR after the text", 4, 0, "AB", 0, {VK_RIGHT, VK_RIGHT}, 13, VK_RETURN, "AB[cr]",
       "AB\r"},
      {"PDF 417: EOT at the end", 27, 0, "HELLO", 0, {VK_END}, 4, VK_RETURN, "HELLO[eot]", "HELLO\x04"},
      {"Code 39 Full Ascii: SOH first", 2, 0, "AB", 0, {}, 1, VK_RETURN, "[soh]AB", "\x01" "AB"},
      {"Esc inserts nothing", 4, 0, "AB", 0, {VK_RIGHT}, 5, VK_ESCAPE, "AB", "AB"},
      {"Link/Expression: US into the expression", 4, 0, "X", 7, {VK_END}, 31, VK_RETURN, "X[us]", "X\x1F"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto f = FieldOf(row.symbology, row.subType, row.data, row.type);
    MenuPick pick;
    pick.downs = row.downs;
    pick.key = row.key;
    if (&row == &rows[0]) pick.picture = PicturePath("barcode_special_character_menu.png");
    std::string shown;
    const bool expression = row.type == 7;
    const int boxId = expression ? IDC_DS_EXPRESSION : IDC_DS_DATA;
    const int buttonId = expression ? IDC_DS_EXPRESSION_SPECIAL_CHAR : IDC_DS_SPECIAL_CHAR;
    ASSERT_EQ(Edit(*f, [&](HWND sheet) {
      HWND panel = PanelOf(CurrentPage(sheet));
      ASSERT_NE(panel, nullptr);
      HWND box = ::GetDlgItem(panel, boxId);
      HWND button = ::GetDlgItem(panel, buttonId);
      ASSERT_TRUE(::IsWindowVisible(button));
      ASSERT_TRUE(::IsWindowEnabled(button));
      uitest::Click(box);
      uitest::Key(VK_HOME, false, true);
      for (int key : row.caretKeys) uitest::Key(key);
      PickInNextMenu(pick);
      uitest::Click(button);
      EXPECT_TRUE(pick.shown) << "the popup came up";
      shown = Text(panel, boxId);
      EXPECT_EQ(::GetFocus(), box) << "the focus is back in the box";
      PressOk(sheet);
    }), 1);
    user::SetMenuLoopHook(nullptr, nullptr);
    EXPECT_EQ(shown, row.shown);
    EXPECT_EQ(Bytes(f->data), row.stored);
  }
}

}  // namespace
