// The application-identifier file read line by line: lines that lack a part
// of a record (an identifier, a title, a length) are passed over, and the
// lines around them still load. A line with nothing after its title once
// copied from no memory at all (undefined behaviour the sanitizer stops on).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <string_view>

#include "barcode/frame/tables.h"
#include "tests/scratch_folder.h"

namespace {

struct Line {
  std::string_view text;
  const char* identifier;  // null: the line holds no record
};

constexpr Line kLines[] = {
    {"00 \"x\"", nullptr},                 // no length at all
    {"01 \"GTIN\"   \t", nullptr},         // only blanks after the title
    {"   \"no identifier\" 5 N", nullptr},  // blanks where the identifier goes
    {"02 \"\" 14 N", nullptr},              // an empty title
    {"03 \"   \" 14 N", nullptr},           // a title of blanks
    {std::string_view("0\0 \"x\" 5 N", 10), nullptr},   // a NUL byte ends the identifier early
    {std::string_view("04 \"\0x\" 5 N", 11), nullptr},  // a NUL byte empties the title
    {"; 03 \"a comment\" 5", nullptr},
    {"10 \"BATCH/LOT\" 1-20 AN", "10"},
    {"17 \"USE BY\" 6 N", "17"},
};

TEST(AiFile, LinesWithoutALengthOrIdentifierArePassedOver) {
  testfs::ScratchFolder folder("ai-file");
  ASSERT_FALSE(folder.path().empty());
  {
    std::ofstream out(folder / "internal1.dat", std::ios::binary);
    for (const Line& line : kLines) {
      for (const char c : line.text) out.put(static_cast<char>(c ^ 0x5C));
      out.put('\n');
    }
  }
  std::vector<typAIdef> table(16);
  LONG count = -1;
  ASSERT_TRUE(kalvo::ReadApplicationIdentifiers(folder.path(), table.data(), 16, &count));
  std::vector<std::string> expected, read;
  for (const Line& line : kLines)
    if (line.identifier) expected.push_back(line.identifier);
  for (LONG i = 0; i < count; ++i) read.push_back(table[static_cast<size_t>(i)].identifier);
  EXPECT_EQ(read, expected);
  EXPECT_EQ(table[0].minLength, 1);
  EXPECT_EQ(table[0].maxLength, 20);
}

TEST(AiFile, EachLineOnItsOwn) {
  for (const Line& line : kLines) {
    SCOPED_TRACE(line.text);
    typAIdef record{};
    EXPECT_EQ(kalvo::ParseApplicationIdentifierLine(line.text, &record), line.identifier != nullptr);
    if (line.identifier) {
      EXPECT_STREQ(record.identifier, line.identifier);
    }
  }
}

}  // namespace
