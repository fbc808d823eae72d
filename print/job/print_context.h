// CPrintJob: the state of one print run. The print run fills its request
// (mode, quantity, start position, the layout's path, the image settings),
// the label print job embeds it, works out the rest (sheet size, counts)
// and drives the output through it; the page output reads and updates it.
#pragma once

#include <cstdint>

#include "datasource/db_bindings.h"
#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"
#include "foundation/string/astring.h"
#include "platform/gdi/gdi_owners.h"

class CLabelPrinterJob;

// Where a run's pages go.
enum class PrintMode : uint8_t {
  kPrinter = 0,   // the layout's printer
  kFile = 1,      // the printer's document written to a file
  kImages = 2,    // picture files, one per label
  kPreview = 3,   // a request of the print preview (see PreviewRequest)
};
// What the preview asks for in mode 3.
enum class PreviewRequest : int {
  kNone = 0,
  kDrawPage = 1,     // draw one page into the preview's device context
  kLayOut = 2,       // count the pages, no output
  kPrintPage = 3,    // print the preview's current page on the printer
};
// Picture colours of mode 2.
enum class ImageColours : int16_t { kColour = 0, kGrey = 1, kBlackWhite = 2 };

class CPrintJob {
 public:
  CPrintJob() = default;
  CPrintJob(const CPrintJob&) = delete;
  CPrintJob& operator=(const CPrintJob&) = delete;

  // Mode tests.
  bool IsImageOutput() const { return mode == PrintMode::kImages || IsPreviewDrawing(); }
  bool IsPreviewDrawing() const { return mode == PrintMode::kPreview && request != PreviewRequest::kPrintPage; }
  bool IsPrinterOutput() const {
    return mode == PrintMode::kPrinter || (mode == PrintMode::kPreview && request == PreviewRequest::kPrintPage);
  }
  // Printer output or print to file: the run has a printer device context.
  bool IsPrinterTarget() const { return IsPrinterOutput() || mode == PrintMode::kFile; }

  CLabelPrinterJob* owner = nullptr;
  CLabelSetup* setup = nullptr;  // the layout's own until the run copies it
  CLabelSetup setupCopy;
  AString layoutPath;
  CFieldList* fields = nullptr;
  HWND parent = nullptr;

  // The printer's device context (owned by the run), or the preview's
  // (borrowed, never deleted here).
  HDC dc = nullptr;
  bool ownsDc = false;
  int spoolJob = 0;
  // Mode 2: the page's memory device context and bitmap, made by the first
  // page and released once, with the context.
  UniqueDc pageDc;
  UniqueBitmap pageBitmap;
  HGDIOBJ savedBitmap = nullptr;

  int quantity = 1;
  int copies = 1;
  int startRow = 0, startColumn = 0;
  int sheetWidth = 0, sheetHeight = 0;
  int dpiX = 300, dpiY = 300;
  int labelsPerPage = 1;
  int offset = 0;  // positions skipped on the first page
  int labelsToPrint = 0;
  int totalPositions = 0;
  int pageCount = 0;
  int labelsDone = 0;
  int pageIndex = 0;
  int recordCount = 0;  // records of a database selection (0: printing by count)
  int recordCounter = 0;
  int copyCounter = 0;
  POINT labelOrigin{0, 0};  // of the current label, thousandths of an inch

  // Flags of the field scan.
  bool singleLabel = false;
  bool countedFields = false;
  bool mixedCounts = false;
  bool wholeLabel = false;
  bool toImage = false;
  bool pageStarted = false;

  PrintMode mode = PrintMode::kPrinter;
  PreviewRequest request = PreviewRequest::kNone;
  int requestedPage = 0;
  int previewResolution = 0;

  // Mode 2.
  int imageFormat = 101;
  ImageColours imageColours = ImageColours::kColour;
  int imageResolution = 0;
  bool severalImages = false;
  int overwriteAnswer = -1;  // -1 not asked, 0 no, 1 yes

  // The data sources' state for the whole run (records, strings files).
  CDataRunContext data;
  // The reason the run failed, for its message.
  AString error;
};
