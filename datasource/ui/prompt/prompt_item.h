// One row of the prompt list: a caption and a value given when printing,
// edited in the row's own windows (a combo of choices, an edit, a "..."
// button) by its type. Part rows (a piece of a structured barcode) also
// carry the piece's source: fixed, prompted when printing, or linked.
#pragma once

#include <string>
#include <vector>

#include "foundation/string/astring.h"
#include "platform/win.h"

class CPromptList;
class CLabelSetup;
class CField;

enum class PromptRowType : int {
  kChoice = 0,     // a drop-down list of the choices
  kText = 1,       // an edit
  kLongText = 5,   // "...": long text input
  kPart = 6,       // combo, edit and "...": the source menu
  kMaxiCode = 7,   // "...": the MaxiCode message
  kNote = 8,       // no windows, not selectable: a grey box with the third text
  kAi = 9,         // "...": the application identifiers
  kRecords = 10,   // "...": database record selection
};

// Sources of a part row (the field data-source numbers).
inline constexpr int kPartSourceFixed = 0;
inline constexpr int kPartSourcePrompt = 2;
inline constexpr int kPartSourceLinked = 7;

// A child window the row creates and destroys.
class RowWindow {
 public:
  RowWindow() = default;
  RowWindow(const RowWindow&) = delete;
  RowWindow& operator=(const RowWindow&) = delete;
  ~RowWindow() { reset(); }
  void reset(HWND window = nullptr) {
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
    window_ = window;
  }
  HWND get() const { return window_; }
  explicit operator bool() const { return window_ != nullptr; }

 private:
  HWND window_ = nullptr;
};

class CPromptItem {
 public:
  CPromptItem() = default;
  virtual ~CPromptItem() = default;
  CPromptItem(const CPromptItem&) = delete;
  CPromptItem& operator=(const CPromptItem&) = delete;

  // Stores the row's settings and builds its windows in the list. A negative
  // code page means the system's; the initial text is the first choice
  // when choices are given.
  void Init(const AString& caption, const AString& initialText, int codePage, int source, PromptRowType type,
            const AString& thirdText, int capacity, CPromptList* list, const std::vector<AString>& choices,
            int maxLength, bool upperCase, bool digitsOnly);
  // The row's value: from its window for rows with an editor or combo, else
  // the stored text. Marked wide when the code page is 1200.
  AString GetText();
  void SetText(const AString& text);
  // A part row's source: its windows shown as the source asks.
  void SetSource(int source);

  bool HasButton() const { return static_cast<bool>(button_); }
  HWND Combo() const { return combo_.get(); }
  HWND Editor() const { return richEdit_ ? richEdit_.get() : edit_.get(); }
  HWND Button() const { return button_.get(); }
  // The window a row shows when it becomes current: combo, else editor, else button.
  HWND FocusWindow() const;
  bool ShowsEditor() const;
  bool ShowsCombo() const;
  // Takes the editor's text into the row's text (leaving the row).
  void TakeEditorText();

  AString m_caption;
  AString m_text;
  int m_codePage = 0;
  // The caption's code page: the value's changes to UTF-16 once a rich
  // edit gives it back, the caption's stays.
  int m_captionCodePage = 0;
  int m_maxLength = 0;
  int m_source = kPartSourceFixed;
  PromptRowType m_type = PromptRowType::kText;
  int m_selectable = 1;
  AString m_thirdText;
  CPromptList* m_list = nullptr;
  int m_index = 0;
  CLabelSetup* m_labelSetup = nullptr;
  CField* m_field = nullptr;
  const std::vector<const CField*>* m_fieldList = nullptr;  // the layout's fields (database rows)

 private:
  std::u16string WideText() const;
  void SetWindowUnits(HWND window, const std::u16string& units) const;
  void ApplyLimit();
  void SetLimit(int limit);
  RowWindow combo_;
  RowWindow richEdit_;
  RowWindow edit_;
  RowWindow button_;
};
