// Start-up's choice of back-end, from the environment.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/display/display.h"

namespace display {

void InstallFromEnvironment() {
  const char* name = std::getenv("DISPLAY");
  const char* wanted = std::getenv("TAV_DISPLAY");
  if (!name || !*name || (wanted && std::string_view(wanted) == "headless")) {
    Install(nullptr);
    return;
  }
  std::string error;
  std::unique_ptr<Display> x11 = OpenX11(name, error);
  if (!x11) std::fprintf(stderr, "tavrendel: %s; running without a screen\n", error.c_str());
  Install(std::move(x11));
}

}  // namespace display
