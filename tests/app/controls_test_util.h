// Helpers of the control tests: a top-level parent that records the
// messages its controls send it, and a scratch folder removed afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "tests/app/frame/frame_test_util.h"

namespace ctltest {

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Received&) const = default;
};

// A visible popup window whose procedure records every message at or above
// WM_USER and every WM_COMMAND, and answers the rest by default.
class CRecordingParent : public CWnd {
 public:
  explicit CRecordingParent(int width = 400, int height = 300) {
    CreateEx(0, nullptr, "controls", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
  }
  ~CRecordingParent() override {
    if (m_hWnd) DestroyWindow();
  }
  std::vector<Received> received;
  std::vector<Received> Of(UINT message) const {
    std::vector<Received> out;
    for (const Received& r : received) {
      if (r.message == message) out.push_back(r);
    }
    return out;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= WM_USER && message < 0x8000) received.push_back({message, wParam, lParam});
    if (message == WM_COMMAND) received.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// The shell tests' one scratch folder.
using frametest::Scratch;

}  // namespace ctltest
