// The property pages' rich-edit control: text in and out in every code page,
// language switches that re-pair characters or keep the text, its own paste
// and copy (with the locale of its code page), focus messages to the parent,
// its keys, and the word and double-byte character at the caret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fields/controls/rich_edit_ex.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "platform/testing/ui.h"

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Seen&) const = default;
};

std::vector<Seen>& ParentSaw() {
  static std::vector<Seen> seen;
  return seen;
}

LRESULT ParentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kMsgRichEditFocusIn || message == kMsgRichEditFocusOut || message == WM_KEYDOWN)
    ParentSaw().push_back({message, wParam, lParam});
  return DefWindowProcW(w, message, wParam, lParam);
}

constexpr UINT kEditId = 31;
constexpr int kSimplified = 1, kTraditional = 2, kEnglish = 0;

// A parent window and the control in it, made ready for a language.
struct EditFixture {
  explicit EditFixture(int language, DWORD style = ES_MULTILINE, int keepText = 0, int height = 120) {
    parent = uitest::CreateTestWindow({u"TavRichEditExParent", ParentProc, -1}, u"parent",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 300);
    EXPECT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | style, RECT{10, 10, 310, 10 + height}, CWnd::FromHandle(parent),
                            kEditId));
    edit.Setup(language, 0, keepText);
    ParentSaw().clear();
  }
  ~EditFixture() {
    edit.DestroyWindow();
    DestroyWindow(parent);
  }
  std::u16string Units() {
    AString text;
    edit.GetUnicodeText(text);
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetData()), static_cast<size_t>(text.GetLength() / 2));
  }
  void Put(const std::u16string& units) {
    AString text(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
    text.SetWide(true);
    edit.SetText(text, 0, 0, 0);
  }
  HWND parent;
  CRichEditEx edit;
};

std::string Bytes(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

TEST(RichEditEx, TextInAndOutInEveryCodePage) {
  EditFixture f(kSimplified);
  EXPECT_EQ(f.edit.m_ready, 1);
  EXPECT_EQ(f.edit.m_codePage, 936);
  AString gbk("\xD6\xD0\xCE\xC4");
  gbk.SetCodePage(936);
  f.edit.SetText(gbk, 0, 0, 0);
  EXPECT_EQ(f.Units(), u"中文");
  EXPECT_EQ(f.edit.GetTextLength(), 2);
  AString out;
  EXPECT_EQ(Bytes(f.edit.GetText(out, 0)), "\xD6\xD0\xCE\xC4") << "the control's own code page";
  EXPECT_EQ(Bytes(f.edit.GetText(out, 950)), "\xA4\xA4\xA4\xE5") << "Big5 on request";
  EXPECT_EQ(out.GetCodePage(), 950);
  f.edit.AppendText("caf\xE9", 4, 1252);
  EXPECT_EQ(f.Units(), u"中文café");
  // The caret went to the start, and the whole text has the default format.
  CHARRANGE sel{};
  f.edit.GetSel(sel);
  EXPECT_EQ(sel.cpMin, 6);
  f.edit.SetSel(0, -1);
  CHARFORMAT2W format{};
  f.edit.GetSelectionCharFormat(format);
  EXPECT_EQ(format.bCharSet, 134);
  EXPECT_EQ(format.yHeight, 200);
  EXPECT_EQ(std::u16string(format.szFaceName), u"Arial");
  // A face and size for all of it.
  EXPECT_TRUE(f.edit.SetFaceAndSize("Courier New", 14, SCF_ALL));
  f.edit.GetSelectionCharFormat(format);
  EXPECT_EQ(std::u16string(format.szFaceName), u"Courier New");
  EXPECT_EQ(format.yHeight, 280);
  EXPECT_EQ(format.wWeight, FW_NORMAL);
}

TEST(RichEditEx, RepairingReadsTwoSingleBytesAsOneCharacter) {
  // Oracle: the double-byte code page's own decoding of the two bytes.
  auto decoded = [](const char* bytes, int page) {
    WCHAR w[4] = {};
    const int n = MultiByteToWideChar(static_cast<UINT>(page), 0, bytes, 2, w, 4);
    return std::u16string(w, static_cast<size_t>(n));
  };
  const struct { std::u16string in; int from, to; std::u16string out; const char* why; } cases[] = {
      {u"\u00D6\u00D0", 1252, 936, decoded("\xD6\xD0", 936), "two Latin-1 letters that are GBK bytes"},
      {u"\u00A4\u00A4x", 1252, 950, decoded("\xA4\xA4", 950) + u"x", "Big5, the last unit kept"},
      {u"ab\u00D6\u00D0", 1252, 936, u"ab" + decoded("\xD6\xD0", 936), "ASCII stays"},
      {u"\u00D6\u00D0", 1252, 1252, u"\u00D6\u00D0", "a single-byte target changes nothing"},
      {u"\u00D6\u00D0", 1252, 1200, u"\u00D6\u00D0", "UTF-16 changes nothing"},
      {u"\u4E2D\u00D0", 1252, 936, u"\u4E2D\u00D0", "a unit with no byte in the old page stays"},
  };
  for (const auto& c : cases) EXPECT_EQ(RepairUnits(c.in, c.from, c.to), c.out) << c.why;

  EditFixture f(kEnglish);
  EXPECT_EQ(f.edit.m_codePage, 1252);
  f.Put(u"\u00D6\u00D0");
  f.edit.SetLanguage(kSimplified, 0, 0);
  EXPECT_EQ(f.edit.m_codePage, 936);
  EXPECT_EQ(f.Units(), decoded("\xD6\xD0", 936));
}

TEST(RichEditEx, ASingleByteTargetOnlyReformats) {
  EditFixture f(kSimplified);
  f.Put(u"中文 text");
  f.edit.SetLanguage(kEnglish, 0, 0);
  EXPECT_EQ(f.edit.m_codePage, 1252);
  EXPECT_EQ(f.Units(), u"中文 text");
  f.edit.SetSel(0, -1);
  CHARFORMAT2W format{};
  f.edit.GetSelectionCharFormat(format);
  EXPECT_EQ(format.bCharSet, 0) << "the Western character set now";
  // A quiet switch without an option or the keep-text flag changes nothing.
  f.edit.SetLanguage(kSimplified, 1, 0);
  EXPECT_EQ(f.edit.m_codePage, 936);
  f.edit.SetSel(0, -1);
  f.edit.GetSelectionCharFormat(format);
  EXPECT_EQ(format.bCharSet, 0);
}

TEST(RichEditEx, KeepTextSurvivesSwitchesBackAndForth) {
  EditFixture f(kSimplified, ES_MULTILINE, 1);
  EXPECT_EQ(f.edit.m_keepText, 1);
  f.Put(u"中文 kept");
  f.edit.SetModify(TRUE);
  for (int language : {kTraditional, kSimplified, kTraditional, kSimplified}) {
    f.edit.SetLanguage(language, 1, 0);
    EXPECT_EQ(f.Units(), u"中文 kept") << "language " << language;
    EXPECT_FALSE(f.edit.GetModify());
  }
  EXPECT_EQ(std::string(f.edit.m_savedText.GetData(), 4), std::string("\x2D\x4E\x87\x65", 4));
  EXPECT_EQ(f.edit.m_savedText.GetCodePage(), 936) << "marked with the page it was typed in";
  // Longer than 1023 units, modified: nothing is saved.
  f.Put(std::u16string(1100, u'x'));
  f.edit.SetModify(TRUE);
  f.edit.SetLanguage(kTraditional, 1, 0);
  EXPECT_TRUE(f.edit.m_savedText.IsEmpty());
}

// The clipboard's formats after a copy.
struct Clip {
  std::string text;
  LCID locale = 0;
  std::u16string unicode;
};
Clip ReadClip(HWND owner) {
  Clip c;
  if (!OpenClipboard(owner)) return c;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    c.text = static_cast<const char*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  if (HANDLE h = GetClipboardData(CF_LOCALE)) {
    c.locale = *static_cast<const LCID*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    c.unicode = static_cast<const char16_t*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return c;
}

TEST(RichEditEx, CopyTagsTheTextWithItsOwnCodePagesLocale) {
  const struct { int language; std::string bytes; LCID locale; } cases[] = {
      {kSimplified, "\xD6\xD0\xCE\xC4", 2052},
      {kTraditional, "\xA4\xA4\xA4\xE5", 1028},
      {kEnglish, "??", 1033},
  };
  for (const auto& c : cases) {
    EditFixture f(c.language);
    f.Put(u"中文");
    f.edit.SetSel(0, -1);
    SetFocus(f.edit.m_hWnd);
    uitest::Key('C', false, true);
    const Clip clip = ReadClip(f.parent);
    EXPECT_EQ(clip.text, c.bytes) << c.language;
    EXPECT_EQ(clip.locale, c.locale) << c.language;
    // Readers widen the text with the tagged locale's page: the characters come back.
    if (c.language != kEnglish) {
      EXPECT_EQ(clip.unicode, u"中文") << c.language;
    }
  }
}

TEST(RichEditEx, PasteTakesTheClipboardInItsPageAndFormatsIt) {
  EditFixture f(kSimplified);
  f.Put(u"ab");
  f.edit.SetSel(1, 1);
  ASSERT_TRUE(OpenClipboard(f.parent));
  EmptyClipboard();
  const std::u16string pasted = u"中文";
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * 2);
  std::copy(pasted.c_str(), pasted.c_str() + pasted.size() + 1, static_cast<char16_t*>(GlobalLock(block)));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  SetFocus(f.edit.m_hWnd);
  uitest::Key('V', false, true);
  EXPECT_EQ(f.Units(), u"a中文b");
  f.edit.SetSel(1, 3);
  CHARFORMAT2W format{};
  f.edit.GetSelectionCharFormat(format);
  EXPECT_EQ(format.bCharSet, 134);
  EXPECT_EQ(std::u16string(format.szFaceName), u"Arial");

  // A read-only control takes nothing.
  EditFixture fixed(kSimplified, ES_MULTILINE | ES_READONLY);
  fixed.Put(u"fixed");
  SetFocus(fixed.edit.m_hWnd);
  uitest::Key('V', false, true);
  uitest::Key(VK_INSERT, true, false);
  EXPECT_EQ(fixed.Units(), u"fixed");
}

TEST(RichEditEx, FocusAndEscapeReachTheParent) {
  EditFixture f(kEnglish);
  const auto id = static_cast<WPARAM>(kEditId);
  const auto self = reinterpret_cast<LPARAM>(f.edit.m_hWnd);
  SetFocus(f.edit.m_hWnd);
  SetFocus(f.parent);
  EXPECT_EQ(ParentSaw(), (std::vector<Seen>{{kMsgRichEditFocusIn, id, self}, {kMsgRichEditFocusOut, id, self}}));
  SetFocus(f.edit.m_hWnd);
  ParentSaw().clear();
  uitest::Key(VK_ESCAPE);
  uitest::RunUntilIdle();
  ASSERT_EQ(ParentSaw().size(), 1u);
  EXPECT_EQ(ParentSaw()[0].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(ParentSaw()[0].wParam, static_cast<WPARAM>(VK_ESCAPE));
  // Ctrl+Tab is swallowed.
  f.Put(u"ab");
  f.edit.SetSel(1, 1);
  uitest::Key(VK_TAB, false, true);
  EXPECT_EQ(f.Units(), u"ab");
}

TEST(RichEditEx, CtrlUpBringsTheCaretBackIntoView) {
  // Room for about three lines; the caret on the sixth.
  EditFixture f(kEnglish, ES_MULTILINE, 0, 50);
  f.Put(u"one\rtwo\rthree\rfour\rfive\rsixth line");
  uitest::RunUntilIdle();
  const long caret = f.edit.LineIndex(5) + 3;
  f.edit.SetSel(caret, caret);
  SetFocus(f.edit.m_hWnd);
  uitest::Key(VK_UP, false, true);
  CHARRANGE sel{};
  f.edit.GetSel(sel);
  RECT area{};
  f.edit.GetRect(&area);
  const long lastFull = f.edit.LineFromChar(f.edit.CharFromPos(CPoint(area.left + 1, area.bottom - 4))) - 1;
  ASSERT_GE(lastFull, 0);
  ASSERT_LT(lastFull, 5);
  EXPECT_EQ(f.edit.LineFromChar(sel.cpMin), lastFull);
  EXPECT_EQ(sel.cpMin - f.edit.LineIndex(static_cast<int>(lastFull)),
            std::min(3L, static_cast<long>(f.edit.LineLength(f.edit.LineIndex(static_cast<int>(lastFull))))));
}

TEST(RichEditEx, WordsAndDoubleByteCharactersAtTheCaret) {
  EditFixture latin(kEnglish);
  AString out;
  EXPECT_EQ(latin.edit.GetWordAtCaret(out), 0) << "empty";
  latin.Put(u"hello big_world!");
  latin.edit.SetSel(8, 8);
  EXPECT_EQ(latin.edit.GetWordAtCaret(out), 2);
  EXPECT_EQ(Bytes(out), "big_world");
  CHARRANGE sel{};
  latin.edit.GetSel(sel);
  EXPECT_EQ(sel.cpMin, 6);
  EXPECT_EQ(sel.cpMax, 15);
  latin.edit.SetSel(0, 2);
  EXPECT_EQ(latin.edit.GetWordAtCaret(out), 1);
  EXPECT_TRUE(out.IsWide());
  EXPECT_EQ(out.GetLength(), 4);

  EditFixture chinese(kSimplified);
  chinese.Put(u"a中文");
  chinese.edit.SetSel(2, 2);
  EXPECT_EQ(chinese.edit.GetWordAtCaret(out), 1);
  EXPECT_EQ(std::string(out.GetData(), 2), std::string("\x2D\x4E", 2)) << "the character before the caret";
  chinese.edit.SetSel(2, 2);
  EXPECT_EQ(chinese.edit.GetDbcsCharAtCaret(out, 0), 1);
  EXPECT_EQ(Bytes(out), "\xD6\xD0");
  chinese.edit.GetSel(sel);
  EXPECT_EQ(sel.cpMin, 2) << "the selection is put back";
  chinese.edit.SetSel(0, 0);
  EXPECT_EQ(chinese.edit.GetDbcsCharAtCaret(out, 1), 0) << "an ASCII letter after the caret";
}

}  // namespace
