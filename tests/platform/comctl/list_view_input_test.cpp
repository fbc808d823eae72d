// The list view driven as a person drives it: clicks, Ctrl and Shift,
// arrows, check boxes, header clicks, label editing; and the picture of a
// report list with check boxes and an edit in progress.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/testing/ui.h"
#include "tests/platform/comctl/notify_recorder.h"

namespace {

using comctltest::AddColumns;
using comctltest::AddRow;
using comctltest::ItemText;
using comctltest::Note;
using comctltest::Notes;

constexpr UINT S = LVIS_SELECTED, F = LVIS_FOCUSED;

HWND MakeFilled(HWND parent, DWORD style = 0) {
  const HWND list = comctltest::MakeList(parent, style);
  AddColumns(list, {{u"Name", 100}, {u"Folder", 150}});
  for (const char16_t* name : {u"Labels", u"Images", u"Counters", u"Stock", u"Data"}) AddRow(list, {name, u"/home"}, 0);
  Notes().Clear();
  return list;
}

POINT RowPoint(HWND list, int row, int x = 30) {
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  return POINT{x, (r.top + r.bottom) / 2};
}

std::vector<int> Selected(HWND list) {
  std::vector<int> rows;
  for (int i = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); i >= 0;
       i = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED)))
    rows.push_back(i);
  return rows;
}

int Focused(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

TEST(ListViewInput, ClicksAndKeysSelect) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  uitest::Click(list, RowPoint(list, 1));
  const std::vector<Note> click = {
      {NM_SETFOCUS, -1, -1, 0, 0, 0},
      {LVN_ITEMCHANGING, 1, 0, S | F, 0, LVIF_STATE},
      {LVN_ITEMCHANGED, 1, 0, S | F, 0, LVIF_STATE},
      {NM_CLICK, 1, 0, 0, 0, 0},
  };
  EXPECT_EQ(Notes().notes, click) << comctltest::Describe(Notes().notes);
  EXPECT_EQ(GetFocus(), list);

  struct Step {
    const char* what;
    int key;
    bool shift;
    bool control;
    std::vector<int> selected;
    int focused;
  } const steps[] = {
      {"down", VK_DOWN, false, false, {2}, 2},
      {"shift+down extends from the mark", VK_DOWN, true, false, {2, 3}, 3},
      {"shift+up back to the mark", VK_UP, true, false, {2}, 2},
      {"ctrl+down moves only the focus", VK_DOWN, false, true, {2}, 3},
      {"ctrl+space selects the focused row too", VK_SPACE, false, true, {2, 3}, 3},
      {"end", VK_END, false, false, {4}, 4},
      {"home", VK_HOME, false, false, {0}, 0},
      {"up at the top stays", VK_UP, false, false, {0}, 0},
  };
  for (const Step& s : steps) {
    uitest::Key(s.key, s.shift, s.control);
    EXPECT_EQ(Selected(list), s.selected) << s.what;
    EXPECT_EQ(Focused(list), s.focused) << s.what;
  }
  // Ctrl+click adds a row; Shift+click takes the range from the mark.
  uitest::KeyDown(VK_CONTROL);
  uitest::Click(list, RowPoint(list, 3));
  uitest::KeyUp(VK_CONTROL);
  EXPECT_EQ(Selected(list), (std::vector<int>{0, 3}));
  uitest::KeyDown(VK_SHIFT);
  uitest::Click(list, RowPoint(list, 1));
  uitest::KeyUp(VK_SHIFT);
  EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3}));
  // A click on no row clears the selection.
  uitest::Click(list, POINT{30, 180});
  EXPECT_TRUE(Selected(list).empty());
  DestroyWindow(parent);
}

TEST(ListViewInput, FullRowSelectionTakesClicksAnywhereInTheRow) {
  const HWND parent = comctltest::MakeParent();
  const HWND plain = MakeFilled(parent);
  uitest::Click(plain, RowPoint(plain, 2, 180));
  EXPECT_TRUE(Selected(plain).empty()) << "a sub-item is not the item without full-row selection";
  SendMessageW(plain, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  uitest::Click(plain, RowPoint(plain, 4, 180));  // another row: not taken for a double click
  EXPECT_EQ(Selected(plain), std::vector<int>{4});
  LVHITTESTINFO hit{RowPoint(plain, 3, 180), 0, 0, 0};
  EXPECT_EQ(SendMessageW(plain, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 3);
  EXPECT_EQ(hit.iSubItem, 1);
  EXPECT_EQ(hit.flags, LVHT_ONITEMLABEL);
  DestroyWindow(parent);
}

TEST(ListViewInput, CheckBoxesByClickAndSpace) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  LVHITTESTINFO hit{RowPoint(list, 2, 8), 0, 0, 0};
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
  EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);
  Notes().Clear();
  uitest::Click(list, RowPoint(list, 2, 8));
  EXPECT_TRUE(ListView_GetCheckState(list, 2));
  EXPECT_TRUE(Selected(list).empty()) << "the check box does not select";
  uitest::Click(list, RowPoint(list, 2, 8));
  EXPECT_FALSE(ListView_GetCheckState(list, 2));
  uitest::Click(list, RowPoint(list, 4));
  uitest::Key(VK_SPACE);
  EXPECT_TRUE(ListView_GetCheckState(list, 4)) << "Space checks the focused row";
  int changed = 0;
  for (const Note& n : Notes().notes) changed += n.code == LVN_ITEMCHANGED && (n.newState & LVIS_STATEIMAGEMASK) != (n.oldState & LVIS_STATEIMAGEMASK);
  EXPECT_EQ(changed, 3) << comctltest::Describe(Notes().notes);
  DestroyWindow(parent);
}

TEST(ListViewInput, HeaderClicksAreColumnClicks) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  uitest::Click(header, POINT{150, 5});
  ASSERT_EQ(Notes().Codes(), std::vector<UINT>{LVN_COLUMNCLICK}) << comctltest::Describe(Notes().notes);
  EXPECT_EQ(Notes().notes[0].subItem, 1);
  EXPECT_EQ(Notes().notes[0].item, -1);
  DestroyWindow(parent);
}

TEST(ListViewInput, DoubleClickActivates) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  uitest::DoubleClick(list, RowPoint(list, 3));
  const std::vector<UINT> codes = Notes().Codes();
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes[codes.size() - 2], NM_DBLCLK);
  EXPECT_EQ(codes.back(), LVN_ITEMACTIVATE);
  EXPECT_EQ(Notes().notes.back().item, 3);
  DestroyWindow(parent);
}

struct EditCase {
  const char* what;
  LRESULT answerEnd;  // the parent's answer to LVN_ENDLABELEDIT
  int endKey;         // VK_RETURN or VK_ESCAPE
  const char16_t* expectedText;
  bool textNull;
};

TEST(ListViewInput, LabelEditingTable) {
  const EditCase cases[] = {
      {"Enter, accepted", TRUE, VK_RETURN, u"Templates", false},
      {"Enter, refused by the parent", FALSE, VK_RETURN, u"Images", false},
      {"Escape cancels", TRUE, VK_ESCAPE, u"Images", true},
  };
  for (const EditCase& c : cases) {
    const HWND parent = comctltest::MakeParent();
    const HWND list = MakeFilled(parent, LVS_EDITLABELS);
    Notes().answers[LVN_ENDLABELEDITW] = c.answerEnd;
    const HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 1, 0));
    ASSERT_NE(edit, nullptr) << c.what;
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0)), edit);
    EXPECT_EQ(GetFocus(), edit);
    WCHAR text[32] = {};
    GetWindowTextW(edit, text, 32);
    EXPECT_EQ(std::u16string(text), u"Images") << "the edit starts with the label";
    uitest::TypeText(u"Templates");  // replaces the selected label
    uitest::Key(c.endKey);
    EXPECT_FALSE(IsWindow(edit)) << c.what;
    EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
    EXPECT_EQ(ItemText(list, 1), c.expectedText) << c.what;
    EXPECT_EQ(Notes().editTextNull, c.textNull) << c.what;
    if (!c.textNull) {
      EXPECT_EQ(Notes().editText, u"Templates") << c.what;
    }
    std::vector<UINT> edits;
    for (UINT code : Notes().Codes())
      if (code == LVN_BEGINLABELEDITW || code == LVN_ENDLABELEDITW) edits.push_back(code);
    EXPECT_EQ(edits, (std::vector<UINT>{LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW})) << c.what;
    DestroyWindow(parent);
  }
}

TEST(ListViewInput, LabelEditingRefusedOrStartedByKeysAndClicks) {
  // Every click of this test on the virtual clock, well apart from those of
  // earlier tests: a click the system still remembers would make the first one
  // here a double click.
  uitest::VirtualClock clock;
  clock.Advance(GetDoubleClickTime() + 1);
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent, LVS_EDITLABELS);
  Notes().answers[LVN_BEGINLABELEDITW] = TRUE;
  EXPECT_EQ(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0) << "the parent refuses";
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
  Notes().answers.clear();

  uitest::Click(list, RowPoint(list, 2));
  uitest::Key(VK_F1 + 1);  // F2
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr) << "F2 edits the focused row";
  SetFocus(list);  // losing the focus ends the edit, keeping the text
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_FALSE(Notes().editTextNull);

  // A slow second click on the current row edits it once the double-click time has passed.
  clock.Advance(GetDoubleClickTime() + 1);
  uitest::Click(list, RowPoint(list, 2));
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
  clock.Advance(GetDoubleClickTime() + 1);
  edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
  EXPECT_NE(edit, nullptr);
  SendMessageW(list, LVM_EDITLABELW, static_cast<WPARAM>(-1), 0);  // cancels
  EXPECT_TRUE(Notes().editTextNull);
  EXPECT_EQ(ItemText(list, 2), u"Counters");
  DestroyWindow(parent);
}

TEST(ListViewInput, AnAnsiParentEditsInAnsi) {
  const HWND parent = comctltest::MakeParent(true);
  const HWND list = MakeFilled(parent, LVS_EDITLABELS);
  Notes().answers[LVN_ENDLABELEDITA] = TRUE;
  const HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELA, 0, 0));
  ASSERT_NE(edit, nullptr);
  uitest::TypeText(u"R\u00E9sum\u00E9s");
  uitest::Key(VK_RETURN);
  EXPECT_EQ(Notes().editText, u"R\u00E9sum\u00E9s");
  EXPECT_EQ(ItemText(list, 0), u"R\u00E9sum\u00E9s");
  std::vector<UINT> edits;
  for (UINT code : Notes().Codes())
    if (code == LVN_BEGINLABELEDITA || code == LVN_ENDLABELEDITA || code == LVN_BEGINLABELEDITW) edits.push_back(code);
  EXPECT_EQ(edits, (std::vector<UINT>{LVN_BEGINLABELEDITA, LVN_ENDLABELEDITA}));
  DestroyWindow(parent);
}

TEST(ListViewPicture, ReportWithCheckBoxesAndAnEditInProgress) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = comctltest::MakeList(parent, LVS_EDITLABELS | LVS_SHOWSELALWAYS | WS_BORDER, 360, 220);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  AddColumns(list, {{u"Printer", 120}, {u"Model", 120}, {u"Port", 60}});
  AddRow(list, {u"Office", u"Label 300", u"usb1"}, 1);
  AddRow(list, {u"Warehouse", u"Label 600", u"lp0"}, 2);
  AddRow(list, {u"Shipping", u"Thermal 2", u"net"}, 3);
  AddRow(list, {u"Archive", u"Laser", u"file"}, 4);
  ListView_SetCheckState(list, 0, TRUE);
  ListView_SetCheckState(list, 2, TRUE);
  uitest::Click(list, RowPoint(list, 1, 200));
  const HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 3, 0));
  ASSERT_NE(edit, nullptr);
  uitest::TypeText(u"Archive 2");
  uitest::RunUntilIdle();
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(uitest::SaveWindowPng(parent, folder + "/list_view_report.png"));
  // Row 1 is selected across the row; the window has lost the focus to the edit.
  const POINT selected = RowPoint(list, 1, 280);
  const COLORREF band = uitest::ClientPixel(list, selected.x, selected.y - 3);
  EXPECT_NE(band, GetSysColor(COLOR_WINDOW)) << "the selected row is marked";
  WCHAR text[32] = {};
  GetWindowTextW(edit, text, 32);
  EXPECT_EQ(std::u16string(text), u"Archive 2");
  DestroyWindow(parent);
}

}  // namespace
