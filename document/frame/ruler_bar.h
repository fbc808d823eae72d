// The bars of a layout window: a corner button that shows the label's
// orientation and turns the layout by a quarter turn, and the horizontal and
// vertical rulers whose scale follows the active design view's zoom and
// scroll position, with a line that follows the mouse.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

class CRvoDoc;
class IDesignView;

enum class RulerKind : int { kCorner = 0, kHorizontal = 1, kVertical = 2 };

// Zoom value meaning: take the zoom and scroll position from the view again
// at the next paint.
inline constexpr int kRulerZoomUnknown = -90;
inline constexpr UINT kRulerHoverTimer = 6;
inline constexpr UINT kRulerHoverMs = 600;
inline constexpr COLORREF kRulerCursorColour = RGB(203, 103, 0);
inline constexpr COLORREF kRulerSeparatorColour = RGB(103, 103, 103);

class CRulerBar : public CControlBar {
  DECLARE_DYNAMIC(CRulerBar)

 public:
  explicit CRulerBar(RulerKind kind = RulerKind::kHorizontal);
  ~CRulerBar() override;

  // Registers the bar's class (arrow cursor, button-face background) and
  // makes the window with style | WS_CLIPSIBLINGS; the bar keeps the style
  // bits of the mask 0x40FFFF.
  BOOL Create(CFrameWnd* parent, DWORD style, UINT id);
  // Corner: (thickness + extra) x thickness; horizontal ruler: very wide,
  // thickness high; vertical ruler: thickness + extra wide, very high. The
  // extra width is 4 while the frame is maximised.
  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

  // The scale is taken from the view again at the next paint.
  void ResetScale();
  // Moves the cursor line to a position (pixels of the view) and repaints
  // the 8-pixel strips around the old and the new place.
  void SetCursorLine(int position);
  // Ends a hover over the corner: the capture, the tip and the timer.
  void StopHover();
  // Paints the whole bar into a device context of its client area.
  void Paint(HDC dc);

  RulerKind Orientation() const { return orientation_; }
  int thickness = 20;
  int extraWidth = 0;
  int zoomX = kRulerZoomUnknown;
  int zoomY = kRulerZoomUnknown;
  int scrollPosition = 0;
  int cursorLine = -10;
  bool tipShown = false;
  AString tipText;
  int hoverTimer = -1;
  CRvoDoc* document = nullptr;

  void OnPaint();
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnTimer(UINT_PTR id);
  void OnSysColorChange();
  void OnWindowPosChanging(WINDOWPOS* pos);

 private:
  CFrameWnd* Frame() const;
  IDesignView* ActiveDesignView() const;
  int ExtraWidth() const;
  void DrawCorner(HDC dc, const RECT& client);
  void DrawScale(HDC dc, const RECT& client, bool horizontal);
  void TurnLayout();

  RulerKind orientation_;
  CFrameWnd* parent_ = nullptr;

  DECLARE_MESSAGE_MAP()
};
