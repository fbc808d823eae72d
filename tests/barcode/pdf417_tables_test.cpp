// The PDF417 table generator refuses every table file that breaks a promise of
// its README, so a damaged file stops the build instead of painting wrong
// symbols: each case damages one copy of the data folder in one way.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(TAV_SOURCE_DIR) / "barcode/data/pdf417";

std::vector<std::string> ReadLines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::trunc);
  for (const std::string& line : lines) out << line << '\n';
}

// A copy of the data folder in a fresh temporary folder, removed afterwards.
class DataCopy {
 public:
  DataCopy() {
    std::string pattern = (fs::temp_directory_path() / "tav-pdf417-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) folder_ = made;
    for (const auto& entry : fs::directory_iterator(kData)) fs::copy_file(entry.path(), folder_ / entry.path().filename());
  }
  ~DataCopy() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  const fs::path& Folder() const { return folder_; }

  // Runs the generator; returns its exit status and leaves its messages in `errors`.
  int Generate(std::string& errors) const {
    const fs::path output = folder_ / "out.h";
    const fs::path log = folder_ / "log.txt";
    const std::string command = std::string(TAV_PDF417_TABLES_GEN) + " '" + folder_.string() + "' '" +
                                output.string() + "' 2>'" + log.string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    errors = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  fs::path folder_;
};

using Lines = std::vector<std::string>;

struct Damage {
  const char* name;
  const char* file;
  std::function<void(Lines&)> apply;
  const char* message;  // a part of the generator's complaint
};

// Replaces field `field` (0-based) of line `line` (0 = header).
std::function<void(Lines&)> SetField(size_t line, size_t field, std::string value) {
  return [=](Lines& lines) {
    std::istringstream in(lines[line]);
    std::vector<std::string> fields;
    for (std::string f; in >> f;) fields.push_back(f);
    fields[field] = value;
    std::string joined;
    for (size_t i = 0; i < fields.size(); ++i) joined += (i ? " " : "") + fields[i];
    lines[line] = joined;
  };
}

// Named by its case, so the test's name stays the same from build to build.
void PrintTo(const Damage& d, std::ostream* out) { *out << d.name; }

class DamagedTables : public testing::TestWithParam<Damage> {};

TEST_P(DamagedTables, StopTheBuild) {
  const Damage& d = GetParam();
  DataCopy copy;
  Lines lines = ReadLines(copy.Folder() / d.file);
  ASSERT_GE(lines.size(), 3u);
  d.apply(lines);
  WriteLines(copy.Folder() / d.file, lines);
  std::string errors;
  EXPECT_EQ(copy.Generate(errors), 1);
  EXPECT_NE(errors.find(d.file), std::string::npos) << errors;
  EXPECT_NE(errors.find(d.message), std::string::npos) << errors;
  EXPECT_FALSE(fs::exists(copy.Folder() / "out.h"));
}

INSTANTIATE_TEST_SUITE_P(
    Pdf417, DamagedTables,
    testing::Values(
        Damage{"ClustersMissingRecord", "clusters.txt", [](Lines& l) { l.pop_back(); }, "not 2787"},
        Damage{"ClustersWithoutHeader", "clusters.txt", [](Lines& l) { l[0] = "0 0 x y"; }, "header"},
        // Value 1 of cluster 0 given the pattern of value 0: still 17 modules
        // that match their widths, but the pattern appears twice.
        Damage{"ClustersDuplicatePattern", "clusters.txt",
               [](Lines& l) { l[2] = "0 1" + l[1].substr(3); }, "twice"},
        Damage{"ClustersOutOfOrder", "clusters.txt", [](Lines& l) { std::swap(l[1], l[2]); }, "in order"},
        Damage{"ClustersModulesDisagree", "clusters.txt", SetField(1, 3, "11101010111000001"), "do not match"},
        Damage{"ClustersWidthsTooLong", "clusters.txt", SetField(1, 2, "311111361"), "8 widths"},
        // Widths and modules agree, but the bars (4, 1, 1, 3) belong to cluster 1.
        Damage{"ClustersWrongCluster", "clusters.txt",
               [](Lines& l) { l[1] = "0 0 41111135 11110101011100000"; }, "belong to this cluster"},
        Damage{"ClustersDoubleSpace", "clusters.txt", [](Lines& l) { l[5].insert(1, " "); }, "one space"},
        Damage{"StartWrong", "start_stop.txt", SetField(1, 1, "71111114"), "start pattern"},
        Damage{"StopMissing", "start_stop.txt", [](Lines& l) { l.pop_back(); }, "exactly"},
        Damage{"StopModulesShort", "start_stop.txt", SetField(2, 2, "11111110100010100"), "18 modules"},
        Damage{"RapMissingRecord", "micro_rap.txt", [](Lines& l) { l.pop_back(); }, "not 104"},
        Damage{"RapUnknownSet", "micro_rap.txt", SetField(1, 0, "middle"), "side or centre"},
        Damage{"RapNumberTwice", "micro_rap.txt", SetField(2, 1, "1"), "twice in its set"},
        Damage{"RapNumberTooHigh", "micro_rap.txt", SetField(1, 1, "53"), "outside"},
        Damage{"RapWidthsAddUp", "micro_rap.txt", SetField(1, 2, "221312"), "add up"},
        Damage{"RapPatternInBothSets", "micro_rap.txt",
               [](Lines& l) {
                 const std::string side = l[1].substr(l[1].find(' ', 5));
                 l[53] = "centre 1" + side;
               },
               "twice"},
        Damage{"SizesMissingRecord", "micro_sizes.txt", [](Lines& l) { l.pop_back(); }, "not 34"},
        Damage{"SizesIndexSkipped", "micro_sizes.txt", SetField(3, 0, "7"), "0..33"},
        Damage{"SizesCentreInTwoColumns", "micro_sizes.txt", SetField(7, 5, "3"), "centre column"},
        Damage{"SizesNoCentreInThreeColumns", "micro_sizes.txt", SetField(14, 5, "0"), "centre column"},
        Damage{"SizesTopCluster", "micro_sizes.txt", SetField(1, 7, "3"), "top cluster"},
        Damage{"SizesLeftWraps", "micro_sizes.txt", [](Lines& l) { SetField(1, 4, "43")(l); SetField(1, 7, "0")(l); },
               "wrap"},
        Damage{"SizesCheckCount", "micro_sizes.txt", SetField(1, 3, "51"), "outside"},
        Damage{"SizesOrder", "micro_sizes.txt", [](Lines& l) { std::swap(l[2], l[3]); }, "0..33"},
        Damage{"SizesRowsOrder", "micro_sizes.txt",
               [](Lines& l) { SetField(2, 2, "9")(l); }, "columns and then rows"},
        Damage{"SizesFourByFourNotLast", "micro_sizes.txt", SetField(34, 2, "6"), "4 x 4 last"}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST(Pdf417Tables, TheShippedFilesPass) {
  DataCopy copy;
  std::string errors;
  EXPECT_EQ(copy.Generate(errors), 0) << errors;
  EXPECT_TRUE(errors.empty()) << errors;
  EXPECT_TRUE(fs::exists(copy.Folder() / "out.h"));
}

}  // namespace
