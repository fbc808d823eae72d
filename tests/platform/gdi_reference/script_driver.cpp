// The drawing-script driver (see script_driver.h). It uses nothing but the
// drawing interface, so one source runs on both sides. Built with
// GDI_SCRIPT_MAIN it is a program: driver OUTDIR SCRIPT... writes
// OUTDIR/<script file name>.out for each script.
#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#else
#include "platform/win.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "script_driver.h"

namespace gdiscript {
namespace {

// Names a script may use instead of numbers; each is the documented value.
const std::map<std::string, long long>& Names() {
  static const std::map<std::string, long long> names = {
      {"SRCCOPY", 0x00CC0020}, {"SRCPAINT", 0x00EE0086}, {"SRCAND", 0x008800C6}, {"SRCINVERT", 0x00660046},
      {"SRCERASE", 0x00440328}, {"NOTSRCCOPY", 0x00330008}, {"NOTSRCERASE", 0x001100A6},
      {"MERGECOPY", 0x00C000CA}, {"MERGEPAINT", 0x00BB0226}, {"PATCOPY", 0x00F00021}, {"PATPAINT", 0x00FB0A09},
      {"PATINVERT", 0x005A0049}, {"DSTINVERT", 0x00550009}, {"BLACKNESS", 0x00000042}, {"WHITENESS", 0x00FF0062},
      {"R2_BLACK", 1}, {"R2_NOTMERGEPEN", 2}, {"R2_MASKNOTPEN", 3}, {"R2_NOTCOPYPEN", 4}, {"R2_MASKPENNOT", 5},
      {"R2_NOT", 6}, {"R2_XORPEN", 7}, {"R2_NOTMASKPEN", 8}, {"R2_MASKPEN", 9}, {"R2_NOTXORPEN", 10}, {"R2_NOP", 11},
      {"R2_MERGENOTPEN", 12}, {"R2_COPYPEN", 13}, {"R2_MERGEPENNOT", 14}, {"R2_MERGEPEN", 15}, {"R2_WHITE", 16},
      {"PS_SOLID", 0}, {"PS_DASH", 1}, {"PS_DOT", 2}, {"PS_DASHDOT", 3}, {"PS_DASHDOTDOT", 4}, {"PS_NULL", 5},
      {"PS_INSIDEFRAME", 6}, {"PS_USERSTYLE", 7}, {"PS_ALTERNATE", 8},
      {"PS_COSMETIC", 0}, {"PS_GEOMETRIC", 0x10000},
      {"PS_ENDCAP_ROUND", 0}, {"PS_ENDCAP_SQUARE", 0x100}, {"PS_ENDCAP_FLAT", 0x200},
      {"PS_JOIN_ROUND", 0}, {"PS_JOIN_BEVEL", 0x1000}, {"PS_JOIN_MITER", 0x2000},
      {"HS_HORIZONTAL", 0}, {"HS_VERTICAL", 1}, {"HS_FDIAGONAL", 2}, {"HS_BDIAGONAL", 3}, {"HS_CROSS", 4},
      {"HS_DIAGCROSS", 5},
      {"MM_TEXT", 1}, {"MM_LOMETRIC", 2}, {"MM_HIMETRIC", 3}, {"MM_LOENGLISH", 4}, {"MM_HIENGLISH", 5},
      {"MM_TWIPS", 6}, {"MM_ISOTROPIC", 7}, {"MM_ANISOTROPIC", 8},
      {"TRANSPARENT", 1}, {"OPAQUE", 2}, {"ALTERNATE", 1}, {"WINDING", 2},
      {"BLACKONWHITE", 1}, {"WHITEONBLACK", 2}, {"COLORONCOLOR", 3}, {"HALFTONE", 4},
      {"AD_COUNTERCLOCKWISE", 1}, {"AD_CLOCKWISE", 2},
      {"RGN_AND", 1}, {"RGN_OR", 2}, {"RGN_XOR", 3}, {"RGN_DIFF", 4}, {"RGN_COPY", 5},
  };
  return names;
}

// A number, a documented name, or several joined by '|'.
long long Value(const std::string& word) {
  long long total = 0;
  std::stringstream parts(word);
  std::string part;
  while (std::getline(parts, part, '|')) {
    auto it = Names().find(part);
    if (it != Names().end()) {
      total |= it->second;
      continue;
    }
    char* end = nullptr;
    long long v = std::strtoll(part.c_str(), &end, 0);
    if (part.empty() || *end != '\0') throw std::string("unknown value '" + part + "'");
    total |= v;
  }
  return total;
}

// rrggbb as written in HTML, turned into a COLORREF.
COLORREF Colour(const std::string& word) {
  if (word.size() != 6) throw std::string("colour '" + word + "' is not rrggbb");
  unsigned long v = std::strtoul(word.c_str(), nullptr, 16);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// BITMAPINFO with room for a whole colour table.
struct DibHeader {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// A DIB section named by the script, held by its own memory DC so it can be a
// blit source; its header and bits also feed StretchDIBits and DIB patterns.
struct Dib {
  DibHeader info;
  void* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  HGDIOBJ old = nullptr;
  std::vector<BYTE> packed;  // header, colour table and bits in one block
  ~Dib() {
    if (dc) {
      SelectObject(dc, old);
      DeleteDC(dc);
    }
    if (bitmap) DeleteObject(bitmap);
  }
};

class Runner {
 public:
  explicit Runner(CaseResult& result) : result_(result) {}
  ~Runner() {
    if (dc_) {
      SelectObject(dc_, GetStockObject(BLACK_PEN));
      SelectObject(dc_, GetStockObject(WHITE_BRUSH));
      SelectObject(dc_, oldBitmap_);
      DeleteDC(dc_);
    }
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
    if (canvas_) DeleteObject(canvas_);
    for (auto& r : regions_) DeleteObject(r.second);
    for (HDC dc : extraDcs_) DeleteDC(dc);
  }

  void Run(const std::string& command) {
    std::stringstream in(command);
    std::vector<std::string> w;
    for (std::string word; in >> word;) w.push_back(word);
    if (w.empty()) return;
    if (w[0] == "canvas") return Canvas(w);
    if (w[0] == "edge") return void(result_.edge = static_cast<int>(Value(w.at(1))));
    if (w[0] == "departs") return void(result_.departs = true);
    if (w[0] == "dib") return MakeDib(w);
    if (!dc_) throw std::string("draw before canvas");
    Draw(w);
  }

  void Capture() {
    if (!canvas_) return;
    GdiFlush();
    const BYTE* p = static_cast<const BYTE*>(bits_);
    result_.pixels.resize(static_cast<size_t>(result_.width) * result_.height);
    for (size_t i = 0; i < result_.pixels.size(); ++i, p += 4)
      result_.pixels[i] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  }

 private:
  int I(const std::vector<std::string>& w, size_t i) { return static_cast<int>(Value(w.at(i))); }

  std::vector<POINT> Points(const std::vector<std::string>& w, size_t from) {
    std::vector<POINT> pts;
    for (size_t i = from; i + 1 < w.size(); i += 2) pts.push_back(POINT{I(w, i), I(w, i + 1)});
    return pts;
  }

  void Canvas(const std::vector<std::string>& w) {
    result_.width = I(w, 1), result_.height = I(w, 2);
    DibHeader info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = result_.width;
    info.header.biHeight = -result_.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 32;
    info.header.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    canvas_ = CreateDIBSection(dc_, info.get(), DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!canvas_) throw std::string("canvas not created");
    oldBitmap_ = SelectObject(dc_, canvas_);
    std::memset(bits_, 0xFF, static_cast<size_t>(result_.width) * result_.height * 4);
  }

  // dib NAME W H BPP up|down COLOUR... ROWS: rows of hex digits, '/' between
  // rows (top row first); each digit picks one of the listed colours (the
  // colour table for 1, 4 and 8 bits).
  void MakeDib(const std::vector<std::string>& w) {
    auto dib = std::make_unique<Dib>();
    int width = I(w, 2), height = I(w, 3), bpp = I(w, 4);
    bool topDown = w.at(5) == "down";
    std::vector<COLORREF> colours;
    for (size_t i = 6; i + 1 < w.size(); ++i) colours.push_back(Colour(w[i]));
    std::vector<std::string> rows;
    std::stringstream rowText(w.back());
    for (std::string row; std::getline(rowText, row, '/');) rows.push_back(row);
    if (static_cast<int>(rows.size()) != height) throw std::string("dib rows do not match its height");
    BITMAPINFOHEADER& h = dib->info.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = topDown ? -height : height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bpp);
    h.biCompression = BI_RGB;
    if (bpp <= 8) {
      h.biClrUsed = static_cast<DWORD>(colours.size());
      for (size_t i = 0; i < colours.size(); ++i)
        dib->info.colours[i] = RGBQUAD{GetBValue(colours[i]), GetGValue(colours[i]), GetRValue(colours[i]), 0};
    }
    dib->dc = CreateCompatibleDC(nullptr);
    dib->bitmap = CreateDIBSection(dib->dc, dib->info.get(), DIB_RGB_COLORS, &dib->bits, nullptr, 0);
    if (!dib->bitmap) throw std::string("dib not created");
    size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    BYTE* base = static_cast<BYTE*>(dib->bits);
    for (int y = 0; y < height; ++y) {
      if (static_cast<int>(rows[y].size()) != width) throw std::string("dib row width does not match");
      BYTE* row = base + stride * (topDown ? y : height - 1 - y);
      for (int x = 0; x < width; ++x) {
        unsigned index = static_cast<unsigned>(std::strtoul(std::string(1, rows[y][x]).c_str(), nullptr, 16));
        if (bpp <= 8) {
          row[x * bpp / 8] |= static_cast<BYTE>(index << (8 - bpp - (x * bpp) % 8));
        } else {
          COLORREF c = colours.at(index);
          BYTE* p = row + x * (bpp / 8);
          p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
      }
    }
    size_t headerSize = sizeof(BITMAPINFOHEADER) + (bpp <= 8 ? colours.size() * sizeof(RGBQUAD) : 0);
    dib->packed.assign(reinterpret_cast<BYTE*>(&dib->info), reinterpret_cast<BYTE*>(&dib->info) + headerSize);
    dib->packed.insert(dib->packed.end(), base, base + stride * height);
    dib->old = SelectObject(dib->dc, dib->bitmap);
    dibs_[w.at(1)] = std::move(dib);
  }

  Dib& Named(const std::string& name) {
    auto it = dibs_.find(name);
    if (it == dibs_.end()) throw std::string("no dib '" + name + "'");
    return *it->second;
  }
  HRGN Region(const std::string& name) {
    auto it = regions_.find(name);
    if (it == regions_.end()) throw std::string("no region '" + name + "'");
    return it->second;
  }

  void SetPen(HPEN pen) {
    if (!pen) throw std::string("pen not created");
    SelectObject(dc_, pen);
    if (pen_) DeleteObject(pen_);
    pen_ = pen;
  }
  void SetBrush(HBRUSH brush) {
    if (!brush) throw std::string("brush not created");
    SelectObject(dc_, brush);
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
  }

  void MakeBrush(const std::vector<std::string>& w) {
    const std::string& kind = w.at(1);
    if (kind == "solid") return SetBrush(CreateSolidBrush(Colour(w.at(2))));
    if (kind == "hatch") return SetBrush(CreateHatchBrush(I(w, 2), Colour(w.at(3))));
    if (kind == "pattern") {
      // The bitmap of a pattern brush must not be selected into a DC.
      Dib& dib = Named(w.at(2));
      SelectObject(dib.dc, dib.old);
      HBRUSH brush = CreatePatternBrush(dib.bitmap);
      SelectObject(dib.dc, dib.bitmap);
      return SetBrush(brush);
    }
    if (kind == "dibpattern") return SetBrush(CreateDIBPatternBrushPt(Named(w.at(2)).packed.data(), DIB_RGB_COLORS));
    if (kind == "null") {
      LOGBRUSH lb{BS_NULL, 0, 0};
      return SetBrush(CreateBrushIndirect(&lb));
    }
    throw std::string("unknown brush " + kind);
  }

  // xpen STYLE WIDTH COLOUR [DASH...]: ExtCreatePen with a solid brush.
  void MakeExtPen(const std::vector<std::string>& w) {
    LOGBRUSH lb{BS_SOLID, Colour(w.at(3)), 0};
    std::vector<DWORD> dashes;
    for (size_t i = 4; i < w.size(); ++i) dashes.push_back(static_cast<DWORD>(Value(w[i])));
    SetPen(ExtCreatePen(static_cast<DWORD>(Value(w.at(1))), static_cast<DWORD>(Value(w.at(2))), &lb,
                        static_cast<DWORD>(dashes.size()), dashes.empty() ? nullptr : dashes.data()));
  }

  void MakeRegion(const std::vector<std::string>& w) {
    const std::string& kind = w.at(2);
    HRGN rgn = nullptr;
    if (kind == "rect") rgn = CreateRectRgn(I(w, 3), I(w, 4), I(w, 5), I(w, 6));
    else if (kind == "ellipse") rgn = CreateEllipticRgn(I(w, 3), I(w, 4), I(w, 5), I(w, 6));
    else if (kind == "roundrect") rgn = CreateRoundRectRgn(I(w, 3), I(w, 4), I(w, 5), I(w, 6), I(w, 7), I(w, 8));
    else if (kind == "polygon") {
      std::vector<POINT> pts = Points(w, 4);
      rgn = CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), I(w, 3));
    } else if (kind == "combine") {
      rgn = CreateRectRgn(0, 0, 0, 0);
      CombineRgn(rgn, Region(w.at(3)), Region(w.at(4)), I(w, 5));
    } else
      throw std::string("unknown region " + kind);
    if (!rgn) throw std::string("region not created");
    if (regions_.count(w.at(1))) DeleteObject(regions_[w.at(1)]);
    regions_[w.at(1)] = rgn;
  }

  void Draw(const std::vector<std::string>& w) {
    const std::string& c = w[0];
    if (c == "map") SetMapMode(dc_, I(w, 1));
    else if (c == "wext") SetWindowExtEx(dc_, I(w, 1), I(w, 2), nullptr);
    else if (c == "vext") SetViewportExtEx(dc_, I(w, 1), I(w, 2), nullptr);
    else if (c == "worg") SetWindowOrgEx(dc_, I(w, 1), I(w, 2), nullptr);
    else if (c == "vorg") SetViewportOrgEx(dc_, I(w, 1), I(w, 2), nullptr);
    else if (c == "xform") {
      XFORM x{};
      x.eM11 = std::stof(w.at(1)), x.eM12 = std::stof(w.at(2)), x.eM21 = std::stof(w.at(3));
      x.eM22 = std::stof(w.at(4)), x.eDx = std::stof(w.at(5)), x.eDy = std::stof(w.at(6));
      SetGraphicsMode(dc_, GM_ADVANCED);
      SetWorldTransform(dc_, &x);
    } else if (c == "pen") SetPen(CreatePen(I(w, 1), I(w, 2), Colour(w.at(3))));
    else if (c == "xpen") MakeExtPen(w);
    else if (c == "brush") MakeBrush(w);
    else if (c == "rop2") SetROP2(dc_, I(w, 1));
    else if (c == "bkmode") SetBkMode(dc_, I(w, 1));
    else if (c == "bkcolor") SetBkColor(dc_, Colour(w.at(1)));
    else if (c == "textcolor") SetTextColor(dc_, Colour(w.at(1)));
    else if (c == "fillmode") SetPolyFillMode(dc_, I(w, 1));
    else if (c == "stretchmode") SetStretchBltMode(dc_, I(w, 1));
    else if (c == "brushorg") SetBrushOrgEx(dc_, I(w, 1), I(w, 2), nullptr);
    else if (c == "arcdir") SetArcDirection(dc_, I(w, 1));
    else if (c == "move") MoveToEx(dc_, I(w, 1), I(w, 2), nullptr);
    else if (c == "line") LineTo(dc_, I(w, 1), I(w, 2));
    else if (c == "pixel") SetPixelV(dc_, I(w, 1), I(w, 2), Colour(w.at(3)));
    else if (c == "polyline" || c == "polygon" || c == "bezier") {
      std::vector<POINT> pts = Points(w, 1);
      int n = static_cast<int>(pts.size());
      if (c == "polyline") Polyline(dc_, pts.data(), n);
      else if (c == "polygon") Polygon(dc_, pts.data(), n);
      else PolyBezier(dc_, pts.data(), static_cast<DWORD>(n));
    } else if (c == "rect") Rectangle(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4));
    else if (c == "ellipse") Ellipse(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4));
    else if (c == "roundrect") RoundRect(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4), I(w, 5), I(w, 6));
    else if (c == "arc" || c == "chord" || c == "pie") {
      auto call = c == "arc" ? Arc : c == "chord" ? Chord : Pie;
      call(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4), I(w, 5), I(w, 6), I(w, 7), I(w, 8));
    } else if (c == "fillrect" || c == "framerect" || c == "invertrect") {
      RECT r{I(w, 1), I(w, 2), I(w, 3), I(w, 4)};
      HBRUSH brush = static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH));
      if (c == "fillrect") FillRect(dc_, &r, brush);
      else if (c == "framerect") FrameRect(dc_, &r, brush);
      else InvertRect(dc_, &r);
    } else if (c == "patblt") PatBlt(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4), static_cast<DWORD>(Value(w.at(5))));
    else if (c == "bitblt")
      BitBlt(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4), Named(w.at(5)).dc, I(w, 6), I(w, 7),
             static_cast<DWORD>(Value(w.at(8))));
    else if (c == "stretchblt")
      StretchBlt(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4), Named(w.at(5)).dc, I(w, 6), I(w, 7), I(w, 8), I(w, 9),
                 static_cast<DWORD>(Value(w.at(10))));
    else if (c == "stretchdibits") {
      Dib& dib = Named(w.at(5));
      StretchDIBits(dc_, I(w, 1), I(w, 2), I(w, 3), I(w, 4), I(w, 6), I(w, 7), I(w, 8), I(w, 9), dib.bits,
                    dib.info.get(), DIB_RGB_COLORS, static_cast<DWORD>(Value(w.at(10))));
    } else if (c == "rgn") MakeRegion(w);
    else if (c == "fillrgn") FillRgn(dc_, Region(w.at(1)), static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
    else if (c == "framergn")
      FrameRgn(dc_, Region(w.at(1)), static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)), I(w, 2), I(w, 3));
    else if (c == "paintrgn") PaintRgn(dc_, Region(w.at(1)));
    else if (c == "invertrgn") InvertRgn(dc_, Region(w.at(1)));
    else if (c == "cliprgn") SelectClipRgn(dc_, w.size() > 1 ? Region(w.at(1)) : nullptr);
    else if (c == "reselect") Reselect(w);
    else if (c == "beginpath") BeginPath(dc_);
    else if (c == "endpath") EndPath(dc_);
    else if (c == "closefigure") CloseFigure(dc_);
    else if (c == "strokepath") StrokePath(dc_);
    else if (c == "fillpath") FillPath(dc_);
    else if (c == "strokeandfillpath") StrokeAndFillPath(dc_);
    else if (c == "widenpath") WidenPath(dc_);
    else if (c == "flattenpath") FlattenPath(dc_);
    else if (c == "bezierto") {
      std::vector<POINT> pts = Points(w, 1);
      PolyBezierTo(dc_, pts.data(), static_cast<DWORD>(pts.size()));
    }
    else throw std::string("unknown command " + c);
  }

  // reselect NAME X Y: selects dib NAME's bitmap (already held by its own DC)
  // into a second DC and marks pixel (X, Y) black when that is refused.
  void Reselect(const std::vector<std::string>& w) {
    HDC second = CreateCompatibleDC(nullptr);
    extraDcs_.push_back(second);
    if (!SelectObject(second, Named(w.at(1)).bitmap)) SetPixelV(dc_, I(w, 2), I(w, 3), RGB(0, 0, 0));
  }

  CaseResult& result_;
  HDC dc_ = nullptr;
  HBITMAP canvas_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  void* bits_ = nullptr;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
  std::map<std::string, std::unique_ptr<Dib>> dibs_;
  std::map<std::string, HRGN> regions_;
  std::vector<HDC> extraDcs_;
};

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// The script's rows with comments dropped and continuations joined.
std::vector<std::string> Rows(const std::string& text) {
  std::vector<std::string> rows;
  std::stringstream in(text);
  std::string line, pending;
  while (std::getline(in, line)) {
    line = Trim(line.substr(0, line.find('#')));
    bool more = !line.empty() && line.back() == '\\';
    if (more) line.pop_back();
    pending += line + " ";
    if (!more) {
      if (!Trim(pending).empty()) rows.push_back(Trim(pending));
      pending.clear();
    }
  }
  if (!Trim(pending).empty()) rows.push_back(Trim(pending));
  return rows;
}

}  // namespace

std::vector<CaseResult> RunScript(const std::string& text) {
  std::vector<CaseResult> results;
  for (const std::string& row : Rows(text)) {
    CaseResult result;
    size_t colon = row.find(':');
    result.name = Trim(row.substr(0, colon));
    std::string body = colon == std::string::npos ? std::string() : row.substr(colon + 1);
    {
      Runner runner(result);
      std::stringstream commands(body);
      try {
        for (std::string command; std::getline(commands, command, ';');) runner.Run(command);
        runner.Capture();
      } catch (const std::string& error) {
        result.error = error;
      }
    }
    results.push_back(std::move(result));
  }
  return results;
}

std::string FormatResults(const std::vector<CaseResult>& results) {
  std::string out;
  char cell[16];
  for (const CaseResult& r : results) {
    out += "case " + r.name + " " + std::to_string(r.width) + " " + std::to_string(r.height) + " " +
           std::to_string(r.edge) + (r.error.empty() ? "" : " " + r.error) + "\n";
    if (!r.error.empty()) continue;
    for (int y = 0; y < r.height; ++y) {
      for (int x = 0; x < r.width; ++x) {
        std::snprintf(cell, sizeof cell, "%06x ", static_cast<unsigned>(r.pixels[static_cast<size_t>(y) * r.width + x]));
        out += cell;
      }
      out += "\n";
    }
  }
  return out;
}

std::vector<CaseResult> ParseResults(const std::string& text) {
  std::vector<CaseResult> results;
  std::stringstream in(text);
  std::string word;
  while (in >> word) {
    if (word != "case") break;
    CaseResult r;
    in >> r.name >> r.width >> r.height >> r.edge;
    std::getline(in, r.error);
    r.error = Trim(r.error);
    if (r.error.empty()) {
      r.pixels.resize(static_cast<size_t>(r.width) * r.height);
      for (uint32_t& p : r.pixels) in >> std::hex >> p >> std::dec;
    }
    results.push_back(std::move(r));
  }
  return results;
}

}  // namespace gdiscript

#ifdef GDI_SCRIPT_MAIN
int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTDIR SCRIPT...\n", argv[0]);
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) return 1;
    std::stringstream text;
    text << in.rdbuf();
    std::string name = argv[i];
    size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    std::ofstream out(std::string(argv[1]) + "/" + name + ".out", std::ios::binary);
    out << gdiscript::FormatResults(gdiscript::RunScript(text.str()));
    if (!out) return 1;
  }
  return 0;
}
#endif
