#include "dialogs/setup/control_snapshot.h"

#include <cstring>

#include "platform/win.h"

bool CControlSnapshot::Changed(HWND dialog, int id) const {
  const auto it = shown_.find(id);
  return it == shown_.end() || it->second != State(dialog, id);
}

std::string CControlSnapshot::Text(HWND dialog, int id) {
  char text[1024] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string CControlSnapshot::State(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  if (!control) return {};
  char kind[32] = {};
  ::GetClassNameA(control, kind, sizeof kind);
  const LONG style = ::GetWindowLongA(control, GWL_STYLE);
  if (::strcasecmp(kind, "Button") == 0) {
    const LONG type = style & 0x0F;
    const bool checkable = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                           type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
    if (checkable) return std::to_string(::SendMessageA(control, BM_GETCHECK, 0, 0));
  }
  if (::strcasecmp(kind, "ComboBox") == 0 && (style & 0x3) == CBS_DROPDOWNLIST)
    return std::to_string(::SendMessageA(control, CB_GETCURSEL, 0, 0));
  return Text(dialog, id);
}
