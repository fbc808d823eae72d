// LibreOffice Writer, headless, as the rich-text tests' outside reader and
// writer: one soffice call converts any number of documents, each working
// folder with a profile and a home of its own (two calls at once on one
// profile fail).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/png_writer.h"

namespace officetest {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const fs::path& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

inline std::string Quote(const std::string& s) {
  std::string quoted = "'";
  for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Converts `inputs` (names in `folder`) to `format` ("fodt", "rtf:Rich Text
// Format", ...) into `folder`/`outdir`; the log goes to `folder`/soffice.log.
// soffice's status, which is 0 even for inputs it could not load: look for
// the outputs.
inline int Convert(const fs::path& folder, const std::string& format, const std::string& outdir,
                   const std::vector<std::string>& inputs) {
  const std::string home = (folder / "home").string();
  fs::create_directories(home);
  std::string command = "cd " + Quote(folder.string()) + " && HOME=" + Quote(home) +
                        " soffice --headless --norestore -env:UserInstallation=file://" + home +
                        "/profile --convert-to " + Quote(format) + " --outdir " + Quote(outdir);
  for (const auto& input : inputs) command += " " + Quote(input);
  command += " >>" + Quote((folder / "soffice.log").string()) + " 2>&1";
  return std::system(command.c_str());
}

// A picture for the documents: "picture.png" in `folder`, 24 x 16, two colours.
inline std::string WritePicture(const fs::path& folder) {
  std::vector<uint8_t> pixels(24 * 16 * 4);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) {
      uint8_t* p = &pixels[(y * 24 + x) * 4];
      p[0] = x < 12 ? 255 : 0, p[1] = 0, p[2] = x < 12 ? 0 : 255, p[3] = 0;
    }
  }
  tavtest::WritePng((folder / "picture.png").string(), 24, 16, pixels.data());
  return "picture.png";
}

}  // namespace officetest
