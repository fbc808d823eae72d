// The owner-drawn list box of the data-source and printing dialogs: rows of
// text with up to two extra text columns kept beside them (a data source and
// its file, a name and its path), unique rows on request, moving, sorting,
// and loading and saving the row texts.
//
// Texts are AStrings in the list's code page; with code page 1200 they hold
// UTF-16LE units. The rows' texts are kept here as given and drawn from here
// (a list box made with LBS_HASSTRINGS also gets them in the process code
// page for its keyboard search), so no text is lost to a conversion.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/containers/aarray.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

// A row offered to AddRow: its text, its second text and its kind (kind 1 is
// checked for duplicates by its text alone, any other kind with a second
// text by that second text).
struct ColumnRow {
  AString text;
  AString secondText;
  int kind = 0;
};

class CColumnListBox : public CListBox {
 public:
  static constexpr int kUtf16CodePage = 1200;
  static constexpr int kItemHeight = 20;
  static constexpr int kItemWidth = 10240;

  enum MoveHow { kMoveTop = 0, kMoveUp = 1, kMoveDown = 2, kMoveBottom = 3 };

  int m_columns = 0;  // extra text columns: 0, 1 or 2
  int m_codePage = CP_UTF8;
  AArray<AString> m_firstColumn;
  AArray<AString> m_secondColumn;
  AArray<AString> m_rowTexts;  // every row's text, whatever the columns

  // The number of extra columns and the code page of the texts; sets the
  // rows' height of an owner-drawn list made from a template.
  void SetColumns(int columns, int codePage);

  // Adds a row; with uniqueMode above 0 a duplicate is refused with -1 (mode
  // 1, or no second text: the text is in the first column; another mode: the
  // second text is in the second column). The row's index otherwise.
  int AddRow(const AString& text, const AString& secondText = AString(), int uniqueMode = 0);
  int InsertRow(int index, const AString& text, const AString& secondText = AString(), int uniqueMode = 0);
  // Adds a row unless IsNewRow calls it a duplicate (-1).
  int AddRow(const ColumnRow& row);
  // -1 for a row past the last; else the list's count after deleting.
  int DeleteRow(int n);
  void ResetContent();

  // The row's list text, in the list's code page.
  AString GetRowText(int n) const;
  // The first-column text of row n (the row's list text without columns); 1
  // when the row exists.
  int GetColumnText(int n, AString& out) const;
  // The second-column text; when it is empty and not exact, the first-column
  // text. 0 without two columns or row n.
  int GetThirdColumnText(int n, AString& out, bool exact) const;
  // Byte length of the row's text (its first-column text with columns); -1
  // for a row that does not exist.
  int GetTextLen(int n) const;
  int GetMaxTextLen() const;
  // The first row from max(start, 0) whose text is exactly these bytes; -1.
  int FindExact(int start, const AString& text) const;
  // 1 when the row would not be a duplicate (see ColumnRow).
  int IsNewRow(const ColumnRow& row) const;

  // Moves row `from` to index `to` with its texts and item data; selects it
  // there when `select`. 0 for rows outside the list.
  int MoveRow(int from, int to, bool select);
  // Moves the selected row (MoveHow); 0 when none is selected or it is
  // already at that end.
  int MoveSelection(int how);
  // Sorts the rows by their text, keeping item data and column texts; 1.
  int Sort(bool ascending);
  // Deselects every row; the row count.
  int ClearSelection();
  // Loading empties the list and reads a 32-bit row count, then per row a
  // 32-bit length and the bytes (with existingOnly, texts naming no existing
  // file or folder are skipped); saving writes the same. 0 on a short or
  // malformed file (the rows read so far are kept), else 1.
  int SerializeItems(bool loading, FILE* file, bool existingOnly);

  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

  // A text of the list as UTF-16 (as it is drawn).
  std::u16string ToListText(const AString& text) const;

 private:
  int PutRow(int index, const AString& text, const AString& secondText);
  bool IsMultiSelect() const;
};
