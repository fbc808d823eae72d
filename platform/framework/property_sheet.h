// Property sheets and pages over the common controls' PropertySheet. A page
// is a dialog made from its template when the sheet first shows it; it hears
// the sheet's notifications as virtual calls (OnSetActive, OnKillActive,
// OnApply, OnReset, OnQueryCancel). The sheet's window is attached to its
// object before the first page is made, so a page can reach its sheet from
// its own initialisation; the sheet's OnInitDialog runs once every page the
// sheet starts with is in place. DoModal answers IDOK or IDCANCEL as the
// sheet was closed, or what EndDialog was given. In wizard mode the pages
// come one after another with Back, Next and Finish (DoModal answers
// ID_WIZFINISH or IDCANCEL); Create opens the sheet modeless, and the sheet
// destroys its window once a button or the close box has closed it.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/dialog.h"
#include "platform/framework/tab_ctrl.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);
  explicit CPropertyPage(const char* templateName, UINT captionId = 0);

  // A page shown again reloads its controls from its members.
  virtual BOOL OnSetActive();
  // Takes the controls' values; a failed check keeps the page shown.
  virtual BOOL OnKillActive();
  // OK and Apply: OnApply calls OnOK, which marks the page unchanged.
  virtual BOOL OnApply();
  void OnOK() override;
  // Cancel: OnReset calls OnCancel, which leaves the members as they are.
  virtual void OnReset();
  void OnCancel() override;
  // FALSE keeps the sheet open when Cancel is pressed.
  virtual BOOL OnQueryCancel();
  // Wizard buttons: 0 turns to the previous (next) page, -1 stays, a page's
  // template id turns to that page.
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  // FALSE keeps the wizard open. By default the page's controls are taken
  // as leaving the page would, so the last page's values are not lost.
  virtual BOOL OnWizardFinish();

  // Marks the page changed (the sheet enables Apply) or unchanged.
  void SetModified(BOOL changed = TRUE);
  BOOL IsModified() const { return m_bChanged; }
  // After an irrevocable change: Cancel is disabled and OK reads "Close".
  void CancelToClose();
  // Asks each page of the sheet; the first non-zero answer stops the round.
  LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
  // A page runs only inside a sheet.
  INT_PTR DoModal() override { return -1; }

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // The sheet's dialog manager handles the keyboard for its pages.
  BOOL PreTranslateMessage(MSG*) override { return FALSE; }

  // The sheet the page is in, while it is in one.
  CPropertySheet* GetSheet() const { return m_pSheet; }

  // The dialog manager's procedure of framework pages.
  static INT_PTR AfxPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  PROPSHEETPAGEA m_psp{};
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;

 private:
  friend class CPropertySheet;
  void FillPage();
  CPropertySheet* m_pSheet = nullptr;
  BOOL m_bChanged = FALSE;
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  CPropertySheet() = default;
  explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);
  ~CPropertySheet() override;

  // Pages (the sheet does not own them). While the sheet is open a page
  // added or removed comes or goes at once.
  void AddPage(CPropertyPage* page);
  void RemovePage(CPropertyPage* page);
  void RemovePage(int index);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(const CPropertyPage* page) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  // Turns to a page as a click on its tab would (the page shown may refuse).
  BOOL SetActivePage(int index);
  BOOL SetActivePage(CPropertyPage* page);
  // The caption; PSH_PROPTITLE makes it "Properties for <text>".
  void SetTitle(const char* text, UINT style = 0);
  // The sheet's tab control (null before the sheet is open).
  CTabCtrl* GetTabControl() const;
  // Presses a sheet button (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, ...).
  BOOL PressButton(int button);

  virtual INT_PTR DoModal();
  // Opens the sheet modeless (WS_VISIBLE and the caption unless `style` says
  // otherwise); the window stays until a button closes it or DestroyWindow.
  virtual BOOL Create(CWnd* parent = nullptr, DWORD style = static_cast<DWORD>(-1), DWORD exStyle = 0);
  // Wizard mode, set before DoModal or Create.
  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
  // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, PSWIZB_DISABLEDFINISH.
  void SetWizardButtons(DWORD flags);
  // Finish (with this text) in place of Back and Next.
  void SetFinishText(const char* text);
  // Runs once the sheet's window and its first page exist.
  virtual BOOL OnInitDialog();
  // Ends a modal sheet with `result` as DoModal's answer.
  void EndDialog(int result);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A modeless sheet takes the keyboard of its pages as the dialog manager does.
  BOOL PreTranslateMessage(MSG* msg) override;

  PROPSHEETHEADERA m_psh{};
  CString m_strCaption;
  CWnd* m_pParentWnd = nullptr;

 private:
  friend class CPropertyPage;
  void AttachSheet(HWND sheet);
  static int SheetCallback(HWND sheet, UINT message, LPARAM param);
  // The page records and header both DoModal and Create pass on.
  PROPSHEETHEADERA BuildHeader(std::vector<PROPSHEETPAGEA>& records, CWnd* parent);
  BOOL m_bModeless = FALSE;

  std::vector<CPropertyPage*> m_pages;
  UINT m_nStartPage = 0;
  // How the sheet was closed: the button or close box that ended it, or
  // EndDialog's result.
  int m_nClosedBy = 0;
  BOOL m_bEnded = FALSE;
  mutable std::unique_ptr<CTabCtrl> m_tabWrapper;  // calls on the tab control when nothing else holds it
};
