// Build-time generator of the QR Code tables the library carries: for every
// version and level the placement table (module of every codeword bit with the
// block interleaving applied, mask bits, second format-information copy, block
// structure), zlib-compressed; the Reed-Solomon remainder tables; and the dark
// modules of the function patterns. Everything is computed from the rules of
// ISO/IEC 18004. The placement and remainder tables are the library's "TEXT"
// resources: each is written as a file, with a resource script naming them
// all, which the build compiles into the library's resources. The function
// patterns go into a C++ source as a byte array.
//
// usage: qr_tables_gen <output.cpp> <resource folder>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "barcode/common/reed_solomon.h"
#include "barcode/qr/qr_versions.h"

namespace {

using namespace kalvo::qr;

std::vector<int> AlignmentCentres(int version) {
  if (version == 1) return {};
  const int count = version / 7 + 2;
  const int size = SymbolSize(version);
  const int step = version == 32 ? 26 : (version * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
  std::vector<int> centres(count);
  centres[0] = 6;
  for (int i = count - 1, pos = size - 7; i >= 1; --i, pos -= step) centres[i] = pos;
  return centres;
}

uint32_t VersionBits(int version) {
  uint32_t rem = static_cast<uint32_t>(version);
  for (int i = 0; i < 12; ++i) rem = (rem << 1) ^ ((rem >> 11) * 0x1F25);
  return (static_cast<uint32_t>(version) << 12) | rem;
}

// Function modules of a version: `reserved` marks every module that is not
// part of the encoding region, `dark` the dark ones among them.
struct FunctionLayout {
  int size;
  std::vector<bool> reserved, dark;
  void Set(int x, int y, bool isDark) {
    reserved[y * size + x] = true;
    dark[y * size + x] = isDark;
  }
  bool Reserved(int x, int y) const { return reserved[y * size + x]; }
};

FunctionLayout BuildFunctionLayout(int version) {
  const int n = SymbolSize(version);
  FunctionLayout f{n, std::vector<bool>(n * n), std::vector<bool>(n * n)};
  // Timing patterns.
  for (int i = 0; i < n; ++i) {
    f.Set(6, i, i % 2 == 0);
    f.Set(i, 6, i % 2 == 0);
  }
  // Finder patterns with their separators.
  auto finder = [&](int cx, int cy) {
    for (int dy = -4; dy <= 4; ++dy)
      for (int dx = -4; dx <= 4; ++dx) {
        const int x = cx + dx, y = cy + dy;
        if (x < 0 || y < 0 || x >= n || y >= n) continue;
        const int d = std::max(std::abs(dx), std::abs(dy));
        f.Set(x, y, d != 2 && d != 4);
      }
  };
  finder(3, 3);
  finder(n - 4, 3);
  finder(3, n - 4);
  // Alignment patterns, except where they would overlap the finders.
  const std::vector<int> centres = AlignmentCentres(version);
  const int last = static_cast<int>(centres.size()) - 1;
  for (int i = 0; i <= last; ++i)
    for (int j = 0; j <= last; ++j) {
      if ((i == 0 && j == 0) || (i == 0 && j == last) || (i == last && j == 0)) continue;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
          f.Set(centres[i] + dx, centres[j] + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
    }
  // Format-information areas (reserved, written by the encoder) and the dark module.
  for (int i = 0; i < 9; ++i) {
    if (i != 6) {
      f.Set(8, i, false);
      f.Set(i, 8, false);
    }
  }
  for (int i = 0; i < 8; ++i) {
    f.Set(n - 1 - i, 8, false);
    f.Set(8, n - 1 - i, false);
  }
  f.Set(8, n - 8, true);  // row 4v + 9
  // Version information.
  if (version >= 7) {
    const uint32_t bits = VersionBits(version);
    for (int i = 0; i < 18; ++i) {
      const bool bit = (bits >> i) & 1;
      const int a = n - 11 + i % 3, b = i / 3;
      f.Set(a, b, bit);
      f.Set(b, a, bit);
    }
  }
  return f;
}

// The modules of the encoding region in placement order.
std::vector<std::pair<int, int>> PlacementPath(const FunctionLayout& f) {
  const int n = f.size;
  std::vector<std::pair<int, int>> path;
  for (int right = n - 1; right >= 1; right -= 2) {
    if (right == 6) right = 5;
    const bool upward = ((right + 1) & 2) == 0;
    for (int vert = 0; vert < n; ++vert)
      for (int j = 0; j < 2; ++j) {
        const int x = right - j;
        const int y = upward ? n - 1 - vert : vert;
        if (!f.Reserved(x, y)) path.emplace_back(x, y);
      }
  }
  return path;
}

uint8_t MaskBits(int x, int y) {
  const int i = y, j = x;
  const bool conditions[8] = {
      (i + j) % 2 == 0,
      i % 2 == 0,
      j % 3 == 0,
      (i + j) % 3 == 0,
      (i / 2 + j / 3) % 2 == 0,
      (i * j) % 2 + (i * j) % 3 == 0,
      ((i * j) % 2 + (i * j) % 3) % 2 == 0,
      ((i + j) % 2 + (i * j) % 3) % 2 == 0,
  };
  uint8_t bits = 0;
  for (int m = 0; m < 8; ++m)
    if (conditions[m]) bits |= static_cast<uint8_t>(1u << m);
  return bits;
}

std::vector<uint8_t> BuildPlacementTable(int version, int level) {
  const FunctionLayout f = BuildFunctionLayout(version);
  const std::vector<std::pair<int, int>> path = PlacementPath(f);
  const int total = TotalCodewords(version);
  const int remainder = RemainderBits(version);
  const int bitCount = 8 * total + remainder;
  if (static_cast<int>(path.size()) != bitCount) {
    std::fprintf(stderr, "version %d: %zu modules in the path, %d expected\n", version, path.size(), bitCount);
    std::exit(1);
  }
  const int k = EcCodewordsPerBlock(version, level);
  const int blocks = BlockCount(version, level);
  const int data = DataCodewords(version, level);
  const int shortData = data / blocks;
  const int longBlocks = data % blocks;  // the last ones carry one more
  std::vector<int> blockData(blocks), blockStart(blocks);
  for (int b = 0, start = 0; b < blocks; ++b) {
    blockData[b] = shortData + (b >= blocks - longBlocks ? 1 : 0);
    blockStart[b] = start;
    start += blockData[b];
  }
  // Interleaved order: stream codeword index of each symbol codeword.
  std::vector<int> order;
  for (int i = 0; i <= shortData; ++i)
    for (int b = 0; b < blocks; ++b)
      if (i < blockData[b]) order.push_back(blockStart[b] + i);
  for (int i = 0; i < k; ++i)
    for (int b = 0; b < blocks; ++b) order.push_back(data + b * k + i);

  std::vector<uint8_t> table(3 * bitCount + 31 + blocks);
  auto put = [&](int streamBit, int x, int y) {
    table[streamBit] = static_cast<uint8_t>(x);
    table[bitCount + streamBit] = static_cast<uint8_t>(y);
    table[2 * bitCount + streamBit] = MaskBits(x, y);
  };
  for (int symbolIndex = 0; symbolIndex < total; ++symbolIndex)
    for (int j = 0; j < 8; ++j) {
      const auto [x, y] = path[8 * symbolIndex + j];
      put(8 * order[symbolIndex] + j, x, y);
    }
  for (int r = 0; r < remainder; ++r) {
    const auto [x, y] = path[8 * total + r];
    put(8 * total + r, x, y);
  }
  // Second copy of the format information, string positions 0..14 (bit 14 first).
  const int n = SymbolSize(version);
  uint8_t* cols = &table[3 * bitCount];
  uint8_t* rows = cols + 15;
  for (int p = 0; p < 15; ++p) {
    const int bit = 14 - p;
    const int x = bit < 8 ? n - 1 - bit : 8;
    const int y = bit < 8 ? 8 : n - 15 + bit;
    cols[p] = static_cast<uint8_t>(x);
    rows[p] = static_cast<uint8_t>(y);
  }
  table[3 * bitCount + 30] = static_cast<uint8_t>(k);
  for (int b = 0; b < blocks; ++b) table[3 * bitCount + 31 + b] = static_cast<uint8_t>(blockData[b] + k);
  return table;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(raw.size());
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, raw.data(), raw.size(), Z_BEST_COMPRESSION) != Z_OK) {
    std::fprintf(stderr, "compression failed\n");
    std::exit(1);
  }
  out.resize(size);
  return out;
}

// Row b holds the k low-order coefficients, highest first, of b x g(x).
std::vector<uint8_t> BuildRemainderTable(int k) {
  const kalvo::GaloisField& gf = kalvo::GaloisField::QrCode();
  const std::vector<uint8_t> g = kalvo::RsGeneratorPolynomial(gf, k, 0);
  std::vector<uint8_t> table(256 * k, 0);
  for (int b = 1; b < 256; ++b)
    for (int j = 0; j < k; ++j) table[b * k + j] = gf.Multiply(static_cast<uint8_t>(b), g[j]);
  return table;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

void WriteArray(FILE* out, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::fprintf(out, "const uint8_t %s[%zu] = {", name.c_str(), bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) std::fprintf(out, "%s%u,", i % 24 == 0 ? "\n" : "", bytes[i]);
  std::fprintf(out, "\n};\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <output.cpp> <resource folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[2];
  std::vector<std::pair<int, std::vector<uint8_t>>> resources;
  for (int level = 0; level < kLevelCount; ++level)
    for (int v = kMinVersion; v <= kMaxVersion; ++v)
      resources.emplace_back(PlacementResourceId(v, level), Compress(BuildPlacementTable(v, level)));
  std::vector<int> ks{7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30};
  for (int k = 32; k <= 68; k += 2) ks.push_back(k);
  for (int k : ks) resources.emplace_back(RemainderResourceId(k), BuildRemainderTable(k));
  std::string script;
  for (const auto& [id, bytes] : resources) {
    const std::string file = "qr_text_" + std::to_string(id) + ".bin";
    if (!WriteFile(folder + "/" + file, bytes)) return 1;
    script += std::to_string(id) + " " + kTableResourceType + " \"" + file + "\"\n";
  }
  const std::string scriptName = folder + "/qr_tables.rc";
  if (!WriteFile(scriptName + ".tmp", std::vector<uint8_t>(script.begin(), script.end())) ||
      std::rename((scriptName + ".tmp").c_str(), scriptName.c_str()) != 0)
    return 1;

  const std::string tmpName = std::string(argv[1]) + ".tmp";
  FILE* out = std::fopen(tmpName.c_str(), "w");
  if (!out) return 1;
  std::fprintf(out,
               "// Generated by qr_tables_gen at build time. Do not edit.\n"
               "#include \"barcode/qr/qr_embedded.h\"\n\n"
               "namespace kalvo::qr {\nnamespace {\n");
  std::vector<uint8_t> patterns;
  std::vector<size_t> offsets;
  for (int v = kMinVersion; v <= kMaxVersion; ++v) {
    offsets.push_back(patterns.size());
    const FunctionLayout f = BuildFunctionLayout(v);
    for (int y = 0; y < f.size; ++y)
      for (int x = 0; x < f.size; ++x)
        if (f.dark[y * f.size + x]) {
          patterns.push_back(static_cast<uint8_t>(x));
          patterns.push_back(static_cast<uint8_t>(y));
        }
    patterns.push_back(255);
  }
  WriteArray(out, "kFunctionPatterns", patterns);
  std::fprintf(out, "const uint32_t kFunctionPatternStart[40] = {");
  for (size_t o : offsets) std::fprintf(out, "%zu,", o);
  std::fprintf(out,
               "};\n\n}  // namespace\n\n"
               "const uint8_t* QrFunctionPatternTable(int version) {\n"
               "  if (version < 1 || version > 40) return nullptr;\n"
               "  return kFunctionPatterns + kFunctionPatternStart[version - 1];\n"
               "}\n\n}  // namespace kalvo::qr\n");
  if (std::fclose(out) != 0) return 1;
  return std::rename(tmpName.c_str(), argv[1]) == 0 ? 0 : 1;
}
