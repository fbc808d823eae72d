// The edit control's text model without a window: tables of edits with the
// text, selection and result they leave.
#include <gtest/gtest.h>

#include <string>

#include "platform/user/controls/edit_buffer.h"

namespace {

using controls::EditBuffer;
using controls::EditOptions;
using controls::EditResult;

std::string Name(EditResult r) {
  switch (r) {
    case EditResult::Changed: return "Changed";
    case EditResult::Unchanged: return "Unchanged";
    case EditResult::Truncated: return "Truncated";
    case EditResult::Full: return "Full";
    case EditResult::Refused: return "Refused";
  }
  return "?";
}

// "ab|cd" marks the caret; "a[bc]d" a selection with the caret at ']';
// "a]bc[d" one with the caret at ']' before the anchor.
std::u16string Show(const EditBuffer& b) {
  std::u16string s = b.text();
  if (!b.HasSelection()) return s.insert(b.caret(), u"|");
  const bool caretAtEnd = b.caret() == b.selectionEnd();
  s.insert(b.selectionEnd(), caretAtEnd ? u"]" : u"[");
  s.insert(b.selectionStart(), caretAtEnd ? u"[" : u"]");
  return s;
}

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(EditBuffer, TypingThroughTheStyles) {
  struct Case {
    const char* what;
    EditOptions options;
    std::u16string typed;
    std::u16string shown;
    EditResult last;
  } const cases[] = {
      {"plain", {}, u"ab1", u"ab1|", EditResult::Changed},
      // ES_NUMBER: "Allows only digits to be entered into the edit control" (edit control styles, public documentation).
      {"number refuses a letter", {.number = true}, u"1a", u"1|", EditResult::Refused},
      {"number takes digits", {.number = true}, u"42", u"42|", EditResult::Changed},
      // ES_UPPERCASE / ES_LOWERCASE: "Converts all characters to uppercase/lowercase as they are typed".
      {"upper case", {.upperCase = true}, u"a\u00e9z", u"A\u00c9Z|", EditResult::Changed},
      {"lower case", {.lowerCase = true}, u"AbC", u"abc|", EditResult::Changed},
      {"read-only refuses", {.readOnly = true}, u"x", u"|", EditResult::Refused},
      {"single line refuses Enter", {}, u"a\r", u"a|", EditResult::Refused},
      {"multi-line Enter breaks the line", {.multiLine = true}, u"a\r", u"a\r\n|", EditResult::Changed},
      {"control characters are refused", {}, u"\x01", u"|", EditResult::Refused},
  };
  for (const Case& c : cases) {
    EditBuffer b(c.options);
    EditResult last = EditResult::Unchanged;
    for (char16_t ch : c.typed) last = b.Type(ch);
    EXPECT_EQ(Show(b), c.shown) << c.what << ": " << Narrow(Show(b));
    EXPECT_EQ(Name(last), Name(c.last)) << c.what;
  }
}

TEST(EditBuffer, TheLimitTakesWhatFitsAndReportsTheRest) {
  struct Case {
    const char* what;
    size_t limit;
    std::u16string before;  // with its selection made by SetSelection(selStart, selEnd)
    long selStart, selEnd;
    std::u16string inserted;
    std::u16string shown;
    EditResult result;
  } const cases[] = {
      {"fits", 5, u"ab", 2, 2, u"cd", u"abcd|", EditResult::Changed},
      {"cut to the limit", 5, u"ab", 2, 2, u"cdefg", u"abcde|", EditResult::Truncated},
      {"full", 2, u"ab", 2, 2, u"c", u"ab|", EditResult::Full},
      {"replacing a selection frees room", 3, u"abc", 0, 3, u"xyz", u"xyz|", EditResult::Changed},
      {"a surrogate pair is never split", 3, u"ab", 2, 2, u"\U0001F600", u"ab|", EditResult::Full},
      {"a line break is never split", 4, u"ab", 2, 2, u"c\r\n", u"abc|", EditResult::Truncated},
  };
  for (const Case& c : cases) {
    EditBuffer b({.multiLine = true});
    b.SetText(c.before);
    b.SetLimit(c.limit);
    b.SetSelection(c.selStart, c.selEnd);
    EXPECT_EQ(Name(b.ReplaceSelection(c.inserted, true, true)), Name(c.result)) << c.what;
    EXPECT_EQ(Show(b), c.shown) << c.what << ": " << Narrow(Show(b));
  }
  // "EM_LIMITTEXT ... does not affect ... the length of the text copied to the control by WM_SETTEXT"
  // (EM_LIMITTEXT, public documentation).
  EditBuffer b;
  b.SetLimit(2);
  b.SetText(u"longer");
  EXPECT_EQ(b.text(), u"longer");
  EXPECT_EQ(EditBuffer().limit(), 32767u) << "the documented default";
  b.SetLimit(0);
  EXPECT_EQ(b.limit(), EditBuffer::kSingleLineMaximum);
}

TEST(EditBuffer, PasteIntoASingleLineStopsAtTheFirstBreak) {
  EditBuffer b;
  EXPECT_EQ(Name(b.ReplaceSelection(u"one\r\ntwo", true, true)), "Changed");
  EXPECT_EQ(b.text(), u"one");
  // ES_NUMBER: "even with this set, it is still possible to paste non-digits" (public documentation).
  EditBuffer n({.number = true});
  EXPECT_EQ(Name(n.ReplaceSelection(u"a1", true, true)), "Changed");
  EXPECT_EQ(n.text(), u"a1");
}

TEST(EditBuffer, SetSelectionRules) {
  // EM_SETSEL: start 0 and end -1 select all; start -1 removes the selection;
  // "the start value can be greater than the end value" (public documentation).
  struct Case {
    long start, end;
    std::u16string shown;
  } const cases[] = {
      {0, -1, u"[abcd]"}, {1, 3, u"a[bc]d"}, {3, 1, u"a]bc[d"}, {2, 2, u"ab|cd"},
      {2, 99, u"ab[cd]"}, {-5, 1, u"a]bcd["}, {0, 0, u"|abcd"},
  };
  for (const Case& c : cases) {
    EditBuffer b;
    b.SetText(u"abcd");
    b.SetSelection(c.start, c.end);
    EXPECT_EQ(Show(b), c.shown) << c.start << "," << c.end << ": " << Narrow(Show(b));
  }
  EditBuffer b;
  b.SetText(u"abcd");
  b.SetSelection(1, 3);
  b.SetSelection(-1, 0);
  EXPECT_EQ(Show(b), u"abc|d") << "deselected, the caret stays";
}

TEST(EditBuffer, CaretMovementByCharactersWordsAndLines) {
  struct Case {
    const char* what;
    void (*move)(EditBuffer&);
    long caret;  // before, no selection
    std::u16string shown;
  } const cases[] = {
      {"left", [](EditBuffer& b) { b.MoveLeft(false, false); }, 5, u"one |two  three\r\nfour"},
      {"right over a line break", [](EditBuffer& b) { b.MoveRight(false, false); }, 14, u"one two  three\r\n|four"},
      {"left over a line break", [](EditBuffer& b) { b.MoveLeft(false, false); }, 16, u"one two  three|\r\nfour"},
      {"word right skips the spaces", [](EditBuffer& b) { b.MoveRight(false, true); }, 4, u"one two  |three\r\nfour"},
      {"word right from inside a word", [](EditBuffer& b) { b.MoveRight(false, true); }, 1, u"one |two  three\r\nfour"},
      {"word left", [](EditBuffer& b) { b.MoveLeft(false, true); }, 9, u"one |two  three\r\nfour"},
      {"word left from inside", [](EditBuffer& b) { b.MoveLeft(false, true); }, 11, u"one two  |three\r\nfour"},
      {"shift+word right selects", [](EditBuffer& b) { b.MoveRight(true, true); }, 0, u"[one ]two  three\r\nfour"},
      {"home", [](EditBuffer& b) { b.MoveHome(false, false); }, 18, u"one two  three\r\n|four"},
      {"end", [](EditBuffer& b) { b.MoveEnd(false, false); }, 2, u"one two  three|\r\nfour"},
      {"ctrl+end", [](EditBuffer& b) { b.MoveEnd(false, true); }, 2, u"one two  three\r\nfour|"},
      {"down keeps the column", [](EditBuffer& b) { b.MoveDown(false); }, 2, u"one two  three\r\nfo|ur"},
      {"down to a shorter line", [](EditBuffer& b) { b.MoveDown(false); }, 12, u"one two  three\r\nfour|"},
      {"up", [](EditBuffer& b) { b.MoveUp(false); }, 18, u"on|e two  three\r\nfour"},
      {"shift+up selects", [](EditBuffer& b) { b.MoveUp(true); }, 18, u"on]e two  three\r\nfo[ur"},
  };
  for (const Case& c : cases) {
    EditBuffer b({.multiLine = true});
    b.SetText(u"one two  three\r\nfour");
    b.SetSelection(c.caret, c.caret);
    c.move(b);
    EXPECT_EQ(Show(b), c.shown) << c.what << ": " << Narrow(Show(b));
  }
  EditBuffer b({.multiLine = true});
  b.SetText(u"abcdef\r\nab\r\nabcdef");
  b.SetSelection(5, 5);
  b.MoveDown(false);
  b.MoveDown(false);
  EXPECT_EQ(b.caret(), 17u) << "the column is remembered over a shorter line";
}

TEST(EditBuffer, DeletingCharactersWordsAndSelections) {
  struct Case {
    const char* what;
    EditResult (*edit)(EditBuffer&);
    long start, end;
    std::u16string shown;
  } const cases[] = {
      {"backspace", [](EditBuffer& b) { return b.DeleteBackward(false); }, 3, 3, u"on| two\r\nx"},
      {"delete", [](EditBuffer& b) { return b.DeleteForward(false); }, 0, 0, u"|ne two\r\nx"},
      {"delete a line break whole", [](EditBuffer& b) { return b.DeleteForward(false); }, 7, 7, u"one two|x"},
      {"backspace a line break whole", [](EditBuffer& b) { return b.DeleteBackward(false); }, 9, 9, u"one two|x"},
      {"ctrl+backspace", [](EditBuffer& b) { return b.DeleteBackward(true); }, 7, 7, u"one |\r\nx"},
      {"ctrl+delete", [](EditBuffer& b) { return b.DeleteForward(true); }, 0, 0, u"|two\r\nx"},
      {"a selection", [](EditBuffer& b) { return b.DeleteForward(false); }, 1, 5, u"o|wo\r\nx"},
      {"cut", [](EditBuffer& b) { return b.Cut(); }, 4, 7, u"one |\r\nx"},
  };
  for (const Case& c : cases) {
    EditBuffer b({.multiLine = true});
    b.SetText(u"one two\r\nx");
    b.SetSelection(c.start, c.end);
    EXPECT_EQ(Name(c.edit(b)), "Changed") << c.what;
    EXPECT_EQ(Show(b), c.shown) << c.what << ": " << Narrow(Show(b));
  }
  EditBuffer b;
  EXPECT_EQ(Name(b.DeleteBackward(false)), "Unchanged");
  EXPECT_EQ(Name(b.Cut()), "Unchanged");
  EditBuffer ro({.readOnly = true});
  ro.SetText(u"x");
  EXPECT_EQ(Name(ro.DeleteBackward(false)), "Refused");
  EXPECT_EQ(Name(ro.ReplaceSelection(u"y", true, false)), "Changed") << "the program may still replace";
}

TEST(EditBuffer, OneLevelOfUndoThatRedoesWhenRepeated) {
  EditBuffer b;
  b.SetText(u"hello");
  EXPECT_FALSE(b.CanUndo()) << "WM_SETTEXT empties the undo buffer";
  EXPECT_FALSE(b.modified());
  b.SetSelection(5, 5);
  for (char16_t c : std::u16string(u" you")) b.Type(c);
  EXPECT_TRUE(b.modified());
  ASSERT_TRUE(b.CanUndo());
  ASSERT_TRUE(b.Undo());
  EXPECT_EQ(Show(b), u"hello|") << "consecutive typing is one step";
  ASSERT_TRUE(b.Undo());
  EXPECT_EQ(Show(b), u"hello[ you]") << "undoing the undo redoes";
  b.SetSelection(0, 5);
  b.ReplaceSelection(u"bye", true, true);
  ASSERT_TRUE(b.Undo());
  EXPECT_EQ(Show(b), u"[hello] you");
  b.ReplaceSelection(u"x", false, false);
  EXPECT_FALSE(b.CanUndo()) << "a change that cannot be undone empties the buffer";
  b.Type(u'y');
  b.EmptyUndo();
  EXPECT_FALSE(b.Undo());
}

TEST(EditBuffer, PasswordDisplay) {
  EditBuffer b({.password = true});
  b.SetText(u"secret");
  EXPECT_EQ(b.DisplayText(), u"******");
  EXPECT_EQ(b.text(), u"secret");
  b.SetOptions({.password = true, .passwordChar = u'#'});
  EXPECT_EQ(b.DisplayText(), u"######");
  EditBuffer multi({.multiLine = true, .password = true});
  multi.SetText(u"ab");
  EXPECT_EQ(multi.DisplayText(), u"ab") << "ES_PASSWORD applies to single-line controls";
}

TEST(EditBuffer, LinesWrapAtWordsAndBreakLongWords) {
  // Every character 10 pixels wide; 60 pixels take six.
  const controls::TextMeasure measure = [](std::u16string_view s) { return static_cast<int>(s.size()) * 10; };
  struct Case {
    const char* what;
    std::u16string text;
    std::vector<std::u16string> lines;
  } const cases[] = {
      {"fits", u"short", {u"short"}},
      {"wraps at a space", u"one two three", {u"one", u"two", u"three"}},
      {"keeps words together", u"ab cd ef gh", {u"ab cd", u"ef gh"}},
      {"breaks a long word", u"abcdefghij", {u"abcdef", u"ghij"}},
      {"hard breaks", u"a\r\n\r\nb", {u"a", u"", u"b"}},
      {"trailing break makes an empty line", u"a\r\n", {u"a", u""}},
      {"empty", u"", {u""}},
  };
  for (const Case& c : cases) {
    EditBuffer b({.multiLine = true});
    b.Layout(60, measure);
    b.SetText(c.text);
    std::vector<std::u16string> lines;
    for (size_t i = 0; i < b.lines().size(); ++i) lines.emplace_back(b.LineText(i));
    EXPECT_EQ(lines, c.lines) << c.what;
  }
  EditBuffer b({.multiLine = true});
  b.Layout(60, measure);
  b.SetText(u"one two three");
  EXPECT_EQ(b.LineFromChar(0), 0u);
  EXPECT_EQ(b.LineFromChar(4), 1u);
  EXPECT_EQ(b.LineFromChar(13), 2u);
  EXPECT_EQ(b.LineIndex(2), 8u);
  EXPECT_EQ(b.LineLength(2), 5u);
  EXPECT_EQ(b.LineIndex(9), 13u) << "past the last line: the text length";
  EditBuffer noWrap({.multiLine = true, .wordWrap = false});
  noWrap.Layout(60, measure);
  noWrap.SetText(u"one two three");
  EXPECT_EQ(noWrap.lines().size(), 1u);
}

}  // namespace
