// The field setup sheets and the shape and border dialogs the design view
// opens. They live above the layout code, so the program installs them (its
// composition root does); an entry left null has no dialog in this build and
// the commands that would open it stay off rather than doing nothing.
#pragma once

#include <memory>

#include "fields/model/field.h"
#include "fields/model/field_list.h"

class CLabelSetup;
class CRvoDoc;

// A sheet runner edits *field (an existing field, with the undo copy of it
// as it was put into *undoClone when that is given) or, when field or *field
// is null, makes a new field and on OK hands it to *field; the caller owns
// it from then on. 1 when the sheet ended with OK, else 0.
using FieldSheetRunner = int (*)(CLabelSetup* setup, CField** field, CFieldList& list,
                                 std::unique_ptr<CField>* undoClone);
using BarcodeSheetRunner = int (*)(CLabelSetup* setup, CField** field, int hibc, CFieldList& list,
                                   std::unique_ptr<CField>* undoClone);
// A shape dialog edits an existing field of its kind; 1 on OK.
using ShapeDialogRunner = int (*)(CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undoClone);

struct FieldSheetRunners {
  FieldSheetRunner runTextSetupSheet = nullptr;
  FieldSheetRunner runParagraphSetupSheet = nullptr;
  FieldSheetRunner runImageSetupSheet = nullptr;
  BarcodeSheetRunner runBarcodeSetupSheet = nullptr;
  ShapeDialogRunner runLineDialog = nullptr;
  ShapeDialogRunner runBoxDialog = nullptr;
  ShapeDialogRunner runEllipseDialog = nullptr;
  // The label border of the setup; 1 on OK.
  int (*runBorderDialog)(CLabelSetup& setup) = nullptr;
};

// Installs the table (null removes it); the table must outlive its use.
void SetFieldSheetRunners(const FieldSheetRunners* runners);
// The table installed; an empty one when none is.
const FieldSheetRunners& GetFieldSheetRunners();

// Whether a field of the kind has a dialog installed to edit it.
bool HasFieldSheetFor(const CField& field);
// Runs the kind's dialog on an existing field; 0 when it has none.
int RunFieldSheetFor(CField& field, CRvoDoc& doc, std::unique_ptr<CField>* undoClone);
