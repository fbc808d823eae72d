// The edit control: messages, notifications and keys as tables of cases.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/ui.h"
#include "tests/platform/controls/control_test_util.h"

namespace {

using controltest::Event;
using controltest::Events;

std::u16string Text(HWND w) {
  WCHAR buffer[256] = {};
  GetWindowTextW(w, buffer, 256);
  return buffer;
}

std::vector<int> Codes(int id) {
  std::vector<int> out;
  for (const Event& e : Events())
    if (e.message == WM_COMMAND && e.id == id) out.push_back(e.code);
  return out;
}

TEST(EditControl, TypingThroughStylesAndNotifications) {
  struct Case {
    const char* what;
    DWORD style;
    const char* typed;
    std::u16string text;
    std::vector<int> codes;  // after the focus notification
  } const cases[] = {
      {"plain", ES_AUTOHSCROLL, "ab", u"ab", {EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}},
      {"number refuses letters", ES_NUMBER, "1x", u"1", {EN_UPDATE, EN_CHANGE}},
      {"upper case", ES_UPPERCASE, "ab", u"AB", {EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}},
      {"read-only takes nothing", ES_READONLY, "ab", u"", {}},
  };
  for (const Case& c : cases) {
    const HWND parent = controltest::MakeParent();
    const HWND edit = controltest::MakeControl(parent, u"Edit", c.style, 11);
    SetFocus(edit);
    Events().clear();
    uitest::TypeText(std::string_view(c.typed));
    EXPECT_EQ(Text(edit), c.text) << c.what;
    EXPECT_EQ(Codes(11), c.codes) << c.what << ": " << controltest::Describe(Events());
    DestroyWindow(parent);
  }
}

TEST(EditControl, LimitReportsMaxText) {
  const HWND parent = controltest::MakeParent();
  const HWND edit = controltest::MakeControl(parent, u"Edit", ES_AUTOHSCROLL, 12);
  SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 3);
  SetFocus(edit);
  Events().clear();
  uitest::TypeText(std::string_view("abcd"));
  EXPECT_EQ(Text(edit), u"abc");
  EXPECT_EQ(Codes(12).back(), EN_MAXTEXT) << controltest::Describe(Events());
  DestroyWindow(parent);
}

TEST(EditControl, MessagesAndTheirResults) {
  const HWND parent = controltest::MakeParent();
  const HWND edit = controltest::MakeControl(parent, u"Edit", ES_MULTILINE | ES_AUTOHSCROLL, 13, u"one\r\ntwo\r\nthree",
                                             160, 80);
  DWORD start = 0, end = 0;
  const controltest::MessageRow rows[] = {
      {EM_GETLINECOUNT, 0, 0, 3},
      {EM_LINEINDEX, 1, 0, 5},
      {EM_LINEINDEX, 7, 0, -1},
      {EM_LINELENGTH, 10, 0, 5},
      {EM_LINEFROMCHAR, 6, 0, 1},
      {EM_SETSEL, 2, 6, 0},
      {EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end), MAKEWPARAM(2, 6)},
      {EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"X"), 0},
      {EM_CANUNDO, 0, 0, TRUE},
      {EM_GETMODIFY, 0, 0, TRUE},
      {EM_UNDO, 0, 0, TRUE},
      {EM_SETMODIFY, FALSE, 0, 0},
      {EM_GETMODIFY, 0, 0, FALSE},
      {EM_EMPTYUNDOBUFFER, 0, 0, 0},
      {EM_CANUNDO, 0, 0, FALSE},
      {EM_SETPASSWORDCHAR, u'#', 0, 0},
      {EM_GETPASSWORDCHAR, 0, 0, u'#'},
      {WM_GETTEXTLENGTH, 0, 0, 15},
      {EM_SETREADONLY, TRUE, 0, TRUE},
      {WM_GETDLGCODE, 0, 0, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS},
  };
  controltest::ExpectResults(edit, rows);
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 6u);
  EXPECT_NE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY, 0) << "EM_SETREADONLY sets the style";
  // EM_GETLINE: the first word holds the buffer's size; the line is copied without a zero.
  WCHAR line[8] = {3, u'#', u'#', u'#', u'#'};
  EXPECT_EQ(SendMessageW(edit, EM_GETLINE, 2, reinterpret_cast<LPARAM>(line)), 3);
  EXPECT_EQ(std::u16string(line, 4), u"thr#");
  EXPECT_EQ(SendMessageW(edit, EM_GETLINE, 9, reinterpret_cast<LPARAM>(line)), 0) << "no such line";
  EXPECT_EQ(SendMessageW(edit, EM_GETLINE, 0, 0), 0) << "no buffer";
  // WM_GETTEXT never writes past its size.
  WCHAR small[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);
  EXPECT_EQ(std::u16string(small), u"one");
  EXPECT_EQ(small[4], u'#');
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);
  DestroyWindow(parent);
}

TEST(EditControl, ClipboardKeysAndSingleLineSetText) {
  const HWND parent = controltest::MakeParent();
  const HWND edit = controltest::MakeControl(parent, u"Edit", ES_AUTOHSCROLL, 14, u"hello world");
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, 5);
  uitest::Key('C', false, true);
  SendMessageW(edit, EM_SETSEL, 11, 11);
  uitest::Key('V', false, true);
  EXPECT_EQ(Text(edit), u"hello worldhello");
  SendMessageW(edit, EM_SETSEL, 0, 6);
  uitest::Key('X', false, true);
  EXPECT_EQ(Text(edit), u"worldhello");
  uitest::Key('Z', false, true);
  EXPECT_EQ(Text(edit), u"hello worldhello");
  Events().clear();
  SetWindowTextW(edit, u"first\r\nsecond");
  EXPECT_EQ(Text(edit), u"first") << "a single line keeps the first line";
  // Single-line controls report WM_SETTEXT with EN_UPDATE and EN_CHANGE.
  EXPECT_EQ(Codes(14), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
  const HWND password = controltest::MakeControl(parent, u"Edit", ES_PASSWORD, 15, u"secret");
  SendMessageW(password, EM_SETSEL, 0, -1);
  SetFocus(password);
  OpenClipboard(parent);
  EmptyClipboard();
  CloseClipboard();
  uitest::Key('C', false, true);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "a password is never copied";
  DestroyWindow(parent);
}

}  // namespace
