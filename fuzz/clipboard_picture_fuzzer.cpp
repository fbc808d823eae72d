// libFuzzer target: pictures that cross the desktop's clipboard. The first
// byte picks the direction: a packed DIB from the process to PNG, or a PNG
// from another program to a DIB (and back out again).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/display/x11/x11_display.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool fromPng = data[0] & 1;
  std::vector<unsigned char> bytes(data + 1, data + size);
  std::vector<BYTE> dib;
  std::vector<unsigned char> png;
  if (fromPng) {
    if (display::x11::PngToDib(bytes, dib)) display::x11::DibToPng(dib, png);
  } else {
    display::x11::DibToPng(std::vector<BYTE>(bytes.begin(), bytes.end()), png);
  }
  return 0;
}
