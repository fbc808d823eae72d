#include "datasource/ui/panel/control_char_insert.h"

#include <string>

#include "datasource/ui/panel/control_char_names.h"
#include "foundation/window_helpers/menu_helpers.h"

int InsertControlCharName(HWND edit, HWND owner, bool focus) {
  if (!edit) return 0;
  POINT at{};
  ::GetCursorPos(&at);
  const int code = PickControlCharMenu(at.x, at.y, owner);
  const char* name = ControlCharName(code);
  if (code < 1 || !name) {
    if (focus) ::SetFocus(edit);
    return 0;
  }
  const std::u16string text = u"[" + std::u16string(name, name + std::char_traits<char>::length(name)) + u"]";
  // An undoable replacement, as a typed name would be.
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  if (focus) ::SetFocus(edit);
  return 1;
}
