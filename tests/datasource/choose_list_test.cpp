// Choose-list files read as the text-mode stream they were written as.
#include <gtest/gtest.h>

#include "datasource/choose_list.h"
#include "datasource/data_folders.h"
#include "temp_folder.h"

namespace {

std::vector<uint8_t> ListBytes(std::initializer_list<std::string> items) {
  AArray<AString> list;
  for (const std::string& item : items) list.Add(AString(static_cast<int>(item.size()), item.data()));
  const AString bytes = ChooseListBytes(list);
  return std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetLength());
}

// The on-disk form of a stream written in text mode: LF stored as CR LF.
std::vector<uint8_t> TextMode(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> out;
  for (uint8_t b : stream) {
    if (b == 0x0A) out.push_back(0x0D);
    out.push_back(b);
  }
  return out;
}

std::vector<std::string> Items(const AArray<AString>& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetSize(); ++i) out.emplace_back(list[i].GetData(), static_cast<size_t>(list[i].GetLength()));
  return out;
}

TEST(ChooseList, TwoItemsAndTheirLongest) {
  TempFolder dir;
  SetDataFolder(DataFolder::kChooseLists, dir.path().c_str());
  WriteBytes(dir.File("sizes.chl"), ListBytes({"AB", "CDEF"}));
  AArray<AString> items;
  EXPECT_EQ(ReadChooseListFile(dir.File("sizes.chl").c_str(), &items), 2);
  EXPECT_EQ(Items(items), (std::vector<std::string>{"AB", "CDEF"}));
  EXPECT_EQ(GetChooseListMaxLength("sizes.chl"), 2);
  EXPECT_EQ(GetChooseListMaxLength("missing.chl"), 0);
  SetDataFolder(DataFolder::kChooseLists, "");
}

TEST(ChooseList, CrLfOnDiskReadsAsLf) {
  TempFolder dir;
  // Item "a\nb" and a length of 10 (0x0A) both pass through the translation.
  const std::vector<uint8_t> stream = ListBytes({"a\nb", "0123456789", std::string("\x1A" "z", 2)});
  const std::vector<uint8_t> disk = TextMode(stream);
  ASSERT_GT(disk.size(), stream.size());
  WriteBytes(dir.File("lf.chl"), disk);
  AArray<AString> items;
  EXPECT_EQ(ReadChooseListFile(dir.File("lf.chl").c_str(), &items), 3);
  EXPECT_EQ(Items(items), (std::vector<std::string>{"a\nb", "0123456789", std::string("\x1A" "z", 2)}));
}

TEST(ChooseList, RefusedHeadersKeepTheList) {
  TempFolder dir;
  struct Case {
    const char* why;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"count 0", Bytes(std::string("CHCE0001\0\0\0\0", 12))},
      {"negative count", Bytes(std::string("CHCE0001\xFF\xFF\xFF\xFF", 12))},
      {"foreign magic", Bytes(std::string("CNTR0001\x01\0\0\0\x01\0\0\0x", 17))},
      {"no count", Bytes("CHCE0001")},
  };
  for (const Case& c : cases) {
    WriteBytes(dir.File("bad.chl"), c.bytes);
    AArray<AString> items;
    items.Add("kept");
    EXPECT_EQ(ReadChooseListFile(dir.File("bad.chl").c_str(), &items), 0) << c.why;
    EXPECT_EQ(Items(items), (std::vector<std::string>{"kept"})) << c.why;
  }
}

TEST(ChooseList, AnItemThatEndsEarlyIsDropped) {
  TempFolder dir;
  std::vector<uint8_t> bytes = ListBytes({"one", "two"});
  bytes[8] = 3;  // says three items
  bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0x7F, 'x'});
  WriteBytes(dir.File("short.chl"), bytes);
  AArray<AString> items;
  EXPECT_EQ(ReadChooseListFile(dir.File("short.chl").c_str(), &items), 2);
  EXPECT_EQ(Items(items), (std::vector<std::string>{"one", "two"}));
}

}  // namespace
