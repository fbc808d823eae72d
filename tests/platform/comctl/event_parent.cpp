#include "tests/platform/comctl/event_parent.h"

#include <cstring>
#include <filesystem>

#include "platform/testing/ui.h"

namespace eventtest {
namespace {

LRESULT ParentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      Events().push_back({message, h->idFrom, h->code});
      return OnNotify() ? OnNotify()(h) : 0;
    }
    case WM_COMMAND: Events().push_back({message, LOWORD(wParam), HIWORD(wParam)}); return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      Events().push_back({message, static_cast<UINT_PTR>(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))), LOWORD(wParam)});
      return 0;
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      Events().push_back({message, d->CtlID, d->itemID});
      LastDrawItem() = *d;
      HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
      FillRect(d->hDC, &d->rcItem, brush);
      DeleteObject(brush);
      return TRUE;
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

std::vector<Event>& Events() {
  static std::vector<Event> events;
  return events;
}

std::function<LRESULT(NMHDR*)>& OnNotify() {
  static std::function<LRESULT(NMHDR*)> answer;
  return answer;
}

DRAWITEMSTRUCT& LastDrawItem() {
  static DRAWITEMSTRUCT item{};
  return item;
}

HWND MakeParent() {
  Events().clear();
  OnNotify() = nullptr;
  return uitest::CreateTestWindow({u"TavComctlEventParent", ParentProc, COLOR_3DFACE}, u"parent",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 480, 320);
}

HWND MakeChild(HWND parent, const char16_t* className, DWORD style, int id, int x, int y, int width, int height,
               const char16_t* text) {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
}

std::vector<UINT> Codes(UINT message) {
  std::vector<UINT> codes;
  for (const Event& e : Events())
    if (e.message == message) codes.push_back(e.code);
  return codes;
}

std::string Describe(const std::vector<Event>& events) {
  std::string out;
  for (const Event& e : events)
    out += MessageName(e.message) + " " + std::to_string(e.id) + "/" + std::to_string(static_cast<int>(e.code)) + "; ";
  return out;
}

HBITMAP MakeStrip(int count, int cx, int cy, const std::vector<COLORREF>& colours) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = count * cx;
  info.bmiHeader.biHeight = -cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < count * cx; ++x) {
      const int image = x / cx, ix = x % cx;
      const bool inside = ix >= 1 && ix < cx - 1 && y >= 1 && y < cy - 1;
      const COLORREF c = inside ? colours[static_cast<size_t>(image) % colours.size()] : RGB(0xC0, 0xC0, 0xC0);
      pixels[static_cast<size_t>(y) * count * cx + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return bitmap;
}

std::string PicturePath(const char* name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  return folder + "/" + name;
}

bool SaveZoomedPng(HWND window, RECT r, int times, const std::string& path) {
  const uitest::Picture whole = uitest::CaptureWindow(window);
  r.right = std::min<LONG>(r.right, whole.width);
  r.bottom = std::min<LONG>(r.bottom, whole.height);
  uitest::Picture zoom;
  zoom.width = (r.right - r.left) * times;
  zoom.height = (r.bottom - r.top) * times;
  if (zoom.width <= 0 || zoom.height <= 0) return false;
  zoom.pixels.resize(static_cast<size_t>(zoom.width) * zoom.height);
  for (int y = 0; y < zoom.height; ++y)
    for (int x = 0; x < zoom.width; ++x)
      zoom.pixels[static_cast<size_t>(y) * zoom.width + x] = whole.At(r.left + x / times, r.top + y / times);
  return uitest::SavePng(zoom, path);
}

}  // namespace eventtest
