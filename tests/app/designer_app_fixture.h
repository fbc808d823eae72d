// The designer's application object started in the test's process, in
// folders of the test's own ($XDG_CONFIG_HOME, $XDG_DATA_HOME and
// $XDG_RUNTIME_DIR under one temporary folder), with a plain text document
// standing for layouts, every message box answered and recorded.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/label_designer_app.h"
#include "app_test_util.h"

namespace apptest {

// A document that holds a file's text; it stands for a layout in the
// shell's tests (the shell opens, lists and closes documents, whatever they hold).
class CTextStandInDoc : public CDocument {
  DECLARE_DYNCREATE(CTextStandInDoc)

 public:
  BOOL OnOpenDocument(const char* path) override;
  std::string m_text;
};

class CTextStandInView : public CView {
  DECLARE_DYNCREATE(CTextStandInView)

 public:
  void OnDraw(CDC* dc) override;
};

class CTestDesignerApp : public CLabelDesignerApp {
 public:
  // The designer's own layout documents and design views, or the stand-in.
  bool realLayouts = false;
  void AddLayoutTemplate() override;
  void PumpAll();
};

// Answers every modal dialog with its default and keeps its text.
class BoxAnswers {
 public:
  BoxAnswers();
  ~BoxAnswers();
  std::vector<std::string> seen;
  // The button each box is ended with; 0 leaves the box running (its own
  // loop, or whatever ends it, decides).
  int answer = IDOK;
  // Runs when a box shows, before its loop.
  std::function<void()> onShow;

 private:
  static void Hook(HWND dialog, void* context);
};

// The current folder changed for a scope.
class InFolder {
 public:
  explicit InFolder(const std::string& folder);
  ~InFolder();

 private:
  std::string old_;
};

class DesignerAppTest : public testing::Test {
 protected:
  DesignerAppTest();
  ~DesignerAppTest() override;

  // Starts the application with these arguments; InitInstance's result.
  bool Start(const std::vector<std::string>& arguments);
  // Closes the main frame, runs exit and deletes the application.
  void Stop();

  std::string ConfigFolder() const { return temp / "config/Zorvik"; }
  std::string DataFolder() const { return temp / "share/Zorvik/"; }
  std::string ProfilePath() const;
  void WriteProfile(const std::string& body) const;
  std::string Config(const char* key) const;
  std::vector<std::string> ConfigKeysByPython() const;
  std::string WriteLayout(const std::string& name, const std::string& text) const;
  std::vector<std::string> OpenPaths() const;
  static int Mode(const std::string& path);
  static void Age(const std::string& path, int hours);

  // Whose profile ProfilePath and Config mean: this test program's, or the
  // tavrendel program's when the test runs that.
  std::string profileProgram = ExecutableName();
  TempFolder temp;
  ScopedEnv config, data, runtime, lang, all, messages, display;
  BoxAnswers boxes;
  bool realLayouts = false;  // for the next Start
  std::unique_ptr<CTestDesignerApp> app;
};

}  // namespace apptest
