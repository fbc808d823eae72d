// The classic style painter: every bevel, frame, caption, scroll bar and
// frame control of the layer is drawn here, from the one table of system
// colours and metrics (metrics.cpp). Controls draw through it too.
#include <algorithm>

#include "platform/user/window_internal.h"

namespace user {
namespace style {
namespace {

void Line(HDC dc, int left, int top, int right, int bottom, int colour) {
  const RECT r{left, top, right, bottom};
  FillSys(dc, r, colour);
}

// The two colours (top-left, bottom-right) of one bevel ring.
struct Ring {
  int topLeft;
  int bottomRight;
};
Ring OuterRing(UINT edge) {
  if (edge & BDR_RAISEDOUTER) return {COLOR_3DLIGHT, COLOR_3DDKSHADOW};
  return {COLOR_3DSHADOW, COLOR_3DHIGHLIGHT};
}
Ring InnerRing(UINT edge) {
  if (edge & BDR_RAISEDINNER) return {COLOR_3DHIGHLIGHT, COLOR_3DSHADOW};
  return {COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

void DrawRing(HDC dc, RECT& r, Ring ring, UINT flags) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (flags & BF_LEFT) Line(dc, r.left, r.top, r.left + 1, r.bottom, ring.topLeft);
  if (flags & BF_TOP) Line(dc, r.left, r.top, r.right, r.top + 1, ring.topLeft);
  if (flags & BF_RIGHT) Line(dc, r.right - 1, r.top, r.right, r.bottom, ring.bottomRight);
  if (flags & BF_BOTTOM) Line(dc, r.left, r.bottom - 1, r.right, r.bottom, ring.bottomRight);
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_RIGHT) --r.right;
  if (flags & BF_BOTTOM) --r.bottom;
}

// Solid triangles for arrows: `direction` as DFCS_SCROLLUP..RIGHT.
void Triangle(HDC dc, const RECT& r, UINT direction, int colour) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int size = std::max(2, std::min(w, h) / 4 + 1);
  const int cx = r.left + w / 2, cy = r.top + h / 2;
  for (int i = 0; i < size; ++i) {
    switch (direction) {
      case DFCS_SCROLLUP: Line(dc, cx - i, cy - size / 2 + i, cx + i + 1, cy - size / 2 + i + 1, colour); break;
      case DFCS_SCROLLDOWN:
      case DFCS_SCROLLCOMBOBOX:
        Line(dc, cx - (size - 1 - i), cy - size / 2 + i, cx + (size - 1 - i) + 1, cy - size / 2 + i + 1, colour);
        break;
      case DFCS_SCROLLLEFT: Line(dc, cx - size / 2 + i, cy - i, cx - size / 2 + i + 1, cy + i + 1, colour); break;
      default:
        Line(dc, cx - size / 2 + i, cy - (size - 1 - i), cx - size / 2 + i + 1, cy + (size - 1 - i) + 1, colour);
        break;
    }
  }
}

HBRUSH ShaftBrush() {
  // The classic scroll-bar shaft: a checker of button face and highlight.
  static HBRUSH brush = [] {
    DWORD bits[8 * 8];
    const COLORREF a = SysColour(COLOR_3DHIGHLIGHT), b = SysColour(COLOR_SCROLLBAR);
    auto pixel = [](COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) bits[y * 8 + x] = static_cast<DWORD>(((x + y) & 1) ? pixel(a) : pixel(b));
    UniqueBitmap bitmap(CreateBitmap(8, 8, 1, 32, bits));
    HBRUSH made = CreatePatternBrush(bitmap.get());  // the brush keeps a copy of the pattern
    if (auto found = gdi::FindBrush(made)) found->stock = true;
    return made;
  }();
  return brush;
}

HFONT CaptionFont() {
  static HFONT font = [] {
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    const char16_t face[] = u"Tahoma";
    std::copy(std::begin(face), std::end(face), lf.lfFaceName);
    HFONT made = CreateFontIndirectW(&lf);
    if (auto found = gdi::FindFont(made)) found->stock = true;
    return made;
  }();
  return font;
}

void CaptionGlyph(HDC dc, const RECT& r, UINT kind, int colour) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x0 = r.left + w / 4, x1 = r.right - w / 4, y0 = r.top + h / 4, y1 = r.bottom - h / 4;
  switch (kind & 0xF) {
    case DFCS_CAPTIONCLOSE:
      for (int i = 0; i < x1 - x0; ++i) {
        const int y = y0 + i * (y1 - y0) / std::max(1, x1 - x0);
        Line(dc, x0 + i, y, x0 + i + 2, y + 1, colour);
        Line(dc, x1 - 1 - i - 1, y, x1 - i, y + 1, colour);
      }
      break;
    case DFCS_CAPTIONMIN: Line(dc, x0, y1 - 2, x1, y1, colour); break;
    case DFCS_CAPTIONMAX:
      Line(dc, x0, y0, x1, y0 + 2, colour);
      Line(dc, x0, y0, x0 + 1, y1, colour);
      Line(dc, x1 - 1, y0, x1, y1, colour);
      Line(dc, x0, y1 - 1, x1, y1, colour);
      break;
    case DFCS_CAPTIONRESTORE:
      Line(dc, x0 + 2, y0, x1, y0 + 2, colour);
      Line(dc, x1 - 1, y0, x1, y1 - 3, colour);
      Line(dc, x0, y0 + 3, x1 - 2, y0 + 5, colour);
      Line(dc, x0, y0 + 3, x0 + 1, y1, colour);
      Line(dc, x1 - 3, y0 + 3, x1 - 2, y1, colour);
      Line(dc, x0, y1 - 1, x1 - 2, y1, colour);
      break;
    default: Line(dc, x0 + (x1 - x0) / 2 - 1, y0, x0 + (x1 - x0) / 2 + 1, y1, colour); break;
  }
}

}  // namespace

void FillSys(HDC dc, const RECT& rect, int colour) { FillRect(dc, &rect, GetSysColorBrush(colour)); }

void Edge(HDC dc, RECT& rect, UINT edge, UINT flags) {
  RECT r = rect;
  if (flags & BF_MONO) {
    DrawRing(dc, r, Ring{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}, flags);
  } else if (flags & BF_FLAT) {
    if (edge & BDR_OUTER) DrawRing(dc, r, Ring{COLOR_3DSHADOW, COLOR_3DSHADOW}, flags);
    if (edge & BDR_INNER) DrawRing(dc, r, Ring{COLOR_3DFACE, COLOR_3DFACE}, flags);
  } else {
    if (edge & BDR_OUTER) DrawRing(dc, r, OuterRing(edge), flags);
    if (edge & BDR_INNER) DrawRing(dc, r, InnerRing(edge), flags);
  }
  if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
    FillSys(dc, r, (flags & BF_FLAT) || (flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE);
  if (flags & BF_ADJUST) rect = r;
}

void Arrow(HDC dc, const RECT& rect, UINT direction, bool enabled, bool pushed) {
  RECT r = rect;
  if (pushed) {
    Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
    OffsetRect(&r, 1, 1);
  } else {
    Edge(dc, r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  }
  if (!enabled) {
    RECT shadow = r;
    OffsetRect(&shadow, 1, 1);
    Triangle(dc, shadow, direction, COLOR_3DHIGHLIGHT);
  }
  Triangle(dc, r, direction, enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}

ThumbGeometry Thumb(int length, int breadth, const ScrollBarState& s) {
  ThumbGeometry g{};
  g.arrow = std::min(breadth, length / 2);
  const int track = length - 2 * g.arrow;
  const long long range = static_cast<long long>(s.max) - s.min + 1;
  if (range <= 0 || track <= 0 || s.max <= s.min || (s.page && static_cast<long long>(s.page) >= range)) return g;
  const int minThumb = std::max(breadth / 2, 8);
  int size = s.page ? static_cast<int>(track * static_cast<long long>(s.page) / range) : breadth;
  size = std::max(size, minThumb);
  if (size > track) return g;
  const long long maxPos = s.page ? s.max - static_cast<long long>(s.page) + 1 : s.max;
  const int pos = s.tracking ? s.trackPos : s.pos;
  const long long span = std::max<long long>(maxPos - s.min, 1);
  const long long clamped = std::clamp<long long>(pos, s.min, std::max<long long>(maxPos, s.min));
  g.size = size;
  g.start = g.arrow + static_cast<int>((track - size) * (clamped - s.min) / span);
  return g;
}

void ScrollBar(HDC dc, const RECT& rect, bool vertical, const ScrollBarState& s, bool enabled) {
  const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  const int breadth = vertical ? rect.right - rect.left : rect.bottom - rect.top;
  const ThumbGeometry g = Thumb(length, breadth, s);
  auto span = [&](int from, int to) {
    return vertical ? RECT{rect.left, rect.top + from, rect.right, rect.top + to}
                    : RECT{rect.left + from, rect.top, rect.left + to, rect.bottom};
  };
  const bool live = enabled && g.size > 0;
  Arrow(dc, span(0, g.arrow), vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT,
        live && !(s.disabledArrows & ESB_DISABLE_LTUP), s.pushedArrow == 1);
  Arrow(dc, span(length - g.arrow, length), vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT,
        live && !(s.disabledArrows & ESB_DISABLE_RTDN), s.pushedArrow == 2);
  const RECT shaft = span(g.arrow, length - g.arrow);
  if (shaft.right > shaft.left && shaft.bottom > shaft.top) FillRect(dc, &shaft, ShaftBrush());
  if (live) {
    RECT thumb = span(g.start, g.start + g.size);
    Edge(dc, thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void Frame(HDC dc, const RECT& windowRect, DWORD style, DWORD exStyle, bool active) {
  RECT r = windowRect;
  const bool thick = (style & WS_THICKFRAME) != 0;
  const bool dialog = (style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME);
  if (thick || dialog) {
    Edge(dc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    const int width = (thick ? Metric(SM_CXFRAME) : Metric(SM_CXDLGFRAME)) - 2;
    for (int i = 0; i < width; ++i) {
      FrameRect(dc, &r, GetSysColorBrush(thick ? (active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_3DFACE));
      InflateRect(&r, -1, -1);
    }
  } else if (style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
}

RECT CaptionIconRect(const RECT& caption) {
  const int size = std::min<int>(Metric(SM_CXSMICON), caption.bottom - caption.top - 2);
  const int top = caption.top + (caption.bottom - caption.top - size) / 2;
  return RECT{caption.left + 2, top, caption.left + 2 + size, top + size};
}

void Caption(HDC dc, const RECT& rect, std::u16string_view text, DWORD style, bool active, HICON icon,
             LRESULT pushed) {
  auto look = [pushed](LRESULT part) -> UINT { return pushed == part ? DFCS_PUSHED : 0; };
  FillSys(dc, rect, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  const int button = rect.bottom - rect.top - 4;
  RECT b{rect.right - 2 - button - 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
  int textRight = rect.right;
  if (style & WS_SYSMENU) {
    DrawFrameControl(dc, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE | look(HTCLOSE));
    textRight = b.left;
    if (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
      OffsetRect(&b, -(b.right - b.left) - 2, 0);
      DrawFrameControl(dc, &b, DFC_CAPTION,
                       ((style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                           ((style & WS_MAXIMIZEBOX) ? look(HTMAXBUTTON) : DFCS_INACTIVE));
      OffsetRect(&b, -(b.right - b.left), 0);
      DrawFrameControl(dc, &b, DFC_CAPTION,
                       DFCS_CAPTIONMIN | ((style & WS_MINIMIZEBOX) ? look(HTMINBUTTON) : DFCS_INACTIVE));
      textRight = b.left;
    }
  }
  RECT t{rect.left + 4, rect.top, textRight - 2, rect.bottom};
  if (icon) {
    const RECT at = CaptionIconRect(rect);
    DrawIconEx(dc, at.left, at.top, icon, at.right - at.left, at.bottom - at.top, 0, nullptr, DI_NORMAL);
    t.left = at.right + 2;
  }
  SelectScope font(dc, CaptionFont());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, SysColour(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                                                                   DT_END_ELLIPSIS);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace style
}  // namespace user

using namespace user;

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
  if (!rect || !gdi::FindDC(dc)) return Fail(ERROR_INVALID_PARAMETER);
  style::Edge(dc, *rect, edge, flags);
  return TRUE;
}

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT kind, UINT state) {
  if (!rect || !gdi::FindDC(dc)) return Fail(ERROR_INVALID_PARAMETER);
  const bool inactive = (state & DFCS_INACTIVE) != 0, pushed = (state & DFCS_PUSHED) != 0;
  RECT r = *rect;
  switch (kind) {
    case DFC_SCROLL:
      style::Arrow(dc, r, state & 0xF, !inactive, pushed);
      return TRUE;
    case DFC_CAPTION: {
      if (pushed) style::Edge(dc, r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
      else style::Edge(dc, r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
      if (pushed) OffsetRect(&r, 1, 1);
      if (inactive) {
        RECT shadow = r;
        OffsetRect(&shadow, 1, 1);
        style::CaptionGlyph(dc, shadow, state, COLOR_3DHIGHLIGHT);
      }
      style::CaptionGlyph(dc, r, state, inactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
      return TRUE;
    }
    case DFC_BUTTON: {
      if (state & DFCS_BUTTONPUSH) {
        style::Edge(dc, r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        return TRUE;
      }
      const int size = std::min(r.right - r.left, r.bottom - r.top);
      RECT box{r.left, r.top + (r.bottom - r.top - size) / 2, r.left + size, r.top + (r.bottom - r.top - size) / 2 + size};
      const int fill = pushed || inactive ? COLOR_3DFACE : COLOR_WINDOW;
      if (state & DFCS_BUTTONRADIO) {
        UniquePen pen(CreatePen(PS_SOLID, 1, SysColour(COLOR_3DSHADOW)));
        SelectScope selectPen(dc, pen.get());
        {
          SelectScope brush(dc, GetSysColorBrush(fill));
          Ellipse(dc, box.left, box.top, box.right, box.bottom);
        }
        if (state & DFCS_CHECKED) {
          SelectScope dot(dc, GetSysColorBrush(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
          const int inset = size / 3;
          Ellipse(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset);
        }
        return TRUE;
      }
      style::Edge(dc, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      style::FillSys(dc, box, fill);
      if (state & (DFCS_CHECKED | DFCS_BUTTON3STATE)) {
        const int colour = inactive || (state & DFCS_BUTTON3STATE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
        const int w = box.right - box.left;
        // A tick: down from the left third, up to the right.
        for (int i = 0; i < w - 2; ++i) {
          const int x = box.left + 1 + i;
          const int y = i < w / 3 ? box.top + w / 2 - 1 + i : box.top + w / 2 - 1 + w / 3 - (i - w / 3);
          if (state & (DFCS_CHECKED | DFCS_BUTTON3STATE)) {
            RECT dot{x, y, x + 1, y + 3};
            style::FillSys(dc, dot, colour);
          }
        }
      }
      return TRUE;
    }
    case DFC_MENU: {
      const int colour = inactive ? COLOR_GRAYTEXT : COLOR_MENUTEXT;
      if ((state & 0xF) == DFCS_MENUBULLET) {
        SelectScope brush(dc, GetSysColorBrush(colour));
        SelectScope pen(dc, GetStockObject(NULL_PEN));
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
      } else if ((state & 0xF) == DFCS_MENUARROW) {
        style::Triangle(dc, r, DFCS_SCROLLRIGHT, colour);
      } else {
        const int w = r.right - r.left, h = r.bottom - r.top;
        for (int i = 0; i < w / 2; ++i) {
          const int x = r.left + w / 4 + i;
          const int y = i < w / 6 ? r.top + h / 2 + i - 1 : r.top + h / 2 + w / 6 - (i - w / 6) - 1;
          RECT dot{x, y, x + 1, y + 3};
          style::FillSys(dc, dot, colour);
        }
      }
      return TRUE;
    }
    default: return Fail(ERROR_INVALID_PARAMETER);
  }
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  if (!rect || !gdi::FindDC(dc)) return Fail(ERROR_INVALID_PARAMETER);
  // A dotted frame drawn with XOR, so drawing it twice removes it.
  for (int x = rect->left; x < rect->right; ++x) {
    if (((x - rect->left) & 1) == 0) {
      PatBlt(dc, x, rect->top, 1, 1, DSTINVERT);
      if (rect->bottom - 1 > rect->top) PatBlt(dc, x, rect->bottom - 1, 1, 1, DSTINVERT);
    }
  }
  for (int y = rect->top + 1; y < rect->bottom - 1; ++y) {
    if (((y - rect->top) & 1) == 0) {
      PatBlt(dc, rect->left, y, 1, 1, DSTINVERT);
      if (rect->right - 1 > rect->left) PatBlt(dc, rect->right - 1, y, 1, 1, DSTINVERT);
    }
  }
  return TRUE;
}
