// The MaxiCode message as two prompt lists: the thirteen parts filled from
// the field and read back, the postal code following the mode (mode 3 takes
// six characters upper-cased, the others nine digits); and the entry dialog
// the "..." of a MaxiCode prompt row opens before printing, where the
// prompted part is typed in: a good one becomes the field's fixed part, a
// refused one is shown again with the check's message and the saved
// sources back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datasource/ui/prompt/field_data_entry_dlg.h"
#include "datasource/ui/prompt/maxicode_lists.h"
#include "datasource/ui/prompt/prompt_actions.h"
#include "datasource/ui/prompt/prompt_ids.h"
#include "fields/barcode/structured_parts.h"
#include "fields/services/ui_messages.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

constexpr uint8_t kFixed = 0;
constexpr uint8_t kPrompted = 2;

// A shipment every check accepts (mode 2: a nine-digit postal code).
void Shipment(CBarcodeField& field) {
  field.symbology = 28;
  field.maxiMode = 2;
  const char* parts[] = {"152382802", "840", "001",     "1Z12345678", "12345E", "187", "",
                         "1/1",       "10",  "Y",       "",           "ANYTOWN", "NY"};
  for (size_t i = 0; i < 13; ++i) {
    field.upsField[i] = parts[i];
    field.upsSource[i] = field.upsSourceBackup[i] = kFixed;
  }
}

std::string TextOf(CPromptItem& row) {
  const AString text = row.GetText();
  if (!text.IsWide()) return text.GetData();
  return dsui_test::ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text.GetData()),
                                          static_cast<size_t>(text.GetLength() / 2)));
}

struct HostWindow : CWnd {
  HostWindow() { CreateEx(0, nullptr, "Parts", WS_POPUP | WS_VISIBLE | WS_CAPTION, 40, 40, 460, 420, nullptr, nullptr); }
};

struct TwoLists {
  HostWindow host;
  CPromptList first, second;
  TwoLists() {
    first.m_rowsPerView = 7;
    second.m_rowsPerView = 6;
    first.Create(RECT{8, 8, 448, 200}, &host, 1252);
    second.Create(RECT{8, 210, 448, 380}, &host, 1255);
  }
  ~TwoLists() {
    first.DestroyWindow();
    second.DestroyWindow();
    host.DestroyWindow();
    CWnd::DeleteTempMap();
  }
  MaxiCodeLists Lists() { return {&first, &second}; }
};

class MaxiCodeEntry : public ::testing::Test {
 protected:
  void TearDown() override { CWnd::DeleteTempMap(); }
  apptest::LanguageScope english_{kUiEnglish};
};

TEST_F(MaxiCodeEntry, ThePartsFillTwoListsAndComeBack) {
  TwoLists t;
  CBarcodeField field;
  Shipment(field);
  field.upsSource[10] = kPrompted;
  FillMaxiCodePartLists(t.Lists(), field.maxiMode, field, false);
  ASSERT_EQ(t.first.RowCount(), 7);
  ASSERT_EQ(t.second.RowCount(), 6);
  EXPECT_STREQ(t.first.Item(3)->m_caption.GetData(), "Tracking Number");
  EXPECT_STREQ(t.second.Item(0)->m_caption.GetData(), "Package Number/Total");
  EXPECT_EQ(t.first.Item(0)->m_maxLength, 9);
  EXPECT_EQ(t.second.Item(3)->m_source, kPrompted);
  CBarcodeField back;
  ASSERT_EQ(ReadMaxiCodePartLists(t.Lists(), back, false), 1);
  for (size_t i = 0; i < 13; ++i) {
    EXPECT_STREQ(back.upsField[i].GetData(), field.upsField[i].GetData()) << kUpsParts[i].name;
    EXPECT_EQ(back.upsSource[i], field.upsSource[i]) << kUpsParts[i].name;
  }
}

TEST_F(MaxiCodeEntry, ThePostalCodeFollowsTheMode) {
  // The first fill shows the stored text as it stands (an untouched OK keeps
  // it); a change of mode then fits the row: mode 3 takes any characters
  // upper-cased and cut to six, mode 2 digits only.
  struct Case {
    int from;
    int to;
    const char* shown;
    int maximum;
  };
  const Case cases[] = {{2, 3, "AB1234", 6}, {3, 2, "12345", 9}, {3, 3, "AB1234", 6}};
  for (const Case& c : cases) {
    TwoLists t;
    CBarcodeField field;
    Shipment(field);
    field.upsField[0] = "ab12345x";
    FillMaxiCodePartLists(t.Lists(), c.from, field, false);
    EXPECT_EQ(TextOf(*t.first.Item(0)), "ab12345x") << c.from;
    FillMaxiCodePartLists(t.Lists(), c.to, field, false);
    EXPECT_EQ(TextOf(*t.first.Item(0)), c.shown) << c.from << " to " << c.to;
    EXPECT_EQ(t.first.Item(0)->m_maxLength, c.maximum) << c.from << " to " << c.to;
    // Rows kept as they are, and modes above 3, leave the postal code alone.
    FillMaxiCodePartLists(t.Lists(), 5 - c.to, field, true);
    FillMaxiCodePartLists(t.Lists(), 4, field, false);
    EXPECT_EQ(TextOf(*t.first.Item(0)), c.shown) << c.from << " to " << c.to;
  }
}

TEST_F(MaxiCodeEntry, ThePromptedPartIsTypedBeforePrinting) {
  CBarcodeField field;
  Shipment(field);
  // The tracking number is asked for when printing.
  field.upsSource[3] = field.upsSourceBackup[3] = kPrompted;
  HostWindow host;
  CPromptList list;
  list.Create(RECT{8, 8, 448, 100}, &host, 1249);
  list.m_onButton = &RunPromptRowAction;
  auto* row = new CPromptItem;
  list.AddItem(row);
  row->Init("Shipment", "", -1, 0, PromptRowType::kMaxiCode, "", 1024, &list, {}, 0, false, false);
  row->m_field = &field;
  uitest::RunUntilIdle();

  // The check's messages, as the program's message hook would get them.
  static std::vector<std::string> messages;
  messages.clear();
  const UiMessageHook before = SetUiMessageHook([](HWND, const UiMessage& m) {
    std::string text = std::to_string(m.id);
    for (const std::string& a : m.args) text += "|" + a;
    messages.push_back(text);
    return IDOK;
  });
  int shownAgain = -1;
  uint8_t sourceAfterRefusal = 0;
  DialogScript script;
  script.Then([&](HWND dialog) {
    auto* entry = static_cast<CFieldDataEntryDlg*>(CWnd::FromHandlePermanent(dialog));
    ASSERT_NE(entry, nullptr);
    CPromptItem& tracking = *entry->Lists()[0]->Item(3);
    // Only the prompted part is open for typing.
    EXPECT_TRUE(::IsWindowVisible(tracking.Editor()));
    EXPECT_TRUE(::GetWindowLongW(entry->Lists()[0]->Item(2)->Editor(), GWL_STYLE) & ES_READONLY) << "a fixed part";
    uitest::SaveWindowPng(dialog, dsui_test::PicturePath("maxicode_entry_en.png"));
    // Too short first: refused with the part's message, shown again.
    ::SetFocus(tracking.Editor());
    ::SendMessageW(tracking.Editor(), EM_SETSEL, 0, -1);
    uitest::TypeText(std::string_view("1Z123"));
    Press(dialog, IDOK);
    shownAgain = entry->Lists()[0]->m_current;
    sourceAfterRefusal = field.upsSource[3];
    ::SetFocus(tracking.Editor());
    ::SendMessageW(tracking.Editor(), EM_SETSEL, 0, -1);
    uitest::TypeText(std::string_view("1Z99887766"));
    Press(dialog, IDOK);
  });
  uitest::Click(row->Button());
  SetUiMessageHook(before);
  EXPECT_EQ(script.captions, (std::vector<std::string>{"MaxiCode Message"}));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Tracking Number"), std::string::npos) << messages[0];
  EXPECT_EQ(shownAgain, 3);
  EXPECT_EQ(sourceAfterRefusal, kPrompted);
  EXPECT_STREQ(field.upsField[3].GetData(), "1Z99887766");
  EXPECT_EQ(field.upsSource[3], kFixed) << "typed now, fixed for the print";
  EXPECT_EQ(field.dataSourceType, 0);
  list.DestroyWindow();
  host.DestroyWindow();
}

}  // namespace
