// Editing a cell in place as a person does: typing starts it with the first
// character, Enter, Tab and Esc end it, and the owner is asked and told.
#include <gtest/gtest.h>

#include "grid/grid_edit.h"
#include "grid_test_util.h"

using gridtest::Fixture;
using gridtest::Notice;

TEST(GridEdit, TypingReplacesTheTextFromTheFirstCharacter) {
  // Space and ( share their codes with navigation keys; they are characters.
  const char* const texts[] = {"(01)", " x", "!\"#$%&'(", "abc", "7"};
  for (const char* text : texts) {
    Fixture f(3, 3, 1, 1);
    f.Focus({1, 1});
    uitest::TypeText(std::string_view(text));
    EXPECT_NE(f.grid.GetEditorWindow(), nullptr) << text;
    uitest::Key(VK_RETURN);
    EXPECT_EQ(f.Cell(1, 1), text);
    EXPECT_TRUE(f.grid.GetModified(1, 1)) << text;
    EXPECT_EQ(f.grid.GetEditorWindow(), nullptr) << text;
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(1, 1)) << text;
  }
}

TEST(GridEdit, EndNoticesCarryOldAndNewNumbers) {
  Fixture f(3, 3, 1, 1);
  f.grid.SetItemText(1, 1, "12");
  f.Focus({1, 1});
  uitest::TypeText(std::string_view("15"));
  uitest::Key(VK_RETURN);
  EXPECT_EQ(f.owner.notices, (std::vector<Notice>{{GVN_BEGINLABELEDIT, 1, 1, -1, -1, -1},
                                                  {GVN_ENDLABELEDIT, 1, 1, 12, 15, -1},
                                                  {GVN_ENDLABELEDIT, 1, 1, 0, 0, 0}}));
  EXPECT_EQ(f.Cell(1, 1), "15");
}

TEST(GridEdit, UnchangedTextSendsNoEndNoticeOfItsOwn) {
  Fixture f(3, 3, 1, 1);
  f.grid.SetModified(false);
  f.Focus({1, 1});
  uitest::TypeText(std::string_view("r"));
  uitest::TypeText(std::string_view("1c1"));
  uitest::Key(VK_RETURN);
  EXPECT_EQ(f.owner.Codes(GVN_ENDLABELEDIT), (std::vector<Notice>{{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0}}));
  EXPECT_FALSE(f.grid.GetModified(1, 1));
}

TEST(GridEdit, ARefusedEditLeavesTheCellUnmodified) {
  Fixture f(3, 3, 1, 1);
  f.grid.SetModified(false);
  f.owner.answer = [](const Notice& n) -> LRESULT { return n.code == GVN_ENDLABELEDIT && n.c == -1 ? -1 : 0; };
  f.Focus({1, 1});
  uitest::TypeText(std::string_view("new"));
  uitest::Key(VK_RETURN);
  EXPECT_EQ(f.Cell(1, 1), "r1c1");
  EXPECT_FALSE(f.grid.GetModified(1, 1));
  EXPECT_FALSE(f.grid.GetModified());
}

TEST(GridEdit, TheOwnerMayRefuseToBegin) {
  Fixture f(3, 3, 1, 1);
  f.owner.answer = [](const Notice& n) -> LRESULT { return n.code == GVN_BEGINLABELEDIT ? -1 : 0; };
  f.Focus({1, 1});
  uitest::TypeText(std::string_view("x"));
  EXPECT_EQ(f.grid.GetEditorWindow(), nullptr);
  EXPECT_EQ(f.Cell(1, 1), "r1c1");
}

TEST(GridEdit, EscapePutsTheTextBack) {
  Fixture f(3, 3, 1, 1);
  f.Focus({1, 1});
  uitest::TypeText(std::string_view("zzz"));
  uitest::Key(VK_ESCAPE);
  EXPECT_EQ(f.Cell(1, 1), "r1c1");
  EXPECT_EQ(f.grid.GetEditorWindow(), nullptr);
}

// Tab and, in an edit started by typing, an arrow end the edit and move on.
TEST(GridEdit, EndingKeysStoreAndMoveOn) {
  struct Case {
    int key;
    CGridCellId focus;
  };
  for (const Case& c : {Case{VK_TAB, {1, 2}}, Case{VK_DOWN, {2, 1}}, Case{VK_RIGHT, {1, 2}}}) {
    Fixture f(4, 3, 1, 1);
    f.Focus({1, 1});
    uitest::TypeText(std::string_view("q"));
    uitest::Key(c.key);
    EXPECT_EQ(f.Cell(1, 1), "q") << c.key;
    EXPECT_EQ(f.grid.GetFocusCell(), c.focus) << c.key;
  }
}

TEST(GridEdit, DigitsOnlyAndLengthLimit) {
  struct Case {
    bool digitsOnly;
    int limit;
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {
      {true, 0, "1a2b3", "123"},
      {false, 3, "abcdef", "abc"},
      {true, 2, "9x87", "98"},
  };
  for (const Case& c : cases) {
    Fixture f(3, 3, 1, 1);
    auto* cell = static_cast<CGridCell*>(f.grid.GetCell(1, 1));
    cell->m_bDigitsOnly = c.digitsOnly;
    cell->m_nLengthLimit = c.limit;
    f.Focus({1, 1});
    uitest::TypeText(std::string_view(c.typed));
    uitest::Key(VK_RETURN);
    EXPECT_EQ(f.Cell(1, 1), c.stored) << c.typed;
  }
}

TEST(GridEdit, ClickOnTheFocusCellEditsWithTheTextSelected) {
  Fixture f(3, 3, 1, 1);
  f.Focus({1, 1});
  RECT rect;
  ASSERT_TRUE(f.grid.GetCellRect(1, 1, &rect));
  uitest::Click(f.grid.m_hWnd, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  HWND editor = f.grid.GetEditorWindow();
  ASSERT_NE(editor, nullptr);
  DWORD start = 0, end = 0;
  ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
  // Started by the mouse, the arrows move the caret instead of ending.
  uitest::Key(VK_LEFT);
  EXPECT_EQ(f.grid.GetEditorWindow(), editor);
  uitest::TypeText(std::string_view("X"));
  uitest::Key(VK_RETURN);
  EXPECT_EQ(f.Cell(1, 1), "Xr1c1");
}

TEST(GridEdit, ReadOnlyCellsAndNonEditableGridsAreNotEdited) {
  Fixture f(3, 3, 1, 1);
  static_cast<CGridCell*>(f.grid.GetCell(1, 1))->SetReadOnly(true);
  f.Focus({1, 1});
  uitest::TypeText(std::string_view("x"));
  EXPECT_EQ(f.grid.GetEditorWindow(), nullptr);
  f.grid.SetEditable(false);
  f.grid.SetFocusCell(1, 2);
  uitest::TypeText(std::string_view("x"));
  EXPECT_EQ(f.grid.GetEditorWindow(), nullptr);
}
