// The test API's eyes: a window's pixels from its top-level surface, the
// screen composed of the visible top-level windows, and PNG files of either.
#include <cstdint>
#include <vector>

#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"
#include "platform/user/window_internal.h"

namespace uitest {
namespace {

Picture FromSurface(const gdi::Bitmap& surface, RECT area) {
  Picture p;
  area.left = std::max<LONG>(area.left, 0);
  area.top = std::max<LONG>(area.top, 0);
  area.right = std::min<LONG>(area.right, surface.width);
  area.bottom = std::min<LONG>(area.bottom, surface.height);
  p.width = std::max<int>(area.right - area.left, 0);
  p.height = std::max<int>(area.bottom - area.top, 0);
  p.pixels.resize(static_cast<size_t>(p.width) * p.height);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      p.pixels[static_cast<size_t>(y) * p.width + x] = surface.ReadValue(area.left + x, area.top + y) & 0xFFFFFF;
  return p;
}

}  // namespace

Picture CaptureWindow(HWND window) {
  user::WindowPtr w = user::FindWinQuiet(window);
  if (!w) return {};
  user::UserLock lock;
  user::Window* top = user::TopLevelOf(*w);
  if (!top->surface) return {};
  const POINT o = user::SurfaceOffset(*w);
  return FromSurface(*top->surface, RECT{o.x, o.y, o.x + w->Width(), o.y + w->Height()});
}

COLORREF ClientPixel(HWND window, int x, int y) {
  user::WindowPtr w = user::FindWinQuiet(window);
  if (!w) return CLR_INVALID;
  user::UserLock lock;
  user::Window* top = user::TopLevelOf(*w);
  const RECT client = user::ScreenClientRect(*w);
  const int sx = client.left - top->windowRect.left + x, sy = client.top - top->windowRect.top + y;
  if (!top->surface || sx < 0 || sy < 0 || sx >= top->surface->width || sy >= top->surface->height)
    return CLR_INVALID;
  const uint32_t v = top->surface->ReadValue(sx, sy);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

Picture CaptureScreen() {
  Picture p;
  p.width = gdi::kScreenWidth;
  p.height = gdi::kScreenHeight;
  const COLORREF desk = GetSysColor(COLOR_DESKTOP);
  p.pixels.assign(static_cast<size_t>(p.width) * p.height,
                  (GetRValue(desk) << 16) | (GetGValue(desk) << 8) | GetBValue(desk));
  user::UserLock lock;
  const auto& tops = user::Desktop().children;
  // Bottom of the Z order first, so windows above cover those below.
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    const user::Window& w = **it;
    if (!w.Visible() || !w.surface) continue;
    for (int y = 0; y < w.Height(); ++y) {
      const int sy = w.windowRect.top + y;
      if (sy < 0 || sy >= p.height || y >= w.surface->height) continue;
      for (int x = 0; x < w.Width(); ++x) {
        const int sx = w.windowRect.left + x;
        if (sx < 0 || sx >= p.width || x >= w.surface->width) continue;
        p.pixels[static_cast<size_t>(sy) * p.width + sx] = w.surface->ReadValue(x, y) & 0xFFFFFF;
      }
    }
  }
  return p;
}

bool SavePng(const Picture& picture, const std::string& path) {
  if (picture.width <= 0 || picture.height <= 0) return false;
  std::vector<uint8_t> bgrx(picture.pixels.size() * 4);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    const uint32_t v = picture.pixels[i];
    bgrx[i * 4] = static_cast<uint8_t>(v);
    bgrx[i * 4 + 1] = static_cast<uint8_t>(v >> 8);
    bgrx[i * 4 + 2] = static_cast<uint8_t>(v >> 16);
  }
  return tavtest::WritePng(path, picture.width, picture.height, bgrx.data());
}

bool SaveWindowPng(HWND window, const std::string& path) { return SavePng(CaptureWindow(window), path); }
bool SaveScreenPng(const std::string& path) { return SavePng(CaptureScreen(), path); }

}  // namespace uitest
