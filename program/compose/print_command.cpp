#include "program/compose/print_command.h"

#include "app/shell/label_designer_app.h"
#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"
#include "print/dialog/print_job_dlg.h"
#include "print/preview/label_preview.h"
#include "print/printer/printer_dpi_dlg.h"

namespace {

bool RunDialog(CDesignVu& view, bool preview) {
  CRvoDoc* doc = view.GetDocument();
  if (!doc) return false;
  CPrintJobDlg dialog(nullptr);
  dialog.m_pDoc = doc;
  dialog.m_startWithPreview = preview;
  if (auto* app = dynamic_cast<CLabelDesignerApp*>(AfxGetApp())) {
    dialog.m_printerSettings = app->GetPrinterDevMode(doc->labelSetup.lastPrinter.GetData());
    dialog.m_keepPrinterSettings = [app](const char* printer, void* block) { app->SetPrinterDevMode(printer, block); };
  }
  dialog.DoModal();
  return dialog.m_fieldDataChanged != 0;
}

}  // namespace

bool RunPrintDialog(CDesignVu& view) { return RunDialog(view, false); }

bool RunPrintPreview(CDesignVu& view) {
  // The print dialog's Preview button: the dialog has laid the pages out.
  if (CPrintJobDlg* dialog = CPrintJobDlg::Showing(); dialog && dialog->m_pDoc == view.GetDocument())
    return OpenLabelPreview(*dialog, &view) != FALSE;
  // The menu's Print Preview: the print dialog opens on its preview, and
  // comes back when the preview closes.
  if (RunDialog(view, true)) view.Invalidate(TRUE);
  return true;
}

int RunTargetDpiDialog(CWnd* parent, CLabelSetup& setup) {
  CPrinterDpiDlg dialog(parent);
  dialog.m_pSetup = &setup;
  return static_cast<int>(dialog.DoModal());
}
