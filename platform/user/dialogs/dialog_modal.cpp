// Modal dialogs: the owner is disabled, a nested message loop runs through
// the dialog manager until EndDialog, then the owner is enabled again.
#include "platform/resource/resource_internal.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/dialog_state.h"

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

INT_PTR RunModal(HWND dialog, int filter) {
  const HWND owner = GetWindow(dialog, GW_OWNER);
  const bool disableOwner = owner && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  if (!StateOf(dialog)->ended) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
  }
  Hook& hook = TheHook();
  if (hook.hook && !StateOf(dialog)->ended) {
    const Hook once = hook;
    hook = {};  // a hook answers one dialog
    once.hook(dialog, once.context);
  }
  bool quit = false;
  WPARAM quitCode = 0;
  while (IsWindow(dialog) && !StateOf(dialog)->ended) {
    MSG msg;
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
  if (disableOwner) EnableWindow(owner, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));  // the outer loop sees it too
  return result;
}

}  // namespace dialogs

using namespace dialogs;

void user::SetModalDialogHook(ModalDialogHook hook, void* context) { TheHook() = {hook, context}; }

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  const HWND dialog = CreateDialogIndirectParamW(instance, dialogTemplate, owner, proc, param);
  return dialog ? RunModal(dialog) : -1;
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  const HWND dialog = CreateDialogIndirectParamA(instance, dialogTemplate, owner, proc, param);
  return dialog ? RunModal(dialog) : -1;
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const HWND dialog = CreateDialogParamW(instance, name, owner, proc, param);
  return dialog ? RunModal(dialog) : -1;
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const HWND dialog = CreateDialogParamA(instance, name, owner, proc, param);
  return dialog ? RunModal(dialog) : -1;
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
  ShowWindow(dialog, SW_HIDE);
  PostMessageW(dialog, WM_NULL, 0, 0);  // wakes the modal loop
  return TRUE;
}
