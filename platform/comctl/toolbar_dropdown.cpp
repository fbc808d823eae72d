// Drop-down buttons: where their arrow goes, when a press opens the
// drop-down, and TBN_DROPDOWN with the parent's three answers.
#include "platform/comctl/control_state.h"
#include "platform/comctl/toolbar_model.h"

namespace comctl {
namespace {

// Room for the five-pixel arrow with its edges on either side.
constexpr int kArrowPartWidth = 14;

bool IsDropDown(const ToolbarButton& b) { return !b.Separator() && (b.style & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)); }

}  // namespace

bool HasSplitArrow(const Toolbar& t, const ToolbarButton& b) {
  return !b.Separator() && (t.exStyle & TBSTYLE_EX_DRAWDDARROWS) && (b.style & BTNS_DROPDOWN) &&
         !(b.style & BTNS_WHOLEDROPDOWN);
}

int DropArrowWidth(const Toolbar& t, const ToolbarButton& b) {
  if (HasSplitArrow(t, b) || (!b.Separator() && (b.style & BTNS_WHOLEDROPDOWN))) return kArrowPartWidth;
  return 0;
}

RECT ArrowPart(const Toolbar& t, const ToolbarButton& b) {
  const int width = DropArrowWidth(t, b);
  if (!width) return RECT{};
  return RECT{b.rect.right - width, b.rect.top, b.rect.right, b.rect.bottom};
}

RECT MainPart(const Toolbar& t, const ToolbarButton& b) {
  RECT main = b.rect;
  if (HasSplitArrow(t, b)) main.right -= kArrowPartWidth;
  return main;
}

bool DropsDownAt(const Toolbar& t, const ToolbarButton& b, POINT p) {
  if (!IsDropDown(b)) return false;
  if (!HasSplitArrow(t, b)) return true;  // the whole button opens it
  const RECT arrow = ArrowPart(t, b);
  return PtInRect(&arrow, p) != 0;
}

bool DropDown(HWND w, Toolbar& t, int index) {
  ToolbarButton& b = t.buttons[static_cast<size_t>(index)];
  const bool split = HasSplitArrow(t, b);
  // A split button shows only its arrow part pushed in; any other drop-down
  // button looks pressed as a whole while its drop-down is up.
  t.dropped = index;
  if (!split) b.state |= TBSTATE_PRESSED;
  InvalidateRect(w, &b.rect, TRUE);
  UpdateWindow(w);
  NMTOOLBARW nm{};
  nm.iItem = b.command;
  nm.tbButton = TBBUTTON{b.image, b.command, b.state, b.style, {}, b.data, b.string};
  nm.rcButton = b.rect;
  const LRESULT answer = SendNotify(w, TBN_DROPDOWN, &nm.hdr, t.notify);
  if (!IsWindow(w) || index >= static_cast<int>(t.buttons.size())) return false;
  ToolbarButton& after = t.buttons[static_cast<size_t>(index)];
  t.dropped = -1;
  if (!split) after.state &= static_cast<BYTE>(~TBSTATE_PRESSED);
  InvalidateRect(w, &after.rect, TRUE);
  return answer == TBDDRET_TREATPRESSED && (after.state & TBSTATE_ENABLED);
}

void PaintDropArrow(HDC dc, DWORD style, const Toolbar& t, const ToolbarButton& b, bool pressed, bool hot) {
  const RECT part = ArrowPart(t, b);
  if (IsRectEmpty(&part)) return;
  const bool flat = (style & TBSTYLE_FLAT) != 0;
  if (HasSplitArrow(t, b)) {
    RECT edge = part;
    // The arrow part rises and sinks on its own, as the flat style's hot button does.
    if (pressed) DrawEdge(dc, &edge, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (hot) DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    else if (!flat) DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
  }
  const bool enabled = (b.state & TBSTATE_ENABLED) != 0;
  const int shift = pressed || (b.state & TBSTATE_PRESSED) ? 1 : 0;
  // A triangle five pixels wide and three high, pointing down.
  const int left = (part.left + part.right) / 2 - 2 + shift;
  const int top = (part.top + part.bottom) / 2 - 1 + shift;
  HBRUSH ink = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW);
  for (int row = 0; row < 3; ++row) {
    RECT line{left + row, top + row, left + 5 - row, top + row + 1};
    FillRect(dc, &line, ink);
  }
}

}  // namespace comctl
