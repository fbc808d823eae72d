// The prompt list driven as a person would: every row type built and read
// back, Tab and Shift+Tab through the selectable rows and out of the list,
// the source menu of a part row (picked with the keyboard), the "..." button
// and a double click, the caption divider dragged; pictures in English and
// Chinese.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datasource/ui/prompt/prompt_list.h"
#include "panel_test_support.h"
#include "platform/user/menus/menus.h"

namespace {

using apptest::LanguageScope;

AString Wide(std::u16string_view units) {
  AString out(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
  out.SetWide(true);
  return out;
}

std::u16string UnitsOf(const AString& wide) {
  return std::u16string(reinterpret_cast<const char16_t*>(wide.GetData()), static_cast<size_t>(wide.GetLength() / 2));
}

enum Row { kChoiceRow, kTextRow, kNoteRow, kLongRow, kPartRow, kRecordsRow, kUpperRow, kRowCount };

// A framework window standing for the print dialog: it hands the list's
// drawing messages back to the list, as a dialog does.
struct HostWindow : CWnd {
  HostWindow() { CreateEx(0, nullptr, "Print", WS_POPUP | WS_VISIBLE | WS_CAPTION, 40, 40, 460, 300, nullptr, nullptr); }
};

// A host window with the list and an OK button after it.
struct PromptFixture {
  HostWindow hostWindow;
  HWND host = hostWindow.m_hWnd;
  CPromptList list;
  HWND after = ::CreateWindowExW(0, u"Button", u"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 360, 250, 80, 24, host,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
  std::vector<std::string> buttonRows;

  PromptFixture() {
    list.m_rowsPerView = 8;
    list.Create(RECT{8, 8, 448, 240}, &hostWindow, 1249);
    list.m_after = after;
    list.m_onButton = [this](CPromptItem& row) {
      buttonRows.emplace_back(row.m_caption.GetData());
      return IDOK;
    };
    Add("Size", "", -1, 0, PromptRowType::kChoice, "", {"Small", "Medium", "Large"}, 0, false);
    Add("Name", "Ann", -1, 0, PromptRowType::kText, "", {}, 0, false);
    Add("Note", "", -1, 0, PromptRowType::kNote, "Asked by the database", {}, 0, false);
    Add("Address", "1 Main St", -1, 0, PromptRowType::kLongText, "", {}, 0, false);
    Add("Postal Code", "1234", -1, kPartSourceFixed, PromptRowType::kPart, "", {}, 4, false);
    Add("Records", "Records:2,Qty:3", -1, 0, PromptRowType::kRecords, "", {}, 0, false);
    Add("Batch", "", 1252, 0, PromptRowType::kText, "", {}, 0, true);
    uitest::RunUntilIdle();
  }
  ~PromptFixture() {
    list.DestroyWindow();
    hostWindow.DestroyWindow();
    CWnd::DeleteTempMap();
  }
  void Add(const char* caption, const char* text, int codePage, int source, PromptRowType type, const char* third,
           std::vector<AString> choices, int maxLength, bool upperCase) {
    auto* row = new CPromptItem;
    list.AddItem(row);
    row->Init(caption, text, codePage, source, type, third, 1024, &list, choices, maxLength, upperCase, false);
  }
  CPromptItem& At(int row) { return *list.Item(row); }
  void PressKey(int key, bool shift = false) {
    if (shift) {
      uitest::KeyDown(VK_SHIFT);
      uitest::RunUntilIdle();
    }
    MSG msg{::GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}};
    if (!CWnd::WalkPreTranslateTree(host, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (shift) uitest::KeyUp(VK_SHIFT);
    uitest::RunUntilIdle();
  }
  RECT ItemRect(int row) {
    RECT item{};
    list.SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return item;
  }
};

TEST(PromptList, EveryRowTypeGivesItsValue) {
  LanguageScope english(kUiEnglish);
  PromptFixture f;
  // The choice row: its combo, Medium picked.
  HWND combo = f.At(kChoiceRow).Combo();
  ASSERT_TRUE(combo);
  ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(UnitsOf(f.At(kChoiceRow).GetText()), u"Medium");
  EXPECT_TRUE(f.At(kChoiceRow).GetText().IsWide());
  // A text row: typed into its rich edit, read back as UTF-16.
  f.list.MakeCurrent(kTextRow, true);
  ::SetWindowTextW(f.At(kTextRow).Editor(), u"Ann \u5f20");
  const AString name = f.At(kTextRow).GetText();
  EXPECT_TRUE(name.IsWide());
  EXPECT_EQ(name.GetCodePage(), 1200);
  EXPECT_EQ(UnitsOf(name), u"Ann \u5f20");
  // The upper-case row is a plain edit: narrow text in its code page.
  f.list.MakeCurrent(kUpperRow, true);
  uitest::TypeText(std::string_view("lot7"));
  uitest::RunUntilIdle();
  EXPECT_STREQ(f.At(kUpperRow).GetText().GetData(), "LOT7");
  EXPECT_FALSE(f.At(kUpperRow).GetText().IsWide());
  // Rows without an editor keep their stored text.
  EXPECT_STREQ(f.At(kRecordsRow).GetText().GetData(), "Records:2,Qty:3");
  EXPECT_STREQ(f.At(kLongRow).GetText().GetData(), "1 Main St");
  EXPECT_EQ(f.At(kNoteRow).m_selectable, 0);
  EXPECT_FALSE(f.At(kNoteRow).Button());
  EXPECT_TRUE(f.At(kRecordsRow).Button());
  EXPECT_FALSE(f.At(kRecordsRow).Editor());
  f.At(kPartRow).SetText("98");
  EXPECT_EQ(UnitsOf(f.At(kPartRow).GetText()), u"98") << "SetText reaches the editor";
}

// A rich edit hands its value back as UTF-16: the row's caption, given in
// the row's own code page, is drawn as it was before.
TEST(PromptList, ACaptionStaysAsWrittenOnceTheValueIsRead) {
  LanguageScope english(kUiEnglish);
  PromptFixture f;
  const RECT item = f.ItemRect(kPartRow);
  const auto captionPixels = [&] {
    f.list.Invalidate();
    uitest::RunUntilIdle();
    const uitest::Picture all = uitest::CaptureWindow(f.list.m_hWnd);
    std::vector<uint32_t> caption;
    for (int y = item.top; y < item.bottom; ++y)
      for (int x = item.left; x < f.list.CaptionWidth(); ++x) caption.push_back(all.At(x, y));
    return caption;
  };
  const std::vector<uint32_t> before = captionPixels();
  f.list.MakeCurrent(kPartRow, true);
  ::SetWindowTextW(f.At(kPartRow).Editor(), u"5678");
  EXPECT_TRUE(f.At(kPartRow).GetText().IsWide());
  EXPECT_EQ(captionPixels(), before);
}

TEST(PromptList, TabVisitsTheSelectableRowsThenLeavesTheList) {
  LanguageScope english(kUiEnglish);
  PromptFixture f;
  ::SetFocus(f.list.m_hWnd);
  uitest::RunUntilIdle();
  EXPECT_EQ(f.list.m_current, kChoiceRow) << "the list's focus goes to its first row";
  EXPECT_EQ(::GetFocus(), f.At(kChoiceRow).Combo());
  std::vector<int> visited{f.list.m_current};
  for (int i = 0; i < 5; ++i) {
    f.PressKey(VK_TAB);
    visited.push_back(f.list.m_current);
  }
  EXPECT_EQ(visited, (std::vector<int>{kChoiceRow, kTextRow, kLongRow, kPartRow, kRecordsRow, kUpperRow}))
      << "the note row is skipped";
  EXPECT_EQ(::GetFocus(), f.At(kUpperRow).Editor());
  f.PressKey(VK_TAB);
  EXPECT_EQ(::GetFocus(), f.after) << "past the last row, the window after the list";
  f.list.MakeCurrent(kLongRow, true);
  f.PressKey(VK_TAB, true);
  EXPECT_EQ(f.list.m_current, kTextRow) << "Shift+Tab goes back";
  f.PressKey(VK_UP);
  EXPECT_EQ(f.list.m_current, kChoiceRow);
  f.PressKey(VK_DOWN);
  EXPECT_EQ(f.list.m_current, kTextRow);
  EXPECT_EQ(::GetFocus(), f.At(kTextRow).Editor());
  // Leaving a row by keyboard takes its editor's text in.
  ::SetWindowTextW(f.At(kTextRow).Editor(), u"Bea");
  f.PressKey(VK_DOWN);
  EXPECT_EQ(UnitsOf(f.At(kTextRow).m_text), u"Bea");
}

// Picks item `index` of the next popup menu with the keyboard, or cancels it.
void PickFromNextMenu(int index) {
  static int wanted;
  wanted = index;
  user::SetMenuLoopHook(
      [](HWND popup, void*) {
        user::SetMenuLoopHook(nullptr, nullptr);
        if (wanted < 0) {
          ::PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
          return;
        }
        for (int i = 0; i <= wanted; ++i) ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
      },
      nullptr);
}

TEST(PromptList, ThePartSourceMenuShowsAndLimitsTheEditor) {
  LanguageScope english(kUiEnglish);
  PromptFixture f;
  CPromptItem& part = f.At(kPartRow);
  EXPECT_EQ(::SendMessageW(part.Editor(), EM_GETLIMITTEXT, 0, 0), 4) << "fixed data keeps to its length";
  PickFromNextMenu(1);  // Prompt Before Print
  uitest::Click(part.Button());
  EXPECT_EQ(part.m_source, kPartSourcePrompt);
  EXPECT_FALSE(::IsWindowVisible(part.Editor())) << "asked when printing: no editor";
  uitest::SaveWindowPng(f.host, dsui_test::PicturePath("prompt_list_en.png"));
  PickFromNextMenu(-1);  // cancelled: unchanged
  const RECT item = f.ItemRect(kPartRow);
  uitest::Click(f.list.m_hWnd, POINT{item.left + 10, item.top + 5}, user::MouseButton::Right);
  EXPECT_EQ(part.m_source, kPartSourcePrompt);
  PickFromNextMenu(2);  // Linked, by a right click on the row
  uitest::Click(f.list.m_hWnd, POINT{item.left + 10, item.top + 5}, user::MouseButton::Right);
  EXPECT_EQ(part.m_source, kPartSourceLinked);
  EXPECT_TRUE(::IsWindowVisible(part.Editor()));
  // Its editor brings the data page's insert buttons while it has the focus.
  HWND insertButtons = ::CreateWindowExW(0, u"Static", u"", WS_CHILD, 0, 250, 80, 20, f.host, nullptr, nullptr, nullptr);
  f.list.m_insertButtons = insertButtons;
  ::SetWindowTextW(part.Editor(), u"");
  ::SetFocus(f.after);
  ::SetFocus(part.Editor());
  uitest::RunUntilIdle();
  EXPECT_TRUE(::IsWindowVisible(insertButtons));
  ::SetFocus(f.after);
  uitest::RunUntilIdle();
  EXPECT_FALSE(::IsWindowVisible(insertButtons));
  ::SetFocus(part.Editor());
  uitest::TypeText(std::string_view("1234567"));
  uitest::RunUntilIdle();
  EXPECT_EQ(UnitsOf(part.GetText()), u"1234567") << "linked data takes any length";
}

TEST(PromptList, ButtonsAndDoubleClicksRunTheRowsAction) {
  LanguageScope english(kUiEnglish);
  PromptFixture f;
  uitest::Click(f.At(kLongRow).Button());
  const RECT records = f.ItemRect(kRecordsRow);
  uitest::DoubleClick(f.list.m_hWnd, POINT{records.left + 10, records.top + 5});
  const RECT name = f.ItemRect(kTextRow);
  uitest::DoubleClick(f.list.m_hWnd, POINT{name.left + 10, name.top + 5});
  EXPECT_EQ(f.buttonRows, (std::vector<std::string>{"Address", "Records"})) << "a row without a button runs nothing";
}

TEST(PromptList, TheCaptionDividerIsDragged) {
  LanguageScope english(kUiEnglish);
  PromptFixture f;
  RECT client{};
  f.list.GetClientRect(&client);
  const int start = f.list.CaptionWidth();
  EXPECT_EQ(start, client.right / 3);
  const RECT item = f.ItemRect(kTextRow);
  uitest::Drag(f.list.m_hWnd, POINT{start + 2, item.top + 5}, POINT{200, item.top + 5});
  EXPECT_EQ(f.list.CaptionWidth(), 200);
  uitest::Drag(f.list.m_hWnd, POINT{200, item.top + 5}, POINT{client.right + 50, item.top + 5});
  EXPECT_EQ(f.list.CaptionWidth(), client.right - 10) << "kept 10 pixels inside the list";
  // A press away from the divider makes its row current instead.
  uitest::Click(f.list.m_hWnd, POINT{40, item.top + 5});
  EXPECT_EQ(f.list.m_current, kTextRow);
  EXPECT_EQ(f.list.CaptionWidth(), client.right - 10);
}

TEST(PromptList, PictureInChinese) {
  LanguageScope chinese(kUiChineseSimplified);
  PromptFixture f;
  f.At(kTextRow).SetText(Wide(u"\u5f20\u4e09"));
  f.list.MakeCurrent(kLongRow, true);
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveWindowPng(f.host, dsui_test::PicturePath("prompt_list_zh.png")));
}

}  // namespace

namespace {

TEST(PromptList, TabCrossesIntoAChainedListAndBack) {
  LanguageScope english(kUiEnglish);
  PromptFixture f;
  CPromptList second;
  second.m_rowsPerView = 2;
  second.Create(RECT{8, 200, 300, 250}, &f.hostWindow, 1250);
  for (const char* caption : {"Class", "Country"}) {
    auto* row = new CPromptItem;
    second.AddItem(row);
    row->Init(caption, "", -1, 0, PromptRowType::kText, "", 1024, &second, {}, 0, false, false);
  }
  f.list.m_next = &second;
  second.m_previous = &f.list;
  second.m_after = f.after;
  uitest::RunUntilIdle();
  f.list.MakeCurrent(kUpperRow, true);
  f.PressKey(VK_TAB);
  EXPECT_EQ(second.m_current, 0) << "the next list's first row";
  EXPECT_EQ(::GetFocus(), second.Item(0)->Editor());
  f.PressKey(VK_TAB);
  EXPECT_EQ(second.m_current, 1);
  f.PressKey(VK_TAB);
  EXPECT_EQ(::GetFocus(), f.after) << "then the window after the chain";
  second.MakeCurrent(0, true);
  f.PressKey(VK_TAB, true);
  EXPECT_EQ(f.list.m_current, kUpperRow) << "Shift+Tab back into the first list's last row";
  EXPECT_EQ(::GetFocus(), f.At(kUpperRow).Editor());
  second.DestroyWindow();
}

}  // namespace
