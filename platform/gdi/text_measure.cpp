// Measuring text: extents, fitting, character widths.

#include <cmath>
#include <type_traits>
#include <vector>

#include "platform/nls/nls.h"
#include "platform/gdi/run_buffer.h"
#include "platform/gdi/text_internal.h"

namespace gdi {

void DeviceAdvances(const DeviceContext& dc, const tav::font::RealizedFont& font, std::u16string_view text,
                    std::span<double> out) {
  font.Advances(text, dc.state.charExtra * font.scale(), out);
}

std::vector<double> DeviceAdvances(const DeviceContext& dc, const tav::font::RealizedFont& font,
                                   std::u16string_view text) {
  std::vector<double> out(text.size(), 0.0);
  DeviceAdvances(dc, font, text, out);
  return out;
}

SIZE LogicalExtent(const DeviceContext& dc, const tav::font::RealizedFont& font, std::u16string_view text) {
  RunBuffer<double, 32> advances(text.size());
  DeviceAdvances(dc, font, text, advances.span());
  double total = 0;
  for (double a : advances.span()) total += a;
  return SIZE{ToLogical(font, total), ToLogical(font, font.metrics().height)};
}

}  // namespace gdi

using namespace gdi;

namespace {

// Cumulative logical extents after each unit, and how many units fit in maxExtent.
void ExtentEx(const DeviceContext& dc, const tav::font::RealizedFont& font, std::u16string_view text, int maxExtent,
              std::vector<int>& cumulative, int& fit) {
  const auto advances = DeviceAdvances(dc, font, text);
  cumulative.resize(text.size());
  double total = 0;
  fit = 0;
  bool fits = true;
  for (size_t i = 0; i < text.size(); ++i) {
    total += advances[i];
    cumulative[i] = ToLogical(font, total);
    if (fits && cumulative[i] <= maxExtent)
      fit = static_cast<int>(i) + 1;
    else
      fits = false;
  }
}

// The UTF-16 of an A-function character code: one byte, or lead and trail byte.
std::u16string CodeToWide(UINT codePage, UINT code) {
  char bytes[2];
  int n = 0;
  if (code > 0xFF) bytes[n++] = static_cast<char>((code >> 8) & 0xFF);
  bytes[n++] = static_cast<char>(code & 0xFF);
  return Widen(codePage, bytes, n).text;
}

template <class Char, class Fn>
BOOL ForEachCode(HDC hdc, UINT first, UINT last, Fn fn) {
  auto dc = FindDC(hdc);
  if (!dc || last < first) return FALSE;
  auto font = DcFont(*dc);
  if (!font) return FALSE;
  const UINT cp = DcCodePage(*dc);
  for (UINT code = first; code <= last; ++code) {
    std::u16string wide;
    if constexpr (sizeof(Char) == 1)
      wide = CodeToWide(cp, code);
    else
      wide = std::u16string(1, static_cast<char16_t>(code));
    fn(*dc, *font, code - first, wide);
    if (code == 0xFFFFFFFFu) break;
  }
  return TRUE;
}

template <class Char>
BOOL CharWidths(HDC hdc, UINT first, UINT last, LPINT widths) {
  if (!widths) return FALSE;
  return ForEachCode<Char>(hdc, first, last, [widths](const DeviceContext& dc, const tav::font::RealizedFont& font,
                                                      UINT i, const std::u16string& wide) {
    double total = 0;
    for (double a : DeviceAdvances(dc, font, wide)) total += a;
    widths[i] = ToLogical(font, total);
  });
}

template <class Char>
BOOL AbcWidths(HDC hdc, UINT first, UINT last, ABC* abc) {
  if (!abc) return FALSE;
  return ForEachCode<Char>(hdc, first, last, [abc](const DeviceContext&, const tav::font::RealizedFont& font, UINT i,
                                                   const std::u16string& wide) {
    const auto chars = tav::font::DecodeUtf16(wide);
    const char32_t c = chars.empty() ? U' ' : chars.front();
    const int advance = font.Advance(c);
    const auto glyph = font.Glyph(c);
    // Bearings are only meaningful for an upright baseline.
    if (glyph->width > 0 && font.baseY() == 0 && font.baseX() > 0) {
      abc[i].abcA = ToLogical(font, glyph->left);
      abc[i].abcB = static_cast<UINT>(ToLogical(font, glyph->width));
      abc[i].abcC = ToLogical(font, advance) - abc[i].abcA - static_cast<int>(abc[i].abcB);
    } else {
      abc[i].abcA = 0;
      abc[i].abcB = static_cast<UINT>(ToLogical(font, advance));
      abc[i].abcC = 0;
    }
  });
}

bool IsIdentity(const MAT2& m) {
  auto is = [](const FIXED& f, short value) { return f.value == value && f.fract == 0; };
  return is(m.eM11, 1) && is(m.eM12, 0) && is(m.eM21, 0) && is(m.eM22, 1);
}

// The black box of the glyph a character code draws with the DC's font, as
// the text calls place it, and its cell's advance along the baseline.
template <class Char>
DWORD GlyphMetrics(HDC hdc, UINT code, UINT format, LPGLYPHMETRICS metrics, const MAT2* transform) {
  if (format != GGO_METRICS || !metrics || !transform || !IsIdentity(*transform)) return GDI_ERROR;
  DWORD result = GDI_ERROR;
  ForEachCode<Char>(hdc, code, code, [&](const DeviceContext&, const tav::font::RealizedFont& font, UINT,
                                         const std::u16string& wide) {
    const auto chars = tav::font::DecodeUtf16(wide);
    const char32_t c = chars.empty() ? U' ' : chars.front();
    const auto glyph = font.Glyph(c);
    const double advance = font.Advance(c);
    *metrics = GLYPHMETRICS{};
    if (glyph->width > 0 && glyph->height > 0) {
      metrics->gmBlackBoxX = static_cast<UINT>(glyph->width);
      metrics->gmBlackBoxY = static_cast<UINT>(glyph->height);
      metrics->gmptGlyphOrigin = POINT{glyph->left, -glyph->top};
    }
    metrics->gmCellIncX = static_cast<short>(std::lround(advance * font.baseX()));
    metrics->gmCellIncY = static_cast<short>(std::lround(-advance * font.baseY()));
    result = 0;
  });
  return result;
}

}  // namespace

namespace {

// What the extent calls share: the DC, its font and the text in UTF-16 (for
// the A forms with the bytes of each unit). FALSE for bad arguments.
template <class Char, class Measure>
BOOL MeasureText(HDC hdc, const Char* text, int length, LPSIZE size, Measure&& measure, bool countBytes = false) {
  auto dc = FindDC(hdc);
  if (!dc || !size || length < 0 || (!text && length > 0)) return FALSE;
  auto font = DcFont(*dc);
  if (!font) return FALSE;
  if constexpr (std::is_same_v<Char, char>) {
    const WideText wide = Widen(DcCodePage(*dc), text, length, countBytes);
    measure(*dc, *font, wide.text, wide.bytesOf);
  } else {
    measure(*dc, *font, std::u16string_view(text ? text : u"", static_cast<size_t>(length)), std::vector<int>());
  }
  return TRUE;
}

SIZE ExtentOf(const tav::font::RealizedFont& font, const std::vector<int>& cumulative) {
  return SIZE{cumulative.empty() ? 0 : cumulative.back(), ToLogical(font, font.metrics().height)};
}

}  // namespace

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int length, LPSIZE size) {
  return MeasureText(hdc, text, length, size, [size](const DeviceContext& dc, const tav::font::RealizedFont& font,
                                                     std::u16string_view wide, const std::vector<int>&) {
    *size = LogicalExtent(dc, font, wide);
  });
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size) {
  return MeasureText(hdc, text, length, size, [size](const DeviceContext& dc, const tav::font::RealizedFont& font,
                                                     std::u16string_view wide, const std::vector<int>&) {
    *size = LogicalExtent(dc, font, wide);
  });
}

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR text, int length, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
  return MeasureText(hdc, text, length, size, [&](const DeviceContext& dc, const tav::font::RealizedFont& font,
                                                  std::u16string_view wide, const std::vector<int>&) {
    std::vector<int> cumulative;
    int fitted = 0;
    ExtentEx(dc, font, wide, maxExtent, cumulative, fitted);
    if (fit) *fit = fitted;
    if (dx) std::copy(cumulative.begin(), cumulative.end(), dx);
    *size = ExtentOf(font, cumulative);
  });
}

BOOL GetTextExtentExPointA(HDC hdc, LPCSTR text, int length, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
  return MeasureText(hdc, text, length, size, [&](const DeviceContext& dc, const tav::font::RealizedFont& font,
                                                  std::u16string_view wide, const std::vector<int>& bytesOf) {
    std::vector<int> cumulative;
    int fitted = 0;
    ExtentEx(dc, font, wide, maxExtent, cumulative, fitted);
    // Back to bytes: each byte of a character reports the extent after it.
    int bytesFit = 0;
    int byte = 0;
    for (size_t i = 0; i < wide.size(); ++i) {
      for (int k = 0; k < bytesOf[i]; ++k, ++byte)
        if (dx) dx[byte] = cumulative[i];
      if (static_cast<int>(i) < fitted) bytesFit = byte;
    }
    if (fit) *fit = bytesFit;
    *size = ExtentOf(font, cumulative);
  }, true);
}

BOOL GetCharWidthW(HDC dc, UINT first, UINT last, LPINT widths) { return CharWidths<WCHAR>(dc, first, last, widths); }
BOOL GetCharWidthA(HDC dc, UINT first, UINT last, LPINT widths) { return CharWidths<char>(dc, first, last, widths); }
BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, LPINT widths) { return CharWidths<WCHAR>(dc, first, last, widths); }
BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, LPINT widths) { return CharWidths<char>(dc, first, last, widths); }
BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* widths) { return AbcWidths<WCHAR>(dc, first, last, widths); }
BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* widths) { return AbcWidths<char>(dc, first, last, widths); }

DWORD GetGlyphOutlineA(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD, LPVOID, const MAT2* transform) {
  return GlyphMetrics<char>(dc, ch, format, metrics, transform);
}
DWORD GetGlyphOutlineW(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD, LPVOID, const MAT2* transform) {
  return GlyphMetrics<WCHAR>(dc, ch, format, metrics, transform);
}
