#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "foundation/system/clipboard_text.h"
#include "platform/user/clipboard.h"
#include "platform/kernel/kernel.h"

namespace {

// The data of one format as bytes (empty when absent).
std::string Data(UINT format) {
  uint8_t* bytes = nullptr;
  int size = 0;
  if (!ReadClipboardData(format, &bytes, &size)) return {};
  std::string s(reinterpret_cast<char*>(bytes), static_cast<size_t>(size));
  std::free(bytes);
  return s;
}

LCID Locale() {
  const std::string d = Data(CF_LOCALE);
  LCID lcid = 0;
  if (d.size() >= sizeof lcid) std::memcpy(&lcid, d.data(), sizeof lcid);
  return lcid;
}

std::u16string Units() {
  const std::string d = Data(CF_UNICODETEXT);
  std::u16string s(d.size() / 2, u'\0');
  std::memcpy(s.data(), d.data(), s.size() * 2);
  return s.substr(0, s.find(u'\0'));
}

TEST(CopyTextToClipboard, ConvertsFromTheTextsCodePageAndTagsItsLocale) {
  const struct {
    const char* text;
    int codePage;
    std::u16string units;
    LCID locale;
  } cases[] = {
      {"\xD6\xD0\xCE\xC4", 936, u"\u4E2D\u6587", 2052},  // GBK
      {"\xA4\xA4\xA4\xE5", 950, u"\u4E2D\u6587", 1028},  // Big5
      {"\x93\xFA\x96\x7B", 932, u"\u65E5\u672C", 1041},  // Shift-JIS
      {"Caf\xE9", 1252, u"Caf\u00E9", 1033},
      {"Caf\xE9", 0, u"Caf\u00E9", 1033},                // no code page: the ANSI code page
  };
  for (const auto& c : cases) {
    ASSERT_EQ(CopyTextToClipboard(c.text, false, c.codePage), 1) << c.codePage;
    EXPECT_EQ(Data(CF_TEXT), std::string(c.text) + '\0') << c.codePage;
    EXPECT_EQ(Units(), c.units) << c.codePage;
    EXPECT_EQ(Locale(), c.locale) << c.codePage;
  }
}

TEST(CopyTextToClipboard, TextOnlyAndStrings) {
  ASSERT_EQ(CopyTextToClipboard("plain", true), 1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(CountClipboardFormats(), 2);  // CF_TEXT and CF_LOCALE, nothing left from before
  CloseClipboard();

  AString gbk("\xD6\xD0");
  gbk.SetCodePage(936);
  ASSERT_EQ(CopyTextToClipboard(gbk, false), 1);
  EXPECT_EQ(Units(), u"\u4E2D");
  EXPECT_EQ(Locale(), 2052u);
  EXPECT_EQ(CopyTextToClipboard(nullptr, false), 0);
}

TEST(GetClipboardText, Table) {
  const struct {
    const char* text;
    int codePage;      // of the copied text
    int askCodePage;   // asked of GetClipboardText
    bool detect, checkScript, preferAnsi, raw;
    std::string out;
    int used;
  } cases[] = {
      // UTF-16 converted into the code page asked for.
      {"\xD6\xD0\xCE\xC4", 936, 950, false, false, false, false, "\xA4\xA4\xA4\xE5", -1},
      // The code page detected from the script and reported.
      {"\xD6\xD0\xCE\xC4", 936, 1252, true, false, false, false, "\xD6\xD0\xCE\xC4", 936},
      {"abc", 1252, 936, true, false, false, false, "abc", 1252},
      // Accented text is not Big5: with the script check it falls back to CF_TEXT.
      {"Caf\xE9", 1252, 950, false, true, false, false, "Caf\xE9", -1},
      // CF_TEXT as it is.
      {"\xD6\xD0", 936, 1252, false, false, true, false, "\xD6\xD0", -1},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(CopyTextToClipboard(c.text, false, c.codePage), 1);
    char* out = nullptr;
    int used = -1;
    const int n = GetClipboardText(&out, c.askCodePage, c.checkScript, c.detect ? &used : nullptr, c.preferAnsi, c.raw);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::string(out, static_cast<size_t>(n)), c.out) << c.text << " as " << c.askCodePage;
    if (c.used >= 0) {
      EXPECT_EQ(used, c.used);
    }
    std::free(out);
  }
}

TEST(GetClipboardText, RawUnicodeCopiesTheUnits) {
  ASSERT_EQ(CopyTextToClipboard("\xD6\xD0", false, 936), 1);
  char* out = nullptr;
  int used = 0;
  EXPECT_EQ(GetClipboardText(&out, 0, false, &used, false, true), 1);
  EXPECT_EQ(used, 1200);
  EXPECT_EQ(reinterpret_cast<char16_t*>(out)[0], u'\u4E2D');
  EXPECT_EQ(reinterpret_cast<char16_t*>(out)[1], u'\0');
  std::free(out);
  EXPECT_EQ(GetClipboardText(nullptr, 0, false, nullptr, false, false), 0);
}

TEST(ClipboardData, WriteReportsPlacementAndReadCopies) {
  const uint8_t bytes[] = {0, 1, 2, 250};
  const UINT format = RegisterClipboardFormatA("Tavrendel Test Bytes");
  EXPECT_EQ(WriteClipboardData(format, bytes, 4), 1);
  EXPECT_EQ(Data(format), std::string("\x00\x01\x02\xFA", 4));
  EXPECT_EQ(Data(CF_TEXT), "");  // the clipboard was emptied first
  EXPECT_EQ(WriteClipboardData(format, nullptr, 4), 0);
  EXPECT_EQ(WriteClipboardData(0, bytes, 4), 0);
  uint8_t* out = nullptr;
  int size = 0;
  EXPECT_EQ(ReadClipboardData(CF_DIB, &out, &size), 0);
  EXPECT_EQ(out, nullptr);
}

TEST(ClipboardData, AnsiCodePageIsSingleByteByDefault) { EXPECT_FALSE(IsMultiByteAnsiCodePage()); }

}  // namespace
