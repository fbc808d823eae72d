// Delimited text files: what Save writes is read by Python's csv module to
// the same cells, and what Python's csv module writes Load reads back; cells
// with delimiters, quotes, tabs, line breaks and CJK text included.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "grid_test_util.h"
#include "tests/scratch_folder.h"

using gridtest::Fixture;

namespace {

const std::vector<std::vector<std::string>> kTable = {
    {"Name", "Note", "Code"},
    {"plain", "a, b", "\"quoted\""},
    {"tab\there", "two\nlines", "汉字 and 한국어"},
    {"", "crlf\r\nin", "x"},
    {"end", "'single'", "trailing space "},
};

// Runs Python with a script; returns what it printed.
std::string Python(const std::string& script) {
  testfs::ScratchFolder folder("grid-py");
  const std::string path = folder.path() + "script.py";
  std::ofstream(path) << script;
  std::string out;
  if (FILE* pipe = popen(("python3 " + path).c_str(), "r")) {
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    pclose(pipe);
  }
  return out;
}

// The table as Python's repr of a list of lists, built by Python itself
// from hex so no quoting of ours is involved.
std::string HexRows(const std::vector<std::vector<std::string>>& rows) {
  std::ostringstream s;
  s << "[";
  for (const auto& row : rows) {
    s << "[";
    for (const auto& cell : row) {
      s << "bytes.fromhex('";
      for (unsigned char c : cell) s << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 15];
      s << "').decode('utf-8'),";
    }
    s << "],";
  }
  s << "]";
  return s.str();
}

void Fill(CGridCtrl& grid, const std::vector<std::vector<std::string>>& rows) {
  grid.SetRowCount(static_cast<int>(rows.size()));
  grid.SetColumnCount(static_cast<int>(rows[0].size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      grid.SetItemText(static_cast<int>(r), static_cast<int>(c),
                       AString(static_cast<int>(rows[r][c].size()), rows[r][c].data()));
}

std::vector<std::vector<std::string>> Cells(CGridCtrl& grid) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < grid.GetRowCount(); ++r) {
    rows.emplace_back();
    for (int c = 0; c < grid.GetColumnCount(); ++c) rows.back().push_back(gridtest::Text(grid.GetItemText(r, c)));
  }
  return rows;
}

}  // namespace

TEST(GridTextFile, PythonReadsWhatSaveWrites) {
  testfs::ScratchFolder folder("grid-csv");
  std::string script = "import csv\nexpected = " + HexRows(kTable) + "\n";
  int n = 0;
  for (const char* delimiter : {",", "\\t", ";"}) {
    Fixture f(1, 1, 0, 0);
    Fill(f.grid, kTable);
    const std::string path = folder / ("grid" + std::to_string(n++) + ".csv");
    ASSERT_TRUE(f.grid.Save(path.c_str(), delimiter[0] == '\\' ? '\t' : delimiter[0]));
    script += "rows = list(csv.reader(open('" + path + "', newline='', encoding='utf-8'), delimiter='" + delimiter +
              "'))\nprint('same' if rows == expected else repr(rows))\n";
  }
  EXPECT_EQ(Python(script), "same\nsame\nsame\n");
}

TEST(GridTextFile, LoadReadsWhatPythonWrites) {
  testfs::ScratchFolder folder("grid-csv");
  const std::string path = folder.path() + "python.csv";
  const std::string done = Python(
      "import csv\n"
      "w = csv.writer(open('" + path + "', 'w', newline='', encoding='utf-8'))\n"
      "w.writerows(" + HexRows(kTable) + ")\n"
      "print('written')\n");
  ASSERT_EQ(done, "written\n");
  Fixture f(2, 2, 0, 0);
  ASSERT_TRUE(f.grid.Load(path.c_str(), ','));
  EXPECT_EQ(Cells(f.grid), kTable);
  EXPECT_EQ(f.grid.GetItemFormat(0, 1), static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  EXPECT_EQ(f.grid.GetFixedRowCount(), 0);
}

TEST(GridTextFile, SaveThenLoadIsARoundTrip) {
  Fixture f(1, 1, 0, 0);
  Fill(f.grid, kTable);
  testfs::ScratchFolder folder("grid-csv");
  const std::string path = folder.path() + "round.txt";
  ASSERT_TRUE(f.grid.Save(path.c_str(), '\t'));
  Fixture g(3, 3, 1, 1);
  ASSERT_TRUE(g.grid.Load(path.c_str(), '\t'));
  EXPECT_EQ(Cells(g.grid), kTable);
}

TEST(GridTextFile, LoadIsRefusedInVirtualModeAndAMissingFileIsReported) {
  Fixture f(2, 2, 0, 0);
  f.grid.SetVirtualMode(true);
  EXPECT_FALSE(f.grid.Load("/nonexistent/file.csv", ','));
  f.grid.SetVirtualMode(false);
  f.grid.SetRowCount(2);
  f.grid.SetColumnCount(2);
  // A file that cannot be opened is reported and leaves the grid as it was.
  EXPECT_FALSE(f.grid.Load("/nonexistent/file.csv", ','));
  EXPECT_EQ(f.grid.GetRowCount(), 2);
}
