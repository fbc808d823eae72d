// The self-drawn edit: the caret and the keys over GBK text never split a
// double-byte character (judged by Python's gbk codec), pasting converts to
// the interface code page, and the background follows the control's state.
#include <gtest/gtest.h>

#include "app/controls/edit_ex.h"
#include "controls_test_util.h"
#include "foundation/string/astring.h"
#include "gbk_oracle.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"

namespace {

std::u16string Utf16(const std::string& utf8) { return DecodeEditText(utf8, CP_UTF8); }

// The designer runs a Chinese interface with the process's ANSI code page
// set to the interface's, so framework windows pass Chinese text whole.
struct AnsiCodePage {
  UINT before = GetACP();
  explicit AnsiCodePage(UINT codePage) { SetProcessAnsiCodePage(codePage); }
  ~AnsiCodePage() { SetProcessAnsiCodePage(before); }
};

struct EditFixture {
  AnsiCodePage gbk{936};
  ctltest::CRecordingParent parent{300, 80};
  CEditEx edit;
  explicit EditFixture(const std::string& utf8, int width = 260) {
    edit.m_codePage = 936;
    edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 10 + width, 34), &parent, 501);
    SetWindowTextW(edit.m_hWnd, Utf16(utf8).c_str());
    ::SetFocus(edit.m_hWnd);
    uitest::RunUntilIdle();
  }
  std::string Bytes() const { return edit.ShownText().Bytes(); }
};

const char* const kTexts[] = {
    "A中文B",
    "标签设计",
    "Code128：条码",
    "x±y·z",
    "a\tb",
};

TEST(EditExCaret, ShownBytesAreGbk) {
  for (const char* text : kTexts) {
    const EditExText shown(Utf16(text), 936);
    EXPECT_EQ(ctltest::Hex(shown.Bytes()), ctltest::GbkHex(text)) << text;
  }
}

TEST(EditExCaret, RightAndLeftStepOverWholeCharacters) {
  for (const char* text : kTexts) {
    const std::vector<int> boundaries = ctltest::GbkBoundaries(text);
    ASSERT_GE(boundaries.size(), 2u) << "python3 answered for " << text;
    EditFixture f(text);
    uitest::Key(VK_HOME);
    EXPECT_EQ(f.edit.m_caret, 0) << text;
    for (size_t i = 1; i < boundaries.size(); ++i) {
      uitest::Key(VK_RIGHT);
      EXPECT_EQ(f.edit.m_caret, boundaries[i]) << text << ": right to character " << i;
    }
    for (size_t i = boundaries.size() - 1; i-- > 0;) {
      uitest::Key(VK_LEFT);
      EXPECT_EQ(f.edit.m_caret, boundaries[i]) << text << ": left to character " << i;
    }
  }
}

TEST(EditExCaret, BackspaceAndDeleteRemoveBothBytes) {
  EditFixture f("A中文B");
  uitest::Key(VK_HOME);
  uitest::Key(VK_RIGHT);
  uitest::Key(VK_RIGHT);
  EXPECT_EQ(f.edit.m_caret, 3);
  uitest::Key(VK_BACK);
  EXPECT_EQ(ctltest::Hex(f.Bytes()), ctltest::GbkHex("A文B"));
  EXPECT_EQ(f.edit.m_caret, 1);
  uitest::Key(VK_DELETE);
  EXPECT_EQ(ctltest::Hex(f.Bytes()), ctltest::GbkHex("AB"));
  EXPECT_EQ(f.edit.m_caret, 1);
}

TEST(EditExCaret, ClicksLandBeforeOrAfterAWholeCharacter) {
  EditFixture f("A中文B");
  HDC dc = ::GetDC(f.edit.m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const int start = f.edit.XFromCharIndex(dc, 1), end = f.edit.XFromCharIndex(dc, 3);
  ::SelectObject(dc, old);
  ::ReleaseDC(f.edit.m_hWnd, dc);
  ASSERT_GT(end - start, 2);
  struct Case {
    int x;
    int caret;
    const char* why;
  };
  const Case cases[] = {
      {start + 1, 1, "left half of the character: before its lead byte"},
      {end - 1, 3, "right half: after both bytes"},
      {(start + end) / 2 + 1, 3, "just right of the middle: after both bytes"},
      {1000, 6, "past the end: the end"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(f.edit.CharIndexFromX(c.x), c.caret) << c.why;
    uitest::Click(f.edit.m_hWnd, POINT{c.x < 250 ? c.x : 250, 8});
    EXPECT_EQ(f.edit.m_caret, c.caret) << c.why << ": clicked";
  }
}

TEST(EditExCaret, PasteConvertsUnicodeClipboardTextToTheInterfaceCodePage) {
  EditFixture f("AB");
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const std::u16string paste = Utf16("粘贴");
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (paste.size() + 1) * 2);
  std::copy_n(paste.c_str(), paste.size() + 1, static_cast<char16_t*>(::GlobalLock(memory)));
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
  uitest::Key(VK_HOME);
  uitest::Key(VK_RIGHT);
  uitest::Key('V', false, true);
  EXPECT_EQ(ctltest::Hex(f.Bytes()), ctltest::GbkHex("A粘贴B")) << "pasted once, the Ctrl+V character dropped";
  EXPECT_EQ(f.edit.m_caret, 5);
  uitest::Key(VK_END);
  uitest::Key(VK_LEFT, true);
  uitest::Key('C', false, true);
  uitest::Key(VK_HOME);
  uitest::Key('V', false, true);
  EXPECT_EQ(ctltest::Hex(f.Bytes()), ctltest::GbkHex("BA粘贴B")) << "a copied selection pastes back";
}

TEST(EditExCaret, BackgroundFollowsTheState) {
  EditFixture f("text");
  EXPECT_EQ(uitest::ClientPixel(f.edit.m_hWnd, 250, 20), GetSysColor(COLOR_WINDOW));
  f.edit.SetReadOnly(TRUE);
  f.edit.Invalidate();
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(f.edit.m_hWnd, 250, 20), RGB(203, 203, 189));
  f.edit.EnableWindow(FALSE);
  f.edit.Invalidate();
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(f.edit.m_hWnd, 250, 20), RGB(183, 183, 183));
}

TEST(EditExCaret, PictureOfASelectionOverChineseText) {
  EditFixture f("标签 Label 设计");
  uitest::Key(VK_HOME);
  uitest::Key(VK_RIGHT, true);
  uitest::Key(VK_RIGHT, true);
  uitest::RunUntilIdle();
  int start = 0, end = 0;
  f.edit.GetByteSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 4);
  EXPECT_TRUE(uitest::SaveWindowPng(f.parent.m_hWnd, tavtest::BuildFolderPng("app_edit_ex_gbk_selection")));
}

}  // namespace
