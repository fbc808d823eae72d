// Build-time generator of the PDF417 and MicroPDF417 symbol tables: reads the
// plain-text tables of data/pdf417 (codeword patterns of the three clusters,
// start and stop patterns, MicroPDF417 row address patterns and symbol sizes),
// checks every count and property their README promises, and writes one C++
// header of constexpr tables. Any file that breaks a promise stops the build
// with a message naming the file and line.
//
// usage: pdf417_tables_gen <data folder> <output.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Failure {
  std::string message;
};

[[noreturn]] void Fail(const std::string& file, int line, const std::string& what) {
  throw Failure{file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + what};
}

// The records of a table file: its first line must be a '#' header; every
// further line is split at single spaces.
struct Record {
  int line;
  std::vector<std::string> fields;
};

std::vector<Record> ReadRecords(const std::string& folder, const std::string& name, size_t fieldCount) {
  const std::string path = folder + "/" + name;
  std::ifstream in(path);
  if (!in) Fail(name, 0, "cannot be read");
  std::string text;
  std::vector<Record> records;
  int line = 0;
  while (std::getline(in, text)) {
    ++line;
    if (line == 1) {
      if (text.empty() || text[0] != '#') Fail(name, 1, "the header line must start with '#'");
      continue;
    }
    Record r{line, {}};
    size_t start = 0;
    for (;;) {
      const size_t space = text.find(' ', start);
      r.fields.push_back(text.substr(start, space == std::string::npos ? std::string::npos : space - start));
      if (r.fields.back().empty()) Fail(name, line, "fields must be separated by exactly one space");
      if (space == std::string::npos) break;
      start = space + 1;
    }
    if (r.fields.size() != fieldCount)
      Fail(name, line, "expected " + std::to_string(fieldCount) + " fields, found " + std::to_string(r.fields.size()));
    records.push_back(std::move(r));
  }
  if (line == 0) Fail(name, 0, "is empty");
  return records;
}

int Number(const std::string& file, const Record& r, size_t field, int low, int high) {
  const std::string& s = r.fields[field];
  if (s.empty() || s.size() > 4 || s.find_first_not_of("0123456789") != std::string::npos)
    Fail(file, r.line, "field " + std::to_string(field + 1) + " is not a number: " + s);
  const int value = std::stoi(s);
  if (value < low || value > high)
    Fail(file, r.line, "field " + std::to_string(field + 1) + " = " + s + " lies outside " + std::to_string(low) +
                           ".." + std::to_string(high));
  return value;
}

// A bar-space pattern given twice, as element widths and as modules; both
// must agree, start with a bar and have the stated sizes. Returns the modules
// as a number, the first module in the highest bit.
uint32_t Pattern(const std::string& file, const Record& r, size_t widthField, size_t elements, int maxWidth,
                 int modules) {
  const std::string& widths = r.fields[widthField];
  const std::string& bits = r.fields[widthField + 1];
  if (widths.size() != elements) Fail(file, r.line, "expected " + std::to_string(elements) + " widths: " + widths);
  if (static_cast<int>(bits.size()) != modules)
    Fail(file, r.line, "expected " + std::to_string(modules) + " modules: " + bits);
  std::string expanded;
  for (size_t i = 0; i < widths.size(); ++i) {
    const int w = widths[i] - '0';
    if (w < 1 || w > maxWidth) Fail(file, r.line, "element width outside 1.." + std::to_string(maxWidth) + ": " + widths);
    expanded.append(static_cast<size_t>(w), i % 2 == 0 ? '1' : '0');
  }
  if (static_cast<int>(expanded.size()) != modules)
    Fail(file, r.line, "widths add up to " + std::to_string(expanded.size()) + ", not " + std::to_string(modules));
  if (expanded != bits) Fail(file, r.line, "modules " + bits + " do not match widths " + widths);
  uint32_t value = 0;
  for (char c : bits) value = (value << 1) | static_cast<uint32_t>(c == '1');
  return value;
}

constexpr int kClusterValues = 929;

// clusters.txt: 3 x 929 patterns of 17 modules, in cluster and value order.
std::array<std::array<uint32_t, kClusterValues>, 3> ReadClusters(const std::string& folder) {
  const std::string file = "clusters.txt";
  const std::vector<Record> records = ReadRecords(folder, file, 4);
  if (records.size() != 3u * kClusterValues)
    Fail(file, 0, "holds " + std::to_string(records.size()) + " records, not 2787");
  std::array<std::array<uint32_t, kClusterValues>, 3> table{};
  std::set<uint32_t> seen;
  for (size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    const int cluster = Number(file, r, 0, 0, 6);
    const int value = Number(file, r, 1, 0, kClusterValues - 1);
    const int expectedCluster = 3 * static_cast<int>(i / kClusterValues);
    if (cluster != expectedCluster || value != static_cast<int>(i % kClusterValues))
      Fail(file, r.line, "records must run through clusters 0, 3, 6 and values 0..928 in order");
    const uint32_t modules = Pattern(file, r, 2, 8, 6, 17);
    const std::string& w = r.fields[2];
    const int e1 = w[0] - '0', e3 = w[2] - '0', e5 = w[4] - '0', e7 = w[6] - '0';
    if ((e1 - e3 + e5 - e7 + 9) % 9 != cluster) Fail(file, r.line, "the bar widths do not belong to this cluster");
    if (!seen.insert(modules).second) Fail(file, r.line, "the pattern appears twice");
    table[cluster / 3][value] = modules;
  }
  return table;
}

struct StartStop {
  uint32_t start, stop;
};

StartStop ReadStartStop(const std::string& folder) {
  const std::string file = "start_stop.txt";
  const std::vector<Record> records = ReadRecords(folder, file, 3);
  if (records.size() != 2) Fail(file, 0, "must hold exactly the start and the stop pattern");
  if (records[0].fields[0] != "start" || records[0].fields[1] != "81111113")
    Fail(file, records[0].line, "the start pattern must be 81111113");
  if (records[1].fields[0] != "stop" || records[1].fields[1] != "711311121")
    Fail(file, records[1].line, "the stop pattern must be 711311121");
  return {Pattern(file, records[0], 1, 8, 8, 17), Pattern(file, records[1], 1, 9, 7, 18)};
}

constexpr int kRowAddressCount = 52;

struct RowAddress {
  std::array<uint32_t, kRowAddressCount> side{}, centre{};
};

// micro_rap.txt: 52 side and 52 centre patterns of 10 modules, numbered 1..52.
RowAddress ReadRowAddress(const std::string& folder) {
  const std::string file = "micro_rap.txt";
  const std::vector<Record> records = ReadRecords(folder, file, 4);
  if (records.size() != 2u * kRowAddressCount) Fail(file, 0, "holds " + std::to_string(records.size()) + " records, not 104");
  RowAddress table;
  std::array<std::set<int>, 2> numbers;
  std::set<uint32_t> seen;
  for (const Record& r : records) {
    const bool side = r.fields[0] == "side";
    if (!side && r.fields[0] != "centre") Fail(file, r.line, "the set must be side or centre: " + r.fields[0]);
    const int number = Number(file, r, 1, 1, kRowAddressCount);
    if (!numbers[side ? 0 : 1].insert(number).second) Fail(file, r.line, "the number appears twice in its set");
    const uint32_t modules = Pattern(file, r, 2, 6, 10, 10);
    if ((modules & 1u) != 0) Fail(file, r.line, "a row address pattern ends with a space");
    if (!seen.insert(modules).second) Fail(file, r.line, "the pattern appears twice");
    (side ? table.side : table.centre)[number - 1] = modules;
  }
  return table;
}

struct MicroSize {
  int columns, rows, check, leftStart, centreStart, rightStart;
};

// micro_sizes.txt: the 34 sizes, by column count and then row count, 4 x 4 last.
std::vector<MicroSize> ReadMicroSizes(const std::string& folder) {
  const std::string file = "micro_sizes.txt";
  const std::vector<Record> records = ReadRecords(folder, file, 8);
  if (records.size() != 34) Fail(file, 0, "holds " + std::to_string(records.size()) + " records, not 34");
  std::vector<MicroSize> sizes;
  for (size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    if (Number(file, r, 0, 0, 33) != static_cast<int>(i)) Fail(file, r.line, "the index must count 0..33 in order");
    MicroSize s{};
    s.columns = Number(file, r, 1, 1, 4);
    s.rows = Number(file, r, 2, 4, 44);
    s.check = Number(file, r, 3, 7, 50);
    s.leftStart = Number(file, r, 4, 1, kRowAddressCount);
    s.centreStart = Number(file, r, 5, 0, kRowAddressCount);
    s.rightStart = Number(file, r, 6, 1, kRowAddressCount);
    const int topCluster = Number(file, r, 7, 0, 6);
    if ((s.centreStart == 0) != (s.columns <= 2))
      Fail(file, r.line, "only three- and four-column symbols have a centre column");
    if (topCluster != 3 * ((s.leftStart - 1) % 3)) Fail(file, r.line, "the top cluster does not follow the left start");
    if (s.leftStart - 1 + s.rows > kRowAddressCount) Fail(file, r.line, "the left row addresses wrap around");
    if (s.check >= s.columns * s.rows) Fail(file, r.line, "no room for data codewords");
    const bool last = i + 1 == records.size();
    if (last ? (s.columns != 4 || s.rows != 4) : !sizes.empty() && (s.columns < sizes.back().columns ||
                                                                    (s.columns == sizes.back().columns &&
                                                                     s.rows <= sizes.back().rows)))
      Fail(file, r.line, "sizes must run by columns and then rows, with 4 x 4 last");
    sizes.push_back(s);
  }
  return sizes;
}

void WritePatterns(std::ostream& out, const char* name, const char* type, const uint32_t* values, size_t count) {
  out << "inline constexpr std::array<" << type << ", " << count << "> " << name << "{{";
  for (size_t i = 0; i < count; ++i) out << (i % 12 == 0 ? "\n    " : " ") << "0x" << std::hex << values[i] << std::dec << ",";
  out << "\n}};\n\n";
}

std::string Generate(const std::string& folder) {
  const auto clusters = ReadClusters(folder);
  const StartStop startStop = ReadStartStop(folder);
  const RowAddress rap = ReadRowAddress(folder);
  const std::vector<MicroSize> sizes = ReadMicroSizes(folder);

  std::ostringstream out;
  out << "// Generated at build time by pdf417_tables_gen from data/pdf417. Do not edit.\n"
         "#pragma once\n\n#include <array>\n#include <cstdint>\n\n"
         "#include \"barcode/pdf417/pdf417_table_types.h\"\n\n"
         "namespace kalvo::pdf417 {\n\n"
         "// Codeword patterns of clusters 0, 3 and 6 (17 modules, first module in bit 16).\n"
         "inline constexpr std::array<std::array<uint32_t, 929>, 3> ClusterPatterns{{\n";
  for (const auto& cluster : clusters) {
    out << "  {{";
    for (size_t i = 0; i < cluster.size(); ++i) out << (i % 12 == 0 ? "\n    " : " ") << "0x" << std::hex << cluster[i] << std::dec << ",";
    out << "\n  }},\n";
  }
  out << "}};\n\n";
  out << "inline constexpr uint32_t StartPattern = 0x" << std::hex << startStop.start << ";  // 17 modules\n"
      << "inline constexpr uint32_t StopPattern = 0x" << startStop.stop << std::dec << ";  // 18 modules\n\n";
  out << "// MicroPDF417 row address patterns 1..52 at index 0..51 (10 modules, first in bit 9).\n";
  WritePatterns(out, "SideRowAddressPatterns", "uint16_t", rap.side.data(), rap.side.size());
  WritePatterns(out, "CentreRowAddressPatterns", "uint16_t", rap.centre.data(), rap.centre.size());
  out << "// columns, rows, check codewords; row address starts less one (-1: no centre column).\n"
         "inline constexpr std::array<MicroPdfSize, 34> MicroPdfSizeTable{{\n";
  for (const MicroSize& s : sizes)
    out << "    {" << s.columns << ", " << s.rows << ", " << s.check << ", " << s.leftStart - 1 << ", "
        << s.centreStart - 1 << ", " << s.rightStart - 1 << "},\n";
  out << "}};\n\n}  // namespace kalvo::pdf417\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <data folder> <output.h>\n", argv[0]);
    return 2;
  }
  std::string text;
  try {
    text = Generate(argv[1]);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "pdf417 tables: %s\n", failure.message.c_str());
    return 1;
  }
  const std::string tmpName = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(tmpName);
    out << text;
    if (!out.flush()) return 1;
  }
  return std::rename(tmpName.c_str(), argv[2]) == 0 ? 0 : 1;
}
