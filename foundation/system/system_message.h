// Messages the system helpers show to the user (a message box in the
// designer). The application installs the function that shows them; without
// one they go to the standard error stream.
#pragma once

#include "foundation/build.h"

FOUNDATION_BEGIN

using SystemMessageHandler = void (*)(const char* text, const char* caption);

// Installs the handler and returns the one installed before (null for none).
SystemMessageHandler SetSystemMessageHandler(SystemMessageHandler handler);
void ShowSystemMessage(const char* text, const char* caption);

FOUNDATION_END
