// Text of W windows through A procedures: a W window subclassed by an A
// procedure (as the framework subclasses controls) keeps a W caller's text
// in UTF-16, whatever the ANSI code page; A callers still get the text
// narrowed to the code page, and what an A procedure writes itself still
// counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win.h"
#include "tests/platform/nls_test_util.h"

namespace {

constexpr const char16_t* kRule = u"6 \u4E2A\u6570\u5B57\u5B57\u7B26";  // "6 个数字字符"

using nlstest::AnsiCodePageScope;

// What an A subclass does with the messages it passes on.
enum class Subclass { kPassesOn, kAnswersItself, kAppendsToAnswer };

WNDPROC g_super = nullptr;
Subclass g_kind = Subclass::kPassesOn;
std::string g_ansiSeen;
std::string g_charsSeen;

LRESULT AnsiSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_SETTEXT && lp) g_ansiSeen = reinterpret_cast<const char*>(lp);
  if (m == WM_CHAR) g_charsSeen += static_cast<char>(wp);
  if (m == WM_GETTEXT && g_kind == Subclass::kAnswersItself) {
    const int n = std::min(static_cast<int>(wp) - 1, 4);
    std::memcpy(reinterpret_cast<char*>(lp), "Caf\xE9", static_cast<size_t>(n));
    reinterpret_cast<char*>(lp)[n] = 0;
    return n;
  }
  const LRESULT result = CallWindowProcA(g_super, w, m, wp, lp);
  if (m == WM_GETTEXT && g_kind == Subclass::kAppendsToAnswer) {
    std::strncat(reinterpret_cast<char*>(lp), "!", wp - std::strlen(reinterpret_cast<char*>(lp)) - 1);
    return result + 1;
  }
  return result;
}

// A second subclass, of the W kind, over the A one: the text crosses the
// A/W boundary twice more on its way down and back.
WNDPROC g_wideSuper = nullptr;
LRESULT WideSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallWindowProcW(g_wideSuper, w, m, wp, lp); }

HWND MakeSubclassedStatic(const char16_t* text) {
  HWND w = CreateWindowExW(0, u"Static", text, WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(IsWindowUnicode(w));
  g_super = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnsiSubclass)));
  EXPECT_FALSE(IsWindowUnicode(w));
  return w;
}

std::u16string WideText(HWND w, int size = 64) {
  std::u16string text(static_cast<size_t>(size), u'#');
  const int n = GetWindowTextW(w, text.data(), size);
  return text.substr(0, static_cast<size_t>(n));
}

std::string AnsiText(HWND w) {
  char text[64] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

TEST(WideTextRelay, AWideCallerReadsBackWhatItSetThroughAnAnsiSubclass) {
  struct Row {
    UINT codePage;
    const char* ansiText;  // what A callers and the A procedure see
  };
  const Row rows[] = {
      {1252, "6 ?????"},                                    // the program's own code page: no CJK in it
      {936, "6 \xB8\xF6\xCA\xFD\xD7\xD6\xD7\xD6\xB7\xFB"},  // GBK has every character
  };
  for (const Row& row : rows) {
    AnsiCodePageScope codePage(row.codePage);
    g_kind = Subclass::kPassesOn;
    HWND w = MakeSubclassedStatic(u"");
    ASSERT_TRUE(SetWindowTextW(w, kRule));
    EXPECT_EQ(g_ansiSeen, row.ansiText) << "the A procedure sees the ANSI text, code page " << row.codePage;
    EXPECT_EQ(WideText(w), kRule) << row.codePage;
    EXPECT_EQ(GetWindowTextLengthW(w), 7) << row.codePage;
    EXPECT_EQ(AnsiText(w), row.ansiText) << row.codePage;
    EXPECT_GE(GetWindowTextLengthA(w), static_cast<int>(std::strlen(row.ansiText))) << row.codePage;
    // A short W buffer gets the first characters, never a narrowed one.
    EXPECT_EQ(WideText(w, 4), std::u16string(kRule).substr(0, 3)) << row.codePage;
    // An A caller's text goes through the code page as before.
    ASSERT_TRUE(SetWindowTextA(w, row.ansiText));
    EXPECT_EQ(AnsiText(w), row.ansiText) << row.codePage;
    DestroyWindow(w);
  }
}

TEST(WideTextRelay, TextTheAnsiProcedureWritesItselfIsWhatAWideCallerGets) {
  struct Row {
    Subclass kind;
    const char16_t* read;
  };
  const Row rows[] = {
      {Subclass::kPassesOn, kRule},
      {Subclass::kAnswersItself, u"Caf\u00E9"},
      {Subclass::kAppendsToAnswer, u"6 ?????" u"!"},  // the A procedure's own answer, narrowed
  };
  for (const Row& row : rows) {
    g_kind = row.kind;
    HWND w = MakeSubclassedStatic(kRule);
    EXPECT_EQ(WideText(w), row.read) << static_cast<int>(row.kind);
    DestroyWindow(w);
  }
  g_kind = Subclass::kPassesOn;
}

TEST(WideTextRelay, SubclassesOfBothKindsInTurnKeepTheText) {
  g_kind = Subclass::kPassesOn;
  HWND w = MakeSubclassedStatic(u"");
  g_wideSuper = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WideSubclass)));
  EXPECT_TRUE(IsWindowUnicode(w));
  ASSERT_TRUE(SetWindowTextW(w, kRule));
  EXPECT_EQ(WideText(w), kRule);
  EXPECT_EQ(AnsiText(w), "6 ?????");
  DestroyWindow(w);
}

// A window of an A class created and named by a W caller: its default
// procedure keeps the name as given.
LRESULT AnsiClassProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

TEST(WideTextRelay, AnAnsiClassKeepsAWideCallersName) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &AnsiClassProc;
  wc.lpszClassName = "RelayAnsiClass";
  RegisterClassA(&wc);
  HWND w = CreateWindowExW(0, u"RelayAnsiClass", kRule, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowUnicode(w));
  EXPECT_EQ(WideText(w), kRule);
  ASSERT_TRUE(SetWindowTextW(w, u"\u6761\u7801"));
  EXPECT_EQ(WideText(w), u"\u6761\u7801");
  EXPECT_EQ(AnsiText(w), "??");
  DestroyWindow(w);
}

// A character typed into a W edit through an A subclass arrives whole.
TEST(WideTextRelay, AWideCharacterReachesAWideEditThroughAnAnsiSubclass) {
  g_kind = Subclass::kPassesOn;
  HWND w = CreateWindowExW(0, u"Edit", u"", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  g_super = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnsiSubclass)));
  g_charsSeen.clear();
  for (const char16_t c : std::u16string_view(u"A\u6570")) SendMessageW(w, WM_CHAR, c, 1);
  EXPECT_EQ(g_charsSeen, "A?") << "the A procedure sees the ANSI characters";
  EXPECT_EQ(WideText(w), u"A\u6570");
  SendMessageA(w, WM_CHAR, '?', 1);  // an A caller's character is its own
  EXPECT_EQ(WideText(w), u"A\u6570?");
  DestroyWindow(w);
}

// List and combo box strings a W caller adds through an A subclass, found
// and read back whole; an A caller's come through the code page.
TEST(WideTextRelay, ListStringsOfAWideCallerThroughAnAnsiSubclass) {
  struct Row {
    const char16_t* className;
    DWORD style;
    UINT add, find, select, length, get, current;
  };
  const Row rows[] = {
      {u"ComboBox", CBS_DROPDOWNLIST, CB_ADDSTRING, CB_FINDSTRINGEXACT, CB_SELECTSTRING, CB_GETLBTEXTLEN, CB_GETLBTEXT,
       CB_GETCURSEL},
      {u"ListBox", 0, LB_ADDSTRING, LB_FINDSTRINGEXACT, LB_SELECTSTRING, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL},
  };
  g_kind = Subclass::kPassesOn;
  for (const Row& row : rows) {
    const char* name = row.className == std::u16string_view(u"ListBox") ? "list box" : "combo box";
    HWND w = CreateWindowExW(0, row.className, u"", WS_POPUP | row.style, 0, 0, 80, 100, nullptr, nullptr, nullptr,
                             nullptr);
    g_super = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnsiSubclass)));
    EXPECT_EQ(SendMessageW(w, row.add, 0, reinterpret_cast<LPARAM>(u"\u6761\u7801")), 0) << name;
    EXPECT_EQ(SendMessageW(w, row.add, 0, reinterpret_cast<LPARAM>(kRule)), 1) << name;
    EXPECT_EQ(SendMessageW(w, row.find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(kRule)), 1) << name;
    EXPECT_EQ(SendMessageW(w, row.select, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(kRule)), 1) << name;
    EXPECT_EQ(SendMessageW(w, row.current, 0, 0), 1) << name;
    const LRESULT units = SendMessageW(w, row.length, 1, 0);
    EXPECT_EQ(units, 7) << name;
    std::u16string text(static_cast<size_t>(std::max<LRESULT>(units, 0)) + 1, u'#');
    EXPECT_EQ(SendMessageW(w, row.get, 1, reinterpret_cast<LPARAM>(text.data())), 7) << name;
    EXPECT_EQ(text, kRule + std::u16string(1, u'\0')) << name;
    char ansi[32] = {};
    EXPECT_EQ(SendMessageA(w, row.get, 0, reinterpret_cast<LPARAM>(ansi)), 2) << name;
    EXPECT_STREQ(ansi, "??") << name;
    EXPECT_EQ(SendMessageA(w, row.add, 0, reinterpret_cast<LPARAM>("Caf\xE9")), 2) << name;
    EXPECT_EQ(SendMessageW(w, row.get, 2, reinterpret_cast<LPARAM>(text.data())), 4) << name;
    EXPECT_EQ(text.substr(0, 5), std::u16string(u"Caf\u00E9") + u'\0') << name;
    // A W search is not narrowed: it tells the A caller's "??" from either CJK text.
    EXPECT_EQ(SendMessageA(w, row.add, 0, reinterpret_cast<LPARAM>("??")), 3) << name;
    EXPECT_EQ(SendMessageW(w, row.find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"\u6761\u7801")), 0) << name;
    EXPECT_EQ(SendMessageW(w, row.find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"\u4E2D\u6587")), -1)
        << name;
    DestroyWindow(w);
  }
}

}  // namespace
