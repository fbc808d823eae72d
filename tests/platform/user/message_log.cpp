#include "tests/platform/user/message_log.h"

#include <algorithm>

namespace usertest {

MessageLog& MessageLog::Get() {
  static MessageLog log;
  return log;
}

void MessageLog::Name(HWND window, std::string label) { names_.emplace_back(window, std::move(label)); }

std::string MessageLog::Label(HWND window) const {
  for (auto it = names_.rbegin(); it != names_.rend(); ++it)
    if (it->first == window) return it->second;
  return "?";
}

std::vector<std::string> MessageLog::Rows(const std::vector<UINT>& ignore) const {
  std::vector<std::string> rows;
  for (const auto& e : entries_) {
    if (std::find(ignore.begin(), ignore.end(), e.message) != ignore.end()) continue;
    rows.push_back(Label(e.window) + " " + MessageName(e.message));
  }
  return rows;
}

LRESULT LogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageLog::Get().Add(Logged{window, message, wParam, lParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterLogClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = LogProc;
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = u"LogWindow";
  RegisterClassExW(&wc);  // a second registration fails harmlessly
}

std::vector<std::string> Expect(std::initializer_list<Row> rows) {
  std::vector<std::string> out;
  for (const Row& r : rows) out.push_back(std::string(r.window) + " " + r.message);
  return out;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace usertest
