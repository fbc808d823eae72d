// A parent window for common-control tests: it records the WM_NOTIFY codes,
// WM_COMMAND and WM_DRAWITEM its controls send, and answers notifications
// as a test asks (a tooltip's text, a refusal).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win.h"

namespace eventtest {

struct Event {
  UINT message;   // WM_NOTIFY, WM_COMMAND, WM_DRAWITEM, WM_HSCROLL, WM_VSCROLL
  UINT_PTR id;    // idFrom, the command id, CtlID, or the control id
  UINT code;      // the notification code, WM_COMMAND's code, DRAWITEMSTRUCT's itemID, the scroll request
  bool operator==(const Event&) const = default;
};

std::vector<Event>& Events();
// What the parent answers to a WM_NOTIFY: the test's function when set (its
// result is the answer), else 0.
std::function<LRESULT(NMHDR*)>& OnNotify();
// The data of the last WM_DRAWITEM.
DRAWITEMSTRUCT& LastDrawItem();

// A visible top-level window 480 x 320 that records into Events(); clears the
// record and the answer.
HWND MakeParent();
HWND MakeChild(HWND parent, const char16_t* className, DWORD style, int id, int x = 10, int y = 10, int width = 200,
               int height = 30, const char16_t* text = u"");
// Only the events of one message kind, and their codes.
std::vector<UINT> Codes(UINT message);
std::string Describe(const std::vector<Event>& events);
// A 32-bit bitmap strip of `count` images cx x cy: each a square of
// `colours[i]` on a light grey (0xC0C0C0) ground, one pixel in from the edge.
HBITMAP MakeStrip(int count, int cx, int cy, const std::vector<COLORREF>& colours);
// The folder pictures are saved in, made when missing.
std::string PicturePath(const char* name);

}  // namespace eventtest

namespace eventtest {
// Saves the part `r` of a window's picture (whole-window coordinates) scaled
// up `times` times, for looking at small controls closely.
bool SaveZoomedPng(HWND window, RECT r, int times, const std::string& path);
}  // namespace eventtest
