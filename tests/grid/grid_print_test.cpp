// Printing the grid into a printer device context whose document goes to a
// PDF file, read back with poppler's pdfinfo and pdftotext: the page count,
// "Page n of m" on every page, and every row printed exactly once.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>

#include "grid_test_util.h"
#include "platform/gdi/printer_settings.h"
#include "tests/scratch_folder.h"

using gridtest::Fixture;

namespace {

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    pclose(pipe);
  }
  return out;
}

struct Printed {
  int pages = 0;                    // pdfinfo's count
  std::vector<std::string> footers;  // tesseract's reading of each page's foot
};

// The pages are pictures: poppler renders the foot of each and tesseract
// reads it.
Printed PrintToPdf(CGridCtrl& grid, const std::string& pdf, bool readFooters) {
  // A letter page at 100 dots per inch keeps the pages small to render.
  gdi::PrinterSettings settings;
  settings.dpiX = settings.dpiY = 100;
  settings.page = SIZE{850, 1100};
  settings.printableOffset = POINT{25, 25};
  settings.printable = SIZE{800, 1050};
  gdi::RegisterPrinterSettings("Grid Test Printer", settings);
  CPrintInfo info;
  info.m_hPrinterDC = CreateDCA("WINSPOOL", "Grid Test Printer", nullptr, nullptr);
  EXPECT_TRUE(grid.Print(&info, pdf.c_str()));
  Printed printed;
  const std::string summary = Shell("pdfinfo '" + pdf + "'");
  std::smatch m;
  if (std::regex_search(summary, m, std::regex("Pages:\\s+(\\d+)"))) printed.pages = std::stoi(m[1]);
  if (!readFooters) return printed;
  const std::string stem = pdf.substr(0, pdf.size() - 4);
  Shell("pdftoppm -r 100 -gray -png -y 900 -H 200 -W 850 '" + pdf + "' '" + stem + "'");
  for (int page = 1; page <= printed.pages; ++page) {
    char name[32];
    std::snprintf(name, sizeof name, "-%0*d.png", printed.pages >= 10 ? 2 : 1, page);
    printed.footers.push_back(Shell("OMP_THREAD_LIMIT=1 tesseract '" + stem + name + "' - --psm 6 2>/dev/null"));
  }
  return printed;
}

// A cell that counts how often each row is printed.
class CCountingCell : public CGridCell {
  DECLARE_DYNCREATE(CCountingCell)

 public:
  static std::map<int, int>& Printed() {
    static std::map<int, int> rows;
    return rows;
  }
  BOOL PrintCell(HDC dc, int row, int col, RECT rect) override {
    if (col == 1) ++Printed()[row];
    return CGridCell::PrintCell(dc, row, col, rect);
  }
};
IMPLEMENT_DYNCREATE(CCountingCell, CGridCell)

struct PrintFixture : Fixture {
  PrintFixture(int rows, int cols) : Fixture(1, 1, 0, 0) {
    grid.SetDefaultCellType(RUNTIME_CLASS(CCountingCell));
    grid.DeleteAllItems();
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) grid.SetItemTextFmt(r, c, "r%dc%d", r, c);
    CCountingCell::Printed().clear();
  }
  // Each non-fixed row printed once (column 1 counted), the heading row once per page.
  void ExpectEveryRowOnce(int pages) {
    EXPECT_EQ(CCountingCell::Printed()[0], pages) << "headings on every page";
    for (int r = 1; r < grid.GetRowCount(); ++r) EXPECT_EQ(CCountingCell::Printed()[r], 1) << "row " << r;
  }
};

}  // namespace

TEST(GridPrint, PagesCarryTheirNumberAndEveryRowOnce) {
  PrintFixture f(70, 3);
  testfs::ScratchFolder folder("grid-print");
  const Printed printed = PrintToPdf(f.grid, folder / "grid.pdf", true);
  ASSERT_GT(printed.pages, 1);
  EXPECT_EQ(printed.pages, f.grid.GetPrintPageCount());
  ASSERT_EQ(static_cast<int>(printed.footers.size()), printed.pages);
  for (int page = 1; page <= printed.pages; ++page) {
    const std::string footer = "Page " + std::to_string(page) + " of " + std::to_string(printed.pages);
    EXPECT_NE(printed.footers[page - 1].find(footer), std::string::npos) << footer << " in " << printed.footers[page - 1];
  }
  f.ExpectEveryRowOnce(printed.pages);
  Shell("pdftoppm -r 60 -png -f 1 -l 1 -singlefile '" + folder / "grid.pdf" + "' '" +
      gridtest::PicturePath("grid_printed_page1") + "'");
}

TEST(GridPrint, ARowTallerThanAPageIsPrintedInSlices) {
  PrintFixture f(8, 3);
  testfs::ScratchFolder folder("grid-print");
  const Printed plain = PrintToPdf(f.grid, folder / "plain.pdf", false);
  ASSERT_EQ(plain.pages, 1);
  f.ExpectEveryRowOnce(1);
  f.grid.SetRowHeight(4, 2500);  // several pages tall at any scale of this narrow grid
  CCountingCell::Printed().clear();
  const Printed tall = PrintToPdf(f.grid, folder / "tall.pdf", false);
  EXPECT_GT(tall.pages, 2);
  EXPECT_EQ(tall.pages, f.grid.GetPrintPageCount());
  // The tall row starts a page of its own and appears on each page it
  // spans, every page after the first; every other row once.
  EXPECT_EQ(CCountingCell::Printed()[4], tall.pages - 1);
  for (int r : {1, 2, 3, 5, 6, 7}) EXPECT_EQ(CCountingCell::Printed()[r], 1) << r;
}
