// Messages of the field code: a message number and its arguments, shown by the
// program through a process hook that it must install (its composition root
// does). A message with no hook installed is a fault of the program: it is
// reported on the standard error stream, never dropped quietly. Tests that
// want the messages recorded install a recording hook of their own.
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

// Installs the program's hook (null removes it). Returns the old one.
UiMessageHook SetUiMessageHook(UiMessageHook hook);
// The hook installed, or null.
UiMessageHook GetUiMessageHook();
// Shows message `id` through the hook; returns the button pressed (IDOK
// when no hook is installed, after the fault is reported).
int UiMessageBox(HWND owner, UINT id, UINT style, std::vector<std::string> args = {});
