// The skin for a dialog that does not derive from the skinned bases (the
// layout code's own dialogs, which cannot know the shell): the same skin,
// attached once the dialog's controls exist and kept as long as its window.
// The dialog's procedure is wrapped to give the skin the messages the bases
// hand it (painting, the caption and its close button).
#pragma once

#include "app/ui/dialog_skin.h"
#include "platform/win.h"

// Attaches a skin to the dialog (nothing when it has one already or is no
// window). Returns 1 when the skin was attached, else 0.
int SkinPlainDialog(HWND dialog);
// The skin of a dialog skinned this way, or null.
CDialogSkin* PlainDialogSkin(HWND dialog);
