#include "print/job/label_printer_job.h"

#include <algorithm>
#include <cstdio>

#include "barcode/kalvo.h"
#include "datasource/db_bindings.h"
#include "document/layout_shell.h"
#include "document/sizes/field_sizes.h"
#include "fields/draw/field_draw.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/measure/measure_dc.h"
#include "fields/model/field_kinds.h"
#include "platform/gdi/gdi_owners.h"
#include "platform/gdi/print_document.h"
#include "platform/user/dialogs/dialogs.h"
#include "print/job/abort_flag.h"
#include "print/job/print_time_value.h"
#include "print/thread/print_thread.h"

namespace {

int CeilDiv(long long a, long long b) { return b > 0 ? static_cast<int>((a + b - 1) / b) : 0; }

std::vector<const CField*> FieldPointers(const CFieldList& list) {
  std::vector<const CField*> out;
  for (const auto& f : list) out.push_back(f.get());
  return out;
}

}  // namespace

SIZE SheetSize(const CLabelSetup& setup) {
  long long w = setup.labelWidth, h = setup.labelHeight;
  if (setup.deflt_rotation % 2) std::swap(w, h);
  const long long across = setup.deflt_lblsPerRow, down = setup.deflt_rowsPerPage;
  return SIZE{static_cast<LONG>(across * w + setup.deflt_leftOff + (across - 1) * setup.deflt_hGap),
              static_cast<LONG>(down * h + setup.deflt_topOff + (down - 1) * setup.deflt_vGap)};
}

SIZE PrinterRunResolution(const CLabelSetup& setup, const void* devMode) {
  if (setup.lastPrinter.IsEmpty()) return SIZE{0, 0};
  const UniqueDc ic(CreateICA("WINSPOOL", setup.lastPrinter.GetData(), nullptr, devMode));
  if (!ic) return SIZE{0, 0};
  return SIZE{GetDeviceCaps(ic.get(), LOGPIXELSX), GetDeviceCaps(ic.get(), LOGPIXELSY)};
}

PageCounts CountPages(const CLabelSetup& setup, int quantity, int copies, int startRow, int startColumn,
                      bool toImages) {
  PageCounts c;
  const int across = toImages ? 1 : std::max<int>(1, setup.deflt_lblsPerRow);
  const int down = toImages ? 1 : std::max<int>(1, setup.deflt_rowsPerPage);
  c.labelsPerPage = across * down;
  c.offset = toImages ? 0 : std::max(0, startRow) * across + std::max(0, startColumn);
  c.labelsToPrint = std::max(0, quantity) * std::max(1, copies);
  c.totalPositions = c.labelsToPrint + c.offset;
  c.pages = setup.IsSysPrinter ? CeilDiv(c.totalPositions, c.labelsPerPage) : CeilDiv(c.totalPositions, across);
  return c;
}

CLabelPrinterJob::CLabelPrinterJob() { ctx_.owner = this; }

int CLabelPrinterJob::Prepare(CLabelSetup& setup, CFieldList& fields) {
  ctx_.setup = &setup;
  ctx_.fields = &fields;
  ctx_.dpiX = ctx_.dpiY = setup.dpiX;
  return 1;
}

int CLabelPrinterJob::ResetFieldPrintState(CFieldList& fields) {
  for (auto& f : fields) f->printFlag1 = 0;
  return 1;
}

void CLabelPrinterJob::Report(const AString& text) {
  ctx_.error = text;
  LayoutShell()->UiMessageBox(text.GetData(), MB_OK | MB_ICONEXCLAMATION);
}

bool CLabelPrinterJob::OpenTarget() {
  const CLabelSetup& setup = *ctx_.setup;
  if (!setup.IsSysPrinter) {
    // A printer-language job: its commands would be written to this file.
    FILE* file = std::fopen(outputPath.GetData(), "wb");
    if (!file) {
      AString text;
      text.Format("%s could not be created.", outputPath.GetData());
      Report(text);
      return false;
    }
    std::fclose(file);
    return true;
  }
  HDC dc = CreateDCA("WINSPOOL", setup.lastPrinter.GetData(), nullptr, devMode_);
  if (!dc) {
    AString text;
    text.Format(LayoutShell()->TranslateUiString("Cannot access printer: %s").GetData(), setup.lastPrinter.GetData());
    Report(text);
    return false;
  }
  ctx_.dc = dc;
  ctx_.ownsDc = true;
  // The pages are drawn at the printer's own resolution.
  ctx_.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  ctx_.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const bool toFile = ctx_.mode == PrintMode::kFile;
  DOCINFOA doc{sizeof(DOCINFOA), "Label Print", toFile ? outputPath.GetData() : nullptr, nullptr, 0};
  ctx_.spoolJob = StartDocA(dc, &doc);
  if (ctx_.spoolJob <= 0) {
    AString text;
    text.Format(LayoutShell()->TranslateUiString("Encountered error when accessing printer: %s").GetData(),
                setup.lastPrinter.GetData());
    if (!gdi::LastPrintError().empty()) {
      text += "\n";
      text += gdi::LastPrintError().c_str();
    }
    DeleteDC(dc);
    ctx_.dc = nullptr;
    Report(text);
    return false;
  }
  return true;
}

void CLabelPrinterJob::CloseTarget(bool delivered) {
  if (ctx_.dc && ctx_.ownsDc) {
    // An aborted or failed run cancels its job: nothing half printed.
    if (delivered) {
      if (EndDoc(ctx_.dc) <= 0) {
        AString text;
        text.Format(LayoutShell()->TranslateUiString("Encountered error when accessing printer: %s").GetData(),
                    ctx_.setup->lastPrinter.GetData());
        text += "\n";
        text += gdi::LastPrintError().c_str();
        Report(text);
      }
    } else {
      AbortDoc(ctx_.dc);
    }
    DeleteDC(ctx_.dc);
  }
  ctx_.dc = nullptr;
  ctx_.ownsDc = false;
  if (ctx_.pageDc && ctx_.savedBitmap) SelectObject(ctx_.pageDc.get(), ctx_.savedBitmap);
  ctx_.savedBitmap = nullptr;
  ctx_.pageBitmap.reset();
  ctx_.pageDc.reset();
}

void CLabelPrinterJob::ScanFields() {
  int largest = 0;
  for (const auto& f : *ctx_.fields) {
    if (f->IsKind(FieldKind::kText) || f->IsKind(FieldKind::kBarcode)) ctx_.singleLabel = true;
    const int count = GetFieldJobCount(*f);
    if (count > 0) {
      if (ctx_.countedFields && largest > 0 && count != largest) ctx_.mixedCounts = true;
      ctx_.countedFields = true;
    }
    largest = std::max(largest, count);
  }
  ctx_.copies = std::max(1, largest);
  if (ctx_.setup->IsSysPrinter) ctx_.singleLabel = true;
  const int across = ctx_.setup->deflt_lblsPerRow;
  if (across != 1) {
    const int big = std::max(ctx_.copies, across), small = std::max(1, std::min(ctx_.copies, across));
    if (big % small != 0 || ctx_.startColumn % across != 0) ctx_.singleLabel = true;
  }
  const int records = GetMaxDbSelectionQuantity(ctx_.setup->dbBindings);
  if (records > 0) ctx_.recordCount = records;
}

int CLabelPrinterJob::Run(HWND parent) {
  // Every label's text is measured on the printer's context, made once.
  MeasureDcReuse measuring;
  ctx_.parent = parent;
  ctx_.error.Empty();
  InstallPageOutput(table);
  CLabelSetup* layoutSetup = ctx_.setup;
  if (!layoutSetup || !ctx_.fields) return 0;
  const bool opensTarget = ctx_.IsPrinterTarget();
  // The run works on its own copy of the setup.
  ctx_.setupCopy.CopyFrom(*layoutSetup, 0);
  ctx_.setup = &ctx_.setupCopy;
  CLabelSetup& setup = ctx_.setupCopy;
  if (ctx_.mode == PrintMode::kImages) {
    setup.deflt_leftOff = setup.deflt_topOff = 0;
    setup.dpiX = setup.dpiY = ctx_.imageResolution > 0 ? ctx_.imageResolution : setup.dpiX;
    ctx_.dpiX = ctx_.dpiY = setup.dpiX;
    setup.deflt_lblsPerRow = setup.deflt_rowsPerPage = 1;
  }
  if (ctx_.mode == PrintMode::kPreview && ctx_.toImage) setup.deflt_leftOff = setup.deflt_topOff = 0;
  int result = 0;
  bool opened = false;
  if (setup.deflt_lblsPerRow < 1 || setup.deflt_rowsPerPage < 1 || ctx_.dpiX <= 0 || ctx_.dpiY <= 0) {
    Report(LayoutShell()->TranslateUiString("The label setup has no labels to print."));
  } else if (!opensTarget || (opened = OpenTarget())) {
    const SIZE sheet = SheetSize(setup);
    ctx_.sheetWidth = sheet.cx;
    ctx_.sheetHeight = sheet.cy;
    ctx_.data.bindings = &setup.dbBindings;
    ctx_.data.cursors.clear();
    PruneDbBindings(setup, FieldPointers(*ctx_.fields));
    AString reason, notice;
    if (!OpenDbBindings(setup, &reason, &notice)) {
      Report(reason);
    } else {
      // Chosen records the database no longer holds: the run goes on and
      // their labels print without them.
      if (!notice.IsEmpty()) LayoutShell()->UiMessageBox(notice.GetData(), MB_OK | MB_ICONEXCLAMATION);
      ScanFields();
      if (!IsPrintAborted()) {
        const PageCounts counts = CountPages(setup, ctx_.recordCount > 0 ? ctx_.recordCount : ctx_.quantity,
                                             ctx_.copies, ctx_.startRow, ctx_.startColumn,
                                             ctx_.mode == PrintMode::kImages);
        ctx_.labelsPerPage = counts.labelsPerPage;
        ctx_.offset = counts.offset;
        ctx_.labelsToPrint = counts.labelsToPrint;
        ctx_.totalPositions = counts.totalPositions;
        ctx_.pageCount = counts.pages;
        result = RunPages();
      }
      // Closed after an abort as after a finished run.
      CloseDbBindings(setup);
    }
  }
  if (opened || ctx_.pageDc) CloseTarget(result == 1 && !IsPrintAborted());
  if (result == 1 && !ctx_.error.IsEmpty()) result = 0;  // the job could not be delivered
  if (ctx_.mode != PrintMode::kPreview) ctx_.setup = layoutSetup;
  return result;
}

bool CLabelPrinterJob::FillPage(Positions& positions, bool firstPage) {
  bool ownValues = false;
  for (auto& list : positions) DeleteFieldList(list);
  // A label of a layout with only a border has no fields yet is printed.
  labelAt_.assign(positions.size(), 0);
  for (size_t p = 0; p < positions.size(); ++p) {
    if (firstPage && static_cast<int>(p) < ctx_.offset) continue;
    const bool byRecord = ctx_.recordCount > 0;
    if (byRecord ? fillRecord_ >= ctx_.recordCount : filled_ >= ctx_.labelsToPrint) break;
    for (auto& original : *ctx_.fields) {
      if (original->doNotPrint && IsGraphicFieldKind(*original)) continue;
      std::unique_ptr<CField> copy = CloneField(original.get(), 0, 1);
      if (!copy) continue;
      ownValues |= GetPrintTimeValue(fillRecord_, *copy, *original, ctx_) != 0;
      positions[p].push_back(std::move(copy));
    }
    labelAt_[p] = 1;
    ++filled_;
    if (++fillCopy_ >= ctx_.copies) {
      fillCopy_ = 0;
      ++fillRecord_;
    }
  }
  return ownValues;
}

int CLabelPrinterJob::OutputField(CField& field, int number) {
  auto call = [&](auto slot) { return slot ? slot(ctx_, field, number, nullptr) : 0; };
  switch (field.Kind()) {
    case FieldKind::kLine: return call(table.lineField);
    case FieldKind::kBox: return call(table.boxField);
    case FieldKind::kEllipse: return call(table.ellipseField);
    case FieldKind::kParagraph: return call(table.paragraphField);
    case FieldKind::kRtf: return table.richTextField ? table.richTextField(ctx_, field, number) : 0;
    case FieldKind::kImage: return call(table.imageField);
    case FieldKind::kText:
      if (static_cast<CTextField&>(field).data.IsEmpty()) return 0;
      return call(table.textField);
    case FieldKind::kBarcode: {
      const auto& b = static_cast<CBarcodeField&>(field);
      if (Is2DBCode(b.symbology, b.subType) && table.twoDBarcodeField) return call(table.twoDBarcodeField);
      return call(table.linearBarcodeField);
    }
    default: return 0;
  }
}

void CLabelPrinterJob::ShowProgress() {
  if (ctx_.pageIndex % 4 != 0 || ctx_.IsPreviewDrawing()) return;
  CPrintThread* thread = ExistingPrintThread();
  if (!thread || !::IsWindowVisible(thread->StatusWindow())) return;
  AString text;
  text.Format("%d / %d", ctx_.pageIndex, ctx_.totalPositions);
  thread->SetStatusText(0, text);
}

int CLabelPrinterJob::OutputPage(Positions& positions, int repeat, int copies) {
  ctx_.pageIndex = (ctx_.labelsDone + ctx_.offset) / std::max(1, ctx_.labelsPerPage);
  ShowProgress();
  if (!ctx_.pageStarted) {
    if (table.pageStart && !table.pageStart(ctx_, ctx_.pageIndex, copies, 0, nullptr)) return 0;
    ctx_.pageStarted = true;
  }
  // The abort flag stops print runs; a preview draws its pages regardless.
  if (IsPrintAborted() && !ctx_.IsPreviewDrawing()) return 0;
  const CLabelSetup& setup = *ctx_.setup;
  long long w = setup.labelWidth, h = setup.labelHeight;
  if (setup.deflt_rotation % 2) std::swap(w, h);
  // The printer cannot print its unprintable edge: the page's origin is
  // there, so the label positions move by it.
  long long marginX = 0, marginY = 0;
  if (setup.IsSysPrinter && ctx_.IsPrinterTarget() && ctx_.dc) {
    marginX = 1000LL * GetDeviceCaps(ctx_.dc, PHYSICALOFFSETX) / std::max(1, ctx_.dpiX);
    marginY = 1000LL * GetDeviceCaps(ctx_.dc, PHYSICALOFFSETY) / std::max(1, ctx_.dpiY);
  }
  const int across = std::max<int>(1, setup.deflt_lblsPerRow);
  long long y = std::max(0LL, setup.deflt_topOff - marginY);
  int number = 0;
  for (size_t p = 0; p < positions.size(); ++p) {
    const int column = static_cast<int>(p) % across;
    if (column == 0 && p > 0) y += h + setup.deflt_vGap;
    const long long x = std::max(0LL, setup.deflt_leftOff - marginX) + column * (w + setup.deflt_hGap);
    if (p >= labelAt_.size() || !labelAt_[p]) continue;
    if (table.labelStart && !table.labelStart(ctx_, ctx_.recordCounter, static_cast<int>(x), static_cast<int>(y), nullptr))
      return 0;
    for (auto& f : positions[p])
      if (!f->doNotPrint) number += OutputField(*f, number);
    ++ctx_.labelsDone;
    if (++ctx_.copyCounter >= ctx_.copies) {
      ctx_.copyCounter = 0;
      ++ctx_.recordCounter;
    }
    if (table.labelEnd) table.labelEnd(ctx_, nullptr);
  }
  ctx_.labelsDone += (repeat - 1) * ctx_.labelsPerPage;
  int ok = 1;
  if (table.pageEnd && !table.pageEnd(ctx_, repeat, copies, nullptr)) {
    ok = 0;
    if (ctx_.overwriteAnswer == 0) SetPrintAbort();
  }
  ctx_.pageStarted = false;
  return ok;
}

int CLabelPrinterJob::RunPages() {
  if (table.jobStart && !table.jobStart(ctx_, nullptr)) {
    Report(ctx_.error);
    return 0;
  }
  if (ctx_.mode == PrintMode::kPreview && ctx_.request == PreviewRequest::kLayOut) return 1;
  Positions positions(static_cast<size_t>(ctx_.labelsPerPage));
  ctx_.labelsDone = 0;
  filled_ = fillRecord_ = fillCopy_ = 0;
  // The preview prints the one page it shows.
  const bool onePage = ctx_.mode == PrintMode::kPreview;
  const int firstPage = onePage ? std::max(0, ctx_.requestedPage) : 0;
  if (onePage && !SeekPage(firstPage)) {
    ctx_.error = LayoutShell()->TranslateUiString("The page has no labels to print.");
    Report(ctx_.error);
    return 0;
  }
  FillPage(positions, firstPage == 0);
  int ok = 1;
  // Every label is filled with its own values, one page at a time.
  while (true) {
    if (IsPrintAborted()) {
      ok = 0;
      break;
    }
    if (!OutputPage(positions, 1, 1)) {
      ok = 0;
      break;
    }
    const bool byRecord = ctx_.recordCount > 0;
    if (onePage || (byRecord ? ctx_.recordCounter >= ctx_.recordCount : ctx_.labelsDone >= ctx_.labelsToPrint)) break;
    FillPage(positions, false);
  }
  for (auto& list : positions) DeleteFieldList(list);
  if (ok && !ctx_.error.IsEmpty()) ok = 0;
  if (!ok && !IsPrintAborted() && !ctx_.error.IsEmpty()) Report(ctx_.error);
  if (ok && table.jobEnd) table.jobEnd(ctx_, nullptr);
  return ok;
}

bool CLabelPrinterJob::SeekPage(int page) {
  const int perPage = std::max(1, ctx_.labelsPerPage);
  // The labels before this page: the first page starts after its skipped
  // positions, every later one right after the page before it.
  const long long before = page <= 0 ? 0 : static_cast<long long>(page) * perPage - ctx_.offset;
  const int copies = std::max(1, ctx_.copies);
  const long long limit = ctx_.recordCount > 0 ? static_cast<long long>(ctx_.recordCount) * copies : ctx_.labelsToPrint;
  if (before >= limit) return false;
  ctx_.labelsDone = filled_ = static_cast<int>(before);
  ctx_.recordCounter = fillRecord_ = static_cast<int>(before / copies);
  ctx_.copyCounter = fillCopy_ = static_cast<int>(before % copies);
  ctx_.pageStarted = false;
  return true;
}

int CLabelPrinterJob::RenderSinglePage() {
  if (!ctx_.setup || !ctx_.fields || !ctx_.dc || ctx_.previewResolution <= 0) return 0;
  InstallPageOutput(table);
  MeasureDcReuse measuring;
  ctx_.mode = PrintMode::kPreview;
  ctx_.request = PreviewRequest::kDrawPage;
  ctx_.dpiX = ctx_.dpiY = ctx_.previewResolution;
  const int page = std::max(0, ctx_.requestedPage);
  if (!SeekPage(page)) return 1;  // past the last page: nothing on it
  CLabelSetup& setup = *ctx_.setup;
  AString reason;
  if (!OpenDbBindings(setup, &reason)) {
    ctx_.error = reason;
    CloseDbBindings(setup);
    return 0;
  }
  Positions positions(static_cast<size_t>(std::max(1, ctx_.labelsPerPage)));
  FillPage(positions, page == 0);
  const int drawn = OutputPage(positions, 1, 1);
  for (auto& list : positions) DeleteFieldList(list);
  // A preview's bindings are not left open between its pages.
  CloseDbBindings(setup);
  return drawn;
}
