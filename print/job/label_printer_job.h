// CLabelPrinterJob: one print request turned into output. The print run
// hands it the label setup and the fields to print; the job opens its
// target (a printer, a print file, picture files or the preview), works out
// how many label positions and pages the request needs, fills each page
// with copies of the fields carrying each label's value, and sends every
// page, label and field through its page-output table.
#pragma once

#include <vector>

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"
#include "print/job/page_output.h"
#include "print/job/print_context.h"


// The page arithmetic of a run.
struct PageCounts {
  int labelsPerPage = 1;
  int offset = 0;          // positions left empty on the first page
  int labelsToPrint = 0;   // quantity x copies
  int totalPositions = 0;  // labels to print and the skipped positions
  int pages = 0;
};
// With driver output pages hold across x down labels; a printer-language job
// counts rows. Picture files hold one label each and skip nothing.
PageCounts CountPages(const CLabelSetup& setup, int quantity, int copies, int startRow, int startColumn, bool toImages);
// The sheet of labels in thousandths of an inch (width and height of a label
// swapped for an odd number of quarter turns).
SIZE SheetSize(const CLabelSetup& setup);
// The resolution, across and down, a run on the layout's printer draws its
// pages at when given the printer's settings `devMode` (null: the printer's
// own): the printer's information context is made as the run makes its
// device context. {0, 0} when the spooler knows no such printer.
SIZE PrinterRunResolution(const CLabelSetup& setup, const void* devMode);

class CLabelPrinterJob {
 public:
  CLabelPrinterJob();
  CLabelPrinterJob(const CLabelPrinterJob&) = delete;
  CLabelPrinterJob& operator=(const CLabelPrinterJob&) = delete;

  // Keeps the setup and the fields; both resolutions become the setup's. 1.
  int Prepare(CLabelSetup& setup, CFieldList& fields);
  // 1 when the run produced its output; 0 on a failure (the reason in
  // context().error, also shown) or an abort.
  int Run(HWND parent);
  // After a preview's lay-out run: draws page `context().requestedPage`
  // (0-based) into the preview's device context `context().dc`, at
  // `context().previewResolution` dots per inch, with the values its labels
  // have in the run. A page past the run's last one stays empty. 1 when the
  // page was drawn.
  int RenderSinglePage();
  // A printer's own settings for the run (may be null): the printer's device
  // context is made with them.
  void SetPrinterSettings(const void* devMode) { devMode_ = devMode; }
  int Send() { return 1; }
  static int ResetFieldPrintState(CFieldList& fields);

  CPrintJob& context() { return ctx_; }
  const CPrintJob& context() const { return ctx_; }
  AString outputPath;
  PageOutputTable table;

 private:
  using Positions = std::vector<CFieldList>;
  bool OpenTarget();
  // Sets the fill and label counters to the first label of page `page`
  // (0-based); false when the run has no label on that page.
  bool SeekPage(int page);
  void CloseTarget(bool delivered);
  void ScanFields();
  // Fills the positions of the next page; true when a copy has a value of
  // its own per label.
  bool FillPage(Positions& positions, bool firstPage);
  int OutputPage(Positions& positions, int repeat, int copies);
  // Every fourth page the status window shows how far the run is.
  void ShowProgress();
  int RunPages();
  int OutputField(CField& field, int number);
  void Report(const AString& text);

  CPrintJob ctx_;
  const void* devMode_ = nullptr;
  // Where filling stands (labels filled, record, copy of the record).
  int filled_ = 0, fillRecord_ = 0, fillCopy_ = 0;
  // Which positions of the page hold a label.
  std::vector<char> labelAt_;
};
