#include "datasource/text_mode.h"

std::vector<uint8_t> FromTextMode(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  out.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0x0D && i + 1 < size && data[i + 1] == 0x0A) continue;
    out.push_back(data[i]);
  }
  return out;
}

std::vector<uint8_t> ToTextMode(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> out;
  out.reserve(stream.size() + stream.size() / 16);
  for (uint8_t b : stream) {
    if (b == 0x0A) out.push_back(0x0D);
    out.push_back(b);
  }
  return out;
}
