// The column list box: rows with their column texts in and out, the
// duplicate test, moving, sorting with item data kept, the rows' file form
// (bytes checked, vanished files dropped), UTF-16 rows, and a picture of the
// drawn rows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/controls/column_list_box.h"
#include "controls_test_util.h"
#include "foundation/string/file_records.h"
#include "platform/testing/ui.h"

namespace {

struct ListFixture {
  ctltest::CRecordingParent parent{300, 200};
  CColumnListBox list;
  explicit ListFixture(int columns, int codePage = CP_UTF8, DWORD extraStyle = 0) {
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                    extraStyle,
                CRect(10, 10, 290, 190), &parent, 1110);
    list.SetColumns(columns, codePage);
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) out.emplace_back(list.GetRowText(i).GetData());
    return out;
  }
  std::vector<std::string> Seconds() const {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) {
      AString text;
      list.GetThirdColumnText(i, text, true);
      out.emplace_back(text.GetData());
    }
    return out;
  }
  std::vector<DWORD_PTR> Data() const {
    std::vector<DWORD_PTR> out;
    for (int i = 0; i < list.GetCount(); ++i) out.push_back(list.GetItemData(i));
    return out;
  }
};

AString Utf16(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  AString out(static_cast<int>(bytes.size()), bytes.data());
  out.SetWide(true);
  return out;
}

TEST(ColumnListBox, DuplicateRowsAreRefusedByTheColumnTheModeNames) {
  struct Case {
    const char* what;
    const char* text;
    const char* second;
    int mode;
    int expected;  // row index or -1
  };
  // The list holds ("Sales", "/srv/sales.db") and ("Stock", "").
  const Case cases[] = {
      {"no unique mode adds a twin", "Sales", "/srv/sales.db", 0, 2},
      {"mode 1 looks at the first column", "Sales", "/other", 1, -1},
      {"mode 1 with a new text", "Orders", "/srv/sales.db", 1, 2},
      {"mode 2 looks at the second column, case ignored", "Other", "/SRV/Sales.DB", 2, -1},
      {"mode 2 with a new second text", "Sales", "/srv/new.db", 2, 2},
      {"mode 2 without a second text falls back to the first column", "Stock", "", 2, -1},
      {"the first column is compared exactly", "stock", "", 2, 2},
  };
  for (const Case& c : cases) {
    ListFixture f(2);
    ASSERT_EQ(f.list.AddRow("Sales", "/srv/sales.db"), 0);
    ASSERT_EQ(f.list.AddRow("Stock"), 1);
    EXPECT_EQ(f.list.AddRow(c.text, c.second, c.mode), c.expected) << c.what;
    if (c.mode == 0) continue;
    ListFixture g(2);
    g.list.AddRow("Sales", "/srv/sales.db");
    g.list.AddRow("Stock");
    EXPECT_EQ(g.list.AddRow(ColumnRow{c.text, c.second, c.mode}), c.expected) << c.what << " (as a row record)";
  }
}

TEST(ColumnListBox, RowsKeepTheirColumnTexts) {
  ListFixture f(2);
  f.list.AddRow("Alpha", "/a.db");
  f.list.AddRow("Beta");
  f.list.InsertRow(0, "Zero", "/z.db");
  EXPECT_EQ(f.Rows(), (std::vector<std::string>{"Zero", "Alpha", "Beta"}));
  EXPECT_EQ(f.Seconds(), (std::vector<std::string>{"/z.db", "/a.db", ""}));
  AString text;
  EXPECT_EQ(f.list.GetThirdColumnText(2, text, false), 1);
  EXPECT_STREQ(text.GetData(), "Beta") << "an empty second text gives the first when not exact";
  EXPECT_EQ(f.list.GetThirdColumnText(3, text, false), 0);
  EXPECT_EQ(f.list.GetTextLen(1), 5);
  EXPECT_EQ(f.list.GetMaxTextLen(), 5);
  EXPECT_EQ(f.list.FindExact(0, "Beta"), 2);
  EXPECT_EQ(f.list.FindExact(0, "Bet"), -1);
  EXPECT_EQ(f.list.DeleteRow(3), -1);
  EXPECT_EQ(f.list.DeleteRow(0), 2);
  EXPECT_EQ(f.Seconds(), (std::vector<std::string>{"/a.db", ""}));
  f.list.ResetContent();
  EXPECT_EQ(f.list.GetCount(), 0);
  EXPECT_EQ(f.list.m_firstColumn.GetSize(), 0);
  EXPECT_EQ(f.list.m_secondColumn.GetSize(), 0);
  ListFixture plain(1);
  plain.list.AddRow("x");
  EXPECT_EQ(plain.list.GetThirdColumnText(0, text, false), 0) << "one column has no third text";
}

TEST(ColumnListBox, MovingTheSelectedRow) {
  struct Case {
    int selected;
    int how;
    int result;
    std::vector<std::string> rows;
    int selectedAfter;
  };
  const Case cases[] = {
      {0, CColumnListBox::kMoveUp, 0, {"a", "b", "c", "d"}, 0},
      {0, CColumnListBox::kMoveTop, 0, {"a", "b", "c", "d"}, 0},
      {3, CColumnListBox::kMoveDown, 0, {"a", "b", "c", "d"}, 3},
      {3, CColumnListBox::kMoveBottom, 0, {"a", "b", "c", "d"}, 3},
      {-1, CColumnListBox::kMoveDown, 0, {"a", "b", "c", "d"}, -1},
      {2, CColumnListBox::kMoveUp, 1, {"a", "c", "b", "d"}, 1},
      {2, CColumnListBox::kMoveTop, 1, {"c", "a", "b", "d"}, 0},
      {1, CColumnListBox::kMoveDown, 1, {"a", "c", "b", "d"}, 2},
      {0, CColumnListBox::kMoveBottom, 1, {"b", "c", "d", "a"}, 3},
  };
  for (const Case& c : cases) {
    ListFixture f(2);
    for (const char* name : {"a", "b", "c", "d"}) {
      const int row = f.list.AddRow(name, (std::string("/") + name).c_str());
      f.list.SetItemData(row, static_cast<DWORD_PTR>(name[0]));
    }
    f.list.SetCurSel(c.selected);
    EXPECT_EQ(f.list.MoveSelection(c.how), c.result) << c.selected << " " << c.how;
    EXPECT_EQ(f.Rows(), c.rows);
    for (int i = 0; i < f.list.GetCount(); ++i) {
      EXPECT_EQ(f.Seconds()[i], "/" + c.rows[i]) << "the column text moves with its row";
      EXPECT_EQ(f.list.GetItemData(i), static_cast<DWORD_PTR>(c.rows[i][0])) << "and its item data";
    }
    EXPECT_EQ(f.list.GetCurSel(), c.selectedAfter) << "the moved row stays selected";
  }
}

TEST(ColumnListBox, SortingKeepsItemDataAndSecondTexts) {
  ListFixture f(2);
  const char* names[] = {"pear", "apple", "fig", "apples", "Zebra"};
  for (int i = 0; i < 5; ++i) {
    f.list.AddRow(names[i], (std::string("/") + names[i]).c_str());
    f.list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
  }
  EXPECT_EQ(f.list.Sort(true), 1);
  EXPECT_EQ(f.Rows(), (std::vector<std::string>{"Zebra", "apple", "apples", "fig", "pear"})) << "byte order";
  EXPECT_EQ(f.Data(), (std::vector<DWORD_PTR>{104, 101, 103, 102, 100}));
  EXPECT_EQ(f.Seconds(), (std::vector<std::string>{"/Zebra", "/apple", "/apples", "/fig", "/pear"}));
  EXPECT_EQ(f.list.Sort(false), 1);
  EXPECT_EQ(f.Rows(), (std::vector<std::string>{"pear", "fig", "apples", "apple", "Zebra"}));
  EXPECT_EQ(f.Data(), (std::vector<DWORD_PTR>{100, 102, 103, 101, 104}));
}

TEST(ColumnListBox, Utf16RowsSortByTheirBytesAndReadBackAsTheyWentIn) {
  ListFixture f(1, CColumnListBox::kUtf16CodePage);
  // Little-endian bytes: U+4E2D starts 2D 4E, U+0041 starts 41 00.
  f.list.AddRow(Utf16(u"\u4e2d\u6587"));
  f.list.AddRow(Utf16(u"A"));
  f.list.AddRow(Utf16(u"AB"));
  f.list.Sort(true);
  std::vector<std::u16string> rows;
  for (int i = 0; i < f.list.GetCount(); ++i) rows.push_back(f.list.ToListText(f.list.GetRowText(i)));
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"\u4e2d\u6587", u"A", u"AB"}));
  EXPECT_TRUE(f.list.GetRowText(0).IsWide());
  EXPECT_EQ(f.list.GetTextLen(0), 4);
  EXPECT_EQ(f.list.FindExact(0, Utf16(u"AB")), 2);
}

TEST(ColumnListBox, RowsSavedAndLoadedWithVanishedFilesDropped) {
  ctltest::Scratch dir;
  const std::string kept = dir.path() + "kept.txt", gone = dir.path() + "gone.txt";
  const std::string folder = dir.path().substr(0, dir.path().size() - 1);
  std::ofstream(kept) << "x";
  std::ofstream(gone) << "y";
  ListFixture f(0);
  f.list.AddRow(kept.c_str());
  f.list.AddRow(gone.c_str());
  f.list.AddRow(folder.c_str());
  const std::string saved = dir.path() + "rows.bin";
  {
    FilePtr file = OpenFile(saved.c_str(), "wb");
    ASSERT_TRUE(file);
    EXPECT_EQ(f.list.SerializeItems(false, file.get(), false), 1);
  }
  std::ifstream in(saved, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string expected("\x03\0\0\0", 4);
  for (const std::string& text : {kept, gone, folder}) {
    expected += std::string(1, static_cast<char>(text.size())) + std::string(3, '\0') + text;
  }
  EXPECT_EQ(bytes, expected);
  std::filesystem::remove(gone);
  ListFixture all(0), existing(0);
  {
    FilePtr file = OpenFile(saved.c_str(), "rb");
    EXPECT_EQ(all.list.SerializeItems(true, file.get(), false), 1);
  }
  {
    FilePtr file = OpenFile(saved.c_str(), "rb");
    EXPECT_EQ(existing.list.SerializeItems(true, file.get(), true), 1);
  }
  EXPECT_EQ(all.Rows(), (std::vector<std::string>{kept, gone, folder}));
  EXPECT_EQ(existing.Rows(), (std::vector<std::string>{kept, folder})) << "folders count as existing";
  // A file cut inside a record keeps what was read and says so.
  std::filesystem::resize_file(saved, 4 + 4 + kept.size() + 4 + 2);
  ListFixture cut(0);
  FilePtr file = OpenFile(saved.c_str(), "rb");
  EXPECT_EQ(cut.list.SerializeItems(true, file.get(), false), 0);
  EXPECT_EQ(cut.Rows(), (std::vector<std::string>{kept}));
}

TEST(ColumnListBox, ClearSelectionInBothSelectionModes) {
  ListFixture single(0);
  single.list.AddRow("a");
  single.list.AddRow("b");
  single.list.SetCurSel(1);
  EXPECT_EQ(single.list.ClearSelection(), 2);
  EXPECT_EQ(single.list.GetCurSel(), -1);
  ListFixture multi(0, CP_UTF8, LBS_EXTENDEDSEL);
  multi.list.AddRow("a");
  multi.list.AddRow("b");
  multi.list.SetSel(0);
  multi.list.SetSel(1);
  EXPECT_EQ(multi.list.GetSelCount(), 2);
  multi.list.ClearSelection();
  EXPECT_EQ(multi.list.GetSelCount(), 0);
}

TEST(ColumnListBox, RowsAreDrawnTwentyPixelsHighWithTheSelectionHighlighted) {
  ListFixture f(1);
  f.list.AddRow("First row");
  f.list.AddRow("Second row");
  f.list.AddRow("\xe4\xb8\xad\xe6\x96\x87 row");
  f.list.SetCurSel(1);
  uitest::RunUntilIdle();
  RECT item{};
  f.list.SendMessage(LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.bottom - item.top, CColumnListBox::kItemHeight);
  EXPECT_TRUE(uitest::SaveWindowPng(f.parent.m_hWnd, frametest::PicturePath("column_list_box.png")));
  // Sample the window's surface: the selected row's background is the
  // highlight colour, the others the window colour.
  HDC dc = ::GetDC(f.list.m_hWnd);
  EXPECT_EQ(::GetPixel(dc, item.right - 3, item.top + 1), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(::GetPixel(dc, item.right - 3, item.top - 10), ::GetSysColor(COLOR_WINDOW));
  ::ReleaseDC(f.list.m_hWnd, dc);
}

}  // namespace
