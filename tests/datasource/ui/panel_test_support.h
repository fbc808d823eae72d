// What the tests of the data-source dialogs share: the shipped language
// files, a host window with a placeholder for the panel, the folder pictures
// go to, and the actions of a person on combos, boxes and buttons.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/ui/ui_language.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace dsui_test {

// The shipped language files in the given language for a scope; English after.
class Language {
 public:
  explicit Language(int language) {
    SetUiLanguageFolder(TAV_BUILD_DIR "/DvrUIetc/");
    SetUiLanguageFile(language);
    CreateUiFonts(true);
  }
  ~Language() {
    SetUiLanguageFile(kUiEnglish);
    CreateUiFonts(true);
  }
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;
};

inline std::string PicturePath(const std::string& name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/datasource";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder + "/" + name;
}

// A top-level window standing in for a data page: a placeholder control
// (id kPlaceholder) where the page puts the panel.
inline constexpr int kPlaceholder = 500;
HWND CreateHostPage(int width = 560, int height = 340);

// Chooses the item whose data is `data`, as a person picking it; false when
// there is none.
bool ChooseByData(HWND dialog, int id, LPARAM data);
// Chooses the item showing `text` (interface code page).
bool ChooseByText(HWND dialog, int id, const char* text);
// Replaces a box's text by typing (the focus on it, all selected first).
void TypeInto(HWND dialog, int id, const char* utf8);
void Click(HWND dialog, int id);
std::u16string ItemText(HWND dialog, int id);
std::u16string ItemTextOf(HWND window);
bool IsShown(HWND dialog, int id);
// The items of a combo, as UTF-8.
std::vector<std::string> ComboItems(HWND dialog, int id);
std::string ToUtf8(const std::u16string& text);

}  // namespace dsui_test

namespace dsui_test {

// Answers each modal dialog (message boxes included) as it comes up: the
// text of its statics is kept, then it ends with the given result.
class ModalAnswers {
 public:
  explicit ModalAnswers(int result = IDOK);
  ~ModalAnswers();
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;
  // Every text each dialog showed, joined by '|', one entry per dialog.
  std::vector<std::string> shown;

 private:
  static void Hook(HWND dialog, void* context);
  int result_;
};

}  // namespace dsui_test
