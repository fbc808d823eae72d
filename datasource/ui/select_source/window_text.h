// A control's text as UTF-8 (the driver manager's and the drivers' text),
// with the UTF-16 copy it was read through overwritten: passwords pass here.
#pragma once

#include <string>

#include "platform/win.h"

std::string WindowTextUtf8(HWND window);
