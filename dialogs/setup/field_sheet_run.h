// One run of a field setup sheet, the protocol every sheet runner shares:
// the pages edit a working copy of the field; only OK writes it back (a new
// field is handed to the caller, an existing one takes the copy, keeps the
// top-left corner of its bounding rectangle and gives the caller a copy of
// itself as it was), so Cancel leaves no trace.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "dialogs/setup/field_sheet_page.h"
#include "platform/framework.h"

class CFieldSheetRun {
 public:
  // field: the field to edit, or null (or pointing to null) for a new one,
  // which takes the default name of defaultNameKind (negative: none).
  CFieldSheetRun(CLabelSetup* setup, CField** field, CFieldList& list, std::unique_ptr<CField> working,
                 int defaultNameKind);
  ~CFieldSheetRun();
  CFieldSheetRun(const CFieldSheetRun&) = delete;
  CFieldSheetRun& operator=(const CFieldSheetRun&) = delete;

  bool IsNew() const { return isNew_; }
  CField& Working() { return *working_; }
  const FieldSheetContext& Context() const { return context_; }

  // The top-left corner of an existing field's bounding rectangle stays where
  // it was (the default); a runner that places the field itself turns it off.
  void SetKeepsCorner(bool keeps) { keepsCorner_ = keeps; }
  // Adds a page in tab order; it gets the context now.
  void AddPage(std::unique_ptr<CFieldSheetPage> page);
  // Runs the sheet under the title (English, shown translated). On OK,
  // measure (may be empty) sets the working copy's size, then the field is
  // handed over or written back, with dropCaches (may be empty) run on the
  // existing field. 1 on OK, else 0.
  int Run(const char* title, const std::function<void(CField&)>& measure,
          const std::function<void(CField&)>& dropCaches, std::unique_ptr<CField>* undoClone);

 private:
  CLabelSetup* setup_;
  CField** field_;
  CFieldList& list_;
  std::unique_ptr<CField> working_;
  bool isNew_;
  bool keepsCorner_ = true;
  POINT oldAnchor_{0, 0};
  FieldSheetContext context_;
  std::vector<std::unique_ptr<CFieldSheetPage>> pages_;
};

// The bounding rectangle's top-left corner of a field, in mils.
POINT FieldAnchor(const CField& field);
// Moves the field so that its bounding rectangle's top-left corner is at anchor.
void MoveFieldToAnchor(CField& field, POINT anchor);
