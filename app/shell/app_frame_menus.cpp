// What layout windows ask of the main frame: the menus shown in the UI
// language and the view it remembers.
#include "app/frame/main_frame.h"
#include "app/shell/label_designer_app.h"

bool CLabelDesignerApp::IsFrameMenuPrepared() {
  const CMainFrame* frame = CMainFrame::Get();
  return frame && frame->m_menuTables[0].Built();
}

void CLabelDesignerApp::PrepareLayoutMenu() {
  if (CMainFrame* frame = CMainFrame::Get()) frame->PrepareOwnerDrawMenu(1, false);
}

void CLabelDesignerApp::CheckRememberedView() {
  if (CMainFrame* frame = CMainFrame::Get()) frame->CheckRememberedView();
}
