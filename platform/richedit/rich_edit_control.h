// Inside the rich-edit control: its state beside the window, and the parts
// its files share (drawing, the caret, scrolling, input-method text).
#pragma once

#include <memory>
#include <string>

#include "platform/richedit/text_services.h"

namespace richedit {

class ControlHost;

struct Control {
  std::unique_ptr<ControlHost> host;
  TextServices* services = nullptr;
  DWORD eventMask = 0;
  size_t anchor = 0;  // where a selection by keys or mouse started
  bool focused = false;
  bool dragging = false;
  size_t firstLine = 0;  // the line at the top of the view
  // The input method's text being composed, shown at the caret until it is
  // given as characters; where it starts in the document.
  std::u16string composition;
  size_t compositionStart = 0;
  ~Control();
};

Control* StateOf(HWND window);
LRESULT Send(Control& c, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void Command(HWND window, WORD code);
// The client area less the border, where the text is drawn.
RECT TextArea(HWND window);
// Where the text's top-left corner is drawn: the text area moved up by the scrolling.
RECT DrawingBounds(HWND window, const Control& c);
// Lays the text out as it is drawn, so positions answer for what shows, and
// has the window painted again.
void Refresh(HWND window, Control& c);
void PlaceCaret(HWND window, Control& c);

// Scrolling (rich_edit_scroll.cpp): the view starts at a line.
int ScrollTop(const Control& c);  // pixels of the text above the view
// Scrolls by lines (negative: up), within the text; how many it moved.
long LineScroll(HWND window, Control& c, long lines);
// Scrolls so that the caret's line is in view.
void ScrollCaretIntoView(HWND window, Control& c);
// WM_VSCROLL: a request of the scroll bar (SB_*) and the thumb's position.
void VScroll(HWND window, Control& c, WORD request, int pos);
// Sets the vertical scroll bar (WS_VSCROLL) to the text and the view.
void UpdateScrollBar(HWND window, const Control& c);

// Input-method text (rich_edit_ime.cpp).
LRESULT ImeMessage(HWND window, Control& c, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace richedit
