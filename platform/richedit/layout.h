// Laying the document out in lines: breaking by words and between
// ideographs, tabs, indents, spacing, alignment and justification, line
// spacing rules. Positions are in the layout's units (a device context's
// logical units when drawn), measured through a TextMeasurer.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/richedit/text_document.h"

namespace richedit {

struct FontMetrics {
  int ascent = 0;
  int descent = 0;
};

// What layout needs of fonts: metrics and advances of each UTF-16 unit (the
// second unit of a surrogate pair gets 0), in layout units.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual FontMetrics Metrics(const CharFormat& format) = 0;
  virtual void Advances(const CharFormat& format, std::u16string_view text, std::vector<int>& advances) = 0;
  // Layout units per twip, across and down.
  virtual double UnitsPerTwipX() const = 0;
  virtual double UnitsPerTwipY() const = 0;
};

// A stretch of one line in one format (or one picture).
struct LaidPiece {
  size_t start = 0;  // cp
  size_t length = 0;
  int x = 0;                // from the layout's left edge
  std::vector<int> advances;  // one per unit, justification and tabs included
  const CharFormat* format = nullptr;
  std::shared_ptr<const Picture> picture;
  int Width() const {
    int w = 0;
    for (int a : advances) w += a;
    return w;
  }
};

struct LaidLine {
  size_t start = 0;  // cp of the first character
  size_t end = 0;    // cp after the last one, its break included
  size_t paragraph = 0;
  int top = 0;  // from the layout's top, downwards
  int height = 0;
  int baseline = 0;  // from the line's top
  int left = 0;      // where the first character sits
  int width = 0;     // of the ink, trailing blanks excluded
  std::vector<LaidPiece> pieces;
};

struct Layout {
  std::vector<LaidLine> lines;
  int height = 0;  // everything, paragraph spacing included
  int width = 0;   // the widest line, from the left edge
};

struct LayoutOptions {
  int width = 0;          // layout units; lines break to fit it
  bool wordWrap = true;   // false: only paragraph marks and line breaks end lines
  size_t firstParagraph = 0;
  size_t firstCp = 0;     // start at this character (inside the first paragraph)
  int maxHeight = -1;     // stop after the first line that passes it (-1: everything)
};

Layout LayOut(const TextDocument& doc, TextMeasurer& measurer, const LayoutOptions& options);

// Whether a line may break between these two characters (b follows a).
bool MayBreakBetween(char16_t a, char16_t b);
bool IsIdeographic(char16_t c);

}  // namespace richedit
