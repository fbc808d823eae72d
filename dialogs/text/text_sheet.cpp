#include "dialogs/text/text_sheet.h"

#include "dialogs/setup/field_sheet_run.h"
#include "dialogs/text/text_font_page.h"
#include "dialogs/text/text_options_page.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_kinds.h"

int RunTextSetupSheet(CLabelSetup* setup, CField** field, CFieldList& list, std::unique_ptr<CField>* undoClone) {
  if (field && *field && !(*field)->IsKind(FieldKind::kText)) return 0;
  CFieldSheetRun run(setup, field, list, std::make_unique<CTextField>(), static_cast<int>(FieldKind::kText));
  auto font = std::make_unique<CTextFontPage>();
  font->SetTabCaption("Font  /  Data");
  run.AddPage(std::move(font));
  auto options = std::make_unique<CTextOptionsPage>();
  options->SetTabCaption("Options");
  run.AddPage(std::move(options));
  const auto measure = [&](CField& working) {
    if (!setup) return;
    const SIZE size = MeasureTextField(working, list, *setup, 0);
    if (size.cx > 0 && size.cy > 0) {
      working.width = size.cx;
      working.height = size.cy;
    }
  };
  return run.Run("Text Setup", measure, nullptr, undoClone);
}
