// The default dialog procedure: the dialog procedure first, then what every
// dialog does (background, colours, Close as Cancel, the default button, the
// focus kept over deactivation, the font).
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/controls/controls.h"
#include "platform/user/window_internal.h"

namespace dialogs {
namespace {

// Messages whose answer the dialog procedure returns itself rather than
// through DWLP_MSGRESULT (DialogProc, public documentation).
bool AnswersDirectly(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_INITDIALOG ||
         message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
         message == WM_QUERYDRAGICON;
}

LRESULT ControlColour(HDC dc, int background) {
  SetBkColor(dc, GetSysColor(background));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void NextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
  HWND target = nullptr;
  if (LOWORD(static_cast<DWORD_PTR>(lParam))) target = reinterpret_cast<HWND>(wParam);
  else target = GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
  if (target && IsChild(dialog, target)) SetDialogFocus(dialog, target);
}

// The focus comes back to the control that had it, or, in a dialog on the
// screen, to the first tab stop (a dialog still being made keeps the focus
// where its initialisation put it); which button is the default did not
// change while the dialog was inactive.
void RestoreFocus(HWND dialog, DialogState* s) {
  if (s && s->ended) return;  // an ended dialog keeps the focus on itself while it goes
  HWND target = nullptr;
  if (s && s->focus && IsWindow(s->focus) && IsChild(dialog, s->focus)) target = s->focus;
  else if (IsWindowVisible(dialog)) target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (target) SetFocus(target);
}

LRESULT DefaultHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogState* s = StateOf(dialog);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(dialog, &r);
      const HDC dc = reinterpret_cast<HDC>(wParam);
      HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageW(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
      FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
      return 1;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: return ControlColour(reinterpret_cast<HDC>(wParam), COLOR_3DFACE);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: return ControlColour(reinterpret_cast<HDC>(wParam), COLOR_WINDOW);
    case WM_CLOSE: {
      const HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
      }
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_NEXTDLGCTL: NextControl(dialog, wParam, lParam); return 0;
    case DM_GETDEFID:
      return s && s->defaultId ? static_cast<LRESULT>(MAKEWPARAM(s->defaultId, DC_HASDEFID)) : 0;
    case DM_SETDEFID:
      if (s) {
        const HWND old = s->defaultId ? GetDlgItem(dialog, s->defaultId) : nullptr;
        if (old) SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        s->defaultId = static_cast<WORD>(wParam);
        const HWND now = GetDlgItem(dialog, static_cast<int>(wParam));
        if (now && (SendMessageW(now, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
          SendMessageW(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
      }
      return TRUE;
    case WM_SETFOCUS: RestoreFocus(dialog, s); return 0;
    case WM_ACTIVATE:
      if (LOWORD(static_cast<DWORD_PTR>(wParam)) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (s && focus && IsChild(dialog, focus)) s->focus = focus;
      } else {
        RestoreFocus(dialog, s);
      }
      return 0;
    case WM_SHOWWINDOW:
      if (wParam && s && s->focus && IsWindow(s->focus) && GetFocus() != s->focus) SetFocus(s->focus);
      return DefWindowProcW(dialog, message, wParam, lParam);
    case WM_SETFONT:
      if (s) s->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT: return s ? reinterpret_cast<LRESULT>(s->font) : 0;
    case WM_DESTROY:
      // The window's data is out of reach once WM_NCDESTROY starts.
      DetachState(dialog);
      return DefWindowProcW(dialog, message, wParam, lParam);
    default: return DefWindowProcW(dialog, message, wParam, lParam);
  }
}

const bool installed = SetSystemClassProcedure(u"#32770", DefDlgProcW, -1) != FALSE;

}  // namespace
}  // namespace dialogs

using namespace dialogs;

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
  if (proc) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
    // A dialog made by an A call has an A procedure: its text comes in the
    // thread's ANSI code page.
    const DialogState* s = StateOf(dialog);
    const INT_PTR handled = s && s->ansiProc ? user::CallProcW(proc, false, dialog, message, wParam, lParam)
                                             : proc(dialog, message, wParam, lParam);
    if (!IsWindow(dialog)) return handled;
    if (handled) return AnswersDirectly(message) ? handled : GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
    if (message == WM_INITDIALOG) return 0;
  }
  return DefaultHandling(dialog, message, wParam, lParam);
}

LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcW(dialog, message, wParam, lParam);
}
