// The designer started by the program's own start-up (the composition root,
// then the application object) in this process, headless, in the shell
// tests' folders; every modal dialog goes through a script of the test's.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "designer_app_fixture.h"
#include "program/designer/designer_start.h"

namespace programtest {

// What a modal dialog showed: its window, its caption and, for the
// program's message box, its text.
struct ShownDialog {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  std::vector<int> buttons;  // the visible ones of IDOK, IDYES, IDNO, IDCANCEL
};

class DesignerTest : public apptest::DesignerAppTest {
 protected:
  DesignerTest();
  ~DesignerTest() override;

  bool StartProgram(const std::vector<std::string>& arguments);
  void StopProgram();
  void Pump();
  CLabelDesignerApp& App() { return *designer.app; }
  HWND MainWindow() const;

  // Every modal dialog while the test runs: recorded, a picture of it saved
  // under pictures/program/ (when picture is set), then handed to `act`,
  // which ends it or leaves it running; without one it ends with IDOK.
  std::vector<ShownDialog> shown;
  std::function<void(const ShownDialog&)> act;
  std::string picture;

  StartedDesigner designer;

 private:
  static void Hook(HWND dialog, void* context);
};

std::string PicturePath(const std::string& name);
// Presses a button of a dialog as a person would (the program's message box
// takes its answer from the button, not from how the dialog ended).
void Press(const ShownDialog& dialog, int button);

}  // namespace programtest
