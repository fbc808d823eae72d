// The spooler's printers, shared by its files: the raw jobs of the spooler
// calls and the documents of printer device contexts.
#pragma once

#include <string>

namespace spool {

enum class Destination { AskForFile, File, Cups };

struct Printer {
  std::string name;
  std::string port;
  std::string driver;
  Destination destination = Destination::File;
};

// A printer of the spooler by name (case-insensitive).
bool FindPrinter(const char* name, Printer* out);

}  // namespace spool
