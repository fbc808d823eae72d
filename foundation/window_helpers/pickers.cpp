// The message for the last system error, and the colour and folder pickers.
#include "foundation/window_helpers/pickers.h"

#include <string>

#include "foundation/system/system_message.h"
#include "platform/framework.h"

FOUNDATION_BEGIN

void ShowLastErrorMessage() {
  const DWORD error = GetLastError();
  LPSTR text = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
  if (length && text) {
    ShowSystemMessage(text, nullptr);
    LocalFree(text);
    return;
  }
  const std::string fallback = "System error " + std::to_string(error) + ".";
  ShowSystemMessage(fallback.c_str(), nullptr);
}

FOUNDATION_END

FOUNDATION_BEGIN

COLORREF ChooseColorDlg(COLORREF initial) {
  std::array<COLORREF, 16> custom = kPresetCustomColours;  // the dialog may change the copy, never the presets
  CColorDialog dialog(initial, CC_FULLOPEN);
  dialog.m_cc.lpCustColors = custom.data();
  return dialog.DoModal() == IDOK ? dialog.GetColor() : initial;
}

namespace {

int StartAt(HWND picker, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start) SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

}  // namespace

AString BrowseForFolder(HWND owner, const char* start, const char* title) {
  char display[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &StartAt;
  info.lParam = reinterpret_cast<LPARAM>(start && *start ? start : nullptr);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  if (!chosen) return AString();
  char path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListA(chosen, path);
  ILFree(chosen);
  if (!ok || !*path) return AString();
  AString folder(path);
  if (folder.GetData()[folder.GetLength() - 1] != '/') folder += "/";
  return folder;
}

FOUNDATION_END
