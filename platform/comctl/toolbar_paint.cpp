// Drawing a toolbar in the classic style: raised buttons (or flat ones that
// rise under the mouse), sunken when pressed or checked, a checked button's
// face dithered, a disabled button's image embossed.
#include "platform/comctl/control_state.h"
#include "platform/comctl/image_list_internal.h"
#include "platform/comctl/toolbar_model.h"

namespace comctl {

namespace {

// The half-tone face of a checked button: highlight and face colours alternating.
HBRUSH DitherBrush() {
  PixelBlock block{8, 8, std::vector<uint32_t>(64)};
  const uint32_t a = FromColorref(GetSysColor(COLOR_3DHILIGHT)), b = FromColorref(GetSysColor(COLOR_3DFACE));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) block.At(x, y) = ((x + y) & 1) ? b : a;
  HBITMAP bitmap = MakeBitmap(block);
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);
  return brush;
}

void PaintSeparator(HDC dc, DWORD style, const ToolbarButton& b) {
  if (!(style & TBSTYLE_FLAT)) return;
  const int middle = (b.rect.left + b.rect.right) / 2 - 1;
  RECT line{middle, b.rect.top + 1, middle + 2, b.rect.bottom - 1};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
}

void PaintButton(HDC dc, const Toolbar& t, DWORD style, const ToolbarButton& b, int index) {
  const bool flat = (style & TBSTYLE_FLAT) != 0;
  const bool enabled = (b.state & TBSTATE_ENABLED) != 0;
  const bool pressed = (b.state & TBSTATE_PRESSED) != 0;
  const bool checked = (b.state & TBSTATE_CHECKED) != 0;
  const bool hot = flat && enabled && index == t.hot;
  RECT face = MainPart(t, b);
  if (checked && !pressed) {
    HBRUSH dither = DitherBrush();
    RECT inner = face;
    InflateRect(&inner, -1, -1);
    FillRect(dc, &inner, dither);
    DeleteObject(dither);
  }
  RECT edge = face;
  if (pressed || checked) DrawEdge(dc, &edge, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (hot) DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  else if (!flat) DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);

  const int shift = (pressed || checked) ? 1 : 0;
  const std::u16string text = t.maxTextRows > 0 ? ButtonText(t, b) : std::u16string();
  // A whole-button drop-down keeps its arrow's place free of the image.
  const int imageRight = HasSplitArrow(t, b) ? face.right : face.right - DropArrowWidth(t, b);
  const int imageX = face.left + (imageRight - face.left - t.bitmapSize.cx) / 2 + shift;
  const int imageY = face.top + (text.empty() ? (face.bottom - face.top - t.bitmapSize.cy) / 2 : t.padding.cy / 2) + shift;
  HIMAGELIST list = t.ImageList();
  if (!enabled || (b.state & TBSTATE_INDETERMINATE)) {
    if (t.disabled) ImageList_Draw(t.disabled, b.image, dc, imageX, imageY, ILD_TRANSPARENT);
    else DrawDisabledImage(dc, list, b.image, imageX, imageY);
  } else {
    HIMAGELIST use = hot && t.hotImages ? t.hotImages : list;
    ImageList_Draw(use, b.image, dc, imageX, imageY, ILD_TRANSPARENT);
  }
  PaintDropArrow(dc, style, t, b, index == t.dropped, hot);
  if (text.empty()) return;
  RECT label{face.left + 2 + shift, imageY + t.bitmapSize.cy + 1, imageRight - 2 + shift, face.bottom - 1 + shift};
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_CENTER | DT_SINGLELINE | DT_TOP | ((b.style & TBSTYLE_NOPREFIX) ? DT_NOPREFIX : 0);
  if (!enabled) {
    RECT raised = label;
    OffsetRect(&raised, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &raised, format);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, format);
}

}  // namespace

void DrawDisabledImage(HDC dc, HIMAGELIST list, int index, int x, int y) {
  PixelBlock pixels;
  std::vector<uint8_t> opaque;
  if (!ImagePixels(list, index, pixels, opaque)) return;
  // The dark pixels of the image make the shape: a highlight copy one pixel
  // down and right, a shadow copy on top.
  std::vector<uint8_t> shape(opaque.size());
  for (size_t i = 0; i < shape.size(); ++i) {
    const uint32_t p = pixels.pixels[i];
    const int light = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
    shape[i] = opaque[i] && light < 3 * 0xC0 ? 1 : 0;
  }
  PixelBlock colour = pixels;
  std::fill(colour.pixels.begin(), colour.pixels.end(), FromColorref(GetSysColor(COLOR_3DHILIGHT)));
  PutPixels(dc, x + 1, y + 1, colour, shape);
  std::fill(colour.pixels.begin(), colour.pixels.end(), FromColorref(GetSysColor(COLOR_3DSHADOW)));
  PutPixels(dc, x, y, colour, shape);
}

void PaintToolbar(HWND window, Toolbar& t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  if (!(style & CCS_NODIVIDER)) {
    RECT divider{client.left, client.top, client.right, client.top + 2};
    DrawEdge(dc, &divider, EDGE_ETCHED, BF_TOP);
  }
  HGDIOBJ oldFont = SelectObject(dc, DrawingFont(t.font));
  for (size_t i = 0; i < t.buttons.size(); ++i) {
    const ToolbarButton& b = t.buttons[i];
    if (!b.Visible()) continue;
    if (b.Separator()) PaintSeparator(dc, style, b);
    else PaintButton(dc, t, style, b, static_cast<int>(i));
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

}  // namespace comctl
