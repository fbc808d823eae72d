// Fonts, measuring and drawing of laid-out rich text on a device context.

#include "platform/richedit/dc_render.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/font.h"
#include "platform/gdi/metafile.h"
#include "platform/nls/nls.h"

namespace richedit {
namespace {

// The page transform's logical units per device pixel, across and down, with
// the sign of the y axis.
void PageScale(HDC dc, double& perPixelX, double& perPixelY, int& yDirection) {
  SIZE window{1, 1}, viewport{1, 1};
  GetWindowExtEx(dc, &window);
  GetViewportExtEx(dc, &viewport);
  if (!window.cx || !viewport.cx) window.cx = viewport.cx = 1;
  if (!window.cy || !viewport.cy) window.cy = viewport.cy = 1;
  perPixelX = std::abs(static_cast<double>(window.cx) / viewport.cx);
  perPixelY = std::abs(static_cast<double>(window.cy) / viewport.cy);
  yDirection = (static_cast<double>(window.cy) / viewport.cy) < 0 ? -1 : 1;
}

LONG ScaledHeight(const CharFormat& f) {
  // Superscript and subscript are drawn at two thirds of the size.
  return f.Has(CFE_SUPERSCRIPT) || f.Has(CFE_SUBSCRIPT) ? f.height * 2 / 3 : f.height;
}

}  // namespace

DcMeasurer::DcMeasurer(HDC dc, double zoom) : dc_(dc) {
  double perPixelX = 1, perPixelY = 1;
  PageScale(dc, perPixelX, perPixelY, yDirection_);
  const int dpiX = std::max(1, GetDeviceCaps(dc, LOGPIXELSX));
  const int dpiY = std::max(1, GetDeviceCaps(dc, LOGPIXELSY));
  zoom = std::clamp(zoom, 1.0 / 64, 64.0);
  perTwipX_ = dpiX * perPixelX / 1440.0 * zoom;
  perTwipY_ = dpiY * perPixelY / 1440.0 * zoom;
  oldFont_ = GetCurrentObject(dc, OBJ_FONT);
}

DcMeasurer::~DcMeasurer() {
  if (oldFont_) SelectObject(dc_, oldFont_);
}

HFONT DcMeasurer::Select(const CharFormat& f) {
  const Key key{f.face, ScaledHeight(f), f.weight, f.effects & (CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT),
                f.charset, f.pitchAndFamily};
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    LOGFONTW lf{};
    lf.lfHeight = -std::max(1L, std::lround(ScaledHeight(f) * perTwipY_));
    lf.lfWeight = f.weight;
    lf.lfItalic = f.Has(CFE_ITALIC);
    lf.lfUnderline = f.Has(CFE_UNDERLINE);
    lf.lfStrikeOut = f.Has(CFE_STRIKEOUT);
    lf.lfCharSet = f.charset;
    lf.lfPitchAndFamily = f.pitchAndFamily;
    std::copy_n(f.face.begin(), std::min<size_t>(f.face.size(), LF_FACESIZE - 1), lf.lfFaceName);
    it = fonts_.emplace(key, UniqueFont(CreateFontIndirectW(&lf))).first;
  }
  SelectObject(dc_, it->second.get());
  return it->second.get();
}

FontMetrics DcMeasurer::Metrics(const CharFormat& f) {
  const Key key{f.face, ScaledHeight(f), f.weight, f.effects & (CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT),
                f.charset, f.pitchAndFamily};
  if (auto it = metrics_.find(key); it != metrics_.end()) return it->second;
  Select(f);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  const FontMetrics m{static_cast<int>(tm.tmAscent), static_cast<int>(tm.tmDescent)};
  metrics_.emplace(key, m);
  return m;
}

void DcMeasurer::Advances(const CharFormat& f, std::u16string_view text, std::vector<int>& advances) {
  advances.assign(text.size(), 0);
  if (text.empty()) return;
  Select(f);
  // Cumulative extents of each prefix give each unit's advance.
  std::vector<INT> ends(text.size(), 0);
  SIZE size{};
  GetTextExtentExPointW(dc_, text.data(), static_cast<int>(text.size()), 0, nullptr, ends.data(), &size);
  int previous = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    advances[i] = std::max(0, ends[i] - previous);
    previous = std::max(previous, static_cast<int>(ends[i]));
  }
}

void DrawPicture(HDC dc, const Picture& p, const RECT& dest) {
  bool drawn = false;
  switch (p.kind) {
    case RichPictureKind::Dib: {
      // A packed DIB: the header, its colours, then the rows.
      if (p.data.size() >= sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER h{};
        std::memcpy(&h.biSize, p.data.data(), 4);
        if (h.biSize >= 40 && h.biSize <= p.data.size()) {
          std::vector<uint8_t> copy(p.data);  // aligned for the header's fields
          const auto* info = reinterpret_cast<const BITMAPINFO*>(copy.data());
          const auto& ih = info->bmiHeader;
          const int bpp = ih.biBitCount;
          const DWORD colours = ih.biClrUsed ? ih.biClrUsed : (bpp <= 8 ? 1u << bpp : 0);
          const size_t bitsAt = ih.biSize + size_t{std::min<DWORD>(colours, 256)} * 4 +
                                (ih.biCompression == 3 && ih.biSize == 40 ? 12 : 0);
          const int64_t stride = (int64_t{std::abs(ih.biWidth)} * bpp + 31) / 32 * 4;
          const int64_t need = stride * std::abs(static_cast<int64_t>(ih.biHeight));
          if (bpp > 0 && need > 0 && bitsAt <= copy.size() && static_cast<uint64_t>(need) <= copy.size() - bitsAt) {
            drawn = StretchDIBits(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0,
                                  ih.biWidth, std::abs(ih.biHeight), copy.data() + bitsAt, info, DIB_RGB_COLORS,
                                  SRCCOPY) != 0;
          }
        }
      }
      break;
    }
    case RichPictureKind::Emf:
    case RichPictureKind::Wmf: {
      METAFILEPICT mfp{p.metafileMapping ? p.metafileMapping : MM_ANISOTROPIC, p.width, p.height, nullptr};
      HENHMETAFILE emf = p.kind == RichPictureKind::Emf
                             ? SetEnhMetaFileBits(static_cast<UINT>(p.data.size()), p.data.data())
                             : SetWinMetaFileBits(static_cast<UINT>(p.data.size()), p.data.data(), nullptr, &mfp);
      if (emf) {
        drawn = PlayEnhMetaFile(dc, emf, &dest) != 0;
        DeleteEnhMetaFile(emf);
      }
      break;
    }
    default:
      drawn = DecodeRichPicture(p.kind, p.data.data(), p.data.size(), dc, &dest);
      break;
  }
  if (!drawn) {
    // A frame where the picture cannot be drawn, so the space shows.
    UniquePen pen(CreatePen(PS_SOLID, 0, RGB(128, 128, 128)));
    SelectScope penScope(dc, pen.get());
    SelectScope brushScope(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, dest.left, dest.top, dest.right, dest.bottom);
  }
}

void DrawLayout(DcMeasurer& m, const TextDocument& doc, const Layout& layout, POINT origin, const DrawOptions& o) {
  const HDC dc = m.dc();
  const int dir = m.YDirection();
  const int savedMode = SetBkMode(dc, TRANSPARENT);
  const UINT savedAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  const COLORREF savedColour = GetTextColor(dc);
  const std::u16string& text = doc.text();
  std::u16string piece;
  std::vector<INT> dx;
  for (const auto& line : layout.lines) {
    const int baseline = origin.y + dir * (line.top + line.baseline);
    for (const auto& p : line.pieces) {
      if (!p.format || p.format->Has(CFE_HIDDEN)) continue;
      const CharFormat& f = *p.format;
      const int x = origin.x + p.x;
      const int width = p.Width();
      const bool selected = p.start < o.selectionEnd && p.start + p.length > o.selectionStart &&
                            o.selectionStart < o.selectionEnd;
      if (p.picture) {
        const int h = static_cast<int>(std::lround(p.picture->ShownSize().cy * m.UnitsPerTwipY()));
        DrawPicture(dc, *p.picture, RECT{x, baseline - dir * h, x + width, baseline});
        continue;
      }
      if (!f.Has(CFE_AUTOBACKCOLOR) || selected) {
        UniqueBrush back(CreateSolidBrush(selected ? o.selectionBack : f.backColour));
        RECT box{x, origin.y + dir * line.top, x + width, origin.y + dir * (line.top + line.height)};
        if (box.top > box.bottom) std::swap(box.top, box.bottom);
        FillRect(dc, &box, back.get());
      }
      m.Select(f);
      SetTextColor(dc, selected ? o.selectionText : f.Has(CFE_AUTOCOLOR) ? o.autoColour : f.colour);
      piece.assign(text, p.start, p.length);
      for (auto& c : piece) {
        if (c == u'\t' || c == kLineBreak || c == kParagraphMark) c = u' ';
      }
      if (f.Has(CFE_ALLCAPS)) CharUpperBuffW(piece.data(), static_cast<DWORD>(piece.size()));
      dx.assign(p.advances.begin(), p.advances.end());
      int lift = static_cast<int>(std::lround(f.offset * m.UnitsPerTwipY()));
      if (f.Has(CFE_SUPERSCRIPT)) lift += static_cast<int>(std::lround(f.height * m.UnitsPerTwipY())) / 3;
      if (f.Has(CFE_SUBSCRIPT)) lift -= static_cast<int>(std::lround(f.height * m.UnitsPerTwipY())) / 6;
      ExtTextOutW(dc, x, baseline - dir * lift, 0, nullptr, piece.data(), static_cast<UINT>(piece.size()), dx.data());
    }
  }
  SetTextColor(dc, savedColour);
  SetTextAlign(dc, savedAlign);
  SetBkMode(dc, savedMode);
}

}  // namespace richedit
