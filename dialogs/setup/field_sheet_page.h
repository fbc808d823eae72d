// The base of every page of a field setup sheet: what the runner hands each
// page before the sheet opens (the label setup, the working copy of the
// field, the document's field list and whether the field is new).
#pragma once

#include "app/ui/skin_property_page.h"
#include "fields/model/field.h"
#include "fields/model/field_list.h"

class CLabelSetup;

struct FieldSheetContext {
  CLabelSetup* setup = nullptr;
  CField* field = nullptr;
  CFieldList* fields = nullptr;
  int isNew = 0;
};

class CFieldSheetPage : public CSkinPropertyPage {
 public:
  explicit CFieldSheetPage(UINT pageId) : CSkinPropertyPage(pageId) {}

  void SetContext(const FieldSheetContext& context) { m_context = context; }
  const FieldSheetContext& Context() const { return m_context; }
  // The tab's caption, in the interface language.
  void SetTabCaption(const char* english);

 protected:
  FieldSheetContext m_context;
};
