#include "fields/draw/text_draw.h"

#include <cmath>
#include <vector>

#include "fields/geometry/units.h"
#include "fields/measure/text_measure.h"
#include "fields/services/label_setup.h"
#include "foundation/codepage/codepage.h"
#include "foundation/gdi_helpers/colour.h"
#include "foundation/geometry/rotation.h"
#include "platform/gdi/gdi_owners.h"

namespace {

struct Piece {
  int start;
  int bytes;
};

// The characters of the string: UTF-16 units, or bytes with double-byte pairs
// of the font's character set kept together.
std::vector<Piece> PiecesOf(const AString& s, int charset) {
  std::vector<Piece> pieces;
  const int n = s.GetLength();
  if (s.IsWide()) {
    for (int i = 0; i + 1 < n; i += 2) pieces.push_back({i, 2});
    return pieces;
  }
  const auto* b = reinterpret_cast<const BYTE*>(s.GetData());
  for (int i = 0; i < n;) {
    const int len = i + 1 < n && IsDbcsPair(b[i], b[i + 1], charset) ? 2 : 1;
    pieces.push_back({i, len});
    i += len;
  }
  return pieces;
}

SIZE PieceExtent(HDC dc, const AString& s, const Piece& p) {
  SIZE size{0, 0};
  if (s.IsWide()) {
    const WCHAR unit = static_cast<WCHAR>(s.GetUnitAt(p.start / 2));
    GetTextExtentPoint32W(dc, &unit, 1, &size);
  } else {
    const char c = s.GetData()[p.start];
    // Control characters take the room of an "M".
    if (p.bytes == 1 && static_cast<unsigned char>(c) < 32) {
      GetTextExtentPoint32A(dc, "M", 1, &size);
    } else {
      GetTextExtentPoint32A(dc, s.GetData() + p.start, p.bytes, &size);
    }
  }
  return size;
}

}  // namespace

int DrawTextFieldOnDC(HDC dc, const CTextField& field, int x, int y, int spreadWidth, bool quality,
                      unsigned colourFlags, int clipWidth) {
  const int oldMap = SetMapMode(dc, MM_TEXT);
  COLORREF text = field.foreColor;
  if (colourFlags) text = AdjustColor(text, colourFlags);
  COLORREF back = field.backColor;
  int mode = TRANSPARENT;
  if (field.inverse) {
    back = text;
    text = field.backColor;
    mode = OPAQUE;
  }
  const COLORREF oldText = SetTextColor(dc, text);
  const COLORREF oldBack = SetBkColor(dc, back);
  const int oldMode = SetBkMode(dc, mode);
  LOGFONTA lf = field.logFont;
  const bool turned = field.rotation % 90000 != 0;
  lf.lfQuality = (turned || std::abs(lf.lfHeight) >= 20 || quality) ? ANTIALIASED_QUALITY : PROOF_QUALITY;
  UniqueFont font(CreateFontIndirectA(&lf));
  {
    SelectScope select(dc, font.get());
    const std::vector<Piece> pieces = PiecesOf(field.data, lf.lfCharSet);
    std::vector<int> widths;
    int total = 0;
    for (const Piece& p : pieces) {
      widths.push_back(PieceExtent(dc, field.data, p).cx);
      total += widths.back();
    }
    const double angle = lf.lfEscapement * 6.2832 / 3600.0;
    // Text without width cannot be spread over one: nothing is drawn.
    const bool drawn = spreadWidth <= 0 || total > 0;
    const double spread = spreadWidth > 0 && total > 0 ? static_cast<double>(spreadWidth) / total : 1.0;
    int before = 0;
    for (size_t i = 0; drawn && i < pieces.size(); ++i) {
      const int distance = static_cast<int>(before * spread);
      before += widths[i];
      if (clipWidth != 0 && clipWidth < widths[i] + distance) continue;
      const int px = x + static_cast<int>(distance * std::cos(angle));
      const int py = y - static_cast<int>(distance * std::sin(angle));
      const Piece& p = pieces[i];
      if (field.data.IsWide()) {
        const WCHAR unit = static_cast<WCHAR>(field.data.GetUnitAt(p.start / 2));
        TextOutW(dc, px, py, &unit, 1);
      } else if (p.bytes == 1 && static_cast<unsigned char>(field.data.GetData()[p.start]) < 32) {
        // A control character shows as the outline of a box the size of an
        // "M", a third of its height shorter at top and bottom and 4 pixels
        // narrower, turned with the text about the character's place.
        SIZE m{0, 0};
        GetTextExtentPoint32A(dc, "M", 1, &m);
        const int third = m.cy / 3;
        POINT box[5] = {{px, py + third}, {px + m.cx - 4, py + third}, {px + m.cx - 4, py + m.cy - third},
                        {px, py + m.cy - third}, {px, py + third}};
        RotatePoints(box, 5, lf.lfEscapement / 10.0, px, py);
        UniquePen pen(CreatePen(PS_SOLID, 1, text));
        SelectScope selectPen(dc, pen.get());
        Polyline(dc, box, 5);
      } else {
        TextOutMultiByte(dc, px, py, field.data.GetData() + p.start, p.bytes, lf.lfCharSet);
      }
    }
  }
  SetBkMode(dc, oldMode);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
  SetMapMode(dc, oldMap);
  return 1;
}

int DrawTextField(HDC dc, CTextField& field, const CLabelSetup& setup, int drawFlag, int originX, int originY,
                  int dpiX, int dpiY, int outline, int extra) {
  if (field.data.IsEmpty()) return 0;
  if (!dpiY) dpiY = dpiX;
  const LOGFONTA saved = field.logFont;
  // The font the text was measured with (character height, the same width
  // rounding), whatever the printer: the text fills the box measured for it
  // and prints at the point size chosen.
  field.logFont = TextFontAt(field, dc, dpiX);
  const int x = MilsToDevice(field.offset.x, dpiX) + originX;
  const int y = MilsToDevice(field.offset.y, dpiY) + originY;
  DrawTextFieldOnDC(dc, field, x, y, 0, drawFlag != 0, outline ? kAdjustContrast : 0, 0);
  field.logFont = saved;
  (void)setup;
  (void)extra;
  return 1;
}
