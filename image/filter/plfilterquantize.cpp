#include "image/filter/plfilterquantize.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/pltextexception.h"

namespace {

constexpr int kCells = 32768;

// The eight corners of the 5-bit cube: black, red, green, blue, yellow,
// cyan, magenta, white.
constexpr unsigned char kCorners[8][3] = {{0, 0, 0},    {31, 0, 0},  {0, 31, 0},  {0, 0, 31},
                                          {31, 31, 0},  {0, 31, 31}, {31, 0, 31}, {31, 31, 31}};

// Ordered-dither offsets (doubled when used), by (width - 1 - column) mod 4
// and row mod 4.
constexpr int kOrderedMatrix[4][4] = {{-7, 1, -5, 3}, {5, -3, 7, -1}, {-4, 4, -6, 2}, {8, 0, 6, -2}};

int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
double Clamp255(double v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

uint8_t Channel(const PLPixel32& p, int axis) { return axis == 0 ? p.r : (axis == 1 ? p.g : p.b); }
void SetChannel(PLPixel32& p, int axis, int v) {
  (axis == 0 ? p.r : (axis == 1 ? p.g : p.b)) = uint8_t(v);
}

}  // namespace

PLFilterQuantize::PLFilterQuantize(int method, int dither) : m_Method(method), m_Dither(dither) {
  m_Boxes.reset(new (std::nothrow) Box[256]);
  if (!m_Boxes) throw PLTextException(PL_ERRNO_MEMORY, "Out of memory.");
  m_Histogram.resize(kCells);
}

PLFilterQuantize::~PLFilterQuantize() = default;

void PLFilterQuantize::SetUserPalette(const PLPixel32* palette) {
  if (!palette) {
    m_pUserPal.reset();
    return;
  }
  if (!m_pUserPal) m_pUserPal.reset(new PLPixel32[256]);
  std::copy(palette, palette + 256, m_pUserPal.get());
}

PLFilterQuantize::Cell& PLFilterQuantize::CellAt(int cell) {
  auto& slot = m_Histogram[size_t(cell)];
  if (!slot) slot = std::make_unique<Cell>();
  return *slot;
}

void PLFilterQuantize::BuildHistogram(PLBmp* source) {
  PLPixel32** rows = source->GetLineArray32();
  for (int y = 0; y < source->GetHeight(); ++y)
    for (int x = 0; x < source->GetWidth(); ++x) {
      const PLPixel32& p = rows[y][x];
      Cell& c = CellAt(CellOf(p.r, p.g, p.b));
      if (c.count < 65535) ++c.count;
    }
}

static int CellCount(const std::vector<std::unique_ptr<PLFilterQuantize::Cell>>& histogram, int r, int g, int b) {
  const auto& slot = histogram[size_t(r << 10 | g << 5 | b)];
  return slot ? slot->count : 0;
}

void PLFilterQuantize::ShrinkBox(Box& box) {
  int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
  long sum[3] = {0, 0, 0}, total = 0;
  for (int r = box.min.r; r <= box.max.r; ++r)
    for (int g = box.min.g; g <= box.max.g; ++g)
      for (int b = box.min.b; b <= box.max.b; ++b) {
        int n = CellCount(m_Histogram, r, g, b);
        if (n == 0) continue;
        int v[3] = {r, g, b};
        for (int a = 0; a < 3; ++a) {
          lo[a] = std::min(lo[a], v[a]);
          hi[a] = std::max(hi[a], v[a]);
          sum[a] += long(n) * v[a];
        }
        total += n;
      }
  if (total == 0) {
    // Nothing of the picture in this box.
    box.count = 0;
    return;
  }
  box.min = PLPixel32(uint8_t(lo[0]), uint8_t(lo[1]), uint8_t(lo[2]), 0);
  box.max = PLPixel32(uint8_t(hi[0]), uint8_t(hi[1]), uint8_t(hi[2]), 0);
  box.mean = PLPixel32(uint8_t(sum[0] / total), uint8_t(sum[1] / total), uint8_t(sum[2] / total), 0);
  box.count = int(std::min<long>(total, 65535));
  if (box.min == box.max) box.count = 1;
}

void PLFilterQuantize::MedianCutPalette(PLPixel32* pal) {
  Box* boxes = m_Boxes.get();
  for (int i = 0; i < 8; ++i) {
    PLPixel32 corner(kCorners[i][0], kCorners[i][1], kCorners[i][2], 0);
    boxes[i] = Box{corner, corner, corner, 1};
  }
  boxes[8] = Box{PLPixel32(0, 0, 0, 0), PLPixel32(31, 31, 31, 0), PLPixel32(), 0};
  ShrinkBox(boxes[8]);
  int used = 9;
  while (used < 256) {
    int pick = 8;
    for (int i = 9; i < used; ++i)
      if (boxes[i].count > boxes[pick].count) pick = i;
    if (boxes[pick].count < 2) {
      for (int i = used; i < 256; ++i) boxes[i] = Box{};
      break;
    }
    Box& chosen = boxes[pick];
    Box& copy = boxes[used++];
    copy = chosen;
    int extent[3];
    for (int a = 0; a < 3; ++a) extent[a] = Channel(chosen.max, a) - Channel(chosen.min, a);
    int axis = (extent[0] >= extent[1] && extent[0] >= extent[2]) ? 0 : (extent[1] >= extent[2] ? 1 : 2);
    int lo = Channel(chosen.min, axis), hi = Channel(chosen.max, axis);
    if (hi - lo == 2) {
      // The middle slice goes to neither box.
      SetChannel(copy.max, axis, lo);
      SetChannel(chosen.min, axis, hi);
    } else {
      int m = Channel(chosen.mean, axis);
      if (m == hi) m = hi - 1;
      SetChannel(chosen.max, axis, m);
      SetChannel(copy.min, axis, m + 1);
    }
    ShrinkBox(chosen);
    ShrinkBox(copy);
  }
  for (int i = 0; i < 256; ++i)
    pal[i] = PLPixel32(uint8_t((boxes[i].min.r + boxes[i].max.r) * 255 / 62),
                       uint8_t((boxes[i].min.g + boxes[i].max.g) * 255 / 62),
                       uint8_t((boxes[i].min.b + boxes[i].max.b) * 255 / 62), 0);
}

void PLFilterQuantize::PopularityPalette(PLPixel32* pal) {
  // Entries in 5-bit units with their counts; entries no cell fills stay black.
  PLPixel32 entries[256] = {};
  int counts[256] = {};
  for (int i = 0; i < 8; ++i) entries[i] = PLPixel32(kCorners[i][0], kCorners[i][1], kCorners[i][2], 0);
  for (int r = 0; r < 31; ++r)
    for (int g = 0; g < 31; ++g)
      for (int b = 0; b < 31; ++b) {
        int n = CellCount(m_Histogram, r, g, b);
        if (n <= counts[255]) continue;
        int i = 255;
        while (i > 8 && counts[i - 1] < n) {
          entries[i] = entries[i - 1];
          counts[i] = counts[i - 1];
          --i;
        }
        entries[i] = PLPixel32(uint8_t(r), uint8_t(g), uint8_t(b), 0);
        counts[i] = n;
      }
  for (int i = 0; i < 256; ++i)
    pal[i] = PLPixel32(uint8_t(entries[i].r * 255 / 31), uint8_t(entries[i].g * 255 / 31),
                       uint8_t(entries[i].b * 255 / 31), 0);
}

int PLFilterQuantize::NearestIndex(const PLPixel32* pal, int r, int g, int b) {
  Cell& cell = CellAt(CellOf(r, g, b));
  if (cell.index >= 0) return cell.index;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    long dr = r - pal[i].r, dg = g - pal[i].g, db = b - pal[i].b;
    long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  cell.index = best;
  return best;
}

void PLFilterQuantize::MapPixels(PLBmp* source, PLBmp* target, const PLPixel32* pal) {
  int w = source->GetWidth(), h = source->GetHeight();
  PLPixel32** src = source->GetLineArray32();
  PLBYTE** dst = target->GetLineArray();
  if (m_Dither == PLDTH_FS) {
    // Errors per channel in two rows of width + 2 pixels.
    std::vector<double> rowA(size_t(w + 2) * 3, 0.0), rowB(size_t(w + 2) * 3, 0.0);
    double* cur = rowA.data();
    double* next = rowB.data();
    for (int y = 0; y < h; ++y) {
      std::fill(next, next + size_t(w + 2) * 3, 0.0);
      int dir = (y % 2 == 0) ? 1 : -1;
      for (int step = 0; step < w; ++step) {
        int x = dir > 0 ? step : w - 1 - step;
        const PLPixel32& p = src[y][x];
        int v[3] = {p.r, p.g, p.b};
        double wanted[3];
        for (int a = 0; a < 3; ++a) wanted[a] = Clamp255(v[a] + cur[size_t(x + 1) * 3 + a]);
        int index = NearestIndex(pal, int(wanted[0]), int(wanted[1]), int(wanted[2]));
        dst[y][x] = PLBYTE(index);
        int chosen[3] = {pal[index].r, pal[index].g, pal[index].b};
        for (int a = 0; a < 3; ++a) {
          double e = (wanted[a] - chosen[a]) / 16.0;
          cur[size_t(x + 1 + dir) * 3 + a] += 7 * e;
          next[size_t(x + 1 - dir) * 3 + a] += 3 * e;
          next[size_t(x + 1) * 3 + a] += 5 * e;
          next[size_t(x + 1 + dir) * 3 + a] = e;
        }
      }
      std::swap(cur, next);
    }
    return;
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const PLPixel32& p = src[y][x];
      int r = p.r, g = p.g, b = p.b;
      if (m_Dither == PLDTH_ORDERED) {
        int offset = 2 * kOrderedMatrix[(w - 1 - x) % 4][y % 4];
        r = Clamp255(r + offset);
        g = Clamp255(g + offset);
        b = Clamp255(b + offset);
      }
      dst[y][x] = PLBYTE(NearestIndex(pal, r, g, b));
    }
}

void PLFilterQuantize::Apply(PLBmp* source, PLBmp* target) {
  if (source == target) {
    ApplyInPlace(source);
    return;
  }
  if (source->GetBitsPerPixel() != 32) {
    // Other depths are quantised from a 32-bit copy.
    PLAnyBmp wide;
    wide.CreateCopy(*source, 32);
    if (wide.GetBitsPerPixel() == 32) Apply(&wide, target);
    return;
  }
  PLBmpLock srcLock(*source, true, false);
  if (!target->Create(source->GetWidth(), source->GetHeight(), 8, source->GetFileBitsPerPixel(),
                      source->GetFileSize(), false, false, source->GetResolution()))
    return;
  PLBmpLock dstLock(*target, false, true);
  // Earlier runs of this filter leave cached indexes for another palette.
  for (auto& cell : m_Histogram) cell.reset();
  PLPixel32 palette[256];
  switch (m_Method) {
    case PLDTHPAL_MEDIAN:
      BuildHistogram(source);
      MedianCutPalette(palette);
      break;
    case PLDTHPAL_POPULARITY:
      BuildHistogram(source);
      PopularityPalette(palette);
      break;
    case PLDTHPAL_USERDEFINED:
      if (m_pUserPal) {
        std::copy(m_pUserPal.get(), m_pUserPal.get() + 256, palette);
        break;
      }
      [[fallthrough]];
    default:
      std::copy(GetDefaultPalette(), GetDefaultPalette() + 256, palette);
      break;
  }
  // The histogram's counts served the palette; the cells now cache indexes.
  for (auto& cell : m_Histogram)
    if (cell) cell->index = -1;
  target->SetPalette(palette);
  MapPixels(source, target, palette);
}
