// The "..." actions of the prompt rows that open dialogs of their own, as
// the list's button callback. The database record selection and the
// MaxiCode message are built here; the long-text input and the application
// identifiers come from the dialogs above the data sources, which the
// program installs (without them those buttons do nothing).
#pragma once

#include "datasource/ui/prompt/prompt_item.h"
#include "platform/framework.h"

struct PromptRowDialogs {
  // Each runs its dialog for the row over the parent; IDOK when the row
  // (or its field) took a new value.
  int (*longText)(CWnd* parent, CPromptItem& row) = nullptr;
  int (*applicationIdentifiers)(CWnd* parent, CPromptItem& row) = nullptr;
};

// Installs the table (null removes it); it must outlive its use.
void SetPromptRowDialogs(const PromptRowDialogs* dialogs);
const PromptRowDialogs* GetPromptRowDialogs();

// Runs the row's dialog over the window that holds its list; IDOK when the
// row changed (the list is then redrawn), else IDCANCEL. A record selection
// shows "Records:%d,Qty:%d" in its row and sets the print dialog's quantity
// edit (id 1238) beside the list: several records fix the quantity to the
// largest selection's labels; one record raises it to its labels.
int RunPromptRowAction(CPromptItem& row);
