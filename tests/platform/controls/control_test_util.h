// A parent window for control tests that records the notifications its
// controls send (WM_COMMAND codes, WM_DRAWITEM, WM_MEASUREITEM, scrolling).
#pragma once

#include <string>
#include <vector>

#include "platform/win.h"

namespace controltest {

struct Event {
  UINT message;
  int id;
  int code;
  bool operator==(const Event&) const = default;
};

std::vector<Event>& Events();
// A visible top-level window of 400 x 300 that records into Events().
HWND MakeParent();
HWND MakeControl(HWND parent, const char16_t* className, DWORD style, int id, const char16_t* text = u"",
                 int width = 160, int height = 24);
// The events as text for failure messages: "WM_COMMAND 7/BN_CLICKED"-like,
// with codes by number.
std::string Describe(const std::vector<Event>& events);
// Measured item height answered to WM_MEASUREITEM.
inline constexpr UINT kMeasuredHeight = 21;

}  // namespace controltest
