// The options sheet "Configuration" (Default Settings...): its page edits a
// copy of the settings, which replaces them on OK; a changed interface
// language takes effect at once (fonts, menus, help) and is written to the
// profile straight away.
#pragma once

#include "platform/framework.h"

// The sheet's modal result.
INT_PTR RunOptionsSheet();
