#include "dialogs/shapes/shape_runners.h"

#include "dialogs/setup/field_sheet_run.h"
#include "dialogs/shapes/border_setup_dlg.h"
#include "dialogs/shapes/box_dlg.h"
#include "dialogs/shapes/ellipse_dlg.h"
#include "dialogs/shapes/line_dlg.h"
#include "dialogs/shapes/shape_assign.h"
#include "document/core/rvo_doc.h"
#include "document/view/undo_copies.h"

namespace {

template <class Dialog>
int RunShapeDialog(CField* field, FieldKind kind, CRvoDoc* doc, std::unique_ptr<CField>* undoClone) {
  if (!field || !field->IsKind(kind)) return 0;
  Dialog dialog;
  AssignShapeField(dialog.m_field, *field);
  if (doc) {
    dialog.SetUnit(doc->labelSetup.DefaultUnits);
    dialog.m_labelWidth = doc->labelSetup.labelWidth;
    dialog.m_labelHeight = doc->labelSetup.labelHeight;
  }
  const POINT oldAnchor = FieldAnchor(*field);
  if (dialog.DoModal() != IDOK) return 0;
  if (undoClone) *undoClone = CopyFieldForUndo(*field);
  CField& copy = dialog.m_field;
  // A turn alone keeps the corner where it was; a new X or Y is where the
  // user put the field.
  if (copy.offset == field->offset && copy.rotation != field->rotation) MoveFieldToAnchor(copy, oldAnchor);
  AssignShapeField(*field, copy);
  return 1;
}

}  // namespace

int RunEllipseDialog(CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undoClone) {
  return RunShapeDialog<CEllipseDlg>(field, FieldKind::kEllipse, doc, undoClone);
}

int RunBoxDialog(CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undoClone) {
  return RunShapeDialog<CBoxDlg>(field, FieldKind::kBox, doc, undoClone);
}

int RunLineDialog(CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undoClone) {
  return RunShapeDialog<CLineDlg>(field, FieldKind::kLine, doc, undoClone);
}

int RunBorderDialog(CLabelSetup& setup) {
  CBorderSetupDlg dialog;
  dialog.SetUnit(setup.DefaultUnits);
  dialog.m_borderOn = setup.deflt_hasBorder;
  dialog.m_border = setup.border;
  if (dialog.DoModal() != IDOK) return 0;
  setup.deflt_hasBorder = dialog.m_borderOn;
  setup.border = dialog.m_border;
  return 1;
}
