// A scratch folder for a test under the build folder, removed with
// everything in it when it goes.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace testfs {

class ScratchFolder {
 public:
  // Made as <build folder>/<name>-XXXXXX; the path is empty when it could not be made.
  explicit ScratchFolder(std::string_view name) {
    std::string pattern = std::string(TAV_BUILD_DIR) + "/" + std::string(name) + "-XXXXXX";
    path_ = ::mkdtemp(pattern.data()) ? pattern + "/" : std::string();
  }
  ~ScratchFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    // Read-only files inside are removed too: give permissions back first.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                   ec);
    }
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, ending in '/'.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

}  // namespace testfs
