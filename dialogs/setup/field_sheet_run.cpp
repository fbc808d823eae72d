#include "dialogs/setup/field_sheet_run.h"

#include "app/ui/my_prop_sheet.h"
#include "document/view/undo_copies.h"
#include "fields/design/design_values.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/services/label_setup.h"

POINT FieldAnchor(const CField& field) {
  const RECT r = GetFieldBoundingRect(field, 0, 0, 0, 0);
  return {r.left, r.top};
}

void MoveFieldToAnchor(CField& field, POINT anchor) {
  const POINT now = FieldAnchor(field);
  field.offset.x += anchor.x - now.x;
  field.offset.y += anchor.y - now.y;
}

CFieldSheetRun::CFieldSheetRun(CLabelSetup* setup, CField** field, CFieldList& list,
                               std::unique_ptr<CField> working, int defaultNameKind)
    : setup_(setup), field_(field), list_(list), working_(std::move(working)), isNew_(!field || !*field) {
  if (!isNew_) {
    working_->CopyFrom(*field_, 0);
    oldAnchor_ = FieldAnchor(*working_);
  } else if (defaultNameKind >= 0) {
    working_->name = MakeDefaultFieldName(defaultNameKind, list_);
  }
  context_ = {setup_, working_.get(), &list_, isNew_ ? 1 : 0};
}

CFieldSheetRun::~CFieldSheetRun() = default;

void CFieldSheetRun::AddPage(std::unique_ptr<CFieldSheetPage> page) {
  page->SetContext(context_);
  pages_.push_back(std::move(page));
}

int CFieldSheetRun::Run(const char* title, const std::function<void(CField&)>& measure,
                        const std::function<void(CField&)>& dropCaches, std::unique_ptr<CField>* undoClone) {
  INT_PTR result = IDCANCEL;
  {
    CMyPropSheet sheet(nullptr);
    sheet.SetTitle(title);
    for (auto& page : pages_) sheet.AddPage(page.get());
    result = sheet.DoModal();
  }
  pages_.clear();
  if (result != IDOK) return 0;
  if (measure) measure(*working_);
  if (isNew_) {
    if (field_) *field_ = working_.release();
    return 1;
  }
  CField& field = **field_;
  if (keepsCorner_) MoveFieldToAnchor(*working_, oldAnchor_);
  if (undoClone) *undoClone = CopyFieldForUndo(field);
  field.CopyFrom(working_.get(), 0);
  if (dropCaches) dropCaches(field);
  if (setup_) KeepFieldInsideLabel(field, *setup_);
  return 1;
}
