// MB_* types onto the designer's message box.
#include "app/ui/shell_messages.h"

#include "app/ui/msg_box.h"

MsgBoxStyle MsgBoxStyleOf(UINT type) {
  const UINT buttons = type & MB_TYPEMASK;
  const bool second = (type & MB_DEFMASK) == MB_DEFBUTTON2;
  switch (buttons) {
    case MB_YESNO:
      return {kMsgBoxYesNo, second ? IDNO : IDYES};
    case MB_YESNOCANCEL:
      return {kMsgBoxYesNoCancel, second ? IDNO : IDYES};
    case MB_OKCANCEL:
    case MB_RETRYCANCEL:
      return {kMsgBoxOkCancel, second ? IDCANCEL : IDOK};
    default:
      return {kMsgBoxOk, -1};
  }
}

int ShowUiMessageText(const char* text, UINT type) {
  const MsgBoxStyle style = MsgBoxStyleOf(type);
  return ShowMsgBoxDlg(nullptr, AString(text ? text : ""), style.buttons, 0, style.defaultChoice);
}

int ShowUiMessageNumber(int number, UINT type) {
  const MsgBoxStyle style = MsgBoxStyleOf(type);
  return UiMessageBoxEx(nullptr, number, style.buttons, 0, style.defaultChoice);
}
