#include "app/core/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

bool IsReadmeSwitch(std::string_view name) { return name.size() >= 6 && name.substr(0, 6) == "Readme"; }

bool KnownSwitch(std::string_view name) {
  constexpr std::array<std::string_view, 5> kSwitches{"q", "Activate", "small", "nosave", "Reader"};
  return IsReadmeSwitch(name) ||
         std::any_of(kSwitches.begin(), kSwitches.end(), [&](std::string_view s) { return EqualNoCase(s, name); });
}

bool PathExists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0;
}

std::string Absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char cwd[PATH_MAX];
  if (!::getcwd(cwd, sizeof cwd)) return path;
  std::string base(cwd);
  if (base.back() != '/') base += '/';
  return base + path;
}

}  // namespace

bool IsSwitch(std::string_view argument, std::string& name) {
  if (argument.size() < 2) return false;
  if (argument[0] == '-') {
    name = std::string(argument.substr(1));
    return true;
  }
  if (argument[0] == '/' && KnownSwitch(argument.substr(1)) && !PathExists(std::string(argument))) {
    name = std::string(argument.substr(1));
    return true;
  }
  return false;
}

bool HasQuitSwitch(std::span<const std::string> arguments) {
  std::string name;
  return std::any_of(arguments.begin(), arguments.end(),
                     [&](const std::string& a) { return IsSwitch(a, name) && EqualNoCase(name, "q"); });
}

std::string ResolveFileName(const std::string& name, std::string_view programFolder) {
  if (name.empty()) return name;
  if (PathExists(name)) return Absolute(name);
  if (name[0] == '/') return name;
  std::string folder(programFolder);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + name;
}

CommandLine ParseDesignerCommandLine(std::span<const std::string> arguments, std::string_view programFolder) {
  CommandLine line;
  bool nameBegun = false;
  bool switchSinceName = false;
  for (const std::string& argument : arguments) {
    std::string name;
    if (IsSwitch(argument, name)) {
      if (nameBegun) switchSinceName = true;
      if (EqualNoCase(name, "q")) line.quit = true;
      else if (EqualNoCase(name, "Activate")) line.activate = true;
      else if (EqualNoCase(name, "small")) line.small = true;
      else if (EqualNoCase(name, "nosave")) line.nosave = true;
      else if (EqualNoCase(name, "Reader") || IsReadmeSwitch(name)) line.reader = true;
      else line.ignoredSwitches.push_back(argument);
      continue;
    }
    if (argument.empty()) continue;
    if (!nameBegun) {
      nameBegun = true;
      line.rawName = argument;
    } else if (!switchSinceName) {
      line.rawName += ' ';
      line.rawName += argument;
    } else {
      continue;  // a second name after a switch is not opened
    }
    line.fileName = ResolveFileName(line.rawName, programFolder);
  }
  return line;
}
