// The values asked for before printing, as the print dialog sees them: it
// gives them a place above its own controls and, when a run starts, puts
// each one into the copy of its field that the run prints. The rows (a
// prompt list with a row per field given at print time) are made here, by
// the data sources; the print dialog is handed a maker by the program.
#pragma once

#include <memory>

#include "fields/model/field_list.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

class CLabelSetup;

class CPrintPrompts {
 public:
  virtual ~CPrintPrompts() = default;
  // Builds the rows for the layout's fields in a list of the dialog, its top
  // left corner at `topLeft` (client pixels), `width` wide, with control id
  // `id`. The number of rows; 0 makes no list.
  virtual int Create(CWnd& dialog, POINT topLeft, int width, UINT id, CLabelSetup& setup, CFieldList& fields) = 0;
  // The list's window (null when there is none).
  virtual HWND Window() const = 0;
  // Before a run: takes the rows' values in (a key value typed goes to its
  // binding); false, with a message shown, when a value cannot be used.
  virtual bool TakeValues() = 0;
  // The value typed or chosen for one of the layout's fields; false when
  // the field has no row of its own (the run reads its data as it stands).
  virtual bool ValueOf(const CField& field, AString* value) = 0;
};

