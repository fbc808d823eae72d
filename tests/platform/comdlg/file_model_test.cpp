// The file dialog's model without windows: filter lists, pattern matching,
// paths typed by a person, sorting and the types shown for files.
#include <gtest/gtest.h>

#include "platform/comdlg/file_model.h"

namespace {

using comdlg::FileEntry;

TEST(FileModel, FilterListsSplitIntoDescriptionsAndPatterns) {
  const auto filters = comdlg::ParseFilter(u"Barcode Layout\0*.bcd\0Pictures\0*.png; *.bmp;*.jpg\0Odd\0\0");
  ASSERT_EQ(filters.size(), 2u) << "a description without patterns ends the list";
  EXPECT_EQ(filters[0].description, u"Barcode Layout");
  EXPECT_EQ(filters[0].patterns, (std::vector<std::u16string>{u"*.bcd"}));
  EXPECT_EQ(filters[1].patterns, (std::vector<std::u16string>{u"*.png", u"*.bmp", u"*.jpg"}));
  EXPECT_TRUE(comdlg::ParseFilter(nullptr).empty());
}

TEST(FileModel, PatternsMatchIgnoringCase) {
  struct Row {
    const char16_t* name;
    const char16_t* pattern;
    bool matches;
  };
  const Row rows[] = {
      {u"label.bcd", u"*.bcd", true},     {u"LABEL.BCD", u"*.bcd", true},  {u"label.bcd.bak", u"*.bcd", false},
      {u"README", u"*.*", true},          {u"README", u"*", true},         {u"a.b.c", u"*.c", true},
      {u"x1.txt", u"x?.txt", true},       {u"x12.txt", u"x?.txt", false},  {u"été.bcd", u"ÉTÉ.*", true},
      {u"abcabd", u"*ab?", true},         {u"", u"*", true},               {u"a", u"", false},
  };
  for (size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(comdlg::MatchesPattern(rows[i].name, rows[i].pattern), rows[i].matches) << "row " << i;
}

TEST(FileModel, TypedPathsResolveAgainstTheFolder) {
  struct Row {
    const char16_t* folder;
    const char16_t* typed;
    const char16_t* resolved;
  };
  const Row rows[] = {
      {u"/home/u", u"a.bcd", u"/home/u/a.bcd"},      {u"/home/u", u"../v/b", u"/home/v/b"},
      {u"/home/u", u"/etc//x/./y/", u"/etc/x/y"},    {u"/", u"..", u"/"},
      {u"/home/u", u"sub dir/name with spaces", u"/home/u/sub dir/name with spaces"},
  };
  for (const Row& r : rows) EXPECT_EQ(comdlg::ResolvePath(r.folder, r.typed), r.resolved);
  EXPECT_EQ(comdlg::ParentFolder(u"/home"), u"/");
  EXPECT_EQ(comdlg::ParentFolder(u"/"), u"/");
  EXPECT_EQ(comdlg::FileNamePart(u"/a/b c.d"), u"b c.d");
  EXPECT_EQ(comdlg::JoinPath(u"/", u"x"), u"/x");
}

TEST(FileModel, FoldersComeFirstAndEachKeyOrdersTheRest) {
  std::vector<FileEntry> entries = {
      {u"b.bcd", false, 30, 100, {}}, {u"Zed", true, 0, 50, {}},     {u"a.txt", false, 10, 300, {}},
      {u"C.bcd", false, 20, 200, {}}, {u"alpha", true, 0, 400, {}},
  };
  const auto names = [&] {
    std::vector<std::u16string> out;
    for (const FileEntry& e : entries) out.push_back(e.name);
    return out;
  };
  comdlg::NameTypes(entries, comdlg::ParseFilter(u"Barcode Layout\0*.bcd\0All\0*.*\0"));
  comdlg::SortEntries(entries, comdlg::SortKey::Name, false);
  EXPECT_EQ(names(), (std::vector<std::u16string>{u"alpha", u"Zed", u"a.txt", u"b.bcd", u"C.bcd"}));
  comdlg::SortEntries(entries, comdlg::SortKey::Size, true);
  EXPECT_EQ(names(), (std::vector<std::u16string>{u"Zed", u"alpha", u"b.bcd", u"C.bcd", u"a.txt"}))
      << "folders by name when sizes tie";
  comdlg::SortEntries(entries, comdlg::SortKey::Date, false);
  EXPECT_EQ(names(), (std::vector<std::u16string>{u"Zed", u"alpha", u"b.bcd", u"C.bcd", u"a.txt"}));
  comdlg::SortEntries(entries, comdlg::SortKey::Type, false);
  EXPECT_EQ(names(), (std::vector<std::u16string>{u"alpha", u"Zed", u"b.bcd", u"C.bcd", u"a.txt"}))
      << "\"Barcode Layout\" before \"TXT File\"";
  EXPECT_EQ(entries[2].type, u"Barcode Layout");
  EXPECT_EQ(entries[4].type, u"TXT File");
  EXPECT_EQ(entries[0].type, u"Folder");
}

}  // namespace
