#include <cstring>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/user/clipboard.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"

namespace {

HGLOBAL Block(const void* bytes, size_t size) {
  HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(m), bytes, size);
  GlobalUnlock(m);
  return m;
}

std::string TextOf(HANDLE m) {
  const char* p = static_cast<const char*>(GlobalLock(m));
  std::string s(p);
  GlobalUnlock(m);
  return s;
}

std::u16string UnitsOf(HANDLE m) {
  const WCHAR* p = static_cast<const WCHAR*>(GlobalLock(m));
  std::u16string s(p);
  GlobalUnlock(m);
  return s;
}

struct ClipboardTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
  }
  void TearDown() override {
    EmptyClipboard();
    CloseClipboard();
  }
};

TEST_F(ClipboardTest, DataIsKeptPerFormat) {
  const char text[] = "Label 42";
  EXPECT_TRUE(SetClipboardData(CF_TEXT, Block(text, sizeof text)));
  const UINT custom = RegisterClipboardFormatA("Tavrendel Fields");
  const uint8_t raw[3] = {1, 2, 3};
  EXPECT_TRUE(SetClipboardData(custom, Block(raw, 3)));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(custom));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(TextOf(GetClipboardData(CF_TEXT)), "Label 42");
  EXPECT_EQ(GlobalSize(GetClipboardData(custom)), 3u);
  EXPECT_EQ(CountClipboardFormats(), 2);
  EXPECT_EQ(EnumClipboardFormats(0), CF_TEXT);
  EXPECT_EQ(EnumClipboardFormats(CF_TEXT), custom);
  EXPECT_EQ(EnumClipboardFormats(custom), 0u);
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(ClipboardTest, RegisteredNamesAreNumberedOnce) {
  const UINT a = RegisterClipboardFormatA("Rich Text Format");
  EXPECT_GE(a, CF_REGISTERED_FIRST);
  EXPECT_EQ(RegisterClipboardFormatA("rich text format"), a);
  EXPECT_NE(RegisterClipboardFormatA("Another"), a);
  char name[64];
  EXPECT_EQ(GetClipboardFormatNameA(a, name, sizeof name), 16);
  EXPECT_STREQ(name, "Rich Text Format");
  EXPECT_EQ(RegisterClipboardFormatA(""), 0u);
}

TEST_F(ClipboardTest, TextStandsInForUnicodeThroughTheLocale) {
  // GBK bytes of two ideographs, tagged with the Simplified Chinese locale.
  const char gbk[] = "\xD6\xD0\xCE\xC4 ok";
  SetClipboardData(CF_TEXT, Block(gbk, sizeof gbk));
  const LCID lcid = 2052;
  SetClipboardData(CF_LOCALE, Block(&lcid, sizeof lcid));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(UnitsOf(GetClipboardData(CF_UNICODETEXT)), u"\u4E2D\u6587 ok");
}

TEST_F(ClipboardTest, StandInTextIsMadeOnceAndFollowsNewData) {
  const char first[] = "one";
  SetClipboardData(CF_TEXT, Block(first, sizeof first));
  HANDLE a = GetClipboardData(CF_UNICODETEXT);
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), a);
  EXPECT_EQ(UnitsOf(a), u"one");
  const char second[] = "two";
  SetClipboardData(CF_TEXT, Block(second, sizeof second));
  EXPECT_EQ(UnitsOf(GetClipboardData(CF_UNICODETEXT)), u"two");
}

TEST_F(ClipboardTest, UnicodeStandsInForText) {
  const char16_t units[] = u"Caf\u00E9";
  SetClipboardData(CF_UNICODETEXT, Block(units, sizeof units));
  EXPECT_EQ(TextOf(GetClipboardData(CF_TEXT)), "Caf\xE9");  // the ANSI code page, 1252
}

TEST_F(ClipboardTest, ClosedClipboardRefusesData) {
  ASSERT_TRUE(CloseClipboard());
  const char text[] = "x";
  HGLOBAL m = Block(text, sizeof text);
  EXPECT_EQ(SetClipboardData(CF_TEXT, m), nullptr);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_FALSE(EmptyClipboard());
  GlobalFree(m);
  ASSERT_TRUE(OpenClipboard(nullptr));
}

TEST_F(ClipboardTest, AnotherThreadCannotOpenItMeanwhile) {
  BOOL opened = TRUE;
  std::thread([&] { opened = OpenClipboard(nullptr); }).join();
  EXPECT_FALSE(opened);
}

}  // namespace
