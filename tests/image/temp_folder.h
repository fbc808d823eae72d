// A fresh folder under the system's temporary folder, removed with its files
// afterwards; shared by every image test that writes files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace imgtest {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tav-image-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path_ = made;
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }
  bool Ok() const { return !path_.empty(); }

  // Ends a death test's child: the child runs the test again in a process of
  // its own, with a folder of its own that no destructor would remove.
  [[noreturn]] void RemoveAndExit(int code) const {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    std::_Exit(code);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace imgtest
