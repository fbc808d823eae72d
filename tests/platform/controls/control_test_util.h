// A parent window for control tests that records the notifications its
// controls send (WM_COMMAND codes, WM_DRAWITEM, WM_MEASUREITEM, scrolling).
#pragma once

#include <span>
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
// A message for a control and the result it must give: one row of a table
// of messages and their results.
struct MessageRow {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result;
};
// Sends the rows' messages to `control` in order and checks each result;
// `context` leads each failure message.
void ExpectResults(HWND control, std::span<const MessageRow> rows, const std::string& context = {});
// Measured item height answered to WM_MEASUREITEM.
inline constexpr UINT kMeasuredHeight = 21;

}  // namespace controltest
