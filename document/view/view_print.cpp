// The design view's Print commands: the print dialog the program installed.
#include "document/view/design_view.h"
#include "document/view/print_commands.h"

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
