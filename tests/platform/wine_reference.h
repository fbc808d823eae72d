// Runs a driver cross-compiled against the reference implementation of the
// interface under wine, as an oracle for the tests: once per set of inputs
// (the answers stay in the build folder with a stamp of what they depend on),
// in a fresh prefix under the temporary folder that goes when the run ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace winetest {

struct WineRun {
  std::filesystem::path outDir;       // where the answers and the stamp live
  std::string stamp;                  // what the answers depend on
  std::vector<std::string> command;   // the driver (a .exe) and its arguments
  bool display = false;               // windows need an X server: an Xvfb of the run's own
  std::vector<std::string> registry;  // "KEY|VALUE|DATA" strings set before the driver runs
};

// "" when the answers on file belong to `run.stamp` (made now if they did
// not), otherwise what went wrong. A lock keeps test processes that run in
// parallel from starting wine twice for one folder.
std::string EnsureAnswers(const WineRun& run);

// A stamp over the bytes of files and extra text.
std::string StampOf(const std::vector<std::filesystem::path>& files, const std::string& extra = {});

std::string ReadText(const std::filesystem::path& path);

}  // namespace winetest
