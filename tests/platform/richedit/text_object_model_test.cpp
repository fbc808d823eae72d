// The text object model over the text services: the document the host
// gets, ranges and the selection, text in and out, fonts and paragraph
// formats of ranges checked against the services' own messages, undo and
// redo counts, the saved state, and freezing the control's display.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/ui.h"
#include "tests/platform/richedit/rich_test_util.h"
#include "tests/platform/richedit/test_host.h"

namespace {

using richtest::Services;
using richtest::TestHost;

// An owned interface pointer.
template <typename T>
class Ref {
 public:
  Ref() = default;
  ~Ref() {
    if (p_) p_->Release();
  }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

std::u16string Text(ITextRange* range) {
  BSTR text = nullptr;
  EXPECT_EQ(range->GetText(&text), S_OK);
  std::u16string out(text ? text : u"", SysStringLen(text));
  SysFreeString(text);
  return out;
}

struct Model {
  TestHost host;
  Services services{&host};
  Ref<ITextDocument> document;
  Model() {
    services->QueryInterface(IID_ITextDocument, reinterpret_cast<void**>(document.out()));
    services.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"alpha beta\rgamma"));
  }
  CHARFORMAT2W CharFormat(LONG from, LONG to) const {
    CHARRANGE r{from, to};
    services.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    services.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
  }
  PARAFORMAT2 ParaFormat(LONG at) const {
    CHARRANGE r{at, at};
    services.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    services.Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf;
  }
};

TEST(TextObjectModel, RangesReadAndReplaceText) {
  Model m;
  ASSERT_NE(m.document.get(), nullptr);
  LONG stories = 0;
  EXPECT_EQ(m.document->GetStoryCount(&stories), S_OK);
  EXPECT_EQ(stories, 1);
  struct Case {
    LONG start, end;
    const char16_t* text;
    const char16_t* replacement;
    const char16_t* after;
  };
  const Case cases[] = {
      {0, 5, u"alpha", u"ALPHA", u"ALPHA beta\rgamma"},
      {6, 10, u"beta", u"", u"alpha \rgamma"},
      {11, 11, u"", u"new ", u"alpha beta\rnew gamma"},
      {10, 11, u"\r", u" ", u"alpha beta gamma"},
      {-3, 99, u"alpha beta\rgamma", u"x", u"x"},  // clamped to the story
      {12, 5, u" beta\rg", u"", u"alphaamma"},     // ends in either order
  };
  for (const auto& c : cases) {
    Model each;
    Ref<ITextRange> range;
    ASSERT_EQ(each.document->Range(c.start, c.end, range.out()), S_OK);
    EXPECT_EQ(Text(range.get()), c.text) << c.start << ".." << c.end;
    BSTR replacement = SysAllocString(c.replacement);
    EXPECT_EQ(range->SetText(replacement), S_OK);
    SysFreeString(replacement);
    Ref<ITextRange> all;
    each.document->Range(0, 1 << 20, all.out());
    EXPECT_EQ(Text(all.get()), c.after) << c.start << ".." << c.end;
    EXPECT_EQ(Text(range.get()), c.replacement) << "the range holds what went in";
  }
}

TEST(TextObjectModel, SelectionIsTheServicesSelection) {
  Model m;
  Ref<ITextSelection> selection;
  ASSERT_EQ(m.document->GetSelection(selection.out()), S_OK);
  CHARRANGE r{6, 10};
  m.services.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(Text(selection.get()), u"beta");
  selection->SetRange(0, 5);
  CHARRANGE now{};
  m.services.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
  EXPECT_EQ(now.cpMin, 0);
  EXPECT_EQ(now.cpMax, 5);
  Ref<ITextRange> range;
  m.document->Range(11, 16, range.out());
  range->Select();
  m.services.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
  EXPECT_EQ(now.cpMin, 11);
  EXPECT_EQ(now.cpMax, 16);
  void* asSelection = nullptr;
  EXPECT_EQ(range->QueryInterface(IID_ITextSelection, &asSelection), E_NOINTERFACE) << "a plain range is not the selection";
  LONG ch = 0, length = 0;
  range->Collapse(tomStart);
  range->GetChar(&ch);
  range->GetStoryLength(&length);
  EXPECT_EQ(ch, u'g');
  EXPECT_EQ(length, 16);
  LONG deleted = 0;
  EXPECT_EQ(range->Delete(tomCharacter, -6, &deleted), S_OK);
  EXPECT_EQ(deleted, -6);
  EXPECT_EQ(Text(selection.get()), u"gamma") << "the selection moved with the text before it";
}

TEST(TextObjectModel, FontsAndParagraphsOfRanges) {
  Model m;
  Ref<ITextRange> range;
  m.document->Range(0, 5, range.out());
  Ref<ITextFont> font;
  ASSERT_EQ(range->GetFont(font.out()), S_OK);
  EXPECT_EQ(font->SetBold(tomTrue), S_OK);
  EXPECT_EQ(font->SetItalic(tomToggle), S_OK);
  EXPECT_EQ(font->SetUnderline(tomSingle), S_OK);
  EXPECT_EQ(font->SetSize(15.5f), S_OK);
  EXPECT_EQ(font->SetForeColor(RGB(200, 10, 20)), S_OK);
  BSTR face = SysAllocString(u"Courier New");
  EXPECT_EQ(font->SetName(face), S_OK);
  SysFreeString(face);
  // The services' own view of the same characters.
  const CHARFORMAT2W cf = m.CharFormat(0, 5);
  EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE), CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE);
  EXPECT_EQ(cf.yHeight, 310);
  EXPECT_EQ(cf.crTextColor, RGB(200, 10, 20));
  EXPECT_EQ(std::u16string(cf.szFaceName), u"Courier New");
  EXPECT_EQ(m.CharFormat(6, 10).dwEffects & CFE_BOLD, 0u) << "only the range changed";
  // Read back through the model; a range over mixed text says so.
  LONG value = 0;
  float size = 0;
  font->GetBold(&value);
  EXPECT_EQ(value, tomTrue);
  font->GetSize(&size);
  EXPECT_FLOAT_EQ(size, 15.5f);
  Ref<ITextRange> mixed;
  m.document->Range(3, 8, mixed.out());
  Ref<ITextFont> mixedFont;
  mixed->GetFont(mixedFont.out());
  mixedFont->GetBold(&value);
  EXPECT_EQ(value, tomUndefined);
  // Paragraphs: alignment and indents in points against PARAFORMAT's twips.
  Ref<ITextRange> second;
  m.document->Range(12, 13, second.out());
  Ref<ITextPara> para;
  ASSERT_EQ(second->GetPara(para.out()), S_OK);
  EXPECT_EQ(para->SetAlignment(tomAlignCenter), S_OK);
  EXPECT_EQ(para->SetIndents(-18.0f, 36.0f, 9.0f), S_OK);  // a hanging first line
  EXPECT_EQ(para->SetSpaceBefore(6.0f), S_OK);
  const PARAFORMAT2 pf = m.ParaFormat(12);
  EXPECT_EQ(pf.wAlignment, PFA_CENTER);
  EXPECT_EQ(pf.dxStartIndent, 360);  // the first line: 36 - 18 points
  EXPECT_EQ(pf.dxOffset, 360);       // the others 18 points further in
  EXPECT_EQ(pf.dxRightIndent, 180);
  EXPECT_EQ(pf.dySpaceBefore, 120);
  EXPECT_EQ(m.ParaFormat(0).wAlignment, PFA_LEFT) << "the first paragraph kept its format";
  float first = 0, left = 0;
  para->GetFirstLineIndent(&first);
  para->GetLeftIndent(&left);
  EXPECT_FLOAT_EQ(first, -18.0f);
  EXPECT_FLOAT_EQ(left, 36.0f);
  LONG alignment = 0;
  para->GetAlignment(&alignment);
  EXPECT_EQ(alignment, tomAlignCenter);
}

TEST(TextObjectModel, UndoRedoAndTheSavedState) {
  Model m;
  LONG saved = 0;
  m.document->GetSaved(&saved);
  EXPECT_EQ(saved, tomTrue) << "text set by WM_SETTEXT is not a change";
  Ref<ITextRange> range;
  m.document->Range(0, 5, range.out());
  BSTR one = SysAllocString(u"one");
  range->SetText(one);
  SysFreeString(one);
  Ref<ITextFont> font;
  range->GetFont(font.out());
  font->SetBold(tomTrue);
  m.document->GetSaved(&saved);
  EXPECT_EQ(saved, tomFalse);
  LONG done = 0;
  EXPECT_EQ(m.document->Undo(5, &done), S_FALSE) << "fewer steps than asked";
  EXPECT_EQ(done, 2);
  Ref<ITextRange> all;
  m.document->Range(0, 1 << 20, all.out());
  EXPECT_EQ(Text(all.get()), u"alpha beta\rgamma");
  EXPECT_EQ(m.document->Redo(1, &done), S_OK);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(Text(all.get()), u"one beta\rgamma");
  EXPECT_EQ(m.CharFormat(0, 3).dwEffects & CFE_BOLD, 0u) << "the bold step is still to redo";
  EXPECT_EQ(m.document->Redo(1, &done), S_OK);
  EXPECT_EQ(m.CharFormat(0, 3).dwEffects & CFE_BOLD, static_cast<DWORD>(CFE_BOLD));
  EXPECT_EQ(m.document->SetSaved(tomTrue), S_OK);
  EXPECT_EQ(m.services.Send(EM_GETMODIFY), FALSE);
  EXPECT_EQ(m.document->New(), S_OK);
  EXPECT_EQ(Text(all.get()), u"");
  EXPECT_EQ(m.services.Send(EM_CANUNDO), FALSE);
}

// A frozen control keeps its window as it is until the last Unfreeze.
TEST(TextObjectModel, FreezeHoldsTheControlsDisplay) {
  const HWND edit = CreateWindowExW(0, u"RichEdit20W", u"shown", WS_POPUP | WS_VISIBLE | ES_MULTILINE, 10, 10, 200,
                                    80, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(edit);
  uitest::RunUntilIdle();
  Ref<ITextDocument> document;
  ASSERT_TRUE(SendMessageW(edit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(document.out())));
  ASSERT_NE(document.get(), nullptr);
  LONG count = 0;
  document->Freeze(&count);
  EXPECT_EQ(count, 1);
  document->Freeze(&count);
  EXPECT_EQ(count, 2);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"changed while frozen"));
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(edit, &update, FALSE)) << "nothing to paint while frozen";
  EXPECT_EQ(document->Unfreeze(&count), S_FALSE);
  EXPECT_EQ(count, 1);
  EXPECT_FALSE(GetUpdateRect(edit, &update, FALSE));
  EXPECT_EQ(document->Unfreeze(&count), S_OK);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(GetUpdateRect(edit, &update, FALSE)) << "thawed: the new text gets painted";
  uitest::RunUntilIdle();
  DestroyWindow(edit);
}

}  // namespace
