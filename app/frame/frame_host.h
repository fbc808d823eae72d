// What the main frame asks of the application it runs in: the program-wide
// flags and the help file. The designer's application object derives from
// this class and answers for real; any other running CWinApp (a test's) gets
// the plain answers of a designer started without switches.
#pragma once

#include "platform/framework.h"

class CFrameHost {
 public:
  virtual ~CFrameHost() = default;
  // Reader mode: adding, pasting and typing refused, the frame's bars trimmed.
  virtual bool IsReaderMode() const { return false; }
  // "nosave": nothing of the session is written back at exit.
  virtual bool IsNoSave() const { return false; }
  // While start-up runs, the check for outside changes is skipped.
  virtual bool IsStartingUp() const { return false; }
  // Set once the program is shutting down.
  virtual bool IsExiting() const { return false; }
  // The help file the Help commands open (empty: none).
  virtual CString HelpFilePath() const { return CString(); }
};

// The running application's answers, or the plain ones.
const CFrameHost& FrameHost();
