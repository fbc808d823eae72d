// Message texts: captions by number range, numbered texts from the shipped
// language files, typed formatting and the English fallback for a
// translation that asks for other arguments. Expected code page 936 bytes
// come from Python's gbk codec.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ui/ui_language.h"
#include "app/ui/ui_message_text.h"

namespace {

class LanguageScope {
 public:
  explicit LanguageScope(int language, const char* folder = TAV_UI_LANGUAGE_DIR) {
    SetUiLanguageFolder(folder);
    SetUiLanguageFile(language);
  }
  ~LanguageScope() {
    SetUiLanguageFolder(TAV_UI_LANGUAGE_DIR);
    SetUiLanguageFile(kUiEnglish);
  }
};

std::string Bytes(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

struct CaptionCase {
  int number;
  const char* english;
  const char* chinese;  // code page 936
};

const CaptionCase kCaptions[] = {
    {50000, "Error-50000", "\xB4\xED\xCE\xF3-50000"},         // 错误
    {49999, "Information-49999", "\xD0\xC5\xCF\xA2-49999"},   // 信息
    {35000, "Information-35000", "\xD0\xC5\xCF\xA2-35000"},   // 信息
    {20000, "Warning-20000", "\xBE\xAF\xB8\xE6-20000"},       // 警告
    {19999, "Confirmation-19999", "\xC8\xB7\xC8\xCF-19999"},  // 确认
};

TEST(MessageText, CaptionsByNumberRange) {
  for (const CaptionCase& c : kCaptions) {
    {
      LanguageScope scope(kUiEnglish);
      EXPECT_EQ(Bytes(UiMessageCaption(c.number)), c.english) << c.number;
    }
    LanguageScope scope(kUiChineseSimplified);
    EXPECT_EQ(Bytes(UiMessageCaption(c.number)), c.chinese) << c.number;
  }
}

TEST(MessageText, NumberedMessagesFromTheShippedFiles) {
  {
    LanguageScope scope(kUiEnglish);
    EXPECT_EQ(Bytes(FormatUiMessage(20007, 300, 203)),
              "This layout was set up for 300 dpi, but the printer prints at 203 dpi: the labels may come out at "
              "another size.");
    EXPECT_EQ(Bytes(FormatUiMessage(50064, "Copies")), "Copies\nA value is needed.");
  }
  LanguageScope scope(kUiChineseSimplified);
  // 此标签按 300 dpi 设置，但打印机的分辨率是 203 dpi：打印出的标签尺寸可能不同。
  EXPECT_EQ(Bytes(FormatUiMessage(20007, 300, 203)),
            "\xB4\xCB\xB1\xEA\xC7\xA9\xB0\xB4\x20\x33\x30\x30\x20\x64\x70\x69\x20\xC9\xE8\xD6\xC3\xA3\xAC\xB5\xAB\xB4"
            "\xF2\xD3\xA1\xBB\xFA\xB5\xC4\xB7\xD6\xB1\xE6\xC2\xCA\xCA\xC7\x20\x32\x30\x33\x20\x64\x70\x69\xA3\xBA\xB4"
            "\xF2\xD3\xA1\xB3\xF6\xB5\xC4\xB1\xEA\xC7\xA9\xB3\xDF\xB4\xE7\xBF\xC9\xC4\xDC\xB2\xBB\xCD\xAC\xA1\xA3");
  EXPECT_EQ(FormatUiMessage(20007, 300, 203).GetCodePage(), 936);
}

TEST(MessageText, MissingNumberShowsTheKey) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    EXPECT_EQ(Bytes(FormatUiMessage(59999)), "59999");
    EXPECT_EQ(Bytes(FormatUiMessage(12345, "ignored")), "12345");
  }
}

struct MismatchCase {
  const char* why;
  int number;
  std::string expected;
};

TEST(MessageText, TranslationAskingForOtherArgumentsGivesWayToEnglish) {
  LanguageScope scope(kUiChineseSimplified, TAV_TEST_DATA_DIR "/mismatch/");
  const MismatchCase cases[] = {
      {"a text where the English asks for a number", 20007, "Layout 300 dpi, printer 203 dpi."},
      {"one conversion fewer", 20008, "3 of 4 done."},
      {"a conversion that writes (%n)", 20009, "File a.bcd saved."},
      {"same conversions: the translation is used", 20010,
       "\xC3\xFB\xB3\xC6\x20Q\xA3\xAC\xB4\xF3\xD0\xA1\x20\x37\xA1\xA3"},  // 名称 Q，大小 7。
      {"missing in the translation: English", 20011, "Two lines:\nsecond."},
  };
  EXPECT_EQ(Bytes(FormatUiMessage(20007, 300, 203)), cases[0].expected) << cases[0].why;
  EXPECT_EQ(Bytes(FormatUiMessage(20008, 3, 4)), cases[1].expected) << cases[1].why;
  EXPECT_EQ(Bytes(FormatUiMessage(20009, "a.bcd")), cases[2].expected) << cases[2].why;
  EXPECT_EQ(Bytes(FormatUiMessage(20010, "Q", 7)), cases[3].expected) << cases[3].why;
  EXPECT_EQ(Bytes(FormatUiMessage(20011)), cases[4].expected) << cases[4].why;
}

TEST(MessageText, TypedArgumentsNeverMisread) {
  struct Case {
    const char* format;
    std::vector<UiArg> args;
    std::string expected;
  };
  const std::vector<UiArg> three{UiArg("abc"), UiArg(42), UiArg(2.5)};
  const Case cases[] = {
      {"%s %d %.2f", three, "abc 42 2.50"},
      {"%d %s %s", three, "abc 42 2.5"},                 // each argument printed as what it is
      {"[%5s|%-4d|%03d]", three, "[  abc|42  |2.5]"},    // a float for %d printed plainly
      {"%s %s %s %s", three, "abc 42 2.5 "},             // a conversion without an argument prints nothing
      {"100%% %c", {UiArg(42)}, "100% *"},
      {"%*d", three, "%*d"},                             // a format asking for more than plain arguments is text
      {"%p and %n", three, "%p and %n"},
      {"%lld %hd", three, "abc 42"},                     // length modifiers are the argument's business
      {"%x %o", {UiArg(255), UiArg(8)}, "ff 10"},
      {"%d", {UiArg(-5000000000LL)}, "-5000000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Bytes(FormatWithArgs(c.format, c.args.data(), c.args.size())), c.expected) << c.format;
  }
}

TEST(MessageText, ResultIsBounded) {
  const std::string huge(100000, 'x');
  const UiArg args[] = {UiArg(huge)};
  const AString out = FormatWithArgs("%s%s%s", args, 1);
  EXPECT_LE(out.GetLength(), kMaxMessageBytes);
  EXPECT_GE(out.GetLength(), kMaxMessageBytes - 1);
}

TEST(MessageText, BoundedLookupNeverSplitsACharacter) {
  // 619 bytes of the lookup: a text of 400 two-byte characters is cut to 309.
  LanguageScope scope(kUiChineseSimplified);
  std::string chinese;
  for (int i = 0; i < 400; ++i) chinese += "\xD6\xD0";  // 中
  const UiArg args[] = {UiArg(chinese)};
  const AString out = FormatWithArgs("%s", args, 1);
  EXPECT_EQ(out.GetLength(), 800);
  std::string mixed = "a" + chinese + chinese + chinese + chinese + chinese + chinese;
  const UiArg more[] = {UiArg(mixed)};
  const AString bounded = FormatWithArgs("%s", more, 1);
  EXPECT_EQ(bounded.GetLength() % 2, 1) << "the cut falls between characters";
}

TEST(MessageText, NotEqualHelper) {
  EXPECT_EQ(AStringNotEqualSz("abc", AString("abc")), 0);
  EXPECT_EQ(AStringNotEqualSz("abc", AString("abd")), 1);
  EXPECT_EQ(AStringNotEqualSz("ab", AString("abc")), 1);
  EXPECT_EQ(AStringNotEqualSz("", AString()), 0);
}

}  // namespace
