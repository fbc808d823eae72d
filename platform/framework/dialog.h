// Dialogs from templates, modal (DoModal, through the dialog manager's
// modal loop) or modeless (Create), with data exchange: DoDataExchange
// moves values between members and controls both ways, the DDX routines
// convert and the DDV routines check, a failed check tells the user, puts
// the focus on the control and stops the exchange.
#pragma once

#include <functional>

#include "platform/framework/controls.h"
#include "platform/framework/cstring.h"
#include "platform/framework/wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Focuses the last control prepared and ends the exchange (CUserException).
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
  int m_idLastControl = 0;
};

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog() = default;
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  explicit CDialog(const char* templateName, CWnd* parent = nullptr);
  ~CDialog() override;

  virtual INT_PTR DoModal();
  // A dialog built in memory (the template stays the caller's).
  BOOL InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
  void EndDialog(int result);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange*) {}
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  BOOL PreTranslateMessage(MSG* msg) override;
  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void GotoDlgCtrl(CWnd* control) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), 1); }
  void SetDefID(UINT id) { ::SendMessageA(m_hWnd, DM_SETDEFID, id, 0); }

  // The dialog manager's procedure of framework dialogs.
  static INT_PTR AfxDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  UINT m_nIDHelp = 0;
  const char* m_lpszTemplateName = nullptr;
  const DLGTEMPLATE* m_lpDialogTemplate = nullptr;
  CWnd* m_pParentWnd = nullptr;
  BOOL m_bModal = FALSE;

 protected:
  // Attaches `wnd` to a dialog the dialog manager has just made and puts the
  // framework's procedure in front of the dialog manager's.
  static void AttachDialogWindow(CWnd* wnd, HWND dialog);
  // For the common dialogs, which take a hook rather than a procedure: runs
  // `run` (the dialog's modal call) with this object waiting to be attached
  // by `HookedDialog`, and frees it again afterwards.
  BOOL RunCommonDialog(const std::function<BOOL()>& run);
  // The object of a common dialog's hook: at WM_INITDIALOG the waiting
  // object of class `kind` is attached and `started` set (its OnInitDialog
  // is the caller's to call); later, the object attached to `dialog`.
  static CDialog* HookedDialog(HWND dialog, UINT message, const CRuntimeClass* kind, bool& started);

  DECLARE_MESSAGE_MAP()
};

// Data exchange with controls.
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, char* value, int size);
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Checks, when saving.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue);
