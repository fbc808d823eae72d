// The framework tests' MDI program.
#include "mdi_app.h"

namespace fwapp {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

IMPLEMENT_DYNCREATE(CItemsDoc, CDocument)
IMPLEMENT_DYNCREATE(CItemsView, CView)
IMPLEMENT_DYNCREATE(CItemsScrollView, CScrollView)
IMPLEMENT_DYNCREATE(CItemsChildFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CItemsDoc, CDocument)
  ON_COMMAND(ID_TEST_ADD, OnAdd)
  ON_COMMAND(ID_TEST_CLEAR, OnClear)
  ON_UPDATE_COMMAND_UI(ID_TEST_CLEAR, OnUpdateClear)
  ON_COMMAND(ID_TEST_MARK, OnMark)
END_MESSAGE_MAP()

void CItemsDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << CString("ITEMS");
    if (m_bFailWhileSaving) AfxThrowFileException(CFileException::diskFull, -1, ar.m_strFileName);
  } else {
    CString magic;
    ar >> magic;
    if (magic != CString("ITEMS")) AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
  }
  m_items.Serialize(ar);
}

void CItemsDoc::OnAdd() {
  Log().push_back("document ID_TEST_ADD");
  CString item;
  item.Format("Item %d", static_cast<int>(m_items.GetCount()) + 1);
  m_items.AddTail(item);
  SetModifiedFlag();
  UpdateAllViews(nullptr);
}

void CItemsDoc::OnClear() {
  Log().push_back("document ID_TEST_CLEAR");
  m_items.RemoveAll();
  SetModifiedFlag();
  UpdateAllViews(nullptr);
}

void CItemsDoc::OnUpdateClear(CCmdUI* ui) { ui->Enable(!m_items.IsEmpty()); }

void CItemsDoc::OnMark() { Log().push_back("document ID_TEST_MARK"); }

BEGIN_MESSAGE_MAP(CItemsView, CView)
  ON_COMMAND(ID_TEST_MARK, OnMark)
  ON_UPDATE_COMMAND_UI(ID_TEST_MARK, OnUpdateMark)
END_MESSAGE_MAP()

void CItemsView::OnDraw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  dc->FillSolidRect(&client, RGB(255, 255, 255));
  dc->FillSolidRect(4, 4, 12, 12, m_bMarked ? RGB(200, 0, 0) : RGB(0, 120, 0));
  CItemsDoc* doc = GetDocument();
  if (!doc) return;
  dc->SetBkMode(TRANSPARENT);
  dc->TextOut(22, 2, doc->GetTitle());
  int y = 22;
  for (POSITION pos = doc->m_items.GetHeadPosition(); pos; y += 16) dc->TextOut(8, y, doc->m_items.GetNext(pos));
}

BOOL CItemsView::OnPreparePrinting(CPrintInfo* info) {
  info->SetMaxPage(3);
  info->m_nNumPreviewPages = 2;
  return DoPreparePrinting(info);
}

void CItemsView::OnPrint(CDC* dc, CPrintInfo* info) {
  if (!info->m_bPreview)
    Log().push_back("printed page " + std::to_string(info->m_nCurPage) + " at " +
                    std::to_string(dc->GetDeviceCaps(LOGPIXELSX)) + " dpi");
  // A page: a frame an inch inside the edges and the page's number in it.
  const CRect& page = info->m_rectDraw;
  const int inch = dc->m_hAttribDC ? ::GetDeviceCaps(dc->m_hAttribDC, LOGPIXELSX) : 100;
  CPen pen(PS_SOLID, inch / 30, RGB(0, 0, 160));
  CPen* oldPen = dc->SelectObject(&pen);
  dc->SelectStockObject(NULL_BRUSH);
  dc->Rectangle(page.left + inch, page.top + inch, page.right - inch, page.bottom - inch);
  CBrush fill(info->m_nCurPage % 2 ? RGB(220, 60, 60) : RGB(60, 160, 60));
  CRect band(page.left + inch, page.top + inch, page.right - inch, page.top + 2 * inch);
  dc->FillRect(&band, &fill);
  // One bar per page number, so the pages tell themselves apart.
  for (UINT i = 0; i < info->m_nCurPage; ++i) {
    CRect bar(page.left + inch + static_cast<int>(i) * inch, page.top + 3 * inch,
              page.left + inch + static_cast<int>(i) * inch + inch / 2, page.top + 6 * inch);
    dc->FillRect(&bar, &fill);
  }
  dc->SelectObject(oldPen);
}

void CItemsView::OnMark() {
  Log().push_back("view ID_TEST_MARK");
  m_bMarked = !m_bMarked;
  Invalidate();
}

void CItemsView::OnUpdateMark(CCmdUI* ui) { ui->SetCheck(m_bMarked); }

void CItemsScrollView::OnInitialUpdate() {
  SetScrollSizes(MM_TEXT, CSize(600, 800));
  CScrollView::OnInitialUpdate();
}

void CItemsScrollView::OnDraw(CDC* dc) {
  dc->FillSolidRect(0, 0, 600, 800, RGB(240, 240, 255));
  for (int y = 0; y < 800; y += 40) dc->FillSolidRect(0, y, 600, 2, RGB(120, 120, 200));
  if (auto* doc = static_cast<CItemsDoc*>(GetDocument())) {
    CString text;
    text.Format("%d items", static_cast<int>(doc->m_items.GetCount()));
    dc->SetBkMode(TRANSPARENT);
    dc->TextOut(10, 10, text);
  }
}

BOOL CItemsChildFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (!m_wndSplitter.CreateStatic(this, 1, 2)) return FALSE;
  if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CItemsView), CSize(160, 100), context)) return FALSE;
  return m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CItemsScrollView), CSize(100, 100), context);
}

BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_TEST_FRAMECMD, OnFrameCommand)
  ON_UPDATE_COMMAND_UI(ID_TEST_INDICATOR, OnUpdateIndicator)
END_MESSAGE_MAP()

int CTestMainFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
  if (!m_wndToolBar.Create(this) || !m_wndToolBar.LoadToolBar(IDR_TESTMAIN)) return -1;
  static const UINT indicators[] = {ID_SEPARATOR, ID_TEST_INDICATOR};
  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 2)) return -1;
  return 0;
}

void CTestMainFrame::OnFrameCommand() { Log().push_back("frame ID_TEST_FRAMECMD"); }

void CTestMainFrame::OnUpdateIndicator(CCmdUI* ui) {
  auto* doc = static_cast<CItemsDoc*>(GetActiveDocument());
  CString text;
  text.Format("Items: %d", doc ? static_cast<int>(doc->m_items.GetCount()) : 0);
  ui->SetText(text);
  ui->Enable(doc != nullptr);
}

void CSettingsDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_TEST_NAME, m_name);
  DDV_MaxChars(dx, m_name, 12);
  DDX_Text(dx, IDC_TEST_COUNT, m_count);
  DDV_MinMaxInt(dx, m_count, 1, 99);
  DDX_Check(dx, IDC_TEST_ENABLED, m_enabled);
}

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(ID_TEST_APPCMD, OnAppCommand)
END_MESSAGE_MAP()

BOOL CTestApp::InitInstance() {
  if (!m_profile.empty()) SetProfileName(m_profile.c_str());
  LoadStdProfileSettings(4);
  m_pTemplate = new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CItemsDoc), RUNTIME_CLASS(CItemsChildFrame),
                                      RUNTIME_CLASS(CItemsView));
  AddDocTemplate(m_pTemplate);
  auto* frame = new CTestMainFrame;
  if (!frame->LoadFrame(IDR_TESTMAIN)) return FALSE;
  m_pMainWnd = frame;
  frame->MoveWindow(0, 0, 640, 420);
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  return TRUE;
}

BOOL CTestApp::DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*) {
  if (m_nextFileName.IsEmpty()) return FALSE;
  fileName = m_nextFileName;
  return TRUE;
}

void CTestApp::OnAppCommand() { Log().push_back("app ID_TEST_APPCMD"); }

}  // namespace fwapp
