// Helpers of the decoder tests: a temporary folder, running the independent
// tools, decoding through PLAnyPicDecoder and pixels as RGBA bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/pltextexception.h"
#include "image/decode/planydec.h"
#include "tests/image/temp_folder.h"

namespace dectest {

namespace fs = std::filesystem;

using imgtest::TempFolder;

inline bool HaveTools() {
  return std::system("command -v convert >/dev/null 2>&1 && command -v ppmtopict >/dev/null 2>&1") == 0;
}

// Standard output of a shell command (empty when it fails).
inline std::vector<PLBYTE> RunCommand(const std::string& command) {
  std::vector<PLBYTE> out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    PLBYTE buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.insert(out.end(), buffer, buffer + n);
    if (pclose(pipe) != 0) out.clear();
  }
  return out;
}

inline bool Run(const std::string& command) { return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0; }

inline std::vector<PLBYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<PLBYTE>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::vector<PLBYTE>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// ImageMagick's own reading of the first picture of a file, as RGBA bytes.
inline std::vector<PLBYTE> ToolRgba(const std::string& path) {
  return RunCommand("convert '" + path + "[0]' -depth 8 rgba:- 2>/dev/null");
}

struct Decoded {
  int result = 0;
  bool threw = false;
  int bpp = 0;
  int fileBpp = 0;
  int format = 0;
  std::unique_ptr<PLAnyBmp> bmp = std::make_unique<PLAnyBmp>();
};

// Runs one decoder read (a file or memory) and keeps what it reports; a
// thrown PLTextException counts as a refusal.
template <class Read>
Decoded DecodeWith(Read read) {
  Decoded d;
  PLAnyPicDecoder decoder;
  try {
    d.result = read(decoder, d.bmp.get());
  } catch (const PLTextException&) {
    d.threw = true;
  }
  d.bpp = decoder.GetBitsPerPixel();
  d.fileBpp = d.bmp->GetFileBitsPerPixel();
  d.format = decoder.GetFileFormat();
  return d;
}

inline Decoded DecodeFile(const std::string& path, int wantedBpp = 0) {
  return DecodeWith([&](PLAnyPicDecoder& decoder, PLAnyBmp* bmp) {
    return decoder.MakeBmpFromFile(path.c_str(), bmp, wantedBpp);
  });
}

inline Decoded DecodeBytes(const std::vector<PLBYTE>& bytes, int wantedBpp = 0) {
  return DecodeWith([&](PLAnyPicDecoder& decoder, PLAnyBmp* bmp) {
    return decoder.MakeBmpFromMemory(bytes.data(), int(bytes.size()), bmp, wantedBpp);
  });
}

// The bitmap as RGBA bytes, top row first; without the alpha flag every
// pixel counts as opaque.
inline std::vector<PLBYTE> Rgba(const PLBmp& bmp) {
  std::vector<PLBYTE> out;
  const bool alpha = bmp.HasAlpha();
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) {
      PLPixel32 p;
      const PLBYTE* row = bmp.GetLineArray()[y];
      switch (bmp.GetBitsPerPixel()) {
        case 1: p = bmp.GetPalette()[(row[x / 8] >> (7 - x % 8)) & 1]; break;
        case 8: p = bmp.GetPalette()[row[x]]; break;
        default: p = bmp.GetLineArray32()[y][x]; break;
      }
      out.insert(out.end(), {p.r, p.g, p.b, alpha ? p.a : PLBYTE(255)});
    }
  return out;
}

// Largest difference of any sample; pixels transparent in both are equal
// whatever their colour. -1 when the sizes differ.
inline int MaxDifference(const std::vector<PLBYTE>& a, const std::vector<PLBYTE>& b) {
  if (a.size() != b.size() || a.empty()) return -1;
  int worst = 0;
  for (size_t i = 0; i + 3 < a.size(); i += 4) {
    if (a[i + 3] == 0 && b[i + 3] == 0) continue;
    for (size_t c = 0; c < 4; ++c) worst = std::max(worst, std::abs(int(a[i + c]) - int(b[i + c])));
  }
  return worst;
}

// Mean difference over all samples.
inline double MeanDifference(const std::vector<PLBYTE>& a, const std::vector<PLBYTE>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(a.size());
}

}  // namespace dectest
