#include "app/frame/frame_host.h"

#include "document/layout_shell.h"

const CFrameHost& FrameHost() {
  static const CFrameHost plain;
  if (const auto* host = dynamic_cast<const CFrameHost*>(AfxGetApp())) return *host;
  return plain;
}

bool ReaderMode() { return LayoutShell()->IsReaderMode(); }
bool NoSaveMode() { return LayoutShell()->IsNoSave(); }
bool StartingUp() { return LayoutShell()->IsStartingUp(); }
