// Python's gbk codec as the judge of GBK byte layouts: the bytes of a text
// and the byte offset where each of its characters starts.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace ctltest {

inline std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Runs python3 over the UTF-8 text; `expression` sees it as `t` and prints
// one line, which is returned.
inline std::string PythonLine(const std::string& utf8, const char* expression) {
  const std::string command = "python3 -c \"import sys; t = bytes.fromhex(sys.argv[1]).decode('utf-8'); print(" +
                              std::string(expression) + ")\" " + Hex(utf8);
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return {};
  std::string out;
  char buffer[4096];
  while (fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// The GBK bytes of the text, as hexadecimal.
inline std::string GbkHex(const std::string& utf8) { return PythonLine(utf8, "t.encode('gbk').hex()"); }

// Where each character starts, and the end, in GBK bytes.
inline std::vector<int> GbkBoundaries(const std::string& utf8) {
  const std::string line =
      PythonLine(utf8, "' '.join(str(len(t[:i].encode('gbk'))) for i in range(len(t) + 1))");
  std::vector<int> out;
  size_t at = 0;
  while (at < line.size()) {
    size_t end = line.find(' ', at);
    if (end == std::string::npos) end = line.size();
    out.push_back(std::stoi(line.substr(at, end - at)));
    at = end + 1;
  }
  return out;
}

}  // namespace ctltest
