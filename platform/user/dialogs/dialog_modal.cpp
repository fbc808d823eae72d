// Modal dialogs: the owner is disabled before the dialog is made, a nested
// message loop runs through the dialog manager until EndDialog (the dialog
// shows when the loop first finds nothing waiting), then the owner is
// enabled again.
#include "platform/resource/resource_internal.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/window_internal.h"

namespace dialogs {
namespace {

struct Hook {
  user::ModalDialogHook hook = nullptr;
  void* context = nullptr;
};

Hook& TheHook() {
  thread_local Hook hook;  // each thread's modal loops
  return hook;
}

}  // namespace

HWND DisableModalOwner(HWND owner) {
  if (!owner || !IsWindow(owner)) return nullptr;
  if (const HWND root = GetAncestor(owner, GA_ROOT)) owner = root;
  if (!owner || !IsWindowEnabled(owner)) return nullptr;
  EnableWindow(owner, FALSE);
  return owner;
}

INT_PTR FailModal(HWND disabledOwner) {
  if (disabledOwner && IsWindow(disabledOwner)) EnableWindow(disabledOwner, TRUE);
  return -1;
}

INT_PTR RunModal(HWND dialog, HWND disabledOwner, int filter) {
  Hook& hook = TheHook();
  // The dialog shows when nothing waits in its queue: what its WM_INITDIALOG
  // posted is handled first.
  bool shown = false;
  auto show = [&] {
    shown = true;
    if (!IsWindowVisible(dialog)) {
      ShowWindow(dialog, SW_SHOWNORMAL);
      UpdateWindow(dialog);
    }
    if (hook.hook && IsWindow(dialog) && !StateOf(dialog)->ended) {
      const Hook once = hook;
      hook = {};  // a hook answers one dialog
      once.hook(dialog, once.context);
    }
  };
  bool quit = false;
  WPARAM quitCode = 0;
  while (IsWindow(dialog) && !StateOf(dialog)->ended) {
    MSG msg;
    if (!shown && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      show();
      continue;
    }
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (CallMsgFilterW(&msg, filter)) continue;  // a filter took it
    if (!IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  const INT_PTR result = IsWindow(dialog) && StateOf(dialog) ? StateOf(dialog)->result : -1;
  if (disabledOwner && IsWindow(disabledOwner)) EnableWindow(disabledOwner, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));  // the outer loop sees it too
  return result;
}

}  // namespace dialogs

using namespace dialogs;

void user::SetModalDialogHook(ModalDialogHook hook, void* context) { TheHook() = {hook, context}; }

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  const HWND disabled = DisableModalOwner(owner);
  const HWND dialog = CreateDialogIndirectParamW(instance, dialogTemplate, owner, proc, param);
  return dialog ? RunModal(dialog, disabled) : FailModal(disabled);
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  const HWND disabled = DisableModalOwner(owner);
  const HWND dialog = CreateDialogIndirectParamA(instance, dialogTemplate, owner, proc, param);
  return dialog ? RunModal(dialog, disabled) : FailModal(disabled);
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const HWND disabled = DisableModalOwner(owner);
  const HWND dialog = CreateDialogParamW(instance, name, owner, proc, param);
  return dialog ? RunModal(dialog, disabled) : FailModal(disabled);
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const HWND disabled = DisableModalOwner(owner);
  const HWND dialog = CreateDialogParamA(instance, name, owner, proc, param);
  return dialog ? RunModal(dialog, disabled) : FailModal(disabled);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogState* s = IsWindow(dialog) ? StateOf(dialog) : nullptr;
  if (!s) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  s->ended = true;
  s->result = result;
  // The owner is enabled before the dialog goes, so activation returns to it.
  const HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner) EnableWindow(owner, TRUE);
  // The focus leaves the controls for the dialog itself, the dialog moves
  // out of sight, and the owner (or another window) is activated.
  const HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus)) SetFocus(dialog);
  const bool wasActive = GetActiveWindow() == dialog;
  SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (wasActive && IsWindow(dialog)) {
    if (owner && IsWindowVisible(owner) && IsWindowEnabled(owner)) SetActiveWindow(owner);
    else if (user::WindowPtr w = user::FindWinQuiet(dialog)) user::ActivateOtherWindow(w);
  }
  PostMessageW(dialog, WM_NULL, 0, 0);  // wakes the modal loop
  return TRUE;
}
