// The clipboard, kept in this process: standard and registered formats, each
// holding a global memory block that the clipboard owns once it is set
// (CF_BITMAP and CF_PALETTE hold the GDI object, CF_ENHMETAFILE the metafile;
// CF_DIB is offered from a CF_BITMAP at its depth).
// CF_TEXT and CF_UNICODETEXT stand in for each other when only one was put,
// converted through the code page of the CF_LOCALE tag (else the ANSI code
// page).
#pragma once

#include "platform/kernel/kernel.h"
#include "platform/kernel/types.h"

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_OEMTEXT = 7;
inline constexpr UINT CF_DIB = 8;
inline constexpr UINT CF_PALETTE = 9;
inline constexpr UINT CF_UNICODETEXT = 13;
inline constexpr UINT CF_ENHMETAFILE = 14;
inline constexpr UINT CF_LOCALE = 16;
// Registered formats are numbered from here.
inline constexpr UINT CF_REGISTERED_FIRST = 0xC000;

// Fails while another thread has the clipboard open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees every format's data; the clipboard must be open.
BOOL EmptyClipboard();
// Takes ownership of the block (the caller no longer frees it) and returns it;
// null and ERROR_INVALID_PARAMETER for a null block (no delayed rendering).
// The clipboard must be open.
HANDLE SetClipboardData(UINT format, HANDLE memory);
// The block of a format (owned by the clipboard) or null; open clipboard only.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
// The formats in the order they were set; 0 after the last.
UINT EnumClipboardFormats(UINT format);
// The same name (without regard to ASCII case) gives the same number.
UINT RegisterClipboardFormatA(LPCSTR name);
int GetClipboardFormatNameA(UINT format, LPSTR name, int size);
HWND GetClipboardOwner();
