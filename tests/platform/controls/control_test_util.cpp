#include "tests/platform/controls/control_test_util.h"

#include <gtest/gtest.h>

#include "platform/testing/ui.h"

namespace controltest {
namespace {

LRESULT ParentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Events().push_back({message, LOWORD(wParam), HIWORD(wParam)});
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      Events().push_back({message, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam)});
      return 0;
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      Events().push_back({message, static_cast<int>(d->CtlID), static_cast<int>(d->itemID)});
      FillRect(d->hDC, &d->rcItem, GetSysColorBrush((d->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      Events().push_back({message, static_cast<int>(m->CtlID), static_cast<int>(m->itemID)});
      m->itemHeight = kMeasuredHeight + (m->itemID != static_cast<UINT>(-1) ? m->itemID % 3 : 0);
      return TRUE;
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

std::vector<Event>& Events() {
  static std::vector<Event> events;
  return events;
}

HWND MakeParent() {
  Events().clear();
  return uitest::CreateTestWindow({u"TavControlTestParent", ParentProc, COLOR_3DFACE}, u"parent",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300);
}

HWND MakeControl(HWND parent, const char16_t* className, DWORD style, int id, const char16_t* text, int width,
                 int height) {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
}

std::string Describe(const std::vector<Event>& events) {
  std::string out;
  for (const Event& e : events)
    out += MessageName(e.message) + " " + std::to_string(e.id) + "/" + std::to_string(e.code) + "; ";
  return out;
}

void ExpectResults(HWND control, std::span<const MessageRow> rows, const std::string& context) {
  for (const MessageRow& r : rows)
    EXPECT_EQ(SendMessageW(control, r.message, r.wParam, r.lParam), r.result) << context << MessageName(r.message);
}

}  // namespace controltest
