#include "tests/platform/menus/menu_script.h"

#include "platform/testing/ui.h"

namespace menutest {

std::vector<std::string> seen;
std::deque<std::function<void(HWND)>> script;
int stuck = 0;

void Tap(int key) {
  user::DeviceKey(key, true);
  user::DeviceKey(key, false);
}

void TakeNextStep(HWND popup) {
  if (script.empty()) {
    if (++stuck < 8) Tap(VK_ESCAPE);
    return;
  }
  const std::function<void(HWND)> next = script.front();
  script.pop_front();
  next(popup);
}

}  // namespace menutest
