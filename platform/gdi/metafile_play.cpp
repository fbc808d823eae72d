// Playback of metafile records onto a device context. Coordinates are
// mapped by the picture's own mapping (its window and viewport records)
// and then onto the target rectangle, and the drawing calls get the mapped
// points, so the target context's own mapping is left alone.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/gdi/metafile_internal.h"

namespace metafile_internal {

namespace {

// One GDI object made by a record; slots of objects the player does not
// make (fonts, palettes, regions) stay occupied but empty.
struct Slot {
  bool used = false;
  HGDIOBJ object = nullptr;
};

class Player {
 public:
  Player(HDC dc, size_t slots) : m_Dc(dc), m_Slots(slots) {
    m_Saved = SaveDC(dc);
    m_DefaultPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    m_DefaultBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  }
  ~Player() {
    SelectObject(m_Dc, m_DefaultPen);
    SelectObject(m_Dc, m_DefaultBrush);
    RestoreDC(m_Dc, m_Saved);
    for (Slot& s : m_Slots)
      if (s.object) DeleteObject(s.object);
  }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // The picture's mapping: logical units to its own device units.
  int mapMode = MM_TEXT;
  double wox = 0, woy = 0, wex = 1, wey = 1, vox = 0, voy = 0, vex = 1, vey = 1;
  // Units of millimetres for the fixed map modes (enhanced metafiles).
  double pxPerMmX = 1, pxPerMmY = 1;
  // The picture's device units onto the target.
  double ax = 1, bx = 0, ay = 1, by = 0;
  bool windowsMetafile = false;

  POINT Map(double x, double y) const {
    double dx, dy;
    if (windowsMetafile) {
      dx = (x - wox) * vex / wex + vox;
      dy = (y - woy) * vey / wey + voy;
    } else {
      switch (mapMode) {
        case MM_ANISOTROPIC:
        case MM_ISOTROPIC:
          dx = (x - wox) * vex / wex + vox;
          dy = (y - woy) * vey / wey + voy;
          break;
        case MM_LOMETRIC: dx = Fixed(x - wox, 0.1, pxPerMmX) + vox; dy = -Fixed(y - woy, 0.1, pxPerMmY) + voy; break;
        case MM_HIMETRIC: dx = Fixed(x - wox, 0.01, pxPerMmX) + vox; dy = -Fixed(y - woy, 0.01, pxPerMmY) + voy; break;
        case MM_LOENGLISH: dx = Fixed(x - wox, 0.254, pxPerMmX) + vox; dy = -Fixed(y - woy, 0.254, pxPerMmY) + voy; break;
        case MM_HIENGLISH: dx = Fixed(x - wox, 0.0254, pxPerMmX) + vox; dy = -Fixed(y - woy, 0.0254, pxPerMmY) + voy; break;
        case MM_TWIPS: dx = Fixed(x - wox, 25.4 / 1440, pxPerMmX) + vox; dy = -Fixed(y - woy, 25.4 / 1440, pxPerMmY) + voy; break;
        default: dx = x - wox + vox; dy = y - woy + voy; break;
      }
    }
    return POINT{Round(dx * ax + bx), Round(dy * ay + by)};
  }
  // A length along x (pen widths, corner sizes).
  int MapWidth(double w) const {
    POINT a = Map(0, 0), b = Map(w, 0);
    return std::abs(b.x - a.x);
  }
  int MapHeight(double h) const {
    POINT a = Map(0, 0), b = Map(0, h);
    return std::abs(b.y - a.y);
  }

  HDC Dc() const { return m_Dc; }

  // The picture's own saved states. It may go back only through states it
  // saved itself, never into those of whoever plays it.
  void Save() {
    if (SaveDC(m_Dc)) ++m_Depth;
  }
  void Restore(int relative) {
    if (relative >= 0 || relative < -m_Depth) return;
    if (RestoreDC(m_Dc, relative)) m_Depth += relative;
  }

  // Puts an object in a given slot (enhanced) or the first free one
  // (Windows metafiles).
  void Store(size_t index, HGDIOBJ object) {
    if (index >= m_Slots.size()) {
      if (object) DeleteObject(object);
      return;
    }
    Release(index);
    m_Slots[index] = Slot{true, object};
  }
  void StoreFirstFree(HGDIOBJ object) {
    for (size_t i = 0; i < m_Slots.size(); ++i)
      if (!m_Slots[i].used) {
        m_Slots[i] = Slot{true, object};
        return;
      }
    if (object) DeleteObject(object);
  }
  void Select(size_t index) {
    if (index < m_Slots.size() && m_Slots[index].object) SelectObject(m_Dc, m_Slots[index].object);
  }
  void Release(size_t index) {
    if (index >= m_Slots.size()) return;
    Slot& s = m_Slots[index];
    if (s.object) {
      // An object still selected goes back to the stock one first.
      if (GetCurrentObject(m_Dc, OBJ_PEN) == s.object) SelectObject(m_Dc, GetStockObject(BLACK_PEN));
      if (GetCurrentObject(m_Dc, OBJ_BRUSH) == s.object) SelectObject(m_Dc, GetStockObject(WHITE_BRUSH));
      DeleteObject(s.object);
    }
    s = Slot{};
  }

  // Pens wider than the target cover all of it; wider ones would only cost
  // time.
  int maxPenWidth = 1 << 16;

  HPEN MakePen(UINT style, double width, COLORREF colour) const {
    const int w = width <= 0 ? 0 : std::clamp(MapWidth(width), 1, maxPenWidth);
    return CreatePen(int(style & PS_STYLE_MASK), w, colour);
  }

 private:
  static double Fixed(double v, double mmPerUnit, double pxPerMm) { return v * mmPerUnit * pxPerMm; }
  static LONG Round(double v) {
    if (v > 1e8) return 100000000;
    if (v < -1e8) return -100000000;
    return LONG(std::lround(v));
  }

  HDC m_Dc;
  std::vector<Slot> m_Slots;
  int m_Saved = 0;
  int m_Depth = 0;
  HGDIOBJ m_DefaultPen = nullptr;
  HGDIOBJ m_DefaultBrush = nullptr;
};

// Enhanced metafile record types used here.
enum : uint32_t {
  EMR_POLYGON = 3, EMR_POLYLINE = 4, EMR_EOF = 14, EMR_SETWINDOWEXTEX = 9, EMR_SETWINDOWORGEX = 10,
  EMR_SETVIEWPORTEXTEX = 11, EMR_SETVIEWPORTORGEX = 12, EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19, EMR_SETROP2 = 20, EMR_SETTEXTCOLOR = 24, EMR_SETBKCOLOR = 25, EMR_MOVETOEX = 27,
  EMR_SAVEDC = 33, EMR_RESTOREDC = 34, EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39,
  EMR_DELETEOBJECT = 40, EMR_ELLIPSE = 42, EMR_RECTANGLE = 43, EMR_ROUNDRECT = 44, EMR_LINETO = 54,
  EMR_POLYGON16 = 86, EMR_POLYLINE16 = 87, EMR_POLYPOLYGON16 = 91, EMR_BITBLT = 76, EMR_STRETCHBLT = 77,
  EMR_STRETCHDIBITS = 81,
};

constexpr uint32_t kStockFlag = 0x80000000u;
constexpr uint32_t EMR_CREATEMONOBRUSH = 93, EMR_CREATEDIBPATTERNBRUSHPT = 94;

// A brush described by value. The other styles (pattern brushes) carry a
// handle or an address in their hatch field, which a file must never
// choose: metafiles give their pattern brushes' bitmaps in the record.
HBRUSH MakeBrush(UINT style, COLORREF colour, ULONG_PTR hatch) {
  if (style != BS_SOLID && style != BS_NULL && style != BS_HATCHED) return nullptr;
  LOGBRUSH lb{style, colour, hatch};
  return CreateBrushIndirect(&lb);
}

// A DIB section from a device-independent bitmap held in a record: the
// header and colour table in info, the pixel rows in bits. Both blocks are
// checked against what the header asks for before anything is made;
// nullptr when they do not hold it.
HBITMAP DibFromRecord(ByteReader info, ByteReader bits, UINT usage) {
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return nullptr;
  const uint32_t headerSize = info.U32At(0);
  if (headerSize < 40 || !info.Has(0, headerSize)) return nullptr;
  BITMAPINFOHEADER h{};
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = LONG(info.U32At(4));
  h.biHeight = LONG(info.U32At(8));
  h.biPlanes = info.U16At(12);
  h.biBitCount = info.U16At(14);
  h.biCompression = info.U32At(16);
  h.biClrUsed = info.U32At(32);
  const int bpp = h.biBitCount;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1 ||
      h.biCompression != BI_RGB || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32))
    return nullptr;
  // The colour table: biClrUsed entries (all of them when 0) for 8 bits
  // and fewer; 4 bytes each, or 2-byte palette indexes.
  uint32_t colours = 0;
  if (bpp <= 8) {
    colours = h.biClrUsed ? h.biClrUsed : 1u << bpp;
    if (colours > (1u << bpp)) return nullptr;
  }
  const size_t entryBytes = usage == DIB_PAL_COLORS ? 2 : 4;
  if (!info.Has(headerSize, size_t(colours) * entryBytes)) return nullptr;
  const uint64_t stride = (uint64_t(uint32_t(h.biWidth)) * uint64_t(bpp) + 31) / 32 * 4;
  const uint64_t rows = uint64_t(std::llabs(int64_t(h.biHeight)));
  if (stride * rows > bits.size()) return nullptr;

  // A BITMAPINFO of our own: the header field by field, the table after it.
  std::vector<uint32_t> block((sizeof(BITMAPINFOHEADER) + 256 * 4) / 4, 0);
  std::memcpy(block.data(), &h, sizeof h);
  if (colours) std::memcpy(reinterpret_cast<BYTE*>(block.data()) + sizeof h, info.data() + headerSize, colours * entryBytes);
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(block.data());
  void* pixels = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, bmi, usage, &pixels, nullptr, 0);
  if (!dib) return nullptr;
  SetDIBits(nullptr, dib, 0, UINT(rows), bits.data(), bmi, usage);
  return dib;
}

HBRUSH BrushFromDib(ByteReader info, ByteReader bits, UINT usage) {
  HBITMAP dib = DibFromRecord(info, bits, usage);
  if (!dib) return nullptr;
  HBRUSH brush = CreatePatternBrush(dib);
  DeleteObject(dib);
  return brush;
}

// The bitmap of a transfer record, drawn stretched to the mapped
// destination with the record's raster operation. The record's own source
// transform and background colour are not applied.
void PlayDibTransfer(HDC dc, const Player& p, ByteReader record, int x, int y, int w, int h, int xs, int ys, int ws,
                     int hs, DWORD rop, size_t offBmi, size_t cbBmi, size_t offBits, size_t cbBits, UINT usage) {
  if (!record.Has(offBmi, cbBmi) || !record.Has(offBits, cbBits) || cbBmi < 40) return;
  HBITMAP dib = DibFromRecord(record.SubAt(offBmi, cbBmi), record.SubAt(offBits, cbBits), usage);
  if (!dib) return;
  const POINT a = p.Map(x, y), b = p.Map(double(x) + w, double(y) + h);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, dib);
  StretchBlt(dc, a.x, a.y, b.x - a.x, b.y - a.y, source, xs, ys, ws, hs, rop);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(dib);
}

// A packed bitmap: header, colour table and rows one after the other.
HBRUSH BrushFromPackedDib(ByteReader dib, UINT usage) {
  const uint32_t headerSize = dib.U32At(0);
  const uint16_t bpp = dib.U16At(14);
  uint32_t colours = bpp <= 8 ? dib.U32At(32) : 0;
  if (bpp <= 8 && colours == 0) colours = 1u << bpp;
  const uint64_t tableEnd = uint64_t(headerSize) + uint64_t(colours) * (usage == DIB_PAL_COLORS ? 2 : 4);
  if (headerSize < 40 || tableEnd > dib.size()) return nullptr;
  return BrushFromDib(dib, dib.From(tableEnd), usage);
}

}  // namespace

BOOL PlayEnhRecords(HDC dc, const MetafileData& m, const RECT& rect) {
  const ENHMETAHEADER& h = m.header;
  Player p(dc, size_t(h.nHandles) + 1);
  p.maxPenWidth = std::max(1L, 2 * (std::labs(rect.right - rect.left) + std::labs(rect.bottom - rect.top)));
  if (h.szlMillimeters.cx > 0 && h.szlMillimeters.cy > 0) {
    p.pxPerMmX = double(h.szlDevice.cx) / h.szlMillimeters.cx;
    p.pxPerMmY = double(h.szlDevice.cy) / h.szlMillimeters.cy;
  }
  // The frame, in reference pixels, fills the target.
  // (In doubles: the header's rectangles may hold any 32-bit values.)
  double fl = h.rclFrame.left * p.pxPerMmX / 100.0, ft = h.rclFrame.top * p.pxPerMmY / 100.0;
  double fw = (double(h.rclFrame.right) - h.rclFrame.left) * p.pxPerMmX / 100.0;
  double fh = (double(h.rclFrame.bottom) - h.rclFrame.top) * p.pxPerMmY / 100.0;
  if (fw <= 0 || fh <= 0) {
    fl = h.rclBounds.left;
    ft = h.rclBounds.top;
    fw = double(h.rclBounds.right) - h.rclBounds.left + 1;
    fh = double(h.rclBounds.bottom) - h.rclBounds.top + 1;
  }
  if (fw <= 0 || fh <= 0) fw = fh = 1;
  p.ax = (rect.right - rect.left) / fw;
  p.ay = (rect.bottom - rect.top) / fh;
  p.bx = rect.left - fl * p.ax;
  p.by = rect.top - ft * p.ay;

  const size_t size = std::min<size_t>(m.bytes.size(), h.nBytes ? h.nBytes : m.bytes.size());
  const ByteReader bytes(m.bytes.data(), size);
  size_t pos = 0;
  std::vector<POINT> points;
  while (pos + 8 <= size) {
    const uint32_t type = bytes.U32At(pos);
    const uint32_t length = bytes.U32At(pos + 4);
    if (length < 8 || length % 4 || length > size - pos) return FALSE;
    const ByteReader record = bytes.SubAt(pos, length);
    const ByteReader r = record.From(8);  // the parameters
    const size_t n = length - 8;  // parameter bytes
    pos += length;
    auto has = [&](size_t bytes) { return n >= bytes; };
    switch (type) {
      case EMR_EOF: return TRUE;
      case EMR_SETWINDOWEXTEX:
        if (has(8) && r.I32At(0) != 0 && r.I32At(4) != 0) p.wex = r.I32At(0), p.wey = r.I32At(4);
        break;
      case EMR_SETWINDOWORGEX:
        if (has(8)) p.wox = r.I32At(0), p.woy = r.I32At(4);
        break;
      case EMR_SETVIEWPORTEXTEX:
        if (has(8) && r.I32At(0) != 0 && r.I32At(4) != 0) p.vex = r.I32At(0), p.vey = r.I32At(4);
        break;
      case EMR_SETVIEWPORTORGEX:
        if (has(8)) p.vox = r.I32At(0), p.voy = r.I32At(4);
        break;
      case EMR_SETMAPMODE:
        if (has(4)) p.mapMode = int(r.U32At(0));
        break;
      case EMR_SETBKMODE:
        if (has(4)) SetBkMode(dc, int(r.U32At(0)));
        break;
      case EMR_SETPOLYFILLMODE:
        if (has(4)) SetPolyFillMode(dc, int(r.U32At(0)));
        break;
      case EMR_SETROP2:
        if (has(4)) SetROP2(dc, int(r.U32At(0)));
        break;
      case EMR_SETTEXTCOLOR:
        if (has(4)) SetTextColor(dc, r.U32At(0));
        break;
      case EMR_SETBKCOLOR:
        if (has(4)) SetBkColor(dc, r.U32At(0));
        break;
      case EMR_MOVETOEX:
        if (has(8)) {
          POINT pt = p.Map(r.I32At(0), r.I32At(4));
          MoveToEx(dc, pt.x, pt.y, nullptr);
        }
        break;
      case EMR_LINETO:
        if (has(8)) {
          POINT pt = p.Map(r.I32At(0), r.I32At(4));
          LineTo(dc, pt.x, pt.y);
        }
        break;
      case EMR_SAVEDC: p.Save(); break;
      case EMR_RESTOREDC:
        if (has(4)) p.Restore(r.I32At(0));
        break;
      case EMR_SELECTOBJECT:
        if (has(4)) {
          const uint32_t index = r.U32At(0);
          if (index & kStockFlag) {
            if (HGDIOBJ stock = GetStockObject(int(index & ~kStockFlag))) SelectObject(dc, stock);
          } else {
            p.Select(index);
          }
        }
        break;
      case EMR_CREATEPEN:
        if (has(20)) p.Store(r.U32At(0), p.MakePen(r.U32At(4), r.I32At(8), r.U32At(16)));
        break;
      case EMR_CREATEBRUSHINDIRECT:
        if (has(16)) p.Store(r.U32At(0), MakeBrush(r.U32At(4), r.U32At(8), r.U32At(12)));
        break;
      case EMR_CREATEMONOBRUSH:
      case EMR_CREATEDIBPATTERNBRUSHPT:
        // Index, usage, then offset and size of the bitmap's header and of
        // its rows, counted from the start of the record.
        if (has(24)) {
          const uint32_t offInfo = r.U32At(8), infoSize = r.U32At(12), offBits = r.U32At(16),
                         bitsSize = r.U32At(20);
          HBRUSH brush = nullptr;
          if (offInfo >= 32 && offBits >= 32 && record.Has(offInfo, infoSize) && record.Has(offBits, bitsSize))
            brush = BrushFromDib(record.SubAt(offInfo, infoSize), record.SubAt(offBits, bitsSize), UINT(r.U32At(4)));
          p.Store(r.U32At(0), brush);
        }
        break;
      case EMR_DELETEOBJECT:
        if (has(4)) p.Release(r.U32At(0));
        break;
      case EMR_RECTANGLE:
      case EMR_ELLIPSE:
      case EMR_ROUNDRECT:
        if (has(16)) {
          POINT a = p.Map(r.I32At(0), r.I32At(4)), b = p.Map(r.I32At(8), r.I32At(12));
          if (type == EMR_RECTANGLE) Rectangle(dc, a.x, a.y, b.x, b.y);
          else if (type == EMR_ELLIPSE) Ellipse(dc, a.x, a.y, b.x, b.y);
          else if (has(24)) RoundRect(dc, a.x, a.y, b.x, b.y, p.MapWidth(r.I32At(16)), p.MapHeight(r.I32At(20)));
        }
        break;
      case EMR_POLYGON:
      case EMR_POLYLINE:
      case EMR_POLYGON16:
      case EMR_POLYLINE16: {
        if (!has(20)) break;
        const bool wide = type == EMR_POLYGON || type == EMR_POLYLINE;
        const uint32_t count = r.U32At(16);
        const size_t pointBytes = wide ? 8 : 4;
        if (count == 0 || count > (n - 20) / pointBytes) break;
        points.clear();
        for (uint32_t i = 0; i < count; ++i) {
          const size_t q = 20 + i * pointBytes;
          points.push_back(wide ? p.Map(r.I32At(q), r.I32At(q + 4)) : p.Map(r.I16At(q), r.I16At(q + 2)));
        }
        if (type == EMR_POLYGON || type == EMR_POLYGON16) Polygon(dc, points.data(), int(count));
        else Polyline(dc, points.data(), int(count));
        break;
      }
      case EMR_POLYPOLYGON16: {
        if (!has(24)) break;
        const uint32_t polys = r.U32At(16);
        const uint32_t total = r.U32At(20);
        if (polys == 0 || polys > (n - 24) / 4 || total > (n - 24 - 4 * size_t(polys)) / 4) break;
        std::vector<INT> counts;
        uint64_t sum = 0;
        for (uint32_t i = 0; i < polys; ++i) {
          counts.push_back(INT(r.U32At(24 + 4 * i)));
          sum += r.U32At(24 + 4 * i);
        }
        if (sum != total) break;
        points.clear();
        const size_t q = 24 + 4 * size_t(polys);
        for (uint32_t i = 0; i < total; ++i) points.push_back(p.Map(r.I16At(q + 4 * i), r.I16At(q + 4 * i + 2)));
        PolyPolygon(dc, points.data(), counts.data(), int(polys));
        break;
      }
      case EMR_BITBLT:
      case EMR_STRETCHBLT: {
        // Bounds, destination, raster operation, source origin, source
        // transform, background, usage, the bitmap's offsets and sizes.
        const size_t fixed = type == EMR_BITBLT ? 92 : 100;
        if (!has(fixed)) break;
        const int w = r.I32At(24), h = r.I32At(28);
        const int ws = type == EMR_BITBLT ? w : r.I32At(92), hs = type == EMR_BITBLT ? h : r.I32At(96);
        const size_t cbBmi = r.U32At(80);
        if (cbBmi == 0) {
          // No source: the operation uses the pattern and destination only.
          const POINT a = p.Map(r.I32At(16), r.I32At(20)), b = p.Map(double(r.I32At(16)) + w, double(r.I32At(20)) + h);
          PatBlt(dc, a.x, a.y, b.x - a.x, b.y - a.y, r.U32At(32));
          break;
        }
        PlayDibTransfer(dc, p, record, r.I32At(16), r.I32At(20), w, h, r.I32At(36), r.I32At(40), ws, hs,
                        r.U32At(32), r.U32At(76), cbBmi, r.U32At(84), r.U32At(88), r.U32At(72));
        break;
      }
      case EMR_STRETCHDIBITS: {
        if (!has(72)) break;
        PlayDibTransfer(dc, p, record, r.I32At(16), r.I32At(20), r.I32At(64), r.I32At(68), r.I32At(24),
                        r.I32At(28), r.I32At(32), r.I32At(36), r.U32At(60), r.U32At(40), r.U32At(44), r.U32At(48),
                        r.U32At(52), r.U32At(56));
        break;
      }
      default:
        break;
    }
  }
  return TRUE;
}

namespace {

// Windows metafile functions used here.
enum : uint16_t {
  META_SETBKCOLOR = 0x0201, META_SETBKMODE = 0x0102, META_SETMAPMODE = 0x0103, META_SETROP2 = 0x0104,
  META_SETPOLYFILLMODE = 0x0106, META_SETTEXTCOLOR = 0x0209, META_SETWINDOWORG = 0x020B, META_SETWINDOWEXT = 0x020C,
  META_LINETO = 0x0213, META_MOVETO = 0x0214, META_ELLIPSE = 0x0418, META_RECTANGLE = 0x041B,
  META_ROUNDRECT = 0x061C, META_SAVEDC = 0x001E, META_RESTOREDC = 0x0127, META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325, META_POLYPOLYGON = 0x0538, META_SELECTOBJECT = 0x012D, META_DELETEOBJECT = 0x01F0,
  META_CREATEPENINDIRECT = 0x02FA, META_CREATEBRUSHINDIRECT = 0x02FC,
  // Records that make objects this player does not draw with.
  META_CREATEPALETTE = 0x00F7, META_CREATEPATTERNBRUSH = 0x01F9, META_DIBCREATEPATTERNBRUSH = 0x0142,
  META_CREATEFONTINDIRECT = 0x02FB, META_CREATEREGION = 0x06FF,
};

}  // namespace

BOOL PlayWinRecords(HDC dc, const MetafileData& m, const RECT& rect) {
  const ByteReader bytes(m.bytes.data(), m.bytes.size());
  const size_t size = bytes.size();
  Player p(dc, bytes.U16At(10));
  p.maxPenWidth = std::max(1L, 2 * (std::labs(rect.right - rect.left) + std::labs(rect.bottom - rect.top)));
  p.windowsMetafile = true;
  // Until the picture sets its window, one unit is one pixel of the target.
  p.wex = p.vex = 1;
  p.wey = p.vey = 1;
  p.bx = rect.left;
  p.by = rect.top;
  const double targetW = rect.right - rect.left, targetH = rect.bottom - rect.top;

  size_t pos = kWmfHeaderBytes;
  std::vector<POINT> points;
  while (pos + 6 <= size) {
    const uint64_t length = uint64_t(bytes.U32At(pos)) * 2;
    const uint16_t function = bytes.U16At(pos + 4);
    if (function == kMetaEof) return TRUE;
    if (length < 6 || length > size - pos) return FALSE;
    const ByteReader r = bytes.SubAt(pos + 6, length - 6);  // the parameters
    const size_t n = size_t(length) - 6;
    pos += size_t(length);
    auto has = [&](size_t bytes) { return n >= bytes; };
    auto w = [&](size_t i) { return r.I16At(2 * i); };  // the i-th parameter word
    switch (function) {
      case META_SETWINDOWORG:
        if (has(4)) p.woy = w(0), p.wox = w(1);
        break;
      case META_SETWINDOWEXT:
        if (has(4) && w(0) != 0 && w(1) != 0) {
          // The window fills the target.
          p.wey = w(0), p.wex = w(1);
          p.vex = targetW;
          p.vey = targetH;
        }
        break;
      case META_SETMAPMODE:
        if (has(2)) p.mapMode = w(0);
        break;
      case META_SETBKMODE:
        if (has(2)) SetBkMode(dc, w(0));
        break;
      case META_SETPOLYFILLMODE:
        if (has(2)) SetPolyFillMode(dc, w(0));
        break;
      case META_SETROP2:
        if (has(2)) SetROP2(dc, w(0));
        break;
      case META_SETBKCOLOR:
        if (has(4)) SetBkColor(dc, r.U32At(0));
        break;
      case META_SETTEXTCOLOR:
        if (has(4)) SetTextColor(dc, r.U32At(0));
        break;
      case META_MOVETO:
      case META_LINETO:
        if (has(4)) {
          POINT pt = p.Map(w(1), w(0));
          if (function == META_MOVETO) MoveToEx(dc, pt.x, pt.y, nullptr);
          else LineTo(dc, pt.x, pt.y);
        }
        break;
      case META_RECTANGLE:
      case META_ELLIPSE:
        if (has(8)) {
          POINT a = p.Map(w(3), w(2)), b = p.Map(w(1), w(0));
          if (function == META_RECTANGLE) Rectangle(dc, a.x, a.y, b.x, b.y);
          else Ellipse(dc, a.x, a.y, b.x, b.y);
        }
        break;
      case META_ROUNDRECT:
        if (has(12)) {
          POINT a = p.Map(w(5), w(4)), b = p.Map(w(3), w(2));
          RoundRect(dc, a.x, a.y, b.x, b.y, p.MapWidth(w(1)), p.MapHeight(w(0)));
        }
        break;
      case META_POLYGON:
      case META_POLYLINE: {
        if (!has(2)) break;
        const int count = w(0);
        if (count <= 0 || size_t(count) > (n - 2) / 4) break;
        points.clear();
        for (int i = 0; i < count; ++i) points.push_back(p.Map(w(1 + 2 * i), w(2 + 2 * i)));
        if (function == META_POLYGON) Polygon(dc, points.data(), count);
        else Polyline(dc, points.data(), count);
        break;
      }
      case META_POLYPOLYGON: {
        if (!has(2)) break;
        const int polys = w(0);
        if (polys <= 0 || size_t(polys) > (n - 2) / 2) break;
        std::vector<INT> counts;
        size_t total = 0;
        for (int i = 0; i < polys; ++i) {
          const int c = w(1 + i);
          if (c <= 0) break;
          counts.push_back(c);
          total += size_t(c);
        }
        if (counts.size() != size_t(polys) || total > (n - 2 - 2 * size_t(polys)) / 4) break;
        points.clear();
        const size_t first = 1 + size_t(polys);
        for (size_t i = 0; i < total; ++i) points.push_back(p.Map(w(first + 2 * i), w(first + 2 * i + 1)));
        PolyPolygon(dc, points.data(), counts.data(), polys);
        break;
      }
      case META_SAVEDC: p.Save(); break;
      case META_RESTOREDC:
        if (has(2)) p.Restore(w(0));
        break;
      case META_SELECTOBJECT:
        if (has(2)) p.Select(uint16_t(w(0)));
        break;
      case META_DELETEOBJECT:
        if (has(2)) p.Release(uint16_t(w(0)));
        break;
      case META_CREATEPENINDIRECT:
        if (has(10)) p.StoreFirstFree(p.MakePen(uint16_t(w(0)), w(1), r.U32At(6)));
        break;
      case META_CREATEBRUSHINDIRECT:
        if (has(8)) p.StoreFirstFree(MakeBrush(uint16_t(w(0)), r.U32At(2), uint16_t(w(3))));
        break;
      case META_DIBCREATEPATTERNBRUSH:
        // Style and colour usage, then a packed bitmap to the record's end.
        // A record that does not hold its bitmap still takes its slot.
        p.StoreFirstFree(has(4) ? BrushFromPackedDib(r.From(4), uint16_t(w(1))) : nullptr);
        break;
      case META_CREATEPALETTE:
      case META_CREATEPATTERNBRUSH:
      case META_CREATEFONTINDIRECT:
      case META_CREATEREGION:
        p.StoreFirstFree(nullptr);
        break;
      default:
        break;
    }
  }
  return TRUE;
}

}  // namespace metafile_internal

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect) {
  auto m = metafile_internal::Find(metafile);
  if (!m || !dc || !rect) return FALSE;
  return m->windows ? metafile_internal::PlayWinRecords(dc, *m, *rect)
                    : metafile_internal::PlayEnhRecords(dc, *m, *rect);
}
