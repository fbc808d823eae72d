// The rich-edit control's scrolling: by lines and pages through messages
// and its scroll bar, the caret brought into view, the scroll bar's range
// and position, and EN_VSCROLL by event mask.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "tests/platform/richedit/rich_edit_fixture.h"

namespace {

using richtest::Fixture;
using richtest::Notes;

constexpr int kLines = 30;  // paragraphs "L00".."L29", four characters each with the mark

std::u16string ManyLines() {
  std::u16string text;
  for (int i = 0; i < kLines; ++i) {
    text += u'L';
    text += static_cast<char16_t>(u'0' + i / 10);
    text += static_cast<char16_t>(u'0' + i % 10);
    if (i + 1 < kLines) text += u'\r';
  }
  return text;
}

LONG TopOf(HWND edit, int line) {
  POINTL at{};
  SendMessageW(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), line * 4);
  return at.y;
}

LRESULT First(HWND edit) { return SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0); }

TEST(RichEditScroll, ByLinesPagesAndTheScrollBar) {
  Fixture f(u"RichEdit20W", ES_MULTILINE | WS_VSCROLL);
  const std::u16string text = ManyLines();
  SendMessageW(f.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  uitest::RunUntilIdle();
  ASSERT_EQ(SendMessageW(f.edit, EM_GETLINECOUNT, 0, 0), kLines);
  // Where each line starts in the text, and the text's height (the scroll bar's range).
  const LONG textTop = TopOf(f.edit, 0);
  std::vector<LONG> tops;
  for (int i = 0; i < kLines; ++i) tops.push_back(TopOf(f.edit, i) - textTop);
  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(f.edit, SB_VERT, &range));
  const LONG total = range.nMax + 1;
  ASSERT_GT(total, tops.back());
  RECT client{};
  GetClientRect(f.edit, &client);
  const LONG view = client.bottom - 2;  // the text area inside the border
  auto bottomOf = [&](int i) { return i + 1 < kLines ? tops[i + 1] : total; };
  // Lines wholly in view from line 4, and the first line from which the rest fits.
  int page = 0;
  while (bottomOf(4 + page) - tops[4] <= view) ++page;
  int lastFirst = 0;
  while (total - tops[lastFirst] > view) ++lastFirst;
  ASSERT_GT(page, 2);
  ASSERT_GT(lastFirst, 8);
  const LONG lineHeight = tops[8] - tops[7];

  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int first;
  };
  const Case cases[] = {
      {"five lines down", EM_LINESCROLL, 0, 5, 5},
      {"two lines up", EM_LINESCROLL, 0, -2, 3},
      {"the bar's down arrow", WM_VSCROLL, SB_LINEDOWN, 0, 4},
      {"a page down", WM_VSCROLL, SB_PAGEDOWN, 0, 4 + page},
      {"a page up", WM_VSCROLL, SB_PAGEUP, 0, 4},
      {"to the end", WM_VSCROLL, SB_BOTTOM, 0, lastFirst},
      {"never past where the rest fits", EM_LINESCROLL, 0, 100, lastFirst},
      {"to the top", WM_VSCROLL, SB_TOP, 0, 0},
      {"never above the first line", EM_LINESCROLL, 0, -3, 0},
      {"the thumb dragged to line 7", WM_VSCROLL, MAKELONG(SB_THUMBTRACK, tops[7] + lineHeight / 2), 0, 7},
      {"EM_SCROLL a line up", EM_SCROLL, SB_LINEUP, 0, 6},
  };
  for (const auto& c : cases) {
    SendMessageW(f.edit, c.message, c.wParam, c.lParam);
    EXPECT_EQ(First(f.edit), c.first) << c.what;
    // The first line in view is drawn at the top of the text area.
    EXPECT_EQ(TopOf(f.edit, c.first), textTop) << c.what;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(f.edit, SB_VERT, &si));
    // The bar's position is the first line's top, as far as the bar goes (its page fits below).
    EXPECT_EQ(si.nPos, std::min(tops[c.first], total - view)) << c.what;
    EXPECT_EQ(si.nMax + 1, total) << c.what;
    EXPECT_EQ(static_cast<LONG>(si.nPage), view) << c.what;
  }
  EXPECT_EQ(SendMessageW(f.edit, EM_SCROLL, SB_LINEDOWN, 0), MAKELONG(1, TRUE));
}

TEST(RichEditScroll, TheCaretComesIntoView) {
  Fixture f(u"RichEdit20W", ES_MULTILINE | WS_VSCROLL);
  const std::u16string text = ManyLines();
  SendMessageW(f.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(f.edit, EM_SETEVENTMASK, 0, ENM_SCROLL);
  uitest::RunUntilIdle();
  RECT client{};
  GetClientRect(f.edit, &client);
  // A program's selection does not scroll; EM_SCROLLCARET does.
  SendMessageW(f.edit, EM_SETSEL, text.size(), text.size());
  EXPECT_EQ(First(f.edit), 0);
  Notes().clear();
  SendMessageW(f.edit, EM_SCROLLCARET, 0, 0);
  EXPECT_GT(First(f.edit), 0);
  const LONG last = TopOf(f.edit, kLines - 1);
  EXPECT_GE(last, 0);
  EXPECT_LE(last + (TopOf(f.edit, 1) - TopOf(f.edit, 0)), client.bottom) << "the caret's line is wholly in view";
  ASSERT_FALSE(Notes().empty());
  EXPECT_EQ(Notes().back().code, EN_VSCROLL);
  // Keys the person presses keep the caret in view.
  SetFocus(f.edit);
  uitest::Key(VK_HOME, false, true);
  EXPECT_EQ(First(f.edit), 0);
  for (int i = 0; i < 12; ++i) uitest::Key(VK_DOWN);
  const LRESULT first = First(f.edit);
  EXPECT_GT(first, 0);
  EXPECT_LE(TopOf(f.edit, 12), client.bottom);
  EXPECT_GE(TopOf(f.edit, 12), 0);
  // The wheel scrolls three lines a notch.
  uitest::Wheel(f.edit, -1);
  EXPECT_EQ(First(f.edit), first + 3);
}

}  // namespace
