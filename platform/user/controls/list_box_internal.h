// Between the combo box and its list: private messages of the layer (in the
// range the system keeps for itself above WM_USER's band, never sent by
// applications).
#pragma once

#include "platform/user/controls/controls.h"

namespace controls {

// A combo box's list is made with the combo box as its creation parameter,
// which gets the list's reports.
// To the list: answers a pointer to its ListItems.
inline constexpr UINT kComboListModel = 0x0400 - 0x0F;
// To the combo box: wParam an LBN_* code or kComboListChosen, lParam the list.
inline constexpr UINT kComboListNotify = 0x0400 - 0x0E;
inline constexpr WPARAM kComboListChosen = 0xFFFF;

}  // namespace controls
