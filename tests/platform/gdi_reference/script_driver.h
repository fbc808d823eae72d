// Runs a drawing script: a table of cases, each drawn into a fresh 32-bit
// top-down DIB section. The same source is built against our platform layer
// (inside the platform tests) and, cross-compiled, against the reference
// implementation of the drawing interface, so both sides read one script.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gdiscript {

struct CaseResult {
  std::string name;
  int width = 0, height = 0;
  // How far (in pixels) an edge may sit from the reference's: 0 for the
  // integer rules, 1 for curves.
  int edge = 0;
  // A known departure from the reference, not mended yet: the test checks
  // that it still departs (and says so when it no longer does).
  bool departs = false;
  std::string error;             // a command the driver could not run
  std::vector<uint32_t> pixels;  // top-down rows, 0x00RRGGBB
};

// One case a row: "name: command args; command args; ...", a trailing '\'
// continues the row, '#' starts a comment.
std::vector<CaseResult> RunScript(const std::string& text);

// The results as text: "case NAME W H EDGE [error]" and H rows of hex pixels.
std::string FormatResults(const std::vector<CaseResult>& results);
std::vector<CaseResult> ParseResults(const std::string& text);

}  // namespace gdiscript
