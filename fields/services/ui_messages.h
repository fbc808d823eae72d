// Messages of the field code: a message number and its arguments, shown by the
// application shell through a process hook. Until the shell installs one, the
// messages are only recorded, so tests read what would have been shown.
#pragma once

#include <string>
#include <vector>

#include "platform/kernel/types.h"


// Message numbers of the barcode data checks.
enum UiMessageId : UINT {
  kMsgDataEmpty = 50050,           // argument: the translated word "Data"
  kMsgInvalidCharacter = 50051,    // argument: the refused character
  kMsgInvalidLength = 50052,       // arguments: the length, the valid lengths
  kMsgPartLengthRange = 50068,     // arguments: part name, minimum, maximum
  kMsgPostalCodeLength = 50070,    // arguments: part name, 9 or 6
  kMsgPartLength = 50071,          // arguments: part name, length
  kMsgAddressValidation = 50072,   // part 9 must be "Y" or "N"
};

struct UiMessage {
  UINT id = 0;
  UINT style = 0;
  std::vector<std::string> args;
};

using UiMessageHook = int (*)(HWND owner, const UiMessage& message);

// Installs the shell's hook (null: record only). Returns the old one.
UiMessageHook SetUiMessageHook(UiMessageHook hook);
// Shows message `id`; returns the button pressed (1, OK, when only recorded).
int UiMessageBox(HWND owner, UINT id, UINT style, std::vector<std::string> args = {});
// The messages shown since the last call, oldest first (the list is emptied).
std::vector<UiMessage> TakeUiMessages();
