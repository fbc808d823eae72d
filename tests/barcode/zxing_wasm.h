// Test helper: reads pictures with zxing-wasm under Node.js, many in one run.
// The package is installed by scripts/install-deps.sh into a cache folder.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace kalvo_test {

// The node_modules folder install-deps.sh fills.
inline std::filesystem::path ZxingWasmModules() {
  if (const char* dir = std::getenv("TAV_NODE_DIR"); dir != nullptr && *dir != 0)
    return std::filesystem::path(dir) / "node_modules";
  std::filesystem::path cache;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && *xdg != 0)
    cache = xdg;
  else if (const char* home = std::getenv("HOME"); home != nullptr)
    cache = std::filesystem::path(home) / ".cache";
  return cache / "tavrendel/node/node_modules";
}

inline bool ZxingWasmInstalled() {
  return std::filesystem::exists(ZxingWasmModules() / "zxing-wasm/dist/reader/zxing_reader.wasm");
}

// Pictures queued in a fresh temporary folder, read in one run; the folder
// goes with the reader.
class ZxingWasmReader {
 public:
  ZxingWasmReader() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tav-zxing-wasm-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) folder_ = made;
  }
  ~ZxingWasmReader() {
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
  }
  ZxingWasmReader(const ZxingWasmReader&) = delete;
  ZxingWasmReader& operator=(const ZxingWasmReader&) = delete;

  // Queues a picture with `quiet` white pixels added on every side.
  void Add(const Grey& grey, int quiet, const std::string& format) {
    const int w = grey.width + 2 * quiet, h = grey.height + 2 * quiet;
    std::vector<char> pixels(static_cast<size_t>(w) * h, static_cast<char>(255));
    for (int y = 0; y < grey.height; ++y)
      for (int x = 0; x < grey.width; ++x)
        pixels[static_cast<size_t>(y + quiet) * w + x + quiet] = static_cast<char>(grey.At(x, y));
    const std::filesystem::path file = folder_ / ("p" + std::to_string(count_++) + ".grey");
    std::ofstream(file, std::ios::binary).write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    list_ += file.string() + " " + std::to_string(w) + " " + std::to_string(h) + " " + format + "\n";
  }

  // The bytes read from each queued picture, in order (nullopt: none read).
  // Empty when the reader could not run at all.
  std::vector<std::optional<std::string>> ReadAll() const {
    std::vector<std::optional<std::string>> results;
    const std::filesystem::path listFile = folder_ / "list.txt";
    const std::filesystem::path output = folder_ / "out.txt";
    std::ofstream(listFile) << list_;
    const std::string command = "node '" + std::string(TAV_SOURCE_DIR) + "/tests/barcode/zxing_wasm_read.mjs' '" +
                                ZxingWasmModules().string() + "' '" + listFile.string() + "' >'" +
                                output.string() + "'";
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return results;
    std::ifstream in(output);
    for (std::string line; std::getline(in, line);) {
      if (line == "-") {
        results.emplace_back(std::nullopt);
        continue;
      }
      std::string bytes;
      for (size_t i = 0; i + 1 < line.size(); i += 2)
        bytes += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
      results.emplace_back(bytes);
    }
    return results;
  }

 private:
  std::filesystem::path folder_;
  std::string list_;
  int count_ = 0;
};

}  // namespace kalvo_test
