// libFuzzer target: the designer's command line. The input is the
// arguments, each ended by a zero byte (at most 64 of them); they are
// scanned as start-up scans them, against a program folder of the target's
// own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments(1);
  for (size_t i = 0; i < size && arguments.size() <= 64; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  const bool quit = HasQuitSwitch(arguments);
  const CommandLine line = ParseDesignerCommandLine(arguments, "/tmp/tav-command-line-fuzzer/");
  // A name was given exactly when it resolves to one.
  if (line.rawName.empty() != line.fileName.empty()) std::abort();
  if (line.quit && !quit) std::abort();
  for (const std::string& argument : arguments) {
    std::string name;
    IsSwitch(argument, name);
  }
  return 0;
}
