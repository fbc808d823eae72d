// Owner-drawn combo boxes (CBS_OWNERDRAWFIXED, CBS_OWNERDRAWVARIABLE): what
// the owner is asked to measure (WM_MEASUREITEM) and to draw (WM_DRAWITEM),
// with the control type, id, item, item data and item state the
// documentation of the two messages and their structures gives.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"

namespace {

constexpr int kComboId = 61;
constexpr UINT kFieldHeight = 24, kItemHeight = 18;

struct Measured {
  UINT type, id, item;
  ULONG_PTR data;
  bool operator==(const Measured&) const = default;
};
struct Drawn {
  UINT type, id, item, state;
  bool field;  // drawn into the combo box itself (the selection field), not its list
  bool operator==(const Drawn&) const = default;
};
std::vector<Measured> measured;
std::vector<Drawn> drawn;
HWND theCombo = nullptr;

LRESULT OwnerProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      measured.push_back({m->CtlType, m->CtlID, m->itemID, m->itemData});
      // The selection field is taller; variable items grow with their position.
      m->itemHeight = m->itemID == static_cast<UINT>(-1) ? kFieldHeight : kItemHeight + m->itemID * 2;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      drawn.push_back({d->CtlType, d->CtlID, d->itemID, d->itemState, WindowFromDC(d->hDC) == theCombo});
      FillRect(d->hDC, &d->rcItem, GetSysColorBrush((d->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      if (d->itemState & ODS_FOCUS) DrawFocusRect(d->hDC, &d->rcItem);
      return TRUE;
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

HWND MakeOwner() {
  return uitest::CreateTestWindow({u"TavComboOwnerDrawParent", OwnerProc, COLOR_3DFACE}, u"owner",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300);
}

HWND MakeCombo(HWND owner, DWORD style) {
  measured.clear();
  drawn.clear();
  theCombo = CreateWindowExW(0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, 10, 160, 150, owner,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(kComboId)), nullptr, nullptr);
  return theCombo;
}

constexpr UINT kField = static_cast<UINT>(-1);

TEST(OwnerDrawnCombo, FixedItemsAreMeasuredOnceWhenMade) {
  const HWND owner = MakeOwner();
  const HWND combo = MakeCombo(owner, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
  ASSERT_NE(combo, nullptr);
  // The selection field first, then the list's items (asked as item 0).
  const std::vector<Measured> expected = {{ODT_COMBOBOX, kComboId, kField, 0}, {ODT_COMBOBOX, kComboId, 0, 0}};
  EXPECT_EQ(measured, expected);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), static_cast<LRESULT>(kFieldHeight));
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), static_cast<LRESULT>(kItemHeight));
  RECT r;
  GetWindowRect(combo, &r);
  EXPECT_EQ(r.bottom - r.top, static_cast<LONG>(kFieldHeight) + 6) << "the field's height and its 3-pixel edges";
  // Without CBS_HASSTRINGS an item is its data; adding asks nothing more.
  measured.clear();
  for (LPARAM data : {101, 102, 103}) SendMessageW(combo, CB_ADDSTRING, 0, data);
  EXPECT_TRUE(measured.empty());
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 102);
  // CB_SETITEMHEIGHT -1 sets the selection field; bad heights are refused.
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 30), 0);
  GetWindowRect(combo, &r);
  EXPECT_EQ(r.bottom - r.top, 30 + 6);
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 300), CB_ERR);
  DestroyWindow(owner);
}

TEST(OwnerDrawnCombo, VariableItemsAreMeasuredAsTheyComeWithTheirData) {
  const HWND owner = MakeOwner();
  const HWND combo = MakeCombo(owner, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS);
  const std::vector<Measured> made = {{ODT_COMBOBOX, kComboId, kField, 0}};
  EXPECT_EQ(measured, made) << "a variable list asks nothing until it has items";
  measured.clear();
  for (const char16_t* s : {u"one", u"two", u"three"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  ASSERT_EQ(measured.size(), 3u);
  for (UINT i = 0; i < 3; ++i) {
    EXPECT_EQ(measured[i].type, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(measured[i].id, static_cast<UINT>(kComboId));
    EXPECT_EQ(measured[i].item, i);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, i, 0), static_cast<LRESULT>(kItemHeight + i * 2));
  }
  DestroyWindow(owner);
}

// The selection field is drawn with ODS_COMBOBOXEDIT, selected and focused
// while the combo box has the focus, disabled when it is; the dropped list
// draws each item, the current one selected.
TEST(OwnerDrawnCombo, TheOwnerDrawsTheFieldAndTheListWithTheirStates) {
  const HWND owner = MakeOwner();
  const HWND combo = MakeCombo(owner, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
  for (LPARAM data : {101, 102, 103}) SendMessageW(combo, CB_ADDSTRING, 0, data);
  uitest::RunUntilIdle();
  struct Row {
    const char* what;
    std::function<void()> action;
    std::vector<Drawn> expected;  // the field's drawings, then the list's
  };
  const Row rows[] = {
      {"no current item, no focus: item -1 in the field",
       [&] { InvalidateRect(combo, nullptr, TRUE); },
       {{ODT_COMBOBOX, kComboId, kField, ODS_COMBOBOXEDIT, true}}},
      {"a current item, focused: selected and focused in the field",
       [&] {
         SendMessageW(combo, CB_SETCURSEL, 1, 0);
         SetFocus(combo);
       },
       {{ODT_COMBOBOX, kComboId, 1, ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS, true}}},
      {"disabled",
       [&] {
         SetFocus(owner);
         EnableWindow(combo, FALSE);
       },
       {{ODT_COMBOBOX, kComboId, 1, ODS_COMBOBOXEDIT | ODS_DISABLED, true}}},
  };
  for (const Row& r : rows) {
    drawn.clear();
    r.action();
    uitest::RunUntilIdle();
    std::vector<Drawn> fields;
    for (const Drawn& d : drawn)
      if (d.field) fields.push_back(d);
    ASSERT_FALSE(fields.empty()) << r.what;
    EXPECT_EQ(fields.back(), r.expected.back()) << r.what;
  }
  EnableWindow(combo, TRUE);
  SetFocus(combo);
  uitest::RunUntilIdle();
  drawn.clear();
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  uitest::RunUntilIdle();
  std::vector<Drawn> list;
  for (const Drawn& d : drawn)
    if (!d.field) list.push_back(d);
  ASSERT_EQ(list.size(), 3u) << "each item of the dropped list";
  for (UINT i = 0; i < 3; ++i) {
    EXPECT_EQ(list[i].type, static_cast<UINT>(ODT_COMBOBOX)) << i;
    EXPECT_EQ(list[i].id, static_cast<UINT>(kComboId)) << i;
    EXPECT_EQ(list[i].item, i);
    EXPECT_EQ((list[i].state & ODS_SELECTED) != 0, i == 1) << "only the current item is selected";
    EXPECT_EQ(list[i].state & (ODS_COMBOBOXEDIT | ODS_DISABLED), 0u) << i;
  }
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  DestroyWindow(owner);
}

}  // namespace
