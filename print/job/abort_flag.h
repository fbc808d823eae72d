// The one process-wide "stop printing" flag: set by the status window's
// Abort button (on the print thread), by a refused overwrite and by a page
// that could not be made; read by the print job between pages. Atomic, so
// the two threads never race on it.
#pragma once

void SetPrintAbort();
void ClearPrintAbort();
bool IsPrintAborted();
