// The chosen records of a binding in the layout's stream: kept by their key
// values in the entry's spare string, read back without places; a spare
// string that is not a whole selection reads as no selection.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fields/services/db_binding_map.h"
#include "temp_folder.h"

namespace {

std::string Key(std::initializer_list<const char*> values) {
  std::string key;
  for (const char* v : values) AppendRecordKeyValue(&key, v, v ? std::strlen(v) : 0);
  return key;
}

CDbBinding Chosen() {
  CDbBinding b;
  b.keyColumn = "grp";
  b.keyColumns = {AString("grp"), AString("n")};
  b.SetSelection({{18, 1, 0, Key({"2", "7"})}, {25, 2, 0, Key({nullptr, "3"})}});
  return b;
}

std::vector<uint8_t> Write(const CDbBinding& b, const std::string& path) {
  CDbBindingMap map;
  map.SetAt(MakeDbBindingKey("S", "T"), b);
  FILE* f = std::fopen(path.c_str(), "wb");
  EXPECT_EQ(map.Serialize(false, f), 1);
  std::fclose(f);
  return ReadBytes(path);
}

CDbBinding Read(const std::vector<uint8_t>& bytes, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  f = std::fopen(path.c_str(), "rb");
  CDbBindingMap map;
  EXPECT_EQ(map.Serialize(true, f), 1);
  std::fclose(f);
  CDbBinding b;
  EXPECT_TRUE(map.Lookup("S;;;;T", b));
  return b;
}

TEST(DbSelectionStore, ChosenRecordsComeBackByTheirKeyValues) {
  TempFolder dir;
  const CDbBinding back = Read(Write(Chosen(), dir.File("a.bin")), dir.File("b.bin"));
  ASSERT_EQ(back.keyColumns.size(), 2u);
  EXPECT_STREQ(back.keyColumns[0].GetData(), "grp");
  EXPECT_STREQ(back.keyColumns[1].GetData(), "n");
  ASSERT_EQ(back.selection.size(), 2u);
  EXPECT_EQ(back.selection[0].key, Key({"2", "7"}));
  EXPECT_EQ(back.selection[1].key, Key({nullptr, "3"}));
  EXPECT_EQ(back.selection[0].quantity, 1);
  EXPECT_EQ(back.selection[1].quantity, 2);
  // Places are found again in the table, never taken from the file.
  EXPECT_EQ(back.selection[0].record, 0);
  EXPECT_EQ(back.selectedCount, 2);
  EXPECT_EQ(back.totalQuantity, 3);
  EXPECT_EQ(DescribeRecordKey(back.selection[1].key), "NULL, 3");
}

TEST(DbSelectionStore, RecordsKnownByPlaceOnlyLeaveTheSpareStringEmpty) {
  TempFolder dir;
  CDbBinding b = Chosen();
  b.keyColumns.clear();
  const std::vector<uint8_t> bytes = Write(b, dir.File("a.bin"));
  // The flag, an empty spare string and 16 empty slots end the entry.
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 164, bytes.end()), std::vector<uint8_t>(164, 0));
  EXPECT_TRUE(Read(bytes, dir.File("b.bin")).selection.empty());
}

// Where the spare string starts: after the count, the key "S;;;;T", the key
// column "grp", the empty key value text (length, two flags, code page)
// and the flag.
size_t SpareAt() { return 4 + (4 + 6) + (4 + 3) + (4 + 1 + 1 + 2) + 4; }

TEST(DbSelectionStore, ASelectionThatIsNotWholeReadsAsNone) {
  TempFolder dir;
  const std::vector<uint8_t> good = Write(Chosen(), dir.File("a.bin"));
  const size_t spare = SpareAt() + 4;  // behind the spare string's length
  ASSERT_EQ(std::string(good.begin() + static_cast<long>(spare), good.begin() + static_cast<long>(spare) + 4), "TSEL");
  struct Damage {
    const char* what;
    size_t offset;  // from the start of the spare string's bytes
    uint8_t value;
  };
  const Damage damages[] = {
      {"another mark", 0, 'X'},
      {"another version", 4, 2},
      {"no key columns", 8, 0},
      {"a key column longer than the string", 12, 0xFF},
      {"more records than the string holds", 12 + 4 + 3 + 4 + 1, 0x7F},
  };
  for (const Damage& d : damages) {
    std::vector<uint8_t> bytes = good;
    bytes[spare + d.offset] = d.value;
    const CDbBinding back = Read(bytes, dir.File("b.bin"));
    EXPECT_TRUE(back.selection.empty()) << d.what;
    EXPECT_TRUE(back.keyColumns.empty()) << d.what;
    EXPECT_STREQ(back.keyColumn.GetData(), "grp") << d.what;
  }
}

}  // namespace
