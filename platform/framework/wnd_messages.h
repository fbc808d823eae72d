// The ON_WM_* entries: each window message with its documented packing
// cracked once into the handler's typed arguments (CPoint, CWnd*, CDC*, ...).
// The handler names are fixed, as in the framework's vocabulary; the
// reflected forms reach the control that sent the message.
#pragma once

#include "platform/framework/controls.h"
#include "platform/framework/gdi_objects.h"
#include "platform/framework/menu.h"
#include "platform/framework/wnd.h"
#include "platform/user/message_crack.h"

namespace afx::wm {


template <auto F>
LRESULT Int_Create(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return (Self<F>(t)->*F)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
}

template <auto F>
LRESULT Void(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)();
  return 0;
}

template <auto F>
LRESULT Bool_Dc(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return (Self<F>(t)->*F)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)));
}

template <auto F>
LRESULT Size(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<UINT>(c.wParam), LOWORD(static_cast<DWORD_PTR>(c.lParam)), HIWORD(static_cast<DWORD_PTR>(c.lParam)));
  return 0;
}

template <auto F>
LRESULT Move(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(crack::LowShort(c.lParam), crack::HighShort(c.lParam));
  return 0;
}

template <auto F>
LRESULT Timer(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<UINT_PTR>(c.wParam));
  return 0;
}

template <auto F>
LRESULT WndW(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
  return 0;
}

template <auto F>
LRESULT WndL(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)));
  return 0;
}

template <auto F>
LRESULT ShowWindow(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam));
  return 0;
}

template <auto F>
LRESULT Activate(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(LOWORD(c.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), HIWORD(c.wParam) != 0);
  return 0;
}

template <auto F>
LRESULT ActivateApp(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<BOOL>(c.wParam), static_cast<DWORD>(c.lParam));
  return 0;
}

template <auto F>
LRESULT Enable(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<BOOL>(c.wParam));
  return 0;
}

template <auto F>
LRESULT Mouse(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<UINT>(c.wParam), CPoint(crack::LowShort(c.lParam), crack::HighShort(c.lParam)));
  return 0;
}

template <auto F>
LRESULT Wheel(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return (Self<F>(t)->*F)(LOWORD(c.wParam), static_cast<short>(HIWORD(c.wParam)), CPoint(crack::LowShort(c.lParam), crack::HighShort(c.lParam)));
}

template <auto F>
LRESULT Key(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<UINT>(c.wParam), LOWORD(static_cast<DWORD_PTR>(c.lParam)), HIWORD(static_cast<DWORD_PTR>(c.lParam)));
  return 0;
}

template <auto F>
LRESULT Scroll(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(LOWORD(c.wParam), static_cast<UINT>(static_cast<short>(HIWORD(c.wParam))), static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam))));
  return 0;
}

template <auto F>
LRESULT ScrollReflect(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(LOWORD(c.wParam), static_cast<UINT>(static_cast<short>(HIWORD(c.wParam))));
  return 0;
}

template <auto F>
LRESULT SetCursor(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return (Self<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(static_cast<DWORD_PTR>(c.lParam)), HIWORD(static_cast<DWORD_PTR>(c.lParam)));
}

template <auto F>
LRESULT CtlColor(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return reinterpret_cast<LRESULT>((Self<F>(t)->*F)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), static_cast<UINT>(c.code)));
}

template <auto F>
LRESULT CtlColorReflect(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return reinterpret_cast<LRESULT>((Self<F>(t)->*F)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)), static_cast<UINT>(c.code)));
}

template <auto F>
LRESULT DrawItem(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<int>(c.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
  return TRUE;
}

template <auto F>
LRESULT MeasureItem(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<int>(c.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
  return TRUE;
}

template <auto F>
LRESULT DrawItemReflect(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
  return TRUE;
}

template <auto F>
LRESULT MeasureItemReflect(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
  return TRUE;
}

template <auto F>
LRESULT ContextMenu(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), CPoint(crack::LowShort(c.lParam), crack::HighShort(c.lParam)));
  return 0;
}

template <auto F>
LRESULT InitMenuPopup(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(CMenu::FromHandle(reinterpret_cast<HMENU>(c.wParam)), LOWORD(static_cast<DWORD_PTR>(c.lParam)), HIWORD(static_cast<DWORD_PTR>(c.lParam)) != 0);
  return 0;
}

template <auto F>
LRESULT MinMax(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(reinterpret_cast<MINMAXINFO*>(c.lParam));
  return 0;
}

template <auto F>
LRESULT WindowPos(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(reinterpret_cast<WINDOWPOS*>(c.lParam));
  return 0;
}

template <auto F>
LRESULT MouseActivate(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return (Self<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(static_cast<DWORD_PTR>(c.lParam)), HIWORD(static_cast<DWORD_PTR>(c.lParam)));
}

template <auto F>
LRESULT NcHitTest(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return (Self<F>(t)->*F)(CPoint(crack::LowShort(c.lParam), crack::HighShort(c.lParam)));
}

template <auto F>
LRESULT NcMouse(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<UINT>(c.wParam), CPoint(crack::LowShort(c.lParam), crack::HighShort(c.lParam)));
  return 0;
}

template <auto F>
LRESULT GetDlgCode(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  return static_cast<LRESULT>((Self<F>(t)->*F)());
}

template <auto F>
LRESULT SysCommand(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<UINT>(c.wParam), c.lParam);
  return 0;
}

template <auto F>
LRESULT MDIActivate(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  auto* self = Self<F>(t);
  const auto activated = reinterpret_cast<HWND>(c.lParam);
  (self->*F)(activated == self->m_hWnd, CWnd::FromHandle(activated), CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
  return 0;
}

template <auto F>
LRESULT ParentNotify(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(LOWORD(c.wParam), c.lParam);
  return 0;
}

template <auto F>
LRESULT SettingChange(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(static_cast<UINT>(c.wParam), reinterpret_cast<const char*>(c.lParam));
  return 0;
}

template <auto F>
LRESULT MenuSelect(CCmdTarget* t, const AfxMsgCall& c) {
  (void)c;
  (Self<F>(t)->*F)(LOWORD(c.wParam), HIWORD(c.wParam), reinterpret_cast<HMENU>(c.lParam));
  return 0;
}

}  // namespace afx::wm

// Entries of window messages.
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, AfxSig_wm, &afx::wm::Int_Create<&ThisClass::OnCreate>},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AfxSig_wm, &afx::wm::Void<&ThisClass::OnDestroy>},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, AfxSig_wm, &afx::wm::Void<&ThisClass::OnNcDestroy>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig_wm, &afx::wm::Void<&ThisClass::OnPaint>},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AfxSig_wm, &afx::wm::Void<&ThisClass::OnClose>},
#define ON_WM_SYSCOLORCHANGE() {WM_SYSCOLORCHANGE, 0, 0, 0, AfxSig_wm, &afx::wm::Void<&ThisClass::OnSysColorChange>},
#define ON_WM_CANCELMODE() {WM_CANCELMODE, 0, 0, 0, AfxSig_wm, &afx::wm::Void<&ThisClass::OnCancelMode>},
#define ON_WM_CHILDACTIVATE() {WM_CHILDACTIVATE, 0, 0, 0, AfxSig_wm, &afx::wm::Void<&ThisClass::OnChildActivate>},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, 0, AfxSig_wm, &afx::wm::Bool_Dc<&ThisClass::OnEraseBkgnd>},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, AfxSig_wm, &afx::wm::Size<&ThisClass::OnSize>},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, AfxSig_wm, &afx::wm::Move<&ThisClass::OnMove>},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AfxSig_wm, &afx::wm::Timer<&ThisClass::OnTimer>},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, AfxSig_wm, &afx::wm::WndW<&ThisClass::OnSetFocus>},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, AfxSig_wm, &afx::wm::WndW<&ThisClass::OnKillFocus>},
#define ON_WM_CAPTURECHANGED() {WM_CAPTURECHANGED, 0, 0, 0, AfxSig_wm, &afx::wm::WndL<&ThisClass::OnCaptureChanged>},
#define ON_WM_SHOWWINDOW() {WM_SHOWWINDOW, 0, 0, 0, AfxSig_wm, &afx::wm::ShowWindow<&ThisClass::OnShowWindow>},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, 0, 0, 0, AfxSig_wm, &afx::wm::Activate<&ThisClass::OnActivate>},
#define ON_WM_ACTIVATEAPP() {WM_ACTIVATEAPP, 0, 0, 0, AfxSig_wm, &afx::wm::ActivateApp<&ThisClass::OnActivateApp>},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, AfxSig_wm, &afx::wm::Enable<&ThisClass::OnEnable>},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnLButtonDown>},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnLButtonUp>},
#define ON_WM_LBUTTONDBLCLK() {WM_LBUTTONDBLCLK, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnLButtonDblClk>},
#define ON_WM_RBUTTONDOWN() {WM_RBUTTONDOWN, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnRButtonDown>},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnRButtonUp>},
#define ON_WM_RBUTTONDBLCLK() {WM_RBUTTONDBLCLK, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnRButtonDblClk>},
#define ON_WM_MBUTTONDOWN() {WM_MBUTTONDOWN, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnMButtonDown>},
#define ON_WM_MBUTTONUP() {WM_MBUTTONUP, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnMButtonUp>},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, 0, AfxSig_wm, &afx::wm::Mouse<&ThisClass::OnMouseMove>},
#define ON_WM_MOUSEWHEEL() {WM_MOUSEWHEEL, 0, 0, 0, AfxSig_wm, &afx::wm::Wheel<&ThisClass::OnMouseWheel>},
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, AfxSig_wm, &afx::wm::Key<&ThisClass::OnKeyDown>},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, AfxSig_wm, &afx::wm::Key<&ThisClass::OnKeyUp>},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, AfxSig_wm, &afx::wm::Key<&ThisClass::OnChar>},
#define ON_WM_SYSKEYDOWN() {WM_SYSKEYDOWN, 0, 0, 0, AfxSig_wm, &afx::wm::Key<&ThisClass::OnSysKeyDown>},
#define ON_WM_SYSCHAR() {WM_SYSCHAR, 0, 0, 0, AfxSig_wm, &afx::wm::Key<&ThisClass::OnSysChar>},
#define ON_WM_IME_CHAR() {WM_IME_CHAR, 0, 0, 0, AfxSig_wm, &afx::wm::Key<&ThisClass::OnImeChar>},
#define ON_WM_HSCROLL() {WM_HSCROLL, 0, 0, 0, AfxSig_wm, &afx::wm::Scroll<&ThisClass::OnHScroll>},
#define ON_WM_VSCROLL() {WM_VSCROLL, 0, 0, 0, AfxSig_wm, &afx::wm::Scroll<&ThisClass::OnVScroll>},
#define ON_WM_SETCURSOR() {WM_SETCURSOR, 0, 0, 0, AfxSig_wm, &afx::wm::SetCursor<&ThisClass::OnSetCursor>},
#define ON_WM_CTLCOLOR() {WM_CTLCOLOR, 0, 0, 0, AfxSig_wm, &afx::wm::CtlColor<&ThisClass::OnCtlColor>},
#define ON_WM_DRAWITEM() {WM_DRAWITEM, 0, 0, 0, AfxSig_wm, &afx::wm::DrawItem<&ThisClass::OnDrawItem>},
#define ON_WM_MEASUREITEM() {WM_MEASUREITEM, 0, 0, 0, AfxSig_wm, &afx::wm::MeasureItem<&ThisClass::OnMeasureItem>},
#define ON_WM_CONTEXTMENU() {WM_CONTEXTMENU, 0, 0, 0, AfxSig_wm, &afx::wm::ContextMenu<&ThisClass::OnContextMenu>},
#define ON_WM_INITMENUPOPUP() {WM_INITMENUPOPUP, 0, 0, 0, AfxSig_wm, &afx::wm::InitMenuPopup<&ThisClass::OnInitMenuPopup>},
#define ON_WM_GETMINMAXINFO() {WM_GETMINMAXINFO, 0, 0, 0, AfxSig_wm, &afx::wm::MinMax<&ThisClass::OnGetMinMaxInfo>},
#define ON_WM_WINDOWPOSCHANGED() {WM_WINDOWPOSCHANGED, 0, 0, 0, AfxSig_wm, &afx::wm::WindowPos<&ThisClass::OnWindowPosChanged>},
#define ON_WM_WINDOWPOSCHANGING() {WM_WINDOWPOSCHANGING, 0, 0, 0, AfxSig_wm, &afx::wm::WindowPos<&ThisClass::OnWindowPosChanging>},
#define ON_WM_MOUSEACTIVATE() {WM_MOUSEACTIVATE, 0, 0, 0, AfxSig_wm, &afx::wm::MouseActivate<&ThisClass::OnMouseActivate>},
#define ON_WM_NCHITTEST() {WM_NCHITTEST, 0, 0, 0, AfxSig_wm, &afx::wm::NcHitTest<&ThisClass::OnNcHitTest>},
#define ON_WM_NCLBUTTONDOWN() {WM_NCLBUTTONDOWN, 0, 0, 0, AfxSig_wm, &afx::wm::NcMouse<&ThisClass::OnNcLButtonDown>},
#define ON_WM_NCLBUTTONDBLCLK() {WM_NCLBUTTONDBLCLK, 0, 0, 0, AfxSig_wm, &afx::wm::NcMouse<&ThisClass::OnNcLButtonDblClk>},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, AfxSig_wm, &afx::wm::GetDlgCode<&ThisClass::OnGetDlgCode>},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, 0, AfxSig_wm, &afx::wm::SysCommand<&ThisClass::OnSysCommand>},
#define ON_WM_MDIACTIVATE() {WM_MDIACTIVATE, 0, 0, 0, AfxSig_wm, &afx::wm::MDIActivate<&ThisClass::OnMDIActivate>},
#define ON_WM_PARENTNOTIFY() {WM_PARENTNOTIFY, 0, 0, 0, AfxSig_wm, &afx::wm::ParentNotify<&ThisClass::OnParentNotify>},
#define ON_WM_SETTINGCHANGE() {WM_SETTINGCHANGE, 0, 0, 0, AfxSig_wm, &afx::wm::SettingChange<&ThisClass::OnSettingChange>},
#define ON_WM_MENUSELECT() {WM_MENUSELECT, 0, 0, 0, AfxSig_wm, &afx::wm::MenuSelect<&ThisClass::OnMenuSelect>},
#define ON_WM_CTLCOLOR_REFLECT() {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, AfxSig_wm, &afx::wm::CtlColorReflect<&ThisClass::CtlColor>},
#define ON_WM_DRAWITEM_REFLECT() {WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, AfxSig_wm, &afx::wm::DrawItemReflect<&ThisClass::DrawItem>},
#define ON_WM_MEASUREITEM_REFLECT() {WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, AfxSig_wm, &afx::wm::MeasureItemReflect<&ThisClass::MeasureItem>},
#define ON_WM_HSCROLL_REFLECT() {WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, AfxSig_wm, &afx::wm::ScrollReflect<&ThisClass::HScroll>},
#define ON_WM_VSCROLL_REFLECT() {WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, AfxSig_wm, &afx::wm::ScrollReflect<&ThisClass::VScroll>},
