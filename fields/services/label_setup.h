// CLabelSetup: the members of the label setup record that the field code
// reads, named and defaulted as the document's record has them. The document
// completes the record (its stored form, the database bindings, the settings
// it only keeps).
#pragma once

#include <cstdint>

#include "fields/model/field.h"
#include "fields/services/db_binding_map.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

class CLabelSetup {
 public:
  int32_t labelWidth = 4000;             // mils
  int32_t labelHeight = 2500;
  int32_t deflt_leftOff = 0;
  int32_t deflt_topOff = 0;
  int32_t deflt_hGap = 0;
  int32_t deflt_vGap = 0;
  int32_t cornerSize = 0;                // of a round-rectangle label (GetLabelCornerSize)
  int16_t deflt_lblsPerRow = 1;
  int16_t deflt_rowsPerPage = 1;
  uint8_t deflt_rotation = 0;            // quarter turns, 0-3
  uint8_t DefaultUnits = 1;              // 1 inch, 2 millimetres
  uint8_t IsSysPrinter = 1;              // 1 a system printer, 0 a label printer in its own language
  uint8_t deflt_shape = 0;               // 0 round rectangle, 1 rectangle, 2 ellipse
  uint8_t deflt_hasBorder = 0;
  int32_t dpiX = 300;
  int32_t dpiY = 300;
  COLORREF deflt_bkclr = 0xFFFFFF;
  BdrData border;                        // deflt_bdrData_style, _w, _roundEnds, _clr
  AString lastPrinter;                   // the printer name
  AString lastPort;
  AString lastPrinterModel;              // the second name that the printer routines take
  // New barcode fields get designer-drawn human-readable text when set; a
  // rendering without a resolution then asks the printer named by the model.
  uint8_t driverFlag = 0;
  uint8_t trueTypeFontDefault = 0;       // new barcode fields take a TrueType face
  int16_t deflt_hasHoleDiameter = 0;
  int32_t deflt_holeDiameter = 1650;
  // The label stream's version, stored by the stream reader before the field
  // list is read.
  int16_t streamVersion = 3;
  // The database bindings of the layout's Database fields.
  CDbBindingMap dbBindings;
  // Non-zero: field data is printed as it stands, never converted to the
  // code page of its data language.
  uint8_t noDataConversion = 1;
  // The kind of the target printer's language; 40 converts every field's
  // data, other kinds leave text with a data language as it is.
  uint8_t printerKind = 0;
};
