// Scrolling of the rich-edit control by whole lines: the view starts at a
// line of the last layout, never past the point where the rest of the text
// fits; the vertical scroll bar follows in pixels.
#include <algorithm>

#include "platform/richedit/rich_edit_control.h"
#include "platform/user/controls/controls.h"

namespace richedit {
namespace {

const std::vector<LaidLine>& Lines(const Control& c) { return c.services->LastLayout().lines; }

int ViewHeight(HWND window) {
  const RECT area = TextArea(window);
  return std::max<int>(1, area.bottom - area.top);
}

// The last line the view may start at: from there the rest of the text fits.
size_t LastFirstLine(HWND window, const Control& c) {
  const auto& lines = Lines(c);
  if (lines.empty()) return 0;
  const int total = c.services->LastLayout().height, view = ViewHeight(window);
  for (size_t i = 0; i < lines.size(); ++i)
    if (total - lines[i].top <= view) return i;
  return lines.size() - 1;
}

// The lines wholly in the view from the first one (at least one).
size_t LinesInView(HWND window, const Control& c) {
  const auto& lines = Lines(c);
  const int view = ViewHeight(window), top = ScrollTop(c);
  size_t n = 0;
  for (size_t i = std::min(c.firstLine, lines.size()); i < lines.size(); ++i, ++n)
    if (lines[i].top + lines[i].height - top > view) break;
  return std::max<size_t>(n, 1);
}

size_t LineOf(const Control& c, size_t cp) {
  const auto& lines = Lines(c);
  for (size_t i = 0; i < lines.size(); ++i)
    if (cp < lines[i].end) return i;
  return lines.empty() ? 0 : lines.size() - 1;
}

void ScrollTo(HWND window, Control& c, size_t line) {
  line = std::min(line, LastFirstLine(window, c));
  if (line == c.firstLine) return;
  c.firstLine = line;
  Refresh(window, c);
  PlaceCaret(window, c);
  if (c.eventMask & ENM_SCROLL) Command(window, EN_VSCROLL);
}

}  // namespace

int ScrollTop(const Control& c) {
  const auto& lines = Lines(c);
  if (lines.empty()) return 0;
  return lines[std::min(c.firstLine, lines.size() - 1)].top;
}

long LineScroll(HWND window, Control& c, long lines) {
  const auto before = static_cast<long>(c.firstLine);
  ScrollTo(window, c, static_cast<size_t>(std::max(0L, before + lines)));
  return static_cast<long>(c.firstLine) - before;
}

void ScrollCaretIntoView(HWND window, Control& c) {
  const auto& lines = Lines(c);
  if (lines.empty()) return;
  const size_t line = LineOf(c, static_cast<size_t>(c.services->Selection().cpMax));
  if (line < c.firstLine) {
    ScrollTo(window, c, line);
    return;
  }
  const int bottom = lines[line].top + lines[line].height, view = ViewHeight(window);
  size_t first = c.firstLine;
  while (first < line && bottom - lines[first].top > view) ++first;
  ScrollTo(window, c, first);
}

void VScroll(HWND window, Control& c, WORD request, int pos) {
  const auto page = static_cast<long>(LinesInView(window, c));
  switch (request) {
    case SB_LINEUP: LineScroll(window, c, -1); break;
    case SB_LINEDOWN: LineScroll(window, c, 1); break;
    case SB_PAGEUP: LineScroll(window, c, -page); break;
    case SB_PAGEDOWN: LineScroll(window, c, page); break;
    case SB_TOP: ScrollTo(window, c, 0); break;
    case SB_BOTTOM: ScrollTo(window, c, LastFirstLine(window, c)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The line the thumb's pixel falls on.
      const auto& lines = Lines(c);
      size_t line = 0;
      while (line + 1 < lines.size() && lines[line].top + lines[line].height <= pos) ++line;
      ScrollTo(window, c, line);
      break;
    }
    default: break;
  }
}

void UpdateScrollBar(HWND window, const Control& c) {
  if (!(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL)) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  // Disabled rather than hidden when everything fits, so the client area keeps its size.
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(0, c.services->LastLayout().height - 1);
  si.nPage = static_cast<UINT>(ViewHeight(window));
  si.nPos = ScrollTop(c);
  SetScrollInfo(window, SB_VERT, &si, TRUE);
}

}  // namespace richedit
