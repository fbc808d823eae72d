// What the common controls share inside: their state object in the window's
// first extra bytes and the font to draw with (notifications are notify.h's,
// bounded text copies text_buffers.h's).
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/comctl/comctl_common.h"
#include "platform/comctl/text_buffers.h"
#include "platform/gdi/gdi.h"
#include "platform/nls/nls.h"
#include "platform/resource/resource.h"
#include "platform/user/controls/controls.h"

namespace comctl {

// The state of a control, made at WM_NCCREATE and deleted at WM_NCDESTROY.
template <class T>
T* StateOf(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, 0));
}
template <class T>
T* MakeState(HWND window) {
  T* state = new T;
  SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(state));
  return state;
}
template <class T>
void DropState(HWND window) {
  delete StateOf<T>(window);
  SetWindowLongPtrW(window, 0, 0);
}

HFONT DrawingFont(HFONT font);
// The text height of a font, for layout.
int FontHeight(HFONT font);
int TextWidth(HFONT font, std::u16string_view text);

}  // namespace comctl
