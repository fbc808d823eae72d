// The preview file (".vue") written beside a layout on every save and kept
// with each version: the whole label at 75 pixels per inch, 1 bit per pixel,
// as a BMP compressed with gzip at level 9.
#pragma once

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"

inline constexpr int kPreviewResolution = 75;

// Writes the preview to path; 1 when it was written whole, else 0 (no file
// left behind).
int WriteLabelPreview(const char* path, const CLabelSetup& setup, const CFieldList& fieldList);

// The renderer behind WriteLabelPreview (tests and the label renderer set
// one); null restores the built-in one.
using LabelPreviewWriter = int (*)(const char* path, CLabelSetup& setup, const CFieldList& fieldList);
void SetLabelPreviewWriter(LabelPreviewWriter writer);
