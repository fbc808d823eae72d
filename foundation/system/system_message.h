// Messages the system helpers show to the user: a message box in the
// designer, the standard error stream in a console program. The program's
// composition root installs the function that shows them; without one they
// go to the standard error stream, the only place a program without a
// handler has.
#pragma once

#include "foundation/build.h"

FOUNDATION_BEGIN

using SystemMessageHandler = void (*)(const char* text, const char* caption);

// Installs the handler and returns the one installed before (null for none).
SystemMessageHandler SetSystemMessageHandler(SystemMessageHandler handler);
// The handler installed, or null.
SystemMessageHandler GetSystemMessageHandler();
void ShowSystemMessage(const char* text, const char* caption);

FOUNDATION_END
