// The label print preview: the framework's preview view with pages drawn
// by the print dialog's job. The print dialog lays the pages out; the
// preview shows one or two of them at a time, numbered, moves between them,
// zooms and prints the page it shows through the same dialog. The dialog
// stays hidden behind it and comes back when the preview closes.
#pragma once

#include "platform/framework/print_preview.h"

class CPrintJobDlg;

// The preview's bar, made from a dialog template: its buttons, the page
// edit and the page count.
class CPrntPrevuBar : public CPreviewBar {
  DECLARE_DYNAMIC(CPrntPrevuBar)

 public:
  BOOL CreateFromTemplate(CFrameWnd* frame, UINT templateId);
  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  CSize size_;
};

class CPrntPrevu : public CPreviewView {
  DECLARE_DYNCREATE(CPrntPrevu)

 public:
  CPrntPrevu();
  ~CPrntPrevu() override;

  CSize CalcPageDisplaySize() override;
  void PositionPage(UINT index) override;
  void OnDraw(CDC* dc) override;
  void OnDisplayPageNumber(UINT page, UINT pages) override;

  // The print dialog whose lay-out run the preview shows (set before the
  // preview is shown); null draws nothing.
  CPrintJobDlg* m_pDialog = nullptr;

  void OnNext();
  void OnPrevious();
  void OnLast();
  void OnFirst();
  void OnPrintCurrentPage();
  void OnMultiplePages();
  void OnClose();
  void OnPageEditKillFocus();
  void OnPageEditChange();
  void OnUpdateNext(CCmdUI* ui);
  void OnUpdatePrevious(CCmdUI* ui);
  void OnUpdateLast(CCmdUI* ui);
  void OnUpdateFirst(CCmdUI* ui);
  void OnUpdatePrintCurrentPage(CCmdUI* ui);
  void OnUpdateAlways(CCmdUI* ui);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnLButtonDown(UINT flags, CPoint point);

  int PageCount() const;
  // Shows `pages` (1 or 2) pages side by side, the current page moved back
  // where they would run past the last page.
  void ShowPages(UINT pages);

 private:
  HWND BarItem(int id) const;
  bool writingPage_ = false;  // the page edit is being written, not typed in

  DECLARE_MESSAGE_MAP()
};

// Shows the preview of the dialog's lay-out run in place of `view` in its
// frame. FALSE when there is nothing laid out or no frame.
BOOL OpenLabelPreview(CPrintJobDlg& dialog, CView* view);
