// Copy and Paste of whole layouts between windows: the layout goes into the
// clipboard holder file, and its path onto the clipboard in the designer's
// own format.
#pragma once

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"

class CRvoDoc;

// Writes the layout to the holder file and puts the path (with its zero) on
// the clipboard; 0 when there is no holder path or nothing was placed.
int SaveLabelToClipboardFile(const CLabelSetup& setup, const CFieldList& fieldList);
// Reads the layout whose holder path the clipboard holds (appending its
// fields); 0 when the clipboard holds none, the path is not terminated within
// the data, or the file does not read.
int LoadLabelFromClipboardFile(CLabelSetup& setup, CRvoDoc* doc, CFieldList& fieldList, RECT* bounds);
