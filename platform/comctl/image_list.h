// Image lists: rows of same-size images in one bitmap, each with an optional
// mask (from a mask bitmap, or made from a colour that stands for
// "transparent"), drawn in the documented ImageList_Draw styles.
#pragma once

#include "platform/comctl/comctl_common.h"

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

// ImageList_Create flags
inline constexpr UINT ILC_MASK = 0x0001, ILC_COLOR = 0x0000, ILC_COLORDDB = 0x00FE, ILC_COLOR4 = 0x0004,
                      ILC_COLOR8 = 0x0008, ILC_COLOR16 = 0x0010, ILC_COLOR24 = 0x0018, ILC_COLOR32 = 0x0020;
// ImageList_Draw styles
inline constexpr UINT ILD_NORMAL = 0x0000, ILD_TRANSPARENT = 0x0001, ILD_MASK = 0x0010, ILD_IMAGE = 0x0020,
                      ILD_BLEND25 = 0x0002, ILD_FOCUS = 0x0002, ILD_BLEND50 = 0x0004, ILD_SELECTED = 0x0004,
                      ILD_BLEND = 0x0004, ILD_OVERLAYMASK = 0x0F00;
// ImageList_LoadImage
inline constexpr UINT LR_DEFAULTCOLOR = 0x0000, LR_LOADFROMFILE = 0x0010, LR_CREATEDIBSECTION = 0x2000;

struct IMAGEINFO {
  HBITMAP hbmImage;
  HBITMAP hbmMask;
  int Unused1;
  int Unused2;
  RECT rcImage;
};

// Images are cx by cy; `initial` and `grow` are accepted for the documented
// signature (the list grows as needed). Null for a size of zero or less.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
// Keeps the first `count` images (adding blank ones when growing).
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Changes the size and removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
// Adds as many images as fit across `image` (its width / cx). A mask bitmap is
// read as monochrome: white is transparent. Returns the first new index, -1 on failure.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// As ImageList_Add, the pixels of colour `maskColour` becoming transparent (and
// black in the list's copy of the image).
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour);
// Index -1 appends. Returns the index, -1 on failure.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// Index -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST list, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST list) { return ImageList_Remove(list, -1); }
// The colour drawn under transparent pixels by ILD_NORMAL; CLR_NONE (the
// default) draws nothing there. Returns the previous colour.
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
// Draws image `index` at (x, y). ILD_TRANSPARENT leaves masked pixels alone,
// ILD_NORMAL fills them with the list's background colour when it has one,
// ILD_MASK draws the mask (black where the image is), ILD_BLEND25/ILD_BLEND50
// mix the image with `foreground` (CLR_DEFAULT: the highlight colour) by a
// quarter or a half. `background` CLR_DEFAULT uses the list's colour,
// CLR_NONE none. `width`/`height` 0 draw the whole image.
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height, COLORREF background,
                      COLORREF foreground, UINT style);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// A bitmap strip from a module's resources cut into images `cx` wide; pixels of
// `maskColour` transparent (CLR_DEFAULT: the colour of the top-left pixel,
// CLR_NONE: no mask). Only IMAGE_BITMAP resources.
HIMAGELIST ImageList_LoadImageW(HINSTANCE instance, LPCWSTR name, int cx, int grow, COLORREF maskColour, UINT type,
                                UINT flags);
HIMAGELIST ImageList_LoadImageA(HINSTANCE instance, LPCSTR name, int cx, int grow, COLORREF maskColour, UINT type,
                                UINT flags);
inline HIMAGELIST ImageList_LoadBitmap(HINSTANCE instance, LPCSTR name, int cx, int grow, COLORREF maskColour) {
  return ImageList_LoadImageA(instance, name, cx, grow, maskColour, 0, LR_DEFAULTCOLOR);
}
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
// An icon of the image (with its mask); null for a bad index.
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT style);
