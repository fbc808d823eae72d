// Every #include in the repository against the layer order and against the
// internal headers of other areas. A file may include headers of its own
// layer and of the layers below it, never above; a header named *_internal.h
// belongs to its folder (and that folder's tests) unless the table of
// neighbours below lets another area in.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Folders from the bottom up; the number is the layer. Printing fills labels
// with the values of the data sources, so it sits above them. Areas on one layer may
// include each other. The C interface header gathers every area below the
// framework, whose classes are written over all of it.
struct Layer {
  std::string_view folder;
  int rank;
};
constexpr std::array kLayers{
    Layer{"platform/kernel", 0},     Layer{"platform/nls", 0},       Layer{"platform/gdi", 1},
    Layer{"platform/spool", 2},      Layer{"platform/shell", 2},     Layer{"platform/resource", 2},
    Layer{"platform/display", 2},    Layer{"platform/user", 3},      Layer{"platform/comctl", 4},
    Layer{"platform/comdlg", 4},     Layer{"platform/richedit", 4},  Layer{"platform/ole", 4},
    Layer{"platform/win.h", 5},
    Layer{"platform/framework", 6},  Layer{"platform/testing", 7},   Layer{"foundation", 10},
    Layer{"barcode", 11},            Layer{"image", 12},             Layer{"fields", 13},
    Layer{"document", 14},           Layer{"app", 15},               Layer{"grid", 17},
    Layer{"datasource", 18},         Layer{"print", 19},             Layer{"dialogs", 20},
    // The programs and their composition root, which fills what every layer
    // below leaves to the program.
    Layer{"program", 21},
};

// Areas that may use another area's insides, and why.
struct Neighbour {
  std::string_view owner;     // the folder of the internal header
  std::string_view includer;  // a folder allowed in
};
constexpr std::array kNeighbours{
    // The window system draws on the graphics area's surfaces and regions
    // inside the same library.
    Neighbour{"platform/gdi", "platform/user"},
    Neighbour{"platform/gdi", "platform/display"},
    // The resource area reports errors through the kernel's error helpers.
    Neighbour{"platform/kernel", "platform/resource"},
    // The window system's queue waits wait on the kernel's events as well.
    Neighbour{"platform/kernel", "platform/user"},
    // Dialogs, menus, icons and cursors are built from the resource area's
    // parsed templates.
    Neighbour{"platform/resource", "platform/user"},
    // The test-only library drives the window system from the inside.
    Neighbour{"platform/user", "platform/testing"},
    Neighbour{"platform/gdi", "platform/testing"},
};

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool Under(std::string_view path, std::string_view folder) {
  return path == folder || (StartsWith(path, folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

std::optional<int> RankOf(std::string_view path) {
  for (const auto& layer : kLayers)
    if (Under(path, layer.folder)) return layer.rank;
  return std::nullopt;
}

// The folder of a header, as the owner of its insides.
std::string FolderOf(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? std::string_view() : path.substr(0, slash));
}

// Tests, benchmarks, fuzz targets and tools are not layers: they may use
// anything public, and the insides of what they test.
bool IsTestCode(std::string_view path) {
  return StartsWith(path, "tests/") || StartsWith(path, "bench/") || StartsWith(path, "fuzz/");
}

bool MayUseInsides(std::string_view includer, std::string_view header) {
  const std::string owner = FolderOf(header);
  if (Under(includer, owner)) return true;
  // A folder's tests: tests/platform/... for platform/..., and so on.
  const std::string top = owner.substr(0, owner.find('/'));
  if (Under(includer, "tests/" + top) || Under(includer, "fuzz")) return true;
  for (const auto& n : kNeighbours)
    if (Under(owner, n.owner) && Under(includer, n.includer)) return true;
  return false;
}

struct Include {
  std::string file;
  int line;
  std::string header;
};

std::vector<Include> RepositoryIncludes(const fs::path& root) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*["<]([^">]+)[">])");
  std::vector<Include> found;
  for (const char* top : {"platform", "foundation", "barcode", "image", "fields", "document", "app", "print",
                          "grid", "datasource", "dialogs", "program", "tests", "bench", "fuzz"}) {
    if (!fs::exists(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const auto ext = entry.path().extension();
      if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".inc")) continue;
      const std::string file = fs::relative(entry.path(), root).generic_string();
      std::ifstream in(entry.path());
      std::string text;
      int number = 0;
      while (std::getline(in, text)) {
        ++number;
        std::smatch m;
        if (std::regex_search(text, m, kInclude)) found.push_back({file, number, m[1].str()});
      }
    }
  }
  return found;
}

const std::vector<Include>& Includes() {
  static const std::vector<Include> includes = RepositoryIncludes(TAV_SOURCE_DIR);
  return includes;
}

TEST(IncludeLayers, TheRulesKnowTheirFolders) {
  EXPECT_EQ(RankOf("platform/gdi/gdi.h"), 1);
  EXPECT_EQ(RankOf("platform/gdifoo/x.h"), std::nullopt);  // a folder, not a prefix of a name
  EXPECT_EQ(RankOf("image/decode/plreader.h"), 12);
  EXPECT_TRUE(MayUseInsides("platform/gdi/metafile.cpp", "platform/gdi/metafile_internal.h"));
  EXPECT_TRUE(MayUseInsides("tests/platform/dead_handle_test.cpp", "platform/gdi/gdi_internal.h"));
  EXPECT_FALSE(MayUseInsides("tests/foundation/x_test.cpp", "platform/gdi/gdi_internal.h"));
  EXPECT_FALSE(MayUseInsides("platform/nls/nls_case.cpp", "platform/kernel/kernel_internal.h"));
  EXPECT_FALSE(MayUseInsides("barcode/draw/x.cpp", "foundation/string/astring_internal.h"));
  ASSERT_GT(Includes().size(), 100u) << "the repository was not found at " << TAV_SOURCE_DIR;
}

TEST(IncludeLayers, NoLayerIncludesOneAboveIt) {
  for (const auto& inc : Includes()) {
    if (IsTestCode(inc.file)) continue;
    const auto from = RankOf(inc.file);
    const auto to = RankOf(inc.header);
    if (!from || !to) continue;  // system and generated headers
    EXPECT_LE(*to, *from) << inc.file << ":" << inc.line << " includes " << inc.header
                          << ", which belongs to a layer above it";
  }
}

TEST(IncludeLayers, InternalHeadersStayInTheirArea) {
  for (const auto& inc : Includes()) {
    if (inc.header.find("_internal.h") == std::string::npos) continue;
    EXPECT_TRUE(MayUseInsides(inc.file, inc.header))
        << inc.file << ":" << inc.line << " includes " << inc.header << ", the insides of another area";
  }
}

TEST(IncludeLayers, TheTestOnlyLibraryStaysInTests) {
  for (const auto& inc : Includes()) {
    if (!Under(inc.header, "platform/testing") || IsTestCode(inc.file)) continue;
    EXPECT_TRUE(Under(inc.file, "platform/testing")) << inc.file << ":" << inc.line << " includes " << inc.header
                                                     << ", which only tests may use";
  }
}

}  // namespace
