// Greedy wrapping of a line of text in UTF-16.
#include "app/ui/ui_text_wrap.h"

#include <algorithm>

namespace {

int WidthOf(HDC dc, const std::u16string& text, size_t begin, size_t end) {
  if (end <= begin) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str() + begin, static_cast<int>(end - begin), &size);
  return size.cx;
}

bool IsIdeograph(char16_t c) { return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF); }

// Whether a line may end before text[i].
bool BreakBefore(const std::u16string& text, size_t i) {
  if (i == 0 || i >= text.size()) return false;
  return text[i - 1] == u' ' || IsIdeograph(text[i]) || IsIdeograph(text[i - 1]);
}

}  // namespace

WrappedText WrapTextToWidth(HDC dc, int width, const std::u16string& text, double extraSpacing) {
  WrappedText out;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  out.lineHeight = static_cast<int>(tm.tmHeight * (1.0 + extraSpacing));
  size_t start = 0;
  do {
    // The longest run from start that fits, ended at a break when there is one.
    size_t end = start;
    size_t lastBreak = start;
    while (end < text.size() && WidthOf(dc, text, start, end + 1) <= width) {
      ++end;
      if (BreakBefore(text, end)) lastBreak = end;
    }
    if (end < text.size()) {
      if (lastBreak > start) end = lastBreak;
      else if (end == start) end = start + 1;  // one character wider than the line
    }
    std::u16string piece = text.substr(start, end - start);
    while (!piece.empty() && piece.back() == u' ') piece.pop_back();
    const int y = static_cast<int>(out.pieces.size()) * out.lineHeight;
    out.size.cx = std::max(out.size.cx, WidthOf(dc, piece, 0, piece.size()));
    out.positions.push_back(POINT{0, y});
    out.pieces.push_back(std::move(piece));
    start = end;
    while (start < text.size() && text[start] == u' ' && start > 0) ++start;
  } while (start < text.size());
  out.size.cy = static_cast<int>(out.pieces.size()) * out.lineHeight;
  return out;
}
