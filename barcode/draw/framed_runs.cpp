#include "barcode/draw/framed_runs.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace kalvo {
namespace {

// What is drawn after the first call, in the order of the bytes: a glyph
// alone, a glyph through a clip, or a control byte's box.
struct Later {
  enum class Kind { Glyph, Clipped, Control } kind;
  size_t at;
  int x;
  RECT clip;
};

// Lays the text out for drawing transparent: one call puts down every glyph
// that touches no glyph or box before it, with blanks in the places of the
// rest, which follow one by one in the order of the bytes. Drawn in one call,
// glyphs are put down side by side; one call after another blends over the
// last, as each cell drawn on its own does. A glyph reaching into the next
// cell loses that part to the next cell's background when each cell is drawn
// opaque; here it is clipped at the cell's edge instead. The background
// fills the rows [top, bottom).
class Plan {
 public:
  Plan(std::string_view text, CellWidths& cells, int top, int bottom, int baseline)
      : text_(text), cells_(cells), top_(top), bottom_(bottom), baseline_(baseline), first_(text) {
    later_.reserve(text.size());
  }

  // False when some pixel could come out otherwise than byte by byte.
  bool Make(int x, std::vector<int>& dx) {
    for (size_t i = 0; i < text_.size(); ++i) {
      const Cell& cell = cells_.Of(text_[i]);
      dx[i] = cell.width;
      if (!Place(i, x, cell)) return false;
      x += cell.width;
    }
    return true;
  }
  // The first call's text: blanks where a later call draws.
  const std::string& First() const { return first_; }
  const std::vector<Later>& Rest() const { return later_; }
  // Whether a blank draws nothing, as far as the font tells.
  bool BlankIsEmpty() {
    const Cell& blank = cells_.Of(' ');
    return blank.boxKnown && Empty(blank.ink);
  }
  // The first call cut at its blanks: whole runs of bytes.
  template <class Draw>
  void FirstAsRuns(Draw draw) const {
    size_t i = 0;
    while (i < first_.size()) {
      if (first_[i] != text_[i]) {
        ++i;
        continue;
      }
      const size_t begin = i;
      while (i < first_.size() && first_[i] == text_[i]) ++i;
      draw(begin, i);
    }
  }

 private:
  static bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

  bool Place(size_t i, int x, const Cell& cell) {
    const auto b = static_cast<unsigned char>(text_[i]);
    if (b < 32) {
      const SIZE& m = cells_.m();
      Defer(i, Later{Later::Kind::Control, i, x, {}}, x + m.cx - m.cx / 4);
      return true;
    }
    if (!cell.boxKnown) return false;
    if (Empty(cell.ink)) {
      first_[i] = ' ';
      return true;
    }
    const RECT box{x + cell.ink.left, baseline_ + cell.ink.top, x + cell.ink.right, baseline_ + cell.ink.bottom};
    const int cellRight = x + cell.width;
    if (box.right > cellRight && i + 1 < text_.size()) {
      // Cut by the next cell's background: that cell must be a glyph's and
      // hold the rest of the box, and the box must lie within the filled rows.
      const auto next = static_cast<unsigned char>(text_[i + 1]);
      if (next < 32 || box.right > cellRight + cells_(text_[i + 1]) || box.top < top_ || box.bottom > bottom_)
        return false;
      Defer(i, Later{Later::Kind::Clipped, i, x, RECT{box.left, box.top, cellRight, box.bottom}}, cellRight);
      return true;
    }
    // A byte of 128 or more may begin a character of two bytes in the font's
    // code page: drawn alone, as byte by byte.
    if (box.left < reach_ || b >= 128) {
      Defer(i, Later{Later::Kind::Glyph, i, x, {}}, box.right);
      return true;
    }
    reach_ = std::max<int>(reach_, box.right);
    return true;
  }

  void Defer(size_t i, const Later& later, int right) {
    first_[i] = ' ';
    later_.push_back(later);
    reach_ = std::max(reach_, right);
  }

  std::string_view text_;
  CellWidths& cells_;
  int top_, bottom_, baseline_;
  std::string first_;
  std::vector<Later> later_;
  int reach_ = INT_MIN;  // the right edge of every box so far
};

bool PlainColour(COLORREF c) { return (c >> 24) == 0; }

}  // namespace

bool FontIsUpright(HDC dc) {
  // The wide form: the face name, which is not needed, stays as it is stored.
  LOGFONTW font{};
  HGDIOBJ selected = GetCurrentObject(dc, OBJ_FONT);
  return selected && GetObjectW(selected, sizeof font, &font) == sizeof font && font.lfEscapement == 0 &&
         font.lfOrientation == 0;
}

bool DrawFramedRuns(HDC dc, std::string_view text, int x, int y, CellWidths& cells, const PlainGround& ground) {
  // The cells' background must be the ground, and the text placed as given.
  const COLORREF back = GetBkColor(dc);
  if (text.empty() || GetBkMode(dc) != OPAQUE || back != ground.colour || !PlainColour(back) ||
      GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE ||
      GetTextAlign(dc) != (TA_LEFT | TA_TOP | TA_NOUPDATECP))
    return false;
  TEXTMETRICA tm{};
  if (!GetTextMetricsA(dc, &tm) || tm.tmUnderlined || tm.tmStruckOut) return false;
  const int bottom = y + tm.tmAscent + tm.tmDescent;
  if (y < ground.inkBottom && bottom > ground.inkTop) return false;

  std::vector<int> dx(text.size());
  Plan plan(text, cells, y, bottom, y + tm.tmAscent);
  if (!plan.Make(x, dx)) return false;

  // The part left unpainted is filled in the same pass as the first glyphs.
  const RECT& fill = ground.unpainted;
  bool filling = fill.left < fill.right && fill.top < fill.bottom;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  auto first = [&](int at, const char* bytes, size_t count, const int* widths) {
    ExtTextOutA(dc, at, y, filling ? ETO_OPAQUE : 0, filling ? &fill : nullptr, bytes, static_cast<UINT>(count),
                widths);
    filling = false;
  };
  if (plan.BlankIsEmpty()) {
    first(x, plan.First().data(), text.size(), dx.data());
  } else {
    // A blank the font draws something for (an empty pixel, say) is left out.
    std::vector<int> starts(text.size() + 1, x);
    for (size_t i = 0; i < text.size(); ++i) starts[i + 1] = starts[i] + dx[i];
    plan.FirstAsRuns([&](size_t begin, size_t end) { first(starts[begin], text.data() + begin, end - begin, &dx[begin]); });
    if (filling) first(x, "", 0, nullptr);
  }
  ControlFrames frames(dc);
  for (const Later& later : plan.Rest()) {
    const char* byte = text.data() + later.at;
    switch (later.kind) {
      case Later::Kind::Control: frames.Frame(later.x, y, cells.m()); break;
      case Later::Kind::Glyph: ExtTextOutA(dc, later.x, y, 0, nullptr, byte, 1, &dx[later.at]); break;
      case Later::Kind::Clipped: ExtTextOutA(dc, later.x, y, ETO_CLIPPED, &later.clip, byte, 1, &dx[later.at]); break;
    }
  }
  SetBkMode(dc, oldMode);
  return true;
}

}  // namespace kalvo
