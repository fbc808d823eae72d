// A label's picture as an enhanced metafile: a file, or the clipboard.
#pragma once

#include "platform/gdi/metafile.h"
#include "platform/win.h"

// A metafile device context for a label of width x height inches drawn at
// the resolution: its frame is the label in hundredths of a millimetre, one
// logical unit is one pixel of the resolution and the picture plays back at
// the label's size on the screen. In memory when name is null; null when the
// context cannot be made.
HDC CreateLabelMetafileDC(const char* name, double widthInches, double heightInches, int resolution);

// The bitmap copied whole into a label metafile written to path; the source
// context, when given, is the one to select the bitmap into (a memory context
// of its own otherwise). 1 when the file was written, else 0 (no file left).
int SaveBitmapAsMetafile(const char* path, HDC source, HWND owner, HBITMAP bitmap, int widthMils, int heightMils,
                         int resolution);

// The same metafile in memory, put on the clipboard as CF_ENHMETAFILE (the
// clipboard owns it). 1 when the clipboard took it.
int PutBitmapOnClipboardAsMetafile(HWND owner, HBITMAP bitmap, int widthMils, int heightMils, int resolution);
