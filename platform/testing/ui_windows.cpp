// Top-level windows of the tests' own classes.
#include "platform/testing/ui.h"

namespace uitest {

bool RegisterTestClass(const TestWindowClass& windowClass) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowClass.proc;
  wc.lpszClassName = windowClass.name;
  wc.hbrBackground = windowClass.background >= 0 ? GetSysColorBrush(windowClass.background) : nullptr;
  wc.hIcon = windowClass.icon;
  // A class the test made before is already there: that is no failure.
  return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateTestWindow(const TestWindowClass& windowClass, const char16_t* title, DWORD style, int x, int y, int width,
                      int height) {
  if (!RegisterTestClass(windowClass)) return nullptr;
  return CreateWindowExW(0, windowClass.name, title, style, x, y, width, height, nullptr, nullptr, nullptr,
                         nullptr);
}

}  // namespace uitest
