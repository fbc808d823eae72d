#include "app/controls/bitmap_buttons.h"

#include "app/controls/controls_ids.h"
#include "app/ui/message_pane.h"
#include "app/ui/ui_message_text.h"
#include "platform/comctl/mapped_bitmap.h"

namespace {

constexpr int kGlyphSize = 15;

void Outline(HDC dc, const RECT& r, COLORREF colour, HBRUSH fill) {
  UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  SelectScope usePen(dc, pen.get());
  SelectScope useBrush(dc, fill ? static_cast<HGDIOBJ>(fill) : GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
  UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  SelectScope use(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

// --- Tip button --------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTipButton, CButton)
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CTipButton::~CTipButton() { HideMessagePane(); }

AString TipTextOf(const AString& message) {
  AString text = message;
  text.Replace("\\n", "\n\n");
  return text;
}

void CTipButton::SetTipMessage(int message) {
  m_message = message;
  m_tipText = TipTextOf(FormatUiMessage(message));
  image_.reset(LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_TIP_INFO)));
  SetBitmap(image_.get());
}

void CTipButton::OnMouseMove(UINT flags, CPoint point) {
  RECT window{};
  GetWindowRect(&window);
  POINT screen = point;
  ClientToScreen(&screen);
  if (PtInRect(&window, screen)) {
    SetCapture();
    if (!m_showing) {
      m_showing = 1;
      ShowMessagePane(m_hWnd, window, m_tipText);
    }
  } else if (m_showing) {
    ReleaseCapture();
    HideMessagePane();
    m_showing = 0;
  }
  CButton::OnMouseMove(flags, point);
}

// --- Mapped bitmap button ----------------------------------------------------

IMPLEMENT_DYNAMIC(CMappedBitmapButton, CButton)

BEGIN_MESSAGE_MAP(CMappedBitmapButton, CButton)
  ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

UINT ImageListFlagsForDepth(int bitsPerPixel) {
  if (bitsPerPixel <= 4) return ILC_COLOR4;
  if (bitsPerPixel <= 8) return ILC_COLOR8;
  if (bitsPerPixel <= 16) return ILC_COLOR16;
  return ILC_COLOR24;
}

int CMappedBitmapButton::LoadBitmaps(int bitmapId) {
  m_images.DeleteImageList();
  m_bitmapId = bitmapId;
  UniqueBitmap strip(CreateMappedBitmap(AfxGetResourceHandle(), bitmapId, 0, nullptr, 0));
  if (!strip) return 0;
  BITMAP info{};
  if (!GetObjectA(strip.get(), sizeof info, &info)) return 0;
  m_imageFlags = ImageListFlagsForDepth(info.bmBitsPixel);
  if (!m_images.Create(info.bmWidth / 4, info.bmHeight, m_imageFlags, 4, 0)) return 0;
  return ImageList_Add(m_images.m_hImageList, strip.get(), nullptr) >= 0 ? 1 : 0;
}

void CMappedBitmapButton::SizeToImage() {
  int cx = 0, cy = 0;
  if (!m_images.m_hImageList || !m_images.GetIconSize(cx, cy)) return;
  SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER);
}

int CMappedBitmapButton::SubclassWithBitmap(int controlId, CWnd* parent, int bitmapId) {
  if (!SubclassDlgItem(static_cast<UINT>(controlId), parent) || !LoadBitmaps(bitmapId)) return 0;
  SizeToImage();
  return 1;
}

void CMappedBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  int image = 0;
  if (dis->itemState & ODS_SELECTED) image = 1;
  else if (dis->itemState & ODS_FOCUS) image = 2;
  else if (dis->itemState & ODS_DISABLED) image = 3;
  ImageList_Draw(m_images.m_hImageList, image, dis->hDC, dis->rcItem.left, dis->rcItem.top, ILD_NORMAL);
}

void CMappedBitmapButton::OnSysColorChange() {
  CButton::OnSysColorChange();
  // The mapped colours follow the new scheme.
  if (m_images.m_hImageList && m_images.GetImageCount() == 4) LoadBitmaps(m_bitmapId);
  Invalidate();
}

// --- Move-button strip -------------------------------------------------------

BEGIN_MESSAGE_MAP(CMoveButtonStrip, CButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

int CMoveButtonStrip::HitTest(POINT point) const {
  RECT client{};
  GetClientRect(&client);
  if (!PtInRect(&client, point)) return -1;
  const int band = client.bottom / 4;
  if (band <= 0) return -1;
  const int height = m_buttonHeight > 0 ? m_buttonHeight : client.bottom;
  const int top = (height - client.bottom) / 2 + 1;
  if (point.y < top) return -1;
  const int glyph = (point.y - top) / band;
  return glyph < 4 ? glyph : -1;
}

void CMoveButtonStrip::Press(CPoint point) {
  m_pressed = HitTest(point);
  if (m_pressed >= 0) SetCapture();
  Invalidate(FALSE);
}

void CMoveButtonStrip::OnLButtonDown(UINT, CPoint point) { Press(point); }
void CMoveButtonStrip::OnLButtonDblClk(UINT, CPoint point) { Press(point); }

void CMoveButtonStrip::OnMouseMove(UINT flags, CPoint point) {
  if (::GetCapture() == m_hWnd && m_pressed >= 0 && HitTest(point) != m_pressed) {
    m_pressed = -1;
    Invalidate(FALSE);
  }
  CButton::OnMouseMove(flags, point);
}

void CMoveButtonStrip::OnLButtonUp(UINT, CPoint point) {
  ReleaseCapture();
  const int glyph = m_pressed;
  m_pressed = -1;
  // A press that ends on the glyph it began on moves the entry.
  if (glyph >= 0 && glyph == HitTest(point) && m_owner) m_owner->MoveSelectedItem(glyph);
  Invalidate(FALSE);
}

void CMoveButtonStrip::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis->itemAction != ODA_DRAWENTIRE || dis->CtlType == ODT_COMBOBOX) return;
  HDC dc = dis->hDC;
  RECT client{};
  GetClientRect(&client);
  if (!glyphs_) {
    m_buttonHeight = client.bottom;
    m_buttonWidth = client.right;
    glyphs_.reset(LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_MOVE_ARROWS)));
    BITMAP info{};
    if (glyphs_ && GetObjectA(glyphs_.get(), sizeof info, &info)) {
      m_bitmapWidth = info.bmWidth;
      m_bitmapHeight = info.bmHeight;
    }
  }
  RECT r = client;
  Outline(dc, r, RGB(131, 132, 161), nullptr);
  InflateRect(&r, -1, -1);
  Outline(dc, r, RGB(191, 192, 231), nullptr);
  InflateRect(&r, -1, -1);
  {
    UniqueBrush fill(CreateSolidBrush(RGB(233, 233, 239)));
    Outline(dc, r, RGB(191, 192, 231), fill.get());
  }
  if (!glyphs_) return;
  UniqueDc memory(CreateCompatibleDC(dc));
  SelectScope use(memory.get(), glyphs_.get());
  const int band = client.bottom / 4;
  const int top = (m_buttonHeight - client.bottom) / 2 + 1;
  for (int i = 0; i < 4; ++i) {
    const int bandTop = top + i * band;
    int x = (client.right - kGlyphSize) / 2, y = bandTop + (band - kGlyphSize) / 2;
    if (i == m_pressed) {
      Line(dc, 2, bandTop, client.right - 3, bandTop, RGB(158, 159, 198));
      Line(dc, 2, bandTop, 2, bandTop + band - 1, RGB(158, 159, 198));
      Line(dc, client.right - 3, bandTop, client.right - 3, bandTop + band - 1, RGB(252, 254, 254));
      Line(dc, 2, bandTop + band - 1, client.right - 2, bandTop + band - 1, RGB(252, 254, 254));
      ++x;
      ++y;
    }
    BitBlt(dc, x, y, kGlyphSize, kGlyphSize, memory.get(), 0, i * m_bitmapHeight / 4, SRCCOPY);
  }
}
