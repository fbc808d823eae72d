// Drawing fields on any device context at an origin and resolution: shapes
// as polygons of the turned outline, text, barcodes through the library,
// pictures and paragraphs.
#pragma once

#include <memory>

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "image/bitmap/plbmp.h"
#include "platform/gdi/gdi.h"

class CLabelSetup;

inline constexpr unsigned kDrawOutline = 0x1;
inline constexpr unsigned kDrawDesignValues = 0x2;
inline constexpr unsigned kDrawBarsTransparent = 0x400;
inline constexpr unsigned kDrawSkipMarked = 0x100;
// The drawing mode that drops the rich-text pictures before drawing and
// leaves out rich-text fields that fit their font.
inline constexpr int kDrawModeDropRtfPictures = -3;

// Colours of the drawing.
inline constexpr COLORREF kOutlineHatch = 0xE6E6E6;
inline constexpr COLORREF kImagePlaceholderHatch = 0x7BE9E9;
inline constexpr COLORREF kRtfPlaceholderHatch = 0xE9E9FF;
inline constexpr COLORREF kPlaceholderOutlineFrame = 0x00D3D3;
inline constexpr COLORREF kPlaceholderCaption = 0xFFAAAA;
inline constexpr COLORREF kMarkedFrame = 0x0000FF;
inline constexpr int kMarkedFrameWidth = 3;

int DrawFieldList(HDC dc, const CFieldList& list, const CLabelSetup& setup, int handleSize, int originX, int originY,
                  int dpiX, int dpiY, unsigned flags, int mode);
int DrawField(HDC dc, CField& field, const CLabelSetup& setup, int handleSize, int originX, int originY, int dpiX,
              int dpiY, unsigned flags, int target, int mode);
int DrawFieldPlaceholder(HDC dc, const CField& field, int originX, int originY, int dpiX, int dpiY, int outline);
// An image field's picture, turned, scaled, mirrored and reduced to grey or
// black and white as the field says; 0 when the field has no picture.
int DrawFieldImage(HDC dc, CImageField& field, int originX, int originY, int dpiX, int dpiY, int transparent);
// A rich-text field's text turned with the field, kept in its picture cache
// while its size, rotation, text and file stay the same; 0 when its file
// cannot be read.
int DrawRtfFieldText(HDC dc, CRtfField& field, int originX, int originY, int dpiX, int dpiY, int transparent);
// A paragraph rendered into its picture cache when the cache does not fit
// (another rotation, pixel size, resolution, mode or appearance) and drawn at
// its turned outline's top-left, clipped to the outline when it is not at a
// right angle. 0 when no bitmap could be made.
int DrawFieldBitmapClipped(HDC dc, CParagraphField& field, const CLabelSetup& setup, int handleSize, int originX,
                           int originY, int dpiX, int dpiY, int outline, int transparent, int target);
int DrawBarcodeField(HDC dc, CBarcodeField& field, const CLabelSetup& setup, int originX, int originY, int dpiX,
                     int dpiY, unsigned flags);
// The paragraph drawn into a 32-bit picture of its turned outline's bounds
// at dpi, unturned (a paragraph turned by the caller); null for width 0.
std::unique_ptr<PLBmp> RenderParagraphToBitmap(CParagraphField& field, const CLabelSetup& setup, int dpi,
                                               int blackOnly);

int GetShapeDrawMode(const CField& field);
int GetFieldOutputClass(const CField& field);
int IsGraphicFieldKind(const CField& field);
// min(width, height) / 30, at least 20.
int GetLabelCornerSize(int width, int height);
SIZE GetPageExtent(const CLabelSetup& setup);
