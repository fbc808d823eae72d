#include "dialogs/setup/rotation_list.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fields/model/field.h"
#include "platform/win.h"

std::string FillRotationList(HWND combo, int32_t rotation) {
  if (::SendMessageA(combo, CB_GETCOUNT, 0, 0) == 0) {
    for (int degrees = 0; degrees < 360; degrees += 15) {
      std::string item = std::to_string(degrees);
      if (degrees % 90 == 0) item += std::string(17, '-');
      ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
  }
  char text[48];
  if (rotation % 100 == 0) std::snprintf(text, sizeof text, "%.1f", rotation / 1000.0);
  else std::snprintf(text, sizeof text, "%.3f", rotation / 1000.0);
  ::SetWindowTextA(combo, text);
  return text;
}

std::optional<int32_t> ParseRotationText(const std::string& text) {
  const double degrees = std::strtod(text.c_str(), nullptr);
  if (!(degrees >= 0 && degrees <= 360)) return std::nullopt;
  return NormalizeRotation(std::llround(degrees * 1000));
}
