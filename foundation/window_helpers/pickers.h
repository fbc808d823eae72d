// The colour picker's preset custom colours and the message for the last
// system error.
#pragma once

#include <array>

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "platform/win.h"

FOUNDATION_BEGIN

// The 16 custom colours the colour picker offers (COLORREF, 0x00BBGGRR).
inline constexpr std::array<COLORREF, 16> kPresetCustomColours = {
    0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xC8C8C8,
    0x424242, 0xFF7B7B, 0x7BFF7B, 0xFFFF7B, 0x7B7BFF, 0xFF7BFF, 0x7BFFFF, 0xFFFFFF};

// The system's text for the calling thread's last error, shown as a system
// message (the application's message box); the code itself when the system
// has no text for it.
void ShowLastErrorMessage();

// The colour dialog fully open at `initial`, offering the preset custom
// colours; the chosen colour, or `initial` when cancelled.
COLORREF ChooseColorDlg(COLORREF initial);

// The folder picker, opening at `start` when it is a folder; the chosen
// folder with a trailing '/', or an empty string when cancelled. (Paths keep
// their case: names on this system are case-sensitive.)
AString BrowseForFolder(HWND owner, const char* start, const char* title);

FOUNDATION_END
