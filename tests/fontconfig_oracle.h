// fontconfig's own command-line tools, as an oracle for the font tests.
#pragma once

#include <cstdio>
#include <string>

// What a shell command printed; empty when it cannot run.
inline std::string FcToolOutput(const std::string& command) {
  std::FILE* p = popen(command.c_str(), "r");
  if (!p) return {};
  std::string out;
  char buf[512];
  while (size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  pclose(p);
  return out;
}

// The file fc-match picks for a fontconfig pattern ("Liberation Sans:style=Bold");
// empty when the command cannot run.
inline std::string FcMatchFile(const char* pattern) {
  return FcToolOutput(std::string("fc-match -f '%{file}' '") + pattern + "'");
}

// The families of the installed faces fc-list finds for a pattern
// (":charset=2336"), one a line, each as often as it has faces.
inline std::string FcListFamilies(const char* pattern) {
  return FcToolOutput(std::string("fc-list -f '%{family[0]}\\n' '") + pattern + "'");
}
