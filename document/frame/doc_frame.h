// CDocFrmWnd: the layout window. An MDI child frame that holds a dynamic
// splitter of up to 2 x 2 design views and three bars laid out as an L
// around it: the corner button at the top left, the horizontal ruler beside
// it and the vertical ruler below it. It keeps the title's modified sign and
// the splitter's panes in step.
#pragma once

#include "document/frame/ruler_bar.h"
#include "document/view/design_view_host.h"
#include "platform/framework.h"

inline constexpr UINT kCornerBarId = 57675;
inline constexpr UINT kHorizontalRulerId = 57694;
inline constexpr UINT kVerticalRulerId = 57695;
// Posted to the frame: add the modified sign to the title (answers 1).
inline constexpr UINT kMarkTitleModifiedMessage = 1115;
// Which rulers ResetRulers resets: bit 0 the horizontal one, bit 1 the
// vertical one.
inline constexpr int kResetHorizontalRuler = 1;
inline constexpr int kResetVerticalRuler = 2;
inline constexpr int kResetBothRulers = 3;

class CDocFrmWnd : public CMDIChildWnd, public IDesignViewHost {
  DECLARE_DYNCREATE(CDocFrmWnd)

 public:
  CDocFrmWnd();
  ~CDocFrmWnd() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
  void RecalcLayout(BOOL notify = TRUE) override;
  BOOL DestroyWindow() override;
  // On activation the main frame prepares the layout menu for drawing in
  // the UI language; in reader mode only once its own menu is prepared.
  void OnUpdateFrameMenu(BOOL active, CWnd* activated, HMENU menuAlt) override;

  // Adds ("*" once) or removes one trailing "*" of the window's title, when
  // the frame shows a document.
  void UpdateTitleModifiedMark(bool modified) override;
  // The framework's title, with the sign while the document is modified.
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // Repaints the other design views of the splitter: the rectangle (client
  // pixels of the source view) where each of them shows it, else all of it.
  // Panes: -1 all, 0 the source's row, 1 the source's column.
  void SyncSplitterViews(CView* source, const RECT* rect, int panes);
  // The same over every pane; the design views then recompute their
  // scroll sizes.
  void SyncSplitterViews(CDesignVu* source, const RECT* rect) override;
  // Zoom and scroll position of the rulers taken again from the view.
  void ResetRulers(int which) override;
  // The rulers' cursor lines at a point of a view's client area.
  void MoveRulerMarks(CDesignVu* from, POINT client) override;
  // The other design views repaint, without the handles of their selection.
  void HideOtherSelections(CDesignVu* from) override;
  // Cursor lines of the rulers at view pixels; a negative value leaves that
  // ruler's line alone.
  void SetRulerCursorLines(int x, int y);
  // The rulers' offsets (screen pixels) for the main frame.
  void StoreRulerOffsets();
  // Every other pane's view is sent the Refresh command.
  void RefreshOtherViews(CView* source);

  CRulerBar& CornerBar() { return corner_; }
  CRulerBar& HorizontalRuler() { return horizontal_; }
  CRulerBar& VerticalRuler() { return vertical_; }
  CSplitterWnd& Splitter() { return splitter_; }

  int OnCreate(LPCREATESTRUCT cs);
  void OnShowWindow(BOOL show, UINT status);
  LRESULT OnMarkTitleModified(WPARAM, LPARAM);

 private:
  // The views of the splitter's panes other than the source, with whether
  // each is in the source's row and column.
  template <class Visit>
  void ForOtherPanes(CView* source, int panes, Visit visit);

  CRulerBar corner_{RulerKind::kCorner};
  CRulerBar horizontal_{RulerKind::kHorizontal};
  CRulerBar vertical_{RulerKind::kVertical};
  CSplitterWnd splitter_;

  DECLARE_MESSAGE_MAP()
};
