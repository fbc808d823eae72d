// CFileDialog: the explorer-style open and save dialogs. The object is
// attached to the dialog's child (the caller's template, or an empty one),
// so a derived class adds controls through its template and answers them in
// its message map; the parent is the system dialog. The dialog's
// notifications arrive as virtual calls; OnFileNameOK may keep the dialog
// open. Filters are given as "Description|pattern|...|" pairs.
#pragma once

#include <vector>

#include "platform/framework/collections.h"
#include "platform/framework/dialog.h"

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  explicit CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                       CWnd* parent = nullptr);
  // IDOK with the chosen names, or IDCANCEL (cancelled, or failed: see
  // CommDlgExtendedError).
  INT_PTR DoModal() override;

  // The chosen file (the first of several); while the dialog is open, the
  // one it shows.
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  // The folder the open dialog shows.
  CString GetFolderPath() const;
  // The chosen files of a multiple selection, one after another.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  // Calls on the system dialog while it is open.
  void SetControlText(int id, const char* text);
  void HideControl(int id);
  void SetDefExt(const char* extension);

  OPENFILENAMEA m_ofn{};
  BOOL m_bOpenFileDialog;

 protected:
  // Non-zero keeps the dialog open: the name is refused.
  virtual BOOL OnFileNameOK() { return FALSE; }
  virtual void OnInitDone() {}
  virtual void OnFileNameChange() {}
  virtual void OnFolderChange() {}
  virtual void OnTypeChange() {}
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // The child dialog has no OK or Cancel of its own: the system dialog's decide.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  static UINT_PTR AfxFileHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  CString Ask(UINT message) const;
  std::vector<char> m_filter;
  std::vector<char> m_file;
  char m_title[MAX_PATH] = {};
  CString m_strDefExt;
};
