#include "app/frame/frame_host.h"

#include "document/layout_shell.h"

CFrameHost& FrameHost() {
  static CFrameHost plain;
  if (auto* host = dynamic_cast<CFrameHost*>(AfxGetApp())) return *host;
  return plain;
}

bool ReaderMode() { return LayoutShell()->IsReaderMode(); }
bool NoSaveMode() { return LayoutShell()->IsNoSave(); }
bool StartingUp() { return LayoutShell()->IsStartingUp(); }
