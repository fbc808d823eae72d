// The text files and counter files dialogs as the application's commands
// run them: over a folder, under a caption; 1 when a file changed.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

int RunTextFilesDialog(CWnd* parent, const AString& caption, const AString& folder);
int RunCounterFilesDialog(CWnd* parent, const AString& caption, const AString& folder);
