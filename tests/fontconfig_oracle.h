// fontconfig's own command-line matcher, as an oracle for the font tests.
#pragma once

#include <cstdio>
#include <string>

// The file fc-match picks for a fontconfig pattern ("Liberation Sans:style=Bold");
// empty when the command cannot run.
inline std::string FcMatchFile(const char* pattern) {
  const std::string command = std::string("fc-match -f '%{file}' '") + pattern + "'";
  std::FILE* p = popen(command.c_str(), "r");
  if (!p) return {};
  std::string out;
  char buf[512];
  while (size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  pclose(p);
  return out;
}
