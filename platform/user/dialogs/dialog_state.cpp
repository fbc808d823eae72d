// The dialog manager's per-dialog state, kept as a window property.
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/menus/menus.h"

namespace dialogs {
namespace {
constexpr char16_t kStateProperty[] = u"TavDialogState";
}

DialogState* StateOf(HWND dialog) { return static_cast<DialogState*>(GetPropW(dialog, kStateProperty)); }

DialogState* AttachState(HWND dialog) {
  if (DialogState* s = StateOf(dialog)) return s;
  auto* s = new DialogState;
  SetPropW(dialog, kStateProperty, s);
  return s;
}

void DetachState(HWND dialog) {
  DialogState* s = StateOf(dialog);
  if (!s) return;
  RemovePropW(dialog, kStateProperty);
  if (s->ownsFont && s->font) DeleteObject(s->font);
  if (s->menu && IsMenu(s->menu)) DestroyMenu(s->menu);
  delete s;
}

namespace {

bool IsPushButton(HWND w, LRESULT code) { return w && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)); }

HWND CurrentDefaultButton(HWND dialog) {
  for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (SendMessageW(w, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return w;
  return nullptr;
}

void SetButtonDefault(HWND button, bool isDefault) {
  SendMessageW(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace

WORD DefaultButtonId(HWND dialog) {
  const LRESULT r = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  return HIWORD(static_cast<DWORD_PTR>(r)) == DC_HASDEFID ? LOWORD(static_cast<DWORD_PTR>(r)) : 0;
}

void SetDialogFocus(HWND dialog, HWND control) {
  if (!control) return;
  const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
  const HWND oldDefault = CurrentDefaultButton(dialog);
  if (IsPushButton(control, code)) {
    // The focused push button is the default while it has the focus.
    if (oldDefault && oldDefault != control) SetButtonDefault(oldDefault, false);
    if (!(code & DLGC_DEFPUSHBUTTON)) SetButtonDefault(control, true);
  } else {
    // Elsewhere the dialog's own default button is the default again.
    const WORD id = DefaultButtonId(dialog);
    const HWND own = id ? GetDlgItem(dialog, id) : nullptr;
    if (oldDefault && oldDefault != own) SetButtonDefault(oldDefault, false);
    if (own && own != oldDefault && IsPushButton(own, SendMessageW(own, WM_GETDLGCODE, 0, 0))) SetButtonDefault(own, true);
  }
  if (DialogState* s = StateOf(dialog)) s->focus = control;
  SetFocus(control);
  if (code & DLGC_HASSETSEL) SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace dialogs
