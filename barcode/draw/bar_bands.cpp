#include "barcode/draw/bar_bands.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "barcode/draw/dib32.h"

namespace kalvo {
namespace {

// A scan line's pixels: on the stack for the widths symbols have, on the
// heap beyond. Left as they come: every pixel is composed before it is used.
class LineBuffer {
 public:
  explicit LineBuffer(int width) : size_(static_cast<size_t>(width)) {
    if (size_ > kLocal) heap_.resize(size_);
  }
  LineBuffer(const LineBuffer&) = delete;
  LineBuffer& operator=(const LineBuffer&) = delete;
  std::span<uint32_t> Pixels() { return {size_ > kLocal ? heap_.data() : local_.data(), size_}; }

 private:
  static constexpr size_t kLocal = 2048;
  size_t size_;
  alignas(64) std::array<uint32_t, kLocal> local_;  // whole cache lines: no copy of it reads across two
  std::vector<uint32_t> heap_;
};

// A bar cut to the bitmap (possibly empty).
RECT CutToBitmap(const RECT& r, int width, int height) {
  return RECT{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, width),
              std::min<LONG>(r.bottom, height)};
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// True when every bar, cut to the bitmap, is empty or spans the same rows, left
// in `rows` (top and bottom; both 0 without a bar): the bars are then one band.
bool OneBand(std::span<const RECT> bars, int width, int height, RECT& rows) {
  rows = RECT{0, 0, 0, 0};
  bool any = false;
  for (const RECT& r : bars) {
    const RECT c = CutToBitmap(r, width, height);
    if (IsEmpty(c)) continue;
    if (!any) {
      rows.top = c.top;
      rows.bottom = c.bottom;
      any = true;
    } else if (c.top != rows.top || c.bottom != rows.bottom) {
      return false;
    }
  }
  return true;
}

// Copies one composed line to rows [top, bottom).
void CopyLine(HDC dc, std::span<const uint32_t> line, int top, int bottom, const BITMAPINFO& info) {
  if (top >= bottom) return;
  const int width = static_cast<int>(line.size());
  StretchDIBits(dc, 0, top, width, bottom - top, 0, 0, width, 1, line.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

// The bars cut to the bitmap, without the empty ones, by their top edge.
std::vector<RECT> UsableBars(std::span<const RECT> bars, int width, int height) {
  std::vector<RECT> out;
  out.reserve(bars.size());
  for (const RECT& r : bars) {
    const RECT c = CutToBitmap(r, width, height);
    if (!IsEmpty(c)) out.push_back(c);
  }
  auto byTop = [](const RECT& a, const RECT& b) { return a.top < b.top; };
  if (!std::is_sorted(out.begin(), out.end(), byTop)) std::stable_sort(out.begin(), out.end(), byTop);
  return out;
}

// Every row where the set of bars crossing it changes, with 0 and `height`.
std::vector<int> BandEdges(const std::vector<RECT>& bars, int height) {
  std::vector<bool> edge(static_cast<size_t>(height) + 1, false);
  edge[0] = edge[static_cast<size_t>(height)] = true;
  for (const RECT& r : bars) edge[static_cast<size_t>(r.top)] = edge[static_cast<size_t>(r.bottom)] = true;
  std::vector<int> edges;
  for (int y = 0; y <= height; ++y)
    if (edge[static_cast<size_t>(y)]) edges.push_back(y);
  return edges;
}

// `count` modules of M pixels each from `out`: M a constant, so each module
// is a few plain stores.
template <size_t M>
void ComposeModules(uint32_t* out, const uint8_t* dark, size_t count, uint32_t back, uint32_t bar) {
  for (size_t x = 0; x < count; ++x) {
    const uint32_t pixel = dark[x] ? bar : back;
    for (size_t k = 0; k < M; ++k) out[x * M + k] = pixel;
  }
}

// One module row as a scan line: `module` pixels per module from the left,
// the last module cut at the line's end, the ground beyond the modules.
void ComposeModuleRow(std::span<uint32_t> line, std::span<const uint8_t> row, size_t module, uint32_t back,
                      uint32_t bar) {
  const size_t whole = std::min(row.size(), line.size() / module);
  uint32_t* out = line.data();
  switch (module) {
    case 1: ComposeModules<1>(out, row.data(), whole, back, bar); break;
    case 2: ComposeModules<2>(out, row.data(), whole, back, bar); break;
    case 3: ComposeModules<3>(out, row.data(), whole, back, bar); break;
    case 4: ComposeModules<4>(out, row.data(), whole, back, bar); break;
    case 5: ComposeModules<5>(out, row.data(), whole, back, bar); break;
    case 6: ComposeModules<6>(out, row.data(), whole, back, bar); break;
    case 8: ComposeModules<8>(out, row.data(), whole, back, bar); break;
    default:
      for (size_t x = 0; x < whole; ++x)
        std::fill_n(out + x * module, module, row[x] ? bar : back);
      break;
  }
  size_t done = whole * module;
  if (whole < row.size() && done < line.size()) {  // a module the line's end cuts
    std::fill(line.begin() + static_cast<std::ptrdiff_t>(done), line.end(), row[whole] ? bar : back);
    done = line.size();
  }
  std::fill(line.begin() + static_cast<std::ptrdiff_t>(done), line.end(), back);
}

}  // namespace

void PaintBarBands(HDC dc, int width, int height, std::span<const RECT> bars, COLORREF back, COLORREF bar) {
  if (width <= 0 || height <= 0) return;
  const BITMAPINFO info = TopDownDibInfo(width, 1);  // one scan line
  const uint32_t backPixel = DibPixelOf(back), barPixel = DibPixelOf(bar);
  LineBuffer buffer(width);
  const std::span<uint32_t> line = buffer.Pixels();
  RECT rows;
  if (OneBand(bars, width, height, rows)) {
    // Linear symbols: the ground above, one band of bars, the ground below,
    // written top down.
    std::fill(line.begin(), line.end(), backPixel);
    CopyLine(dc, line, 0, rows.top, info);
    if (rows.top < rows.bottom) {
      for (const RECT& r : bars) {
        const RECT c = CutToBitmap(r, width, height);
        if (!IsEmpty(c)) std::fill(line.begin() + c.left, line.begin() + c.right, barPixel);
      }
      CopyLine(dc, line, rows.top, rows.bottom, info);
      std::fill(line.begin(), line.end(), backPixel);
    }
    CopyLine(dc, line, rows.bottom, height, info);
    return;
  }
  const std::vector<RECT> usable = UsableBars(bars, width, height);
  const std::vector<int> edges = BandEdges(usable, height);
  std::vector<const RECT*> crossing;  // the bars reaching into the current band
  size_t next = 0;
  for (size_t e = 0; e + 1 < edges.size(); ++e) {
    const int top = edges[e], bottom = edges[e + 1];
    while (next < usable.size() && usable[next].top <= top) crossing.push_back(&usable[next++]);
    std::erase_if(crossing, [top](const RECT* r) { return r->bottom <= top; });
    std::fill(line.begin(), line.end(), backPixel);
    for (const RECT* r : crossing) std::fill(line.begin() + r->left, line.begin() + r->right, barPixel);
    CopyLine(dc, line, top, bottom, info);
  }
}

void PaintModuleRows(HDC dc, int width, int height, const ModuleMatrix& matrix, int module, int rowHeight,
                     COLORREF back, COLORREF bar) {
  if (width <= 0 || height <= 0) return;
  const BITMAPINFO info = TopDownDibInfo(width, 1);  // one scan line
  const uint32_t backPixel = DibPixelOf(back), barPixel = DibPixelOf(bar);
  LineBuffer buffer(width);
  const std::span<uint32_t> line = buffer.Pixels();
  const int64_t moduleRows = module > 0 && rowHeight > 0 ? matrix.rows : 0;
  int top = 0;
  for (int64_t y = 0; top < height; ++y) {
    // Below the modules, the ground alone.
    const int bottom =
        y < moduleRows ? static_cast<int>(std::min<int64_t>(int64_t{top} + rowHeight, height)) : height;
    if (y < moduleRows)
      ComposeModuleRow(line, matrix.Row(static_cast<int>(y)), static_cast<size_t>(module), backPixel, barPixel);
    else
      std::fill(line.begin(), line.end(), backPixel);
    CopyLine(dc, line, top, bottom, info);
    top = bottom;
  }
}

}  // namespace kalvo
