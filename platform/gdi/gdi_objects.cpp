// The object table and the object calls: creation of pens, brushes and
// palettes, stock objects, selection, deletion and description.
#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "platform/gdi/gdi_internal.h"
#include "platform/nls/nls.h"

namespace gdi {
namespace {

// Objects live in the platform's handle table, stored as Object under the
// kind of handle that matches their ObjectKind; stock objects are permanent.
HGDIOBJ AddToTable(std::shared_ptr<Object> object) {
  const HandleKind kind = HandleKindOf(object->kind);
  const auto lifetime = object->stock ? handles::Lifetime::Permanent : handles::Lifetime::Deletable;
  return handles::Create<HGDIOBJ>(kind, std::move(object), lifetime);
}

constexpr int kStockCount = 20;
constexpr int kStockBitmap = kStockCount;  // the 1 x 1 monochrome bitmap of new memory DCs

// The stock fonts' descriptions; the last row serves SYSTEM_FONT and DEVICE_DEFAULT_FONT.
struct StockFontRow {
  int index;
  LONG height, width, weight;
  BYTE charset, pitchAndFamily;
  const char* face;
};
constexpr std::array kStockFonts{
    StockFontRow{OEM_FIXED_FONT, 12, 8, FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN, "Terminal"},
    StockFontRow{ANSI_FIXED_FONT, 12, 9, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, "Courier"},
    StockFontRow{ANSI_VAR_FONT, 12, 9, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"},
    StockFontRow{SYSTEM_FIXED_FONT, 16, 8, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, "Fixedsys"},
    StockFontRow{DEFAULT_GUI_FONT, -11, 0, FW_NORMAL, DEFAULT_CHARSET, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"},
    StockFontRow{SYSTEM_FONT, 16, 7, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "System"},
};

LOGFONTW StockLogFont(int index) {
  const StockFontRow* row = &kStockFonts.back();
  for (const auto& r : kStockFonts)
    if (r.index == index) row = &r;
  LOGFONTW lf{};
  lf.lfHeight = row->height;
  lf.lfWidth = row->width;
  lf.lfWeight = row->weight;
  lf.lfCharSet = row->charset;
  lf.lfPitchAndFamily = row->pitchAndFamily;
  for (int i = 0; row->face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = static_cast<WCHAR>(row->face[i]);
  return lf;
}

std::shared_ptr<Object> MakeStock(int index) {
  auto solidBrush = [](COLORREF c, UINT style = BS_SOLID) {
    auto b = std::make_shared<Brush>();
    b->style = style;
    b->colour = c;
    return b;
  };
  auto pen = [](COLORREF c, DWORD style) {
    auto p = std::make_shared<Pen>();
    p->style = style;
    p->colour = c;
    return p;
  };
  std::shared_ptr<Object> o;
  switch (index) {
    case WHITE_BRUSH: o = solidBrush(RGB(255, 255, 255)); break;
    case LTGRAY_BRUSH: o = solidBrush(RGB(192, 192, 192)); break;
    case GRAY_BRUSH: o = solidBrush(RGB(128, 128, 128)); break;
    case DKGRAY_BRUSH: o = solidBrush(RGB(64, 64, 64)); break;
    case BLACK_BRUSH: o = solidBrush(RGB(0, 0, 0)); break;
    case NULL_BRUSH: o = solidBrush(0, BS_NULL); break;
    case WHITE_PEN: o = pen(RGB(255, 255, 255), PS_SOLID); break;
    case BLACK_PEN: o = pen(RGB(0, 0, 0), PS_SOLID); break;
    case NULL_PEN: o = pen(0, PS_NULL); break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT: {
      auto f = std::make_shared<Font>();
      f->logFont = StockLogFont(index);
      o = f;
      break;
    }
    case DEFAULT_PALETTE: {
      static constexpr std::array<COLORREF, 20> kSystem = {
          RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
          RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
          RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
          RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
      auto p = std::make_shared<Palette>();
      p->Update([](std::vector<PALETTEENTRY>& entries) {
        for (COLORREF c : kSystem) entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 0});
      });
      o = p;
      break;
    }
    case DC_BRUSH: {
      auto b = solidBrush(RGB(255, 255, 255));
      b->dcBrush = true;
      o = b;
      break;
    }
    case DC_PEN: o = pen(RGB(0, 0, 0), PS_SOLID); break;
    case kStockBitmap: o = Bitmap::Make(1, 1, 1, false); break;
    default: return nullptr;
  }
  o->stock = true;
  return o;
}

struct StockTable {
  std::array<HGDIOBJ, kStockCount + 1> handles{};
  StockTable() {
    for (int i = 0; i <= kStockCount; ++i) {
      auto o = MakeStock(i);
      if (o) handles[i] = AddToTable(std::move(o));
    }
  }
};

StockTable& Stock() {
  static StockTable* stock = new StockTable;
  return *stock;
}

template <class T>
int CopyOut(const T& value, int size, LPVOID buffer) {
  if (!buffer) return sizeof(T);
  const int n = std::min<int>(size, sizeof(T));
  if (n <= 0) return 0;
  std::memcpy(buffer, &value, n);
  return n;
}

int DescribeBitmap(const Bitmap& b, int size, LPVOID buffer) {
  BITMAP bm{};
  bm.bmType = 0;
  bm.bmWidth = b.width;
  bm.bmHeight = b.height;
  bm.bmWidthBytes = b.dibSection ? b.stride : ((b.width * b.bpp + 15) / 16) * 2;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(b.bpp);
  bm.bmBits = b.dibSection ? const_cast<BYTE*>(b.Bits()) : nullptr;
  if (b.dibSection && size >= static_cast<int>(sizeof(DIBSECTION))) {
    DIBSECTION ds{};
    ds.dsBm = bm;
    ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    ds.dsBmih.biWidth = b.width;
    ds.dsBmih.biHeight = b.bottomUp ? b.height : -b.height;
    ds.dsBmih.biPlanes = 1;
    ds.dsBmih.biBitCount = static_cast<WORD>(b.bpp);
    ds.dsBmih.biCompression = BI_RGB;
    ds.dsBmih.biSizeImage = static_cast<DWORD>(b.stride * b.height);
    ds.dsBmih.biClrUsed = static_cast<DWORD>(b.colours.size());
    return CopyOut(ds, size, buffer);
  }
  return CopyOut(bm, size, buffer);
}

int DescribePen(const Pen& p, int size, LPVOID buffer) {
  if (!p.extended) {
    LOGPEN lp{p.style & (PS_STYLE_MASK), POINT{p.width, 0}, p.colour};
    return CopyOut(lp, size, buffer);
  }
  const int needed = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + sizeof(DWORD) * p.userStyle.size());
  const int full = std::max<int>(needed, sizeof(EXTLOGPEN));
  if (!buffer) return full;
  if (size < static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry))) return 0;
  EXTLOGPEN head{};
  head.elpPenStyle = p.style;
  head.elpWidth = static_cast<DWORD>(p.width);
  head.elpBrushStyle = p.brush.lbStyle;
  head.elpColor = p.colour;
  head.elpHatch = p.brush.lbHatch;
  head.elpNumEntries = static_cast<DWORD>(p.userStyle.size());
  const int n = std::min<int>(size, offsetof(EXTLOGPEN, elpStyleEntry));
  std::memcpy(buffer, &head, n);
  auto* entries = reinterpret_cast<BYTE*>(buffer) + offsetof(EXTLOGPEN, elpStyleEntry);
  const int room = (size - static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry))) / static_cast<int>(sizeof(DWORD));
  const int count = std::min<int>(room, static_cast<int>(p.userStyle.size()));
  if (count > 0) std::memcpy(entries, p.userStyle.data(), sizeof(DWORD) * count);
  return n + count * static_cast<int>(sizeof(DWORD));
}

int DescribeObject(HGDIOBJ handle, int size, LPVOID buffer, bool wide) {
  auto object = FindObject(handle);
  if (!object) return 0;
  switch (object->kind) {
    case ObjectKind::Bitmap: return DescribeBitmap(static_cast<Bitmap&>(*object), size, buffer);
    case ObjectKind::Pen: return DescribePen(static_cast<Pen&>(*object), size, buffer);
    case ObjectKind::Brush: {
      const auto& b = static_cast<Brush&>(*object);
      LOGBRUSH lb{b.style, b.colour, static_cast<ULONG_PTR>(b.hatch)};
      return CopyOut(lb, size, buffer);
    }
    case ObjectKind::Palette: {
      WORD count = static_cast<WORD>(static_cast<Palette&>(*object).Entries().size());
      return CopyOut(count, size, buffer);
    }
    case ObjectKind::Font: {
      const auto& lf = static_cast<Font&>(*object).logFont;
      if (wide) return CopyOut(lf, size, buffer);
      LOGFONTA la{};
      std::memcpy(&la, &lf, offsetof(LOGFONTA, lfFaceName));
      int length = 0;
      while (length < LF_FACESIZE && lf.lfFaceName[length]) ++length;
      if (length > 0) {
        WideCharToMultiByte(CP_ACP, 0, lf.lfFaceName, length, la.lfFaceName, LF_FACESIZE - 1, nullptr, nullptr);
      }
      return CopyOut(la, size, buffer);
    }
    case ObjectKind::Region: return 0;
  }
  return 0;
}

}  // namespace

HGDIOBJ AddObject(std::shared_ptr<Object> object) { return object ? AddToTable(std::move(object)) : nullptr; }
std::shared_ptr<Object> FindObject(HGDIOBJ handle) { return handles::Lookup<Object>(handle, kGdiObjectKinds); }
bool RemoveObject(HGDIOBJ handle) { return handles::Destroy(handle, kGdiObjectKinds); }
HBITMAP StockBitmap() { return static_cast<HBITMAP>(Stock().handles[kStockBitmap]); }

namespace {
std::atomic<SystemBrushResolver> g_systemBrushes{nullptr};
}

SystemBrushResolver SetSystemBrushResolver(SystemBrushResolver resolver) { return g_systemBrushes.exchange(resolver); }

std::shared_ptr<Brush> FindFillBrush(HBRUSH brush) {
  if (auto found = FindBrush(brush)) return found;
  const auto value = reinterpret_cast<uintptr_t>(brush);
  SystemBrushResolver resolver = g_systemBrushes.load();
  if (value >= 1 && value <= 31 && resolver) return FindBrush(resolver(static_cast<int>(value) - 1));
  return nullptr;
}

}  // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= kStockCount) return nullptr;
  return Stock().handles[index];
}

BOOL DeleteObject(HGDIOBJ object) {
  auto found = FindObject(object);
  if (!found) return FALSE;
  if (found->stock) return TRUE;  // stock objects are never deleted, and saying so is not an error
  return RemoveObject(object) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
  if (auto dc = FindDC(static_cast<HDC>(object)))
    return dc->kind == DcKind::Memory ? OBJ_MEMDC : dc->kind == DcKind::Metafile ? OBJ_ENHMETADC : OBJ_DC;
  auto found = FindObject(object);
  if (!found) return 0;
  switch (found->kind) {
    case ObjectKind::Pen: return static_cast<Pen&>(*found).extended ? OBJ_EXTPEN : OBJ_PEN;
    case ObjectKind::Brush: return OBJ_BRUSH;
    case ObjectKind::Font: return OBJ_FONT;
    case ObjectKind::Bitmap: return OBJ_BITMAP;
    case ObjectKind::Region: return OBJ_REGION;
    case ObjectKind::Palette: return OBJ_PAL;
  }
  return 0;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) { return DescribeObject(object, size, buffer, false); }
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) { return DescribeObject(object, size, buffer, true); }

HPEN CreatePen(int style, int width, COLORREF colour) {
  auto pen = std::make_shared<Pen>();
  DWORD s = static_cast<DWORD>(style) & PS_STYLE_MASK;
  if (s > PS_INSIDEFRAME) s = PS_SOLID;
  pen->width = std::max(0, width);
  if (pen->width > 1) {
    // Wide pens are geometric with round ends and joins; they draw only solid.
    if (s != PS_NULL && s != PS_INSIDEFRAME) s = PS_SOLID;
    pen->style = s | PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND;
  } else {
    pen->style = s;
  }
  pen->colour = colour & 0xFFFFFF;
  pen->brush = LOGBRUSH{BS_SOLID, pen->colour, 0};
  return static_cast<HPEN>(AddObject(pen));
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) return nullptr;
  return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
  if (!brush) return nullptr;
  const DWORD type = style & PS_TYPE_MASK;
  const DWORD line = style & PS_STYLE_MASK;
  if (line > PS_ALTERNATE) return nullptr;
  if (type == PS_COSMETIC && (width != 1 || brush->lbStyle != BS_SOLID)) return nullptr;
  if (type == PS_GEOMETRIC && line == PS_ALTERNATE) return nullptr;
  if (line == PS_USERSTYLE && (!styles || styleCount == 0 || styleCount > 16)) return nullptr;
  if (line != PS_USERSTYLE && styleCount != 0) return nullptr;
  if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL && brush->lbStyle != BS_HATCHED) return nullptr;
  auto pen = std::make_shared<Pen>();
  pen->extended = true;
  pen->style = style;
  pen->width = static_cast<int>(width);
  pen->colour = brush->lbColor & 0xFFFFFF;
  pen->brush = *brush;
  if (brush->lbStyle == BS_NULL) pen->style = (style & ~PS_STYLE_MASK) | PS_NULL;
  if (line == PS_USERSTYLE) pen->userStyle.assign(styles, styles + styleCount);
  return static_cast<HPEN>(AddObject(pen));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  auto b = std::make_shared<Brush>();
  b->colour = colour & 0xFFFFFF;
  return static_cast<HBRUSH>(AddObject(b));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  auto b = std::make_shared<Brush>();
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->colour = colour & 0xFFFFFF;
  return static_cast<HBRUSH>(AddObject(b));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto source = FindBitmap(bitmap);
  if (!source) return nullptr;
  auto b = std::make_shared<Brush>();
  b->style = BS_PATTERN;
  b->pattern = std::make_shared<Bitmap>(*source);  // the brush keeps its own copy
  b->pattern->stock = false;
  return static_cast<HBRUSH>(AddObject(b));
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
  if (!packedDib) return nullptr;
  const auto* info = static_cast<const BITMAPINFO*>(packedDib);
  const auto& h = info->bmiHeader;
  if (h.biBitCount > 8 && h.biBitCount != 24 && h.biBitCount != 32) return nullptr;
  const int colours = h.biBitCount <= 8 ? (h.biClrUsed ? static_cast<int>(h.biClrUsed) : 1 << h.biBitCount) : 0;
  const auto* bits = static_cast<const BYTE*>(packedDib) + h.biSize + colours * sizeof(RGBQUAD);
  void* dest = nullptr;
  HBITMAP temp = CreateDIBSection(nullptr, info, usage, &dest, nullptr, 0);
  if (!temp) return nullptr;
  SetDIBits(nullptr, temp, 0, static_cast<UINT>(std::abs(h.biHeight)), bits, info, usage);
  HBRUSH brush = CreatePatternBrush(temp);
  DeleteObject(temp);
  return brush;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    case BS_DIBPATTERNPT: return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(lb->lbHatch), lb->lbColor);
    default: return nullptr;
  }
}

HPALETTE CreatePalette(const LOGPALETTE* lp) {
  if (!lp || lp->palNumEntries == 0) return nullptr;
  auto p = std::make_shared<Palette>();
  p->Update([lp](std::vector<PALETTEENTRY>& entries) {
    entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  });
  return static_cast<HPALETTE>(AddObject(p));
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  auto p = Find<Palette>(palette, ObjectKind::Palette);
  if (!p) return 0;
  const std::vector<PALETTEENTRY> now = p->Entries();
  const UINT size = static_cast<UINT>(now.size());
  if (!entries) return size;
  if (start >= size) return 0;
  const UINT n = std::min(count, size - start);
  std::copy_n(now.begin() + start, n, entries);
  return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
  auto p = Find<Palette>(palette, ObjectKind::Palette);
  if (!p || p->stock || !entries) return 0;
  return p->Update([&](std::vector<PALETTEENTRY>& now) -> UINT {
    const UINT size = static_cast<UINT>(now.size());
    if (start >= size) return 0;
    const UINT n = std::min(count, size - start);
    std::copy_n(entries, n, now.begin() + start);
    return n;
  });
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour) {
  auto p = Find<Palette>(palette, ObjectKind::Palette);
  const std::vector<PALETTEENTRY> entries = p ? p->Entries() : std::vector<PALETTEENTRY>{};
  if (entries.empty()) return CLR_INVALID;
  UINT best = 0;
  long bestDistance = -1;
  for (UINT i = 0; i < entries.size(); ++i) {
    const auto& e = entries[i];
    const long dr = e.peRed - GetRValue(colour), dg = e.peGreen - GetGValue(colour), db = e.peBlue - GetBValue(colour);
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
  }
  return best;
}
