// Report-list headers in the interface language: the printer list's three
// columns read back as UTF-16 in English and in Chinese (the language file's
// own texts), laid out by fractions of the list's width, the last taking
// what the others left.
#include <gtest/gtest.h>

#include <string>

#include "app/controls/translated_columns.h"
#include "app/ui/ui_language.h"
#include "controls_test_util.h"
#include "dialog_script.h"

namespace {

std::u16string HeaderText(const CListCtrl& list, int index) {
  char16_t text[128] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = reinterpret_cast<LPWSTR>(text);
  column.cchTextMax = 128;
  list.SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
  return text;
}

struct LanguageCase {
  const char* name;
  int language;
  std::u16string headers[3];
};

TEST(TranslatedColumns, HeadersInTheInterfaceLanguageByFractions) {
  static const LanguageCase kCases[] = {
      {"English", kUiEnglish, {u"Printer Name", u"Port", u"Model"}},
      {"Chinese", kUiChineseSimplified, {u"打印机名称", u"端口", u"型号"}},
  };
  static constexpr CListCtrlEx::Column kColumns[] = {{"Printer Name", 0.4}, {"Port", 0.2}, {"Model", 0}};
  for (const LanguageCase& c : kCases) {
    SCOPED_TRACE(c.name);
    apptest::LanguageScope scope(c.language);
    ctltest::CRecordingParent parent{440, 260};
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 214), &parent, 1001));
    RECT client{};
    list.GetClientRect(&client);
    ASSERT_EQ(client.right, 400) << "a 400-pixel list";
    InsertTranslatedColumns(list, kColumns);
    ASSERT_EQ(list.GetColumnCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(HeaderText(list, i), c.headers[i]) << "column " << i;
    EXPECT_EQ(list.GetColumnWidth(0), 160);
    EXPECT_EQ(list.GetColumnWidth(1), 80);
    EXPECT_EQ(list.GetColumnWidth(2), 160);
  }
}

}  // namespace
