#include "app/controls/colour_button.h"

#include <algorithm>

#include "foundation/gdi_helpers/text_draw.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr COLORREF kSeparatorGrey = 0x00717171;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void DrawRightArrow(HDC dc, const RECT& item) {
  const int width = item.right - item.left;
  const int inset = width * 36 / 100;
  const int left = item.left + inset, right = item.right - inset;
  const int d = right - left;
  const int m = (item.top + item.bottom) / 2;
  const POINT triangle[] = {{left, m - d}, {right, m}, {left, m + d}};
  UniquePen pen(CreatePen(PS_SOLID, 1, kBlack));
  UniqueBrush brush(CreateSolidBrush(kBlack));
  SelectScope usePen(dc, pen.get());
  SelectScope useBrush(dc, brush.get());
  Polygon(dc, triangle, 3);
}

void DrawDownArrow(HDC dc, const RECT& area) {
  const int x0 = area.left + 6, y0 = area.top + 6;
  const int a = area.right - area.left;
  const int x1 = a < 6 ? x0 + 6 : x0 + a;
  const POINT arrow[] = {{x0, y0},     {x0 + a / 2, y0 + a / 2}, {x1, y0},    {x1 - 3, y0},
                         {x1 - 3, y0 - 4}, {x0 + 3, y0 - 4},      {x0 + 3, y0}};
  UniquePen pen(CreatePen(PS_SOLID, 1, kBlack));
  UniqueBrush brush(CreateSolidBrush(kBlack));
  SelectScope usePen(dc, pen.get());
  SelectScope useBrush(dc, brush.get());
  Polygon(dc, arrow, 7);
}

void DrawSeparator(HDC dc, int x, const RECT& area) {
  UniquePen grey(CreatePen(PS_SOLID, 1, kSeparatorGrey));
  UniquePen white(CreatePen(PS_SOLID, 1, kWhite));
  {
    SelectScope use(dc, grey.get());
    MoveToEx(dc, x, area.top, nullptr);
    LineTo(dc, x, area.bottom);
  }
  SelectScope use(dc, white.get());
  MoveToEx(dc, x + 1, area.top, nullptr);
  LineTo(dc, x + 1, area.bottom);
}

}  // namespace

ColourButtonLayout LayOutColourButton(const RECT& item, bool selected, int look) {
  ColourButtonLayout l{};
  l.inner = item;
  InflateRect(&l.inner, -4, -3);
  l.inner.bottom -= 1;
  if (selected) OffsetRect(&l.inner, 1, 1);
  const int w = l.inner.right - l.inner.left;
  l.swatch = {l.inner.left, l.inner.top, l.inner.right - w / 3, l.inner.bottom};
  l.separatorX = l.swatch.right + 2;
  int arrowWidth = std::max(6, w / 6);
  if (arrowWidth % 2 != 0) --arrowWidth;
  l.arrowArea = {l.separatorX, l.inner.top + 1, l.separatorX + arrowWidth, l.inner.bottom};
  if (look == CColorButton::kSwatchAndCaption) {
    // The caption takes the room the narrower swatch leaves; the arrow area
    // stays where it was and bounds the caption on the right.
    l.swatch.right = l.swatch.left + (l.swatch.right - l.swatch.left) / 2;
    l.separatorX = l.swatch.right + 2;
  }
  return l;
}

BEGIN_MESSAGE_MAP(CColorButton, CButton)
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CColorButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  HDC dc = dis->hDC;
  RECT item = dis->rcItem;
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  FillRect(dc, &item, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrameControl(dc, &item, DFC_BUTTON, DFCS_BUTTONPUSH | (selected ? DFCS_PUSHED : 0));
  if (m_look == kArrowOnly) {
    DrawRightArrow(dc, item);
    return;
  }
  const ColourButtonLayout l = LayOutColourButton(item, selected, m_look);
  {
    UniquePen pen(CreatePen(PS_SOLID, 1, kBlack));
    UniqueBrush brush(CreateSolidBrush(m_colour));
    SelectScope usePen(dc, pen.get());
    SelectScope useBrush(dc, brush.get());
    Rectangle(dc, l.swatch.left, l.swatch.top, l.swatch.right, l.swatch.bottom);
  }
  DrawSeparator(dc, l.separatorX, l.arrowArea);
  if (m_look == kSwatchAndCaption) {
    const RECT captionArea{l.separatorX, l.inner.top, l.arrowArea.right, l.inner.bottom};
    DrawTextCentered(dc, m_caption, captionArea, 0, false);
  } else {
    DrawDownArrow(dc, l.arrowArea);
  }
  if (dis->itemState & ODS_FOCUS) {
    RECT focus = l.inner;
    InflateRect(&focus, 2, 2);
    DrawFocusRect(dc, &focus);
  }
}

void CColorButton::OnSetFocus(CWnd* old) {
  Notify(kMsgColourButtonFocusGained);
  CButton::OnSetFocus(old);
}

void CColorButton::OnKillFocus(CWnd* next) {
  Notify(kMsgColourButtonFocusLost);
  CButton::OnKillFocus(next);
}

void CColorButton::Notify(UINT message) {
  HWND parent = ::GetParent(m_hWnd);
  if (parent) ::SendMessageA(parent, message, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(m_hWnd));
}
