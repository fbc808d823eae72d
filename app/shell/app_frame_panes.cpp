// The layout code's status panes, shown by the main frame's status bar.
#include <string>

#include "app/frame/main_frame.h"
#include "app/shell/label_designer_app.h"

void CLabelDesignerApp::SetLabelSizePane(int width, int height, int units) {
  if (CMainFrame* frame = CMainFrame::Get()) frame->SetLabelSizePane(width, height, units);
}

void CLabelDesignerApp::SetDpiPane(int dpi) {
  if (CMainFrame* frame = CMainFrame::Get()) frame->SetDpiPane(("DPI " + std::to_string(dpi)).c_str());
}

// The pane draws printer names in black whatever colour the caller keeps.
void CLabelDesignerApp::SetPrinterPane(const char* name, COLORREF) {
  if (CMainFrame* frame = CMainFrame::Get()) frame->SetPrinterPane(name);
}

void CLabelDesignerApp::SetReadOnlyPane(bool locked) {
  if (CMainFrame* frame = CMainFrame::Get()) frame->SetReadOnlyPane(locked);
}

void CLabelDesignerApp::SetCursorPane(int x, int y, int units) {
  if (CMainFrame* frame = CMainFrame::Get()) frame->SetCursorPosPane(x, y, units);
}

void CLabelDesignerApp::SetCursorPosPane(int x, int y, int units) { SetCursorPane(x, y, units); }
