// A layout shell for tests that want the layout code's messages recorded
// rather than shown: each message's text (a numbered one as "message N") is
// kept, oldest first, and answered with the message box's default answer;
// beeps are counted. Asked for by name: as the base of a test's application
// object, or installed as the stand-in shell for a scope.
#pragma once

#include <string>
#include <vector>

#include "document/layout_shell.h"

class RecordingLayoutShell : public CLayoutShell {
 public:
  int UiMessageBox(const char* text, UINT type) override { return Record(text ? text : "", type); }
  int ShowMsgBoxDlg(const char* text, UINT type) override { return Record(text ? text : "", type); }
  void Beep() override { ++beeps; }
  int UiMessageNumber(int number, UINT type) override { return Record("message " + std::to_string(number), type); }

  std::vector<std::string> shownMessages;
  int beeps = 0;

 private:
  int Record(std::string text, UINT type) {
    shownMessages.push_back(std::move(text));
    return DefaultMessageAnswer(type);
  }
};

// While it lives, the layout code without an application asks a recording
// shell (shell()).
class RecordedLayoutMessages {
 public:
  RecordedLayoutMessages() : previous_(SetStandInLayoutShell(&shell_)) {}
  ~RecordedLayoutMessages() { SetStandInLayoutShell(previous_); }
  RecordedLayoutMessages(const RecordedLayoutMessages&) = delete;
  RecordedLayoutMessages& operator=(const RecordedLayoutMessages&) = delete;
  RecordingLayoutShell& shell() { return shell_; }

 private:
  RecordingLayoutShell shell_;
  CLayoutShell* previous_;
};
