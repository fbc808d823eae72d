// Measuring text and paragraph fields, and filling text fields from other
// fields (a barcode's human-readable line, a paragraph's lines).
#pragma once

#include <memory>
#include <vector>

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "platform/gdi/gdi.h"

class CLabelSetup;

// Measuring flags.
inline constexpr unsigned kMeasureDevice = 0x4;         // pixels instead of mils
inline constexpr unsigned kMeasureStoredData = 0x8;     // the data as it stands
inline constexpr unsigned kMeasureLayoutOnly = 0x10;    // paragraph: nothing drawn
inline constexpr unsigned kMeasureLinesOut = 0x20;      // paragraph: text fields of the lines
inline constexpr unsigned kMeasureForceDesign = 0x8000;
inline constexpr unsigned kMeasureRawData = 0x100000;   // as 0x8, and no number formatting

// The extent of a text field's string with its font; a zero size when no
// device context can be had.
SIZE MeasureTextExtent(const CTextField& field, const CLabelSetup& setup, HDC dc, bool device);
// The font of a text field as the device at dpi sees it (height from the
// points, width from the percentage of the average width).
LOGFONTA TextFontAt(const CTextField& field, HDC dc, int dpi);

// Formats a text field's value: its template when set, else its decimals;
// then its prefix in front.
void FormatTextFieldValue(CTextField& field);

// Size of a text or paragraph field.
SIZE MeasureTextField(CField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags);

struct ParagraphLayout {
  SIZE size{0, 0};
  std::vector<std::unique_ptr<CTextField>> lines;  // with kMeasureLinesOut
};
// Lays a paragraph out at the origin and resolutions, drawing each line on dc
// unless kMeasureLayoutOnly; returns the text block's size.
ParagraphLayout LayoutFieldText(CParagraphField& field, const CLabelSetup& setup, HDC dc, int originX, int originY,
                                int dpiX, int dpiY, unsigned flags);

CTextField& TextFieldFromBarcodeHr(CTextField& text, CBarcodeField& barcode);
CTextField& TextFieldFromParagraph(CTextField& text, const CParagraphField& paragraph);
