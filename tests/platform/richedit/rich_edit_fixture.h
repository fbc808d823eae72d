// A rich-edit control in a parent window that writes down the
// notifications it gets: the fixture of the control's tests.
#pragma once

#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"

namespace richtest {

struct Note {
  UINT message;
  UINT code;
  LONG cpMin = 0, cpMax = 0;
  bool operator==(const Note&) const = default;
};

inline std::vector<Note>& Notes() {
  static std::vector<Note> notes;
  return notes;
}

inline LRESULT ParentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) Notes().push_back({message, HIWORD(wParam)});
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == EN_SELCHANGE) {
      const auto* sel = reinterpret_cast<const SELCHANGE*>(lParam);
      Notes().push_back({message, header->code, sel->chrg.cpMin, sel->chrg.cpMax});
    }
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

struct Fixture {
  Fixture(const char16_t* className = u"RichEdit20W", DWORD style = ES_MULTILINE) {
    parent = uitest::CreateTestWindow({u"TavRichEditTestParent", ParentProc, COLOR_3DFACE}, u"parent",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300);
    edit = CreateWindowExW(0, className, u"", WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, 10, 300, 120, parent,
                           reinterpret_cast<HMENU>(static_cast<uintptr_t>(21)), nullptr, nullptr);
    Notes().clear();
  }
  ~Fixture() { DestroyWindow(parent); }
  std::u16string Text(DWORD flags = GT_DEFAULT) const {
    WCHAR buffer[512] = {};
    GETTEXTEX how{sizeof buffer, flags, 1200, nullptr, nullptr};
    SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  CHARRANGE Selection() const {
    CHARRANGE range{};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
  }
  HWND parent, edit;
};

}  // namespace richtest
