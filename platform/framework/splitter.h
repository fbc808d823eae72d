// Splitter windows: panes (views) in rows and columns with bars between
// them that the mouse drags. A static splitter has its panes from the start;
// a dynamic one starts with one pane and splits when a split box (at the
// top of the vertical bar, the left of the horizontal one) or the split
// command is dragged, making the new panes from the first pane's view class.
// Created with WS_HSCROLL or WS_VSCROLL, the splitter keeps scroll bars its
// panes share: one horizontal bar under each column and one vertical bar
// right of each row; a pane scrolls through its column's and its row's bar,
// and the panes sharing a bar scroll together.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/controls.h"

#include "platform/framework/frame.h"
#include "platform/framework/view.h"
#include "platform/framework/wnd.h"

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  BOOL CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                    UINT id = AFX_IDW_PANE_FIRST);
  BOOL Create(CWnd* parent, int maxRows, int maxCols, SIZE min, CCreateContext* context,
              DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_PANE_FIRST);
  virtual BOOL CreateView(int row, int col, const CRuntimeClass* viewClass, SIZE initial, CCreateContext* context);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetMaxRowCount() const { return m_nMaxRows; }
  int GetMaxColumnCount() const { return m_nMaxCols; }
  void GetRowInfo(int row, int& current, int& min) const;
  void SetRowInfo(int row, int ideal, int min);
  void GetColumnInfo(int col, int& current, int& min) const;
  void SetColumnInfo(int col, int ideal, int min);
  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const { return static_cast<int>(AFX_IDW_PANE_FIRST) + row * 16 + col; }
  BOOL IsChildPane(CWnd* window, int* row, int* col);
  CWnd* GetActivePane(int* row = nullptr, int* col = nullptr);

  // Dynamic splitters: split at a position, or join again.
  virtual BOOL SplitRow(int cyBefore);
  virtual BOOL SplitColumn(int cxBefore);
  virtual void DeleteRow(int row);
  virtual void DeleteColumn(int col);
  virtual void RecalcLayout();
  BOOL IsDynamic() const { return m_bDynamic; }

  // The shared bar a pane scrolls through (SB_HORZ: its column's, SB_VERT:
  // its row's); null when the splitter shares none that way.
  CScrollBar* GetSharedScrollBar(const CWnd* pane, int bar) const;
  // After `from` scrolled by (dx, dy): the panes sharing its bars follow.
  void ScrollSharingPanes(const CWnd* from, int dx, int dy);

  void OnPaint();
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // Metrics: the bar between panes and the split boxes.
  int m_cxSplitter = 7, m_cySplitter = 7;
  int m_cxSplitterGap = 7, m_cySplitterGap = 7;
  int m_cxBorder = 2, m_cyBorder = 2;

 protected:
  struct RowColInfo {
    int nMinSize = 0;
    int nIdealSize = 0;
    int nCurSize = 0;
  };
  enum class Hit { None, VSplitBox, HSplitBox, HBar, VBar };
  Hit HitTest(CPoint point, int* index) const;
  void DrawBars(CDC* dc);
  static void Layout(std::vector<RowColInfo>& infos, int count, int total, int gap);
  BOOL CreateCommon(CWnd* parent, DWORD style, UINT id);
  // Makes or removes shared bars to match the rows and columns, and places
  // them beside the panes.
  void LayOutScrollBars(const RECT& client, int x0, int y0);
  // The pane a shared bar's scrolling goes to: the active pane when it
  // shares the bar, else the first that does.
  CWnd* PaneForBar(int bar, int index);

  int m_nMaxRows = 1, m_nMaxCols = 1;
  int m_nRows = 0, m_nCols = 0;
  BOOL m_bDynamic = FALSE;
  CSize m_sizeMin;
  const CRuntimeClass* m_pDynamicViewClass = nullptr;
  std::vector<RowColInfo> m_rowInfo, m_colInfo;
  // Tracking a drag of a bar or split box.
  Hit m_tracking = Hit::None;
  int m_trackIndex = 0;
  // Shared scroll bars (WS_HSCROLL / WS_VSCROLL at creation).
  BOOL m_bHasHScroll = FALSE, m_bHasVScroll = FALSE;
  std::vector<std::unique_ptr<CScrollBar>> m_hBars, m_vBars;  // per column, per row

  DECLARE_MESSAGE_MAP()
};
