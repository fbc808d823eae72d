// The rich-edit control through the test API: typing, keys, mouse
// selection, notifications by event mask, code-page text in and out, and a
// picture of the control with a selection and the caret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/richedit/plain_text.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"
#include "tests/platform/richedit/rich_edit_fixture.h"
#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richtest::Utf16;
using richtest::Utf8;

using richtest::Fixture;
using richtest::Note;
using richtest::Notes;

TEST(RichEditControl, TheClassesExistAndTakeTheirText) {
  for (const char16_t* name : {u"RichEdit20W", u"RichEdit20A"}) {
    Fixture f(name);
    ASSERT_NE(f.edit, nullptr);
    SetWindowTextW(f.edit, u"hello");
    EXPECT_EQ(f.Text(), u"hello");
    EXPECT_EQ(GetWindowTextLengthW(f.edit), 5);
  }
}

TEST(RichEditControl, TypingAndKeys) {
  struct Case {
    const char* what;
    const char* start;
    LONG selMin, selMax;
    std::vector<std::pair<int, int>> keys;  // virtual key, 1 shift / 2 control
    const char* typed;
    const char* text;
    CHARRANGE selection;
  };
  const Case cases[] = {
      {"typing at the end", "ab", 2, 2, {}, "cd", "abcd", {4, 4}},
      {"typing replaces the selection", "abcd", 1, 3, {}, "X", "aXd", {2, 2}},
      {"backspace", "abc", 3, 3, {{VK_BACK, 0}}, "", "ab", {2, 2}},
      {"delete", "abc", 0, 0, {{VK_DELETE, 0}}, "", "bc", {0, 0}},
      {"left and right", "abc", 3, 3, {{VK_LEFT, 0}, {VK_LEFT, 0}, {VK_RIGHT, 0}}, "", "abc", {2, 2}},
      {"shift+left selects", "abc", 3, 3, {{VK_LEFT, 1}, {VK_LEFT, 1}}, "", "abc", {1, 3}},
      {"home and end", "abc", 1, 1, {{VK_END, 0}}, "!", "abc!", {4, 4}},
      {"ctrl+a selects all", "abc", 1, 1, {{'A', 2}}, "", "abc", {0, 3}},
      {"enter starts a paragraph", "ab", 1, 1, {}, "\r", "a\nb", {2, 2}},
      {"a surrogate pair goes whole", "a😀", 3, 3, {{VK_BACK, 0}}, "", "a", {1, 1}},
      {"left over a surrogate pair", "a😀", 3, 3, {{VK_LEFT, 1}}, "", "a😀", {1, 3}},
  };
  for (const auto& c : cases) {
    Fixture f;
    SETTEXTEX how{ST_DEFAULT, 1200};
    const std::u16string start = Utf16(c.start);
    SendMessageW(f.edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(start.c_str()));
    SetFocus(f.edit);
    SendMessageW(f.edit, EM_SETSEL, c.selMin, c.selMax);
    for (const auto& [key, mods] : c.keys) uitest::Key(key, mods == 1, mods == 2);
    if (*c.typed) uitest::TypeText(std::string_view(c.typed));
    EXPECT_EQ(Utf8(f.Text()), c.text) << c.what;
    EXPECT_EQ(f.Selection().cpMin, c.selection.cpMin) << c.what;
    EXPECT_EQ(f.Selection().cpMax, c.selection.cpMax) << c.what;
  }
}

TEST(RichEditControl, NotificationsFollowTheEventMask) {
  struct Case {
    const char* what;
    DWORD mask;
    std::vector<Note> notes;
  };
  const Case cases[] = {
      {"none without a mask", ENM_NONE, {}},
      {"change", ENM_CHANGE, {{WM_COMMAND, EN_CHANGE}}},
      {"update and change", ENM_CHANGE | ENM_UPDATE, {{WM_COMMAND, EN_UPDATE}, {WM_COMMAND, EN_CHANGE}}},
      {"selection", ENM_SELCHANGE, {{WM_NOTIFY, EN_SELCHANGE, 1, 1}}},
      {"all", ENM_CHANGE | ENM_UPDATE | ENM_SELCHANGE,
       {{WM_COMMAND, EN_UPDATE}, {WM_COMMAND, EN_CHANGE}, {WM_NOTIFY, EN_SELCHANGE, 1, 1}}},
  };
  for (const auto& c : cases) {
    Fixture f;
    SendMessageW(f.edit, EM_SETEVENTMASK, 0, static_cast<LPARAM>(c.mask));
    SetFocus(f.edit);
    Notes().clear();
    uitest::TypeText(std::string_view("x"));
    EXPECT_EQ(Notes(), c.notes) << c.what;
  }
  // Focus comes and goes whatever the mask.
  Fixture f;
  Notes().clear();
  SetFocus(f.edit);
  SetFocus(f.parent);
  EXPECT_EQ(Notes(), (std::vector<Note>{{WM_COMMAND, EN_SETFOCUS}, {WM_COMMAND, EN_KILLFOCUS}}));
}

TEST(RichEditControl, CodePageTextInAndOut) {
  struct Case {
    UINT codePage;
    std::string bytes;
    const char* text;
  };
  const Case cases[] = {
      {936, "\xD6\xD0\xCE\xC4", "中文"},  {950, "\xA4\xA4\xA4\xE5", "中文"}, {932, "\x82\xA0\x82\xA2", "あい"},
      {949, "\xB0\xA1\xB3\xAA", "가나"},  {1252, "caf\xE9", "café"},
      {1200, std::string("\x2D\x4E\x87\x65\x00\x00", 6), "中文"},
  };
  for (const auto& c : cases) {
    Fixture f;
    SETTEXTEX how{ST_DEFAULT, c.codePage};
    SendMessageW(f.edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(c.bytes.data()));
    EXPECT_EQ(Utf8(f.Text()), c.text) << c.codePage;
    char out[64] = {};
    GETTEXTEX get{sizeof out, GT_DEFAULT, c.codePage, nullptr, nullptr};
    const LRESULT n = SendMessageW(f.edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(out));
    const size_t bytes = c.codePage == 1200 ? static_cast<size_t>(n) * 2 : static_cast<size_t>(n);
    EXPECT_EQ(std::string(out, bytes), c.codePage == 1200 ? c.bytes.substr(0, 4) : c.bytes) << c.codePage;
  }
}

TEST(RichEditControl, MouseSelectsAndAPictureShowsIt) {
  Fixture f;
  SETTEXTEX how{ST_DEFAULT, CP_ACP};
  SendMessageW(f.edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
               reinterpret_cast<LPARAM>(R"({\rtf1{\colortbl ;\red200\green0\blue0;}\fs24 Rich {\b bold} and )"
                                        R"({\cf1 red} text\par second line})"));
  uitest::RunUntilIdle();
  POINTL start{}, end{};
  SendMessageW(f.edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&start), 5);
  SendMessageW(f.edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&end), 9);
  EXPECT_GT(end.x, start.x);
  uitest::Drag(f.edit, POINT{start.x + 1, start.y + 4}, POINT{end.x + 1, end.y + 4});
  EXPECT_EQ(f.Selection().cpMin, 5);
  EXPECT_EQ(f.Selection().cpMax, 9);
  EXPECT_EQ(f.Text(GT_SELECTION), u"bold");
  uitest::RunUntilIdle();
  uitest::SaveWindowPng(f.parent, tavtest::BuildFolderPng("richedit_control_selection"));
  // The selection shows in the highlight colour.
  bool highlighted = false;
  for (int x = start.x; x < end.x && !highlighted; ++x) {
    highlighted = uitest::ClientPixel(f.edit, x, start.y + 2) == RGB(0, 120, 215);
  }
  EXPECT_TRUE(highlighted);
  // A click puts the caret down and empties the selection.
  uitest::Click(f.edit, POINT{end.x + 1, end.y + 4});
  EXPECT_EQ(f.Selection().cpMin, f.Selection().cpMax);
  uitest::RunUntilIdle();
  uitest::SaveWindowPng(f.parent, tavtest::BuildFolderPng("richedit_control_caret"));
}

TEST(RichEditControl, ReadOnlyTakesNoTyping) {
  Fixture f(u"RichEdit20W", ES_MULTILINE | ES_READONLY);
  SetWindowTextW(f.edit, u"fixed");
  SetFocus(f.edit);
  uitest::TypeText(std::string_view("x"));
  uitest::Key(VK_BACK);
  EXPECT_EQ(f.Text(), u"fixed");
}

}  // namespace

namespace {

TEST(RichEditControl, UndoKeepsItsLimit) {
  struct Case {
    const char* what;
    WPARAM limit;
    int undos;
    const char* text;
  };
  const Case cases[] = {
      {"one step back", 100, 1, "ab"},
      {"all the way back", 100, 5, ""},
      {"a limit of two", 2, 5, "a"},
      {"no undo with a limit of 0", 0, 5, "abc"},
  };
  for (const auto& c : cases) {
    Fixture f;
    EXPECT_EQ(SendMessageW(f.edit, EM_SETUNDOLIMIT, c.limit, 0), static_cast<LRESULT>(c.limit));
    SetFocus(f.edit);
    uitest::TypeText(std::string_view("abc"));
    EXPECT_EQ(SendMessageW(f.edit, EM_CANUNDO, 0, 0), c.limit ? TRUE : FALSE) << c.what;
    for (int i = 0; i < c.undos; ++i) SendMessageW(f.edit, EM_UNDO, 0, 0);
    EXPECT_EQ(Utf8(f.Text()), c.text) << c.what;
  }
  // Setting the text without ST_KEEPUNDO forgets what could be undone; with it, the change is a step.
  Fixture f;
  SETTEXTEX keep{ST_KEEPUNDO, 1200};
  SendMessageW(f.edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&keep), reinterpret_cast<LPARAM>(u"one"));
  SendMessageW(f.edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&keep), reinterpret_cast<LPARAM>(u"two"));
  EXPECT_EQ(SendMessageW(f.edit, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(f.Text(), u"one");
  SETTEXTEX plain{ST_DEFAULT, 1200};
  SendMessageW(f.edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&plain), reinterpret_cast<LPARAM>(u"three"));
  EXPECT_EQ(SendMessageW(f.edit, EM_CANUNDO, 0, 0), FALSE);
}

}  // namespace

namespace {

CHARFORMAT2W CharFormatOf(HWND edit, LONG from, LONG to) {
  CHARRANGE range{from, to};
  SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf;
}

// Each kind of change is one step back and one step forward again.
TEST(RichEditControl, RedoAndUndoOfFormatChanges) {
  struct Case {
    const char* what;
    void (*change)(HWND edit);
    bool (*changed)(HWND edit);
  };
  const Case cases[] = {
      {"typing",
       [](HWND) { uitest::TypeText(std::string_view("!")); },
       [](HWND edit) { return GetWindowTextLengthW(edit) == 6; }},
      {"bold on a selection",
       [](HWND edit) {
         SendMessageW(edit, EM_SETSEL, 0, 3);
         CHARFORMAT2W cf{};
         cf.cbSize = sizeof cf;
         cf.dwMask = CFM_BOLD;
         cf.dwEffects = CFE_BOLD;
         SendMessageW(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
       },
       [](HWND edit) { return (CharFormatOf(edit, 0, 3).dwEffects & CFE_BOLD) != 0; }},
      {"red everywhere",
       [](HWND edit) {
         CHARFORMAT2W cf{};
         cf.cbSize = sizeof cf;
         cf.dwMask = CFM_COLOR;
         cf.crTextColor = RGB(255, 0, 0);
         SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
       },
       [](HWND edit) { return CharFormatOf(edit, 1, 4).crTextColor == RGB(255, 0, 0); }},
      {"centred paragraph",
       [](HWND edit) {
         PARAFORMAT2 pf{};
         pf.cbSize = sizeof pf;
         pf.dwMask = PFM_ALIGNMENT;
         pf.wAlignment = PFA_CENTER;
         SendMessageW(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
       },
       [](HWND edit) {
         PARAFORMAT2 pf{};
         pf.cbSize = sizeof pf;
         SendMessageW(edit, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
         return pf.wAlignment == PFA_CENTER;
       }},
      {"larger font",
       [](HWND edit) {
         SendMessageW(edit, EM_SETSEL, 0, -1);
         SendMessageW(edit, EM_SETFONTSIZE, 4, 0);
       },
       [](HWND edit) { return CharFormatOf(edit, 0, 5).yHeight == 280; }},
  };
  for (const auto& c : cases) {
    Fixture f;
    SendMessageW(f.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"hello"));
    SetFocus(f.edit);
    SendMessageW(f.edit, EM_SETSEL, 5, 5);
    EXPECT_EQ(SendMessageW(f.edit, EM_CANREDO, 0, 0), FALSE) << c.what;
    c.change(f.edit);
    ASSERT_TRUE(c.changed(f.edit)) << c.what;
    EXPECT_EQ(SendMessageW(f.edit, EM_CANUNDO, 0, 0), TRUE) << c.what;
    EXPECT_EQ(SendMessageW(f.edit, EM_UNDO, 0, 0), TRUE) << c.what;
    EXPECT_FALSE(c.changed(f.edit)) << c.what;
    EXPECT_EQ(Utf8(f.Text()), "hello") << c.what;
    EXPECT_EQ(SendMessageW(f.edit, EM_CANREDO, 0, 0), TRUE) << c.what;
    EXPECT_EQ(SendMessageW(f.edit, EM_REDO, 0, 0), TRUE) << c.what;
    EXPECT_TRUE(c.changed(f.edit)) << c.what;
    EXPECT_EQ(SendMessageW(f.edit, EM_CANREDO, 0, 0), FALSE) << c.what;
  }
}

TEST(RichEditControl, ANewChangeForgetsWhatCouldBeRedone) {
  Fixture f;
  SetFocus(f.edit);
  uitest::TypeText(std::string_view("ab"));
  uitest::Key('Z', false, true);
  EXPECT_EQ(Utf8(f.Text()), "a");
  uitest::Key('Y', false, true);
  EXPECT_EQ(Utf8(f.Text()), "ab");
  uitest::Key('Z', false, true);
  uitest::TypeText(std::string_view("c"));
  EXPECT_EQ(SendMessageW(f.edit, EM_CANREDO, 0, 0), FALSE);
  EXPECT_EQ(SendMessageW(f.edit, EM_REDO, 0, 0), FALSE);
  EXPECT_EQ(Utf8(f.Text()), "ac");
}

}  // namespace
