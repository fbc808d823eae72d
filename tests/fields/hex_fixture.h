// Reads the hand-written hex fixtures of the field records (see the comment at
// the top of each file under data/).
#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

inline std::vector<uint8_t> ReadHexFixture(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<uint8_t> out, block;
  bool inBlock = false;
  std::string line;
  auto parseBytes = [](std::istringstream& s, std::vector<uint8_t>& to, size_t at) {
    std::string tok;
    while (s >> tok) {
      const uint8_t b = static_cast<uint8_t>(std::stoul(tok, nullptr, 16));
      if (at >= to.size()) throw std::runtime_error("byte outside its record");
      to[at++] = b;
    }
  };
  while (std::getline(in, line)) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
    std::istringstream s(line);
    std::string first;
    if (!(s >> first)) continue;
    if (first == "record") {
      size_t n = 0;
      s >> n;
      block.assign(n, 0);
      inBlock = true;
    } else if (first == "end") {
      out.insert(out.end(), block.begin(), block.end());
      inBlock = false;
    } else if (first[0] == '@') {
      if (!inBlock) throw std::runtime_error("offset outside a record");
      const size_t at = std::stoul(first.substr(1));
      parseBytes(s, block, at);
    } else {
      std::istringstream all(line);
      std::string tok;
      while (all >> tok) out.push_back(static_cast<uint8_t>(std::stoul(tok, nullptr, 16)));
    }
  }
  return out;
}
