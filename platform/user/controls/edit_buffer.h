// The text model of the edit control, apart from any window: UTF-16 text,
// the selection and caret, one level of undo, the text limit, the styles that
// filter typed text (ES_NUMBER, ES_UPPERCASE, ES_LOWERCASE), the password
// display, caret movement by characters, words and lines, and the line layout
// of a multi-line control (hard breaks at "\r\n", soft breaks by words).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

struct EditOptions {
  bool multiLine = false;
  bool number = false;     // ES_NUMBER: typed characters must be digits
  bool upperCase = false;  // ES_UPPERCASE
  bool lowerCase = false;  // ES_LOWERCASE
  bool password = false;   // ES_PASSWORD: shown as passwordChar
  bool readOnly = false;   // ES_READONLY: the user cannot change the text
  bool wordWrap = true;    // multi-line without ES_AUTOHSCROLL
  char16_t passwordChar = u'*';
};

// What an edit did, for the notifications the control sends.
enum class EditResult {
  Changed,     // EN_UPDATE / EN_CHANGE follow
  Unchanged,   // nothing to do (empty selection deleted, caret at the end...)
  Truncated,   // part was taken, the rest refused by the limit (EN_MAXTEXT)
  Full,        // nothing taken: the limit is reached (EN_MAXTEXT)
  Refused,     // a character the style refuses, or read-only (a beep)
};

// One displayed line: text [start, start + length) of the buffer, and where
// the next line starts (after a hard break or the spaces of a soft one).
struct EditLine {
  size_t start = 0;
  size_t length = 0;
  size_t next = 0;
};

using TextMeasure = std::function<int(std::u16string_view)>;

class EditBuffer {
 public:
  // The limit before EM_LIMITTEXT / EM_SETLIMITTEXT is sent.
  static constexpr size_t kDefaultLimit = 32767;
  // The limits EM_LIMITTEXT 0 stands for.
  static constexpr size_t kSingleLineMaximum = 0x7FFFFFFE;
  static constexpr size_t kMultiLineMaximum = 0xFFFFFFFF;

  explicit EditBuffer(EditOptions options = {}) : options_(options) {}

  const EditOptions& options() const { return options_; }
  void SetOptions(const EditOptions& options) { options_ = options; }

  // The whole text, replaced as WM_SETTEXT does: not subject to the limit,
  // the undo buffer emptied, the caret at the start, not modified.
  void SetText(std::u16string_view text);
  const std::u16string& text() const { return text_; }
  size_t length() const { return text_.size(); }
  // What is drawn: the text, or one password character for each character.
  std::u16string DisplayText() const;

  // Limit of 0 means the largest the control allows.
  void SetLimit(size_t limit);
  size_t limit() const { return limit_; }

  // EM_SETSEL: -1 as start removes the selection (the caret stays); values
  // past the end (or negative ends) mean the end; the caret goes to end.
  void SetSelection(long start, long end);
  size_t selectionStart() const { return std::min(anchor_, caret_); }
  size_t selectionEnd() const { return std::max(anchor_, caret_); }
  size_t caret() const { return caret_; }
  bool HasSelection() const { return anchor_ != caret_; }
  std::u16string SelectedText() const;

  // Typing: one character through the style filters and the limit. Enter in
  // a multi-line buffer inserts "\r\n"; control characters are refused.
  EditResult Type(char16_t ch);
  // EM_REPLACESEL / paste: as much of text as the limit allows (the user's
  // path checks ES_NUMBER and read-only; the program's does not).
  EditResult ReplaceSelection(std::u16string_view text, bool canUndo, bool byUser);
  EditResult DeleteForward(bool word);   // Delete, Ctrl+Delete
  EditResult DeleteBackward(bool word);  // Backspace, Ctrl+Backspace
  EditResult Cut();                      // removes the selection (the caller copies it first)

  // One level of undo; undoing an undo redoes.
  bool CanUndo() const { return undo_.valid; }
  bool Undo();
  void EmptyUndo() { undo_ = {}; }
  bool modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  // Caret movement; extend keeps the anchor (Shift held).
  void MoveLeft(bool extend, bool word);
  void MoveRight(bool extend, bool word);
  void MoveHome(bool extend, bool wholeText);
  void MoveEnd(bool extend, bool wholeText);
  void MoveUp(bool extend);
  void MoveDown(bool extend);
  void SelectAll() { SetSelection(0, -1); }
  // The word boundaries word movement uses.
  size_t NextWordStart(size_t from) const;
  size_t PreviousWordStart(size_t from) const;

  // Lines: laid out for a width in pixels with a measure of text (none, or a
  // width of 0 or less, breaks only at hard breaks).
  void Layout(int width, TextMeasure measure);
  const std::vector<EditLine>& lines() const { return lines_; }
  size_t LineFromChar(size_t index) const;
  size_t LineIndex(size_t line) const;
  size_t LineLength(size_t line) const;
  std::u16string_view LineText(size_t line) const;

 private:
  struct UndoRecord {
    bool valid = false;
    size_t start = 0;            // where the change was made
    std::u16string removed;      // text the change took away
    size_t insertedLength = 0;   // length of the text it put in
  };

  EditResult Replace(size_t start, size_t end, std::u16string_view text, bool canUndo);
  bool Filter(std::u16string& text, bool byUser) const;
  void MoveTo(size_t position, bool extend);
  void Relayout();

  EditOptions options_;
  std::u16string text_;
  size_t anchor_ = 0;
  size_t caret_ = 0;
  size_t limit_ = kDefaultLimit;
  bool modified_ = false;
  UndoRecord undo_;
  int layoutWidth_ = 0;
  TextMeasure measure_;
  std::vector<EditLine> lines_{EditLine{}};
  int preferredColumn_ = -1;  // kept over consecutive up/down moves
};

}  // namespace controls
