#include "foundation/uifonts/text_lines.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/codepage/codepage.h"
#include "platform/nls/nls.h"

FOUNDATION_BEGIN

namespace {

constexpr int kMaxJustifyBlanks = 7;

class Layout {
 public:
  Layout(HDC dc, const AString& text)
      : dc_(dc), s_(text.GetData(), static_cast<size_t>(text.GetLength())),
        codePage_(text.GetCodePage() > 0 ? text.GetCodePage() : static_cast<int>(GetACP())) {}

  int Size() const { return static_cast<int>(s_.size()); }
  const char* Data() const { return s_.data(); }
  char At(int i) const { return s_[static_cast<size_t>(i)]; }
  bool IsBreak(int i) const { return At(i) == '\r' || At(i) == '\n'; }
  int CharLength(int i) const {
    return i + 1 < Size() && IsDBCSLeadByteEx(static_cast<UINT>(codePage_), static_cast<BYTE>(At(i))) ? 2 : 1;
  }
  AString Piece(int from, int to) const {
    AString piece(to - from, s_.data() + from);
    piece.SetCodePage(codePage_);
    return piece;
  }
  int Width(int from, int to) const { return to > from ? static_cast<int>(Piece(from, to).GetTextExtent(dc_).cx) : 0; }
  // The last blank in [from, to), or -1.
  int LastBlank(int from, int to) const {
    for (int i = to - 1; i >= from; --i)
      if (At(i) == ' ') return i;
    return -1;
  }

 private:
  HDC dc_;
  std::string s_;
  int codePage_;
};

// Widens a line to `target` by doubling blanks from the left, when fewer than
// seven blanks are needed and the line has blanks to widen.
AString Justify(HDC dc, const AString& line, int width, int target, int blankWidth) {
  const int needed = blankWidth > 0 ? (target - width) / blankWidth : 0;
  if (needed <= 0 || needed >= kMaxJustifyBlanks || line.Find(' ') < 0) return line;
  std::string s(line.GetData(), static_cast<size_t>(line.GetLength()));
  int added = 0;
  while (added < needed) {
    bool any = false;
    for (size_t i = 0; i < s.size() && added < needed; ++i)
      if (s[i] == ' ' && (i == 0 || s[i - 1] != ' ')) {
        s.insert(i, 1, ' ');
        ++i;
        ++added;
        any = true;
      }
    if (!any) break;
  }
  AString out(static_cast<int>(s.size()), s.data());
  out.SetCodePage(line.GetCodePage());
  return out;
}

}  // namespace

bool IsClosingPunctuation(const char* text, int length, int i) {
  if (!text || i < 0 || i >= length) return false;
  return std::strchr(")>]}.,;", text[i]) != nullptr && text[i] != '\0';
}

SIZE LayoutTextLines(HDC dc, int maxWidth, const AString& text, AArray<AString>* lines, ATypedArray<RECT>* lineRects,
                     int* lineHeightOut, double lineSpacing, bool measureOnly, int indent, int align,
                     bool noHangingPunctuation) {
  SIZE blank{0, 0};
  GetTextExtentPoint32A(dc, " ", 1, &blank);
  const int w = blank.cx;
  const int lineHeight = static_cast<int>(blank.cy * (lineSpacing + 1));
  if (lineHeightOut) *lineHeightOut = lineHeight;
  if (text.IsEmpty() || w == 0) return text.IsEmpty() ? SIZE{0, 0} : text.GetTextExtent(dc);

  const Layout t(dc, text);
  const int n = t.Size();
  int pos = 0, y = 0, widest = 0, count = 0;
  bool first = true;
  while (pos < n) {
    const int x0 = first ? std::max(indent, 0) : std::max(-indent, 0);
    if (!first)
      while (pos < n && t.At(pos) == ' ') ++pos;
    if (pos >= n) break;
    const int avail = maxWidth - x0;

    // A first guess from the blank width, cut at a line break and moved back
    // to a blank when it ends inside a word; kept when it fits.
    int end = pos;
    int guess = pos;
    for (int chars = 0; guess < n && chars < avail / w && !t.IsBreak(guess); ++chars) guess += t.CharLength(guess);
    if (guess < n && guess > pos && t.At(guess) != ' ' && !t.IsBreak(guess) && t.At(guess - 1) != ' ') {
      const int b = t.LastBlank(pos + 2, guess);
      if (b >= 0) guess = b;
    }
    if (guess > pos && t.Width(pos, guess) <= avail) end = guess;

    // Then one character at a time.
    bool lineBreak = false, endedOnWidth = false;
    int next = -1;
    while (end < n) {
      if (t.IsBreak(end)) {
        lineBreak = true;
        next = end + ((t.At(end) == '\r' && end + 1 < n && t.At(end + 1) == '\n') ? 2 : 1);
        break;
      }
      const int len = t.CharLength(end);
      const int width = t.Width(pos, end + len);
      const int overhang = (!noHangingPunctuation && len == 1 && IsClosingPunctuation(t.Data(), n, end)) ? 3 * w : 0;
      if (width > avail + overhang) {
        endedOnWidth = true;
        break;
      }
      end += len;
      if (width == avail) {
        endedOnWidth = end < n;
        break;
      }
    }
    int lineEnd = end;
    if (!lineBreak) next = end;
    if (endedOnWidth && end < n) {
      if (t.At(end) == ' ' || t.At(end - 1) == ' ') {
        while (lineEnd > pos && t.At(lineEnd - 1) == ' ') --lineEnd;  // the cut falls on blanks
      } else if (const int b = t.LastBlank(pos, end); b > pos) {
        lineEnd = b;  // the partial word returns to the text
        while (lineEnd > pos && t.At(lineEnd - 1) == ' ') --lineEnd;
        next = b + 1;
      }
    }
    if (!lineBreak && next <= pos) {
      // Not even one character fits: it gets a line of its own.
      lineEnd = next = pos + t.CharLength(pos);
    }

    AString line = t.Piece(pos, lineEnd);
    int width = t.Width(pos, lineEnd);
    int x = x0;
    if (align == kAlignCentre) {
      x = x0 + (avail - width) / 2;
    } else if (align == kAlignRight) {
      x = x0 + avail - width;
    } else if (align == kAlignJustify && endedOnWidth) {
      line = Justify(dc, line, width, avail, w);
      width = line.GetTextExtent(dc).cx;
    }
    if (lines) lines->Add(line);
    if (lineRects) lineRects->Add(RECT{x, y, x + width, y + lineHeight});
    if (!measureOnly && !line.IsEmpty()) TextOutString(dc, x, y, line);
    widest = std::max(widest, width);
    ++count;
    y += lineHeight;
    pos = next;
    first = false;
  }
  return {widest, count * lineHeight};
}

FOUNDATION_END
