// CLabelSetup: everything about a layout that is not a field (label size, how
// labels sit on the page, the printer, the label's shape, background and
// border, the database bindings). The field code reads its members directly,
// so the record lives here; its operations (copying, the stored block, the
// new-label defaults) belong to the layout document and are defined there
// (document/setup/).
//
// The first 726 bytes of the record are a file format: the comments give
// each member's offset in that block. The block is written and read member
// by member (document/setup/label_setup_block.cpp), never as memory.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "fields/model/field.h"
#include "fields/services/db_binding_map.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

class CLabelSetup {
 public:
  // The size of the stored block, and the buffer a reader takes it into.
  static constexpr int kStoredSize = 726;
  static constexpr int kReadBufferSize = 854;

  int32_t reserved0 = 0;                 // 0
  int32_t labelWidth = 4000;             // 4, mils
  int32_t labelHeight = 2500;            // 8
  int32_t deflt_leftOff = 0;             // 12
  int32_t deflt_topOff = 0;              // 16
  int32_t deflt_hGap = 0;                // 20
  int32_t deflt_vGap = 0;                // 24
  int32_t cornerSize = 0;                // 28, of a round-rectangle label (GetLabelCornerSize)
  int16_t deflt_lblsPerRow = 1;          // 32
  int16_t deflt_rowsPerPage = 1;         // 34
  uint8_t deflt_rotation = 0;            // 36, quarter turns, 0-3
  // 37: non-zero: field data is printed as it stands, never converted to the
  // code page of its data language.
  uint8_t noDataConversion = 1;
  // 38: the kind of the target printer's language; 40 converts every field's
  // data, other kinds leave text with a data language as it is.
  uint8_t printerKind = 0;
  uint8_t DefaultUnits = 1;              // 39, 1 inch, 2 millimetres
  uint8_t IsSysPrinter = 1;              // 40, 1 a system printer, 0 a label printer in its own language
  uint8_t deflt_shape = 0;               // 41, 0 round rectangle, 1 rectangle, 2 ellipse
  uint8_t deflt_hasBorder = 0;           // 42
  uint8_t trueTypeFontDefault = 0;       // 43, new text and barcode fields take a TrueType face
  // 44: new barcode fields get designer-drawn human-readable text when set; a
  // rendering without a resolution then asks the printer named by the model.
  uint8_t driverFlag = 0;
  int32_t dpiX = 300;                    // 46
  int32_t dpiY = 300;                    // 50
  COLORREF deflt_bkclr = 0xFFFFFF;       // 54
  BdrData border;                        // 58, deflt_bdrData_style, _w, _roundEnds, _clr

  // Settings kept with the layout that the designer only stores and copies;
  // named by their offset in the stored block.
  int32_t value74 = 100;
  int32_t value78 = 0;
  int32_t value82 = 120;
  int32_t value86 = 0;
  int32_t value90 = 0;
  int32_t value94 = 0;
  int16_t value98 = 0;
  int32_t cutterSetting = 0;             // 100 (new layouts: 1)
  uint8_t flag104 = 1;
  uint8_t flag105 = 0;
  uint8_t flag106 = 0;
  uint8_t value107 = 10;
  uint8_t value108 = 0;
  uint8_t value109 = 13;
  uint8_t value110 = 0;
  uint8_t value111 = 0;
  uint8_t value112 = 31;
  std::array<uint8_t, 7> values113{};    // 113-119
  uint8_t value120 = 2;
  int32_t value122 = 0;
  int32_t value126 = 1;
  int32_t value130 = 567;
  int32_t value134 = 420;
  int32_t value138 = 0;
  int32_t value142 = 0;
  int32_t value146 = 0;
  int32_t value150 = 100;

  // Strings, stored after the block (their places in the block, 154-341,
  // are written as zeros and ignored on reading).
  AString lastPrinter;                   // 154, the printer name
  AString lastPort;                      // 158
  AString lastPrinterModel;              // 162, the second name that the printer routines take
  AString printTemperature;              // 166
  AString printSpeed;                    // 170
  AString text174;                       // 174
  AString description;                   // 178, UTF-16 text
  CDbBindingMap dbBindings;              // 182, the bindings of the layout's Database fields
  AString text214;                       // 214
  std::array<AString, 31> workStrings;   // 218, working strings, never stored nor copied

  int16_t deflt_hasHoleDiameter = 0;     // 342
  int16_t value344 = 0;
  int16_t value346 = 0;
  int32_t deflt_holeDiameter = 1650;     // 470, mils

  // Not stored: the label stream's version, set by the stream reader before
  // the field list is read.
  int16_t streamVersion = 3;

  // --- Operations (document/setup/).
  // Copies every stored number (the reserved bytes and working strings
  // excepted); with skipStrings 0 also the strings and the bindings. 1.
  int CopyFrom(const CLabelSetup& other, int skipStrings);
  // Size and page layout (unless keepSize), rotation, the flags at 44 and 40,
  // the printer's name, port and model and the resolutions. 1.
  int CopyPageSettings(const CLabelSetup& other, int keepSize);
  // The application's new-label defaults; the cutter setting becomes 1. 1.
  int LoadDefaults();
};
