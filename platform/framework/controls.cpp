// The standard controls' framework classes.
#include "platform/framework/controls.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("Button", text, style, rect, parent, id);
}
// Owner-drawn buttons draw in their derived class; this one has nothing to draw.
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("Static", text, style, rect, parent, id);
}
void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("Edit", nullptr, style, rect, parent, id);
}
void CEdit::SetSel(int start, int end, BOOL noScroll) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}
void CEdit::GetSel(int& start, int& end) const {
  DWORD s = 0, e = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}

namespace {
// List and combo boxes draw and measure their owner-drawn items through their
// own members: a reflected WM_DRAWITEM or WM_MEASUREITEM goes there and is
// answered TRUE.
template <class Control>
bool ReflectItemMessage(Control& control, UINT message, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_DRAWITEM: control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    default: return false;
  }
  if (result) *result = TRUE;
  return true;
}
}  // namespace

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("ListBox", nullptr, style, rect, parent, id);
}
void CListBox::GetText(int index, CString& text) const {
  const int length = GetTextLen(index);
  if (length < 0) {
    text.Empty();
    return;
  }
  GetText(index, text.GetBufferSetLength(length));
  text.ReleaseBuffer(length);
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (ReflectItemMessage(*this, message, lParam, result)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("ComboBox", nullptr, style, rect, parent, id);
}
void CComboBox::GetLBText(int index, CString& text) const {
  const int length = GetLBTextLen(index);
  if (length < 0) {
    text.Empty();
    return;
  }
  GetLBText(index, text.GetBufferSetLength(length));
  text.ReleaseBuffer(length);
}
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (ReflectItemMessage(*this, message, lParam, result)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("ScrollBar", nullptr, style, rect, parent, id);
}
