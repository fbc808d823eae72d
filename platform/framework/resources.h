// Which module the framework loads its resources from (menus, dialogs,
// strings, tool bars), and which module the program is.
#pragma once

#include "platform/kernel/types.h"

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE instance);
HINSTANCE AfxGetInstanceHandle();
