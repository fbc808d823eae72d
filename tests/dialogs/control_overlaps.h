// Which visible controls of a dialog stand over one another: every control of
// the window and of the dialogs it hosts (a data page's data-source panel),
// in screen coordinates, pair by pair. A group box frames others and is left
// out; so is a hosted dialog itself, whose controls are compared instead.
#pragma once

#include <string>
#include <vector>

#include "platform/framework.h"

namespace dialogstest {

struct PlacedControl {
  HWND window;
  int id;
  RECT rect;
};

inline bool IsHostedDialog(HWND window) {
  char className[64] = {};
  ::GetClassNameA(window, className, sizeof className);
  return std::string(className) == "#32770";
}

inline bool IsGroupBox(HWND window) {
  char className[64] = {};
  ::GetClassNameA(window, className, sizeof className);
  return std::string(className) == "Button" && (::GetWindowLongW(window, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
}

inline void CollectVisibleControls(HWND parent, std::vector<PlacedControl>* out) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    if (IsHostedDialog(child)) {
      CollectVisibleControls(child, out);
      continue;
    }
    if (IsGroupBox(child)) continue;
    RECT rect{};
    ::GetWindowRect(child, &rect);
    if (rect.right > rect.left && rect.bottom > rect.top) out->push_back({child, ::GetDlgCtrlID(child), rect});
  }
}

// "id (text) over id (text)" for each pair of visible controls whose
// rectangles intersect; empty when none do.
inline std::vector<std::string> OverlappingControls(HWND dialog) {
  std::vector<PlacedControl> controls;
  CollectVisibleControls(dialog, &controls);
  const auto name = [](const PlacedControl& c) {
    char text[80] = {};
    ::GetWindowTextA(c.window, text, sizeof text);
    return std::to_string(c.id) + " \"" + text + "\" [" + std::to_string(c.rect.left) + "," +
           std::to_string(c.rect.top) + "," + std::to_string(c.rect.right) + "," + std::to_string(c.rect.bottom) + "]";
  };
  std::vector<std::string> overlaps;
  for (size_t i = 0; i < controls.size(); ++i)
    for (size_t j = i + 1; j < controls.size(); ++j) {
      RECT common{};
      if (::IntersectRect(&common, &controls[i].rect, &controls[j].rect))
        overlaps.push_back(name(controls[i]) + " over " + name(controls[j]));
    }
  return overlaps;
}

}  // namespace dialogstest
