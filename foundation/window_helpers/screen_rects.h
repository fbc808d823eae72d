// Rectangles of the screen: the work area without the taskbar, rectangle
// conversions, bitmaps compatible with a device, and the rubber-band frame
// drawn by inverting (drawn twice, it is gone).
#pragma once

#include "foundation/build.h"
#include "foundation/containers/amap.h"
#include "foundation/string/astring.h"
#include "platform/win.h"

FOUNDATION_BEGIN

// The desktop's work area (or the desktop less 10 pixels at the bottom when
// the system gives none), less the taskbar. 0 when the taskbar cannot be had
// (r keeps the work area) or when taking it away leaves no rectangle;
// non-zero otherwise, r unchanged for an empty taskbar.
int GetWorkAreaRect(RECT* r);
// The taskbar's rectangle as the shell reports it; 0 when there is none.
int GetTaskbarRect(RECT* r);
void ScreenToClientRect(HWND window, RECT* r);
// A bitmap compatible with the DC, or with the screen for a null DC.
HBITMAP CreateScreenBitmap(int cx, int cy, HDC dc);
// Inverts a frame one border wide along the rectangle's edges on the screen.
void DrawFocusFrame(const RECT* r);
// Corner 0 top-left, 1 bottom-left, 2 bottom-right, any other top-right.
void PickRectCorner(const RECT* r, POINT* x, int* y, int corner);

// Cached printer properties by printer name (the printing code defines the
// entry), and points by name.
struct PrinterCapsEntry;
using PrinterCapsMap = AMap<AString, PrinterCapsEntry>;
using PointMap = AMap<AString, POINT>;

FOUNDATION_END
