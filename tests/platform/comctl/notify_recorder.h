// A parent window for common-control tests: records every WM_NOTIFY it gets
// (code, sender id, item, sub-item, states, the text of label-edit
// notifications) and answers each code as the test asks. One parent is wide,
// one ANSI, so both notification sets can be checked.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/win.h"

namespace comctltest {

struct Note {
  UINT code;
  int item;
  int subItem;
  UINT newState;
  UINT oldState;
  UINT changed;
  bool operator==(const Note&) const = default;
};

struct Recorder {
  std::vector<Note> notes;
  std::map<UINT, LRESULT> answers;  // by code; 0 when absent
  std::u16string editText;          // text of the last LVN_ENDLABELEDIT(W/A)
  bool editTextNull = false;
  // The item text and its room (cchTextMax) in the last header notification
  // that carried HDI_TEXT, read in the notification's character set.
  std::u16string headerText;
  int headerTextMax = 0;
  std::vector<UINT> Codes() const;
  void Clear() { notes.clear(); }
};

Recorder& Notes();
// A visible top-level window of 400 x 300 that records into Notes().
HWND MakeParent(bool ansi = false);
HWND MakeList(HWND parent, DWORD style, int width = 300, int height = 200, int id = 40);
// "LVN_ITEMCHANGED 2 ..." lines for failure messages.
std::string Describe(const std::vector<Note>& notes);

// Columns and rows from text: row r's column c is texts[r][c].
void AddColumns(HWND list, std::initializer_list<std::pair<const char16_t*, int>> columns);
int AddRow(HWND list, std::initializer_list<const char16_t*> texts, LPARAM value);
std::u16string ItemText(HWND list, int row, int column = 0);

}  // namespace comctltest
