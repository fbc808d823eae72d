// Inside the text calls: the font a device context draws with, A-string
// conversion, and the one routine that puts a run of text on a surface.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/font_engine.h"
#include "platform/gdi/gdi_internal.h"

namespace gdi {

tav::font::FontRequest FontRequestFrom(const LOGFONTW& lf);

// The DC's selected font (the stock system font when none is), realised for
// the DC's mapping and target; null only when no font file can be opened.
std::shared_ptr<tav::font::RealizedFont> DcFont(const DeviceContext& dc);
// The selected font's logical description.
LOGFONTW DcLogFont(const DeviceContext& dc);

// The code page of A strings drawn with the DC's font: the font's character
// set decides (GB2312 -> 936 ...), the ANSI code page for ANSI and DEFAULT.
UINT DcCodePage(const DeviceContext& dc);

// A string widened for drawing; bytesOf[i] is the number of source bytes of
// UTF-16 unit i (a double-byte character gives one unit of two bytes), when
// asked for.
struct WideText {
  std::u16string text;
  std::vector<int> bytesOf;
};
WideText Widen(UINT codePage, const char* text, int length, bool countBytes = false);

// Device pixels to logical units of the font's mapping, rounded.
int ToLogical(const tav::font::RealizedFont& font, double devicePixels);

// Advances of each UTF-16 unit in device pixels (the second unit of a
// surrogate pair gets 0), character extra spacing included; `out` holds one
// per unit.
std::vector<double> DeviceAdvances(const DeviceContext& dc, const tav::font::RealizedFont& font,
                                   std::u16string_view text);
void DeviceAdvances(const DeviceContext& dc, const tav::font::RealizedFont& font, std::u16string_view text,
                    std::span<double> out);

// The extent of a text in logical units.
SIZE LogicalExtent(const DeviceContext& dc, const tav::font::RealizedFont& font, std::u16string_view text);

// Draws a run the way ExtTextOutW does; `dx` (logical, one per unit) may be null.
bool DrawRun(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, std::u16string_view text,
             const INT* dx);

// DrawText on wide text; `params` (margins, tab length) may be null.
int DrawTextCore(DeviceContext& dc, std::u16string_view text, RECT* rect, UINT format, DRAWTEXTPARAMS* params);

}  // namespace gdi
