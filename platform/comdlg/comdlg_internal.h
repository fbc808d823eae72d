// What the common dialogs' files share: the error of the last call, text
// conversions between the caller's encoding and the dialogs' UTF-16, and
// the module that holds the dialogs' templates.
#pragma once

#include <string>
#include <string_view>

#include "platform/comdlg/comdlg.h"
#include "platform/resource/resource.h"

namespace comdlg {

// The value CommDlgExtendedError gives next on this thread.
void SetError(DWORD code);

// UTF-16 from UTF-8 and back (file names reach the file system as UTF-8).
std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);
// UTF-16 from the process's ANSI code page and back. Null gives "".
std::u16string FromAnsi(LPCSTR text);
std::u16string FromAnsi(std::string_view text);
std::string ToAnsi(std::u16string_view text);
std::u16string FromWide(LPCWSTR text);

// The module whose resources hold the dialogs' templates (this library).
HINSTANCE TemplatesModule();
// A dialog template of this library by number.
inline LPCWSTR TemplateName(int id) { return MAKEINTRESOURCEW(static_cast<WORD>(id)); }

// The text of a dialog's control.
std::u16string ItemText(HWND dialog, int id);

}  // namespace comdlg
