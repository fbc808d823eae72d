// What the main frame asks of the application it runs in. The program-wide
// flags come through the layout shell (document/layout_shell.h), which the
// application object implements; the rest through CFrameHost, which it also
// derives from. A running CWinApp that is neither (a test's) gets the plain
// answers of a designer started without switches.
#pragma once

#include "platform/framework.h"

class CFrameHost {
 public:
  virtual ~CFrameHost() = default;
  // Set once the program is shutting down.
  virtual bool IsExiting() const { return false; }
  // The help file the Help commands open (empty: none).
  virtual CString HelpFilePath() const { return CString(); }
  // The interface language changed: what follows it (the help file).
  virtual void OnUiLanguageChanged() {}
};

// The running application's answers, or the plain ones.
CFrameHost& FrameHost();
bool ReaderMode();
bool NoSaveMode();
bool StartingUp();
