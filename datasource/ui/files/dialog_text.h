// Texts of the files dialogs' controls as UTF-16, and the wide strings the
// counter descriptions are kept in.
#pragma once

#include <string>
#include <string_view>

#include "foundation/string/astring.h"
#include "platform/win.h"

std::u16string GetItemUnits(HWND dialog, int id);
void SetItemUnits(HWND dialog, int id, std::u16string_view text);
// UTF-16 units as a wide string (UTF-16LE bytes, wide flag and code page 1200).
AString WideStringOf(std::u16string_view units);
// The background the dialogs give their read-only displays.
inline constexpr COLORREF kDisplayBackground = RGB(233, 233, 255);
void SetDisplayBackground(HWND dialog, int id);
