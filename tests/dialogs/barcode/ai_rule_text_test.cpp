// The input rule shown under the identifier grids, in English and Chinese:
// the count with its measure word and the kind read as one phrase.
#include <gtest/gtest.h>

#include <string>

#include "barcode/request/cbcode.h"
#include "datasource/ui/structured/structured_grids.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"

namespace {

std::u16string Wide(const AString& text) {
  char16_t out[128] = {};
  const int n = ::MultiByteToWideChar(static_cast<UINT>(UiCodePage()), 0, text.GetData(), text.GetLength(), out, 127);
  return std::u16string(out, static_cast<size_t>(n > 0 ? n : 0));
}

TEST(AiRuleText, ReadsAsTheLanguageHasIt) {
  struct Row {
    int minLength, maxLength, kinds;
    const char16_t* english;
    const char16_t* chinese;
  };
  const Row rows[] = {
      {6, 6, 1, u"6 Numeric Characters", u"6 个数字字符"},
      {1, 30, 3, u"1-30 Alphanumeric Characters", u"1-30 个字母数字字符"},
      {2, 4, 2, u"2-4 Alpha Characters", u"2-4 个字母字符"},
  };
  for (const Row& row : rows) {
    typAIdef rule{};
    rule.minLength = row.minLength;
    rule.maxLength = row.maxLength;
    rule.charKinds = row.kinds;
    {
      apptest::LanguageScope english(kUiEnglish);
      EXPECT_EQ(Wide(FormatInputRuleText(&rule)), row.english);
    }
    apptest::LanguageScope chinese(kUiChineseSimplified);
    EXPECT_EQ(Wide(FormatInputRuleText(&rule)), row.chinese);
  }
  EXPECT_TRUE(FormatInputRuleText(nullptr).IsEmpty());
}

}  // namespace
