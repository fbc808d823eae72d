#include "app/shell/app_reports.h"

#include <vector>

#include "app/ui/msg_box.h"
#include "app/ui/shell_messages.h"

int ShowFieldMessageInBox(HWND owner, const UiMessage& message) {
  std::vector<UiArg> args;
  args.reserve(message.args.size());
  for (const std::string& a : message.args) args.emplace_back(std::string_view(a));
  const MsgBoxStyle style = MsgBoxStyleOf(message.style);
  return UiMessageBoxArgs(CWnd::FromHandle(owner), static_cast<int>(message.id), style.buttons, false, args.data(),
                          args.size());
}

void ShowSystemMessageInBox(const char* text, const char* caption) {
  ShowMsgBoxDlg(nullptr, AString(text ? text : ""), kMsgBoxOk, 0, -1, AString(caption ? caption : ""));
}
