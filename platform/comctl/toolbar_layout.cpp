// Where a toolbar's buttons go: a common button size grown to hold the images
// and the labels, left to right, wrapping where asked.
#include <algorithm>

#include "platform/comctl/control_state.h"
#include "platform/comctl/toolbar_model.h"

namespace comctl {
namespace {

constexpr int kDefaultSeparator = 8;

int TopMargin(DWORD style) { return (style & CCS_NODIVIDER) ? 0 : 2; }

}  // namespace

std::u16string ButtonText(const Toolbar& t, const ToolbarButton& b) {
  if (!b.text.empty()) return b.text;
  if (b.string >= 0 && b.string < static_cast<INT_PTR>(t.strings.size())) return t.strings[static_cast<size_t>(b.string)];
  return {};
}

SIZE CommonButtonSize(const Toolbar& t) {
  SIZE size = t.buttonSize;
  size.cx = std::max<LONG>(size.cx, t.bitmapSize.cx + t.padding.cx);
  size.cy = std::max<LONG>(size.cy, t.bitmapSize.cy + t.padding.cy);
  if (t.maxTextRows <= 0) return size;
  int widest = 0;
  bool any = false;
  for (const ToolbarButton& b : t.buttons) {
    const std::u16string text = ButtonText(t, b);
    if (text.empty() || b.Separator()) continue;
    any = true;
    widest = std::max(widest, TextWidth(t.font, text));
  }
  if (!any) return size;
  size.cx = std::max<LONG>(size.cx, widest + 6);
  size.cy = std::max<LONG>(size.cy, t.bitmapSize.cy + t.padding.cy + FontHeight(t.font));
  return size;
}

int LayOut(Toolbar& t, DWORD style, int width) {
  const SIZE common = CommonButtonSize(t);
  const int top = TopMargin(style);
  int x = t.indent, y = top;
  t.rows = 1;
  bool rowHasButtons = false;
  for (ToolbarButton& b : t.buttons) {
    if (!b.Visible()) {
      b.rect = RECT{};
      continue;
    }
    const int w = b.Separator() ? (b.image > 0 ? b.image : kDefaultSeparator)
                                : (b.width ? b.width : common.cx + DropArrowWidth(t, b));
    if ((style & TBSTYLE_WRAPABLE) && rowHasButtons && x + w > width) {
      x = t.indent;
      y += common.cy;
      ++t.rows;
      rowHasButtons = false;
    }
    b.rect = RECT{x, y, x + w, y + common.cy};
    x += w;
    rowHasButtons = true;
    if (b.state & TBSTATE_WRAP) {
      x = t.indent;
      y += common.cy;
      ++t.rows;
      rowHasButtons = false;
    }
  }
  if (!rowHasButtons && t.rows > 1) --t.rows;
  return top + t.rows * common.cy + 2;
}

}  // namespace comctl
