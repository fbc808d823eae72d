// Plain text in code pages, and copies into callers' buffers that never
// pass their size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/richedit/plain_text.h"
#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richtest::Utf16;
using richtest::Utf8;

struct CodePageCase {
  UINT codePage;
  const char* text;     // UTF-8
  const char* encoded;  // the bytes in the code page
  size_t encodedSize;
};

// Encodings from the code pages' published tables.
const CodePageCase kCases[] = {
    {1252, "café €", "caf\xE9 \x80", 6},
    {936, "中文a", "\xD6\xD0\xCE\xC4" "a", 5},
    {950, "中文a", "\xA4\xA4\xA4\xE5" "a", 5},
    {932, "あいa", "\x82\xA0\x82\xA2" "a", 5},
    {949, "가나a", "\xB0\xA1\xB3\xAA" "a", 5},
    {1200, "中a", "\x2D\x4E" "a\x00", 4},
};

TEST(RichPlainText, EachCodePageInAndOut) {
  for (const auto& c : kCases) {
    const std::string bytes(c.encoded, c.encodedSize);
    EXPECT_EQ(Utf8(richedit::DecodeText(richtest::Bytes(bytes), c.codePage)), c.text) << c.codePage;
    EXPECT_EQ(richedit::EncodeText(Utf16(c.text), c.codePage), bytes) << c.codePage;
  }
}

TEST(RichPlainText, LineEnds) {
  EXPECT_EQ(Utf8(richedit::ImportLineEnds(u"a\r\nb\nc\rd")), "a\nb\nc\nd");
  EXPECT_EQ(richedit::ImportLineEnds(u"a\r\nb"), u"a\rb");
  EXPECT_EQ(richedit::ExportLineEnds(u"a\rb\r", true), u"a\r\nb\r\n");
  EXPECT_EQ(richedit::ExportLineEnds(u"a\rb", false), u"a\rb");
}

TEST(RichPlainText, CopiesNeverPassTheBuffer) {
  struct Case {
    UINT codePage;
    const char* text;
    size_t bufferBytes;
    LONG copied;           // characters: units in 1200, bytes otherwise
    const char* expected;  // what the buffer holds, UTF-8
  };
  const Case cases[] = {
      {1252, "hello", 100, 5, "hello"},
      {1252, "hello", 6, 5, "hello"},
      {1252, "hello", 5, 4, "hell"},
      {1252, "hello", 1, 0, ""},
      {1252, "hello", 0, 0, nullptr},
      {936, "中文", 5, 4, "中文"},
      {936, "中文", 4, 2, "中"},  // never half of a double-byte character
      {936, "中文", 3, 2, "中"},
      {936, "中文", 2, 0, ""},
      {932, "aあ", 3, 1, "a"},
      {1200, "abc", 8, 3, "abc"},
      {1200, "abc", 7, 2, "ab"},
      {1200, "abc", 2, 0, ""},
      {1200, "abc", 1, 0, nullptr},
      {1200, "a😀", 6, 1, "a"},  // never half of a surrogate pair
      {1200, "a😀", 8, 3, "a😀"},
  };
  for (const auto& c : cases) {
    std::vector<char> buffer(c.bufferBytes + 16, '\x7F');
    const LONG n = richedit::CopyToBuffer(Utf16(c.text), c.codePage, buffer.data(), c.bufferBytes);
    EXPECT_EQ(n, c.copied) << c.text << " in " << c.codePage << " into " << c.bufferBytes;
    for (size_t i = c.bufferBytes; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], '\x7F') << "past the buffer";
    if (!c.expected) continue;
    const size_t unit = c.codePage == 1200 ? 2 : 1;
    const std::string bytes(buffer.data(), static_cast<size_t>(n) * unit);
    EXPECT_EQ(Utf8(richedit::DecodeText(richtest::Bytes(bytes), c.codePage)), c.expected);
    for (size_t i = 0; i < unit; ++i) EXPECT_EQ(buffer[n * unit + i], 0) << "terminated";
  }
}

}  // namespace
