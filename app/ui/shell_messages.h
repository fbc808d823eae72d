// The designer's message box for callers that speak in the platform's
// MB_* button types (the layout code asks through its shell interface).
#pragma once

#include "platform/win.h"

// The box style and default choice of an MB_* type: MB_OK, MB_OKCANCEL,
// MB_YESNO and MB_YESNOCANCEL as they are; MB_RETRYCANCEL as OK/Cancel (the
// box closed by Escape answers 2); MB_DEFBUTTON2 makes the second button the
// default.
struct MsgBoxStyle {
  int buttons;
  int defaultChoice;
};
MsgBoxStyle MsgBoxStyleOf(UINT type);

// An English text, translated line by line, in the designer's box.
int ShowUiMessageText(const char* text, UINT type);
// Message n (its text looked up even in English) in the designer's box.
int ShowUiMessageNumber(int number, UINT type);
