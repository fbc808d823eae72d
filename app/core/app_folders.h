// Where the designer keeps things. The program folder (the executable's)
// holds only what ships; the profile, the workspace file and anything else
// written beside them go to the per-user configuration folder; the per-user
// data folder holds "WorkFiles/" and the data folders' defaults. Both per-user
// folders are private (0700).
#pragma once

#include <string>
#include <string_view>

inline constexpr const char* kVendorFolder = "Zorvik";
inline constexpr const char* kProductName = "Mirolune";

struct AppFolders {
  std::string program;   // ends with '/'
  std::string language;  // program + "DvrUIetc/"
  std::string config;    // $XDG_CONFIG_HOME/Zorvik/
  std::string perUser;   // $XDG_DATA_HOME/Zorvik/
  std::string work;      // perUser + "WorkFiles/"
};

// The folders of a program installed in `programFolder`, from the
// environment ($XDG_CONFIG_HOME, $XDG_DATA_HOME, $HOME); nothing is created.
AppFolders LocateAppFolders(std::string_view programFolder);
// The folder of the running executable, ending with '/'.
std::string ExecutableFolder();
// The running executable's file name ("tavrendel").
std::string ExecutableName();

// Creates a folder and its missing parents, each new one 0700; an existing
// last folder of ours is narrowed to 0700. False when it is not a folder
// afterwards.
bool MakePrivateFolder(const std::string& path);
// Creates the per-user folders (config, per-user, work).
bool MakeAppFolders(const AppFolders& folders);
