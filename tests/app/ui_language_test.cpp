// Looking up interface texts in the language files: a table of texts against
// small fixtures in code page 936 (written with Python's gbk codec; the
// expected bytes below come from the same codec), the language table and the
// language combo box.
#include <gtest/gtest.h>

#include <string>

#include "app/ui/ui_language.h"
#include "platform/testing/ui.h"
#include "platform/win.h"

namespace {

const char* const kFixtures = TAV_TEST_DATA_DIR "/lookup/";

// Sets the language for one test and puts English back afterwards.
class LanguageScope {
 public:
  explicit LanguageScope(int language, const char* folder = kFixtures) {
    SetUiLanguageFolder(folder);
    SetUiLanguageFile(language);
  }
  ~LanguageScope() {
    SetUiLanguageFolder(TAV_UI_LANGUAGE_DIR);
    SetUiLanguageFile(kUiEnglish);
  }
};

std::string Bytes(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

struct LookupCase {
  const char* why;
  const char* text;
  const char* expected;  // code page 936 bytes
};

const LookupCase kChineseCases[] = {
    {"dots dropped for the key and put back", "Save As...", "\xC1\xED\xB4\xE6\xCE\xAA..."},  // 另存为...
    {"trailing colon dropped and put back", "Name:", "\xC3\xFB\xB3\xC6:"},                   // 名称:
    {"accelerator ampersand not part of the key", "&Open", "\xB4\xF2\xBF\xAA"},              // 打开
    {"ampersand anywhere", "Op&en", "\xB4\xF2\xBF\xAA"},
    {"blanks around the text trimmed", "  Open\t", "\xB4\xF2\xBF\xAA"},
    {"slash between blanks looked up tight", "Size / Position",
     "\xB3\xDF\xB4\xE7\x2F\xCE\xBB\xD6\xC3"},  // 尺寸/位置
    {"doubled ampersand between blanks looked up tight", "Copy && Paste",
     "\xB8\xB4\xD6\xC6&&\xD5\xB3\xCC\xF9"},  // 复制&&粘贴
    {"an ampersand between blanks keeps every ampersand", "Print & Preview",
     "\xB4\xF2\xD3\xA1\xD3\xEB\xD4\xA4\xC0\xC0"},  // 打印与预览
    {"a lone ampersand elsewhere is an accelerator", "Print & Pre&view", "Print & Pre&view"},
    {"backslash-n becomes a blank and a line break", "Two lines",
     "\xB5\xDA\xD2\xBB\xD0\xD0 \n\xB5\xDA\xB6\xFE\xD0\xD0"},  // 第一行 \n第二行
    {"dots the translation has already count", "Done..", "\xCD\xEA\xB3\xC9.."},  // 完成..
    {"a full stop the translation ends in its own way", "Not found.", "\xCE\xB4\xD5\xD2\xB5\xBD\xA1\xA3"},  // 未找到。
    {"a colon alone is its own key", ":", "\xC3\xB0\xBA\xC5"},                        // 冒号
    {"a tab inside becomes a blank", "Label\tSetup", "\xB1\xEA\xC7\xA9\xC9\xE8\xD6\xC3"},  // 标签设置
    {"a missing text comes back as given", "Not &there...", "Not &there..."},
    {"an empty text stays empty", "", ""},
    {"only dots leave no key", "...", "..."},
};

TEST(UiLanguage, LookupsAgainstTheSimplifiedChineseFile) {
  LanguageScope scope(kUiChineseSimplified);
  for (const LookupCase& c : kChineseCases) {
    const AString result = TranslateUiString(c.text);
    EXPECT_EQ(Bytes(result), c.expected) << c.why << ": " << c.text;
  }
}

TEST(UiLanguage, EnglishInterfaceLooksNothingUpUnlessForced) {
  LanguageScope scope(kUiEnglish);
  EXPECT_EQ(Bytes(TranslateUiString("&Open")), "&Open");
  // Forced, the English file answers.
  EXPECT_EQ(Bytes(TranslateUiString("&Open", true)), "Open (English file)");
  EXPECT_EQ(Bytes(TranslateUiString("Save As...", true)), "Save As...");
}

TEST(UiLanguage, GermanUsesItsOwnFileButIsNotOffered) {
  LanguageScope scope(kUiGerman);
  EXPECT_EQ(UiLanguage(), kUiGerman);
  EXPECT_EQ(std::string(UiLanguageFilePath().GetData()), std::string(kFixtures) + "German.ui");
  EXPECT_EQ(Bytes(TranslateUiString("&Open")), "\xD6" "ffnen");  // Öffnen in 1252
  for (const int offered : OfferedUiLanguages()) EXPECT_NE(offered, kUiGerman);
}

TEST(UiLanguage, LanguageIndexOutsideTheTableIsEnglish) {
  for (const int stored : {-1, 6, 100}) {
    LanguageScope scope(stored);
    EXPECT_EQ(UiLanguage(), kUiEnglish) << stored;
    EXPECT_TRUE(IsEnglishUi());
  }
}

TEST(UiLanguage, TableAndHelpSuffixes) {
  struct Row {
    int language;
    const char* file;
    const char* suffix;
    int codePage;
  };
  const Row rows[] = {
      {kUiEnglish, "English.ui", "", 1252},          {kUiChineseSimplified, "Chinese_simp.ui", "_CN", 936},
      {kUiChineseTraditional, "Chinese_tradi.ui", "", 950}, {kUiGerman, "German.ui", "", 1252},
      {kUiJapanese, "Japanese.ui", "", 932},          {kUiKorean, "Korean.ui", "", 949},
  };
  for (const Row& r : rows) {
    LanguageScope scope(r.language);
    EXPECT_EQ(std::string(UiLanguageFilePath().GetData()), std::string(kFixtures) + r.file);
    AString suffix;
    GetHelpFileSuffix(suffix);
    EXPECT_EQ(Bytes(suffix), r.suffix);
    EXPECT_EQ(UiCodePage(), r.codePage);
  }
}

TEST(UiLanguage, MissingFileGivesTheEnglishText) {
  LanguageScope scope(kUiChineseTraditional);  // the fixtures have no Chinese_tradi.ui
  EXPECT_EQ(Bytes(TranslateUiString("Save As...")), "Save As...");
}

// The combo box of languages: offered languages only, names translated unless
// their row says otherwise, the current one selected or else the first.
class LanguageCombo : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = CreateWindowExW(0, u"Static", u"dialog", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
    combo_ = CreateWindowExW(0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 200, 120,
                             dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)), nullptr, nullptr);
    ASSERT_NE(combo_, nullptr);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  std::u16string Item(int i) {
    char16_t text[64] = {};
    SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
  }
  LRESULT Data(int i) { return SendMessageW(combo_, CB_GETITEMDATA, static_cast<WPARAM>(i), 0); }
  LRESULT Selection() { return SendMessageW(combo_, CB_GETCURSEL, 0, 0); }

  static constexpr int kId = 1201;
  HWND dialog_ = nullptr;
  HWND combo_ = nullptr;
};

TEST_F(LanguageCombo, ChineseInterfaceTranslatesTheChineseNames) {
  LanguageScope scope(kUiChineseSimplified);
  FillLanguageCombo(kId, dialog_, kUiChineseTraditional);
  ASSERT_EQ(SendMessageW(combo_, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Item(0), u"English");  // never translated, although the file has it
  EXPECT_EQ(Item(1), u"\u7B80\u4F53\u4E2D\u6587");
  EXPECT_EQ(Item(2), u"\u7E41\u4F53\u4E2D\u6587");
  EXPECT_EQ(Data(0), kUiEnglish);
  EXPECT_EQ(Data(1), kUiChineseSimplified);
  EXPECT_EQ(Data(2), kUiChineseTraditional);
  EXPECT_EQ(Selection(), 2);
}

TEST_F(LanguageCombo, GermanIsNotOfferedSoTheFirstEntryIsSelected) {
  LanguageScope scope(kUiGerman);
  FillLanguageCombo(kId, dialog_, kUiGerman);
  ASSERT_EQ(SendMessageW(combo_, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Item(1), u"Chinese(Simplified)");  // German.ui has no name for it
  EXPECT_EQ(Selection(), 0);
}

TEST_F(LanguageCombo, TranslatedListWithItemData) {
  LanguageScope scope(kUiChineseSimplified);
  const char* const texts[] = {"&Open", "Missing", "Name:", ""};
  const DWORD_PTR data[] = {7, 0, 9};
  EXPECT_EQ(FillTranslatedCombo(kId, dialog_, texts, 2, data), 3);
  EXPECT_EQ(Item(0), u"\u6253\u5F00");
  EXPECT_EQ(Item(1), u"Missing");
  EXPECT_EQ(Item(2), u"\u540D\u79F0:");
  EXPECT_EQ(Data(0), 7);
  EXPECT_EQ(Data(1), 0);
  EXPECT_EQ(Data(2), 9);
  EXPECT_EQ(Selection(), 2);
}

}  // namespace
