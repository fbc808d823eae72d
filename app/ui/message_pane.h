// The message pane: a short hint in a small top-most pop-up beside a
// control, which never takes the activation. One pane serves the program.
#pragma once

#include "foundation/string/astring.h"
#include "platform/win.h"

// Shows text beside rect (screen coordinates, typically a control's window
// rectangle), moved to stay inside the work area. 0 when the pane's window
// cannot be made.
int ShowMessagePane(HWND owner, const RECT& rect, const AString& text);
// Empties the text and hides the pane.
void HideMessagePane();
// Destroys the pane's window (at the program's exit).
void DestroyMessagePane();
// The pane's window, or null before the first use.
HWND MessagePaneWindow();
const AString& MessagePaneText();

// Where a pane of the given size goes beside rect within the work area:
// right of it and a little up, moved left and down in steps of 36 pixels
// while it would reach the right edge, and up from the bottom.
POINT PlaceMessagePane(const RECT& rect, SIZE pane, const RECT& workArea);
