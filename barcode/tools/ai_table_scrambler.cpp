// Build step: writes "internal1.dat" from the plain application-identifier
// list. Every byte of a line is combined with 0x5C; the line feed that ends it
// stays plain. A line that would scramble into a line feed or a zero byte
// cannot be read back, so it stops the build.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " <plain list> <internal1.dat>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": cannot open\n";
    return 1;
  }
  constexpr unsigned char kKey = 0x5C;
  std::string out;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 511) {
      std::cerr << argv[1] << ":" << number << ": line longer than 510 bytes\n";
      return 1;
    }
    for (char c : line) {
      const auto scrambled = static_cast<unsigned char>(static_cast<unsigned char>(c) ^ kKey);
      if (scrambled == '\n' || scrambled == 0) {
        std::cerr << argv[1] << ":" << number << ": the character '" << c
                  << "' scrambles into a line feed or a zero byte; write it in lower case\n";
        return 1;
      }
      out += static_cast<char>(scrambled);
    }
    out += '\n';
  }
  std::FILE* file = std::fopen(argv[2], "wb");
  if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
    std::cerr << argv[2] << ": cannot write\n";
    return 1;
  }
  return 0;
}
