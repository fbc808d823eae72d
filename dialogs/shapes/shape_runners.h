// The runners of the shape dialogs and of the Border Setup dialog. A shape
// runner edits an existing field of its kind through a copy: on OK it gives
// the caller the field as it was (undoClone, when given), keeps the top-left
// corner of the bounding rectangle when only the rotation changed, and
// copies the result back. 1 on OK, else 0 (also for a null field).
#pragma once

#include <memory>

#include "fields/model/field.h"

class CLabelSetup;
class CRvoDoc;

int RunEllipseDialog(CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undoClone);
int RunBoxDialog(CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undoClone);
int RunLineDialog(CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undoClone);
// The label border of the setup: written back only on OK; 1 on OK.
int RunBorderDialog(CLabelSetup& setup);
