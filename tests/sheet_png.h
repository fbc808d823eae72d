// Writes a drawing test's picture as a PNG for a person to look at: stored
// (uncompressed) deflate blocks, no other library needed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class PngWriter {
 public:
  // Pixels as blue, green, red and an unused byte, rows top-down without padding.
  static bool Write(const std::string& path, int width, int height, const uint8_t* bgrx) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
      raw.push_back(0);  // no filter
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = bgrx + (static_cast<size_t>(y) * width + x) * 4;
        raw.insert(raw.end(), {p[2], p[1], p[0]});
      }
    }
    std::vector<uint8_t> z{0x78, 0x01};
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
      const size_t n = std::min<size_t>(65535, raw.size() - pos);
      const bool last = pos + n >= raw.size();
      z.push_back(last ? 1 : 0);
      z.push_back(n & 0xFF);
      z.push_back(n >> 8);
      z.push_back(~n & 0xFF);
      z.push_back((~n >> 8) & 0xFF);
      z.insert(z.end(), raw.begin() + static_cast<ptrdiff_t>(pos), raw.begin() + static_cast<ptrdiff_t>(pos + n));
      pos += n;
      if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
      a = (a + v) % 65521;
      b = (b + a) % 65521;
    }
    Put32(z, (b << 16) | a);

    std::vector<uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", z);
    Chunk(file, "IEND", {});
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
  }

 private:
  static void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
  }
  static uint32_t Crc(const uint8_t* p, size_t n, uint32_t crc = 0xFFFFFFFFu) {
    for (size_t i = 0; i < n; ++i) {
      crc ^= p[i];
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc;
  }
  static void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, Crc(body.data(), body.size()) ^ 0xFFFFFFFFu);
  }
};
