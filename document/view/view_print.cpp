// The design view's Print commands: the print dialog the program installed.
#include "document/view/design_view.h"
#include "document/view/print_commands.h"

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/design_view_ids.h"

void CDesignVu::OnPrintLayout() {
  const PrintCommands* commands = GetPrintCommands();
  if (!commands || !commands->print || !GetDocument()) return;
  // A run that stepped counters changed what the fields show.
  if (commands->print(*this)) InvalidateClient(true);
}

void CDesignVu::OnUpdatePrintLayout(CCmdUI* ui) {
  const PrintCommands* commands = GetPrintCommands();
  ui->Enable(commands && commands->print && GetDocument());
}

void CDesignVu::OnTargetDpi() {
  const PrintCommands* commands = GetPrintCommands();
  CRvoDoc* doc = GetDocument();
  if (!commands || !commands->targetDpi || !doc) return;
  CLabelSetup& setup = doc->labelSetup;
  const int dpiX = setup.dpiX, dpiY = setup.dpiY;
  if (commands->targetDpi(this, setup) == IDOK && (setup.dpiX != dpiX || setup.dpiY != dpiY)) {
    // The fields are measured in the new resolution's dots.
    PostMessage(WM_COMMAND, viewcmd::kRefresh, 0);
    doc->SetModifiedFlag(TRUE);
  }
  LayoutShell()->SetDpiPane(setup.dpiX);
  LayoutShell()->SetPrinterPane(setup.lastPrinter.GetData(), RGB(44, 33, 80));
}

void CDesignVu::OnUpdateTargetDpi(CCmdUI* ui) {
  const PrintCommands* commands = GetPrintCommands();
  ui->Enable(commands && commands->targetDpi && GetDocument() && !LayoutShell()->IsReaderMode());
}
