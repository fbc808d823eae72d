// DrawText: formatted text in a rectangle (lines, word wrap, alignment,
// tabs, mnemonic prefixes, ellipses).

#include <algorithm>
#include <cstring>

#include "platform/nls/nls.h"
#include "platform/gdi/text_internal.h"

namespace gdi {
namespace {

constexpr UINT kEllipsisFlags = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;

struct Line {
  std::u16string text;
  int underline = -1;  // index of the mnemonic character, -1 for none
  int width = 0;       // logical width, once the text is final
};

bool IsBreakSpace(char16_t c) { return c == u' '; }
// Ideographs and kana may break between any two characters.
bool IsWideBreakable(char16_t c) { return c >= 0x2E80 && c < 0xD800 && !(c >= 0xA000 && c < 0xAC00); }

class Layout {
 public:
  Layout(const DeviceContext& dc, const tav::font::RealizedFont& font, UINT format, int tabWidth)
      : dc_(dc), font_(font), format_(format), tabWidth_(std::max(1, tabWidth)) {}

  // Width of a line in logical units: tabs jump to the next stop with
  // DT_EXPANDTABS; other control characters take no room.
  int Width(std::u16string_view text) const {
    double device = 0;
    for (size_t i = 0; i < text.size(); ++i) device = Step(device, text, i);
    return ToLogical(font_, device);
  }

  // The pen (device pixels from the line start) after character i.
  double Step(double device, std::u16string_view text, size_t i) const {
    const char16_t c = text[i];
    if (c == u'\t' && (format_ & DT_EXPANDTABS)) {
      const int x = ToLogical(font_, device);
      return (x / tabWidth_ + 1) * tabWidth_ * font_.scale();
    }
    if (c < 0x20) return device;
    return device + Advance(text, i);
  }

  // Splits a paragraph into lines no wider than maxWidth, breaking after blanks
  // (and between wide characters); a single word wider than the line stays whole
  // unless DT_EDITCONTROL asks to break it.
  std::vector<std::u16string> Wrap(std::u16string_view para, int maxWidth) const {
    std::vector<std::u16string> lines;
    size_t p = 0;
    bool first = true;
    while (p < para.size() || first) {
      if (!first)
        while (p < para.size() && IsBreakSpace(para[p])) ++p;
      if (p >= para.size() && !first) break;
      first = false;
      size_t lastBreak = std::u16string_view::npos;  // end of the text kept when breaking here
      size_t resume = 0;
      size_t i = p;
      double device = 0;
      for (; i < para.size(); ++i) {
        device = Step(device, para.substr(p), i - p);
        if (i > p && ToLogical(font_, device) > maxWidth) break;
        if (IsBreakSpace(para[i])) {
          lastBreak = i;
          resume = i + 1;
        } else if (IsWideBreakable(para[i]) || (i + 1 < para.size() && IsWideBreakable(para[i + 1]))) {
          lastBreak = i + 1;
          resume = i + 1;
        }
      }
      if (i >= para.size()) {
        lines.emplace_back(para.substr(p));
        break;
      }
      if (lastBreak != std::u16string_view::npos && lastBreak > p) {
        lines.emplace_back(TrimEnd(para.substr(p, lastBreak - p)));
        p = resume;
      } else if (format_ & DT_EDITCONTROL) {
        lines.emplace_back(para.substr(p, std::max<size_t>(1, i - p)));
        p += std::max<size_t>(1, i - p);
      } else {
        size_t end = i;
        while (end < para.size() && !IsBreakSpace(para[end])) ++end;
        lines.emplace_back(para.substr(p, end - p));
        p = end;
      }
    }
    return lines;
  }

  // Shortens a line wider than maxWidth with "..." as the format asks.
  void Ellipsize(Line& line, int maxWidth) const {
    if (Width(line.text) <= maxWidth) return;
    const std::u16string dots = u"...";
    const std::u16string& t = line.text;
    auto fitsWith = [&](size_t n, std::u16string_view tail) {
      std::u16string candidate(t.substr(0, n));
      candidate += dots;
      candidate += tail;
      return Width(candidate) <= maxWidth;
    };
    auto cutEnd = [&](Line& l) {
      for (size_t n = l.text.size(); n-- > 0;) {
        std::u16string candidate = l.text.substr(0, n) + dots;
        if (Width(candidate) <= maxWidth || n == 0) {
          if (l.underline >= static_cast<int>(n)) l.underline = -1;
          l.text = std::move(candidate);
          return;
        }
      }
    };
    if (format_ & DT_PATH_ELLIPSIS) {
      const size_t sep = t.find_last_of(u"\\/");
      if (sep != std::u16string::npos) {
        const std::u16string tail = t.substr(sep);
        for (size_t n = sep + 1; n-- > 0;) {
          if (fitsWith(n, tail) || n == 0) {
            Line out{t.substr(0, n) + dots + tail, -1, 0};
            if (line.underline >= 0 && line.underline < static_cast<int>(n))
              out.underline = line.underline;
            else if (line.underline >= static_cast<int>(sep))
              out.underline = static_cast<int>(n + dots.size()) + (line.underline - static_cast<int>(sep));
            line = std::move(out);
            if (Width(line.text) > maxWidth) cutEnd(line);
            return;
          }
        }
      }
    }
    if (format_ & DT_WORD_ELLIPSIS) {
      for (size_t n = t.size(); n-- > 1;) {
        if (IsBreakSpace(t[n]) && !IsBreakSpace(t[n - 1]) && fitsWith(n, u"")) {
          if (line.underline >= static_cast<int>(n)) line.underline = -1;
          line.text = t.substr(0, n) + dots;
          return;
        }
      }
    }
    cutEnd(line);
  }

 private:
  static std::u16string TrimEnd(std::u16string_view s) {
    while (!s.empty() && IsBreakSpace(s.back())) s.remove_suffix(1);
    return std::u16string(s);
  }

  double Advance(std::u16string_view text, size_t i) const {
    const char16_t c = text[i];
    if (c >= 0xDC00 && c < 0xE000 && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] < 0xDC00) return 0;
    char32_t cp = c;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      cp = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    return font_.Advance(cp) + dc_.state.charExtra * font_.scale();
  }

  const DeviceContext& dc_;
  const tav::font::RealizedFont& font_;
  UINT format_;
  int tabWidth_;
};

// Removes mnemonic markers: "&x" underlines x, "&&" is one '&'.
Line StripPrefixes(std::u16string_view text, UINT format) {
  Line out;
  out.text.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && !(format & DT_NOPREFIX)) {
      if (i + 1 < text.size() && text[i + 1] == u'&') {
        out.text += u'&';
        ++i;
        continue;
      }
      if (i + 1 < text.size()) out.underline = static_cast<int>(out.text.size());
      continue;
    }
    out.text += text[i];
  }
  return out;
}

// Paints the pieces of one line between tab stops, and the mnemonic underline.
void PaintLine(DeviceContext& dc, const tav::font::RealizedFont& font, const Layout& layout, const Line& line, int x,
               int y, UINT format, const RECT& clip) {
  const UINT options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
  if (!(format & DT_PREFIXONLY)) {
    size_t start = 0;
    int penX = x;
    for (size_t i = 0; i <= line.text.size(); ++i) {
      const bool end = i == line.text.size();
      const char16_t c = end ? 0 : line.text[i];
      if (!end && c >= 0x20) continue;
      if (i > start) {
        std::u16string_view piece(line.text.data() + start, i - start);
        DrawRun(dc, penX, y, options, &clip, piece, nullptr);
      }
      if (end) break;
      start = i + 1;
      penX = x + layout.Width(std::u16string_view(line.text).substr(0, i + 1));
    }
  }
  if (line.underline >= 0 && !(format & DT_HIDEPREFIX) && line.underline < static_cast<int>(line.text.size())) {
    const std::u16string_view text(line.text);
    const int left = x + layout.Width(text.substr(0, line.underline));
    const int right = x + layout.Width(text.substr(0, line.underline + 1));
    const auto& m = font.metrics();
    const int top = y + ToLogical(font, m.ascent + m.underlinePosition);
    const RECT bar{left, top, right, top + std::max(1, ToLogical(font, m.underlineThickness))};
    // The underline is the text colour filling a rectangle through the mapping.
    const COLORREF saved = dc.state.bkColour;
    dc.state.bkColour = dc.state.textColour;
    RECT clipped = bar;
    if (!(format & DT_NOCLIP)) {
      clipped.left = std::max(clipped.left, clip.left);
      clipped.right = std::min(clipped.right, clip.right);
      clipped.top = std::max(clipped.top, clip.top);
      clipped.bottom = std::min(clipped.bottom, clip.bottom);
    }
    if (clipped.left < clipped.right && clipped.top < clipped.bottom)
      DrawRun(dc, 0, 0, ETO_OPAQUE, &clipped, u"", nullptr);
    dc.state.bkColour = saved;
  }
}

}  // namespace

int DrawTextCore(DeviceContext& dc, std::u16string_view text, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  auto font = DcFont(dc);
  if (!font || !rect) return 0;
  int tabChars = 8;
  if (format & DT_TABSTOP) {
    tabChars = static_cast<int>((format >> 8) & 0xFF);
    format &= ~0xFF00u;
  }
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  const auto& fm = font->metrics();
  const int aveWidth = std::max(1, ToLogical(*font, fm.aveCharWidth));
  Layout layout(dc, *font, format, tabChars * aveWidth);
  int lineHeight = ToLogical(*font, fm.height);
  if (format & DT_EXTERNALLEADING) lineHeight += ToLogical(*font, fm.externalLeading);
  const int leftMargin = params ? params->iLeftMargin : 0;
  const int rightMargin = params ? params->iRightMargin : 0;
  const int boxLeft = rect->left + leftMargin;
  const int boxRight = rect->right - rightMargin;
  const int maxWidth = boxRight - boxLeft;

  // Lines: the whole text on one line, or one per line break, wrapped when asked.
  std::vector<Line> lines;
  const bool single = format & DT_SINGLELINE;
  auto addParagraph = [&](std::u16string_view para) {
    Line stripped = StripPrefixes(para, format);
    if (!(format & DT_WORDBREAK) || single) {
      lines.push_back(std::move(stripped));
      return;
    }
    // Wrap the stripped text; the mnemonic follows its character into its line.
    int offset = 0;
    for (auto& piece : layout.Wrap(stripped.text, maxWidth)) {
      const size_t at = stripped.text.find(piece, static_cast<size_t>(offset));
      const int begin = at == std::u16string::npos ? offset : static_cast<int>(at);
      Line l{std::move(piece), -1, 0};
      if (stripped.underline >= begin && stripped.underline < begin + static_cast<int>(l.text.size()))
        l.underline = stripped.underline - begin;
      offset = begin + static_cast<int>(l.text.size());
      lines.push_back(std::move(l));
    }
  };
  if (single) {
    addParagraph(text);
  } else {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != u'\r' && text[i] != u'\n') continue;
      addParagraph(text.substr(start, i - start));
      if (i < text.size() && text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  if (format & kEllipsisFlags)
    for (auto& l : lines) layout.Ellipsize(l, maxWidth);

  int widest = 0;
  for (auto& l : lines) {
    l.width = layout.Width(l.text);
    widest = std::max(widest, l.width);
  }
  const int height = static_cast<int>(lines.size()) * lineHeight;
  if (params) params->uiLengthDrawn = static_cast<UINT>(text.size());

  if (format & DT_CALCRECT) {
    rect->right = boxLeft + widest + rightMargin;
    rect->bottom = rect->top + height;
    return height;
  }

  int y = rect->top;
  if (single) {
    if (format & DT_VCENTER)
      y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      y = rect->bottom - lineHeight;
  }
  const UINT savedAlign = dc.state.textAlign;
  dc.state.textAlign = TA_LEFT | TA_TOP;
  for (const auto& l : lines) {
    const int w = l.width;
    int x = boxLeft;
    if (format & DT_CENTER)
      x = boxLeft + (maxWidth - w) / 2;
    else if (format & DT_RIGHT)
      x = boxRight - w;
    PaintLine(dc, *font, layout, l, x, y, format, *rect);
    y += lineHeight;
  }
  dc.state.textAlign = savedAlign;
  return y - rect->top;
}

}  // namespace gdi

using namespace gdi;

namespace {

std::u16string_view WideView(LPCWSTR text, int length) {
  if (!text) return {};
  if (length < 0) length = lstrlenW(text);
  return std::u16string_view(text, static_cast<size_t>(length));
}

int DrawTextAnsi(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
  auto dc = FindDC(hdc);
  if (!dc || !rect) return 0;
  if (text && length < 0) length = static_cast<int>(std::strlen(text));
  const WideText wide = Widen(DcCodePage(*dc), text, text ? length : 0);
  const int result = DrawTextCore(*dc, wide.text, rect, format, params);
  if (params) params->uiLengthDrawn = static_cast<UINT>(std::max(0, length));
  return result;
}

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR text, int length, LPRECT rect, UINT format) {
  auto dc = FindDC(hdc);
  if (!dc || !rect) return 0;
  return DrawTextCore(*dc, WideView(text, length), rect, format, nullptr);
}

int DrawTextA(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format) {
  return DrawTextAnsi(hdc, text, length, rect, format, nullptr);
}

int DrawTextExW(HDC hdc, LPWSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
  auto dc = FindDC(hdc);
  if (!dc || !rect) return 0;
  return DrawTextCore(*dc, WideView(text, length), rect, format & ~DT_MODIFYSTRING, params);
}

int DrawTextExA(HDC hdc, LPSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextAnsi(hdc, text, length, rect, format & ~DT_MODIFYSTRING, params);
}
