// The printer a new layout starts with: the last one used, kept in the
// profile's "Config" section.
#pragma once

#include "fields/services/label_setup.h"

// Reads name, port, model, the system-printer flag and the resolutions into
// the setup; a named printer without both resolutions is asked for them.
// 1 when name, model and port are all set and the resolutions known.
int ReadLastPrinter(CLabelSetup& setup);
// Writes the six keys; 1 when all were written.
int WriteLastPrinter(const char* name, const char* port, const char* model, int isSysPrinter, int dpiX, int dpiY);
