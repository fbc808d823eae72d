// The Options menu's Text Files and Counter Files commands of the designer
// as the program starts it: enabled, opening their dialogs over the folders
// of the settings under the "<title> - <folder>" caption; a counter deleted
// in the dialog is gone from the folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/core/app_settings.h"
#include "app/frame/frame_ids.h"
#include "datasource/ui/files/files_ids.h"
#include "designer_fixture.h"
#include "program/compose/program_services.h"

namespace {

using programtest::DesignerTest;
using programtest::ShownDialog;

class DataFileCommands : public DesignerTest {
 protected:
  void SetUp() override {
    WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=0\n");
    ASSERT_TRUE(StartProgram({}));
  }
  // The state of a command in the main frame's Options menu, as the frame
  // updates it when the menu opens.
  UINT MenuState(UINT command) {
    HMENU bar = ::GetMenu(MainWindow());
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
      HMENU popup = ::GetSubMenu(bar, i);
      if (::GetMenuState(popup, command, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
      ::SendMessageA(MainWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), i);
      return ::GetMenuState(popup, command, MF_BYCOMMAND);
    }
    return static_cast<UINT>(-1);
  }
};

TEST_F(DataFileCommands, BothCommandsAreInTheMenuAndEnabled) {
  EXPECT_TRUE(MissingProgramServices().empty());
  for (UINT command : {ID_TEXT_FILES, ID_COUNTER_FILES}) {
    const UINT state = MenuState(command);
    ASSERT_NE(state, static_cast<UINT>(-1)) << command << " is in a menu";
    EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED), 0u) << command;
  }
}

TEST_F(DataFileCommands, CounterFilesOpensOverTheSettingsFolder) {
  const std::string folder = AppSettings().Folder(SettingsFolder::CounterFiles).GetData();
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "serial.cntr", std::ios::binary) << std::string("CNTR0001\x01\0\0\0" "7\0\0\0\0", 17);
  std::string caption, shownValue;
  picture = "counter_files_command.png";
  act = [&](const ShownDialog& dialog) {
    if (caption.empty()) {
      caption = dialog.caption;
      HWND value = ::GetDlgItem(dialog.window, IDC_COUNTER_VALUE_SHOW);
      char text[32] = {};
      ::GetWindowTextA(value, text, sizeof text);
      shownValue = text;
      programtest::Press(dialog, IDC_FILE_DELETE);  // asks first
      programtest::Press(dialog, IDOK);
      return;
    }
    programtest::Press(dialog, IDYES);
  };
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_COUNTER_FILES, 0);
  Pump();
  EXPECT_EQ(caption, "Counter Files - " + folder);
  EXPECT_EQ(shownValue, "7");
  EXPECT_FALSE(std::filesystem::exists(folder + "serial.cntr"));
}

TEST_F(DataFileCommands, TextFilesOpensOverTheSettingsFolder) {
  const std::string folder = AppSettings().Folder(SettingsFolder::TextFiles).GetData();
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "names.txt") << "Ann,Bob";
  std::string caption;
  act = [&](const ShownDialog& dialog) {
    caption = dialog.caption;
    programtest::Press(dialog, IDOK);
  };
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_TEXT_FILES, 0);
  Pump();
  EXPECT_EQ(caption, "Text Files - " + folder);
}

}  // namespace
