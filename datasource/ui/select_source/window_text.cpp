#include "datasource/ui/select_source/window_text.h"

#include <algorithm>
#include <vector>

std::string WindowTextUtf8(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::vector<char16_t> units(static_cast<size_t>(length) + 1, u'\0');
  ::GetWindowTextW(window, reinterpret_cast<LPWSTR>(units.data()), length + 1);
  const auto* wide = reinterpret_cast<LPCWSTR>(units.data());
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(std::max(bytes, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), bytes, nullptr, nullptr);
  std::fill(units.begin(), units.end(), u'\0');
  return text;
}
