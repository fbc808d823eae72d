// What the design view's Print and Print Preview commands run. Printing sits above the layout
// document in the program's layers, so the program installs it here; until
// it does, the commands stay off.
#pragma once

class CDesignVu;
class CWnd;
class CLabelSetup;

struct PrintCommands {
  // The print dialog for the view's layout, run modally; true when a run
  // changed field data (the view is then drawn again).
  bool (*print)(CDesignVu& view) = nullptr;
  // The print preview of the view's layout (false when it could not open).
  bool (*preview)(CDesignVu& view) = nullptr;
  // Ends the print thread when the program closes.
  void (*end)() = nullptr;
  // The layout's resolution or printer ("Specify DPI or Printer") on its
  // label setup, run modally; IDOK when confirmed.
  int (*targetDpi)(CWnd* parent, CLabelSetup& setup) = nullptr;
};

// Installs the table (null removes it); the table must outlive its use.
void SetPrintCommands(const PrintCommands* commands);
const PrintCommands* GetPrintCommands();
