// The barcode setup sheet's pages around one working field, ready for the
// field setup runner: it builds them, adds them to its sheet in tab order,
// runs the sheet and reads the measured size after OK.
#pragma once

#include "dialogs/barcode/barcode_data_page.h"
#include "dialogs/barcode/barcode_options_page.h"
#include "dialogs/barcode/human_readable_page.h"

class CMyPropSheet;

class BarcodeSheetPages {
 public:
  BarcodeSheetPages(CLabelSetup& setup, CBarcodeField& working, const CFieldList& fields, bool newField);
  BarcodeSheetPages(const BarcodeSheetPages&) = delete;
  BarcodeSheetPages& operator=(const BarcodeSheetPages&) = delete;

  void AddTo(CMyPropSheet& sheet);
  // The size the Barcode / Data page measured when the sheet closed with OK.
  SIZE MeasuredSize() const { return data.MeasuredSize(); }

  CBarcodeDataPage data;
  CHumanReadablePage humanReadable;
  CBarcodeOptionsPage options;
};

// The sheet's title before translation.
const char* BarcodeSheetTitle(bool hibc);
