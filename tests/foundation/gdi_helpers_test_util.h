// A white 32-bit top-down bitmap selected into a memory device context, for
// drawing tests, and a writer that saves its pixels as a PNG under the build
// folder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/test_canvas.h"

// The platform's test canvas on white, read straight from memory, with its
// pictures saved under the build folder.
class TestCanvas : public tavtest::TestCanvas {
 public:
  TestCanvas(int width, int height) : tavtest::TestCanvas(width, height) {}
  COLORREF At(int x, int y) const { return Raw(x, y); }
  // Writes the pixels as <name>.png under the build folder; returns its path or "".
  std::string SavePng(const std::string& name) const {
    const std::string png = tavtest::BuildFolderPng(name);
    return tavtest::TestCanvas::SavePng(png) ? png : "";
  }
};
