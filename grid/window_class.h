// Registering the window classes of the grid's own windows (the grid and its
// title tip): once per process, with the default window procedure (the
// framework attaches the objects), the arrow cursor and a system colour.
#pragma once

#include "platform/win.h"

// True when the class exists or was registered; a failed registration
// throws the framework's resource exception.
bool RegisterWindowClassOnce(const char* name, UINT style, int backgroundColour);
