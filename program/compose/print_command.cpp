#include "program/compose/print_command.h"

#include "app/shell/label_designer_app.h"
#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"
#include "print/dialog/print_job_dlg.h"

bool RunPrintDialog(CDesignVu& view) {
  CRvoDoc* doc = view.GetDocument();
  if (!doc) return false;
  CPrintJobDlg dialog(nullptr);
  dialog.m_pDoc = doc;
  if (auto* app = dynamic_cast<CLabelDesignerApp*>(AfxGetApp()))
    dialog.m_printerSettings = app->GetPrinterDevMode(doc->labelSetup.lastPrinter.GetData());
  dialog.DoModal();
  return dialog.m_fieldDataChanged != 0;
}
