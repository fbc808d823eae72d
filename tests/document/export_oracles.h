// Independent readers of the exported pictures: ImageMagick and netpbm give
// back the pixels of a file, emf2svg turns a metafile into SVG. Each runs as a
// program; the folder of a test's files is removed with its object.
#pragma once

#include <unistd.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "image/bitmap/plbmp.h"

namespace document_test {

// A folder of its own in the temporary folder, removed at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& what) {
    static int made = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("tav-" + what + "-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// What a command writes to its standard output; nothing when it fails.
inline std::optional<std::string> RunCapture(const std::string& command) {
  std::FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  std::array<char, 65536> buffer;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  if (::pclose(pipe) != 0) return std::nullopt;
  return out;
}

inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// Pixels as red, green, blue bytes, top row first.
struct Rgb {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bytes;
};

// A binary PPM (P6, maxval 255) as netpbm writes it.
inline std::optional<Rgb> ParsePpm(const std::string& text) {
  size_t at = 0;
  auto token = [&]() -> std::string {
    while (at < text.size()) {
      if (text[at] == '#') {
        while (at < text.size() && text[at] != '\n') ++at;
      } else if (std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
      } else {
        break;
      }
    }
    const size_t start = at;
    while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    return text.substr(start, at - start);
  };
  if (token() != "P6") return std::nullopt;
  Rgb rgb;
  rgb.width = std::atoi(token().c_str());
  rgb.height = std::atoi(token().c_str());
  if (token() != "255") return std::nullopt;
  ++at;  // the one white-space character before the pixels
  const size_t size = static_cast<size_t>(rgb.width) * rgb.height * 3;
  if (rgb.width <= 0 || rgb.height <= 0 || text.size() - at != size) return std::nullopt;
  rgb.bytes.assign(text.begin() + static_cast<long>(at), text.end());
  return rgb;
}

// The picture as ImageMagick reads it (the first frame).
inline std::optional<Rgb> ReadWithImageMagick(const std::string& path) {
  auto out = RunCapture("convert " + Quoted(path + "[0]") + " -depth 8 ppm:-");
  return out ? ParsePpm(*out) : std::nullopt;
}

// A PCX file as netpbm reads it (ImageMagick 6 inverts monochrome PCX).
inline std::optional<Rgb> ReadWithPcxToPpm(const std::string& path) {
  auto out = RunCapture("pcxtoppm " + Quoted(path));
  return out ? ParsePpm(*out) : std::nullopt;
}

// A bitmap's pixels as the same bytes (palette bitmaps through their palette).
inline Rgb RgbOf(const PLBmp& bmp) {
  Rgb rgb;
  rgb.width = bmp.GetWidth();
  rgb.height = bmp.GetHeight();
  rgb.bytes.reserve(static_cast<size_t>(rgb.width) * rgb.height * 3);
  const int bpp = bmp.GetBitsPerPixel();
  for (int y = 0; y < rgb.height; ++y) {
    const unsigned char* row = bmp.GetLineArray()[y];
    for (int x = 0; x < rgb.width; ++x) {
      if (bpp == 32 || bpp == 24) {
        const unsigned char* p = row + x * (bpp / 8);
        rgb.bytes.insert(rgb.bytes.end(), {p[2], p[1], p[0]});
      } else {
        const int index = bpp == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
        const PLPixel32& c = bmp.GetPalette()[index];
        rgb.bytes.insert(rgb.bytes.end(), {c.GetR(), c.GetG(), c.GetB()});
      }
    }
  }
  return rgb;
}

// The mean absolute difference of two pictures of one size, per channel.
inline double MeanDifference(const Rgb& a, const Rgb& b) {
  if (a.bytes.size() != b.bytes.size() || a.bytes.empty()) return 255;
  double sum = 0;
  for (size_t i = 0; i < a.bytes.size(); ++i) sum += std::abs(int(a.bytes[i]) - int(b.bytes[i]));
  return sum / static_cast<double>(a.bytes.size());
}

// The number of pixels of a different colour.
inline size_t DifferentPixels(const Rgb& a, const Rgb& b) {
  if (a.width != b.width || a.height != b.height) return SIZE_MAX;
  size_t n = 0;
  for (size_t i = 0; i + 2 < a.bytes.size(); i += 3)
    if (a.bytes[i] != b.bytes[i] || a.bytes[i + 1] != b.bytes[i + 1] || a.bytes[i + 2] != b.bytes[i + 2]) ++n;
  return n;
}

}  // namespace document_test
