// CPrintDialog: the print dialog (or, for print setup, the same dialog with
// only the printer and its settings), over the spooler's printers. The
// printer's settings and names are global blocks in m_pd: blocks the object
// made are freed with it unless a caller took them (set the member to null);
// blocks a caller put there stay the caller's. While the dialog runs the
// object is attached to its window, as CColorDialog is.
#pragma once

#include "platform/framework/dialog.h"

class CPrintDialog : public CDialog {
  DECLARE_DYNAMIC(CPrintDialog)

 public:
  explicit CPrintDialog(BOOL printSetupOnly,
                        DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                      PD_NOSELECTION,
                        CWnd* parent = nullptr);
  ~CPrintDialog() override;
  INT_PTR DoModal() override;
  // The default printer's settings without showing anything.
  BOOL GetDefaults();

  // The chosen printer's settings (locked; null before a choice).
  DEVMODEA* GetDevMode() const;
  CString GetDriverName() const;
  CString GetDeviceName() const;
  CString GetPortName() const;
  // The device context the dialog made (PD_RETURNDC), or null.
  HDC GetPrinterDC() const { return m_pd.hDC; }
  // A new device context for the chosen printer and settings (the caller deletes it).
  HDC CreatePrinterDC();
  int GetCopies() const;
  BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
  int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
  int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

  PRINTDLGA m_pd{};

 protected:
  // OK and Cancel are the dialog's own: they go on to its procedure.
  void OnOK() override { Default(); }
  void OnCancel() override { Default(); }

 private:
  static UINT_PTR AfxPrintHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  LPPRINTHOOKPROC m_callerHook = nullptr;  // a hook the caller put in m_pd for this kind of dialog
  CString NameAt(WORD DEVNAMES::*offset) const;
  HGLOBAL m_madeDevMode = nullptr, m_madeDevNames = nullptr;
};
