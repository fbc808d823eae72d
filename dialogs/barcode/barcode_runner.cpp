#include "dialogs/barcode/barcode_runner.h"

#include "dialogs/barcode/barcode_data_page.h"
#include "dialogs/barcode/barcode_options_page.h"
#include "dialogs/barcode/human_readable_page.h"
#include "dialogs/setup/field_sheet_run.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/services/label_setup.h"

namespace {
constexpr int kBarcodeNameKind = 3;
}  // namespace

int RunBarcodeSetupSheet(CLabelSetup* setup, CField** field, int hibc, CFieldList& list,
                         std::unique_ptr<CField>* undoClone) {
  if (!setup) return 0;
  if (field && *field && !(*field)->IsKind(FieldKind::kBarcode)) return 0;
  auto working = std::make_unique<CBarcodeField>(setup->dpiX);
  if (hibc) working->SetDefaults();
  CFieldSheetRun run(setup, field, list, std::move(working), kBarcodeNameKind);
  auto& barcode = static_cast<CBarcodeField&>(run.Working());
  if (run.IsNew()) {
    barcode.useHibc = static_cast<uint8_t>(hibc ? 1 : 0);
    SetNewBarcodeDefaults(barcode, *setup);
  }
  auto data = std::make_unique<CBarcodeDataPage>();
  CBarcodeDataPage* dataPage = data.get();
  run.AddPage(std::move(data));
  run.AddPage(std::make_unique<CHumanReadablePage>());
  run.AddPage(std::make_unique<CBarcodeOptionsPage>());
  // The pages go with the sheet: the measured size is read while they live.
  SIZE measured{0, 0};
  const auto takeSize = [&](CField& f) {
    f.width = measured.cx;
    f.height = measured.cy;
  };
  dataPage->SetMeasuredSizeTarget(&measured);
  return run.Run(hibc ? "HIBC Barcode Setup" : "Barcode Setup", takeSize,
                 [](CField& f) { static_cast<CBarcodeField&>(f).FreeCachedBitmap(); }, undoClone);
}
