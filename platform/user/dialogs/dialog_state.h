// What the dialog manager keeps for each dialog, beside the dialog procedure
// (DWLP_DLGPROC) and the message result (DWLP_MSGRESULT) in its extra bytes.
#pragma once

#include "platform/user/controls/controls.h"
#include "platform/user/dialogs/dialogs.h"

namespace dialogs {

struct DialogState {
  HFONT font = nullptr;
  bool ownsFont = false;
  SIZE baseUnits{};      // average character width and height of the font
  HWND focus = nullptr;  // the control that has (or gets back) the focus
  WORD defaultId = 0;    // set by DM_SETDEFID; 0: the template's default button
  bool ended = false;
  INT_PTR result = 0;
  bool ansiProc = false;  // made by an A call: its procedure hears A messages
  HMENU menu = nullptr;   // the template's menu, loaded for the dialog and destroyed with it
};

// Null for a window that is not a dialog.
DialogState* StateOf(HWND dialog);
DialogState* AttachState(HWND dialog);
void DetachState(HWND dialog);

// Moves the focus to control as the dialog manager does: the default push
// button follows the focus, an edit control's text is selected.
void SetDialogFocus(HWND dialog, HWND control);
// The id of the default button (DM_GETDEFID's low word), or 0.
WORD DefaultButtonId(HWND dialog);

}  // namespace dialogs
