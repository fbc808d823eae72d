// The base of every page of a field setup sheet: what the runner hands each
// page before the sheet opens (the label setup, the working copy of the
// field, the document's field list and whether the field is new).
#pragma once

#include "app/controls/colour_button.h"
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
  // The colour dialog at the member's colour; the choice is the member's at
  // once and the button shows it.
  void ChooseColour(COLORREF& member, CColorButton& button);
  // A press (WM_VSCROLL) on the spinner of a tab-width edit: 1 to 100.
  void SpinTabWidth(WPARAM wParam, LPARAM lParam, int spinId, int editId);

  FieldSheetContext m_context;
};
