// The main frame's test program: the designer's frame over an application
// whose flags the tests set, with layout windows made of a small document, a
// scroll view that zooms and undoes, and a child frame known as a layout window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/frame/frame_host.h"
#include "app/frame/main_frame.h"
#include "document/layout_shell.h"
#include "platform/framework.h"

namespace frametest {

// What handled which command, in order ("view 2 57806", "app 57835").
std::vector<std::string>& Log();

class CTestLayoutDoc : public CDocument {
  DECLARE_DYNCREATE(CTestLayoutDoc)

 public:
  BOOL OnNewDocument() override;
  void Serialize(CArchive& ar) override;
  int m_number = 0;
};

class CTestLayoutView : public CScrollView {
  DECLARE_DYNCREATE(CTestLayoutView)

 public:
  void OnInitialUpdate() override;
  void OnDraw(CDC* dc) override;
  CTestLayoutDoc* Doc() const { return static_cast<CTestLayoutDoc*>(m_pDocument); }
  void OnZoomIn();
  void OnUndo();
  void OnOpaque();
  void OnUpdateOpaque(CCmdUI* ui);
  void OnUpdateUndo(CCmdUI* ui);

  int m_zoom = 150;
  int m_undone = 0;
  bool m_opaque = true;
  DECLARE_MESSAGE_MAP()
};

// Named as the designer's layout child frame, which is how the main frame
// tells layout windows from other MDI children.
class CDocFrmWnd : public CMDIChildWnd {
  DECLARE_DYNCREATE(CDocFrmWnd)
};

class CFrameTestApp : public CWinApp, public CLayoutShell, public CFrameHost {
 public:
  CFrameTestApp() : CWinApp("Mirolune") {}
  BOOL InitInstance() override;
  bool IsReaderMode() override { return m_reader; }
  bool IsNoSave() override { return m_nosave; }
  using CWinApp::GetProfileInt;
  using CWinApp::GetProfileString;
  using CWinApp::WriteProfileInt;
  using CWinApp::WriteProfileString;
  void OnSetTargetDpi();

  // Layout windows of the designer's own document and design view instead
  // of the small test document.
  bool m_designViews = false;
  bool m_reader = false;
  bool m_nosave = true;
  std::string m_profile;
  CMultiDocTemplate* m_pTemplate = nullptr;
  DECLARE_MESSAGE_MAP()
};

}  // namespace frametest
