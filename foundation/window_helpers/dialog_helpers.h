// Helpers the designer's dialogs share: combo-box selection by text or by
// item data, the drop-down width of a combo box, dialog items read as scaled
// numbers and shown or hidden, and small searches and splices of arrays and
// pointer lists. None keeps state.
#pragma once

#include "foundation/build.h"
#include "foundation/containers/aarray.h"
#include "platform/framework.h"

FOUNDATION_BEGIN

// Exact match (case ignored) from the start of the list; when absent the
// default index. That index is selected (-1 clears the selection) and returned.
int SelectComboStringExact(HWND dialog, int id, const char* text, int defaultIndex);
// The same on a combo box itself; the search starts after item 0 and wraps.
int SelectComboString(HWND combo, const char* text, int defaultIndex);
// Index of the first item whose item data, taken as 16 bits, equals value; -1 when none.
int FindComboItemByData(HWND dialog, int id, int value);
// Index of the first item whose whole 32-bit item data equals value, which
// is then selected; -1 (and the selection as it was) when none.
int SelectComboByData(HWND dialog, int id, int value);
// Width for a combo box's drop-down list: the larger of its window width and
// 8/10 of its widest item text, at most 10 window widths; 0 for no window.
int ComboDropWidth(HWND combo);
// The same on the framework's objects.
inline int SelectComboString(CComboBox& combo, const char* text, int defaultIndex) {
  return SelectComboString(combo.m_hWnd, text, defaultIndex);
}

// The item's text as a number times factor, truncated.
int GetDlgItemScaled(int id, HWND dialog, double factor);
// Shows or hides an item (a ShowWindow command); -99 when the dialog has no
// such item, else whether it was visible before.
int ShowDlgItem(HWND dialog, int id, int show);
inline int GetDlgItemScaled(int id, CDialog& dialog, double factor) { return GetDlgItemScaled(id, dialog.m_hWnd, factor); }
inline int ShowDlgItem(CWnd& dialog, int id, int show) { return ShowDlgItem(dialog.m_hWnd, id, show); }

int FindInIntArray(const AArray<int>& array, int key);
// Appends every pointer of the array to the list; returns the array's count.
int AppendPtrArray(CPtrList& list, const CPtrArray& array);
// Inserts every pointer right after pos, each new one directly after pos (so
// they end up in reverse order), or appends them when pos is null; returns
// the array's count.
int InsertPtrArrayAfter(POSITION pos, CPtrList& list, const CPtrArray& array);

FOUNDATION_END
