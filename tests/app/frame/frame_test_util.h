// Helpers of the shell's tests: a scratch folder removed with everything in
// it, the folder pictures are saved to, and a message pump that runs the
// program's own translation (accelerators included) over queued input.
#pragma once

#include <filesystem>
#include <string>

#include "platform/framework.h"
#include "platform/testing/ui.h"
#include "tests/scratch_folder.h"

namespace frametest {

class Scratch : public testfs::ScratchFolder {
 public:
  Scratch() : testfs::ScratchFolder("app-test") {}
};

// Where the tests leave pictures to look at.
inline std::string PicturePath(const std::string& name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/app";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder + "/" + name;
}

// Runs the application's message pump while anything is queued, then idle
// processing as the program's loop does.
inline void Pump(CWinApp* app) {
  MSG msg{};
  for (int n = 0; n < 10000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); ++n) app->PumpMessage();
  uitest::RunUntilIdle();
  for (LONG count = 0; count < 16 && app->OnIdle(count); ++count) {
  }
}

}  // namespace frametest
