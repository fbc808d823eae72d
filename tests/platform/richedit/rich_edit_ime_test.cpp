// Input-method text: the messages a window gets for a composition and its
// result (through DefWindowProc, WM_IME_CHAR and WM_CHAR), the context's
// strings copied within their buffers, and the rich-edit control showing
// the composition in place and taking its result as one step to undo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "tests/platform/richedit/rich_edit_fixture.h"
#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richtest::Fixture;
using richtest::Utf8;

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::u16string composition;  // what the context held when the message came
};
std::vector<Seen> g_seen;

LRESULT ImeLogProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_IME_STARTCOMPOSITION || message == WM_IME_COMPOSITION || message == WM_IME_ENDCOMPOSITION ||
      message == WM_IME_CHAR || message == WM_CHAR) {
    std::u16string text;
    if (message == WM_IME_COMPOSITION) {
      HIMC context = ImmGetContext(w);
      const DWORD index = (lParam & GCS_RESULTSTR) ? GCS_RESULTSTR : GCS_COMPSTR;
      text.resize(static_cast<size_t>(ImmGetCompositionStringW(context, index, nullptr, 0)) / 2);
      ImmGetCompositionStringW(context, index, text.data(), static_cast<DWORD>(text.size() * 2));
      ImmReleaseContext(w, context);
    }
    g_seen.push_back({message, wParam, lParam, text});
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

TEST(InputMethod, MessagesOfACompositionAndItsResult) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ImeLogProc;
  wc.lpszClassName = u"TavImeLog";
  RegisterClassExW(&wc);
  const HWND w = CreateWindowExW(0, u"TavImeLog", u"ime", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
  SetFocus(w);
  uitest::RunUntilIdle();
  g_seen.clear();
  user::DeviceComposition(u"ni", 2);
  user::DeviceComposition(u"にほ", 1);
  user::DeviceCompositionResult(u"日本");
  uitest::RunUntilIdle();
  const std::vector<std::pair<UINT, std::u16string>> expected{
      {WM_IME_STARTCOMPOSITION, u""}, {WM_IME_COMPOSITION, u"ni"},  {WM_IME_COMPOSITION, u"にほ"},
      {WM_IME_COMPOSITION, u"日本"},  {WM_IME_CHAR, u""},           {WM_CHAR, u""},
      {WM_IME_CHAR, u""},           {WM_CHAR, u""},              {WM_IME_ENDCOMPOSITION, u""}};
  ASSERT_EQ(g_seen.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(g_seen[i].message, expected[i].first) << i;
    EXPECT_EQ(g_seen[i].composition, expected[i].second) << i;
  }
  EXPECT_EQ(g_seen[1].lParam, static_cast<LPARAM>(GCS_COMPSTR | GCS_CURSORPOS));
  EXPECT_EQ(g_seen[3].lParam, static_cast<LPARAM>(GCS_RESULTSTR));
  EXPECT_EQ(g_seen[5].wParam, static_cast<WPARAM>(u'日'));
  EXPECT_EQ(g_seen[7].wParam, static_cast<WPARAM>(u'本'));
  // A cancelled composition: no text, and the end.
  g_seen.clear();
  user::DeviceComposition(u"x", 1);
  user::DeviceComposition(u"", 0);
  uitest::RunUntilIdle();
  ASSERT_EQ(g_seen.size(), 4u);
  EXPECT_EQ(g_seen[2].message, static_cast<UINT>(WM_IME_COMPOSITION));
  EXPECT_EQ(g_seen[2].lParam, 0);
  EXPECT_EQ(g_seen[3].message, static_cast<UINT>(WM_IME_ENDCOMPOSITION));
  // The context's strings never pass the buffer, and keep whole characters.
  HIMC context = ImmGetContext(w);
  char16_t small[2] = {u'-', u'-'};
  EXPECT_EQ(ImmGetCompositionStringW(context, GCS_RESULTSTR, small, 3), 2);
  EXPECT_EQ(small[0], u'日');
  EXPECT_EQ(small[1], u'-');
  EXPECT_LT(ImmGetCompositionStringW(context, 0x1234, small, 4), 0);
  ImmReleaseContext(w, context);
  DestroyWindow(w);
}

TEST(RichEditControl, CompositionShowsInPlaceAndItsResultIsOneStep) {
  Fixture f;
  SendMessageW(f.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"ab"));
  SetFocus(f.edit);
  SendMessageW(f.edit, EM_SETSEL, 1, 2);  // "b" selected: the composition replaces it
  struct Step {
    const char* what;
    std::u16string text;
    int caret;
    bool result;
    const char* shown;
    LONG caretAfter;
  };
  const Step steps[] = {
      {"first letters", u"に", 1, false, "aに", 2},
      {"more", u"にほん", 3, false, "aにほん", 4},
      {"the caret inside", u"にほん", 1, false, "aにほん", 2},
      {"converted", u"日本", 2, false, "a日本", 3},
      {"given", u"日本", 0, true, "a日本", 3},
  };
  for (const auto& s : steps) {
    if (s.result) user::DeviceCompositionResult(s.text);
    else user::DeviceComposition(s.text, s.caret);
    uitest::RunUntilIdle();
    EXPECT_EQ(Utf8(f.Text()), s.shown) << s.what;
    EXPECT_EQ(f.Selection().cpMin, s.caretAfter) << s.what;
    EXPECT_EQ(f.Selection().cpMax, s.caretAfter) << s.what;
  }
  // The composition left no steps of its own: one undo takes the result
  // away, the next brings back the "b" it replaced.
  EXPECT_EQ(SendMessageW(f.edit, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(Utf8(f.Text()), "a");
  EXPECT_EQ(SendMessageW(f.edit, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(Utf8(f.Text()), "ab");
  // A cancelled composition leaves the text as it was.
  SendMessageW(f.edit, EM_SETSEL, 2, 2);
  user::DeviceComposition(u"かな", 2);
  uitest::RunUntilIdle();
  EXPECT_EQ(Utf8(f.Text()), "abかな");
  user::DeviceComposition(u"", 0);
  uitest::RunUntilIdle();
  EXPECT_EQ(Utf8(f.Text()), "ab");
}

}  // namespace
