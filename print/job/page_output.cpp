#include "print/job/page_output.h"

#include <sys/stat.h>

#include <algorithm>

#include "document/layout_shell.h"
#include "document/render/image_export.h"
#include "document/render/image_formats.h"
#include "document/render/label_metafile.h"
#include "document/render/label_render.h"
#include "fields/draw/field_draw.h"
#include "image/bitmap/pltextexception.h"
#include "image/bitmap/plwinbmp.h"
#include "image/filter/agcnvtdither.h"
#include "image/filter/plfiltergrayscale.h"
#include "print/job/abort_flag.h"
#include "print/job/print_context.h"
#include "print/thread/print_thread.h"
#include "platform/gdi/print_document.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

constexpr unsigned kBarcodeOwnPicture = 512;
constexpr int kPurposePrinter = 1, kPurposeImage = 2;

int ToDots(long long mils, int dpi) { return static_cast<int>(mils * dpi / 1000); }

HDC PageDc(CPrintJob& job) { return job.pageDc ? job.pageDc.get() : job.dc; }

int Returns1(CPrintJob&, FILE*) { return 1; }
int Spare(CPrintJob&) { return 1; }
int LabelEnd(CPrintJob&, FILE*) { return 1; }

int Draw(CPrintJob& job, CField& field, unsigned flags, int purpose) {
  const int x = ToDots(job.labelOrigin.x, job.dpiX), y = ToDots(job.labelOrigin.y, job.dpiY);
  DrawField(PageDc(job), field, *job.setup, 0, x, y, job.dpiX, job.dpiY, flags, purpose, 0);
  return 1;
}

bool FileExists(const char* path) {
  struct stat s;
  return ::stat(path, &s) == 0;
}

// The page bitmap as the picture the format and colour choice ask for.
int WritePicture(CPrintJob& job, const AString& name) {
  if (job.imageFormat == kImageFormatEmf)
    return SaveBitmapAsMetafile(name.GetData(), job.pageDc.get(), nullptr, job.pageBitmap.get(), job.setup->labelWidth,
                                job.setup->labelHeight, job.dpiX);
  try {
    PLWinBmp picture;
    // The bitmap leaves the device context while it is read.
    SelectObject(job.pageDc.get(), job.savedBitmap);
    const bool made = picture.CreateFromHBitmap(job.pageBitmap.get());
    SelectObject(job.pageDc.get(), job.pageBitmap.get());
    if (!made) return 0;
    if (job.imageColours == ImageColours::kBlackWhite) {
      AgCnvtDither dither(AG_DITHER_FLOYD_STEINBERG);
      if (!dither.ApplyInPlace(&picture)) return 0;
    } else if (job.imageColours == ImageColours::kGrey) {
      PLFilterGrayscale().ApplyInPlace(&picture);
    }
    return SaveBitmapAsImageFile(name.GetData(), picture, job.imageFormat);
  } catch (const PLTextException&) {
    return 0;
  }
}

}  // namespace

AString ImageFileName(const CPrintJob& job) {
  if (!job.severalImages) return job.layoutPath;
  AString name;
  name.Format("%s_%d.%s", job.layoutPath.GetData(), job.labelsDone, GetImageFormatExtension(job.imageFormat).GetData());
  return name;
}

void InstallPageOutput(PageOutputTable& table) {
  table = PageOutputTable{};
  table.jobStart = Returns1;
  table.labelInit = Returns1;
  table.jobCommands = Returns1;
  table.pageStart = PageStartOutput;
  table.pageEnd = PageEndOutput;
  table.labelStart = LabelFrameOutput;
  table.labelEnd = LabelEnd;
  table.lineField = FieldOutput;
  table.boxField = FieldOutput;
  table.ellipseField = FieldOutput;
  table.textField = FieldOutput;
  table.linearBarcodeField = BarcodeFieldOutput;
  table.twoDBarcodeField = FieldOutput;
  table.imageField = FieldOutput;
  table.paragraphField = FieldOutput;
  table.spare = Spare;
  table.jobEnd = Returns1;
}

int PageStartOutput(CPrintJob& job, int, int, int, FILE*) {
  if (job.IsPrinterTarget()) {
    if (StartPage(job.dc) <= 0) {
      job.error = "The printer did not start a page.";
      return 0;
    }
    return 1;
  }
  if (job.mode != PrintMode::kImages) return 1;  // the preview brings its own device context
  const RECT page{0, 0, ToDots(job.setup->labelWidth, job.dpiX), ToDots(job.setup->labelHeight, job.dpiY)};
  if (!job.pageDc) {
    {
      WindowDc screen;
      job.pageDc.reset(CreateCompatibleDC(screen.get()));
      if (page.right > 0 && page.bottom > 0)
        job.pageBitmap.reset(CreateCompatibleBitmap(screen.get(), page.right, page.bottom));
    }
    if (!job.pageDc || !job.pageBitmap) {
      job.pageDc.reset();
      job.pageBitmap.reset();
      job.error = LayoutShell()->TranslateUiString("Out of Memory!");
      LayoutShell()->UiMessageBox(job.error.GetData(), MB_OK);
      SetPrintAbort();
      return 0;
    }
    job.savedBitmap = SelectObject(job.pageDc.get(), job.pageBitmap.get());
  }
  FillRect(job.pageDc.get(), &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  return 1;
}

int LabelFrameOutput(CPrintJob& job, int, int x, int y, FILE*) {
  job.labelOrigin = POINT{x, y};
  RECT label{0, 0, ToDots(job.setup->labelWidth, job.dpiX), ToDots(job.setup->labelHeight, job.dpiY)};
  // Across by the horizontal resolution, down by the vertical.
  OffsetRect(&label, ToDots(x, job.dpiX), ToDots(y, job.dpiY));
  DrawLabelBackground(PageDc(job), *job.setup, label, job.dpiX);
  if (job.IsPreviewDrawing()) {
    const int corner = std::max(8, ToDots(job.setup->cornerSize, job.dpiY));
    SelectScope brush(PageDc(job), GetStockObject(NULL_BRUSH));
    RoundRect(PageDc(job), label.left, label.top, label.right, label.bottom, corner, corner);
  }
  return 1;
}

int PageEndOutput(CPrintJob& job, int, int, FILE*) {
  if (job.IsPrinterTarget()) {
    if (EndPage(job.dc) <= 0) {
      job.error = gdi::LastPrintError().c_str();
      return 0;
    }
    return 1;
  }
  if (job.mode != PrintMode::kImages) return 1;
  const AString name = ImageFileName(job);
  if (job.severalImages && job.overwriteAnswer < 0 && FileExists(name.GetData())) {
    // Asked once a run; the answer holds for the rest of it. The status
    // window steps aside for the question and comes back after "yes".
    CPrintThread* thread = ExistingPrintThread();
    if (thread) thread->PostShow(false, 1);
    job.overwriteAnswer = LayoutShell()->UiMessageNumber(20002, MB_YESNO) == IDYES ? 1 : 0;
    if (thread) {
      if (job.overwriteAnswer == 1) thread->PostShow(true, 1);
      else thread->PostStop();
    }
    if (job.overwriteAnswer == 0) return 0;
  }
  if (!WritePicture(job, name)) {
    job.error.Format("%s could not be written.", name.GetData());
    return 0;
  }
  return 1;
}

int FieldOutput(CPrintJob& job, CField& field, int, FILE*) {
  return Draw(job, field, 0, job.mode == PrintMode::kImages ? kPurposeImage : kPurposePrinter);
}

int BarcodeFieldOutput(CPrintJob& job, CField& field, int, FILE*) {
  const bool images = job.mode == PrintMode::kImages;
  return Draw(job, field, images ? kBarcodeOwnPicture : 0, images ? kPurposeImage : kPurposePrinter);
}
