#include "dialogs/barcode/barcode_sheet.h"

#include "app/ui/my_prop_sheet.h"

BarcodeSheetPages::BarcodeSheetPages(CLabelSetup& setup, CBarcodeField& working, const CFieldList& fields,
                                     bool newField) {
  data.Attach(&setup, &working, &fields, newField);
  humanReadable.Attach(&setup, &working, newField);
  options.Attach(&setup, &working);
}

void BarcodeSheetPages::AddTo(CMyPropSheet& sheet) {
  sheet.AddPage(&data);
  sheet.AddPage(&humanReadable);
  sheet.AddPage(&options);
}

const char* BarcodeSheetTitle(bool hibc) { return hibc ? "HIBC Barcode Setup" : "Barcode Setup"; }
