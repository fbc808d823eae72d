// The size of any field, the human-readable text fields of a barcode, and
// fitting fonts to a field's box.
#pragma once

#include <memory>
#include <vector>

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "platform/gdi/gdi.h"

class CLabelSetup;

using TextFieldArray = std::vector<std::unique_ptr<CTextField>>;

// The field's size in mils (kMeasureDevice: pixels) by kind.
SIZE MeasureField(CField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags);
// A barcode's size with its human-readable line; the library's result code
// stays in encodeResult.
SIZE MeasureBarcodeField(CBarcodeField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags);
// Builds the text fields of a barcode's human-readable line (one line, or the
// EAN/UPC digit groups); oneLine keeps only its first character. Returns the
// count.
int BuildHumanReadableFields(CBarcodeField& field, TextFieldArray& out, bool oneLine, const CLabelSetup& setup);
// Whether the symbology has a human-readable line of text fields.
bool HasHumanReadableFields(int symbology);
int GetDefaultHrFontHeight(const CBarcodeField& field);
// +1 or -1 point on the field's font, never below 1; 1 when it changed.
int AdjustFontHeight(CField& field, int step);
// Steps the paragraph's font until its text fills its box. Returns 1.
int FitParagraphFontToHeight(CParagraphField& field, const CLabelSetup& setup, HDC dc);

// The pixel size of a picture file (0, 0 when it cannot be read).
SIZE GetImageFileSize(const char* path);
// 750 x 520 for prompted and database pictures, else the file's size in mils.
SIZE GetImageFieldSize(const CImageField& field, const CLabelSetup& setup);
