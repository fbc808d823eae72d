// Plain helpers the designer's dialogs share: the handlers behind the
// up-down arrows beside length and number edits, selecting a list entry by
// its item data, a window's text, and point sizes in pixels.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

// Units of a length edit.
inline constexpr int kUnitInches = 1;
inline constexpr int kUnitMillimetres = 2;

// One press (of `steps` steps) of an up-down arrow beside an edit holding a
// length: direction 0 up, 1 down, anything else nothing; the result is kept
// within minimum..maximum and written back as "%.3f". Returns 1.
int SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, CWnd* dialog, int steps);
// The same for a whole number, one at a time, written back as "%d".
int SpinIntEdit(int direction, int editId, int minimum, int maximum, CWnd* dialog);
// Selects the first entry of a combo box (combo true) or list box whose item
// data equals value, or entry 0 when none does; returns what the selection
// message returns.
LRESULT SelectItemByData(HWND dialog, int controlId, DWORD_PTR value, bool combo);
// The window's text.
void GetWindowString(HWND window, AString* text);
// Points in pixels at the screen's horizontal resolution, or at a given one.
int PointsToScreenPixels(int points);
int PointsToPixels(int points, int pixelsPerInch);
// The screen's horizontal resolution, read once.
int ScreenPixelsPerInch();

// The edit of a prompt list row: it tells its parent when it gains (1453)
// and loses (1454) the focus, after its own handling, with its id and window.
inline constexpr UINT kMsgEditFocusGained = 1453;
inline constexpr UINT kMsgEditFocusLost = 1454;

class CFocusReportEdit : public CEdit {
 public:
  void OnSetFocus(CWnd* old);
  void OnKillFocus(CWnd* next);

 private:
  void Report(UINT message);
  DECLARE_MESSAGE_MAP()
};
