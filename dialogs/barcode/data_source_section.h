// Where a field's data page meets the shared data-source panel: the page
// keeps a region (its placeholder control) for the panel and hands it the
// type chosen in its data-source combo. Until a panel is attached, the page
// edits Fixed Data itself and keeps the stored settings of the other types
// as they are.
#pragma once

#include "fields/model/field.h"
#include "platform/framework.h"

class IDataSourceSection {
 public:
  virtual ~IDataSourceSection() = default;
  // Shows and fills the controls of `type` in `area` (page client
  // coordinates) of `page`; opening is set while the page initialises.
  virtual void ShowFor(CWnd& page, const RECT& area, int type, CField& field, bool opening) = 0;
  // Takes the controls of `type` into the field while the sheet closes with
  // OK; false keeps the page (the panel has shown why and placed the focus).
  virtual bool Apply(CWnd& page, int type, CField& field) = 0;
};
