// Line layout: where lines break, where tabs go, how lines are aligned and
// spaced.

#include "platform/richedit/layout.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/richedit/plain_text.h"

namespace richedit {
namespace {

constexpr LONG kDefaultTabTwips = 720;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\u3000' || c == u'\u2002' || c == u'\u2003'; }

// Closing punctuation a line may not start with, opening punctuation it may not end with.
bool NoBreakBefore(char16_t c) {
  static constexpr std::u16string_view kClosing = u"!),.:;?]}\u00BB\u3001\u3002\u300D\u300F\u3011\uFF01\uFF09\uFF0C\uFF0E\uFF1A\uFF1B\uFF1F\uFF3D\uFF5D\u30FC\u3005";
  return kClosing.find(c) != std::u16string_view::npos;
}
bool NoBreakAfter(char16_t c) {
  static constexpr std::u16string_view kOpening = u"([{\u00AB\u300C\u300E\u3010\uFF08\uFF3B\uFF5B";
  return kOpening.find(c) != std::u16string_view::npos;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

struct Unit {
  const CharFormat* format = nullptr;
  std::shared_ptr<const Picture> picture;
  int advance = 0;
  int ascent = 0;
  int descent = 0;
};

class ParagraphLayout {
 public:
  ParagraphLayout(const TextDocument& doc, TextMeasurer& m, const LayoutOptions& o, Layout& out)
      : doc_(doc), m_(m), o_(o), out_(out) {}

  void Run();

 private:
  void Paragraph(size_t p, size_t from);
  void Measure(size_t from, size_t to);
  int TabAdvance(size_t at, size_t to, int x, const ParaFormat& pf, int hanging) const;
  int Twips(LONG twips) const { return Round(twips * m_.UnitsPerTwipX()); }
  int TwipsY(LONG twips) const { return Round(twips * m_.UnitsPerTwipY()); }
  FontMetrics MetricsOf(const CharFormat& f) {
    auto it = metrics_.find(&f);
    if (it == metrics_.end()) it = metrics_.emplace(&f, m_.Metrics(f)).first;
    return it->second;
  }
  // The lift of a character's baseline (layout units, up positive).
  int Lift(const CharFormat& f) {
    int lift = TwipsY(f.offset);
    if (f.Has(CFE_SUPERSCRIPT)) lift += TwipsY(f.height) / 3;
    if (f.Has(CFE_SUBSCRIPT)) lift -= TwipsY(f.height) / 6;
    return lift;
  }
  bool Full() const { return o_.maxHeight >= 0 && !out_.lines.empty() && out_.height > o_.maxHeight; }

  const TextDocument& doc_;
  TextMeasurer& m_;
  const LayoutOptions& o_;
  Layout& out_;
  std::vector<Unit> units_;  // of the paragraph being laid out, from its first cp
  size_t base_ = 0;          // cp of units_[0]
  std::map<const CharFormat*, FontMetrics> metrics_;
  std::vector<int> scratch_;
  bool stopped_ = false;
};

void ParagraphLayout::Run() {
  for (size_t p = o_.firstParagraph; p < doc_.ParagraphCount() && !stopped_; ++p) {
    const size_t from = p == o_.firstParagraph ? std::max(o_.firstCp, doc_.ParagraphStart(p)) : doc_.ParagraphStart(p);
    Paragraph(p, std::min(from, doc_.ParagraphEnd(p)));
  }
}

void ParagraphLayout::Measure(size_t from, size_t to) {
  units_.assign(to - from, Unit{});
  base_ = from;
  const std::u16string& text = doc_.text();
  size_t at = 0;
  for (const auto& run : doc_.runs()) {
    const size_t a = std::max(at, from), b = std::min(at + run.length, to);
    at += run.length;
    if (a >= b) continue;
    const CharFormat& f = run.format;
    const FontMetrics fm = MetricsOf(f);
    const int lift = Lift(f);
    if (run.picture) {
      const SIZE size = run.picture->ShownSize();
      units_[a - from] = Unit{&f, run.picture, Twips(size.cx), std::max(TwipsY(size.cy) + lift, 0), std::max(-lift, 0)};
      continue;
    }
    if (f.Has(CFE_HIDDEN)) {
      for (size_t i = a; i < b; ++i) units_[i - from] = Unit{&f, nullptr, 0, 0, 0};
      continue;
    }
    std::u16string piece = text.substr(a, b - a);
    for (auto& c : piece) {
      if (c == u'\t' || c == kLineBreak || c == kParagraphMark) c = u' ';
    }
    scratch_.clear();
    m_.Advances(f, piece, scratch_);
    const int extra = Twips(f.spacing);
    for (size_t i = a; i < b; ++i) {
      const int adv = i - a < scratch_.size() ? scratch_[i - a] : 0;
      units_[i - from] = Unit{&f, nullptr, adv + (adv ? extra : 0), fm.ascent + lift, fm.descent - lift};
    }
  }
}

int ParagraphLayout::TabAdvance(size_t at, size_t to, int x, const ParaFormat& pf, int hanging) const {
  const std::u16string& text = doc_.text();
  // The text the tab lines up: up to the next tab or line end.
  int segment = 0, beforePoint = -1;
  for (size_t i = at + 1; i < to; ++i) {
    const char16_t c = text[i];
    if (c == u'\t' || c == kLineBreak) break;
    if ((c == u'.' || c == u',') && beforePoint < 0) beforePoint = segment;
    segment += units_[i - base_].advance;
  }
  // On a first line with a hanging indent, the indent of the other lines
  // is a stop of its own (the text after a bullet lines up with them).
  if (hanging > x && (pf.tabs.empty() || Twips(pf.tabs.front().position) >= hanging)) return hanging - x;
  for (const auto& stop : pf.tabs) {
    const int position = Twips(stop.position);
    int target = position;
    if (stop.alignment == TAB_RIGHT) target = position - segment;
    else if (stop.alignment == TAB_CENTER) target = position - segment / 2;
    else if (stop.alignment == TAB_DECIMAL) target = position - (beforePoint >= 0 ? beforePoint : segment);
    if (position > x && target >= x) return target - x;
  }
  // Past the last stop: the default stops, every half inch.
  const int interval = std::max(1, Twips(kDefaultTabTwips));
  const int last = pf.tabs.empty() ? 0 : Twips(pf.tabs.back().position);
  int next = std::max(last, 0);
  while (next <= x) next += interval;
  return next - x;
}

void ParagraphLayout::Paragraph(size_t p, size_t from) {
  const ParaFormat& pf = doc_.Paragraph(p);
  const size_t end = doc_.ParagraphEnd(p);
  const std::u16string& text = doc_.text();
  if (from == doc_.ParagraphStart(p)) out_.height += TwipsY(pf.spaceBefore);
  Measure(from, end);
  const int right = o_.width - Twips(pf.rightIndent);
  const CharFormat& markFormat = doc_.FormatAt(end < doc_.size() ? end : (end > 0 ? end - 1 : 0));

  size_t lineStart = from;
  do {
    const bool firstLine = lineStart == doc_.ParagraphStart(p);
    const int indent = Twips(firstLine ? pf.startIndent : pf.OtherIndent());
    int x = indent;
    size_t k = lineStart;
    size_t lastBreak = lineStart;
    bool forced = false;
    for (; k < end; ++k) {
      const char16_t c = text[k];
      Unit& u = units_[k - base_];
      if (c == kLineBreak) {
        ++k;
        forced = true;
        break;
      }
      if (c == u'\t') u.advance = TabAdvance(k, end, x, pf, firstLine && pf.offset > 0 ? Twips(pf.OtherIndent()) : -1);
      if (o_.wordWrap && k > lineStart && x + u.advance > right && !IsBlank(c) && !IsTrailSurrogate(c)) {
        if (lastBreak > lineStart) k = lastBreak;
        break;
      }
      x += u.advance;
      if (k + 1 < end && MayBreakBetween(c, text[k + 1])) lastBreak = k + 1;
    }
    // A lone trail surrogate never starts a line.
    while (k < end && k > lineStart + 1 && IsTrailSurrogate(text[k])) --k;

    LaidLine line;
    line.start = lineStart;
    line.end = k < end || forced ? k : (end < doc_.size() ? end + 1 : end);
    line.paragraph = p;
    // Ink: trailing blanks and the line break hang past the edge.
    size_t inkEnd = k;
    while (inkEnd > lineStart && (IsBlank(text[inkEnd - 1]) || text[inkEnd - 1] == kLineBreak)) --inkEnd;
    int inkWidth = indent;
    for (size_t i = lineStart; i < inkEnd; ++i) inkWidth += units_[i - base_].advance;
    const bool lastLine = k >= end && !forced;
    int shift = 0;
    const int room = right - inkWidth;
    if (pf.alignment == PFA_RIGHT) shift = std::max(room, 0);
    else if (pf.alignment == PFA_CENTER) shift = std::max(room / 2, 0);
    else if (pf.alignment == PFA_JUSTIFY && !lastLine && o_.wordWrap && room > 0) {
      int blanks = 0;
      for (size_t i = lineStart; i < inkEnd; ++i) blanks += text[i] == u' ';
      for (size_t i = lineStart, seen = 0; i < inkEnd && blanks; ++i) {
        if (text[i] != u' ') continue;
        units_[i - base_].advance += room / blanks + (static_cast<int>(seen++) < room % blanks ? 1 : 0);
      }
      if (blanks) inkWidth = right;
    }
    line.left = indent + shift;
    line.width = inkWidth + shift;

    // Height from what the line holds; an empty line from its mark's font.
    int ascent = 0, descent = 0;
    bool any = false;
    for (size_t i = lineStart; i < k; ++i) {
      const Unit& u = units_[i - base_];
      if (!u.format || u.format->Has(CFE_HIDDEN)) continue;
      ascent = std::max(ascent, u.ascent);
      descent = std::max(descent, u.descent);
      any = true;
    }
    if (!any) {
      const FontMetrics fm = MetricsOf(markFormat);
      ascent = fm.ascent;
      descent = fm.descent;
    }
    const int natural = ascent + descent;
    int height = natural;
    switch (pf.lineSpacingRule) {
      case LINESPACING_ONEANDHALF: height = natural * 3 / 2; break;
      case LINESPACING_DOUBLE: height = natural * 2; break;
      case LINESPACING_ATLEAST: height = std::max(natural, TwipsY(pf.lineSpacing)); break;
      case LINESPACING_EXACTLY: height = TwipsY(pf.lineSpacing); break;
      case LINESPACING_MULTIPLE: height = natural * pf.lineSpacing / 20; break;
      default: break;
    }
    line.height = std::max(height, 1);
    line.baseline = line.height - descent;
    line.top = out_.height;

    // Pieces: one per format, picture or blank run between tabs.
    int px = line.left;
    for (size_t i = lineStart; i < k;) {
      const Unit& u = units_[i - base_];
      LaidPiece piece;
      piece.start = i;
      piece.x = px;
      piece.format = u.format;
      piece.picture = u.picture;
      size_t j = i;
      do {
        piece.advances.push_back(units_[j - base_].advance);
        px += units_[j - base_].advance;
        ++j;
      } while (j < k && !u.picture && !units_[j - base_].picture && units_[j - base_].format == u.format);
      piece.length = j - i;
      line.pieces.push_back(std::move(piece));
      i = j;
    }
    out_.width = std::max(out_.width, line.width);
    out_.height += line.height;
    out_.lines.push_back(std::move(line));
    if (Full()) {
      // The line that passed the height is not part of the range.
      if (out_.lines.size() > 1) {
        out_.height -= out_.lines.back().height;
        out_.lines.pop_back();
      }
      stopped_ = true;
      return;
    }
    lineStart = k;
  } while (lineStart < end);
  out_.height += TwipsY(pf.spaceAfter);
}

}  // namespace

bool IsIdeographic(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) ||  // radicals, punctuation, kana, CJK ideographs
         (c >= 0xAC00 && c <= 0xD7AF) ||  // Hangul syllables
         (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
         (c >= 0xFF00 && c <= 0xFFEF) ||  // full-width forms
         (c >= 0xD800 && c <= 0xDBFF);    // supplementary ideographs come as pairs (the pair stays whole)
}

bool MayBreakBetween(char16_t a, char16_t b) {
  if (IsLeadSurrogate(a) || IsTrailSurrogate(b)) return false;
  if (NoBreakBefore(b) || NoBreakAfter(a)) return false;
  if (IsBlank(a) && !IsBlank(b)) return true;
  if (a == u'\t' || a == u'-' || a == u'\u2010' || a == u'\u2013' || a == u'\u2014') return !IsBlank(b);
  if (a == kObjectMark || b == kObjectMark) return !IsBlank(b);
  return (IsIdeographic(a) && !IsBlank(b)) || (IsIdeographic(b) && !IsBlank(a));
}

Layout LayOut(const TextDocument& doc, TextMeasurer& measurer, const LayoutOptions& options) {
  Layout layout;
  ParagraphLayout(doc, measurer, options, layout).Run();
  return layout;
}

}  // namespace richedit
