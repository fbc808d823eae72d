// The framework tests' MDI program: a document of text items, a child frame
// with two views in a static splitter, a main frame with a tool bar and a
// status bar, a settings dialog with data exchange, and a log of which
// object handled each command.
#pragma once

#include <string>
#include <vector>

#include "framework_test_ids.h"
#include "platform/framework.h"

namespace fwapp {

// What handled what, in order ("view ID_TEST_MARK", ...).
std::vector<std::string>& Log();

class CItemsDoc : public CDocument {
  DECLARE_DYNCREATE(CItemsDoc)

 public:
  void Serialize(CArchive& ar) override;
  void DeleteContents() override { m_items.RemoveAll(); }
  void OnAdd();
  void OnClear();
  void OnUpdateClear(CCmdUI* ui);
  void OnMark();  // also handled by the view, which comes first

  CStringList m_items;
  BOOL m_bFailWhileSaving = FALSE;  // makes Serialize throw part way
  DECLARE_MESSAGE_MAP()
};

class CItemsView : public CView {
  DECLARE_DYNCREATE(CItemsView)

 public:
  CItemsDoc* GetDocument() const { return static_cast<CItemsDoc*>(m_pDocument); }
  void OnDraw(CDC* dc) override;
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override;
  void OnMark();
  void OnUpdateMark(CCmdUI* ui);
  BOOL m_bMarked = FALSE;
  DECLARE_MESSAGE_MAP()
};

class CItemsScrollView : public CScrollView {
  DECLARE_DYNCREATE(CItemsScrollView)

 public:
  void OnInitialUpdate() override;
  void OnDraw(CDC* dc) override;
};

class CItemsChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CItemsChildFrame)

 public:
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
  CSplitterWnd m_wndSplitter;
};

class CTestMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CTestMainFrame)

 public:
  int OnCreate(LPCREATESTRUCT cs);
  void OnFrameCommand();
  void OnUpdateIndicator(CCmdUI* ui);
  CToolBar m_wndToolBar;
  CStatusBar m_wndStatusBar;
  DECLARE_MESSAGE_MAP()
};

class CSettingsDlg : public CDialog {
 public:
  explicit CSettingsDlg(CWnd* parent = nullptr) : CDialog(IDD_TESTSETTINGS, parent) {}
  void DoDataExchange(CDataExchange* dx) override;
  CString m_name = "first";
  int m_count = 3;
  int m_enabled = 1;
};

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("Framework Test") {}
  BOOL InitInstance() override;
  BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFileDialog,
                        CDocTemplate* tmpl) override;
  void OnAppCommand();

  // The name the next file prompt answers; empty cancels it.
  CString m_nextFileName;
  std::string m_profile;
  CMultiDocTemplate* m_pTemplate = nullptr;
  DECLARE_MESSAGE_MAP()
};

}  // namespace fwapp
