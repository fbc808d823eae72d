// Message sequences of creating, showing and ending dialogs, asserted exactly
// as tables of names. The scenarios are those of the message-sequence driver
// (user_reference/sequence_driver.cpp): a template in memory with a font, two
// logging controls (the first a tab stop, neither a button) and a default
// push button; the dialog procedure logs what it hears.
//
// Where each row comes from:
// - "If the DS_SETFONT style is specified, the system sends WM_SETFONT to the
//   dialog box and to each control as it creates it" (DLGTEMPLATE); each
//   control is created with WS_EX_NOPARENTNOTIFY, so the dialog hears no
//   WM_PARENTNOTIFY.
// - WM_INITDIALOG is "sent to the dialog box procedure immediately before a
//   dialog box is displayed"; returning TRUE gives the focus to the control
//   in wParam, the first tab stop. A template with WS_VISIBLE is shown after
//   that (CreateDialogIndirectParam).
// - DialogBox disables the owner, and EnableWindow sends WM_CANCELMODE to a
//   window being disabled; EndDialog enables the owner again before the
//   dialog goes, so the owner is activated.
// - The reference implementation of the interface settles what the
//   documentation leaves open (sequence_reference_test.cpp compares every row
//   under wine): a WM_GETDLGCODE to each control after its WM_SETFONT, one to
//   the control taking the first focus, the dialog activated by that focus
//   even while hidden, a modal dialog shown only once its queue first runs
//   dry (here WM_INITDIALOG posted WM_APP, which ends it first), and the
//   focus given to the dialog itself before it is hidden when it ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/user_reference/sequence_driver.h"

namespace {

using Rows = std::vector<std::string>;

Rows operator+(Rows a, const Rows& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Each control: created (a child of a hidden dialog only hears
// WM_SHOWWINDOW), given the font, asked for its dialog code.
Rows Controls() {
  Rows rows;
  for (const char* item : {"item101", "item102"})
    for (const char* m : {"WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_SIZE", "WM_MOVE", "WM_SHOWWINDOW",
                          "WM_SETFONT", "WM_GETDLGCODE"})
      rows.push_back(std::string(item) + " " + m);
  return rows;
}

// A shown, active overlapped owner.
const Rows kOwner{
    "owner WM_GETMINMAXINFO", "owner WM_NCCREATE",     "owner WM_NCCALCSIZE",
    "owner WM_CREATE",        "owner WM_SHOWWINDOW",   "owner WM_WINDOWPOSCHANGING",
    "owner WM_ACTIVATEAPP",   "owner WM_NCACTIVATE",   "owner WM_ACTIVATE",
    "owner WM_SETFOCUS",      "owner WM_WINDOWPOSCHANGED", "owner WM_SIZE",
    "owner WM_MOVE",
};

const Rows kDestroyDialog{
    "dlg WM_DESTROY",     "item101 WM_DESTROY",    "item102 WM_DESTROY",
    "item101 WM_NCDESTROY", "item102 WM_NCDESTROY", "dlg WM_NCDESTROY",
};

struct Case {
  const char* scenario;
  Rows rows;
};

std::vector<Case> Cases() {
  return {
      {"create_hidden_dialog",
       Rows{"dlg WM_SETFONT"} + Controls() +
           Rows{"dlg WM_INITDIALOG", "item101 WM_GETDLGCODE",  // the first tab stop takes the focus:
                "dlg WM_ACTIVATEAPP", "dlg WM_NCACTIVATE", "dlg WM_ACTIVATE", "item101 WM_SETFOCUS",
                "-- destroy",  // hidden, but active: deactivated, then destroyed
                "dlg WM_NCACTIVATE", "dlg WM_ACTIVATE", "dlg WM_ACTIVATEAPP", "item101 WM_KILLFOCUS"} +
           kDestroyDialog},
      {"create_visible_dialog",
       Rows{"dlg WM_SETFONT"} + Controls() +
           Rows{"dlg WM_INITDIALOG", "item101 WM_GETDLGCODE", "dlg WM_ACTIVATEAPP", "dlg WM_NCACTIVATE",
                "dlg WM_ACTIVATE", "item101 WM_SETFOCUS",
                "dlg WM_SHOWWINDOW", "dlg WM_WINDOWPOSCHANGING", "dlg WM_WINDOWPOSCHANGED",  // then shown
                "-- destroy", "dlg WM_WINDOWPOSCHANGING", "dlg WM_WINDOWPOSCHANGED", "dlg WM_NCACTIVATE",
                "dlg WM_ACTIVATE", "dlg WM_ACTIVATEAPP", "item101 WM_KILLFOCUS"} +
           kDestroyDialog},
      {"create_dialog_of_an_owner",
       kOwner + Rows{"-- dialog", "dlg WM_SETFONT"} + Controls() +
           Rows{"dlg WM_INITDIALOG", "item101 WM_GETDLGCODE", "owner WM_NCACTIVATE", "owner WM_ACTIVATE",
                "dlg WM_NCACTIVATE", "dlg WM_ACTIVATE", "owner WM_KILLFOCUS", "item101 WM_SETFOCUS",
                "dlg WM_SHOWWINDOW", "dlg WM_WINDOWPOSCHANGING", "dlg WM_WINDOWPOSCHANGED",
                "-- destroy",  // the owner is active again
                "dlg WM_WINDOWPOSCHANGING", "dlg WM_WINDOWPOSCHANGED", "dlg WM_NCACTIVATE", "dlg WM_ACTIVATE",
                "owner WM_NCACTIVATE", "owner WM_ACTIVATE", "item101 WM_KILLFOCUS", "owner WM_SETFOCUS"} +
           kDestroyDialog +
           Rows{"owner WM_WINDOWPOSCHANGING", "owner WM_WINDOWPOSCHANGED", "owner WM_NCACTIVATE",
                "owner WM_ACTIVATE", "owner WM_ACTIVATEAPP", "owner WM_KILLFOCUS", "owner WM_DESTROY",
                "owner WM_NCDESTROY"}},
      {"modal_dialog",
       kOwner +
           Rows{"-- modal", "owner WM_CANCELMODE", "owner WM_KILLFOCUS", "owner WM_ENABLE",  // the owner disabled
                "dlg WM_SETFONT"} +
           Controls() +
           Rows{"dlg WM_INITDIALOG", "item101 WM_GETDLGCODE", "owner WM_NCACTIVATE", "owner WM_ACTIVATE",
                "dlg WM_NCACTIVATE", "dlg WM_ACTIVATE", "item101 WM_SETFOCUS",
                "dlg WM_APP",  // the loop runs what was posted before it shows the dialog; EndDialog:
                "owner WM_ENABLE", "item101 WM_KILLFOCUS", "dlg WM_SETFOCUS",
                "dlg WM_WINDOWPOSCHANGING",  // hidden already: nothing changes, no WM_WINDOWPOSCHANGED
                "dlg WM_NCACTIVATE", "dlg WM_ACTIVATE", "owner WM_NCACTIVATE", "owner WM_ACTIVATE",
                "dlg WM_KILLFOCUS", "owner WM_SETFOCUS"} +
           kDestroyDialog +
           Rows{"-- destroy", "owner WM_WINDOWPOSCHANGING", "owner WM_WINDOWPOSCHANGED", "owner WM_NCACTIVATE",
                "owner WM_ACTIVATE", "owner WM_ACTIVATEAPP", "owner WM_KILLFOCUS", "owner WM_DESTROY",
                "owner WM_NCDESTROY"}},
  };
}

TEST(DialogSequence, CreatingShowingAndEndingDialogs) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.scenario);
    EXPECT_EQ(seqdriver::RunScenario(c.scenario).rows, c.rows);
  }
}

}  // namespace
