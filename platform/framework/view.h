// Views: child windows that show a document and take the commands first;
// the scroll view keeps a logical size and scrolls it. CCreateContext tells
// a frame which view and document to make; CPrintInfo carries a print or
// preview run through the view's printing steps.
#pragma once

#include "platform/framework/document.h"
#include "platform/framework/gdi_objects.h"
#include "platform/framework/wnd.h"

class CDocTemplate;
class CFrameWnd;
class CView;

struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

struct CPrintDialogState {
  HDC hDC = nullptr;
  CString printerName;
};

class CPrintDialog;

class CPrintInfo {
 public:
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;
  void SetMinPage(UINT page) { m_nMinPage = page; }
  void SetMaxPage(UINT page) { m_nMaxPage = page; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }
  UINT GetFromPage() const { return m_nFromPage; }
  UINT GetToPage() const { return m_nToPage; }
  UINT GetOffsetPage() const { return 0; }

  BOOL m_bPreview = FALSE;
  BOOL m_bDirect = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;  // 1 or 2 pages side by side
  CString m_strPageDesc = "Page %u\nPages %u-%u\n";
  void* m_lpUserData = nullptr;
  CRect m_rectDraw;
  CString m_strPrinterName;  // the printer of the run
  HDC m_hPrinterDC = nullptr;  // made by DoPreparePrinting, deleted with the run
  // The print dialog a print run (not a preview, not a direct one) shows:
  // its printer, page range and copies.
  CPrintDialog* m_pPD;

 private:
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = 0xFFFF;
  UINT m_nFromPage = 1;
  UINT m_nToPage = 0xFFFF;
  friend class CView;
};

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override { delete this; }
  // A pane of a splitter with shared scroll bars scrolls through them.
  CScrollBar* GetScrollBarCtrl(int bar) const override;

  virtual void OnDraw(CDC* dc) = 0;
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
  virtual void OnActivateFrame(UINT, CFrameWnd*) {}

  // Printing: the steps a print or preview run calls.
  virtual BOOL OnPreparePrinting(CPrintInfo* info);
  virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
  virtual void OnPrint(CDC* dc, CPrintInfo* info);
  virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
  virtual void OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, class CPreviewView* view);
  // Finds the printer (the default one unless the run names one) and makes
  // its device context; FALSE when there is no printer.
  BOOL DoPreparePrinting(CPrintInfo* info);
  void OnFilePrint();
  void OnFilePrintPreview();

  int OnCreate(LPCREATESTRUCT cs);
  void OnPaint();
  int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

  CDocument* m_pDocument = nullptr;

  DECLARE_MESSAGE_MAP()
  friend class CDocument;
};

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)

 public:
  static const SIZE sizeDefault;
  void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault, const SIZE& line = sizeDefault);
  CPoint GetScrollPosition() const;
  CSize GetTotalSize() const { return m_totalLog; }
  void ScrollToPosition(POINT point);
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;

  void OnSize(UINT type, int cx, int cy);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);

 protected:
  void UpdateBars();
  BOOL OnScrollBy(CSize by, BOOL doScroll = TRUE);
  void Scroll(int bar, UINT code);

  int m_nMapMode = MM_TEXT;
  CSize m_totalLog;
  CSize m_totalDev;
  CSize m_pageDev;
  CSize m_lineDev;

  DECLARE_MESSAGE_MAP()
};
