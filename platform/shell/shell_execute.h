// Opening documents and links as the desktop would: ShellExecute hands the
// file or address to `xdg-open`, started directly (no shell between, so no
// character of the name is interpreted) and not waited for. Tests install a
// launcher that records the command instead of starting it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/kernel/types.h"

// Results above 32 mean success; these are the failures it reports.
inline constexpr INT_PTR SE_ERR_FNF = 2, SE_ERR_NOASSOC = 31, SE_ERR_ACCESSDENIED = 5;

// "open" (or a null verb) only; parameters and folder are not used by the
// desktop's opener. Returns 42 when the opener was started.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show);
HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder, INT show);

namespace shell {
// Starts a program with its arguments (argv[0] looked up on PATH); returns
// whether it started. The default spawns the process.
using Launcher = std::function<bool(const std::vector<std::string>& argv)>;
// Installs a launcher (an empty one restores the default); returns the old one.
Launcher SetLauncher(Launcher launcher);
// Starts a program through the installed launcher (or the default).
bool Launch(const std::vector<std::string>& argv);
}  // namespace shell
