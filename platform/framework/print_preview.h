// Print preview: a view that takes the place of the document's view in its
// frame and shows one or two printed pages, drawn by the document's view
// through its printing steps on the printer's page geometry and scaled to
// the screen; a bar above it pages, zooms, prints and closes.
#pragma once

#include <memory>

#include "platform/framework/control_bars.h"
#include "platform/framework/view.h"

class CPreviewView;

// The bar of the preview: Print, Next Page, Prev Page, One/Two Page, Zoom In, Zoom Out, Close.
class CPreviewBar : public CControlBar {
  DECLARE_DYNAMIC(CPreviewBar)

 public:
  BOOL Create(CFrameWnd* frame);
  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override { delete this; }
};

class CPreviewView : public CScrollView {
  DECLARE_DYNCREATE(CPreviewView)

 public:
  enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };
  struct PageInfo {
    CRect rectScreen;     // where the page is on the screen
    CSize sizeUnscaled;   // the page in printer pixels
    CSize sizeScaleRatio;  // screen size : printer size
  };

  CPreviewView();
  ~CPreviewView() override;
  // Takes the place of `view` in its frame for a run prepared by the caller.
  BOOL SetPrintView(CView* view, CPrintInfo* info);
  void OnDraw(CDC* dc) override;
  void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
  virtual CSize CalcPageDisplaySize();
  virtual void PositionPage(UINT index);
  virtual void SetCurrentPage(UINT page, BOOL clearRatios);
  virtual void OnDisplayPageNumber(UINT page, UINT pages);
  void SetZoomState(UINT state);
  // Ends the preview and gives the frame its view back (the object deletes itself).
  void ClosePreview();

  void OnPreviewClose();
  void OnNextPage();
  void OnPrevPage();
  void OnNumPageChange();
  void OnZoomIn();
  void OnZoomOut();
  void OnPreviewPrint();
  void OnUpdateNextPage(CCmdUI* ui);
  void OnUpdatePrevPage(CCmdUI* ui);
  void OnUpdateNumPageChange(CCmdUI* ui);
  void OnUpdateZoomIn(CCmdUI* ui);
  void OnUpdateZoomOut(CCmdUI* ui);
  void OnSize(UINT type, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* dc);

  CView* m_pPrintView = nullptr;
  CPrintInfo* m_pPreviewInfo = nullptr;
  CDC* m_pPrinterDC = nullptr;
  CPreviewBar* m_pToolBar = nullptr;
  HWND m_hWndPane = nullptr;  // the frame's own pane (a view or a splitter), hidden meanwhile
  UINT m_nPages = 1;       // pages shown side by side (1 or 2)
  UINT m_nZoomState = ZOOM_OUT;
  UINT m_nCurrentPage = 1;
  PageInfo m_pageInfo[2];
  CSize m_sizePrinterPPI;

  DECLARE_MESSAGE_MAP()
};

// The print-preview command of a view: prepares a run and shows the preview
// in the view's frame. FALSE when there is no printer.
BOOL DoPrintPreview(CView* view, CFrameWnd* frame);
