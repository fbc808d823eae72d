// Copy and paste of fields between layouts: the fields go, with the label
// setup, into the clipboard holder file as a label stream, and the holder
// file's path goes onto the clipboard in the program's own format.
#pragma once

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"

class CRvoDoc;

// The program's registered clipboard format.
UINT LabelClipboardFormat();
// 0 when the holder path is empty or nothing was written.
int SaveLabelToClipboardFile(const CLabelSetup& setup, const CFieldList& fieldList);
// Reads the holder file named on the clipboard; 0 when the clipboard holds
// no such path or the file cannot be read.
int LoadLabelFromClipboardFile(CLabelSetup& setup, CRvoDoc* doc, CFieldList& fieldList, RECT* bounds);
