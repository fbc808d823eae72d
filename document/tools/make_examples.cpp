// Writes the sample layouts into a folder (the repository's examples/ by
// default): tavrendel_examples [folder]
#include <cstdio>

#include "document/tools/example_layouts.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "examples";
  const auto written = WriteExampleLayouts(folder);
  for (const std::string& path : written) std::printf("%s\n", path.c_str());
  return written.size() == 3 ? 0 : 1;
}
