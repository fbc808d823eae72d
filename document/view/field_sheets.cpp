#include "document/view/field_sheets.h"

#include "document/core/rvo_doc.h"
#include "fields/model/field_kinds.h"

namespace {

const FieldSheetRunners* g_runners = nullptr;
const FieldSheetRunners kNoRunners{};

}  // namespace

void SetFieldSheetRunners(const FieldSheetRunners* runners) { g_runners = runners; }

const FieldSheetRunners& GetFieldSheetRunners() { return g_runners ? *g_runners : kNoRunners; }

bool HasFieldSheetFor(const CField& field) {
  const FieldSheetRunners& r = GetFieldSheetRunners();
  switch (field.Kind()) {
    case FieldKind::kLine: return r.runLineDialog != nullptr;
    case FieldKind::kBox: return r.runBoxDialog != nullptr;
    case FieldKind::kText: return r.runTextSetupSheet != nullptr;
    case FieldKind::kBarcode: return r.runBarcodeSetupSheet != nullptr;
    case FieldKind::kImage: return r.runImageSetupSheet != nullptr;
    case FieldKind::kParagraph: return r.runParagraphSetupSheet != nullptr;
    case FieldKind::kEllipse: return r.runEllipseDialog != nullptr;
    default: return false;
  }
}

int RunFieldSheetFor(CField& field, CRvoDoc& doc, std::unique_ptr<CField>* undoClone) {
  if (!HasFieldSheetFor(field)) return 0;
  const FieldSheetRunners& r = GetFieldSheetRunners();
  CField* edited = &field;
  switch (field.Kind()) {
    case FieldKind::kLine: return r.runLineDialog(&field, &doc, undoClone);
    case FieldKind::kBox: return r.runBoxDialog(&field, &doc, undoClone);
    case FieldKind::kEllipse: return r.runEllipseDialog(&field, &doc, undoClone);
    case FieldKind::kText: return r.runTextSetupSheet(&doc.labelSetup, &edited, doc.fieldList, undoClone);
    case FieldKind::kImage: return r.runImageSetupSheet(&doc.labelSetup, &edited, doc.fieldList, undoClone);
    case FieldKind::kParagraph:
      return r.runParagraphSetupSheet(&doc.labelSetup, &edited, doc.fieldList, undoClone);
    case FieldKind::kBarcode:
      return r.runBarcodeSetupSheet(&doc.labelSetup, &edited, static_cast<CBarcodeField&>(field).useHibc,
                                    doc.fieldList, undoClone);
    default: return 0;
  }
}
