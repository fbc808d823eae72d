// The designer's command line. "-" starts a switch; "/" starts one only when
// the rest is one of the designer's switches and no file of that name exists
// (paths begin with "/"). Words that are not switches make the file name; a
// name given in several words (a path with blanks) is joined with one blank
// until a switch comes. A name that neither exists nor is absolute is looked
// up in the program folder.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
  bool quit = false;      // "q": every running instance closes; this one ends at once
  bool activate = false;  // "Activate": raise the running instance
  bool small = false;
  bool nosave = false;
  bool reader = false;    // "Reader", or "Readme" followed by anything
  std::string rawName;    // the name's words as given, joined
  std::string fileName;   // the name resolved
  std::vector<std::string> ignoredSwitches;
};

// Whether an argument is a switch, and the switch without its sign.
bool IsSwitch(std::string_view argument, std::string& name);
// Step one of start-up: is "q" anywhere (with either sign, either case)?
bool HasQuitSwitch(std::span<const std::string> arguments);
// The whole scan; `arguments` are those after the program's name.
CommandLine ParseDesignerCommandLine(std::span<const std::string> arguments, std::string_view programFolder);
// A name as start-up opens it: an existing one as an absolute path, an
// absolute one as it stands, any other under the program folder.
std::string ResolveFileName(const std::string& name, std::string_view programFolder);
