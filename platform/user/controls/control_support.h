// What every standard control shares: its state object kept in the window's
// first extra bytes, notifications to the parent, the parent's colours, the
// font, and the install table of the control classes.
#pragma once

#include <string>

#include "platform/user/controls/controls.h"

namespace controls {

// The state of a control, made at WM_NCCREATE and deleted at WM_NCDESTROY.
template <class T>
T* StateOf(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, 0));
}
template <class T>
T* MakeState(HWND window) {
  T* state = new T;
  SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(state));
  return state;
}
template <class T>
void DropState(HWND window) {
  delete StateOf<T>(window);
  SetWindowLongPtrW(window, 0, 0);
}

// WM_COMMAND (id, code, control) to the control's parent.
void Notify(HWND control, WORD code);
// Asks the parent for the background brush (WM_CTLCOLOR*) and sets the text
// colours of dc; the system colour brush `fallback` when the parent has none.
HBRUSH ParentBrush(HWND control, HDC dc, UINT ctlColorMessage, int fallback);
std::u16string WindowText(HWND window);
// The font to draw with: the one given by WM_SETFONT, or the system's.
HFONT DrawingFont(HFONT font);
// Average character width and height of a font, for layout.
SIZE FontCellSize(HFONT font);


}  // namespace controls
