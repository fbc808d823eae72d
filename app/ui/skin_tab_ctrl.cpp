// The owner-drawn tab control.
#include "app/ui/skin_tab_ctrl.h"

#include <algorithm>
#include <string>

#include "app/ui/ui_language.h"
#include "app/ui/ui_text_draw.h"
#include "foundation/codepage/codepage.h"

namespace {

void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) {
  const HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
}

bool Meets(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinTabCtrl, CTabCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_NOTIFY_REFLECT_EX(TCN_SELCHANGING, OnSelChanging)
ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, OnSelChange)
ON_MESSAGE(TCM_SETCURSEL, OnSetCurSel)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

CSkinTabCtrl::~CSkinTabCtrl() {
  for (HPEN pen : {darkShadow_, highlight_, shadow_})
    if (pen) DeleteObject(pen);
}

int CSkinTabCtrl::PaddingOf(const AString& caption) { return std::max(1, caption.GetLength() / 3); }

void CSkinTabCtrl::PreSubclassWindow() {
  darkShadow_ = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  highlight_ = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  shadow_ = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  selected_ = GetCurSel();
  GetClientRect(&pageFrame_);
  RECT first{};
  if (GetItemCount() > 0 && GetItemRect(0, &first)) pageFrame_.top = first.bottom;
  texts_.clear();
  for (int i = 0; i < GetItemCount(); ++i) {
    char text[181] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(i, &item);
    const AString translated = TranslateUiString(text);
    texts_.push_back(translated);
    // The padded caption sizes the tab; it goes in as UTF-16 so the control
    // measures the characters the tab shows.
    const std::u16string blanks(static_cast<size_t>(PaddingOf(translated)), u' ');
    std::u16string padded = blanks + UiTextToWide(translated) + blanks;
    TCITEMW wide{};
    wide.mask = TCIF_TEXT;
    wide.pszText = reinterpret_cast<LPWSTR>(padded.data());
    ::SendMessageW(m_hWnd, TCM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&wide));
  }
  arrows_ = ArrowsRect();
}

RECT CSkinTabCtrl::ArrowsRect() const {
  RECT r{};
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "msctls_updown32" && ::IsWindowVisible(child)) {
      ::GetWindowRect(child, &r);
      MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    }
  }
  return r;
}

bool CSkinTabCtrl::Reaches(const RECT& tab) const { return !IsRectEmpty(&arrows_) && tab.right > arrows_.left; }

int CSkinTabCtrl::GetFirstVisibleTab() const {
  for (int i = 0; i + 1 < GetItemCount(); ++i) {
    RECT r{};
    if (GetItemRect(i, &r) && r.left > 0) return i;
  }
  return 0;
}

BOOL CSkinTabCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CSkinTabCtrl::OnSelChanging(NMHDR*, LRESULT* result) {
  ValidateRect(nullptr);
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() & ~WS_VISIBLE));
  *result = FALSE;
  return FALSE;  // the sheet hears it too
}

BOOL CSkinTabCtrl::OnSelChange(NMHDR*, LRESULT* result) {
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | WS_VISIBLE));
  selected_ = GetCurSel();
  Invalidate(FALSE);
  UpdateWindow();
  *result = 0;
  return FALSE;
}

LRESULT CSkinTabCtrl::OnSetCurSel(WPARAM, LPARAM) {
  // The parent may set the selection again while it hears of this one.
  if (notifying_) return Default();
  notifying_ = true;
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() & ~WS_VISIBLE));
  const LRESULT previous = Default();
  // The control tells nobody of a selection set by the program: the parent
  // hears it as if the tab had been clicked.
  NMHDR header{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), static_cast<UINT>(TCN_SELCHANGE)};
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(header.idFrom), reinterpret_cast<LPARAM>(&header));
  }
  // The reflection restores the style; a parent without one must not leave
  // the control hidden.
  if (!(GetStyle() & WS_VISIBLE)) {
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | WS_VISIBLE));
    selected_ = GetCurSel();
    Invalidate(FALSE);
  }
  notifying_ = false;
  return previous;
}

void CSkinTabCtrl::OnHScroll(UINT code, UINT, CScrollBar*) {
  Default();
  if (code != SB_THUMBPOSITION) return;
  arrows_ = ArrowsRect();
  RECT first{};
  GetItemRect(0, &first);
  RECT strip{arrows_.left - 8, 0, arrows_.left, first.bottom + 2};
  InvalidateRect(&strip, FALSE);
  UpdateWindow();
}

void CSkinTabCtrl::OnPaint() {
  CPaintDC paint(this);
  RECT client;
  GetClientRect(&client);
  HDC dc = CreateCompatibleDC(paint);
  HBITMAP bitmap = CreateCompatibleBitmap(paint, std::max<int>(1, client.right), std::max<int>(1, client.bottom));
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const RECT area = paint.m_ps.rcPaint;
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  arrows_ = ArrowsRect();
  selected_ = GetCurSel();

  RECT sel{};
  const bool hasSelection = selected_ >= 0 && GetItemRect(selected_, &sel);
  if (hasSelection) {
    if (selected_ != GetFirstVisibleTab()) sel.left -= 3;
    TCHITTESTINFO hit{{sel.right + 5, sel.bottom - 4}, 0};
    if (HitTest(&hit) >= 0) sel.right += 3;
    sel.top -= 2;
  }
  const RECT& f = pageFrame_;
  if (Meets(area, f) && (!hasSelection || sel.bottom == f.top)) {
    Line(dc, highlight_, f.left, f.bottom - 1, f.left, f.top);
    const bool gap = hasSelection && sel.left >= 0;
    const int gapLeft = gap ? std::max<int>(sel.left, f.left) : f.right - 2;
    int gapRight = sel.right;
    if (gap && Reaches(sel)) gapRight = arrows_.left - 2;
    Line(dc, highlight_, f.left, f.top, gapLeft, f.top);
    if (gap) Line(dc, highlight_, gapRight, f.top, f.right - 2, f.top);
    Line(dc, shadow_, f.right - 2, f.top + 1, f.right - 2, f.bottom - 2);
    Line(dc, shadow_, f.left + 1, f.bottom - 2, f.right - 1, f.bottom - 2);
    Line(dc, darkShadow_, f.right - 1, f.top, f.right - 1, f.bottom);
    Line(dc, darkShadow_, f.left, f.bottom - 1, f.right, f.bottom - 1);
  }
  for (int i = 0; i < GetItemCount(); ++i) {
    if (i == selected_) continue;
    RECT r{};
    if (!GetItemRect(i, &r) || !Meets(area, r)) continue;
    r.left += 1;
    r.right -= 1;
    DrawCaption(dc, i, r, false);
    DrawTabFrame(dc, r, 0);
  }
  if (hasSelection && Meets(area, sel) && sel.left > 0) {
    FillRect(dc, &sel, GetSysColorBrush(COLOR_BTNFACE));
    DrawCaption(dc, selected_, sel, true);
    DrawTabFrame(dc, sel, 3);
  }
  BitBlt(paint, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

void CSkinTabCtrl::DrawTabFrame(HDC dc, const RECT& rect, int flags) {
  RECT r = rect;
  r.bottom -= 1;
  if (r.left <= 0) return;
  const int lower = (flags & 2) ? 2 : 0;
  const bool cut = Reaches(r);
  const int topRight = cut ? arrows_.left - 4 : r.right - 2;
  Line(dc, highlight_, r.left, r.bottom + lower, r.left, r.top + 2);
  Line(dc, highlight_, r.left, r.top + 2, r.left + 2, r.top);
  Line(dc, highlight_, r.left + 2, r.top, topRight, r.top);
  HPEN right = (flags & 1) ? darkShadow_ : shadow_;
  const int bottom = r.bottom + ((flags & 2) ? 2 : 1);
  if (!cut) {
    Line(dc, right, r.right - 2, r.top, r.right, r.top + 2);
    Line(dc, right, r.right - 1, r.top + 2, r.right - 1, bottom);
  } else {
    // A tab cut by the arrows ends in a jagged edge down its height.
    const int third = std::max<int>(1, (r.bottom - r.top) / 3);
    int x = topRight;
    int y = r.top;
    for (int step = 0; step < 3; ++step) {
      const int nx = x + (step % 2 == 0 ? -2 : 2);
      Line(dc, right, x, y, nx, y + third);
      x = nx;
      y += third;
    }
    Line(dc, right, x, y, x, bottom);
  }
}

void CSkinTabCtrl::DrawCaption(HDC dc, int index, RECT rect, bool selected) {
  if (index < 0 || index >= static_cast<int>(texts_.size())) return;
  OffsetRect(&rect, 1, 2);
  if (Reaches(rect)) {
    rect.right = arrows_.left - 5;
    rect.left += 4;
    if (selected && index != GetFirstVisibleTab()) rect.left += 3;
  }
  UiTextScope scope(dc, UiFont());
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const SIZE extent = MeasureUiText(dc, texts_[index]);
  const int x = rect.left + std::max<int>(0, (rect.right - rect.left - extent.cx) / 2);
  const int y = rect.top + std::max<int>(0, (rect.bottom - rect.top - extent.cy) / 2);
  HRGN clip = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
  SelectClipRgn(dc, clip);
  DrawUiText(dc, x, y, texts_[index]);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
}

void CSkinTabCtrl::DrawItem(LPDRAWITEMSTRUCT dis) {
  DrawCaption(dis->hDC, static_cast<int>(dis->itemID), dis->rcItem, static_cast<int>(dis->itemID) == selected_);
}
