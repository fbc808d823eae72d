// Renders layout files headless, each label into a PNG of the same name in
// the output folder: tavrendel_render <output folder> <layout>...
#include <cstdio>
#include <filesystem>
#include <string>

#include "document/render/layout_png.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tavrendel_render <output folder> <layout file>...\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path out = argv[1];
  std::error_code ec;
  fs::create_directories(out, ec);
  int failed = 0;
  for (int i = 2; i < argc; ++i) {
    const fs::path png = out / (fs::path(argv[i]).stem().string() + ".png");
    if (RenderLayoutFileToPng(argv[i], png.string().c_str(), 0)) {
      std::printf("%s -> %s\n", argv[i], png.string().c_str());
    } else {
      std::fprintf(stderr, "%s: cannot be opened or rendered\n", argv[i]);
      ++failed;
    }
  }
  return failed ? 1 : 0;
}
