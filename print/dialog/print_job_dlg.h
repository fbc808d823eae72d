// The print dialog ("Print to Image/Printer"): every print request of a
// layout passes through it, and it owns the print run. The user chooses the
// layout's printer or picture files, the quantity and the print margin, and
// starts the run; the run copies the printable fields, asks for the output
// file where the mode needs one, runs a label print job with the print
// thread's status window up, and afterwards advances the counter files.
#pragma once

#include <cstdlib>
#include <functional>
#include <memory>

#include "app/controls/bitmap_buttons.h"
#include "app/ui/skin_dialog.h"
#include "fields/model/field_list.h"
#include "print/dialog/print_prompts.h"
#include "print/job/label_printer_job.h"

class CRvoDoc;

class CPrintJobDlg : public CSkinDialog {
 public:
  explicit CPrintJobDlg(CWnd* parent = nullptr);
  ~CPrintJobDlg() override;

  BOOL OnInitDialog() override;
  void OnOK() override;

  // 1 when the run went through (also when an abort left nothing printed),
  // 0 when it stopped before printing. request 0 prints from the dialog;
  // 2 lays out the preview's pages; 3 prints the preview's page `page`.
  int RunPrint(int request, int page, HDC dc, int imageDpi);
  void DeleteJob();
  void ClearPrintList();
  // Draws page `page` (0-based) of the preview's lay-out run into `dc` at
  // `dpi` dots per inch, the page's top-left corner at the device context's
  // origin. 1 when drawn.
  int RenderPreviewPage(int page, HDC dc, int dpi);

  // What a preview's lay-out run found, in thousandths of an inch and dots
  // per inch; the preview shows pages of this size.
  struct PreviewGeometry {
    int pageWidth = 0, pageHeight = 0;
    int dpiX = 0, dpiY = 0;
    int leftOffset = 0, topOffset = 0;
    int labelWidth = 0, labelHeight = 0;
    int hGap = 0, vGap = 0;
    int rowsPerPage = 0, labelsPerRow = 0;
    int pageCount = 0, quantity = 0, totalPositions = 0;
  };
  const PreviewGeometry& Preview() const { return preview_; }

  // Set by the creator before the dialog runs.
  CRvoDoc* m_pDoc = nullptr;
  // The printer's own settings kept by the program for the layout's
  // printer (a DEVMODE block), or null for the printer's defaults.
  const void* m_printerSettings = nullptr;
  // Keeps the settings the user chose under Printer Preferences for the
  // layout's printer (the program's store of them takes the block, which
  // was made with malloc). Without it the dialog keeps them for its runs.
  std::function<void(const char* printer, void* block)> m_keepPrinterSettings;
  // Set when a run rewrote the data of a Counter File field.
  int m_fieldDataChanged = 0;

  // Set by the creator: the dialog starts the preview as soon as it shows
  // (the design view's Print Preview command).
  bool m_startWithPreview = false;
  // The print dialog showing now (or hidden behind its preview), null when
  // none is.
  static CPrintJobDlg* Showing();
  // Called by the preview: it now shows the lay-out run; it has closed (the
  // dialog comes back).
  // `close` closes the preview (the dialog calls it when it ends first).
  void PreviewOpened(std::function<void()> close) {
    previewOpen_ = true;
    closePreview_ = std::move(close);
  }
  void PreviewClosed();
  // The preview window is gone (with its frame, or closed).
  void PreviewGone() {
    previewOpen_ = false;
    closePreview_ = nullptr;
  }
  bool PreviewOpen() const { return previewOpen_; }

  CLabelPrinterJob* Job() { return job_.get(); }
  // The rows asked before printing, null when the layout asks nothing.
  CPrintPrompts* Prompts() { return prompts_.get(); }
  int PageCount() const { return pageCount_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnPrint();
  void OnPreview();
  void OnPrinterPreferences();
  void OnShowWindow(BOOL show, UINT status);
  void OnPrintToImage();
  void OnPrintToFile();
  void OnQuantityChange();
  void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowMarginGroup(bool show);
  void ShowImagesHint(bool show);
  // Warns when the run would print at another resolution than the layout's.
  void ShowDpiWarning();
  bool ImageMode() const;
  bool FileMode() const;
  // The quantity in the edit: empty or 0 is 1 (and the edit says so);
  // false, with a message, outside 1 to 10000.
  bool ReadQuantity(int* quantity);
  // The margins typed, rounded to thousandths of an inch; a margin left as
  // shown keeps its exact value.
  bool ReadMargins();
  // Modes 1 and 2: the output file or folder; false when cancelled.
  bool ChooseOutput(PrintMode mode, int quantity);
  // The prompt rows above the dialog's own controls, which move down to
  // make room for them.
  void ShowPrompts();

  std::unique_ptr<CPrintPrompts> prompts_;

  struct FreeBlock {
    void operator()(void* block) const { std::free(block); }
  };
  std::unique_ptr<void, FreeBlock> ownSettings_;
  std::unique_ptr<CLabelPrinterJob> job_;
  CFieldList printList_;
  int previewPage_ = 0;
  int pageCount_ = 0;
  PreviewGeometry preview_;
  bool previewOpen_ = false;
  std::function<void()> closePreview_;
  AString outputPath_;
  CTipButton noPrinterTip_;
  CTipButton imagesTip_;
  double unitFactor_ = 0.001;
  int dbSelection_ = 0;
  int startRow_ = 0, startColumn_ = 0;
  AString shownLeft_, shownTop_;
};
