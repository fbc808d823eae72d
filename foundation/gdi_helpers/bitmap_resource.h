// Bitmaps compiled into the program as resources, and their drawing.
#pragma once

#include "foundation/build.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/kernel.h"

FOUNDATION_BEGIN

// The RT_BITMAP resource of the module (null: the executable) as a bitmap the
// caller deletes; null when there is none or its data is not a bitmap. The
// classic 3-D greys of the picture stand for the system's 3-D colours, which
// on this platform are those same greys, so they stay as they are.
HBITMAP LoadBitmapResource(HMODULE module, int resourceId);

// Size modes of DrawBitmapResource.
inline constexpr int kBitmapOwnSize = 1;
inline constexpr int kBitmapSourcePart = 2;  // with a source rectangle; any other mode stretches to w x h
// Place modes.
inline constexpr int kPlaceCentred = 1;      // centred in box, then moved by offset
inline constexpr int kPlaceBottom = 2;       // y = h - bitmap height when the bitmap is not taller than h

// Draws bitmap resource resourceId of the executable with the raster
// operation. Returns 0 when it cannot be loaded or no memory device context
// is made, else 1.
int DrawBitmapResource(HDC dc, int x, int y, int w, int h, int resourceId, int sizeMode, DWORD rop, int placeMode,
                       const RECT* box, const RECT* source, const POINT* offset);

FOUNDATION_END
