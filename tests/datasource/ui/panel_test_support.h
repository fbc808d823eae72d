// What the tests of the data-source dialogs share: a host window with a placeholder for the panel, the folder pictures
// go to, and the actions of a person on combos, boxes and buttons.
#pragma once

// The language files the build writes, for the shell's dialog fixtures.
#ifndef TAV_UI_LANGUAGE_DIR
#define TAV_UI_LANGUAGE_DIR TAV_BUILD_DIR "/DvrUIetc/"
#endif
#include "../../app/dialog_script.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace dsui_test {

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
// The items of a list box or combo (by its count, length and text
// messages), as UTF-8.
std::vector<std::string> ListItems(HWND dialog, int id, UINT countMessage, UINT lengthMessage, UINT textMessage);
std::vector<std::string> ComboItems(HWND dialog, int id);
std::string ToUtf8(const std::u16string& text);

}  // namespace dsui_test

namespace dsui_test {

// Every text a dialog shows: its caption, its controls' texts and, for a
// message box, the message it draws itself; joined by '|'.
std::string ShownText(HWND dialog);

}  // namespace dsui_test
