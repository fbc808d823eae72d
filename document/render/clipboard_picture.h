// Putting a label's picture on the clipboard as a bitmap or as an enhanced
// metafile; the clipboard owns what it is given.
#pragma once

#include "platform/win.h"

// The window that owns what export puts on the clipboard: the program's main
// window, or none.
HWND ClipboardOwnerWindow();

// Empties the clipboard and gives it the bitmap as CF_BITMAP; 1 when the
// clipboard took it, else 0 and the bitmap is deleted.
int PutBitmapOnClipboard(HWND owner, HBITMAP bitmap);
