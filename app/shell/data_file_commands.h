// The dialogs of the data files (text data files, counter files) and of
// the likely-used data sources that the application's commands open. They belong to the data-source layer above
// the shell, so the program installs them here; without them the commands
// stay disabled.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

struct DataFileDialogs {
  // Each runs its dialog modally over the folder with the caption; 1 when a
  // file was added, changed or deleted.
  int (*runTextFiles)(CWnd* parent, const AString& caption, const AString& folder) = nullptr;
  int (*runCounterFiles)(CWnd* parent, const AString& caption, const AString& folder) = nullptr;
  // The likely-used data sources the database combos offer first; 1 when
  // the list was changed.
  int (*runLikelyDatabases)(CWnd* parent) = nullptr;
};

// Installs the table (null removes it); it must outlive its use.
void SetDataFileDialogs(const DataFileDialogs* dialogs);
const DataFileDialogs* GetDataFileDialogs();

// "<translated title> - <folder>", the caption the commands give the dialogs.
AString DataFileDialogCaption(const char* title, const AString& folder);
