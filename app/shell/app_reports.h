// How the designer shows what its lower layers report: the field code's
// numbered messages and the system helpers' messages, each in the program's
// message box. The composition root installs both.
#pragma once

#include "fields/services/ui_messages.h"

// Message n of the language file with the message's arguments.
int ShowFieldMessageInBox(HWND owner, const UiMessage& message);
// The text as it stands, with its caption.
void ShowSystemMessageInBox(const char* text, const char* caption);
