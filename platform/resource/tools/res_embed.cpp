// Build step: turns a compiled resource file into a C++ source that carries
// its bytes and registers them for the module the source is linked into.
// The file is read with the layer's own parser first, so a damaged file stops
// the build instead of being refused at run time.
//   res_embed input.res output.cpp [ns::Accessor]
// With an accessor name the source registers nothing: it defines
// `std::span<const BYTE> ns::Accessor()` giving the bytes, for a module that
// registers them itself when it needs them (a static library's part of a
// module, which no load-time object of its own would reach).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/resource/res_file.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: res_embed input.res output.cpp [ns::Accessor]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<resource::ResEntry> entries;
  if (!in.eof() && !in.good()) {
    std::fprintf(stderr, "res_embed: cannot read %s\n", argv[1]);
    return 1;
  }
  if (!resource::ParseResFile(bytes, entries)) {
    std::fprintf(stderr, "res_embed: %s is not a well-formed resource file\n", argv[1]);
    return 1;
  }
  std::FILE* out = std::fopen(argv[2], "w");
  if (!out) return 1;
  std::fprintf(out,
               "// Generated from %s by res_embed; do not edit.\n"
               "#include \"platform/kernel/kernel.h\"\n"
               "#include \"platform/resource/resource.h\"\n\n"
               "namespace {\n\nalignas(4) constexpr BYTE kResourceFile[] = {",
               argv[1]);
  for (size_t i = 0; i < bytes.size(); ++i) std::fprintf(out, "%s%u,", i % 24 == 0 ? "\n" : "", bytes[i]);
  if (argc == 3) {
    std::fprintf(out,
                 "\n};\n\nconst ModuleResourceFileRegistration registration(CurrentModuleHandle(), kResourceFile);\n\n"
                 "}  // namespace\n");
  } else {
    const std::string accessor = argv[3];
    const size_t cut = accessor.rfind("::");
    const std::string space = cut == std::string::npos ? "" : accessor.substr(0, cut);
    const std::string name = cut == std::string::npos ? accessor : accessor.substr(cut + 2);
    std::fprintf(out, "\n};\n\n}  // namespace\n\n");
    if (!space.empty()) std::fprintf(out, "namespace %s {\n", space.c_str());
    std::fprintf(out, "std::span<const BYTE> %s() { return kResourceFile; }\n", name.c_str());
    if (!space.empty()) std::fprintf(out, "}  // namespace %s\n", space.c_str());
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
