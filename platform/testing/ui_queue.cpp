// The test API's queue running, clock and window finding.
#include "platform/testing/ui.h"
#include "platform/user/window_internal.h"

namespace uitest {

VirtualClock::VirtualClock(DWORD start) { user::SetVirtualClock(true, start); }
VirtualClock::~VirtualClock() { user::SetVirtualClock(false, 0); }
void VirtualClock::Advance(DWORD milliseconds) { AdvanceClock(milliseconds); }

int RunUntilIdle(int limit) {
  int count = 0;
  MSG msg;
  while (count < limit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // kept for the loop that waits for it
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    ++count;
  }
  return count;
}

void MoveClock(DWORD milliseconds) { user::AdvanceClock(milliseconds); }

void AdvanceClock(DWORD milliseconds) {
  user::AdvanceClock(milliseconds);
  RunUntilIdle();
}

namespace {

std::u16string Wide(std::string_view utf8) {
  std::u16string wide(utf8.size(), u'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                    static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(n > 0 ? n : 0));
  return wide;
}

struct Search {
  std::u16string value;
  bool byClass;
  HWND found = nullptr;
};

BOOL Matches(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  WCHAR buffer[256];
  if (s->byClass) GetClassNameW(window, buffer, 256);
  else GetWindowTextW(window, buffer, 256);
  if (s->value == buffer) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND Find(std::string_view text, bool byClass, HWND under) {
  Search s{Wide(text), byClass};
  if (under) {
    EnumChildWindows(under, Matches, reinterpret_cast<LPARAM>(&s));
    return s.found;
  }
  // Every top-level window, then the descendants of each.
  EnumWindows(Matches, reinterpret_cast<LPARAM>(&s));
  if (!s.found) EnumChildWindows(nullptr, Matches, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

HWND FindByClass(std::string_view className, HWND under) { return Find(className, true, under); }
HWND FindByText(std::string_view text, HWND under) { return Find(text, false, under); }

HWND FindById(HWND parent, int id) {
  struct ById {
    int id;
    HWND found;
  } s{id, nullptr};
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<ById*>(p);
        if (GetDlgCtrlID(w) == s->id) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace uitest
