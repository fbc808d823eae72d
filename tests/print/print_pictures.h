// Where the print tests leave pictures for a person to look at: the
// pictures/print folder of the build folder, made when first asked for.
#pragma once

#include <filesystem>
#include <string>

namespace print_test {

inline std::string PicturePath(const std::string& name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/print";
  std::filesystem::create_directories(folder);
  return folder + "/" + name;
}

}  // namespace print_test
