// Field property sheets: one open and untouched OK of each kind's sheet or
// dialog on an existing field, headless, every page of a sheet visited on the
// way as a person looking through it would (the round trip the dialogs tests
// run a thousand times a kind). The message boxes a sheet might show are
// answered without being shown.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <vector>

#include "datasource/field_sources.h"
#include "dialogs/barcode/barcode_runner.h"
#include "dialogs/image/image_sheet.h"
#include "dialogs/paragraph/paragraph_sheet.h"
#include "dialogs/shapes/shape_runners.h"
#include "dialogs/text/text_sheet.h"
#include "document/core/rvo_doc.h"
#include "fields/measure/field_measure.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_kinds.h"
#include "fields/services/ui_messages.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

// What the modal hook does with the sheet: visit `pages` pages from the last
// to the first, then press OK.
struct Visit {
  int pages = 1;
};

void TurnPagesAndPressOk(HWND window, void* context) {
  const int pages = static_cast<const Visit*>(context)->pages;
  // A dialog opened from the sheet (none is expected) is cancelled.
  user::SetModalDialogHook([](HWND nested, void*) { ::SendMessageW(nested, WM_COMMAND, IDCANCEL, 0); }, nullptr);
  uitest::RunUntilIdle();
  for (int page = pages - 1; page >= 0 && pages > 1; --page) {
    ::SendMessageW(window, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    uitest::RunUntilIdle();
  }
  ::SendMessageW(window, WM_COMMAND, IDOK, 0);
  uitest::RunUntilIdle();
}

int AnswerOk(HWND, const UiMessage&) { return IDOK; }

// The application object, the data-source services and the answered messages
// the sheets need, once for the program.
struct Setting {
  Setting() {
    InstallDataSourceServices();
    SetUiMessageHook(&AnswerOk);
  }
  CWinApp app{"Field Sheets Benchmark"};
};

// One open and OK per iteration of `run` on `field`, in inches or millimetres.
void Cycle(benchmark::State& state, int pages, CRvoDoc& doc, CField& field,
           const std::function<int(CField*)>& run) {
  static Setting setting;
  doc.labelSetup.DefaultUnits = static_cast<uint8_t>(state.range(0));
  Visit visit{pages};
  const auto once = [&] {
    user::SetModalDialogHook(&TurnPagesAndPressOk, &visit);
    const int result = run(&field);
    user::SetModalDialogHook(nullptr, nullptr);
    CWnd::DeleteTempMap();
    return result == 1;
  };
  // The first open of the program loads what every later one shares (the
  // symbologies' tables, the fonts): not what one open costs.
  if (!once()) state.SkipWithError("the sheet did not close with OK");
  for (auto _ : state) {
    if (!once()) {
      state.SkipWithError("the sheet did not close with OK");
      break;
    }
  }
}

void BM_BarcodeSheet(benchmark::State& state) {
  CRvoDoc doc;
  CBarcodeField field(doc.labelSetup.dpiX);
  field.name = "Barcode_1";
  field.symbology = 4;  // Code 128
  field.data = "Sheet 128";
  field.offset = {400, 300};
  const SIZE size = MeasureBarcodeField(field, {}, doc.labelSetup, 0);
  field.width = size.cx;
  field.height = size.cy;
  Cycle(state, 3, doc, field, [&](CField* f) { return RunBarcodeSetupSheet(&doc.labelSetup, &f, 0, doc.fieldList, nullptr); });
}

// A text or paragraph field measured as the designer keeps it, and its sheet
// of `pages` pages run on it.
template <class Field>
void TextLike(benchmark::State& state, const char* name, const char* data, int pages,
              int (*run)(CLabelSetup*, CField**, CFieldList&, std::unique_ptr<CField>*)) {
  CRvoDoc doc;
  Field field;
  field.name = name;
  field.data = data;
  field.offset = {400, 300};
  const SIZE size = MeasureTextField(field, doc.fieldList, doc.labelSetup, 0);
  field.width = size.cx;
  field.height = size.cy;
  Cycle(state, pages, doc, field, [&](CField* f) { return run(&doc.labelSetup, &f, doc.fieldList, nullptr); });
}

void BM_TextSheet(benchmark::State& state) {
  TextLike<CTextField>(state, "Text_1", "Hello", 2, &RunTextSetupSheet);
}

void BM_ParagraphSheet(benchmark::State& state) {
  TextLike<CParagraphField>(state, "Paragraph_1", "One two three four five six seven", 3, &RunParagraphSetupSheet);
}

void BM_ImageSheet(benchmark::State& state) {
  CRvoDoc doc;
  CImageField field;
  field.name = "Image_1";
  // Prompted at print time: the sheet needs no picture file.
  field.SetDataSourceType(2, 0);
  field.prompt = "Which picture?";
  field.offset = {400, 300};
  field.width = 750;
  field.height = 520;
  Cycle(state, 2, doc, field, [&](CField* f) { return RunImageSetupSheet(&doc.labelSetup, &f, doc.fieldList, nullptr); });
}

template <class Field>
void Shape(benchmark::State& state, Field& field, int (*run)(CField*, CRvoDoc*, std::unique_ptr<CField>*)) {
  CRvoDoc doc;
  field.offset = {500, 400};
  field.width = 1000;
  field.height = 600;
  Cycle(state, 1, doc, field, [&](CField* f) { return run(f, &doc, nullptr); });
}

void BM_BoxDialog(benchmark::State& state) {
  CBoxField box;
  Shape(state, box, &RunBoxDialog);
}

void BM_LineDialog(benchmark::State& state) {
  CLineField line;
  Shape(state, line, &RunLineDialog);
}

void BM_EllipseDialog(benchmark::State& state) {
  CEllipseField ellipse;
  ellipse.styleFlags = 1;
  Shape(state, ellipse, &RunEllipseDialog);
}

// 1: inches, 2: millimetres.
BENCHMARK(BM_BarcodeSheet)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextSheet)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParagraphSheet)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageSheet)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxDialog)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineDialog)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EllipseDialog)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
