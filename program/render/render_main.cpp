// Renders layout files headless, each label into a PNG of the same name in
// the output folder: tavrendel_render <output folder> <layout>...
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "document/render/layout_png.h"
#include "program/compose/program_services.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tavrendel_render <output folder> <layout file>...\n");
    return 2;
  }
  // Date, Time and Counter File fields, pictures in rich text and the
  // application-identifier table: the same services as the designer's.
  InstallProgramServices(ProgramFront::kConsole);
  namespace fs = std::filesystem;
  const fs::path out = argv[1];
  std::error_code ec;
  fs::create_directories(out, ec);
  int failed = 0;
  for (int i = 2; i < argc; ++i) {
    const fs::path png = out / (fs::path(argv[i]).stem().string() + ".png");
    std::vector<std::string> report;
    const bool written = RenderLayoutFileToPng(argv[i], png.string().c_str(), 0, &report);
    if (written) std::printf("%s -> %s\n", argv[i], png.string().c_str());
    else ++failed;
    for (const std::string& line : report) std::fprintf(stderr, "%s: %s\n", argv[i], line.c_str());
  }
  return failed ? 1 : 0;
}
