#include "app/frame/frame_host.h"

const CFrameHost& FrameHost() {
  static const CFrameHost plain;
  if (const auto* host = dynamic_cast<const CFrameHost*>(AfxGetApp())) return *host;
  return plain;
}
