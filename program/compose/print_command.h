// The design view's Print command as the program runs it.
#pragma once

class CDesignVu;
class CWnd;
class CLabelSetup;

// The print dialog on the view's layout, with the printer settings the
// program keeps for the layout's printer; true when a run changed field data.
bool RunPrintDialog(CDesignVu& view);
// The design view's Print Preview command: the preview of the print dialog
// showing for the view's layout, or the print dialog opened on its preview.
bool RunPrintPreview(CDesignVu& view);
// "Specify DPI or Printer" on a layout's label setup; IDOK when confirmed.
int RunTargetDpiDialog(CWnd* parent, CLabelSetup& setup);
