// Input-method text in the rich-edit control: the text being composed
// stands in the document at the caret (it replaced the selection) and
// changes as the input method sends it, outside the undo history; the text
// given at the end replaces it as one step that can be undone.
#include <algorithm>
#include <string>

#include "platform/richedit/rich_edit_control.h"
#include "platform/user/controls/controls.h"

namespace richedit {
namespace {

std::u16string CompositionString(HWND window, DWORD index) {
  HIMC context = ImmGetContext(window);
  const LONG bytes = ImmGetCompositionStringW(context, index, nullptr, 0);
  std::u16string text(static_cast<size_t>(std::max<LONG>(bytes, 0)) / sizeof(char16_t), u'\0');
  if (!text.empty())
    ImmGetCompositionStringW(context, index, text.data(), static_cast<DWORD>(text.size() * sizeof(char16_t)));
  ImmReleaseContext(window, context);
  return text;
}

// Puts `text` where the composition stands, outside the undo history.
void ShowComposition(Control& c, std::u16string text, int caret) {
  const size_t from = c.compositionStart;
  c.services->ReplaceRange(from, from + c.composition.size(), text, false);
  c.composition = std::move(text);
  const auto at = static_cast<LONG>(from + static_cast<size_t>(std::clamp<int>(caret, 0, static_cast<int>(c.composition.size()))));
  c.services->SetSelectionRange(at, at);
  c.anchor = static_cast<size_t>(at);
}

}  // namespace

LRESULT ImeMessage(HWND window, Control& c, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (c.services->ReadOnly()) return 0;
  switch (msg) {
    case WM_IME_STARTCOMPOSITION:
      // The composition takes the selection's place.
      if (c.services->Selection().cpMin != c.services->Selection().cpMax)
        Send(c, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u""));
      c.compositionStart = static_cast<size_t>(c.services->Selection().cpMin);
      c.composition.clear();
      return 0;
    case WM_IME_COMPOSITION:
      if (lParam & GCS_RESULTSTR) {
        const std::u16string result = CompositionString(window, GCS_RESULTSTR);
        ShowComposition(c, u"", 0);
        Send(c, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(result.c_str()));  // one step to undo
        c.anchor = static_cast<size_t>(c.services->Selection().cpMin);
      } else if (lParam & GCS_COMPSTR) {
        const LONG caret = (lParam & GCS_CURSORPOS) ? ImmGetCompositionStringW(ImmGetContext(window), GCS_CURSORPOS,
                                                                               nullptr, 0)
                                                    : 0;
        std::u16string text = CompositionString(window, GCS_COMPSTR);
        ShowComposition(c, std::move(text), static_cast<int>(caret));
      } else {
        ShowComposition(c, u"", 0);  // the input method gave up
      }
      return 0;
    case WM_IME_ENDCOMPOSITION:
      if (!c.composition.empty()) ShowComposition(c, u"", 0);
      return 0;
    default:
      return DefWindowProcW(window, msg, wParam, lParam);
  }
}

}  // namespace richedit
