// Strings In File: entries cut at the separator, read chunk by chunk as the
// labels ask for them, against a plain split of the same text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datasource/db_bindings.h"
#include "datasource/strings_file.h"
#include "fields/model/field_kinds.h"
#include "temp_folder.h"

namespace {

std::string Value(CStringsFileMap& run, const std::string& path, WORD separator, int n, int* result = nullptr) {
  AString out;
  const int r = GetStringsInFileValue(run, path.c_str(), separator, n, &out);
  if (result) *result = r;
  return std::string(out.GetData(), static_cast<size_t>(out.GetLength()));
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of("\r\n \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of("\r\n \t") - a + 1);
}

TEST(StringsFile, CommaSeparatedEntriesAreTrimmed) {
  TempFolder dir;
  WriteText(dir.File("abc.txt"), "A, B ,C");
  CStringsFileMap run;
  EXPECT_EQ(Value(run, dir.File("abc.txt"), ',', 0), "A");
  EXPECT_EQ(Value(run, dir.File("abc.txt"), ',', 1), "B");
  EXPECT_EQ(Value(run, dir.File("abc.txt"), ',', 2), "C");
  int result = 1;
  EXPECT_EQ(Value(run, dir.File("abc.txt"), ',', 5, &result), "");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(run.GetCount(), 1);
}

TEST(StringsFile, LinesWithCrLfLoseTheirCr) {
  TempFolder dir;
  WriteText(dir.File("lines.txt"), "first\r\nsecond line\r\nthird\r\n");
  CStringsFileMap run;
  EXPECT_EQ(Value(run, dir.File("lines.txt"), '\n', 0), "first");
  EXPECT_EQ(Value(run, dir.File("lines.txt"), '\n', 1), "second line");
  EXPECT_EQ(Value(run, dir.File("lines.txt"), '\n', 2), "third");
  int result = 1;
  Value(run, dir.File("lines.txt"), '\n', 3, &result);
  EXPECT_EQ(result, 0);
}

TEST(StringsFile, AMissingFilePrintsNothing) {
  TempFolder dir;
  CStringsFileMap run;
  int result = 1;
  EXPECT_EQ(Value(run, dir.File("none.txt"), ',', 0, &result), "");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(run.GetCount(), 0);
}

TEST(StringsFile, TwoThousandEntriesAgainstAPlainSplit) {
  TempFolder dir;
  std::string text;
  std::vector<std::string> expected;
  for (int i = 0; i < 2000; ++i) {
    // Lengths vary so that entries run across the 1023-byte chunks.
    std::string entry = "item-" + std::to_string(i) + std::string(static_cast<size_t>(i * 7 % 41), 'x');
    if (i % 3 == 0) entry = "  " + entry + " ";
    text += entry + ";";
    expected.push_back(Trim(entry));
  }
  text += "  tail  ";
  expected.push_back("tail");
  WriteText(dir.File("many.txt"), text);
  CStringsFileMap run;
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(Value(run, dir.File("many.txt"), ';', static_cast<int>(i)), expected[i]) << i;
  }
  // Asked out of order, from a fresh run, the answers are the same.
  CStringsFileMap again;
  for (size_t i : {1999u, 3u, 1500u, 2000u}) EXPECT_EQ(Value(again, dir.File("many.txt"), ';', static_cast<int>(i)), expected[i]) << i;
}

TEST(StringsFile, AnEntryIsNotCutWhereAChunkEnds) {
  TempFolder dir;
  // The first chunk ends inside the second entry; entry 0 is asked first.
  const std::string second(2000, 'b');
  WriteText(dir.File("long.txt"), "a," + second + ",c");
  CStringsFileMap run;
  EXPECT_EQ(Value(run, dir.File("long.txt"), ',', 0), "a");
  EXPECT_EQ(Value(run, dir.File("long.txt"), ',', 1), second);
  EXPECT_EQ(Value(run, dir.File("long.txt"), ',', 2), "c");
}

TEST(StringsFile, Utf16FilesSplitOnTheSixteenBitSeparator) {
  TempFolder dir;
  // "中,文,x" in UTF-16LE with a mark; 0x4E2D holds no ',' byte but 0x2C00 would.
  const std::vector<uint8_t> le = {0xFF, 0xFE, 0x2D, 0x4E, 0x2C, 0x00, 0x87, 0x65, 0x2C, 0x00, 0x00, 0x2C, 0x0D, 0x00, 0x2C, 0x00};
  WriteBytes(dir.File("wide.txt"), le);
  CStringsFileMap run;
  AString out;
  ASSERT_EQ(GetStringsInFileValue(run, dir.File("wide.txt").c_str(), ',', 0, &out), 1);
  EXPECT_TRUE(out.IsWide());
  EXPECT_EQ(std::string(out.GetData(), 2), std::string("\x2D\x4E", 2));
  ASSERT_EQ(GetStringsInFileValue(run, dir.File("wide.txt").c_str(), ',', 1, &out), 1);
  EXPECT_EQ(std::string(out.GetData(), 2), std::string("\x87\x65", 2));
  ASSERT_EQ(GetStringsInFileValue(run, dir.File("wide.txt").c_str(), ',', 2, &out), 1);
  EXPECT_EQ(std::string(out.GetData(), static_cast<size_t>(out.GetLength())), std::string("\x00\x2C", 2));
  // Big-endian with a mark: the units are turned to little-endian.
  const std::vector<uint8_t> be = {0xFE, 0xFF, 0x4E, 0x2D, 0x00, 0x2C, 0x65, 0x87};
  WriteBytes(dir.File("wide_be.txt"), be);
  ASSERT_EQ(GetStringsInFileValue(run, dir.File("wide_be.txt").c_str(), ',', 1, &out), 1);
  EXPECT_EQ(std::string(out.GetData(), static_cast<size_t>(out.GetLength())), std::string("\x87\x65", 2));
}

TEST(StringsFile, AFieldReadsItsFileThroughTheRun) {
  TempFolder dir;
  WriteText(dir.File("field.txt"), "red\ngreen\nblue");
  CTextField field;
  field.dataSourceType = 11;
  field.stringsFile = dir.File("field.txt").c_str();
  field.stringsDelimiter = '\n';
  CDataRunContext run;
  AString out;
  EXPECT_EQ(GetStringsInFileValue(run, field, 1, &out), 1);
  EXPECT_STREQ(out.GetData(), "green");
  EXPECT_EQ(GetStringsInFileValue(run, field, 3, &out), 0);
  EXPECT_EQ(run.stringsFiles.GetCount(), 1);
}

}  // namespace
