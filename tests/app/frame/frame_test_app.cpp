#include "frame_test_app.h"

#include "app/frame/frame_ids.h"
#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"

namespace frametest {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

IMPLEMENT_DYNCREATE(CTestLayoutDoc, CDocument)
IMPLEMENT_DYNCREATE(CTestLayoutView, CScrollView)
IMPLEMENT_DYNCREATE(CDocFrmWnd, CMDIChildWnd)

BOOL CTestLayoutDoc::OnNewDocument() {
  static int made = 0;
  m_number = ++made;
  return CDocument::OnNewDocument();
}

void CTestLayoutDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_number;
  } else {
    ar >> m_number;
  }
}

BEGIN_MESSAGE_MAP(CTestLayoutView, CScrollView)
  ON_COMMAND(ID_ZOOM_IN, OnZoomIn)
  ON_COMMAND(ID_EDIT_UNDO_LAYOUT, OnUndo)
  ON_COMMAND(ID_OPAQUE_VIEW, OnOpaque)
  ON_UPDATE_COMMAND_UI(ID_OPAQUE_VIEW, OnUpdateOpaque)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO_LAYOUT, OnUpdateUndo)
END_MESSAGE_MAP()

void CTestLayoutView::OnInitialUpdate() {
  SetScrollSizes(MM_TEXT, CSize(900, 700));
  CScrollView::OnInitialUpdate();
}

void CTestLayoutView::OnDraw(CDC* dc) {
  dc->FillSolidRect(0, 0, 900, 700, RGB(255, 255, 255));
  dc->FillSolidRect(20, 20, m_zoom, 40, RGB(0, 0, 0));
}

void CTestLayoutView::OnZoomIn() {
  m_zoom += m_zoom / 10;
  Log().push_back("view " + std::to_string(Doc()->m_number) + " zoom " + std::to_string(m_zoom));
}

void CTestLayoutView::OnUndo() {
  ++m_undone;
  Log().push_back("view " + std::to_string(Doc()->m_number) + " undo");
}

void CTestLayoutView::OnOpaque() { m_opaque = !m_opaque; }
void CTestLayoutView::OnUpdateOpaque(CCmdUI* ui) { ui->SetCheck(m_opaque ? 1 : 0); }
void CTestLayoutView::OnUpdateUndo(CCmdUI* ui) { ui->Enable(m_zoom > 150); }

BEGIN_MESSAGE_MAP(CFrameTestApp, CWinApp)
  ON_COMMAND(ID_SET_TARGET_DPI, OnSetTargetDpi)
  ON_COMMAND(ID_FILE_NEW_LAYOUT, OnFileNew)
END_MESSAGE_MAP()

BOOL CFrameTestApp::InitInstance() {
  if (!m_profile.empty()) SetProfileName(m_profile.c_str());
  m_pTemplate = m_designViews ? new CMultiDocTemplate(IDR_LAYOUTMENU, RUNTIME_CLASS(CRvoDoc), RUNTIME_CLASS(CDocFrmWnd),
                                                      RUNTIME_CLASS(CDesignVu))
                              : new CMultiDocTemplate(IDR_LAYOUTMENU, RUNTIME_CLASS(CTestLayoutDoc),
                                                      RUNTIME_CLASS(CDocFrmWnd), RUNTIME_CLASS(CTestLayoutView));
  AddDocTemplate(m_pTemplate);
  auto* frame = new CMainFrame;
  // A frame whose creation fails destroys itself.
  if (!frame->LoadFrame(IDR_MAINFRAME)) return FALSE;
  m_pMainWnd = frame;
  frame->MoveWindow(0, 0, 900, 600);
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  return TRUE;
}

void CFrameTestApp::OnSetTargetDpi() { Log().push_back("app " + std::to_string(ID_SET_TARGET_DPI)); }

}  // namespace frametest
