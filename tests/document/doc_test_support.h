// What the document tests share: a temporary folder that goes away, an
// application that answers the layout code's questions from a script, and
// small file helpers.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "document/layout_shell.h"
#include "tests/document/recording_layout_shell.h"
#include "platform/framework.h"

namespace doc_test {

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/tav_doc_XXXXXX";
    path_ = mkdtemp(name) ? name : "";
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  // The names of the files in the folder.
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) names.insert(e.path().filename().string());
    return names;
  }

 private:
  std::string path_;
};

inline std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// Runs a shell command; its standard output.
inline std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

// The running application while a test lives: no profile (the settings'
// defaults), save names and question answers from a script, messages
// recorded, and optionally another program folder.
class ScriptedApp : public CWinApp, public RecordingLayoutShell {
 public:
  ScriptedApp() : CWinApp("TavDocumentTest") {}
  AString GetProfileString(const char*, const char*, const char* d) override { return AString(d ? d : ""); }
  int GetProfileInt(const char*, const char*, int d) override { return d; }
  bool WriteProfileString(const char*, const char*, const char*) override { return true; }
  bool WriteProfileInt(const char*, const char*, int) override { return true; }
  int PromptSaveFileName(AString& path) override {
    if (saveNames.empty()) return IDCANCEL;
    path = AString(saveNames.front().c_str());
    saveNames.pop_front();
    return IDOK;
  }
  int UiMessageBox(const char* text, UINT type) override { return Answer(text, type); }
  int ShowMsgBoxDlg(const char* text, UINT type) override { return Answer(text, type); }
  AString ProgramFolder() override {
    return programFolder.empty() ? CLayoutShell::ProgramFolder() : AString((programFolder + "/").c_str());
  }
  bool Shown(const std::string& text) const {
    for (const auto& m : shownMessages) {
      if (m == text) return true;
    }
    return false;
  }

  std::deque<std::string> saveNames;
  std::deque<int> answers;  // for questions; the default answer when empty
  std::string programFolder;

 private:
  int Answer(const char* text, UINT type) {
    shownMessages.emplace_back(text);
    const UINT buttons = type & MB_TYPEMASK;
    if (buttons != MB_OK && !answers.empty()) {
      const int a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
  }
};

}  // namespace doc_test
