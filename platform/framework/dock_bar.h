// Dock bars: the strips along a frame's edges that hold its tool bars in
// rows. A frame that allows docking makes one dock bar per side it allows;
// docking a bar moves it into the side's dock bar, into the row a given
// rectangle falls in (after the bars left of it) or onto a row of its own.
// As the frame lays itself out, each dock bar takes as much of the edge as
// its rows need and places its bars; a bar that does not fit in what is left
// of its row's width goes on to the next line.
#pragma once

#include <vector>

#include "platform/framework/control_bars.h"

// The dock bars' ids, in the order a frame makes them.
inline constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B, AFX_IDW_DOCKBAR_LEFT = 0xE81C, AFX_IDW_DOCKBAR_RIGHT = 0xE81D,
                      AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
// Sides a frame or a bar allows docking on.
inline constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM,
                       CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)

 public:
  ~CDockBar() override;
  // A dock bar along one side (one CBRS_ALIGN_* style) of the frame.
  BOOL Create(CFrameWnd* frame, DWORD alignStyle, UINT id);
  // Moves the bar into this dock bar (out of any other). With a rectangle
  // (screen coordinates) the bar joins the row its top falls in, placed
  // after the bars that start left of it; without one, or outside every
  // row, it starts a row of its own at the end.
  void DockControlBar(CControlBar* bar, LPCRECT rect = nullptr);
  // Takes the bar out of its row (an emptied row goes). FALSE when not held.
  BOOL RemoveControlBar(CControlBar* bar);
  bool IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
  // The row holding the bar, or -1.
  int RowOf(const CControlBar* bar) const;
  int RowCount() const { return static_cast<int>(m_rows.size()); }
  const std::vector<CControlBar*>& Row(int index) const { return m_rows.at(static_cast<size_t>(index)); }

  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  // The frame makes its dock bars; each goes with its window.
  void PostNcDestroy() override { delete this; }
  LRESULT OnSizeParent(WPARAM, LPARAM lParam);

 private:
  // Places the visible bars along `length` pixels; returns the depth the
  // rows take. With place false nothing moves.
  int LayOut(int length, bool place);
  std::vector<std::vector<CControlBar*>> m_rows;
  DECLARE_MESSAGE_MAP()
};
