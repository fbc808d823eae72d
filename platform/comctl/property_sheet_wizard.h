// The wizard form of the property sheet (property_sheet_wizard.cpp).
#pragma once

#include "platform/comctl/property_sheet_internal.h"
#include "platform/user/dialogs/template_writer.h"

namespace comctl {

// Back, Next, Finish, Cancel (and Help) and the line above them.
void AddWizardButtons(dialogs::TemplateWriter& t, const Sheet& s);
// Places the pages' area (sizes in pixels) and the buttons; the tab control hides.
void LayOutWizard(HWND sheet, Sheet& s, RECT pageSize, RECT margin, RECT button, RECT gap);
// What the wizard needs under its pages' area, in pixels.
int WizardHeightBelowPages(RECT margin, RECT button);
// Shows, hides and enables the buttons as PSM_SETWIZBUTTONS and PSM_SETFINISHTEXT asked.
void ShowWizardButtons(HWND sheet, const Sheet& s);
// Shows the first page that accepts, from the start page on.
bool StartWizard(HWND sheet, Sheet& s);
// Back, Next and Finish; false for other commands.
bool WizardCommand(HWND sheet, Sheet& s, int id);
// PSM_SETWIZBUTTONS, PSM_SETFINISHTEXT and PSM_PRESSBUTTON's wizard buttons;
// false when the message is not the wizard's.
bool WizardMessage(HWND sheet, Sheet& s, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

}  // namespace comctl
