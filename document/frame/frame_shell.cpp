// The layout shell's defaults for layout windows.
#include "document/layout_shell.h"
#include "platform/win.h"

HBRUSH CLayoutShell::RulerBackgroundBrush() { return GetSysColorBrush(COLOR_BTNFACE); }
